// The library facade as the application uses it: one configuration, three services, tokens
// that survive a restart in the credential store, and one refresh shared by all clients.
#include "AccountClient.h"
#include "support/AccountTestSupport.h"
#include "ApiClient.h"
#include "AuthClient.h"
#include "Client.h"
#include "CredentialManagerTokenStore.h"
#include "FakeHttpServer.h"
#include "TokenManager.h"
#include "support/FakeBrowser.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace BrioAccount;
using FakeHttp::FakeHttpServer;
using FakeHttp::Response;

namespace {

const QString RefreshPath = QStringLiteral("/api/v1/realms/tallowmere/auth/token/refresh");

QString ownerToken()
{
    return AccountTest::freshToken(
        {{"sub", "user-9"},
         {"custom", QJsonObject{{"tov", QJsonObject{{"group_id", "g-1"}, {"role", "owner"}}}}}});
}

} // namespace

class TestClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeHttpServer> m_authServer;
    std::unique_ptr<FakeHttpServer> m_accountServer;
    std::unique_ptr<FakeHttpServer> m_syncServer;
    ClientConfig m_config;

    std::unique_ptr<Client> makeClient();
    static void storeCredentials(const QString &access, const QString &refresh);

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void platformHeader_data();
    void platformHeader();
    void servicesAreReachedUnderTheirBases();
    void refreshIsJoinedAcrossTheThreeClients();
    void tokensSurviveARestart();
    void expiredAndRejectedAtStartUpRemovesTheCredentials();
    void signInRelaysStateAndClaims();
    void signOutDuringStartUpRefreshSticks();
    void rejectedRequestRefreshSignsOut();
    void tovClaims_data();
    void tovClaims();
};

void TestClient::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestClient::init()
{
    m_authServer = std::make_unique<FakeHttpServer>();
    m_accountServer = std::make_unique<FakeHttpServer>();
    m_syncServer = std::make_unique<FakeHttpServer>();
    QVERIFY(m_authServer->listen() && m_accountServer->listen() && m_syncServer->listen());
    for (FakeHttpServer *server : {m_authServer.get(), m_accountServer.get(), m_syncServer.get()})
        server->setFallback([](const FakeHttp::Request &) { return Response::json(200, QJsonObject()); });
    m_config =
        AccountTest::testConfig(m_authServer->url(), m_accountServer->url(QStringLiteral("/account/v1")));
    CredentialManagerTokenStore::create(m_config.applicationId)->clear();
}

void TestClient::cleanup()
{
    CredentialManagerTokenStore::create(m_config.applicationId)->clear();
    m_authServer.reset();
    m_accountServer.reset();
    m_syncServer.reset();
}

std::unique_ptr<Client> TestClient::makeClient()
{
    auto client = std::make_unique<Client>(m_config);
    client->syncApi()->setBaseUrl(m_syncServer->url(QStringLiteral("/tallyfern/v1")));
    return client;
}

void TestClient::storeCredentials(const QString &access, const QString &refresh)
{
    auto store = CredentialManagerTokenStore::create(QStringLiteral("com.tallowmerelabs.tallyfern"));
    store->write(AccessTokenKey, access);
    store->write(RefreshTokenKey, refresh);
}

void TestClient::platformHeader_data()
{
    QTest::addColumn<QString>("configured");
    QTest::addColumn<QByteArray>("sent");
#if defined(Q_OS_LINUX)
    QTest::newRow("running system") << QString() << QByteArray("linux");
#elif defined(Q_OS_WIN)
    QTest::newRow("running system") << QString() << QByteArray("windows");
#endif
    QTest::newRow("override kept as it is") << "Custom OS 2" << QByteArray("Custom OS 2");
}

void TestClient::platformHeader()
{
    QFETCH(QString, configured);
    QFETCH(QByteArray, sent);
    m_config.platform = configured;
    auto client = makeClient();
    client->authClient()->fetchCurrentUser(nullptr);
    client->accountClient()->getGroup(nullptr);
    client->syncApi()->post(QStringLiteral("/sync/push"), QJsonObject{{"changes", QJsonArray()}}, nullptr);
    QVERIFY(m_authServer->waitForRequests(1) && m_accountServer->waitForRequests(1) &&
            m_syncServer->waitForRequests(1));
    for (FakeHttpServer *server : {m_authServer.get(), m_accountServer.get(), m_syncServer.get()}) {
        const FakeHttp::Request r = server->lastRequest();
        QCOMPARE(r.header("X-Platform"), sent);
        QCOMPARE(r.header("X-App-Id"), QByteArray("com.tallowmerelabs.tallyfern"));
        QCOMPARE(r.header("X-App-Version"), QByteArray("1.1.6"));
    }
}

