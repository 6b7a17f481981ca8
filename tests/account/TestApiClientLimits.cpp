#include "ApiClient.h"
#include "FakeHttpServer.h"
#include "TokenManager.h"
#include "support/AccountTestSupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace BrioAccount;
using FakeHttp::Response;

// Every request's own bounds: the size of an account reply, and one deadline
// for the whole reply on top of the time-out of a silent connection.
class TestApiClientLimits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replyLimits_data();
    void replyLimits();
};

void TestApiClientLimits::replyLimits_data()
{
    QTest::addColumn<qint64>("size"); // of the JSON body, padded with spaces
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<QString>("refusal"); // empty: the reply arrives whole

    QTest::newRow("at the size bound") << ApiClient::DefaultMaxReplyBytes << 0 << QString();
    QTest::newRow("past the size bound")
        << ApiClient::DefaultMaxReplyBytes + 1 << 0 << "reply larger than 4194304 bytes";
    QTest::newRow("within the deadline") << qint64(64) << 50 << QString();
    QTest::newRow("past the deadline") << qint64(64) << 2000 << "no complete reply within 0.3 s";
}

void TestApiClientLimits::replyLimits()
{
    QFETCH(qint64, size);
    QFETCH(int, delayMs);
    QFETCH(QString, refusal);

    FakeHttp::FakeHttpServer server;
    QVERIFY(server.listen());
    QByteArray body = R"({"id":"me"})";
    body.append(QByteArray(size - body.size(), ' '));
    server.on("GET", "/base/me", Response::raw(200, body, "application/json").delayed(delayMs));

    TokenManager tokens(std::make_unique<AccountTest::MemoryTokenStore>(
        std::make_shared<AccountTest::MemoryTokenStore::Shared>()));
    tokens.setTokens(AccountTest::freshToken({{"sub", "me"}}), QStringLiteral("refresh-1"));
    ApiClient api(&tokens);
    api.setBaseUrl(server.url(QStringLiteral("/base")));
    // The connection's idle time-out alone would wait far longer.
    api.setTransferTimeout(10000);
    api.setRequestDeadline(300);
    QSignalSpy networkErrors(&api, &ApiClient::networkError);

    int calls = 0;
    ApiClient::Reply reply;
    api.getReply(QStringLiteral("/me"), [&](const ApiClient::Reply &r) {
        ++calls;
        reply = r;
    });
    QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 5000);
    QCOMPARE(reply.refusal, refusal);
    if (refusal.isEmpty()) {
        QVERIFY(reply.ok);
        QVERIFY(reply.bodyIsObject);
        QCOMPARE(reply.body.value("id").toString(), QStringLiteral("me"));
        QCOMPARE(networkErrors.size(), 0);
    } else {
        QVERIFY(!reply.ok);
        QCOMPARE(reply.status, 0);
        QVERIFY(reply.body.isEmpty());
        QCOMPARE(networkErrors.size(), 1);
        QCOMPARE(networkErrors.first().first().toString(), refusal);
    }
}

QTEST_GUILESS_MAIN(TestApiClientLimits)
#include "TestApiClientLimits.moc"
