#include "SyncTestRig.h"

#include "AccountRepository.h"
#include "SplitLineRepository.h"
#include "SyncEngine.h"
#include "TransactionRepository.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

// The push half of a cycle, checked on what the server received and then on
// the local database compared with the server's store.
class TestSyncPush : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void sendsEveryKindInOrder();
    void serverIdTravelsAfterFirstPush();
    void batchesOf500AfterEachReply();
    void partialAcceptance_data();
    void partialAcceptance();
    void failedSecondBatchStopsTheCycle();
    void okWithoutServerIdKeepsTheStoredOne();
    void resultsForOtherRowsAreIgnored();
    void editWhileInFlightStaysPending();

private:
    std::unique_ptr<SyncTestRig> rig;
};

void TestSyncPush::init()
{
    rig = std::make_unique<SyncTestRig>();
    QVERIFY(rig->isValid());
}

void TestSyncPush::cleanup()
{
    rig.reset();
}

void TestSyncPush::sendsEveryKindInOrder()
{
    const Account account = rig->addAccount("Checking");
    const Category groceries = rig->addCategory("Groceries");
    const Category produce = rig->addCategory("Produce", groceries.id);
    const RecurringTransaction rule = rig->addRecurring(account.id, "Rent");
    const Transaction payment = rig->addTransaction(account.id, -1234, "Grocer");
    const Transaction split = rig->addSplitTransaction(account.id, {-700, -534, -100}, produce.id);
    const Reconciliation reconciliation = rig->addReconciliation(account.id, QDate(2024, 2, 29));
    // A soft-deleted pending row goes out as a delete.
    const Transaction gone = rig->addTransaction(account.id, -1, "Mistake");
    QVERIFY(rig->transactions->softDelete(gone.id));

    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pushCount(), 1);
    const QJsonArray changes = rig->server.pushBatches().first();

    QStringList order;
    QHash<QString, QJsonObject> byId;
    for (const QJsonValue &value : changes) {
        order << value["entity_type"].toString();
        byId.insert(value["entity_id"].toString(), value.toObject());
    }
    QCOMPARE(order, QStringList({"account", "category", "category", "recurring", "transaction", "transaction",
                                 "transaction", "reconciliation"}));

    const QJsonObject paymentChange = byId.value(payment.id);
    QCOMPARE(paymentChange["action"].toString(), QStringLiteral("upsert"));
    QCOMPARE(paymentChange["payload"]["amount"].toInteger(), qint64(-1234));
    QCOMPARE(paymentChange["payload"]["date"].toString(), QStringLiteral("2024-03-05"));
    QCOMPARE(paymentChange["payload"]["account_id"].toString(), account.id);
    QCOMPARE(paymentChange["payload"]["is_split"].toInt(), 0);
    QVERIFY(!paymentChange["payload"].toObject().contains("split_lines"));
    QVERIFY(!paymentChange["payload"].toObject().contains("server_id"));

    const QJsonArray lines = byId.value(split.id).value("payload")["split_lines"].toArray();
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0).toObject(),
             QJsonObject({{"category_id", produce.id}, {"amount", -700}, {"memo", "line 1"}}));
    QCOMPARE(lines.at(2)["amount"].toInt(), -100);
    QCOMPARE(byId.value(split.id).value("payload")["is_split"].toInt(), 1);

    QCOMPARE(byId.value(produce.id).value("payload")["parent_id"].toString(), groceries.id);
    QCOMPARE(byId.value(rule.id).value("version").toInt(), 1);
    QVERIFY(!byId.value(rule.id).value("payload").toObject().contains("version"));
    QVERIFY(!byId.value(rule.id).value("payload").toObject().contains("end_date"));
    QCOMPARE(byId.value(reconciliation.id).value("payload")["statement_date"].toString(),
             QStringLiteral("2024-02-29"));

    const QJsonObject deletion = byId.value(gone.id);
    QCOMPARE(deletion["action"].toString(), QStringLiteral("delete"));
    QVERIFY(!deletion["payload"]["deleted_at"].toString().isEmpty());
    QCOMPARE(deletion["payload"]["payee"].toString(), QStringLiteral("Mistake"));

    // Everything accepted: the database and the server agree.
    const QStringList differences = rig->differencesFromServer();
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join('\n')));
    QCOMPARE(rig->splitLines->findByTransaction(split.id).size(), 3);
}

void TestSyncPush::serverIdTravelsAfterFirstPush()
{
    const Account account = rig->addAccount("Checking");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const QString serverId = rig->accounts->findById(account.id)->serverId;
    QVERIFY(!serverId.isEmpty());
    QCOMPARE(serverId, rig->server.recordByClientId("accounts", account.id)["id"].toString());

    Account renamed = *rig->accounts->findById(account.id);
    renamed.name = "Everyday";
    renamed.syncStatus = SyncStatus::Pending;
    QVERIFY(rig->accounts->update(renamed));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    const QJsonObject change = rig->server.pushBatches().last().first().toObject();
    QCOMPARE(change["payload"]["server_id"].toString(), serverId);
    QCOMPARE(rig->server.records("accounts").size(), 1);
    QCOMPARE(rig->server.record("accounts", serverId)["name"].toString(), QStringLiteral("Everyday"));
    QVERIFY(rig->differencesFromServer().isEmpty());
}

