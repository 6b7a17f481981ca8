#include "AccountRepository.h"
#include "AccountScreen.h"
#include "AccountSharingService.h"
#include "ApiClient.h"
#include "AppState.h"
#include "AppVersion.h"
#include "AuthClient.h"
#include "Client.h"
#include "ClientConfig.h"
#include "CredentialManagerTokenStore.h"
#include "FakeHttpServer.h"
#include "FakeSyncServer.h"
#include "PreferencesRepository.h"
#include "SyncEngine.h"
#include "SyncTestRig.h"
#include "TokenManager.h"
#include "TokenStore.h"
#include "TransactionRepository.h"
#include "support/FakeBrowser.h"
#include "support/PreferenceKeyProbe.h"

#include <QApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The online half of start-up: the account library's configuration from the
// environment, the engine on the sync client, syncing that starts whenever
// the user becomes signed in, and local changes that request a sync.
class TestOnlineStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void configurationFromEnvironment_data();
    void configurationFromEnvironment();
    void servicesUseTheSyncClient();
    void signedInAtStartSyncs();
    void expiredTokenRefreshedAtStartStartsSyncing();
    void signedOutAtStartDoesNotSync();
    void localChangeRequestsSync();
    void loginRegistersDeviceAndSyncs();
    void logoutStopsAutoSync();
    void unansweredSignInIsGoneAfterRestart();
    void anotherUsersRecordsGoUpAsNewOnYes();
    void replyAfterTheSessionEndedGoesNoFurther();
    void serverAnswers_data();
    void serverAnswers();

private:
    static void storeTokens(const QString &access, const QString &refresh);
    static std::optional<QString> storedRefreshToken();
    void signInThroughBrowser(const QString &user);
    void settle();
    bool start();

    std::unique_ptr<QTemporaryDir> m_dataDir;
    std::unique_ptr<FakeHttp::FakeHttpServer> m_auth;
    std::unique_ptr<FakeHttp::FakeHttpServer> m_account;
    std::unique_ptr<FakeSync::FakeSyncServer> m_sync;
    std::unique_ptr<AppState> m_state;
    int m_refreshes = 0;
};

namespace {

Account household()
{
    Account account;
    account.id = "acc-1";
    account.name = "Household";
    account.createdAt = account.updatedAt = QDateTime::currentDateTimeUtc();
    return account;
}

const char *const Variables[] = {"AUTH_BASE_URL",   "ACCOUNT_API_URL", "SYNC_API_URL",
                                 "AUTH_REALM_SLUG", "AUTH_CLIENT_ID",  "ACCOUNT_PORTAL_URL"};

} // namespace

void TestOnlineStartup::init()
{
    m_dataDir = std::make_unique<QTemporaryDir>();
    qputenv("TALLYFERN_DATA_DIR", m_dataDir->path().toUtf8());
    m_auth = std::make_unique<FakeHttp::FakeHttpServer>();
    m_account = std::make_unique<FakeHttp::FakeHttpServer>();
    m_sync = std::make_unique<FakeSync::FakeSyncServer>();
    QVERIFY(m_auth->listen() && m_account->listen() && m_sync->listen());
    m_refreshes = 0;
    m_auth->on("POST", "/api/v1/realms/tallowmere/auth/token/refresh", [this](const FakeHttp::Request &) {
        ++m_refreshes;
        return FakeHttp::Response::json(200, QJsonObject{{"access_token", SyncTestRig::makeToken(3600)},
                                                         {"refresh_token", "refresh-next"}});
    });
    m_auth->on("POST", "/api/v1/realms/tallowmere/auth/logout", FakeHttp::Response::empty(204));
    m_account->on("POST", "/account/v1/devices/register", FakeHttp::Response::json(201, QJsonObject()));
    qputenv("AUTH_BASE_URL", m_auth->url().toString().toUtf8());
    qputenv("ACCOUNT_API_URL", m_account->url("/account/v1").toString().toUtf8());
    qputenv("SYNC_API_URL", m_sync->baseUrl().toString().toUtf8());
}

