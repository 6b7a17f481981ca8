#include "ApiClient.h"

#include "TokenManager.h"

#include <QDebug>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

namespace BrioAccount {

namespace {

void answer(const ApiClient::ResponseCallback &callback, bool ok, int status, const QJsonObject &body)
{
    if (callback)
        callback(ok, status, body);
}

QJsonObject parseBody(const QByteArray &bytes)
{
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    return document.isObject() ? document.object() : QJsonObject();
}

} // namespace

ApiClient::ApiClient(TokenManager *tokenManager, QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
    , m_tokenManager(tokenManager)
{
    // A stalled request would otherwise hold a refresh, and every request waiting on it, for ever.
    m_network->setTransferTimeout(DefaultTransferTimeoutMs);
    // Qt's default would send the bearer token on to whatever host a redirect names.
    m_network->setRedirectPolicy(QNetworkRequest::SameOriginRedirectPolicy);
}

void ApiClient::setBaseUrl(const QUrl &baseUrl)
{
    m_baseUrl = baseUrl;
}

void ApiClient::setClientInfo(const QString &applicationId, const QString &applicationVersion,
                              const QString &platform)
{
    m_applicationId = applicationId;
    m_applicationVersion = applicationVersion;
    m_platform = platform;
}

void ApiClient::setTransferTimeout(int milliseconds)
{
    m_network->setTransferTimeout(milliseconds);
}

bool ApiClient::isSafePathSegment(const QString &segment)
{
    return !segment.isEmpty() && segment != QLatin1String(".") && segment != QLatin1String("..") &&
           !segment.contains(QLatin1Char('/'));
}

void ApiClient::get(const QString &path, ResponseCallback callback, const QUrlQuery &query)
{
    sendRequest(QStringLiteral("GET"), path, QJsonObject(), std::move(callback), query, true);
}

void ApiClient::getPublic(const QString &path, ResponseCallback callback, const QUrlQuery &query)
{
    sendRequest(QStringLiteral("GET"), path, QJsonObject(), std::move(callback), query, false);
}

void ApiClient::post(const QString &path, const QJsonObject &body, ResponseCallback callback)
{
    sendRequest(QStringLiteral("POST"), path, body, std::move(callback), QUrlQuery(), true);
}

void ApiClient::postPublic(const QString &path, const QJsonObject &body, ResponseCallback callback)
{
    sendRequest(QStringLiteral("POST"), path, body, std::move(callback), QUrlQuery(), false);
}

void ApiClient::patch(const QString &path, const QJsonObject &body, ResponseCallback callback)
{
    sendRequest(QStringLiteral("PATCH"), path, body, std::move(callback), QUrlQuery(), true);
}

void ApiClient::del(const QString &path, ResponseCallback callback)
{
    sendRequest(QStringLiteral("DELETE"), path, QJsonObject(), std::move(callback), QUrlQuery(), true);
}

void ApiClient::sendRequest(const QString &method, const QString &path, const QJsonObject &body,
                            ResponseCallback callback, const QUrlQuery &query, bool authenticated)
{
    QUrl url = m_baseUrl;
    url.setPath(m_baseUrl.path(QUrl::FullyDecoded) + path, QUrl::DecodedMode);
    if (!query.isEmpty())
        url.setQuery(query);
    // An empty object is sent as no body at all, not as "{}".
    const QByteArray bytes =
        body.isEmpty() ? QByteArray() : QJsonDocument(body).toJson(QJsonDocument::Compact);

    if (!authenticated) {
        executeRequest(method, url, bytes, QString(), std::move(callback), false);
        return;
    }
    if (!m_tokenManager->needsRefresh()) {
        executeRequest(method, url, bytes, m_tokenManager->accessToken(), std::move(callback), true);
        return;
    }
    qDebug() << "ApiClient: token needs refresh before" << method << url.path();
    QPointer<ApiClient> self(this);
    m_tokenManager->refresh([self, method, url, bytes, callback](RefreshResult result) {
        if (!self)
            return;
        if (result == RefreshResult::Success) {
            self->executeRequest(method, url, bytes, self->m_tokenManager->accessToken(), callback, true);
            return;
        }
        const bool rejected = result == RefreshResult::Rejected;
        qWarning() << "ApiClient: token refresh" << (rejected ? "rejected" : "failed (transient)") << "for"
                   << method << url.path();
        if (rejected)
            emit self->authenticationRequired();
        answer(callback, false, rejected ? 401 : 0, QJsonObject());
    });
}

void ApiClient::executeRequest(const QString &method, const QUrl &url, const QByteArray &body,
                               const QString &token, ResponseCallback callback, bool allowRetry)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("Accept", "application/json");
    if (!m_applicationId.isEmpty())
        request.setRawHeader("X-App-Id", m_applicationId.toUtf8());
    if (!m_applicationVersion.isEmpty())
        request.setRawHeader("X-App-Version", m_applicationVersion.toUtf8());
    if (!m_platform.isEmpty())
        request.setRawHeader("X-Platform", m_platform.toUtf8());
    if (!token.isEmpty())
        request.setRawHeader("Authorization", QStringLiteral("Bearer %1").arg(token).toUtf8());

    QNetworkReply *reply = nullptr;
    if (method == QLatin1String("GET"))
        reply = m_network->get(request);
    else if (method == QLatin1String("POST"))
        reply = m_network->post(request, body);
    else if (method == QLatin1String("PUT"))
        reply = m_network->put(request, body);
    else if (method == QLatin1String("PATCH"))
        reply = m_network->sendCustomRequest(request, "PATCH", body);
    else if (method == QLatin1String("DELETE"))
        reply = m_network->deleteResource(request);

    if (!reply) {
        answer(callback, false, 0, QJsonObject());
        return;
    }
    qDebug() << "ApiClient:" << method << url.path();
    connect(reply, &QNetworkReply::finished, this, [this, reply, method, url, body, callback, allowRetry] {
        handleReply(reply, method, url, body, callback, allowRetry);
    });
}

void ApiClient::handleReply(QNetworkReply *reply, const QString &method, const QUrl &url,
                            const QByteArray &body, ResponseCallback callback, bool allowRetry)
{
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QJsonObject parsed = parseBody(reply->readAll());

    if (status == 401 && allowRetry) {
        QPointer<ApiClient> self(this);
        m_tokenManager->refresh([self, method, url, body, callback](RefreshResult result) {
            if (!self)
                return;
            if (result == RefreshResult::Success) {
                self->executeRequest(method, url, body, self->m_tokenManager->accessToken(), callback, false);
            } else if (result == RefreshResult::Rejected) {
                emit self->authenticationRequired();
                answer(callback, false, 401, QJsonObject());
            } else {
                answer(callback, false, 0, QJsonObject());
            }
        });
        return;
    }
    if (reply->error() != QNetworkReply::NoError && status == 0) {
        qWarning() << "ApiClient: transport failure for" << method << url.path();
        emit networkError(reply->errorString());
        answer(callback, false, 0, QJsonObject());
        return;
    }
    answer(callback, status >= 200 && status <= 299, status, parsed);
}

} // namespace BrioAccount