void TestSyncPush::batchesOf500AfterEachReply()
{
    const Account account = rig->addAccount("Checking");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    for (int i = 0; i < 1201; ++i)
        rig->addTransaction(account.id, -(i + 1), QStringLiteral("Payee %1").arg(i));
    // Each answer waits, so a request sent before the previous answer shows.
    rig->server.setDelay(15);

    QTest::ignoreMessage(QtInfoMsg, "Pushing 1201 changes (in batches of 500 )");
    QTest::ignoreMessage(QtInfoMsg, "Push batch: 500 changes, 701 remaining");
    QTest::ignoreMessage(QtInfoMsg, "Push batch: 500 changes, 201 remaining");
    QTest::ignoreMessage(QtInfoMsg, "Push batch: 201 changes, 0 remaining");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    const QList<QJsonArray> batches = rig->server.pushBatches().mid(1);
    QCOMPARE(batches.size(), 3);
    QCOMPARE(batches.at(0).size(), 500);
    QCOMPARE(batches.at(1).size(), 500);
    QCOMPARE(batches.at(2).size(), 201);
    QSet<QString> seen;
    for (const QJsonArray &batch : batches) {
        for (const QJsonValue &change : batch)
            seen.insert(change["entity_id"].toString());
    }
    QCOMPARE(seen.size(), 1201);
    // Each request after the reply to the one before; the pull after the last batch.
    QVERIFY(!rig->server.requestsOverlapped());
    const QList<FakeHttp::Request> requests = rig->server.http()->requests().mid(2);
    QCOMPARE(requests.at(0).method, QByteArray("POST"));
    QCOMPARE(requests.at(1).method, QByteArray("POST"));
    QCOMPARE(requests.at(2).method, QByteArray("POST"));
    QCOMPARE(requests.at(3).method, QByteArray("GET"));
    QCOMPARE(SyncTestRig::countWithStatus("transactions", "pending"), 0);
    QVERIFY(rig->differencesFromServer().isEmpty());
}

void TestSyncPush::partialAcceptance_data()
{
    QTest::addColumn<QString>("status");
    QTest::newRow("rejected") << "error";
    QTest::newRow("ok in other letter case") << "OK";
}

void TestSyncPush::partialAcceptance()
{
    QFETCH(QString, status);
    const Account account = rig->addAccount("Checking");
    const Transaction accepted = rig->addTransaction(account.id, -100, "Accepted");
    const Transaction refused = rig->addTransaction(account.id, -200, "Refused");
    rig->server.setResultHook([&](const QJsonObject &change, QJsonObject result) {
        if (change["entity_id"].toString() == refused.id) {
            result.insert("status", status);
            result.insert("message", "amount out of range");
        }
        return result;
    });

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Push result not ok — leaving record pending:"));
    QTest::ignoreMessage(QtWarningMsg,
                         "Push batch: 2 ok, 1 errors — failed records remain pending for next sync");
    QSignalSpy completed(rig->engine, &SyncEngine::syncCompleted);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->engine->state(), SyncEngine::Idle);
    QCOMPARE(rig->transactions->findById(refused.id)->syncStatus, SyncStatus::Pending);
    QCOMPARE(rig->transactions->findById(accepted.id)->syncStatus, SyncStatus::Synced);
    QCOMPARE(rig->accounts->findById(account.id)->syncStatus, SyncStatus::Synced);

    // The next cycle offers the refused row again, and only it.
    rig->server.setResultHook({});
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pushBatches().last().size(), 1);
    QCOMPARE(rig->server.pushBatches().last().first()["entity_id"].toString(), refused.id);
    QVERIFY(rig->differencesFromServer().isEmpty());
}

void TestSyncPush::failedSecondBatchStopsTheCycle()
{
    const Account account = rig->addAccount("Checking");
    for (int i = 0; i < 599; ++i)
        rig->addTransaction(account.id, -(i + 1));
    rig->server.injectPush(2, FakeHttp::Response::json(500, QJsonObject{{"error", "boom"}}));
    QSignalSpy failed(rig->engine, &SyncEngine::syncFailed);

    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Failed);
    QCOMPARE(rig->engine->state(), SyncEngine::Error);
    QCOMPARE(rig->engine->lastError(), QStringLiteral("Push failed (HTTP 500)"));
    QCOMPARE(failed.takeFirst().at(0).toString(), QStringLiteral("Push failed (HTTP 500)"));
    QCOMPARE(rig->server.pushCount(), 2);
    QCOMPARE(rig->server.pullCount(), 0);
    // The first batch stays accepted; the rest waits for the next cycle.
    QCOMPARE(SyncTestRig::countWithStatus("transactions", "synced") +
                 SyncTestRig::countWithStatus("accounts", "synced"),
             500);
    QCOMPARE(SyncTestRig::countWithStatus("transactions", "pending"), 100);

    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pushBatches().last().size(), 100);
    QCOMPARE(rig->engine->state(), SyncEngine::Idle);
    QVERIFY(rig->differencesFromServer().isEmpty());
}

