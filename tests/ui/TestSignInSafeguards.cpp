#include "AccountRepository.h"
#include "AppState.h"
#include "AuthClient.h"
#include "Client.h"
#include "CredentialManagerTokenStore.h"
#include "CredentialVault.h"
#include "FakeHttpServer.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "PreferencesRepository.h"
#include "StatusBar.h"
#include "SyncEngine.h"
#include "TestApp.h"
#include "TokenStore.h"
#include "support/AccountTestSupport.h"
#include "support/FakeBrowser.h"
#include "support/PreferenceKeyProbe.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

// What a browser sign-in may do before the user knows about it: tokens that
// cannot be kept are reported as such, and a sign-in into an account other
// than the one this device synced with uploads nothing until the user agrees.
class TestSignInSafeguards : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void signInThatCannotBeKeptSaysSo_data();
    void signInThatCannotBeKeptSaysSo();
    void newUserIsAskedBeforeUpload_data();
    void newUserIsAskedBeforeUpload();
    void restoredSignInIsNotAsked();

private:
    void start();
    void signInThroughBrowser(const QString &user);
    int pushes() const { return m_services->requestCount("POST", QStringLiteral("/tallyfern/v1/sync/push")); }
    int pulls() const { return m_services->requestCount("GET", QStringLiteral("/tallyfern/v1/sync/pull")); }
    bool signedIn() const { return m_app->app()->accountClient()->isAuthenticated(); }

    std::unique_ptr<FakeHttp::FakeHttpServer> m_services;
    std::unique_ptr<FakeBrowser> m_browser;
    std::unique_ptr<TestApp> m_app;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_messages;
};

namespace {

const char ServiceName[] = "com.tallowmerelabs.tallyfern";
const QString Email = QStringLiteral("<b>stranger</b>@example.org");

} // namespace

void TestSignInSafeguards::init()
{
    m_services = std::make_unique<FakeHttp::FakeHttpServer>();
    QVERIFY(m_services->listen());
    m_services->setFallback(
        [](const FakeHttp::Request &) { return FakeHttp::Response::json(200, QJsonObject()); });
    m_services->on("GET", QStringLiteral("/api/v1/realms/tallowmere/users/me"),
                   FakeHttp::Response::json(200, QJsonObject{{"id", "user-2"}, {"email", Email}}));
    qputenv("AUTH_BASE_URL", m_services->url().toString().toUtf8());
    qputenv("ACCOUNT_API_URL", m_services->url(QStringLiteral("/account/v1")).toString().toUtf8());
    qputenv("SYNC_API_URL", m_services->url(QStringLiteral("/tallyfern/v1")).toString().toUtf8());
    m_browser = std::make_unique<FakeBrowser>();
    m_messages.clear();
    m_app = std::make_unique<TestApp>();
    QVERIFY(m_app->isValid());
}

void TestSignInSafeguards::cleanup()
{
    m_window.reset();
    m_app.reset();
    QFile::remove(BrioAccount::CredentialVault::directory());
    BrioAccount::CredentialManagerTokenStore::create(ServiceName)->clear();
    m_browser.reset();
    for (const char *name : {"AUTH_BASE_URL", "ACCOUNT_API_URL", "SYNC_API_URL"})
        qunsetenv(name);
    m_services.reset();
}

