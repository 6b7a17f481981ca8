#include "UpdateRequest.h"

namespace BrioUpdate {

QNetworkRequest buildRequest(const QUrl &url, const QString &userAgentTag, int transferTimeoutMs)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("BrioUpdateQt/0.1 (%1)").arg(userAgentTag));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(transferTimeoutMs);
    return request;
}

} // namespace BrioUpdate
