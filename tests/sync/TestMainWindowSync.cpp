#include "AccountSidebar.h"
#include "AppState.h"
#include "CredentialManagerTokenStore.h"
#include "FakeSyncServer.h"
#include "MainWindow.h"
#include "StatusBar.h"
#include "SyncEngine.h"
#include "SyncTestRig.h"
#include "TestApp.h"
#include "TokenStore.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

// What the main window shows of syncing: the engine's state in the status
// bar while signed in, "Sync complete" after a cycle, and accounts read
// again when a cycle brought data.
class TestMainWindowSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void showsStateWhileSignedIn();
    void failedCycleShowsError();
    void dataChangedReloadsAccounts();
    void hiddenWhileSignedOut();

private:
    void startSignedIn(bool signedIn = true);
    // Waits until start-up's cycles, the debounced one included, are over.
    void settle();
    QLabel *stateLabel() const;

    std::unique_ptr<FakeSync::FakeSyncServer> m_sync;
    std::unique_ptr<TestApp> m_app;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindowSync::init()
{
    m_sync = std::make_unique<FakeSync::FakeSyncServer>();
    QVERIFY(m_sync->listen());
    qputenv("SYNC_API_URL", m_sync->baseUrl().toString().toUtf8());
    // Nothing may reach a real authentication service.
    qputenv("AUTH_BASE_URL", "http://127.0.0.1:9");
}

void TestMainWindowSync::cleanup()
{
    m_window.reset();
    m_app.reset();
    BrioAccount::CredentialManagerTokenStore::create("com.tallowmerelabs.tallyfern")->clear();
    qunsetenv("SYNC_API_URL");
    qunsetenv("AUTH_BASE_URL");
    m_sync.reset();
}

void TestMainWindowSync::startSignedIn(bool signedIn)
{
    if (signedIn) {
        auto store = BrioAccount::CredentialManagerTokenStore::create("com.tallowmerelabs.tallyfern");
        store->write(BrioAccount::AccessTokenKey, SyncTestRig::makeToken(3600));
        store->write(BrioAccount::RefreshTokenKey, "refresh-1");
    }
    m_app = std::make_unique<TestApp>();
    QVERIFY(m_app->isValid());
    m_window = std::make_unique<MainWindow>(m_app->app());
    m_window->show();
}

void TestMainWindowSync::settle()
{
    SyncEngine *engine = m_app->app()->syncEngine();
    QTRY_VERIFY(m_sync->pullCount() >= 1 && engine->state() == SyncEngine::Idle);
    QTest::qWait(SyncEngine::DebounceMs + 300);
    QTRY_COMPARE(engine->state(), SyncEngine::Idle);
}

QLabel *TestMainWindowSync::stateLabel() const
{
    return m_window->findChild<QLabel *>(QStringLiteral("syncStateLabel"));
}

void TestMainWindowSync::showsStateWhileSignedIn()
{
    startSignedIn();
    QVERIFY(stateLabel());
    SyncEngine *engine = m_app->app()->syncEngine();
    // Let start-up's cycles finish, then watch one whole cycle.
    settle();
    m_sync->holdPullAnswers(true);
    QSignalSpy completed(engine, &SyncEngine::syncCompleted);
    engine->syncNow();
    QTRY_COMPARE(stateLabel()->text(), QStringLiteral("Syncing..."));
    QVERIFY(stateLabel()->isVisible());
    m_sync->holdPullAnswers(false);
    m_sync->http()->release();
    QTRY_VERIFY(!completed.isEmpty());
    QTRY_COMPARE(stateLabel()->text(), QStringLiteral("Synced"));
    QCOMPARE(m_window->statusBarWidget()->currentMessage(), QStringLiteral("Sync complete"));
}

void TestMainWindowSync::failedCycleShowsError()
{
    startSignedIn();
    SyncEngine *engine = m_app->app()->syncEngine();
    settle();
    m_sync->injectPull(m_sync->pullCount() + 1, FakeHttp::Response::json(503, QJsonObject()));
    QSignalSpy failed(engine, &SyncEngine::syncFailed);
    engine->syncNow();
    QTRY_VERIFY(!failed.isEmpty());
    QCOMPARE(stateLabel()->text(), QStringLiteral("Sync error"));
    QCOMPARE(stateLabel()->toolTip(), QStringLiteral("Pull failed (HTTP 503)"));
}

void TestMainWindowSync::dataChangedReloadsAccounts()
{
    startSignedIn();
    SyncEngine *engine = m_app->app()->syncEngine();
    QTRY_VERIFY(m_sync->pullCount() >= 1 && engine->state() == SyncEngine::Idle);
    // A row written without any repository signal shows only after a reload.
    QVERIFY(TestDatabase::exec("INSERT INTO accounts (id, name, sync_status, created_at, updated_at) "
                               "VALUES ('acc-quiet', 'Quiet', 'synced', '2024-01-01T00:00:00Z', "
                               "'2024-01-01T00:00:00Z')"));
    QTest::qWait(100);
    auto listed = [this] {
        for (const Account &account : m_window->sidebar()->accounts()) {
            if (account.id == QLatin1String("acc-quiet"))
                return true;
        }
        return false;
    };
    QVERIFY(!listed());
    emit engine->dataChanged();
    QTRY_VERIFY(listed());
}

void TestMainWindowSync::hiddenWhileSignedOut()
{
    startSignedIn(false);
    QVERIFY(stateLabel());
    QVERIFY(!stateLabel()->isVisible());
}

QTEST_MAIN(TestMainWindowSync)
#include "TestMainWindowSync.moc"