void TestOnlineStartup::cleanup()
{
    m_state.reset();
    BrioAccount::CredentialManagerTokenStore::create("com.tallowmerelabs.tallyfern")->clear();
    for (const char *name : Variables)
        qunsetenv(name);
    qunsetenv("TALLYFERN_DATA_DIR");
    m_sync.reset();
    m_account.reset();
    m_auth.reset();
    m_dataDir.reset();
}

void TestOnlineStartup::storeTokens(const QString &access, const QString &refresh)
{
    auto store = BrioAccount::CredentialManagerTokenStore::create("com.tallowmerelabs.tallyfern");
    if (!access.isEmpty())
        store->write(BrioAccount::AccessTokenKey, access);
    if (!refresh.isEmpty())
        store->write(BrioAccount::RefreshTokenKey, refresh);
}

std::optional<QString> TestOnlineStartup::storedRefreshToken()
{
    return BrioAccount::CredentialManagerTokenStore::create("com.tallowmerelabs.tallyfern")
        ->read(BrioAccount::RefreshTokenKey);
}

void TestOnlineStartup::signInThroughBrowser(const QString &user)
{
    FakeBrowser browser;
    m_state->accountClient()->authClient()->login();
    const QByteArray token = SyncTestRig::makeToken(3600, user).toLatin1();
    // Handled by the time the listener has closed the connection.
    browser.visit({FakeBrowser::redirectRequest("/callback?access_token=" + token + "&refresh_token=r")});
}

// Waits out the cycles of start-up: one at once, one requested by the start-up refresh.
void TestOnlineStartup::settle()
{
    QTRY_VERIFY_WITH_TIMEOUT(m_sync->pullCount() >= 2 && m_state->syncEngine()->state() != SyncEngine::Syncing,
                             10000);
}

bool TestOnlineStartup::start()
{
    m_state = std::make_unique<AppState>();
    return m_state->initialize();
}

void TestOnlineStartup::configurationFromEnvironment_data()
{
    QTest::addColumn<QString>("value"); // empty: unset
    QTest::addColumn<bool>("replaces");
    QTest::newRow("unset") << QString() << false;
    QTest::newRow("set") << "https://example.test/x" << true;
}

void TestOnlineStartup::configurationFromEnvironment()
{
    QFETCH(QString, value);
    QFETCH(bool, replaces);
    for (const char *name : Variables) {
        if (replaces)
            qputenv(name, value.toUtf8());
        else
            qunsetenv(name);
    }
    const BrioAccount::ClientConfig config = AppState::clientConfigFromEnvironment();
    QCOMPARE(config.applicationId, QStringLiteral("com.tallowmerelabs.tallyfern"));
    QCOMPARE(config.applicationName, QStringLiteral("Tallowmere Tallyfern"));
    QCOMPARE(config.applicationVersion, QStringLiteral(TALLYFERN_VERSION));
    QVERIFY(config.platform.isEmpty());
    if (replaces) {
        QCOMPARE(config.authBaseUrl, value);
        QCOMPARE(config.accountApiUrl, value);
        QCOMPARE(config.realmSlug, value);
        QCOMPARE(config.clientId, value);
        QCOMPARE(config.accountPortalUrl, value);
        QCOMPARE(AppState::syncApiUrlFromEnvironment(), value);
        return;
    }
    QCOMPARE(config.realmSlug, QStringLiteral("tallowmere"));
    QVERIFY(QRegularExpression("^[0-9a-f]{32}$").match(config.clientId).hasMatch());
    QVERIFY(QUrl(config.authBaseUrl).scheme() == QLatin1String("https"));
    QCOMPARE(QUrl(config.accountApiUrl).path(), QStringLiteral("/account/v1"));
    QVERIFY(!config.accountPortalUrl.isEmpty());
    QCOMPARE(QUrl(AppState::syncApiUrlFromEnvironment()).path(), QStringLiteral("/tallyfern/v1"));

    // Set but empty counts as unset.
    qputenv("AUTH_REALM_SLUG", "");
    QCOMPARE(AppState::clientConfigFromEnvironment().realmSlug, QStringLiteral("tallowmere"));
}

