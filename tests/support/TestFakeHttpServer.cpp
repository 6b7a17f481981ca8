// The fake web server is the ground truth of every client test, so its own wire behaviour
// is checked here with a raw socket and with Qt's network access manager.
#include "FakeHttpServer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

using FakeHttp::FakeHttpServer;
using FakeHttp::Response;

class TestFakeHttpServer : public QObject
{
    Q_OBJECT

private:
    struct Answer
    {
        int status = 0;
        QByteArray body;
        QNetworkReply::NetworkError error = QNetworkReply::NoError;
        QByteArray location;
    };
    Answer fetch(QNetworkAccessManager &nam, const QNetworkRequest &request, const QByteArray &verb,
                 const QByteArray &body = QByteArray());
    static QByteArray readUntil(QTcpSocket &socket, const QByteArray &marker);

private Q_SLOTS:
    void recordsMethodPathQueryHeadersAndBody();
    void keepAliveConnectionCarriesSeveralRequests();
    void pipelinedRequestsAreAnsweredInOrder();
    void splitRequestIsReassembled();
    void oneShotAnswersComeBeforeTheStandingAnswer();
    void unknownRouteAnswers404();
    void heldAnswerWaitsForRelease();
    void droppedConnectionGivesTransportError();
    void redirectCarriesLocation();
    void listensOnIpv6WithTheSamePort();
};

TestFakeHttpServer::Answer TestFakeHttpServer::fetch(QNetworkAccessManager &nam,
                                                     const QNetworkRequest &request, const QByteArray &verb,
                                                     const QByteArray &body)
{
    QNetworkReply *reply = nam.sendCustomRequest(request, verb, body);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(10000);
    Answer answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.body = reply->readAll();
    answer.error = reply->error();
    answer.location = reply->rawHeader("Location");
    reply->deleteLater();
    return answer;
}

QByteArray TestFakeHttpServer::readUntil(QTcpSocket &socket, const QByteArray &marker)
{
    // The server lives on this thread, so wait through the event loop, never by blocking.
    QByteArray all;
    (void)QTest::qWaitFor(
        [&] {
            all += socket.readAll();
            return all.contains(marker);
        },
        5000);
    return all;
}

void TestFakeHttpServer::recordsMethodPathQueryHeadersAndBody()
{
    FakeHttpServer server;
    QVERIFY(server.listen());
    server.on("PATCH", "/api/items/a b", Response::json(200, QJsonObject{{"done", true}}));

    QNetworkAccessManager nam;
    QUrl url = server.url("/api/items/a%20b");
    url.setQuery(QStringLiteral("cursor=x%2By&limit=5"));
    QNetworkRequest request(url);
    request.setRawHeader("X-Mixed-Case", "Value");
    const Answer answer = fetch(nam, request, "PATCH", R"({"name":"Ann"})");

    QCOMPARE(answer.status, 200);
    QCOMPARE(answer.body, QByteArray(R"({"done":true})"));
    QCOMPARE(server.requestCount(), 1);
    const FakeHttp::Request r = server.lastRequest();
    QCOMPARE(r.method, QByteArray("PATCH"));
    QCOMPARE(r.path, QStringLiteral("/api/items/a b"));
    QCOMPARE(r.target, QByteArray("/api/items/a%20b?cursor=x%2By&limit=5"));
    QCOMPARE(r.rawQuery, QByteArray("cursor=x%2By&limit=5"));
    QCOMPARE(r.query.queryItemValue("cursor", QUrl::FullyDecoded), QStringLiteral("x+y"));
    QCOMPARE(r.header("x-mixed-case"), QByteArray("Value"));
    QVERIFY(r.hasHeader("X-MIXED-CASE"));
    QVERIFY(!r.hasHeader("Authorization"));
    QCOMPARE(r.body, QByteArray(R"({"name":"Ann"})"));
    QCOMPARE(r.jsonBody().value("name").toString(), QStringLiteral("Ann"));
}

void TestFakeHttpServer::keepAliveConnectionCarriesSeveralRequests()
{
    FakeHttpServer server;
    QVERIFY(server.listen());
    server.on("POST", "/echo",
              [](const FakeHttp::Request &r) { return Response::raw(201, r.body, "text/plain"); });

    QNetworkAccessManager nam;
    for (int i = 0; i < 3; ++i) {
        const QByteArray body = QByteArray("body-") + QByteArray::number(i);
        const Answer answer = fetch(nam, QNetworkRequest(server.url("/echo")), "POST", body);
        QCOMPARE(answer.status, 201);
        QCOMPARE(answer.body, body);
    }
    QCOMPARE(server.requestCount(), 3);
    // One connection served all three: the body boundaries were respected.
    QCOMPARE(server.requests().at(2).connection, server.requests().at(0).connection);
    QCOMPARE(server.requests().at(2).sequence, 3);
}

