#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace BrioAccount {

class TokenManager;

// The one way the program talks to its web services: a method, a path and a JSON object become
// a request against a base URL with the application headers and, for authenticated calls, the
// bearer token. Refreshes the token before a request when it is about to expire and after an
// HTTP 401, resending at most once.
class ApiClient : public QObject
{
    Q_OBJECT

public:
    // ok is true exactly for a status in 200..299; status 0 means no HTTP status was received;
    // body is the reply's JSON object, or empty.
    using ResponseCallback = std::function<void(bool ok, int status, const QJsonObject &body)>;

    static constexpr int DefaultTransferTimeoutMs = 30000;

    explicit ApiClient(TokenManager *tokenManager, QObject *parent = nullptr);

    void setBaseUrl(const QUrl &baseUrl);
    QUrl baseUrl() const { return m_baseUrl; }
    void setClientInfo(const QString &applicationId, const QString &applicationVersion,
                       const QString &platform);
    // A request that stalls longer than this fails as a transport error.
    void setTransferTimeout(int milliseconds);

    void get(const QString &path, ResponseCallback callback, const QUrlQuery &query = QUrlQuery());
    void getPublic(const QString &path, ResponseCallback callback, const QUrlQuery &query = QUrlQuery());
    void post(const QString &path, const QJsonObject &body, ResponseCallback callback);
    void postPublic(const QString &path, const QJsonObject &body, ResponseCallback callback);
    void patch(const QString &path, const QJsonObject &body, ResponseCallback callback);
    void del(const QString &path, ResponseCallback callback);

    // Whether a caller's value may stand as one segment of a request path: not empty, not "."
    // or "..", without "/". Anything else could address another resource than the one meant.
    static bool isSafePathSegment(const QString &segment);

signals:
    void authenticationRequired();
    void networkError(const QString &message);

private:
    void sendRequest(const QString &method, const QString &path, const QJsonObject &body,
                     ResponseCallback callback, const QUrlQuery &query, bool authenticated);
    void executeRequest(const QString &method, const QUrl &url, const QByteArray &body, const QString &token,
                        ResponseCallback callback, bool allowRetry);
    void handleReply(QNetworkReply *reply, const QString &method, const QUrl &url, const QByteArray &body,
                     ResponseCallback callback, bool allowRetry);

    QNetworkAccessManager *m_network = nullptr;
    TokenManager *m_tokenManager = nullptr;
    QUrl m_baseUrl;
    QString m_applicationId;
    QString m_applicationVersion;
    QString m_platform;
};

} // namespace BrioAccount