void TestOnlineStartup::servicesUseTheSyncClient()
{
    QTest::ignoreMessage(QtInfoMsg, QRegularExpression("^Auth: \"http://127\\.0\\.0\\.1:"));
    QTest::ignoreMessage(QtInfoMsg,
                         QRegularExpression("^Account: \"http://127\\.0\\.0\\.1:\\d+/account/v1\""));
    QTest::ignoreMessage(QtInfoMsg,
                         QRegularExpression("^Sync: \"http://127\\.0\\.0\\.1:\\d+/tallyfern/v1\""));
    QVERIFY(start());
    QVERIFY(m_state->accountClient());
    QVERIFY(m_state->syncEngine());
    QVERIFY(m_state->sharingService());
    QCOMPARE(m_state->accountClient()->syncApi()->baseUrl(), m_sync->baseUrl());
    QCOMPARE(m_state->syncEngine()->parent(), m_state.get());

    // The sharing service talks to the same sync service.
    bool answered = false;
    m_state->sharingService()->listMembers("acc-1",
                                           [&](QList<BrioAccount::ShareMember>) { answered = true; });
    QTRY_VERIFY(answered);
    QCOMPARE(m_sync->http()->lastRequest().path, QStringLiteral("/tallyfern/v1/accounts/acc-1/members"));
}

void TestOnlineStartup::signedInAtStartSyncs()
{
    storeTokens(SyncTestRig::makeToken(3600), "refresh-1");
    QVERIFY(start());
    QVERIFY(m_state->accountClient()->isAuthenticated());
    QVERIFY(m_state->syncEngine()->isAutoSyncActive());
    // The seeded default categories go out with the first cycle.
    QTRY_VERIFY(m_sync->pullCount() >= 1);
    QVERIFY(m_sync->pushCount() >= 1);
    QVERIFY(!m_sync->records("categories").isEmpty());
    QTRY_COMPARE(m_refreshes, 1);
}

void TestOnlineStartup::expiredTokenRefreshedAtStartStartsSyncing()
{
    // Start-up must first buy a new access token; the user becomes signed in
    // only when that answer arrives, after initialize() has returned.
    storeTokens(SyncTestRig::makeToken(-120), "refresh-1");
    QVERIFY(start());
    QVERIFY(!m_state->accountClient()->isAuthenticated());
    QTRY_VERIFY(m_state->accountClient()->isAuthenticated());
    QVERIFY(m_state->syncEngine()->isAutoSyncActive());
    QTRY_VERIFY(m_sync->pullCount() >= 1);
    QCOMPARE(m_sync->http()->requests().first().header("authorization").left(7), QByteArray("Bearer "));
}

void TestOnlineStartup::signedOutAtStartDoesNotSync()
{
    QVERIFY(start());
    QVERIFY(!m_state->syncEngine()->isAutoSyncActive());
    m_state->syncEngine()->syncNow();
    QTest::qWait(100);
    QCOMPARE(m_sync->http()->requestCount(), 0);
    QCOMPARE(m_state->syncEngine()->state(), SyncEngine::Idle);
}

void TestOnlineStartup::localChangeRequestsSync()
{
    storeTokens(SyncTestRig::makeToken(3600), "refresh-1");
    QVERIFY(start());
    QTRY_VERIFY(m_sync->pullCount() >= 1);
    // Let the start-up cycles settle.
    QTest::qWait(SyncEngine::DebounceMs + 500);
    const int pushes = m_sync->pushCount();

    Account account;
    account.id = "acc-local";
    account.name = "Local";
    account.createdAt = QDateTime::currentDateTimeUtc();
    account.updatedAt = account.createdAt;
    QVERIFY(m_state->accounts()->insert(account));
    QTRY_COMPARE_WITH_TIMEOUT(m_sync->pushCount(), pushes + 1, 3 * SyncEngine::DebounceMs);
    QVERIFY(!m_sync->recordByClientId("accounts", "acc-local").isEmpty());
}

