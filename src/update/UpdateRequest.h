#pragma once

#include <QNetworkRequest>
#include <QString>
#include <QUrl>

namespace BrioUpdate {

// A server that accepts the connection and then says nothing must not leave a
// check or a notes download waiting for ever.
inline constexpr int defaultTransferTimeoutMs = 30000;

// A GET request to the update server: the library's user agent with the caller's
// tag, redirects followed but never from https to http, and a transfer time-out.
QNetworkRequest buildRequest(const QUrl &url, const QString &userAgentTag,
                             int transferTimeoutMs = defaultTransferTimeoutMs);

} // namespace BrioUpdate
