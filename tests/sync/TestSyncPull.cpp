#include "SyncTestRig.h"

#include "AccountRepository.h"
#include "PreferencesRepository.h"
#include "RecurringRepository.h"
#include "SyncEngine.h"
#include "TransactionRepository.h"
#include "support/PreferenceKeyProbe.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

// The pull half of a cycle: paging, the cursor chain and its encoding, the
// page cap and the ways a server can get paging wrong.
class TestSyncPull : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void pagesFollowTheCursorChain();
    void stopsAfterFiftyPages();
    void repeatedCursorStopsPaging();
    void emptyCursorKeepsTheSavedOne();
    void failureOnSecondPageResumesFromFirst();
    void failedPullsReportEachTime();
    void recurringArrayFallback();
    void integrityWithoutServerCategoriesLogsNothing();
    void integrityMismatchIsOnlyLogged();

private:
    // `count` transactions of one account, created on the server by another device.
    void seedServer(int count);

    std::unique_ptr<SyncTestRig> rig;
};

void TestSyncPull::init()
{
    rig = std::make_unique<SyncTestRig>();
    QVERIFY(rig->isValid());
}

void TestSyncPull::cleanup()
{
    rig.reset();
}

void TestSyncPull::seedServer(int count)
{
    rig->server.put("accounts", SyncTestRig::serverAccount("acc-remote", "Remote"));
    for (int i = 0; i < count; ++i)
        rig->server.put("transactions",
                        SyncTestRig::serverTransaction(QStringLiteral("tx-%1").arg(i), "acc-remote",
                                                       QStringLiteral("Payee %1").arg(i)));
}

void TestSyncPull::pagesFollowTheCursorChain()
{
    seedServer(449); // 450 changes: pages of 200, 200 and 50
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pullCount(), 3);

    const QStringList cursors = rig->server.pullCursors();
    QCOMPARE(cursors.at(0), QString());
    const QList<QByteArray> queries = rig->server.pullRawQueries();
    QCOMPARE(queries.at(0), QByteArray("limit=200"));
    for (int page = 1; page < 3; ++page) {
        const QString cursor = cursors.at(page);
        // The server read back exactly a cursor it issued, '+', '/' and '=' included.
        QVERIFY(FakeSync::FakeSyncServer::isValidCursor(cursor));
        QVERIFY(cursor.contains('+') && cursor.contains('/') && cursor.contains('='));
        QVERIFY2(queries.at(page).contains("%2B"), queries.at(page).constData());
        QVERIFY(!queries.at(page).contains('+'));
        QVERIFY(queries.at(page).endsWith("&limit=200"));
    }
    QVERIFY(cursors.at(1) != cursors.at(2));
    const QString saved = rig->preferences->value(preferenceKey("syncCursor"));
    QVERIFY(FakeSync::FakeSyncServer::isValidCursor(saved));
    QVERIFY(saved != cursors.at(2));

    QCOMPARE(SyncTestRig::countRows("transactions"), 449);
    QVERIFY(rig->differencesFromServer().isEmpty());

    // The next cycle continues from the saved cursor and finds nothing new.
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pullCursors().last(), saved);
    QCOMPARE(rig->server.pullCount(), 4);
}

void TestSyncPull::stopsAfterFiftyPages()
{
    seedServer(5);
    rig->server.setHasMoreForever(true);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pullCount(), SyncEngine::MaxPullPages);
    QCOMPARE(rig->engine->state(), SyncEngine::Idle);
    QCOMPARE(SyncTestRig::countRows("transactions"), 5);
}

void TestSyncPull::repeatedCursorStopsPaging()
{
    seedServer(3);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const QString saved = rig->preferences->value(preferenceKey("syncCursor"));
    const int before = rig->server.pullCount();

    rig->server.setHasMoreForever(true);
    rig->server.setCursorMode(FakeSync::FakeSyncServer::CursorMode::Repeat);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("answered with a cursor already sent in this sync"));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Failed);
    QCOMPARE(rig->server.pullCount() - before, 1);
    QCOMPARE(rig->preferences->value(preferenceKey("syncCursor")), saved);
}

void TestSyncPull::emptyCursorKeepsTheSavedOne()
{
    seedServer(3);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    const QString saved = rig->preferences->value(preferenceKey("syncCursor"));
    const int before = rig->server.pullCount();

    rig->server.setHasMoreForever(true);
    rig->server.setCursorMode(FakeSync::FakeSyncServer::CursorMode::Empty);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("answered with a cursor already sent in this sync"));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Failed);
    // Page one with the saved cursor, page two without one, which came back empty again.
    QCOMPARE(rig->server.pullCount() - before, 2);
    QCOMPARE(rig->server.pullCursors().mid(before), QStringList({saved, QString()}));
    QCOMPARE(rig->preferences->value(preferenceKey("syncCursor")), saved);
}