void TestSignInSafeguards::start()
{
    m_window = std::make_unique<MainWindow>(m_app->app());
    connect(m_window->statusBarWidget(), &QStatusBar::messageChanged, this,
            [this](const QString &text) { m_messages.append(text); });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestSignInSafeguards::signInThroughBrowser(const QString &user)
{
    m_window->signIn();
    QCOMPARE(m_browser->opened.size(), 1);
    // The answer to a question may sign out again before this returns.
    QSignalSpy signedInSpy(m_app->app()->accountClient()->authClient(),
                           &BrioAccount::AuthClient::loginSucceeded);
    const QString token = AccountTest::freshToken(QJsonObject{{"sub", user}});
    const QByteArray answer = m_browser->visit(
        {FakeBrowser::redirectRequest("/callback?access_token=" + token.toLatin1() + "&refresh_token=r1")});
    QVERIFY(answer.startsWith("HTTP/1.1 200"));
    QTRY_COMPARE(signedInSpy.count(), 1);
}

void TestSignInSafeguards::signInThatCannotBeKeptSaysSo_data()
{
    QTest::addColumn<bool>("folderUsable");
    QTest::addColumn<QString>("message"); // in the status bar when usable, else in a message box
    QTest::newRow("credential folder usable")
        << true << QStringLiteral("Signed in to your Tallowmere Account");
    QTest::newRow("credential folder unusable")
        << false
        << QStringLiteral(
               "Signed in to your Tallowmere Account, but the sign-in could not be saved: it will not "
               "be kept after Tallyfern closes.");
}

void TestSignInSafeguards::signInThatCannotBeKeptSaysSo()
{
    QFETCH(bool, folderUsable);
    QFETCH(QString, message);
    if (!folderUsable) {
        // A file where the credential folder belongs.
        const QString path = BrioAccount::CredentialVault::directory();
        QDir(path).removeRecursively();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile blocker(path);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    start();
    signInThroughBrowser(QStringLiteral("user-1"));

    // The warning must outlast the sync's own status messages.
    auto *box = m_window->findChild<QMessageBox *>();
    QCOMPARE(box && box->isVisible(), !folderUsable);
    const QStringList shown = box ? QStringList{box->text()} : m_messages;
    QVERIFY2(shown.contains(message), qPrintable(shown.join(QLatin1String(" | "))));
    // Signed in for this run all the same; stored only when it could be.
    QVERIFY(signedIn());
    const auto stored = BrioAccount::CredentialManagerTokenStore::create(ServiceName)
                            ->read(QLatin1String(BrioAccount::RefreshTokenKey));
    QCOMPARE(stored.value_or(QString()), folderUsable ? QStringLiteral("r1") : QString());
}

void TestSignInSafeguards::newUserIsAskedBeforeUpload_data()
{
    QTest::addColumn<QString>("lastUser");
    QTest::addColumn<bool>("localAccount");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("upload");

    QTest::newRow("another user, Yes") << "user-1" << true << true << true;
    QTest::newRow("another user, No") << "user-1" << true << true << false;
    QTest::newRow("never synced before, No") << QString() << true << true << false;
    QTest::newRow("same user again") << "user-2" << true << false << true;
    QTest::newRow("only the default categories") << "user-1" << false << false << true;
}

void TestSignInSafeguards::newUserIsAskedBeforeUpload()
{
    QFETCH(QString, lastUser);
    QFETCH(bool, localAccount);
    QFETCH(bool, asked);
    QFETCH(bool, upload);
    if (!lastUser.isEmpty())
        QVERIFY(m_app->app()->preferences()->set(preferenceKey("syncCursorUser"), lastUser));
    if (localAccount)
        QVERIFY(!m_app->addAccount(QStringLiteral("Household"), 250000).id.isEmpty());
    start();

    ModalAnswerer answerer;
    int sentBeforeAnswer = -1;
    QString syncShownWhileAsked;
    if (asked) {
        answerer.expect([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            QCOMPARE(box->text(),
                     QStringLiteral("Upload this computer's records to the online account %1?").arg(Email));
            sentBeforeAnswer =
                pushes() + pulls() +
                m_services->requestCount("POST", QStringLiteral("/account/v1/devices/register"));
            syncShownWhileAsked = m_window->findChild<QLabel *>(QStringLiteral("syncStateLabel"))->text();
            box->button(upload ? QMessageBox::Yes : QMessageBox::No)->click();
        });
    }
    signInThroughBrowser(QStringLiteral("user-2"));

    if (asked)
        QTRY_COMPARE(answerer.pendingHandlers(), 0);
    if (upload) {
        // The default categories are pending too: the cycle starts with a push.
        QTRY_VERIFY(pushes() > 0);
        QVERIFY(signedIn());
    } else {
        QTRY_VERIFY(!signedIn());
        // Signed out: nothing can start any more, and nothing went out before.
        QCOMPARE(pushes(), 0);
        QCOMPARE(pulls(), 0);
        QVERIFY(!BrioAccount::CredentialManagerTokenStore::create(ServiceName)
                     ->read(QLatin1String(BrioAccount::RefreshTokenKey))
                     .has_value());
    }
    if (asked) {
        QCOMPARE(sentBeforeAnswer, 0);
        QCOMPARE(syncShownWhileAsked, QStringLiteral("Sync waits for your answer"));
    }
    QVERIFY2(answerer.unexpected().isEmpty(), qPrintable(answerer.unexpected().join(QLatin1String(" | "))));
}

void TestSignInSafeguards::restoredSignInIsNotAsked()
{
    auto store = BrioAccount::CredentialManagerTokenStore::create(ServiceName);
    QVERIFY(store->write(QLatin1String(BrioAccount::AccessTokenKey),
                         AccountTest::freshToken(QJsonObject{{"sub", "user-2"}})));
    QVERIFY(store->write(QLatin1String(BrioAccount::RefreshTokenKey), QStringLiteral("r1")));
    // The stored tokens are read when the application state starts.
    m_app.reset();
    m_app = std::make_unique<TestApp>();
    QVERIFY(m_app->isValid());
    QVERIFY(m_app->app()->preferences()->set(preferenceKey("syncCursorUser"), QStringLiteral("user-1")));
    QVERIFY(!m_app->addAccount(QStringLiteral("Household"), 250000).id.isEmpty());

    ModalAnswerer answerer;
    start();
    QVERIFY(signedIn());
    m_app->app()->syncEngine()->syncNow();
    QTRY_VERIFY(pushes() > 0);
    QVERIFY(answerer.unexpected().isEmpty());
}

QTEST_MAIN(TestSignInSafeguards)
#include "TestSignInSafeguards.moc"
