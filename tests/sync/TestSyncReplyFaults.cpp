#include "SyncTestRig.h"

#include "AccountRepository.h"
#include "ApiClient.h"
#include "CategoryRepository.h"
#include "PreferencesRepository.h"
#include "SyncEngine.h"
#include "TransactionRepository.h"
#include "support/PreferenceKeyProbe.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

// Replies a server may get wrong: bodies that are not a whole JSON object,
// bodies that never end or are too large, a cursor that leads back to one
// already used, and a push reply that says nothing about the changes. Each
// ends the cycle without moving the saved cursor past what was not applied.
class TestSyncReplyFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void replyFaults_data();
    void replyFaults();

private:
    std::unique_ptr<SyncTestRig> rig;
};

void TestSyncReplyFaults::init()
{
    rig = std::make_unique<SyncTestRig>();
    QVERIFY(rig->isValid());
}

void TestSyncReplyFaults::cleanup()
{
    rig.reset();
}

void TestSyncReplyFaults::replyFaults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("error"); // empty: the cycle completes

    QTest::newRow("not JSON") << "not JSON"
                              << "Pull failed: the reply is not a JSON object";
    QTest::newRow("array") << "array"
                           << "Pull failed: the reply is not a JSON object";
    QTest::newRow("empty") << "empty"
                           << "Pull failed: the reply is not a JSON object";
    // The connection closes before the announced length has arrived.
    QTest::newRow("truncated") << "truncated"
                               << "Pull failed (HTTP 0)";
    QTest::newRow("drip") << "drip"
                          << "Pull failed: no complete reply within 0.3 s";
    QTest::newRow("oversized page") << "oversized page"
                                    << "Pull failed: reply larger than 33554432 bytes";
    QTest::newRow("oversized page without length") << "oversized page without length"
                                                   << "Pull failed: reply larger than 33554432 bytes";
    QTest::newRow("push reply without results") << "push reply without results"
                                                << "Push failed: the reply holds no results";
    QTest::newRow("cursor loop") << "cursor loop" << "Pull stopped: the server sent the same position twice";
}

void TestSyncReplyFaults::replyFaults()
{
    QFETCH(QString, fault);
    QFETCH(QString, error);

    // A first clean cycle leaves a saved cursor and the server's account locally.
    rig->server.put("accounts", SyncTestRig::serverAccount("acc-1", "Remote", {{"id", "srv-a1"}}));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const QString savedCursor = rig->preferences->value(preferenceKey("syncCursor"));
    QVERIFY(!savedCursor.isEmpty());
    rig->server.put("transactions", SyncTestRig::serverTransaction("tx-new", "acc-1", "Not yet"));

    using Raw = FakeSync::FakeSyncServer::RawReply;
    const QByteArray jsonHead = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n";
    const Account local = fault == "push reply without results" ? rig->addAccount("Local") : Account();
    if (fault == "not JSON") {
        rig->server.injectPull(2, FakeHttp::Response::raw(200, "<html>busy</html>", "text/html"));
    } else if (fault == "array") {
        rig->server.injectPull(2, FakeHttp::Response::json(200, QJsonArray{QJsonObject{{"cursor", "x"}}}));
    } else if (fault == "empty") {
        rig->server.injectPull(2, FakeHttp::Response::empty(200));
    } else if (fault == "truncated") {
        rig->server.setRawReply(
            Raw{jsonHead + "Content-Length: 400\r\n\r\n", {R"({"cursor":"cut","has_mo)"}});
        rig->api->setBaseUrl(rig->server.rawBaseUrl());
    } else if (fault == "drip") {
        // A byte every 20 ms never trips the idle time-out, only the deadline.
        rig->api->setRequestDeadline(300);
        rig->server.setRawReply(
            Raw{jsonHead + "Content-Length: 400\r\n\r\n", QList<QByteArray>(400, " "), 20});
        rig->api->setBaseUrl(rig->server.rawBaseUrl());
    } else if (fault == "oversized page") {
        rig->server.setRawReply(Raw{
            jsonHead + "Content-Length: " + QByteArray::number(SyncEngine::MaxReplyBytes + 1) + "\r\n\r\n",
            {"{\"accounts\":["},
            0,
            false});
        rig->api->setBaseUrl(rig->server.rawBaseUrl());
    } else if (fault == "oversized page without length") {
        rig->server.setRawReply(Raw{jsonHead + "Connection: close\r\n\r\n",
                                    QList<QByteArray>(33, QByteArray(1024 * 1024, ' ')) << "{}"});
        rig->api->setBaseUrl(rig->server.rawBaseUrl());
    } else if (fault == "push reply without results") {
        rig->server.setPushReplyHook([](QJsonObject) { return QJsonObject{{"accepted", 1}}; });
    } else if (fault == "cursor loop") {
        // A -> B -> A -> B ...: only the first repeat is followed. The pages
        // bring the account unchanged, which changes nothing locally.
        const QJsonObject unchanged = rig->server.record("accounts", "srv-a1");
        for (int page = 0; page < 8; ++page)
            rig->server.queuePullPage(QJsonObject{{"accounts", QJsonArray{unchanged}},
                                                  {"cursor", page % 2 ? "loop-B" : "loop-A"},
                                                  {"has_more", true}});
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("a cursor already sent in this sync"));
    }

    QSignalSpy accountSignals(rig->accounts, &AccountRepository::accountsChanged);
    QSignalSpy transactionSignals(rig->transactions, &TransactionRepository::transactionsChanged);
    QSignalSpy failures(rig->engine, &SyncEngine::syncFailed);
    const int pullsBefore = rig->server.pullCount();
    const SyncTestRig::CycleEnd end = rig->runCycle();

    if (fault == "cursor loop") {
        // A fault of the server's: reported, so that no requested cycle follows.
        QCOMPARE(end, SyncTestRig::CycleEnd::Failed);
        QCOMPARE(rig->engine->lastError(), error);
        QCOMPARE(rig->server.pullCount() - pullsBefore, 3);
        QCOMPARE(rig->server.pullCursors().mid(pullsBefore), QStringList({savedCursor, "loop-A", "loop-B"}));
        QCOMPARE(rig->engine->state(), SyncEngine::Error);
        // Nothing was written, so nothing asks for another sync.
        QCOMPARE(accountSignals.size(), 0);
        QCOMPARE(transactionSignals.size(), 0);
        return;
    }
    QCOMPARE(end, SyncTestRig::CycleEnd::Failed);
    QCOMPARE(rig->engine->state(), SyncEngine::Error);
    QCOMPARE(rig->engine->lastError(), error);
    QCOMPARE(failures.size(), 1);
    QCOMPARE(rig->preferences->value(preferenceKey("syncCursor")), savedCursor);
    QVERIFY(!rig->transactions->findById("tx-new").has_value());
    if (local.id.isEmpty()) {
        QCOMPARE(accountSignals.size(), 0);
    } else {
        // The batch stays pending and nothing is pulled after it.
        QCOMPARE(rig->server.pullCount(), pullsBefore);
        QCOMPARE(rig->accounts->findById(local.id)->syncStatus, SyncStatus::Pending);
    }

    // The next cycle against a sound server picks up where the last good page left off.
    rig->api->setBaseUrl(rig->server.baseUrl());
    rig->server.setPushReplyHook(nullptr);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pullCursors().last(), savedCursor);
    QCOMPARE(rig->transactions->findById("tx-new")->payee, QStringLiteral("Not yet"));
    const QStringList differences = rig->differencesFromServer();
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join('\n')));
}

QTEST_GUILESS_MAIN(TestSyncReplyFaults)
#include "TestSyncReplyFaults.moc"
