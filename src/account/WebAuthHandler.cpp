#include "WebAuthHandler.h"

#include <QDebug>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace BrioAccount {

namespace {

// Tries of a random port after the preferred one is taken.
constexpr int RandomPortAttempts = 16;

} // namespace

WebAuthHandler::WebAuthHandler(QObject *parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
    , m_server6(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &WebAuthHandler::onNewConnection);
    connect(m_server6, &QTcpServer::newConnection, this, &WebAuthHandler::onNewConnection);
}

WebAuthHandler::~WebAuthHandler()
{
    closeServers();
}

QByteArray WebAuthHandler::responseBytes()
{
    return QByteArrayLiteral(
        "HTTP/1.1 200 OK\r\n"
        "Content-Type: text/html\r\n"
        "Connection: close\r\n"
        "\r\n"
        "<html><body style='font-family: sans-serif; text-align: center; padding: 40px;'>"
        "<h2>Authentication complete!</h2>"
        "<p>You can close this tab and return to the application.</p></body></html>");
}

// Browsers resolve "localhost" to ::1 first, so the IPv6 side must be ours too: otherwise
// another local process holding that address and port would receive the tokens.
bool WebAuthHandler::listenOnBoth(quint16 port)
{
    if (!m_server->listen(QHostAddress::LocalHost, port))
        return false;
    const quint16 taken = m_server->serverPort();
    if (m_server6->listen(QHostAddress::LocalHostIPv6, taken)) {
        m_port = taken;
        return true;
    }
    if (m_server6->serverError() != QAbstractSocket::AddressInUseError) {
        // No IPv6 loopback on this machine: nobody can listen there, and browsers fall back to IPv4.
        qInfo() << "WebAuthHandler: no IPv6 loopback, listening on IPv4 only";
        m_port = taken;
        return true;
    }
    m_server->close();
    return false;
}

QString WebAuthHandler::start()
{
    if (m_server->isListening())
        return redirectUri();
    bool listening = listenOnBoth(PreferredPort);
    for (int attempt = 0; !listening && attempt < RandomPortAttempts; ++attempt)
        listening = listenOnBoth(0);
    if (!listening) {
        qWarning() << "WebAuthHandler: no loopback port available";
        return QString();
    }
    return redirectUri();
}

QString WebAuthHandler::redirectUri() const
{
    return QStringLiteral("http://localhost:%1/callback").arg(m_port);
}

void WebAuthHandler::onNewConnection()
{
    for (QTcpServer *server : {m_server, m_server6}) {
        while (QTcpSocket *socket = server->nextPendingConnection()) {
            if (m_answered) {
                socket->abort();
                continue;
            }
            m_buffers.insert(socket, QByteArray());
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        }
    }
}

void WebAuthHandler::onReadyRead(QTcpSocket *socket)
{
    if (m_answered || !m_buffers.contains(socket)) {
        socket->abort();
        return;
    }
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    // The request line may arrive in pieces; only a whole one counts.
    const qsizetype lineEnd = buffer.indexOf('\n');
    if (lineEnd < 0 || lineEnd > MaxRequestLineBytes) {
        if (lineEnd > MaxRequestLineBytes || buffer.size() > MaxRequestLineBytes) {
            m_buffers.remove(socket);
            socket->abort();
        }
        return;
    }
    const QString requestLine = QString::fromUtf8(buffer.left(lineEnd)).trimmed();
    QString target;
    const qsizetype firstSpace = requestLine.indexOf(QLatin1Char(' '));
    if (firstSpace >= 0) {
        const qsizetype secondSpace = requestLine.indexOf(QLatin1Char(' '), firstSpace + 1);
        target = requestLine.mid(firstSpace + 1, secondSpace < 0 ? -1 : secondSpace - firstSpace - 1);
    }
    const QUrl url(QStringLiteral("http://localhost:") + QString::number(m_port) + target);

    m_answered = true;
    m_buffers.remove(socket);
    socket->write(responseBytes());
    socket->flush();
    socket->disconnectFromHost();
    // Only the first request is the redirect; anything else still connected is turned away.
    for (auto it = m_buffers.begin(); it != m_buffers.end(); ++it)
        it.key()->abort();
    m_buffers.clear();
    closeServers();
    emit callbackReceived(url);
}

void WebAuthHandler::closeServers()
{
    if (m_server->isListening())
        m_server->close();
    if (m_server6->isListening())
        m_server6->close();
}

} // namespace BrioAccount
