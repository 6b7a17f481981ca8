#include "SyncTestRig.h"

#include "AccountRepository.h"
#include "ApiClient.h"
#include "ImportService.h"
#include "PreferencesRepository.h"
#include "SyncEngine.h"
#include "SyncStore.h"
#include "TokenManager.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The engine's life cycle: states and their texts, when a cycle may start,
// folding requests into one re-run, tokens that expire or are refused, a
// server that stops answering, and a cycle that has nothing to do.
class TestSyncEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void stateTexts_data();
    void stateTexts();
    void startConditionFalseReturnsToIdle();
    void requestsDuringCycleFoldIntoOneRerun();
    void requestSyncWaitsForTheDebounce();
    void startAutoSyncSyncsAtOnce();
    void unauthorisedRequestIsRefreshedAndResent();
    void rejectedRefreshEndsInError();
    void expiredTokenWithRefreshTokenStillSyncs();
    void signedOutDoesNotSync();
    void stalledServerEndsInError();
    void replyAfterEngineIsGone();
    void idleCycleWritesNothing();
    void cycleWaitsForACancelledImport();

private:
    // Installs a refresher that hands out `accessToken`, or refuses.
    void installRefresher(const QString &accessToken, bool refuse, int *calls);

    std::unique_ptr<SyncTestRig> rig;
};

void TestSyncEngine::init()
{
    rig = std::make_unique<SyncTestRig>();
    QVERIFY(rig->isValid());
}

void TestSyncEngine::cleanup()
{
    rig.reset();
}

void TestSyncEngine::installRefresher(const QString &accessToken, bool refuse, int *calls)
{
    rig->tokens->setRefreshCallback([=](const QString &,
                                        BrioAccount::TokenManager::SuccessContinuation onSuccess,
                                        BrioAccount::TokenManager::FailureContinuation onFailure) {
        ++*calls;
        // Answer from the event loop, as the real refresh request does.
        QTimer::singleShot(0, [=] {
            if (refuse)
                onFailure(true);
            else
                onSuccess(accessToken, QStringLiteral("refresh-2"));
        });
    });
}

void TestSyncEngine::stateTexts_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("text");
    QTest::newRow("idle") << 0 << "Synced";
    QTest::newRow("syncing") << 1 << "Syncing...";
    QTest::newRow("error") << 2 << "Sync error";
    QTest::newRow("offline") << 3 << "Offline";
    QTest::newRow("other") << 7 << "Unknown";
}

void TestSyncEngine::stateTexts()
{
    QFETCH(int, state);
    QFETCH(QString, text);
    QCOMPARE(SyncEngine::stateToString(static_cast<SyncEngine::SyncState>(state)), text);
}

void TestSyncEngine::startConditionFalseReturnsToIdle()
{
    rig->server.injectPull(1, FakeHttp::Response::json(500, QJsonObject()));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Failed);
    QCOMPARE(rig->engine->state(), SyncEngine::Error);

    bool allowed = false;
    rig->engine->setStartCondition([&allowed] { return allowed; });
    QSignalSpy states(rig->engine, &SyncEngine::stateChanged);
    rig->engine->syncNow();
    QCOMPARE(rig->engine->state(), SyncEngine::Idle);
    QCOMPARE(states.size(), 1);
    rig->engine->syncNow();
    QCOMPARE(states.size(), 1);
    QTest::qWait(50);
    QCOMPARE(rig->server.pullCount(), 1);

    allowed = true;
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.pullCount(), 2);
}

void TestSyncEngine::requestsDuringCycleFoldIntoOneRerun()
{
    rig->server.holdPullAnswers(true);
    QSignalSpy completed(rig->engine, &SyncEngine::syncCompleted);
    rig->engine->syncNow();
    QVERIFY(rig->server.http()->waitForRequests(1));
    // The start condition turning false while a cycle is out resets the shown
    // state; it must not let a second cycle overlap the first.
    bool allowed = false;
    rig->engine->setStartCondition([&allowed] { return allowed; });
    rig->engine->syncNow();
    QCOMPARE(rig->engine->state(), SyncEngine::Idle);
    allowed = true;
    rig->engine->syncNow();
    rig->engine->syncNow();
    rig->engine->syncNow();
    QTest::qWait(50);
    QCOMPARE(rig->server.pullCount(), 1);

    rig->server.holdPullAnswers(false);
    rig->server.http()->release();
    QTRY_COMPARE(completed.size(), 2);
    QTest::qWait(100);
    QCOMPARE(completed.size(), 2);
    QCOMPARE(rig->server.pullCount(), 2);
    QVERIFY(!rig->server.requestsOverlapped());
}

