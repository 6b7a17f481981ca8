#pragma once

#include <QString>
#include <QUrl>

namespace BrioUpdate {

// What the application tells the update library about itself. Copied by value
// into every client and flow, so that a flow outlives the caller's copy.
struct UpdateConfig
{
    QString appId;        // product slug, also the tag in the user agent
    QString channel;      // already part of manifestBaseUrl's path; informational
    QUrl manifestBaseUrl; // the channel's directory on the update server
    QString currentVersion;
};

} // namespace BrioUpdate
