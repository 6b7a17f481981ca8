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

    // The whole outcome of a request, for callers that must tell an empty object from a body
    // that was not one.
    struct Reply
    {
        bool ok = false; // status in 200..299
        int status = 0;  // 0: no complete HTTP reply
        QJsonObject body;
        bool bodyIsObject = false; // the body was one complete JSON object
        QString refusal;           // why the client gave up on the reply (deadline, size); else empty
    };
    using ReplyCallback = std::function<void(const Reply &reply)>;

    static constexpr int DefaultTransferTimeoutMs = 30000;
    static constexpr int DefaultRequestDeadlineMs = 60000;
    static constexpr qint64 DefaultMaxReplyBytes = 4 * 1024 * 1024;

    explicit ApiClient(TokenManager *tokenManager, QObject *parent = nullptr);

    void setBaseUrl(const QUrl &baseUrl);
    QUrl baseUrl() const { return m_baseUrl; }
    void setClientInfo(const QString &applicationId, const QString &applicationVersion,
                       const QString &platform);
    // A request that stalls longer than this fails as a transport error.
    void setTransferTimeout(int milliseconds);
    // A request not answered in full within this time fails, however steadily bytes arrive.
    void setRequestDeadline(int milliseconds);
    // A reply body larger than this is refused as it arrives, before it is read into memory.
    void setMaxReplyBytes(qint64 bytes);

    void get(const QString &path, ResponseCallback callback, const QUrlQuery &query = QUrlQuery());
    void getPublic(const QString &path, ResponseCallback callback, const QUrlQuery &query = QUrlQuery());
    void post(const QString &path, const QJsonObject &body, ResponseCallback callback);
    void postPublic(const QString &path, const QJsonObject &body, ResponseCallback callback);
    void patch(const QString &path, const QJsonObject &body, ResponseCallback callback);
    void del(const QString &path, ResponseCallback callback);
    // As get and post, with the whole outcome of the reply.
    void getReply(const QString &path, ReplyCallback callback, const QUrlQuery &query = QUrlQuery());
    void postReply(const QString &path, const QJsonObject &body, ReplyCallback callback);
    // An authenticated POST sent just before a sign-out clears the tokens: a refresh it waits on
    // still serves it afterwards, with a token used for this request only.
    void postEndingSession(const QString &path, const QJsonObject &body, ResponseCallback callback);

    // Whether a caller's value may stand as one segment of a request path: not empty, not "."
    // or "..", without "/". Anything else could address another resource than the one meant.
    static bool isSafePathSegment(const QString &segment);

signals:
    void authenticationRequired();
    void networkError(const QString &message);

private:
    void sendRequest(const QString &method, const QString &path, const QJsonObject &body,
                     ReplyCallback callback, const QUrlQuery &query, bool authenticated,
                     bool endsSession = false);
    void executeRequest(const QString &method, const QUrl &url, const QByteArray &body, const QString &token,
                        ReplyCallback callback, bool allowRetry);
    void handleReply(QNetworkReply *reply, const QString &method, const QUrl &url, const QByteArray &body,
                     ReplyCallback callback, bool allowRetry);
    void guardReply(QNetworkReply *reply);

    QNetworkAccessManager *m_network = nullptr;
    TokenManager *m_tokenManager = nullptr;
    QUrl m_baseUrl;
    QString m_applicationId;
    QString m_applicationVersion;
    QString m_platform;
    int m_requestDeadlineMs = DefaultRequestDeadlineMs;
    qint64 m_maxReplyBytes = DefaultMaxReplyBytes;
};

} // namespace BrioAccount
