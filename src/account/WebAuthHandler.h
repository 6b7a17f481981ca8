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
// IPv4 and IPv6 loopback addresses with one port, answers the first complete request with a
// fixed page and hands back that request's URL.
class WebAuthHandler : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 PreferredPort = 19876;
    // A request line longer than this is not a browser's redirect.
    static constexpr int MaxRequestLineBytes = 16 * 1024;

    explicit WebAuthHandler(QObject *parent = nullptr);
    ~WebAuthHandler() override;

    // Starts listening; the redirect URI, or empty when no port could be taken.
    QString start();
    QString redirectUri() const;
    quint16 port() const { return m_port; }

    // The page sent to the browser.
    static QByteArray responseBytes();

signals:
    void callbackReceived(const QUrl &url);

private slots:
    void onNewConnection();

private:
    bool listenOnBoth(quint16 port);
    void onReadyRead(QTcpSocket *socket);
    void closeServers();

    QTcpServer *m_server = nullptr;
    QTcpServer *m_server6 = nullptr;
    quint16 m_port = 0;
    bool m_answered = false;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

} // namespace BrioAccount
