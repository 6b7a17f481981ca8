#include "SyncTestRig.h"

#include "AccountRepository.h"
#include "RecurringRepository.h"
#include "SyncEngine.h"
#include "TransactionRepository.h"

#include <QJsonArray>
#include <QTest>

// How a pulled record finds its local row (client id, then server id), which
// copy wins (version rule, local edits made during the cycle), and what the
// row looks like afterwards. Each case runs whole cycles against the fake
// service and compares with its store.
class TestSyncMatching : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void matchByClientId();
    void matchByServerIdKeepsLocalId();
    void idsOfNewRows_data();
    void idsOfNewRows();
    void lowerVersionChangesNothing();
    void equalVersionReplacesRejectedPendingRow();
    void missingVersionNeverReplaces();
    void editDuringCycleSurvivesTheEcho();
    void accountChangeMovesTheRow();
    void brokenTimestampsBecomeNow();

private:
    // The server's copy of a local row after a change by another device.
    QJsonObject changedOnServer(const QString &kind, const QString &clientId, const QJsonObject &fields);

    std::unique_ptr<SyncTestRig> rig;
};

void TestSyncMatching::init()
{
    rig = std::make_unique<SyncTestRig>();
    QVERIFY(rig->isValid());
}

void TestSyncMatching::cleanup()
{
    rig.reset();
}

QJsonObject TestSyncMatching::changedOnServer(const QString &kind, const QString &clientId,
                                              const QJsonObject &fields)
{
    QJsonObject record = rig->server.recordByClientId(kind, clientId);
    for (auto it = fields.begin(); it != fields.end(); ++it)
        record.insert(it.key(), it.value());
    rig->server.put(kind, record);
    return record;
}

void TestSyncMatching::matchByClientId()
{
    const Account account = rig->addAccount("Checking");
    const Transaction local = rig->addTransaction(account.id, -500, "Before");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    changedOnServer("transactions", local.id, {{"payee", "After"}, {"amount", -650}, {"version", 2}});
    changedOnServer("accounts", account.id, {{"name", "Renamed elsewhere"}, {"version", 2}});
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    const Transaction updated = *rig->transactions->findById(local.id);
    QCOMPARE(updated.payee, QStringLiteral("After"));
    QCOMPARE(updated.amount, qint64(-650));
    QCOMPARE(updated.version, 2);
    QCOMPARE(updated.syncStatus, SyncStatus::Synced);
    QCOMPARE(rig->accounts->findById(account.id)->name, QStringLiteral("Renamed elsewhere"));
    QCOMPARE(SyncTestRig::countRows("transactions"), 1);
    const QStringList differences = rig->differencesFromServer();
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join('\n')));
}

void TestSyncMatching::matchByServerIdKeepsLocalId()
{
    const Account account = rig->addAccount("Checking");
    const Transaction local = rig->addTransaction(account.id, -500, "Before");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    // The server lost the client id and another device sent one of its own.
    changedOnServer("transactions", local.id, {{"client_id", "id-from-elsewhere"}, {"payee", "After"}});
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    QCOMPARE(SyncTestRig::countRows("transactions"), 1);
    QCOMPARE(rig->transactions->findById(local.id)->payee, QStringLiteral("After"));
    QVERIFY(!rig->transactions->findById("id-from-elsewhere").has_value());
}

void TestSyncMatching::idsOfNewRows_data()
{
    QTest::addColumn<QString>("clientId");
    QTest::newRow("client id kept") << "tx-from-phone";
    QTest::newRow("no client id: fresh id") << "";
}

void TestSyncMatching::idsOfNewRows()
{
    QFETCH(QString, clientId);
    rig->server.put("accounts", SyncTestRig::serverAccount("acc-remote", "Remote"));
    const QString serverId =
        rig->server.put("transactions", SyncTestRig::serverTransaction(clientId, "acc-remote", "New"));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    const auto local = rig->transactions->findByServerId(serverId);
    QVERIFY(local.has_value());
    if (clientId.isEmpty()) {
        QVERIFY(!QUuid::fromString(local->id).isNull());
        QVERIFY(!local->id.contains('{'));
    } else {
        QCOMPARE(local->id, clientId);
    }
    QCOMPARE(local->syncStatus, SyncStatus::Synced);
    QCOMPARE(local->payee, QStringLiteral("New"));
    QCOMPARE(local->memo, QStringLiteral("from the other device"));
    QVERIFY(local->cleared);
    QCOMPARE(rig->accounts->findById("acc-remote")->currency, Currency::EUR);
}

void TestSyncMatching::lowerVersionChangesNothing()
{
    const Account account = rig->addAccount("Checking");
    Transaction local = rig->addTransaction(account.id, -500, "Mine");
    local.version = 3;
    QVERIFY(rig->transactions->update(local));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const QString serverId = rig->transactions->findById(local.id)->serverId;

    rig->server.queuePullPage(QJsonObject{
        {"transactions",
         QJsonArray{SyncTestRig::serverTransaction(
             local.id, account.id, "Older",
             {{"id", serverId}, {"version", 2}, {"is_split", 1}, {"deleted_at", "2024-03-09T00:00:00Z"}})}}});
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const Transaction kept = *rig->transactions->findById(local.id);
    QCOMPARE(kept.payee, QStringLiteral("Mine"));
    QCOMPARE(kept.version, 3);
    QVERIFY(!kept.deletedAt.has_value());
    QVERIFY(!kept.isSplit);
}