void TestSyncPull::failureOnSecondPageResumesFromFirst()
{
    seedServer(449);
    rig->server.injectPull(2, FakeHttp::Response::json(500, QJsonObject{{"error", "overloaded"}}));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Failed);
    QCOMPARE(rig->engine->state(), SyncEngine::Error);
    QCOMPARE(rig->engine->lastError(), QStringLiteral("Pull failed (HTTP 500)"));
    QCOMPARE(SyncTestRig::countRows("transactions"), 199);
    const QString firstPageCursor = rig->preferences->value(preferenceKey("syncCursor"));
    QCOMPARE(rig->server.pullCursors().at(1), firstPageCursor);

    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pullCursors().at(2), firstPageCursor);
    QCOMPARE(SyncTestRig::countRows("transactions"), 449);
    QVERIFY(rig->differencesFromServer().isEmpty());
}

void TestSyncPull::failedPullsReportEachTime()
{
    rig->server.injectPull(1, FakeHttp::Response::json(500, QJsonObject()), 2);
    QSignalSpy states(rig->engine, &SyncEngine::stateChanged);
    QSignalSpy failures(rig->engine, &SyncEngine::syncFailed);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Failed);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Failed);
    QCOMPARE(failures.size(), 2);
    // Syncing, Error, then Syncing and Error again: the state is announced on every change only.
    QList<int> seen;
    for (const QList<QVariant> &emission : std::as_const(states))
        seen << emission.at(0).toInt();
    QCOMPARE(seen,
             QList<int>({SyncEngine::Syncing, SyncEngine::Error, SyncEngine::Syncing, SyncEngine::Error}));

    QCOMPARE(failures.last().at(0).toString(), QStringLiteral("Pull failed (HTTP 500)"));
}

void TestSyncPull::recurringArrayFallback()
{
    rig->server.put("accounts", SyncTestRig::serverAccount("acc-remote", "Remote"));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    auto rule = [](const QString &clientId, const QString &payee) {
        return QJsonObject{{"id", "srv-" + clientId},
                           {"client_id", clientId},
                           {"account_id", "acc-remote"},
                           {"payee", payee},
                           {"frequency", "weekly"},
                           {"start_date", "2024-01-01"},
                           {"next_due_date", "2024-04-01"},
                           {"is_active", 1},
                           {"version", 1}};
    };
    rig->server.queuePullPage(QJsonObject{{"recurring_transactions", QJsonArray{rule("r-1", "Gym")}},
                                          {"recurring", QJsonArray{rule("r-2", "Ignored")}}});
    rig->server.queuePullPage(QJsonObject{{"recurring", QJsonArray{rule("r-3", "Old name")}}});
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QVERIFY(rig->recurring->findById("r-1").has_value());
    QVERIFY(!rig->recurring->findById("r-2").has_value());
    QCOMPARE(rig->recurring->findById("r-3")->payee, QStringLiteral("Old name"));
}

void TestSyncPull::integrityWithoutServerCategoriesLogsNothing()
{
    // No categories on the server: a count of 0 says nothing.
    rig->server.setIntegrity(true);
    QTest::failOnWarning(QRegularExpression("Category count mismatch"));
    const Category local = rig->addCategory("Local only");
    rig->server.rejectEntity(local.id, "not now");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Push result not ok"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Push batch: 0 ok, 1 errors"));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.records("categories").size(), 0);
    QCOMPARE(SyncTestRig::countRows("categories"), 1);
}

void TestSyncPull::integrityMismatchIsOnlyLogged()
{
    rig->server.put("categories", QJsonObject{{"client_id", "c-1"}, {"name", "Remote"}, {"version", 1}});
    rig->server.put("categories", QJsonObject{{"client_id", "c-2"}, {"name", "Other"}, {"version", 1}});
    rig->server.setIntegrity(true);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(SyncTestRig::countRows("categories"), 2);

    TestDatabase::exec("UPDATE categories SET deleted_at = '2024-01-01T00:00:00Z' WHERE id = 'c-2'");
    QTest::ignoreMessage(QtWarningMsg,
                         "Category count mismatch: local= 1 server= 2 (informational only — use "
                         "Force Full Sync if data appears wrong)");
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->engine->state(), SyncEngine::Idle);
}

QTEST_GUILESS_MAIN(TestSyncPull)
#include "TestSyncPull.moc"
