#include "WebAuthHandler.h"

#include <QDebug>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace BrioAccount {

namespace {

// Tries of a random port after the preferred one is taken.
constexpr int RandomPortAttempts = 16;

// Where the headers of a request end (just past the blank line), or -1 while they have not.
// Only what arrived after `from` (less the few bytes a blank line may straddle) is searched,
// so that a head sent a byte at a time is not read again and again.
qsizetype headersEnd(const QByteArray &buffer, qsizetype from)
{
    from = qMax<qsizetype>(0, from - 3);
    const qsizetype crlf = buffer.indexOf("\r\n\r\n", from);
    const qsizetype lf = buffer.indexOf("\n\n", from);
    if (crlf >= 0 && (lf < 0 || crlf < lf))
        return crlf + 4;
    return lf >= 0 ? lf + 2 : -1;
}

// The path of a request target as far as it was received, without query or fragment.
QString requestPath(const QByteArray &buffer)
{
    const qsizetype start = buffer.indexOf(' ');
    if (start < 0)
        return QString();
    qsizetype end = start + 1;
    const auto endsPath = [](char c) { return c == ' ' || c == '?' || c == '#' || c == '\r' || c == '\n'; };
    while (end < buffer.size() && !endsPath(buffer.at(end)))
        ++end;
    return QUrl::fromPercentEncoding(buffer.mid(start + 1, end - start - 1));
}

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

QByteArray WebAuthHandler::tooLargeBytes()
{
    return QByteArrayLiteral("HTTP/1.1 431 Request Header Fields Too Large\r\n"
                             "Content-Length: 0\r\n"
                             "Connection: close\r\n"
                             "\r\n");
}

QByteArray WebAuthHandler::notFoundBytes()
{
    return QByteArrayLiteral("HTTP/1.1 404 Not Found\r\n"
                             "Content-Length: 0\r\n"
                             "Connection: close\r\n"
                             "\r\n");
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

void WebAuthHandler::stop()
{
    m_answered = true;
    const QList<QTcpSocket *> open = m_buffers.keys();
    for (QTcpSocket *socket : open) {
        socket->abort();
        forget(socket);
    }
    closeServers();
}

QString WebAuthHandler::redirectUri() const
{
    return QStringLiteral("http://localhost:%1%2").arg(m_port).arg(QLatin1String(CallbackPath));
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
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] { forget(socket); });
            // A connection that never finishes its request must not stay open for ever.
            auto *limit = new QTimer(socket);
            limit->setSingleShot(true);
            connect(limit, &QTimer::timeout, this, [this, socket] {
                if (!m_buffers.contains(socket))
                    return;
                socket->abort();
                forget(socket);
            });
            limit->start(m_requestTimeoutMs);
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
    const qsizetype searched = buffer.size();
    buffer += socket->read(MaxRequestBytes + 1 - buffer.size());
    // The browser may send its headers in several pieces; answering before the last one
    // arrived would make the system reset the connection under the page.
    qsizetype end = headersEnd(buffer, searched);
    if (end > MaxRequestBytes)
        end = -1;
    if (end < 0) {
        if (buffer.size() <= MaxRequestBytes)
            return;
        // The user waits for this one: tell the browser, and the program, that it failed.
        if (requestPath(buffer) == QLatin1String(CallbackPath)) {
            forget(socket);
            answerFinal(socket, tooLargeBytes());
            emit callbackTooLarge();
            return;
        }
        socket->abort();
        forget(socket);
        return;
    }
    const qsizetype lineEnd = buffer.indexOf('\n');
    const QString requestLine = QString::fromUtf8(buffer.left(lineEnd)).trimmed();
    forget(socket);
    QString target;
    const qsizetype firstSpace = requestLine.indexOf(QLatin1Char(' '));
    if (firstSpace >= 0) {
        const qsizetype secondSpace = requestLine.indexOf(QLatin1Char(' '), firstSpace + 1);
        target = requestLine.mid(firstSpace + 1, secondSpace < 0 ? -1 : secondSpace - firstSpace - 1);
    }
    const QUrl url(QStringLiteral("http://localhost:") + QString::number(m_port) + target);

    // Browsers also ask for icons and the like: only the callback ends the sign-in.
    if (url.path(QUrl::FullyDecoded) != QLatin1String(CallbackPath)) {
        socket->write(notFoundBytes());
        socket->flush();
        socket->disconnectFromHost();
        return;
    }

    answerFinal(socket, responseBytes());
    emit callbackReceived(url);
}

void WebAuthHandler::answerFinal(QTcpSocket *socket, const QByteArray &response)
{
    socket->write(response);
    socket->flush();
    socket->disconnectFromHost();
    // Only the first redirect counts; anything else still connected is turned away.
    stop();
}

void WebAuthHandler::forget(QTcpSocket *socket)
{
    m_buffers.remove(socket);
    disconnect(socket, nullptr, this, nullptr);
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    else
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void WebAuthHandler::closeServers()
{
    if (m_server->isListening())
        m_server->close();
    if (m_server6->isListening())
        m_server6->close();
}

} // namespace BrioAccount
