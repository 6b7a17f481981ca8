#include "SyncTestRig.h"

#include "AccountRepository.h"
#include "ApiClient.h"
#include "PreferencesRepository.h"
#include "SyncEngine.h"
#include "TokenManager.h"
#include "TransactionRepository.h"
#include "support/PreferenceKeyProbe.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTest>

// The pull cursor and the records kept for a retry belong to the user who
// pulled them. Another user signing in on the device starts from the
// beginning of their own records; the local rows stay as they are.
class TestSyncUserSwitch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void anotherUserPullsAllOfTheirRecords();
    void ownerOfAnOlderCursorIsUnknown();

private:
    // An account and `count` transactions of it, made on `server` by another device.
    static void seed(FakeSync::FakeSyncServer &server, const QString &prefix, int count);

    std::unique_ptr<SyncTestRig> rig;
};

void TestSyncUserSwitch::init()
{
    rig = std::make_unique<SyncTestRig>();
    QVERIFY(rig->isValid());
    rig->engine->setUserIdSource(SyncEngine::signedInUser(rig->tokens));
}

void TestSyncUserSwitch::cleanup()
{
    rig.reset();
}

void TestSyncUserSwitch::seed(FakeSync::FakeSyncServer &server, const QString &prefix, int count)
{
    // Server ids are unique across users, as a real service's are.
    const QString account = prefix + "-acc";
    server.put("accounts",
               SyncTestRig::serverAccount(account, prefix + " checking", {{"id", "srv-" + account}}));
    for (int i = 0; i < count; ++i) {
        const QString id = QStringLiteral("%1-tx-%2").arg(prefix).arg(i);
        server.put("transactions",
                   SyncTestRig::serverTransaction(id, account, QStringLiteral("Payee %1").arg(i),
                                                  {{"id", "srv-" + id}}));
    }
}

void TestSyncUserSwitch::anotherUserPullsAllOfTheirRecords()
{
    seed(rig->server, "one", 3);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->preferences->value(preferenceKey("syncCursorUser")), QStringLiteral("user-1"));
    // A record still waiting for its account is kept for this user's next cycle.
    rig->server.queuePullPage(QJsonObject{
        {"transactions", QJsonArray{SyncTestRig::serverTransaction("one-orphan", "one-later", "Orphan")}},
        {"cursor", rig->server.currentCursor()}});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("TransactionRepository::insert failed:"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("1 pulled records could not be applied yet"));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QVERIFY(rig->preferences->get(preferenceKey("syncApplyRetry")).has_value());
    const QString cursorOfOne = rig->preferences->value(preferenceKey("syncCursor"));

    // The same user again goes on from the saved cursor.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("TransactionRepository::insert failed:"));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pullCursors().last(), cursorOfOne);

    // Another user's records live on the server under the same cursor scheme:
    // the old cursor would skip the first of them.
    FakeSync::FakeSyncServer other;
    QVERIFY(other.listen());
    seed(other, "two", 10);
    rig->api->setBaseUrl(other.baseUrl());
    rig->tokens->setTokens(SyncTestRig::makeToken(3600, "user-2"), "refresh-2");

    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(other.pullCursors().first(), QString());
    QCOMPARE(rig->preferences->value(preferenceKey("syncCursorUser")), QStringLiteral("user-2"));
    QVERIFY(!rig->preferences->get(preferenceKey("syncApplyRetry")).has_value());
    for (int i = 0; i < 10; ++i)
        QVERIFY(rig->transactions->findById(QStringLiteral("two-tx-%1").arg(i)).has_value());
    QCOMPARE(rig->accounts->findById("two-acc")->name, QStringLiteral("two checking"));
    // The first user's rows stay as they were.
    QCOMPARE(rig->accounts->findById("one-acc")->name, QStringLiteral("one checking"));
    QCOMPARE(rig->accounts->findById("one-acc")->syncStatus, SyncStatus::Synced);
    QCOMPARE(rig->transactions->findById("one-tx-2")->payee, QStringLiteral("Payee 2"));
    QVERIFY(other.recordByClientId("accounts", "one-acc").isEmpty());
}

void TestSyncUserSwitch::ownerOfAnOlderCursorIsUnknown()
{
    // A cursor saved before its owner was kept may be anyone's.
    seed(rig->server, "two", 4);
    rig->preferences->set(preferenceKey("syncCursor"), rig->server.currentCursor());
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pullCursors().first(), QString());
    QCOMPARE(SyncTestRig::countRows("transactions"), 4);
    QCOMPARE(rig->preferences->value(preferenceKey("syncCursorUser")), QStringLiteral("user-1"));
}

QTEST_GUILESS_MAIN(TestSyncUserSwitch)
#include "TestSyncUserSwitch.moc"