void TestSyncMatching::equalVersionReplacesRejectedPendingRow()
{
    const Account account = rig->addAccount("Checking");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const Transaction local = rig->addTransaction(account.id, -500, "Unpushed edit");
    rig->server.rejectEntity(local.id, "locked");
    rig->server.queuePullPage(
        QJsonObject{{"transactions", QJsonArray{SyncTestRig::serverTransaction(
                                         local.id, account.id, "Server copy", {{"id", "srv-tx-1"}})}}});

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Push result not ok"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Push batch: 0 ok, 1 errors"));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const Transaction replaced = *rig->transactions->findById(local.id);
    QCOMPARE(replaced.payee, QStringLiteral("Server copy"));
    QCOMPARE(replaced.syncStatus, SyncStatus::Synced);
    QCOMPARE(replaced.serverId, QStringLiteral("srv-tx-1"));
}

void TestSyncMatching::missingVersionNeverReplaces()
{
    const Account account = rig->addAccount("Checking");
    const Transaction local = rig->addTransaction(account.id, -500, "Mine");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    QJsonObject unversioned = SyncTestRig::serverTransaction(local.id, account.id, "No version");
    unversioned.remove("version");
    QJsonObject fresh = SyncTestRig::serverTransaction("tx-unversioned", account.id, "Fresh");
    fresh.remove("version");
    rig->server.queuePullPage(QJsonObject{{"transactions", QJsonArray{unversioned, fresh}}});
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->transactions->findById(local.id)->payee, QStringLiteral("Mine"));
    QCOMPARE(rig->transactions->findById("tx-unversioned")->version, 0);
}

void TestSyncMatching::editDuringCycleSurvivesTheEcho()
{
    const Account account = rig->addAccount("Checking");
    const Transaction local = rig->addTransaction(account.id, -500, "Before");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const QString serverId = rig->transactions->findById(local.id)->serverId;

    // Another device changes the row; the server's answer to our pull is on
    // its way while the user edits the same row here.
    changedOnServer("transactions", local.id, {{"payee", "Theirs"}, {"version", 2}});
    rig->server.holdPullAnswers(true);
    rig->engine->syncNow();
    QVERIFY(rig->server.http()->waitForRequests(rig->server.http()->requestCount() + 1));
    Transaction edited = *rig->transactions->findById(local.id);
    edited.payee = "Mine";
    edited.syncStatus = SyncStatus::Pending;
    QVERIFY(rig->transactions->update(edited));
    rig->server.holdPullAnswers(false);
    QCOMPARE(rig->waitForCycle(15000, [&] { rig->server.http()->release(); }),
             SyncTestRig::CycleEnd::Completed);

    const Transaction protectedRow = *rig->transactions->findById(local.id);
    QCOMPARE(protectedRow.payee, QStringLiteral("Mine"));
    QCOMPARE(protectedRow.syncStatus, SyncStatus::Pending);
    QCOMPARE(protectedRow.version, 2);
    QCOMPARE(protectedRow.serverId, serverId);

    // The edit goes out with the server's version and then both sides agree.
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.record("transactions", serverId)["payee"].toString(), QStringLiteral("Mine"));
    const QStringList differences = rig->differencesFromServer();
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join('\n')));
}

void TestSyncMatching::accountChangeMovesTheRow()
{
    const Account first = rig->addAccount("First");
    const Account second = rig->addAccount("Second");
    const Transaction transaction = rig->addTransaction(first.id, -500, "Moving");
    const RecurringTransaction rule = rig->addRecurring(first.id, "Moving rule");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    changedOnServer("transactions", transaction.id, {{"account_id", second.id}});
    changedOnServer("recurring_transactions", rule.id, {{"account_id", second.id}});
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->transactions->findById(transaction.id)->accountId, second.id);
    QCOMPARE(rig->recurring->findById(rule.id)->accountId, second.id);
    QCOMPARE(rig->transactions->findByAccount(first.id).size(), 0);
    QVERIFY(rig->differencesFromServer().isEmpty());
}

void TestSyncMatching::brokenTimestampsBecomeNow()
{
    rig->server.put("accounts",
                    SyncTestRig::serverAccount("acc-remote", "Remote",
                                               {{"created_at", "last tuesday"}, {"updated_at", ""}}));
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-2);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const auto account = rig->accounts->findById("acc-remote");
    QVERIFY(account.has_value());
    QVERIFY(account->createdAt.isValid() && account->createdAt >= before);
    QVERIFY(account->updatedAt.isValid() && account->updatedAt >= before);
}

QTEST_GUILESS_MAIN(TestSyncMatching)
#include "TestSyncMatching.moc"
