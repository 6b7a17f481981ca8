#include "AccountScreen.h"
#include "AppState.h"
#include "AuthClient.h"
#include "Client.h"
#include "CredentialManagerTokenStore.h"
#include "FakeHttpServer.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "SettingsScreen.h"
#include "ShareMembersDialog.h"
#include "StatusBar.h"
#include "SyncEngine.h"
#include "TestApp.h"
#include "TokenStore.h"
#include "support/AccountListProbe.h"
#include "support/AccountTestSupport.h"
#include "support/FakeBrowser.h"

#include <QAbstractButton>
#include <QAction>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>

// Signing in and out from the main window: the File menu and the welcome page
// open the browser's sign-in page, the loopback answer signs the user in, and
// the offered commands follow the account client's state.
class TestMainWindowSignIn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void signInFromMenuAndWelcomePage_data();
    void signInFromMenuAndWelcomePage();
    void failedSignInSaysSo();
    void cancelStopsWaitingForTheBrowser();
    void signOutOffersSignInAgain();
    void refusedRefreshSignsOutEveryScreen();
    void accountEntryOpensAccountWindow();
    void shareAccountRequestsSync();

private:
    void start();
    void storeTokens();
    QPushButton *welcomeSignIn() const;

    std::unique_ptr<FakeHttp::FakeHttpServer> m_services;
    std::unique_ptr<FakeBrowser> m_browser;
    std::unique_ptr<TestApp> m_app;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindowSignIn::init()
{
    // One fake answers for the authentication, account and sync services.
    m_services = std::make_unique<FakeHttp::FakeHttpServer>();
    QVERIFY(m_services->listen());
    m_services->setFallback(
        [](const FakeHttp::Request &) { return FakeHttp::Response::json(200, QJsonObject()); });
    qputenv("AUTH_BASE_URL", m_services->url().toString().toUtf8());
    qputenv("ACCOUNT_API_URL", m_services->url(QStringLiteral("/account/v1")).toString().toUtf8());
    qputenv("SYNC_API_URL", m_services->url(QStringLiteral("/tallyfern/v1")).toString().toUtf8());
    m_browser = std::make_unique<FakeBrowser>();
}

void TestMainWindowSignIn::cleanup()
{
    m_window.reset();
    m_app.reset();
    BrioAccount::CredentialManagerTokenStore::create("com.tallowmerelabs.tallyfern")->clear();
    m_browser.reset();
    for (const char *name : {"AUTH_BASE_URL", "ACCOUNT_API_URL", "SYNC_API_URL"})
        qunsetenv(name);
    m_services.reset();
}