void TestOnlineStartup::loginRegistersDeviceAndSyncs()
{
    QVERIFY(start());
    QSettings().remove("auth/hasSignedInBefore");
    // The browser sign-in stored its tokens and announced success.
    m_state->accountClient()->tokenManager()->setTokens(SyncTestRig::makeToken(3600), "refresh-1");
    emit m_state->accountClient()->authClient()->loginSucceeded();

    QVERIFY(QSettings().value("auth/hasSignedInBefore").toBool());
    QVERIFY(m_state->syncEngine()->isAutoSyncActive());
    QVERIFY(m_account->waitForRequests(1));
    QCOMPARE(m_account->lastRequest().path, QStringLiteral("/account/v1/devices/register"));
    QTRY_VERIFY(m_sync->pullCount() >= 1);
}

void TestOnlineStartup::logoutStopsAutoSync()
{
    storeTokens(SyncTestRig::makeToken(3600), "refresh-1");
    QVERIFY(start());
    QVERIFY(m_state->syncEngine()->isAutoSyncActive());
    m_state->accountClient()->authClient()->logout();
    QVERIFY(!m_state->syncEngine()->isAutoSyncActive());
}

void TestOnlineStartup::unansweredSignInIsGoneAfterRestart()
{
    QVERIFY(start());
    QSettings().remove("auth/hasSignedInBefore");
    QVERIFY(m_state->accounts()->insert(household()));
    QSignalSpy asked(m_state.get(), &AppState::uploadQuestionNeeded);
    signInThroughBrowser("stranger"); // any local process can send tokens to the waiting listener
    QCOMPARE(asked.count(), 1);
    // The program ends with the question open, and starts again.
    m_state.reset();
    QVERIFY(start());
    m_state->syncEngine()->syncNow();
    QTest::qWait(200);
    QCOMPARE(m_sync->http()->requestCount() + m_refreshes, 0);
    QVERIFY(!m_state->accountClient()->isAuthenticated() && !storedRefreshToken());
    QVERIFY(!m_state->preferences()->get(preferenceKey("syncCursorUser")) &&
            !QSettings().contains("auth/hasSignedInBefore"));
}

void TestOnlineStartup::anotherUsersRecordsGoUpAsNewOnYes()
{
    storeTokens(SyncTestRig::makeToken(3600, "user-1"), "refresh-1");
    QVERIFY(start());
    settle();
    QVERIFY(m_state->accounts()->insert(household()));
    m_state->syncEngine()->syncNow();
    QTRY_VERIFY(!m_state->accounts()->findById("acc-1")->serverId.isEmpty());
    m_state->accountClient()->authClient()->logout();
    // Everything here is synced, and still user-1's.
    QSignalSpy asked(m_state.get(), &AppState::uploadQuestionNeeded);
    signInThroughBrowser("user-2");
    QCOMPARE(asked.count(), 1);
    const int pushes = m_sync->pushCount();
    m_state->answerUploadQuestion(true);
    QTRY_COMPARE(m_sync->pushCount(), pushes + 1);
    const QJsonArray batch = m_sync->pushBatches().last();
    const auto sent = std::find_if(batch.begin(), batch.end(), [](const QJsonValue &c) {
        return c["entity_id"] == QLatin1String("acc-1");
    });
    QVERIFY(sent != batch.end() && !sent->toObject()["payload"].toObject().contains("server_id"));
    QCOMPARE(m_state->preferences()->value(preferenceKey("syncCursorUser")), QStringLiteral("user-2"));
}

