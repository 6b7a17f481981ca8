#include "FeedbackConfig.h"

#include "UrlSafety.h"

#include <QDebug>
#include <QDesktopServices>
#include <QUrlQuery>

namespace BrioUpdate {

QUrl feedbackPageUrl(const FeedbackConfig &config)
{
    QUrl url = config.baseUrl;
    QString path = url.path(QUrl::FullyDecoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    url.setPath(path, QUrl::DecodedMode);

    QUrlQuery query;
    query.addQueryItem(QStringLiteral("tags"), config.appSlug);
    url.setQuery(query);
    return url;
}

bool openFeedbackPage(const FeedbackConfig &config)
{
    const QUrl url = feedbackPageUrl(config);
    if (!isWebUrl(url)) {
        qWarning() << "BrioUpdate: feedback page address is not a web URL:" << url.toDisplayString();
        return false;
    }
    if (!QDesktopServices::openUrl(url)) {
        qWarning() << "BrioUpdate: no browser could open the feedback page";
        return false;
    }
    return true;
}

} // namespace BrioUpdate