void TestSyncPush::okWithoutServerIdKeepsTheStoredOne()
{
    const Account account = rig->addAccount("Checking");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const QString serverId = rig->accounts->findById(account.id)->serverId;
    QVERIFY(!serverId.isEmpty());

    Account renamed = *rig->accounts->findById(account.id);
    renamed.name = "Renamed";
    renamed.syncStatus = SyncStatus::Pending;
    QVERIFY(rig->accounts->update(renamed));
    const Account fresh = rig->addAccount("Fresh");
    rig->server.setResultHook([](const QJsonObject &, QJsonObject result) {
        result.remove("server_id");
        return result;
    });
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    const Account kept = *rig->accounts->findById(account.id);
    QCOMPARE(kept.syncStatus, SyncStatus::Synced);
    QCOMPARE(kept.serverId, serverId);
    QCOMPARE(kept.name, QStringLiteral("Renamed"));
    QCOMPARE(rig->accounts->findById(fresh.id)->syncStatus, SyncStatus::Synced);
}

void TestSyncPush::resultsForOtherRowsAreIgnored()
{
    const Account account = rig->addAccount("Checking");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const Transaction sent = rig->addTransaction(account.id, -100, "Sent");
    // The server also claims a row that was not in the batch as accepted.
    const QString laterId = QStringLiteral("later-row");
    rig->server.setPushReplyHook([&](QJsonObject reply) {
        QJsonArray results = reply["results"].toArray();
        results.append(QJsonObject{{"status", "ok"},
                                   {"entity_type", "transaction"},
                                   {"entity_id", laterId},
                                   {"server_id", "srv-foreign"}});
        reply.insert("results", results);
        return reply;
    });
    rig->server.holdPushAnswers(true);
    rig->engine->syncNow();
    QVERIFY(rig->server.http()->waitForRequests(3));

    // That row came into being after the collection.
    Transaction later;
    later.id = laterId;
    later.accountId = account.id;
    later.date = QDate(2024, 3, 7);
    later.payee = "Later";
    later.createdAt = QDateTime::currentDateTimeUtc();
    later.updatedAt = later.createdAt;
    QVERIFY(rig->transactions->insert(later));

    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression("^Push result for a change that was not sent in this batch — ignored:"));
    QCOMPARE(rig->waitForCycle(15000, [&] { rig->server.http()->release(); }),
             SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->transactions->findById(sent.id)->syncStatus, SyncStatus::Synced);
    const Transaction untouched = *rig->transactions->findById(laterId);
    QCOMPARE(untouched.syncStatus, SyncStatus::Pending);
    QVERIFY(untouched.serverId.isEmpty());
}

void TestSyncPush::editWhileInFlightStaysPending()
{
    const Account account = rig->addAccount("Checking");
    const Transaction original = rig->addTransaction(account.id, -100, "Before");
    rig->server.holdPushAnswers(true);
    rig->engine->syncNow();
    QVERIFY(rig->server.http()->waitForRequests(1));

    Transaction edited = *rig->transactions->findById(original.id);
    edited.payee = "After";
    edited.amount = -150;
    QVERIFY(rig->transactions->update(edited));
    rig->server.holdPushAnswers(false);
    QCOMPARE(rig->waitForCycle(15000, [&] { rig->server.http()->release(); }),
             SyncTestRig::CycleEnd::Completed);

    // The server took the earlier content; the edit is kept and still pending,
    // and the echo of the earlier content did not overwrite it.
    const QString serverId = rig->server.recordByClientId("transactions", original.id)["id"].toString();
    const Transaction local = *rig->transactions->findById(original.id);
    QCOMPARE(local.syncStatus, SyncStatus::Pending);
    QCOMPARE(local.payee, QStringLiteral("After"));
    QCOMPARE(local.amount, qint64(-150));
    QCOMPARE(local.serverId, serverId);
    QCOMPARE(rig->accounts->findById(account.id)->syncStatus, SyncStatus::Synced);

    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pushBatches().last().first()["payload"]["server_id"].toString(), serverId);
    QCOMPARE(rig->server.record("transactions", serverId)["payee"].toString(), QStringLiteral("After"));
    QCOMPARE(rig->server.records("transactions").size(), 1);
    QVERIFY(rig->differencesFromServer().isEmpty());
}

QTEST_GUILESS_MAIN(TestSyncPush)
#include "TestSyncPush.moc"
