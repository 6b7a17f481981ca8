#pragma once

// An in-process HTTP/1.1 server for tests of web-service clients.
//
// It listens on 127.0.0.1 (and, on request, on ::1 with the same port) on a free port,
// records every request it receives and answers from a script:
//
//     FakeHttp::FakeHttpServer server;
//     QVERIFY(server.listen());
//     server.on("GET", "/api/items", FakeHttp::Response::json(200, QJsonObject{{"items", QJsonArray()}}));
//     server.onNext("POST", "/api/items", FakeHttp::Response::json(401, {}));   // first POST only
//     server.on("DELETE", "/api/items/7", FakeHttp::Response::drop());
//     client.setBaseUrl(server.url("/api"));
//     ...
//     QTRY_COMPARE(server.requestCount(), 3);
//     QCOMPARE(server.requests().at(0).header("authorization"), QByteArray("Bearer abc"));
//
// Answer selection for a request, first match wins: the oldest unused one-shot answer of
// `onNext` for its method and path, the standing answer of `on`, the fallback handler, and
// finally 404 with a small JSON body. Paths are compared percent-decoded and without the query.
//
// Kinds of answer (see Response): a normal answer (status, headers, body, optional delay), a
// redirect, dropping the connection without an answer, holding the answer until `release()`,
// and never answering. Connections are kept alive; requests on one connection are answered in
// order, so a held or delayed answer also holds back later requests on the same connection.
// Request bodies are read by Content-Length; a chunked request is answered 501 and closed.
//
// Note for drop tests: Qt's network access manager resends a request once or twice when the
// connection is closed before any answer byte arrives, so one client call may arrive more
// than once.
//
// Everything runs on the thread that owns the server; waiting goes through the event loop
// (QTRY_* macros, QSignalSpy::wait or waitForRequests).

#include <QByteArray>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include <functional>
#include <memory>

class QTcpServer;
class QTcpSocket;

namespace FakeHttp {

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

struct Request
{
    int sequence = 0;   // 1-based arrival order over the whole server
    int connection = 0; // 1-based number of the TCP connection that carried it
    QByteArray method;
    QByteArray target;   // the request target exactly as sent
    QString path;        // percent-decoded path, without the query
    QByteArray rawQuery; // the query exactly as sent, without "?"
    QUrlQuery query;     // the same query; use queryItemValue(key, QUrl::FullyDecoded)
    QByteArray version;  // "HTTP/1.1"
    HeaderList headers;  // in arrival order, names as sent
    QByteArray body;

    // Header lookup ignores the case of the name; empty when absent.
    QByteArray header(const QByteArray &name) const;
    bool hasHeader(const QByteArray &name) const;
    QJsonObject jsonBody() const; // empty when the body is not a JSON object
};

struct Response
{
    enum class Kind
    {
        Answer,  // status, headers and body
        Drop,    // close the connection at once, no answer
        Silence, // keep the connection open and never answer
    };

    Kind kind = Kind::Answer;
    int status = 200;
    HeaderList headers;
    QByteArray body;
    int delayMs = 0;   // wait this long before answering (or dropping)
    bool hold = false; // keep the answer back until FakeHttpServer::release()

    static Response json(int status, const QJsonObject &body);
    static Response json(int status, const QJsonArray &body);
    static Response raw(int status, const QByteArray &body,
                        const QByteArray &contentType = "application/octet-stream");
    static Response empty(int status);
    static Response redirect(int status, const QUrl &location);
    static Response drop();
    static Response never();

    Response held() const;
    Response delayed(int ms) const;
    Response withHeader(const QByteArray &name, const QByteArray &value) const;
};

class FakeHttpServer : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<Response(const Request &)>;

    explicit FakeHttpServer(QObject *parent = nullptr);
    ~FakeHttpServer() override;

    // Listens on 127.0.0.1 (and ::1 when asked) on one free port; false when it cannot.
    bool listen(bool alsoIpv6 = false);
    quint16 port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by the given path.
    QUrl url(const QString &path = QString()) const;
    // "http://[::1]:<port>" followed by the given path (only with listen(true)).
    QUrl ipv6Url(const QString &path = QString()) const;
    // Stops listening and aborts every open connection.
    void close();

    void on(const QByteArray &method, const QString &path, const Response &response);
    void on(const QByteArray &method, const QString &path, Handler handler);
    void onNext(const QByteArray &method, const QString &path, const Response &response);
    void setFallback(Handler handler);
    void clearRoutes();

    QList<Request> requests() const { return m_requests; }
    QList<Request> requestsTo(const QByteArray &method, const QString &path) const;
    int requestCount() const { return int(m_requests.size()); }
    int requestCount(const QByteArray &method, const QString &path) const;
    Request lastRequest() const;
    void clearRequests() { m_requests.clear(); }

    // Runs the event loop until at least `count` requests have arrived; false on time-out.
    bool waitForRequests(int count, int timeoutMs = 5000);

    // Number of answers currently held back, and sending all of them.
    int heldCount() const;
    void release();

signals:
    void requestReceived(const FakeHttp::Request &request);

private:
    struct Connection
    {
        int number = 0;
        QPointer<QTcpSocket> socket;
        QByteArray buffer;
        bool busy = false;       // an answer is pending (delayed, held or never)
        bool closeAfter = false; // the request asked to close the connection
        Response pending;
    };

    void acceptConnections(QTcpServer *server);
    void processBuffer(const std::shared_ptr<Connection> &connection);
    bool parseRequest(Connection *connection, Request &request, bool &malformed);
    Response answerFor(const Request &request);
    void deliver(const std::shared_ptr<Connection> &connection, const Response &response);
    void finishPending(const std::shared_ptr<Connection> &connection);
    void writeAnswer(Connection *connection, const Response &response);
    void forgetConnection(QTcpSocket *socket);

    QTcpServer *m_server4 = nullptr;
    QTcpServer *m_server6 = nullptr;
    quint16 m_port = 0;
    int m_connectionCount = 0;
    QHash<QTcpSocket *, std::shared_ptr<Connection>> m_connections;
    QHash<QString, Handler> m_routes;
    QHash<QString, QList<Response>> m_oneShots;
    Handler m_fallback;
    QList<Request> m_requests;
};

} // namespace FakeHttp

Q_DECLARE_METATYPE(FakeHttp::Request)
Q_DECLARE_METATYPE(FakeHttp::Response)