void TestSyncEngine::requestSyncWaitsForTheDebounce()
{
    QSignalSpy completed(rig->engine, &SyncEngine::syncCompleted);
    rig->engine->requestSync();
    rig->engine->requestSync();
    QTest::qWait(SyncEngine::DebounceMs / 2);
    QCOMPARE(rig->server.pullCount(), 0);
    rig->engine->requestSync();
    QTRY_COMPARE_WITH_TIMEOUT(completed.size(), 1, 3 * SyncEngine::DebounceMs);
    QTest::qWait(SyncEngine::DebounceMs / 2);
    QCOMPARE(rig->server.pullCount(), 1);
}

void TestSyncEngine::startAutoSyncSyncsAtOnce()
{
    QSignalSpy completed(rig->engine, &SyncEngine::syncCompleted);
    QVERIFY(!rig->engine->isAutoSyncActive());
    rig->engine->startAutoSync(300000);
    QVERIFY(rig->engine->isAutoSyncActive());
    QTRY_COMPARE(completed.size(), 1);
    rig->engine->stopAutoSync();
    QVERIFY(!rig->engine->isAutoSyncActive());
    QCOMPARE(rig->server.pullCount(), 1);
}

void TestSyncEngine::unauthorisedRequestIsRefreshedAndResent()
{
    const QString renewed = SyncTestRig::makeToken(3600, "user-1b");
    rig->server.setAcceptedTokens({renewed});
    int refreshes = 0;
    installRefresher(renewed, false, &refreshes);
    const Account account = rig->addAccount("Checking");

    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(refreshes, 1);
    const QList<FakeHttp::Request> requests = rig->server.http()->requests();
    QCOMPARE(requests.size(), 3); // refused push, resent push, pull
    QVERIFY(requests.at(0).header("authorization") != "Bearer " + renewed.toUtf8());
    QCOMPARE(requests.at(1).header("authorization"), "Bearer " + renewed.toUtf8());
    QCOMPARE(requests.at(1).jsonBody(), requests.at(0).jsonBody());
    QCOMPARE(rig->accounts->findById(account.id)->syncStatus, SyncStatus::Synced);
}

void TestSyncEngine::rejectedRefreshEndsInError()
{
    rig->server.setAcceptedTokens({"nobody-has-this"});
    int refreshes = 0;
    installRefresher(QString(), true, &refreshes);
    QSignalSpy states(rig->engine, &SyncEngine::stateChanged);
    QSignalSpy failures(rig->engine, &SyncEngine::syncFailed);

    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Failed);
    QCOMPARE(refreshes, 1);
    QCOMPARE(rig->engine->state(), SyncEngine::Error);
    QCOMPARE(rig->engine->lastError(), QStringLiteral("Pull failed (HTTP 401)"));
    QCOMPARE(failures.size(), 1);
    // authenticationRequired turned the state to Error; the failed reply that
    // follows reports again without a second change of state.
    QCOMPARE(states.size(), 2);
}

void TestSyncEngine::expiredTokenWithRefreshTokenStillSyncs()
{
    const QString renewed = SyncTestRig::makeToken(3600);
    rig->tokens->setTokens(SyncTestRig::makeToken(-60), "refresh-1");
    QVERIFY(rig->tokens->accessToken().isEmpty());
    rig->server.setAcceptedTokens({renewed});
    int refreshes = 0;
    installRefresher(renewed, false, &refreshes);
    rig->engine->setStartCondition(SyncEngine::signedInCondition(rig->tokens));
    const Account account = rig->addAccount("Checking");

    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(refreshes, 1);
    QCOMPARE(rig->server.http()->requests().first().header("authorization"), "Bearer " + renewed.toUtf8());
    QCOMPARE(rig->accounts->findById(account.id)->syncStatus, SyncStatus::Synced);
    QCOMPARE(rig->engine->state(), SyncEngine::Idle);
}