void TestClient::servicesAreReachedUnderTheirBases()
{
    auto client = makeClient();
    client->authClient()->listSessions(nullptr);
    client->accountClient()->getDevices(nullptr);
    client->syncApi()->get(QStringLiteral("/sync/pull"), nullptr);
    QVERIFY(m_authServer->waitForRequests(1) && m_accountServer->waitForRequests(1) &&
            m_syncServer->waitForRequests(1));
    QCOMPARE(m_authServer->lastRequest().path, QStringLiteral("/api/v1/realms/tallowmere/users/me/sessions"));
    QCOMPARE(m_accountServer->lastRequest().path, QStringLiteral("/account/v1/devices"));
    QCOMPARE(m_syncServer->lastRequest().path, QStringLiteral("/tallyfern/v1/sync/pull"));
}

void TestClient::refreshIsJoinedAcrossTheThreeClients()
{
    storeCredentials(AccountTest::expiredToken(), QStringLiteral("r1"));
    const QString fresh = ownerToken();
    m_authServer->on(
        "POST", RefreshPath,
        Response::json(200, QJsonObject{{"access_token", fresh}, {"refresh_token", "r2"}}).delayed(50));
    auto client = makeClient();
    client->initialize();
    client->authClient()->fetchCurrentUser(nullptr);
    client->accountClient()->getProfile(nullptr);
    client->syncApi()->get(QStringLiteral("/sync/pull"), nullptr);

    QTRY_COMPARE(m_accountServer->requestCount() + m_syncServer->requestCount(), 2);
    QTRY_COMPARE(m_authServer->requestCount("GET", "/api/v1/realms/tallowmere/users/me"), 1);
    QCOMPARE(m_authServer->requestCount("POST", RefreshPath), 1);
    const QByteArray bearer = QByteArray("Bearer ") + fresh.toUtf8();
    QCOMPARE(m_accountServer->lastRequest().header("Authorization"), bearer);
    QCOMPARE(m_syncServer->lastRequest().header("Authorization"), bearer);
    QCOMPARE(
        m_authServer->requestsTo("GET", "/api/v1/realms/tallowmere/users/me").first().header("Authorization"),
        bearer);
    QVERIFY(client->isAuthenticated());
    // The new pair is what a restart finds.
    auto store = CredentialManagerTokenStore::create(m_config.applicationId);
    QCOMPARE(store->read(RefreshTokenKey).value_or(QString()), QStringLiteral("r2"));
    QCOMPARE(store->read(AccessTokenKey).value_or(QString()), fresh);
}

void TestClient::tokensSurviveARestart()
{
    storeCredentials(ownerToken(), QStringLiteral("r1"));
    auto client = makeClient();
    QSignalSpy states(client.get(), &Client::authStateChanged);
    QSignalSpy claims(client.get(), &Client::claimsUpdated);
    QVERIFY(!client->isAuthenticated());
    client->initialize();
    QVERIFY(client->isAuthenticated());
    QCOMPARE(states.count(), 1);
    QCOMPARE(states.first().first().value<AuthState>(), AuthState::SignedIn);
    QCOMPARE(claims.count(), 1);
    QCOMPARE(claims.first().first().value<TovClaims>().groupId, QStringLiteral("g-1"));
    QCOMPARE(m_authServer->requestCount(), 0);
}

void TestClient::expiredAndRejectedAtStartUpRemovesTheCredentials()
{
    storeCredentials(AccountTest::expiredToken(), QStringLiteral("r1"));
    m_authServer->on("POST", RefreshPath, Response::json(401, QJsonObject{{"error", "revoked"}}));
    auto client = makeClient();
    QSignalSpy claims(client.get(), &Client::claimsUpdated);
    client->initialize();
    QTRY_COMPARE(client->authClient()->state(), AuthState::SignedOut);
    auto store = CredentialManagerTokenStore::create(m_config.applicationId);
    QVERIFY(!store->read(AccessTokenKey).has_value());
    QVERIFY(!store->read(RefreshTokenKey).has_value());
    QCOMPARE(claims.count(), 0);
}

void TestClient::signInRelaysStateAndClaims()
{
    FakeBrowser browser;
    auto client = makeClient();
    client->initialize();
    QVERIFY(!client->isAuthenticated());
    QSignalSpy states(client.get(), &Client::authStateChanged);
    QSignalSpy claims(client.get(), &Client::claimsUpdated);

    client->authClient()->login();
    QVERIFY(
        browser.opened.first().toString().startsWith(m_config.authBaseUrl + "/tallowmere/account/login?"));
    const QByteArray token = QUrl::toPercentEncoding(ownerToken());
    browser.visit({FakeBrowser::redirectRequest("/callback?access_token=" + token + "&refresh_token=r1")});
    QVERIFY(client->isAuthenticated());
    QCOMPARE(states.count(), 1);
    QCOMPARE(claims.count(), 1);
    const TovClaims signedIn = claims.first().first().value<TovClaims>();
    QCOMPARE(signedIn.groupId, QStringLiteral("g-1"));
    QVERIFY(signedIn.isOwner());
    QCOMPARE(client->claims().role, QStringLiteral("owner"));
    QCOMPARE(client->authClient()->currentUserId(), QStringLiteral("user-9"));

    client->authClient()->logout();
    QCOMPARE(states.count(), 2);
    QCOMPARE(states.last().first().value<AuthState>(), AuthState::SignedOut);
    QCOMPARE(claims.count(), 1);
    QVERIFY(client->claims().groupId.isEmpty());
    QVERIFY(!CredentialManagerTokenStore::create(m_config.applicationId)->read(AccessTokenKey).has_value());
}