void TestOnlineStartup::replyAfterTheSessionEndedGoesNoFurther()
{
    storeTokens(SyncTestRig::makeToken(3600, "user-1"), "refresh-1");
    QVERIFY(start());
    settle();
    QVERIFY(m_state->accounts()->insert(household()));
    m_sync->setDelay(400);
    const int pushes = m_sync->pushCount();
    m_state->syncEngine()->syncNow();
    QTRY_COMPARE(m_sync->pushCount(), pushes + 1);
    // The push is answered only after user-1 left and a stranger's sign-in waits for its question.
    m_state->accountClient()->authClient()->logout();
    signInThroughBrowser("user-2");
    const int pulls = m_sync->pullCount();
    QTest::qWait(1000);
    QCOMPARE(m_sync->pullCount(), pulls);
    QVERIFY(m_state->syncEngine()->state() != SyncEngine::Syncing);
}

void TestOnlineStartup::serverAnswers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("cycles");  // sync cycles in a row that meet it
    QTest::addColumn<int>("delayMs"); // a sync requested afterwards waits this long; -1: signed out
    QTest::newRow("pull answered") << "pull" << 1 << SyncEngine::DebounceMs;
    QTest::newRow("pull 500") << "pull 500" << 1 << SyncEngine::RetryDelayMs;
    QTest::newRow("pull 500 three times") << "pull 500" << 3 << 4 * SyncEngine::RetryDelayMs;
    QTest::newRow("pull 500 ten times") << "pull 500" << 10 << AppState::AutoSyncIntervalMs;
    QTest::newRow("cursor loop") << "loop" << 1 << SyncEngine::RetryDelayMs;
    QTest::newRow("refresh refused, sync") << "refresh 400" << 1 << -1;
    QTest::newRow("refresh refused, account screen") << "screen, refresh 401" << 0 << -1;
    QTest::newRow("refresh unavailable, account screen") << "screen, refresh 503" << 0 << 0;
}

void TestOnlineStartup::serverAnswers()
{
    QFETCH(QString, answer);
    QFETCH(int, cycles);
    QFETCH(int, delayMs);
    storeTokens(SyncTestRig::makeToken(3600), "refresh-1");
    QVERIFY(start());
    settle();
    const QString refreshPath = "/api/v1/realms/tallowmere/auth/token/refresh";
    if (const int status = answer.section("refresh ", 1).toInt()) {
        m_auth->on("POST", refreshPath, FakeHttp::Response::json(status, QJsonObject()));
        const qint64 later = QDateTime::currentSecsSinceEpoch() + 7200;
        m_state->accountClient()->tokenManager()->setClock([later] { return later; });
    }
    if (answer == "pull 500")
        m_sync->injectPull(m_sync->pullCount() + 1, FakeHttp::Response::json(500, QJsonObject()), cycles);
    m_sync->setHasMoreForever(answer == "loop");
    m_sync->setCursorMode(answer == "loop" ? FakeSync::FakeSyncServer::CursorMode::Repeat
                                           : FakeSync::FakeSyncServer::CursorMode::Normal);
    // Records the cycle writes ask for one more sync.
    m_sync->put("accounts", SyncTestRig::serverAccount("acc-9", "Remote"));
    BrioAccount::AccountScreen screen(m_state->accountClient());
    if (answer.startsWith("screen")) {
        screen.refreshAll();
        QTRY_COMPARE(m_auth->requestCount("POST", refreshPath), 2);
    }
    for (int cycle = 0; cycle < cycles; ++cycle) {
        m_state->syncEngine()->syncNow();
        QTRY_VERIFY(m_state->syncEngine()->state() != SyncEngine::Syncing);
    }
    QTRY_COMPARE(m_state->accountClient()->isAuthenticated(), delayMs >= 0);
    QCOMPARE(QList<bool>({storedRefreshToken().has_value(), m_state->syncEngine()->isAutoSyncActive()}),
             QList<bool>(2, delayMs >= 0));
    if (delayMs <= 0)
        return;
    // Only the timer or the user start the next cycle after a failed one.
    QCOMPARE(m_state->syncEngine()->isSyncRequested(), delayMs == SyncEngine::DebounceMs);
    QCOMPARE(m_state->syncEngine()->requestDelayMs(), delayMs);
}

QTEST_MAIN(TestOnlineStartup)
#include "TestOnlineStartup.moc"
