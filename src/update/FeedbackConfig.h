#pragma once

#include <QString>
#include <QUrl>

namespace BrioUpdate {

// Where the product's feedback page lives and how it tags the product.
struct FeedbackConfig
{
    QString appSlug;
    QUrl baseUrl;
};

// Opens the feedback page in the browser: baseUrl with a trailing slash on its
// path and the query replaced by tags=<appSlug>. False when the address is no
// web address or no browser could be started, so that the caller can show it.
bool openFeedbackPage(const FeedbackConfig &config);

// The page address openFeedbackPage() opens.
QUrl feedbackPageUrl(const FeedbackConfig &config);

} // namespace BrioUpdate