void TestMainWindowSignIn::start()
{
    m_app = std::make_unique<TestApp>();
    QVERIFY(m_app->isValid());
    m_window = std::make_unique<MainWindow>(m_app->app());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

QPushButton *TestMainWindowSignIn::welcomeSignIn() const
{
    return m_window->findChild<QPushButton *>(QStringLiteral("signInButton"));
}

void TestMainWindowSignIn::signInFromMenuAndWelcomePage_data()
{
    QTest::addColumn<bool>("fromWelcomePage");
    QTest::newRow("File menu") << false;
    QTest::newRow("welcome page") << true;
}

void TestMainWindowSignIn::signInFromMenuAndWelcomePage()
{
    QFETCH(bool, fromWelcomePage);
    start();
    QVERIFY(m_window->isWelcomeShown());
    QVERIFY(m_window->signInAction()->isVisible());
    QVERIFY(!m_window->signOutAction()->isVisible());
    QVERIFY(welcomeSignIn() && welcomeSignIn()->isVisible());
    if (fromWelcomePage)
        QTest::mouseClick(welcomeSignIn(), Qt::LeftButton);
    else
        m_window->signInAction()->trigger();

    QCOMPARE(m_browser->opened.size(), 1);
    const QUrl page = m_browser->opened.first();
    QCOMPARE(page.host(), QStringLiteral("127.0.0.1"));
    QCOMPARE(page.path(), QStringLiteral("/tallowmere/account/login"));
    QVERIFY(m_window->statusBarWidget()->isActivityVisible());

    const QByteArray answer = m_browser->visit({FakeBrowser::redirectRequest(
        "/callback?access_token=" + AccountTest::freshToken().toLatin1() + "&refresh_token=r1")});
    QVERIFY(answer.startsWith("HTTP/1.1 200"));

    QTRY_VERIFY(m_app->app()->accountClient()->isAuthenticated());
    QTRY_VERIFY(m_window->signOutAction()->isVisible());
    // The same File entry now opens the account window.
    QVERIFY(m_window->signInAction()->isVisible());
    QVERIFY(!welcomeSignIn()->isVisible());
    QVERIFY(!m_window->statusBarWidget()->isActivityVisible());
    QVERIFY(QSettings().value(QStringLiteral("auth/hasSignedInBefore")).toBool());
    // Signing in registers this device with the account service.
    QTRY_VERIFY(m_services->requestCount("POST", QStringLiteral("/account/v1/devices/register")) == 1);
}

void TestMainWindowSignIn::failedSignInSaysSo()
{
    start();
    m_window->signInAction()->trigger();
    QCOMPARE(m_browser->opened.size(), 1);
    // The browser came back without tokens (the user cancelled on the sign-in page).
    m_browser->visit({FakeBrowser::redirectRequest("/callback?error=access_denied")});
    QTRY_COMPARE(m_window->statusBarWidget()->currentMessage(),
                 QStringLiteral("Sign-in failed: No tokens received"));
    QVERIFY(!m_app->app()->accountClient()->isAuthenticated());
    QVERIFY(m_window->signInAction()->isVisible());
    QVERIFY(!m_window->signOutAction()->isVisible());
}

void TestMainWindowSignIn::cancelStopsWaitingForTheBrowser()
{
    start();
    m_window->signInAction()->trigger();
    StatusBar *status = m_window->statusBarWidget();
    QVERIFY(status->cancelButton()->isVisible());
    QTest::mouseClick(status->cancelButton(), Qt::LeftButton);
    QVERIFY(!status->isActivityVisible());
    QCOMPARE(m_app->app()->accountClient()->authClient()->state(), BrioAccount::AuthState::SignedOut);
    // The listener is gone: a redirect arriving late finds no one.
    QTcpSocket late;
    late.connectToHost(QHostAddress(QHostAddress::LocalHost), m_browser->redirectPort());
    QVERIFY(!late.waitForConnected(3000));
    QVERIFY(welcomeSignIn()->isVisible());
}

void TestMainWindowSignIn::signOutOffersSignInAgain()
{
    storeTokens();
    start();
    QTRY_VERIFY(m_window->signOutAction()->isVisible());

    m_window->signOutAction()->trigger();
    QVERIFY(!m_app->app()->accountClient()->isAuthenticated());
    QVERIFY(m_window->signInAction()->isVisible());
    QVERIFY(!m_window->signOutAction()->isVisible());
    QCOMPARE(m_window->statusBarWidget()->currentMessage(), QStringLiteral("Signed out"));
    QTRY_VERIFY(m_services->requestCount("POST", QStringLiteral("/api/v1/realms/tallowmere/auth/logout")) ==
                1);
    const auto stored = BrioAccount::CredentialManagerTokenStore::create("com.tallowmerelabs.tallyfern")
                            ->read(BrioAccount::RefreshTokenKey);
    QVERIFY(!stored.has_value() || stored->isEmpty());
}

void TestMainWindowSignIn::refusedRefreshSignsOutEveryScreen()
{
    storeTokens();
    start();
    QTRY_VERIFY(m_app->app()->accountClient()->isAuthenticated());
    m_window->openSettingsScreen();
    m_window->signInAction()->trigger();
    auto *status = m_window->settingsScreen()->findChild<QLabel *>(QStringLiteral("accountStatus"));
    QVERIFY(status->text().contains(QLatin1String("Signed in as")) && m_window->accountScreen()->isVisible());

    // The sync service no longer takes the token, and the authentication service will not renew it.
    m_services->on("GET", "/tallyfern/v1/sync/pull", FakeHttp::Response::json(401, QJsonObject()));
    m_services->on("POST", "/api/v1/realms/tallowmere/auth/token/refresh",
                   FakeHttp::Response::json(401, QJsonObject()));
    m_app->app()->syncEngine()->syncNow();
    QTRY_VERIFY(!m_app->app()->accountClient()->isAuthenticated());
    auto *message = m_window->findChild<QMessageBox *>(QStringLiteral("accountWarning"));
    QVERIFY(message && message->isVisible() &&
            message->text().contains(QStringLiteral("Syncing has stopped")));
    QVERIFY(
        message->text().endsWith(QStringLiteral("To sync again, sign in via File › Tallowmere Account.")));
    QVERIFY(m_window->findChild<QLabel *>(QStringLiteral("syncStateLabel"))->isHidden());
    QVERIFY(status->text().startsWith(QLatin1String("Not signed in.")) &&
            !m_window->accountScreen()->isVisible());
}

void TestMainWindowSignIn::storeTokens()
{
    auto store = BrioAccount::CredentialManagerTokenStore::create("com.tallowmerelabs.tallyfern");
    QVERIFY(store->write(BrioAccount::AccessTokenKey, AccountTest::freshToken()));
    QVERIFY(store->write(BrioAccount::RefreshTokenKey, QStringLiteral("r1")));
}

void TestMainWindowSignIn::accountEntryOpensAccountWindow()
{
    storeTokens();
    start();
    QTRY_VERIFY(m_app->app()->accountClient()->isAuthenticated());
    m_window->signInAction()->trigger();
    QVERIFY(m_browser->opened.isEmpty());
    BrioAccount::AccountScreen *screen = m_window->accountScreen();
    QVERIFY(screen && screen->isVisible());
    QTRY_COMPARE(m_services->requestCount("GET", QStringLiteral("/account/v1/group")), 1);

    // Opened again on another page: the same window, back on the first page, read again.
    screen->showTab(BrioAccount::AccountScreen::DevicesPage);
    m_window->signInAction()->trigger();
    QCOMPARE(m_window->accountScreen(), screen);
    QCOMPARE(screen->findChild<QStackedWidget *>()->currentIndex(), 0);
    QTRY_COMPARE(m_services->requestCount("GET", QStringLiteral("/account/v1/group")), 2);

    // The window's Sign Out signs out and the window goes with the user's data.
    for (QAbstractButton *button : screen->findChildren<QAbstractButton *>()) {
        if (button->text() == QLatin1String("Sign Out"))
            button->click();
    }
    QVERIFY(!m_app->app()->accountClient()->isAuthenticated());
    QVERIFY(!screen->isVisible());
    m_window->signInAction()->trigger();
    QCOMPARE(m_browser->opened.size(), 1);
    QVERIFY(!screen->isVisible());
}

void TestMainWindowSignIn::shareAccountRequestsSync()
{
    storeTokens();
    m_services->on("GET", "/account/v1/profile", FakeHttp::Response::json(200, QJsonObject{{"id", "acc-1"}}));
    const QJsonArray members{QJsonObject{{"account_id", "acc-1"}},
                             QJsonObject{{"account_id", "acc-2"}, {"display_name", "Bo Tester"}}};
    m_services->on("GET", "/account/v1/group",
                   FakeHttp::Response::json(200, QJsonObject{{"id", "g1"}, {"members", members}}));
    // Cycles that succeed: after a failed one a requested sync waits for the retry delay.
    const QString pushPath = QStringLiteral("/tallyfern/v1/sync/push");
    m_services->on("POST", pushPath, FakeHttp::Response::json(200, QJsonObject{{"results", QJsonArray()}}));
    start();
    const Account account = m_app->addAccount(QStringLiteral("Checking"));
    m_window->selectAccount(account.id);
    QTRY_VERIFY(m_window->shareAccountAction()->isEnabled());
    const QString sharePath = QStringLiteral("/tallyfern/v1/accounts/%1/share").arg(account.id);
    // The new account's own sync cycle ends first, so that the one after the share can be told apart.
    QTRY_VERIFY_WITH_TIMEOUT(m_services->requestCount("POST", pushPath) >= 1, 10000);
    QTRY_VERIFY(m_app->app()->syncEngine()->state() != SyncEngine::Syncing);
    const int pushesBefore = m_services->requestCount("POST", pushPath);

    ModalAnswerer answerer;
    QString heading;
    answerer.expect([&](QWidget *modal) {
        heading = modal->findChildren<QLabel *>().value(0)->text();
        auto *candidates = modal->findChild<BrioAccount::AccountList *>(QStringLiteral("candidateRows"));
        QTRY_VERIFY(candidates->isVisible() && candidates->rowCount() == 1);
        QCOMPARE(AccountListProbe::rowTexts(candidates, 0).last(), QStringLiteral("Share"));
        QVERIFY(AccountListProbe::clickButton(candidates, 0));
        QTRY_COMPARE(m_services->requestCount("POST", sharePath), 1);
        qobject_cast<QDialog *>(modal)->accept();
    });
    m_window->shareAccountAction()->trigger();
    QCOMPARE(answerer.pendingHandlers(), 0);
    QCOMPARE(heading, QStringLiteral("Sharing: Checking"));
    QCOMPARE(m_services->requestsTo("POST", sharePath).first().jsonBody(),
             QJsonObject({{"role", "member"}, {"user_id", "acc-2"}}));
    // The share is followed by a sync cycle.
    QTRY_VERIFY_WITH_TIMEOUT(m_services->requestCount("POST", pushPath) > pushesBefore, 10000);
}

QTEST_MAIN(TestMainWindowSignIn)
#include "TestMainWindowSignIn.moc"
