#pragma once

#include <QUrl>

namespace BrioUpdate {

// Addresses from the update server are not trusted: only an absolute http or
// https URL with a host is fetched or handed to the browser, never a local file,
// a custom scheme or a relative path.
bool isWebUrl(const QUrl &url);

// A link the user clicked in release notes: a web URL as above, or a mailto link.
bool isOpenableLink(const QUrl &url);

// Hands a download address to the browser. A missing or non-web address opens
// nothing; both that and a browser that cannot be started are logged as warnings.
bool openDownloadUrl(const QUrl &url);

} // namespace BrioUpdate
