#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QUrl>

class QTcpServer;
class QTcpSocket;

namespace BrioAccount {

// The loopback listener that receives the browser's redirect after sign-in. It listens on the
// IPv4 and IPv6 loopback addresses with one port, reads each request up to the end of its
// headers, answers the first request for the callback path with a fixed page and hands back
// that request's URL. Requests for any other path get a 404 and the listener goes on waiting;
// a callback request too long to read gets a 431 and ends the wait.
class WebAuthHandler : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 PreferredPort = 19876;
    static constexpr char CallbackPath[] = "/callback";
    // A request head longer than this is refused. A browser's redirect carries both tokens
    // and whatever cookies it keeps for the loopback host, which can run to tens of KiB.
    static constexpr int MaxRequestBytes = 64 * 1024;
    // A connection that has not sent its whole headers by then is dropped.
    static constexpr int DefaultRequestTimeoutMs = 10000;

    explicit WebAuthHandler(QObject *parent = nullptr);
    ~WebAuthHandler() override;

    // Starts listening; the redirect URI, or empty when no port could be taken.
    QString start();
    // Stops listening and drops every connection not yet answered; nothing is emitted.
    void stop();
    QString redirectUri() const;
    quint16 port() const { return m_port; }

    // Applies to connections accepted from now on.
    void setRequestTimeout(int milliseconds) { m_requestTimeoutMs = milliseconds; }

    // The page sent to the browser.
    static QByteArray responseBytes();
    // The answer to a request for any other path.
    static QByteArray notFoundBytes();
    // The answer to a callback request whose head is over the limit.
    static QByteArray tooLargeBytes();

signals:
    void callbackReceived(const QUrl &url);
    // A request for the callback path was refused for its size; the listener has stopped.
    void callbackTooLarge();

private slots:
    void onNewConnection();

private:
    bool listenOnBoth(quint16 port);
    void onReadyRead(QTcpSocket *socket);
    // Answers the one request that ends the sign-in and stops listening.
    void answerFinal(QTcpSocket *socket, const QByteArray &response);
    // Stops reading a connection; it goes away once closed.
    void forget(QTcpSocket *socket);
    void closeServers();

    QTcpServer *m_server = nullptr;
    QTcpServer *m_server6 = nullptr;
    quint16 m_port = 0;
    bool m_answered = false;
    int m_requestTimeoutMs = DefaultRequestTimeoutMs;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

} // namespace BrioAccount
