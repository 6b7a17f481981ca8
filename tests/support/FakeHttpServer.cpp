#include "FakeHttpServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace FakeHttp {

namespace {

// Large enough for any test request head; a client that sends more is broken.
constexpr int MaxHeadBytes = 64 * 1024;

QString routeKey(const QByteArray &method, const QString &path)
{
    return QString::fromLatin1(method) + QLatin1Char(' ') + path;
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 202:
        return "Accepted";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 303:
        return "See Other";
    case 304:
        return "Not Modified";
    case 307:
        return "Temporary Redirect";
    case 308:
        return "Permanent Redirect";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 408:
        return "Request Timeout";
    case 409:
        return "Conflict";
    case 422:
        return "Unprocessable Entity";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

// Acknowledges received data at once. The kernel otherwise delays the ACK
// for up to 40 ms, and a client that sends a large body in several writes
// (Qt's HTTP client does) waits that long before each request completes.
void quickAck(QTcpSocket *socket)
{
#ifdef TCP_QUICKACK
    const int one = 1;
    setsockopt(int(socket->socketDescriptor()), IPPROTO_TCP, TCP_QUICKACK, &one, sizeof one);
#else
    Q_UNUSED(socket);
#endif
}

bool statusHasNoBody(int status)
{
    return (status >= 100 && status < 200) || status == 204 || status == 304;
}

} // namespace

QByteArray Request::header(const QByteArray &name) const
{
    for (const auto &h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return QByteArray();
}

bool Request::hasHeader(const QByteArray &name) const
{
    for (const auto &h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QJsonObject Request::jsonBody() const
{
    return QJsonDocument::fromJson(body).object();
}

Response Response::json(int status, const QJsonObject &body)
{
    return raw(status, QJsonDocument(body).toJson(QJsonDocument::Compact), "application/json");
}

Response Response::json(int status, const QJsonArray &body)
{
    return raw(status, QJsonDocument(body).toJson(QJsonDocument::Compact), "application/json");
}

Response Response::raw(int status, const QByteArray &body, const QByteArray &contentType)
{
    Response r;
    r.status = status;
    r.body = body;
    if (!contentType.isEmpty())
        r.headers.append({"Content-Type", contentType});
    return r;
}

Response Response::empty(int status)
{
    Response r;
    r.status = status;
    return r;
}

Response Response::redirect(int status, const QUrl &location)
{
    return empty(status).withHeader("Location", location.toEncoded());
}

Response Response::drop()
{
    Response r;
    r.kind = Kind::Drop;
    return r;
}

Response Response::never()
{
    Response r;
    r.kind = Kind::Silence;
    return r;
}

Response Response::held() const
{
    Response r = *this;
    r.hold = true;
    return r;
}

Response Response::delayed(int ms) const
{
    Response r = *this;
    r.delayMs = ms;
    return r;
}

Response Response::withHeader(const QByteArray &name, const QByteArray &value) const
{
    Response r = *this;
    r.headers.append({name, value});
    return r;
}

FakeHttpServer::FakeHttpServer(QObject *parent)
    : QObject(parent)
{
}

FakeHttpServer::~FakeHttpServer()
{
    close();
}

bool FakeHttpServer::listen(bool alsoIpv6)
{
    close();
    // The IPv6 side must share the IPv4 port; another process may hold it there, so try a few.
    for (int attempt = 0; attempt < 20; ++attempt) {
        auto *server4 = new QTcpServer(this);
        if (!server4->listen(QHostAddress::LocalHost, 0)) {
            delete server4;
            return false;
        }
        QTcpServer *server6 = nullptr;
        if (alsoIpv6) {
            server6 = new QTcpServer(this);
            if (!server6->listen(QHostAddress::LocalHostIPv6, server4->serverPort())) {
                delete server6;
                delete server4;
                continue;
            }
        }
        m_server4 = server4;
        m_server6 = server6;
        m_port = server4->serverPort();
        for (QTcpServer *s : {m_server4, m_server6}) {
            if (s)
                connect(s, &QTcpServer::newConnection, this, [this, s] { acceptConnections(s); });
        }
        return true;
    }
    return false;
}

QUrl FakeHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
}

QUrl FakeHttpServer::ipv6Url(const QString &path) const
{
    return QUrl(QStringLiteral("http://[::1]:%1%2").arg(m_port).arg(path));
}

void FakeHttpServer::close()
{
    delete m_server4;
    delete m_server6;
    m_server4 = nullptr;
    m_server6 = nullptr;
    m_port = 0;
    const auto sockets = m_connections.keys();
    m_connections.clear();
    for (QTcpSocket *socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

void FakeHttpServer::on(const QByteArray &method, const QString &path, const Response &response)
{
    on(method, path, [response](const Request &) { return response; });
}

void FakeHttpServer::on(const QByteArray &method, const QString &path, Handler handler)
{
    m_routes.insert(routeKey(method, path), std::move(handler));
}

void FakeHttpServer::onNext(const QByteArray &method, const QString &path, const Response &response)
{
    m_oneShots[routeKey(method, path)].append(response);
}

void FakeHttpServer::setFallback(Handler handler)
{
    m_fallback = std::move(handler);
}

void FakeHttpServer::clearRoutes()
{
    m_routes.clear();
    m_oneShots.clear();
    m_fallback = nullptr;
}

QList<Request> FakeHttpServer::requestsTo(const QByteArray &method, const QString &path) const
{
    QList<Request> result;
    for (const Request &r : m_requests) {
        if (r.method == method && r.path == path)
            result.append(r);
    }
    return result;
}

int FakeHttpServer::requestCount(const QByteArray &method, const QString &path) const
{
    return int(requestsTo(method, path).size());
}

Request FakeHttpServer::lastRequest() const
{
    return m_requests.isEmpty() ? Request() : m_requests.constLast();
}

bool FakeHttpServer::waitForRequests(int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (requestCount() < count) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

int FakeHttpServer::heldCount() const
{
    int count = 0;
    for (const auto &c : m_connections) {
        if (c->busy && c->pending.hold)
            ++count;
    }
    return count;
}

void FakeHttpServer::release()
{
    const auto connections = m_connections.values();
    for (const auto &c : connections) {
        if (!c->busy || !c->pending.hold)
            continue;
        Response next = c->pending;
        next.hold = false;
        c->busy = false;
        deliver(c, next);
        processBuffer(c);
    }
}

void FakeHttpServer::acceptConnections(QTcpServer *server)
{
    while (QTcpSocket *socket = server->nextPendingConnection()) {
        socket->setParent(this);
        auto connection = std::make_shared<Connection>();
        connection->number = ++m_connectionCount;
        connection->socket = socket;
        m_connections.insert(socket, connection);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            auto c = m_connections.value(socket);
            if (!c)
                return;
            quickAck(socket);
            c->buffer.append(socket->readAll());
            processBuffer(c);
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { forgetConnection(socket); });
    }
}

void FakeHttpServer::forgetConnection(QTcpSocket *socket)
{
    if (m_connections.remove(socket))
        socket->deleteLater();
}

void FakeHttpServer::processBuffer(const std::shared_ptr<Connection> &connection)
{
    while (!connection->busy && connection->socket && m_connections.contains(connection->socket)) {
        Request request;
        bool malformed = false;
        if (!parseRequest(connection.get(), request, malformed)) {
            if (malformed) {
                connection->closeAfter = true;
                writeAnswer(connection.get(), Response::raw(400, "malformed request", "text/plain"));
            }
            return;
        }
        request.sequence = int(m_requests.size()) + 1;
        request.connection = connection->number;
        m_requests.append(request);
        emit requestReceived(request);
        deliver(connection, answerFor(request));
    }
}

bool FakeHttpServer::parseRequest(Connection *connection, Request &request, bool &malformed)
{
    QByteArray &buffer = connection->buffer;
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0) {
        malformed = buffer.size() > MaxHeadBytes;
        return false;
    }
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    if (requestLine.size() != 3) {
        malformed = true;
        return false;
    }
    request.method = requestLine.at(0);
    request.target = requestLine.at(1);
    request.version = requestLine.at(2);

    qsizetype contentLength = 0;
    bool chunked = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            malformed = true;
            return false;
        }
        const QByteArray name = line.left(colon).trimmed();
        const QByteArray value = line.mid(colon + 1).trimmed();
        request.headers.append({name, value});
        if (name.compare("Content-Length", Qt::CaseInsensitive) == 0) {
            bool ok = false;
            contentLength = value.toLongLong(&ok);
            if (!ok || contentLength < 0) {
                malformed = true;
                return false;
            }
        } else if (name.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0) {
            chunked = true;
        }
    }
    const qsizetype bodyStart = headEnd + 4;
    if (!chunked && buffer.size() - bodyStart < contentLength)
        return false;
    request.body = buffer.mid(bodyStart, chunked ? 0 : contentLength);
    buffer.remove(0, bodyStart + (chunked ? buffer.size() : contentLength));

    const QByteArray connectionHeader = request.header("Connection").toLower();
    connection->closeAfter = chunked || connectionHeader == "close" ||
                             (request.version == "HTTP/1.0" && connectionHeader != "keep-alive");

    QByteArray pathPart = request.target;
    const qsizetype hash = pathPart.indexOf('#');
    if (hash >= 0)
        pathPart.truncate(hash);
    const qsizetype question = pathPart.indexOf('?');
    if (question >= 0) {
        request.rawQuery = pathPart.mid(question + 1);
        pathPart.truncate(question);
    }
    request.path = QUrl::fromPercentEncoding(pathPart);
    request.query = QUrlQuery(QString::fromLatin1(request.rawQuery));
    if (chunked)
        request.headers.append({QByteArray("X-Fake-Unsupported"), QByteArray("chunked")});
    return true;
}

Response FakeHttpServer::answerFor(const Request &request)
{
    if (request.header("X-Fake-Unsupported") == "chunked")
        return Response::raw(501, "chunked request bodies are not supported", "text/plain");
    const QString key = routeKey(request.method, request.path);
    auto oneShot = m_oneShots.find(key);
    if (oneShot != m_oneShots.end() && !oneShot->isEmpty())
        return oneShot->takeFirst();
    if (auto route = m_routes.constFind(key); route != m_routes.constEnd())
        return (*route)(request);
    if (m_fallback)
        return m_fallback(request);
    return Response::json(404, QJsonObject{{QStringLiteral("error"), QStringLiteral("not found")}});
}

void FakeHttpServer::deliver(const std::shared_ptr<Connection> &connection, const Response &response)
{
    if (response.hold || response.kind == Response::Kind::Silence) {
        connection->busy = true;
        connection->pending = response;
        return;
    }
    if (response.delayMs > 0) {
        connection->busy = true;
        Response next = response;
        next.delayMs = 0;
        connection->pending = next;
        std::weak_ptr<Connection> weak = connection;
        QTimer::singleShot(response.delayMs, this, [this, weak, next] {
            auto c = weak.lock();
            if (!c || !m_connections.contains(c->socket))
                return;
            c->busy = false;
            deliver(c, next);
            processBuffer(c);
        });
        return;
    }
    QTcpSocket *socket = connection->socket;
    if (!socket)
        return;
    if (response.kind == Response::Kind::Drop) {
        connection->busy = true; // nothing more is read from a dropped connection
        socket->abort();
        forgetConnection(socket);
        return;
    }
    writeAnswer(connection.get(), response);
}

void FakeHttpServer::writeAnswer(Connection *connection, const Response &response)
{
    QTcpSocket *socket = connection->socket;
    if (!socket)
        return;
    QByteArray out =
        "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) + "\r\n";
    for (const auto &h : response.headers)
        out += h.first + ": " + h.second + "\r\n";
    const bool noBody = statusHasNoBody(response.status);
    if (!noBody)
        out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    if (connection->closeAfter)
        out += "Connection: close\r\n";
    out += "\r\n";
    if (!noBody)
        out += response.body;
    socket->write(out);
    socket->flush();
    if (connection->closeAfter) {
        connection->busy = true;
        socket->disconnectFromHost();
    }
}

} // namespace FakeHttp
