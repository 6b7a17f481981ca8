#include "ApiClient.h"

#include "TokenManager.h"

#include <QDebug>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

namespace BrioAccount {

namespace {

// Why the client itself gave up on a reply; empty while it has not.
constexpr char RefusalProperty[] = "apiClientRefusal";

void answer(const ApiClient::ReplyCallback &callback, const ApiClient::Reply &reply)
{
    if (callback)
        callback(reply);
}

void answer(const ApiClient::ReplyCallback &callback, bool ok, int status, const QJsonObject &body)
{
    ApiClient::Reply reply;
    reply.ok = ok;
    reply.status = status;
    reply.body = body;
    answer(callback, reply);
}

ApiClient::ReplyCallback fromResponseCallback(ApiClient::ResponseCallback callback)
{
    if (!callback)
        return {};
    return [callback = std::move(callback)](const ApiClient::Reply &reply) {
        callback(reply.ok, reply.status, reply.body);
    };
}

// Errors of the connection itself (closed early, time-out, aborted), as opposed to HTTP error
// statuses: a reply that ends in one is incomplete even when its status line arrived.
bool isTransportError(QNetworkReply::NetworkError error)
{
    return error > QNetworkReply::NoError && error < QNetworkReply::ProxyConnectionRefusedError;
}

void refuse(QNetworkReply *reply, const QString &reason)
{
    if (!reply->property(RefusalProperty).toString().isEmpty() || reply->isFinished())
        return;
    reply->setProperty(RefusalProperty, reason);
    reply->abort();
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

void ApiClient::setRequestDeadline(int milliseconds)
{
    m_requestDeadlineMs = milliseconds;
}

void ApiClient::setMaxReplyBytes(qint64 bytes)
{
    m_maxReplyBytes = bytes;
}

bool ApiClient::isSafePathSegment(const QString &segment)
{
    return !segment.isEmpty() && segment != QLatin1String(".") && segment != QLatin1String("..") &&
           !segment.contains(QLatin1Char('/'));
}

void ApiClient::get(const QString &path, ResponseCallback callback, const QUrlQuery &query)
{
    sendRequest(QStringLiteral("GET"), path, QJsonObject(), fromResponseCallback(std::move(callback)), query,
                true);
}

void ApiClient::getPublic(const QString &path, ResponseCallback callback, const QUrlQuery &query)
{
    sendRequest(QStringLiteral("GET"), path, QJsonObject(), fromResponseCallback(std::move(callback)), query,
                false);
}

void ApiClient::post(const QString &path, const QJsonObject &body, ResponseCallback callback)
{
    sendRequest(QStringLiteral("POST"), path, body, fromResponseCallback(std::move(callback)), QUrlQuery(),
                true);
}

void ApiClient::postPublic(const QString &path, const QJsonObject &body, ResponseCallback callback)
{
    sendRequest(QStringLiteral("POST"), path, body, fromResponseCallback(std::move(callback)), QUrlQuery(),
                false);
}

void ApiClient::patch(const QString &path, const QJsonObject &body, ResponseCallback callback)
{
    sendRequest(QStringLiteral("PATCH"), path, body, fromResponseCallback(std::move(callback)), QUrlQuery(),
                true);
}

void ApiClient::del(const QString &path, ResponseCallback callback)
{
    sendRequest(QStringLiteral("DELETE"), path, QJsonObject(), fromResponseCallback(std::move(callback)),
                QUrlQuery(), true);
}

void ApiClient::getReply(const QString &path, ReplyCallback callback, const QUrlQuery &query)
{
    sendRequest(QStringLiteral("GET"), path, QJsonObject(), std::move(callback), query, true);
}

void ApiClient::postReply(const QString &path, const QJsonObject &body, ReplyCallback callback)
{
    sendRequest(QStringLiteral("POST"), path, body, std::move(callback), QUrlQuery(), true);
}

void ApiClient::postEndingSession(const QString &path, const QJsonObject &body, ResponseCallback callback)
{
    sendRequest(QStringLiteral("POST"), path, body, fromResponseCallback(std::move(callback)), QUrlQuery(),
                true, true);
}

void ApiClient::sendRequest(const QString &method, const QString &path, const QJsonObject &body,
                            ReplyCallback callback, const QUrlQuery &query, bool authenticated,
                            bool endsSession)
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
    auto resume = [self, method, url, bytes, callback](RefreshResult result, const QString &token) {
        if (!self)
            return;
        if (result == RefreshResult::Success) {
            self->executeRequest(method, url, bytes, token, callback, true);
            return;
        }
        const bool rejected = result == RefreshResult::Rejected;
        qWarning() << "ApiClient: token refresh" << (rejected ? "rejected" : "failed (transient)") << "for"
                   << method << url.path();
        if (rejected)
            emit self->authenticationRequired();
        answer(callback, false, rejected ? 401 : 0, QJsonObject());
    };
    if (endsSession) {
        m_tokenManager->refreshForSignOut(resume);
        return;
    }
    TokenManager *tokens = m_tokenManager;
    m_tokenManager->refresh(
        [resume, tokens](RefreshResult result) { resume(result, tokens->accessToken()); });
}

void ApiClient::executeRequest(const QString &method, const QUrl &url, const QByteArray &body,
                               const QString &token, ReplyCallback callback, bool allowRetry)
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
    guardReply(reply);
    connect(reply, &QNetworkReply::finished, this, [this, reply, method, url, body, callback, allowRetry] {
        handleReply(reply, method, url, body, callback, allowRetry);
    });
}

void ApiClient::guardReply(QNetworkReply *reply)
{
    // A server that sends a byte now and then never trips the transfer time-out.
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    const int deadlineMs = m_requestDeadlineMs;
    connect(deadline, &QTimer::timeout, reply, [reply, deadlineMs] {
        refuse(reply, QStringLiteral("no complete reply within %1 s").arg(deadlineMs / 1000.0));
    });
    deadline->start(deadlineMs);

    // Nothing is read before the reply is complete, so what is buffered is the whole body so far.
    const qint64 limit = m_maxReplyBytes;
    const QString tooLarge = QStringLiteral("reply larger than %1 bytes").arg(limit);
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, limit, tooLarge] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > limit)
            refuse(reply, tooLarge);
    });
    connect(reply, &QNetworkReply::readyRead, reply, [reply, limit, tooLarge] {
        if (reply->bytesAvailable() > limit)
            refuse(reply, tooLarge);
    });
}

void ApiClient::handleReply(QNetworkReply *reply, const QString &method, const QUrl &url,
                            const QByteArray &body, ReplyCallback callback, bool allowRetry)
{
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString refusal = reply->property(RefusalProperty).toString();
    if (!refusal.isEmpty()) {
        qWarning() << "ApiClient: gave up on" << method << url.path() << "-" << refusal;
        emit networkError(refusal);
        Reply refused;
        refused.refusal = refusal;
        answer(callback, refused);
        return;
    }
    const QJsonDocument document = QJsonDocument::fromJson(reply->readAll());
    const QJsonObject parsed = document.isObject() ? document.object() : QJsonObject();

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
    if (reply->error() != QNetworkReply::NoError && (status == 0 || isTransportError(reply->error()))) {
        qWarning() << "ApiClient: transport failure for" << method << url.path();
        emit networkError(reply->errorString());
        answer(callback, false, 0, QJsonObject());
        return;
    }
    Reply complete;
    complete.ok = status >= 200 && status <= 299;
    complete.status = status;
    complete.body = parsed;
    complete.bodyIsObject = document.isObject();
    answer(callback, complete);
}

} // namespace BrioAccount