void TestSyncEngine::signedOutDoesNotSync()
{
    rig->tokens->clear();
    rig->engine->setStartCondition(SyncEngine::signedInCondition(rig->tokens));
    rig->addAccount("Checking");
    QSignalSpy states(rig->engine, &SyncEngine::stateChanged);
    rig->engine->syncNow();
    QTest::qWait(50);
    QCOMPARE(rig->server.http()->requestCount(), 0);
    QCOMPARE(states.size(), 0);
    QCOMPARE(rig->engine->state(), SyncEngine::Idle);
}

void TestSyncEngine::stalledServerEndsInError()
{
    rig->api->setTransferTimeout(300);
    rig->addAccount("Checking");
    rig->server.injectPush(1, FakeHttp::Response::never());
    QCOMPARE(rig->runCycle(5000), SyncTestRig::CycleEnd::Failed);
    QCOMPARE(rig->engine->lastError(), QStringLiteral("Push failed (HTTP 0)"));
    QCOMPARE(rig->engine->state(), SyncEngine::Error);
    QCOMPARE(SyncTestRig::countWithStatus("accounts", "pending"), 1);

    // The next cycle is not blocked by the stalled one.
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(SyncTestRig::countWithStatus("accounts", "synced"), 1);
}

void TestSyncEngine::replyAfterEngineIsGone()
{
    const Account account = rig->addAccount("Checking");
    rig->server.holdPushAnswers(true);
    rig->engine->syncNow();
    QVERIFY(rig->server.http()->waitForRequests(1));
    QPointer<SyncEngine> engine = rig->engine;
    delete rig->engine;
    rig->engine = nullptr;
    QVERIFY(engine.isNull());

    rig->server.http()->release();
    QTest::qWait(200);
    // The answer found nobody to mark the row.
    QCOMPARE(rig->accounts->findById(account.id)->syncStatus, SyncStatus::Pending);
    QCOMPARE(rig->server.pullCount(), 0);
}

void TestSyncEngine::idleCycleWritesNothing()
{
    const Account account = rig->addAccount("Checking");
    rig->addTransaction(account.id, -100);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);

    QSignalSpy accountSignals(rig->accounts, &AccountRepository::accountsChanged);
    QSignalSpy transactionSignals(rig->transactions, &TransactionRepository::transactionsChanged);
    QSignalSpy preferenceSignals(rig->preferences, &PreferencesRepository::changed);
    const QString before = SyncStore::writeMark();
    const int pushes = rig->server.pushCount();
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(SyncStore::writeMark(), before);
    QCOMPARE(rig->server.pushCount(), pushes);
    QCOMPARE(accountSignals.size(), 0);
    QCOMPARE(transactionSignals.size(), 0);
    QCOMPARE(preferenceSignals.size(), 0);
}

void TestSyncEngine::cycleWaitsForACancelledImport()
{
    // Auto-sync may fire inside the import's transaction: rows its Cancel takes back never reach the server.
    Database *db = rig->database->database();
    rig->engine->setWriteHold(db->writeHold());
    TransactionWriter writer(db, rig->accounts, rig->transactions, rig->splitLines);
    ImportService import(db, rig->accounts, rig->transactions, rig->categories, &writer);
    const QString account = rig->addAccount("Checking").id;
    const ImportPreview preview = import.preview(
        {ImportService::fromBytes("bank.csv", "Date,Payee,Amount\n3/1/2024,Bakery,-4.50\n")}, {}, account);
    const auto syncThenCancel = [this](int written, int) {
        return !written || (rig->engine->syncNow(), false);
    };
    QCOMPARE(rig->waitForCycle(15000, [&] { import.importRows(account, preview, false, syncThenCancel); }),
             SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->server.records("transactions").size(), 0);
}

QTEST_GUILESS_MAIN(TestSyncEngine)
#include "TestSyncEngine.moc"