void TestFakeHttpServer::pipelinedRequestsAreAnsweredInOrder()
{
    FakeHttpServer server;
    QVERIFY(server.listen());
    server.on("GET", "/slow", Response::raw(200, "first", "text/plain").delayed(100));
    server.on("POST", "/fast", Response::raw(200, "second", "text/plain"));

    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write("GET /slow HTTP/1.1\r\nHost: x\r\n\r\n"
                 "POST /fast HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nabc");
    QVERIFY(server.waitForRequests(1));
    const QByteArray answers = readUntil(socket, "second");

    QCOMPARE(server.requestCount(), 2);
    QCOMPARE(server.requests().at(1).body, QByteArray("abc"));
    const qsizetype first = answers.indexOf("first");
    const qsizetype second = answers.indexOf("second");
    QVERIFY(first > 0);
    QVERIFY(second > first);
}

void TestFakeHttpServer::splitRequestIsReassembled()
{
    FakeHttpServer server;
    QVERIFY(server.listen());
    server.on("POST", "/x", Response::empty(204));

    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write("POST /x HTTP/1.1\r\nContent-Le");
    socket.flush();
    QTest::qWait(50);
    QCOMPARE(server.requestCount(), 0);
    socket.write("ngth: 4\r\n\r\nab");
    socket.flush();
    QTest::qWait(50);
    QCOMPARE(server.requestCount(), 0);
    socket.write("cd");
    QVERIFY(server.waitForRequests(1));
    QCOMPARE(server.lastRequest().body, QByteArray("abcd"));
    QVERIFY(readUntil(socket, "\r\n\r\n").startsWith("HTTP/1.1 204 No Content\r\n"));
}

void TestFakeHttpServer::oneShotAnswersComeBeforeTheStandingAnswer()
{
    FakeHttpServer server;
    QVERIFY(server.listen());
    server.on("GET", "/r", Response::empty(200));
    server.onNext("GET", "/r", Response::empty(401));
    server.onNext("GET", "/r", Response::empty(503));

    QNetworkAccessManager nam;
    QCOMPARE(fetch(nam, QNetworkRequest(server.url("/r")), "GET").status, 401);
    QCOMPARE(fetch(nam, QNetworkRequest(server.url("/r")), "GET").status, 503);
    QCOMPARE(fetch(nam, QNetworkRequest(server.url("/r")), "GET").status, 200);
    QCOMPARE(fetch(nam, QNetworkRequest(server.url("/r")), "GET").status, 200);
}

void TestFakeHttpServer::unknownRouteAnswers404()
{
    FakeHttpServer server;
    QVERIFY(server.listen());
    QNetworkAccessManager nam;
    QCOMPARE(fetch(nam, QNetworkRequest(server.url("/nothing")), "GET").status, 404);

    server.setFallback([](const FakeHttp::Request &r) { return Response::raw(418, r.method, "text/plain"); });
    const Answer answer = fetch(nam, QNetworkRequest(server.url("/nothing")), "DELETE");
    QCOMPARE(answer.status, 418);
    QCOMPARE(answer.body, QByteArray("DELETE"));
}

void TestFakeHttpServer::heldAnswerWaitsForRelease()
{
    FakeHttpServer server;
    QVERIFY(server.listen());
    server.on("GET", "/held", Response::raw(200, "late", "text/plain").held());

    QNetworkAccessManager nam;
    QNetworkReply *reply = nam.get(QNetworkRequest(server.url("/held")));
    QVERIFY(server.waitForRequests(1));
    QTRY_COMPARE(server.heldCount(), 1);
    QTest::qWait(50);
    QVERIFY(!reply->isFinished());

    server.release();
    QTRY_VERIFY(reply->isFinished());
    QCOMPARE(reply->readAll(), QByteArray("late"));
    QCOMPARE(server.heldCount(), 0);
    delete reply;
}

void TestFakeHttpServer::droppedConnectionGivesTransportError()
{
    FakeHttpServer server;
    QVERIFY(server.listen());
    server.on("GET", "/drop", Response::drop());

    QNetworkAccessManager nam;
    const Answer answer = fetch(nam, QNetworkRequest(server.url("/drop")), "GET");
    QCOMPARE(answer.status, 0);
    QVERIFY(answer.error != QNetworkReply::NoError);
    QVERIFY(server.requestCount() >= 1);
}

void TestFakeHttpServer::redirectCarriesLocation()
{
    FakeHttpServer server;
    QVERIFY(server.listen());
    server.on("GET", "/old", Response::redirect(302, QUrl("http://example.invalid/new")));

    QNetworkAccessManager nam;
    nam.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    const Answer answer = fetch(nam, QNetworkRequest(server.url("/old")), "GET");
    QCOMPARE(answer.status, 302);
    QCOMPARE(answer.location, QByteArray("http://example.invalid/new"));
}

void TestFakeHttpServer::listensOnIpv6WithTheSamePort()
{
    FakeHttpServer server;
    if (!server.listen(true))
        QSKIP("no IPv6 loopback on this machine");
    server.on("GET", "/six", Response::raw(200, "six", "text/plain"));

    QNetworkAccessManager nam;
    const Answer answer = fetch(nam, QNetworkRequest(server.ipv6Url("/six")), "GET");
    QCOMPARE(answer.status, 200);
    QCOMPARE(answer.body, QByteArray("six"));
    QCOMPARE(server.ipv6Url().port(), server.url().port());
}

QTEST_GUILESS_MAIN(TestFakeHttpServer)
#include "TestFakeHttpServer.moc"