// Start-up could not reach the server yet; meanwhile the user signs in and out again. The late
// answer of the start-up refresh must not sign the user back in.
void TestClient::signOutDuringStartUpRefreshSticks()
{
    FakeBrowser browser;
    storeCredentials(AccountTest::expiredToken(), QStringLiteral("r1"));
    m_authServer->on("POST", RefreshPath, Response::json(503, QJsonObject()).held());
    auto client = makeClient();
    client->initialize();
    QTRY_COMPARE(m_authServer->heldCount(), 1);
    QCOMPARE(client->authClient()->state(), AuthState::Initial);

    client->authClient()->login();
    const QByteArray token = QUrl::toPercentEncoding(ownerToken());
    browser.visit({FakeBrowser::redirectRequest("/callback?access_token=" + token + "&refresh_token=r2")});
    QVERIFY(client->isAuthenticated());
    client->authClient()->logout();
    QCOMPARE(client->authClient()->state(), AuthState::SignedOut);

    QSignalSpy states(client.get(), &Client::authStateChanged);
    m_authServer->release();
    QTRY_COMPARE(m_authServer->heldCount(), 0);
    QTest::qWait(100);
    QCOMPARE(states.count(), 0);
    QCOMPARE(client->authClient()->state(), AuthState::SignedOut);
    QVERIFY(!client->isAuthenticated());
}

void TestClient::rejectedRequestRefreshSignsOut()
{
    storeCredentials(ownerToken(), QStringLiteral("r1"));
    auto client = makeClient();
    client->initialize();
    m_syncServer->on("POST", "/tallyfern/v1/sync/push", Response::json(401, QJsonObject()));
    m_authServer->on("POST", RefreshPath, Response::json(400, QJsonObject()));
    QSignalSpy authRequired(client->syncApi(), &ApiClient::authenticationRequired);
    int status = -1;
    client->syncApi()->post(QStringLiteral("/sync/push"), QJsonObject{{"changes", QJsonArray()}},
                            [&](bool, int s, const QJsonObject &) { status = s; });
    QTRY_COMPARE(status, 401);
    QCOMPARE(authRequired.count(), 1);
    QCOMPARE(m_authServer->requestCount("POST", RefreshPath), 1);
    // The same end as a refused refresh at start-up: signed out, nothing kept.
    QVERIFY(!client->isAuthenticated());
    QVERIFY(!CredentialManagerTokenStore::create(m_config.applicationId)->read(RefreshTokenKey));
}

void TestClient::tovClaims_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("groupId");
    QTest::addColumn<QString>("role");
    QTest::addColumn<bool>("owner");

    QTest::newRow("owner") << ownerToken() << "g-1"
                           << "owner" << true;
    QTest::newRow("member") << AccountTest::makeJwt(
                                   {{"custom", QJsonObject{{"tov", QJsonObject{{"role", "member"}}}}}})
                            << ""
                            << "member" << false;
    QTest::newRow("case matters") << AccountTest::makeJwt(
                                         {{"custom", QJsonObject{{"tov", QJsonObject{{"role", "Owner"}}}}}})
                                  << ""
                                  << "Owner" << false;
    QTest::newRow("no custom claims") << AccountTest::freshToken() << ""
                                      << "" << false;
    QTest::newRow("tov not an object")
        << AccountTest::makeJwt({{"custom", QJsonObject{{"tov", "owner"}}}}) << ""
        << "" << false;
    QTest::newRow("mistyped claims")
        << AccountTest::makeJwt(
               {{"custom", QJsonObject{{"tov", QJsonObject{{"group_id", 5}, {"role", true}}}}}})
        << ""
        << "" << false;
    QTest::newRow("not a token") << "garbage"
                                 << ""
                                 << "" << false;
}

void TestClient::tovClaims()
{
    QFETCH(QString, token);
    QFETCH(QString, groupId);
    QFETCH(QString, role);
    QFETCH(bool, owner);
    const TovClaims claims = TovClaims::fromToken(token);
    QCOMPARE(claims.groupId, groupId);
    QCOMPARE(claims.role, role);
    QCOMPARE(claims.isOwner(), owner);
}

QTEST_MAIN(TestClient)
#include "TestClient.moc"
