#include "AppState.h"
#include "Client.h"
#include "CredentialManagerTokenStore.h"
#include "FakeHttpServer.h"
#include "MainWindow.h"
#include "StatusBar.h"
#include "TestApp.h"
#include "TokenStore.h"
#include "support/AccountTestSupport.h"
#include "support/FakeBrowser.h"

#include <QAction>
#include <QJsonObject>
#include <QPushButton>
#include <QSettings>
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
    void signOutOffersSignInAgain();

private:
    void start();
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

    // The first sync follows at once and replaces the message; keep every one shown.
    QStringList messages;
    connect(m_window->statusBarWidget(), &QStatusBar::messageChanged, this,
            [&messages](const QString &text) { messages.append(text); });
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
    QVERIFY(!m_window->signInAction()->isVisible());
    QVERIFY(!welcomeSignIn()->isVisible());
    QVERIFY(!m_window->statusBarWidget()->isActivityVisible());
    QVERIFY(messages.contains(QStringLiteral("Signed in to your Tallowmere Account")));
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

void TestMainWindowSignIn::signOutOffersSignInAgain()
{
    auto store = BrioAccount::CredentialManagerTokenStore::create("com.tallowmerelabs.tallyfern");
    QVERIFY(store->write(BrioAccount::AccessTokenKey, AccountTest::freshToken()));
    QVERIFY(store->write(BrioAccount::RefreshTokenKey, QStringLiteral("r1")));
    start();
    QTRY_VERIFY(m_window->signOutAction()->isVisible());
    QVERIFY(!m_window->signInAction()->isVisible());

    m_window->signOutAction()->trigger();
    QVERIFY(!m_app->app()->accountClient()->isAuthenticated());
    QVERIFY(m_window->signInAction()->isVisible());
    QVERIFY(!m_window->signOutAction()->isVisible());
    QCOMPARE(m_window->statusBarWidget()->currentMessage(), QStringLiteral("Signed out"));
    QTRY_VERIFY(m_services->requestCount("POST", QStringLiteral("/api/v1/realms/tallowmere/auth/logout")) ==
                1);
    QVERIFY(!store->read(BrioAccount::RefreshTokenKey).has_value() ||
            store->read(BrioAccount::RefreshTokenKey)->isEmpty());
}

QTEST_MAIN(TestMainWindowSignIn)
#include "TestMainWindowSignIn.moc"
