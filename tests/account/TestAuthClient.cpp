// The sign-in client against a fake authentication service: the token refresher, start-up,
// refresh, sign-out and the operations on the signed-in user.
#include "ApiClient.h"
#include "AuthClient.h"
#include "FakeHttpServer.h"
#include "TokenManager.h"
#include "support/AccountTestSupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace BrioAccount;
using FakeHttp::FakeHttpServer;
using FakeHttp::Response;

namespace {

const QString Realm = QStringLiteral("/api/v1/realms/tallowmere");

QString realmPath(const char *path)
{
    return Realm + QLatin1String(path);
}

} // namespace

class TestAuthClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeHttpServer> m_server;
    std::shared_ptr<AccountTest::MemoryTokenStore::Shared> m_stored;
    std::unique_ptr<TokenManager> m_tokens;
    std::unique_ptr<ApiClient> m_api;
    std::unique_ptr<AuthClient> m_auth;

    void storeTokens(const QString &access, const QString &refresh);

private Q_SLOTS:
    void init();
    void cleanup();
    void refresherAnswers_data();
    void refresherAnswers();
    void initialize_data();
    void initialize();
    void refreshTokenRejectedSignsOut();
    void refreshTokenTransientChangesNothing();
    void logoutWithDroppingServer();
    void secondLogoutOnlyReportsCompletion();
    void logoutDuringRefreshStaysSignedOut();
    void logoutRefreshesAnExpiredToken_data();
    void logoutRefreshesAnExpiredToken();
    void userOperationsSendExactly_data();
    void userOperationsSendExactly();
    void refusedDisplayNameKeepsTheCache();
    void sessionsAnswer();
    void revokeSessionRefusesUnusableIds_data();
    void revokeSessionRefusesUnusableIds();
    void currentUserIdFollowsTheUsableToken();
};

void TestAuthClient::init()
{
    m_server = std::make_unique<FakeHttpServer>();
    QVERIFY(m_server->listen());
    m_stored = std::make_shared<AccountTest::MemoryTokenStore::Shared>();
    m_tokens = std::make_unique<TokenManager>(std::make_unique<AccountTest::MemoryTokenStore>(m_stored));
    m_api = std::make_unique<ApiClient>(m_tokens.get());
    m_api->setBaseUrl(m_server->url(Realm));
    m_auth = std::make_unique<AuthClient>(m_server->url().toString(), QStringLiteral("tallowmere"),
                                          QStringLiteral("client"), m_api.get(), m_tokens.get());
}

void TestAuthClient::cleanup()
{
    m_auth.reset();
    m_api.reset();
    m_tokens.reset();
    m_server.reset();
}

void TestAuthClient::storeTokens(const QString &access, const QString &refresh)
{
    m_stored->values.insert(AccessTokenKey, access);
    m_stored->values.insert(RefreshTokenKey, refresh);
    m_tokens->load();
}

void TestAuthClient::refresherAnswers_data()
{
    QTest::addColumn<Response>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("access");
    QTest::addColumn<QString>("refresh");

    const QString a2 = AccountTest::freshToken({{"sub", "a2"}});
    const int success = int(RefreshResult::Success);
    const int rejected = int(RefreshResult::Rejected);
    const int transient = int(RefreshResult::TransientFailure);
    // "kept" stands for the tokens the test stored before the refresh.
    QTest::newRow("200 both") << Response::json(200,
                                                QJsonObject{{"access_token", a2}, {"refresh_token", "r2"}})
                              << success << a2 << "r2";
    QTest::newRow("201 both") << Response::json(201,
                                                QJsonObject{{"access_token", a2}, {"refresh_token", "r2"}})
                              << success << a2 << "r2";
    QTest::newRow("200 access only keeps the refresh token")
        << Response::json(200, QJsonObject{{"access_token", a2}}) << success << a2 << "r1";
    QTest::newRow("200 without access token")
        << Response::json(200, QJsonObject{{"refresh_token", "r2"}}) << transient << "kept"
        << "r1";
    QTest::newRow("200 empty") << Response::empty(200) << transient << "kept"
                               << "r1";
    QTest::newRow("200 access token not text")
        << Response::json(200, QJsonObject{{"access_token", 5}}) << transient << "kept"
        << "r1";
    // A refused refresh token ends the session, whoever asked for the refresh.
    QTest::newRow("400") << Response::json(400, QJsonObject{{"error", "invalid_grant"}}) << rejected << ""
                         << "";
    QTest::newRow("401") << Response::json(401, QJsonObject{}) << rejected << ""
                         << "";
    QTest::newRow("499") << Response::json(499, QJsonObject{}) << rejected << ""
                         << "";
    QTest::newRow("408 time-out") << Response::json(408, QJsonObject{}) << transient << "kept"
                                  << "r1";
    QTest::newRow("429 rate limit") << Response::json(429, QJsonObject{}) << transient << "kept"
                                    << "r1";
    QTest::newRow("500") << Response::json(500, QJsonObject{}) << transient << "kept"
                         << "r1";
    QTest::newRow("dropped") << Response::drop() << transient << "kept"
                             << "r1";
}

void TestAuthClient::refresherAnswers()
{
    QFETCH(Response, answer);
    QFETCH(int, result);
    QFETCH(QString, access);
    QFETCH(QString, refresh);

    const QString expired = AccountTest::expiredToken();
    storeTokens(expired, QStringLiteral("r1"));
    m_server->on("POST", realmPath("/auth/token/refresh"), answer);

    QList<RefreshResult> results;
    m_tokens->refresh([&](RefreshResult r) { results.append(r); });
    QTRY_COMPARE(results.size(), 1);
    QCOMPARE(int(results.first()), result);

    const FakeHttp::Request request = m_server->requestsTo("POST", realmPath("/auth/token/refresh")).first();
    QCOMPARE(request.body, QByteArray(R"({"refresh_token":"r1"})"));
    QVERIFY(!request.hasHeader("Authorization"));

    const QString expectedAccess = access == QLatin1String("kept") ? expired : access;
    QCOMPARE(m_stored->values.value(AccessTokenKey), expectedAccess);
    QCOMPARE(m_stored->values.value(RefreshTokenKey), refresh);
    QCOMPARE(m_tokens->refreshToken(), refresh);
}

void TestAuthClient::initialize_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<Response>("refreshAnswer");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("tokensKept");
    QTest::addColumn<int>("refreshRequests");

    const Response fresh = Response::json(
        200, QJsonObject{{"access_token", AccountTest::freshToken()}, {"refresh_token", "r2"}});
    QTest::newRow("usable") << "usable" << fresh << int(AuthState::SignedIn) << true << 0;
    QTest::newRow("expired, rejected")
        << "expired" << Response::json(401, QJsonObject{}) << int(AuthState::SignedOut) << false << 1;
    QTest::newRow("expired, server down")
        << "expired" << Response::drop() << int(AuthState::SignedIn) << true << 1;
    QTest::newRow("expired, refreshed") << "expired" << fresh << int(AuthState::SignedIn) << true << 1;
    QTest::newRow("refresh token only") << "refresh only" << fresh << int(AuthState::SignedIn) << true << 1;
    QTest::newRow("empty store") << "empty" << fresh << int(AuthState::SignedOut) << false << 0;
}

void TestAuthClient::initialize()
{
    QFETCH(QString, store);
    QFETCH(Response, refreshAnswer);
    QFETCH(int, state);
    QFETCH(bool, tokensKept);
    QFETCH(int, refreshRequests);

    if (store == QLatin1String("usable"))
        m_stored->values.insert(AccessTokenKey, AccountTest::freshToken());
    else if (store == QLatin1String("expired"))
        m_stored->values.insert(AccessTokenKey, AccountTest::expiredToken());
    if (store != QLatin1String("empty"))
        m_stored->values.insert(RefreshTokenKey, QStringLiteral("r1"));
    m_server->on("POST", realmPath("/auth/token/refresh"), refreshAnswer);

    QSignalSpy states(m_auth.get(), &AuthClient::stateChanged);
    QCOMPARE(m_auth->state(), AuthState::Initial);
    m_auth->initialize();
    QTRY_COMPARE(states.count(), 1);
    QCOMPARE(int(states.first().first().value<AuthState>()), state);
    QCOMPARE(int(m_auth->state()), state);
    QCOMPARE(m_auth->isAuthenticated(), state == int(AuthState::SignedIn));
    QCOMPARE(m_stored->values.contains(RefreshTokenKey), tokensKept);
    QCOMPARE(m_stored->values.contains(AccessTokenKey), tokensKept);
    QVERIFY(m_server->requestCount("POST", realmPath("/auth/token/refresh")) >= refreshRequests);
    if (refreshRequests == 0)
        QCOMPARE(m_server->requestCount(), 0);
}

void TestAuthClient::refreshTokenRejectedSignsOut()
{
    storeTokens(AccountTest::freshToken(), QStringLiteral("r1"));
    m_auth->initialize();
    m_server->on("GET", realmPath("/users/me"), Response::json(200, QJsonObject{{"id", "u1"}}));
    bool fetched = false;
    m_auth->fetchCurrentUser([&](User) { fetched = true; });
    QTRY_VERIFY(fetched);

    m_server->on("POST", realmPath("/auth/token/refresh"), Response::json(400, QJsonObject{}));
    QSignalSpy states(m_auth.get(), &AuthClient::stateChanged);
    QList<bool> answers;
    m_auth->refreshToken([&](bool ok) { answers.append(ok); });
    QTRY_COMPARE(answers.size(), 1);
    QCOMPARE(answers.first(), false);
    QCOMPARE(m_auth->state(), AuthState::SignedOut);
    QCOMPARE(states.count(), 1);
    QVERIFY(m_stored->values.isEmpty());
    // The cached user went with the sign-in.
    m_server->on("GET", realmPath("/users/me"), Response::json(500, QJsonObject{}));
    User cached;
    fetched = false;
    m_auth->fetchCurrentUser([&](User u) {
        cached = u;
        fetched = true;
    });
    QTRY_VERIFY(fetched);
    QVERIFY(cached.id.isEmpty());
}

void TestAuthClient::refreshTokenTransientChangesNothing()
{
    storeTokens(AccountTest::freshToken(), QStringLiteral("r1"));
    m_auth->initialize();
    m_server->on("POST", realmPath("/auth/token/refresh"), Response::json(503, QJsonObject{}));
    QSignalSpy states(m_auth.get(), &AuthClient::stateChanged);
    QList<bool> answers;
    m_auth->refreshToken([&](bool ok) { answers.append(ok); });
    QTRY_COMPARE(answers.size(), 1);
    QCOMPARE(answers.first(), false);
    QCOMPARE(m_auth->state(), AuthState::SignedIn);
    QCOMPARE(states.count(), 0);
    QCOMPARE(m_stored->values.value(RefreshTokenKey), QStringLiteral("r1"));

    m_server->on("POST", realmPath("/auth/token/refresh"),
                 Response::json(
                     200, QJsonObject{{"access_token", AccountTest::freshToken()}, {"refresh_token", "r2"}}));
    m_auth->refreshToken([&](bool ok) { answers.append(ok); });
    QTRY_COMPARE(answers.size(), 2);
    QCOMPARE(answers.last(), true);
    QCOMPARE(m_tokens->refreshToken(), QStringLiteral("r2"));
}

void TestAuthClient::logoutWithDroppingServer()
{
    const QString token = AccountTest::freshToken();
    storeTokens(token, QStringLiteral("r1"));
    m_auth->initialize();
    m_server->on("POST", realmPath("/auth/logout"), Response::drop());

    QStringList order;
    connect(m_auth.get(), &AuthClient::stateChanged, this, [&](AuthState s) {
        order.append(s == AuthState::SignedOut ? QStringLiteral("signed out") : QStringLiteral("other"));
    });
    connect(m_auth.get(), &AuthClient::logoutCompleted, this,
            [&] { order.append(QStringLiteral("completed")); });
    m_auth->logout();

    // Signed out at once, without waiting for the server.
    QCOMPARE(order, QStringList({"signed out", "completed"}));
    QCOMPARE(m_auth->state(), AuthState::SignedOut);
    QVERIFY(m_stored->values.isEmpty());
    QCOMPARE(m_tokens->refreshToken(), QString());

    QVERIFY(m_server->waitForRequests(1));
    const FakeHttp::Request request = m_server->requests().first();
    QCOMPARE(request.path, realmPath("/auth/logout"));
    QCOMPARE(request.header("Authorization"), QByteArray("Bearer ") + token.toUtf8());
    QVERIFY(request.body.isEmpty());
    QTest::qWait(50);
    QCOMPARE(m_auth->state(), AuthState::SignedOut);
}

void TestAuthClient::secondLogoutOnlyReportsCompletion()
{
    storeTokens(AccountTest::freshToken(), QStringLiteral("r1"));
    m_auth->initialize();
    m_auth->logout();
    QSignalSpy states(m_auth.get(), &AuthClient::stateChanged);
    QSignalSpy completed(m_auth.get(), &AuthClient::logoutCompleted);
    m_auth->logout();
    QCOMPARE(states.count(), 0);
    QCOMPARE(completed.count(), 1);
}

void TestAuthClient::logoutDuringRefreshStaysSignedOut()
{
    storeTokens(AccountTest::expiredToken(), QStringLiteral("r1"));
    m_server->on(
        "POST", realmPath("/auth/token/refresh"),
        Response::json(200, QJsonObject{{"access_token", AccountTest::freshToken()}, {"refresh_token", "r2"}})
            .held());
    m_server->on("GET", realmPath("/users/me"), Response::json(200, QJsonObject{{"id", "u1"}}));
    bool answered = false;
    m_auth->fetchCurrentUser([&](User) { answered = true; });
    QTRY_COMPARE(m_server->heldCount(), 1);

    m_auth->logout();
    m_server->release();
    QTRY_VERIFY(answered);
    QTest::qWait(50);

    QCOMPARE(m_auth->state(), AuthState::SignedOut);
    QVERIFY(m_stored->values.isEmpty());
    QCOMPARE(m_tokens->refreshToken(), QString());
    QCOMPARE(m_server->requestCount("GET", realmPath("/users/me")), 0);
}

void TestAuthClient::logoutRefreshesAnExpiredToken_data()
{
    QTest::addColumn<bool>("expired");
    QTest::addColumn<int>("refreshStatus");
    QTest::addColumn<bool>("otherRequestWaiting");
    QTest::addColumn<QString>("bearer"); // of the sign-out request; empty when none is sent

    QTest::newRow("usable token") << false << 0 << false << "old";
    QTest::newRow("expired, refreshed") << true << 200 << false << "new";
    QTest::newRow("expired, joins a running refresh") << true << 200 << true << "new";
    QTest::newRow("expired, refresh rejected") << true << 401 << false << "";
    QTest::newRow("expired, refresh failed") << true << 500 << false << "";
}

void TestAuthClient::logoutRefreshesAnExpiredToken()
{
    QFETCH(bool, expired);
    QFETCH(int, refreshStatus);
    QFETCH(bool, otherRequestWaiting);
    QFETCH(QString, bearer);

    const QString old = expired ? AccountTest::expiredToken() : AccountTest::freshToken();
    const QString renewed = AccountTest::freshToken({{"sub", "renewed"}});
    storeTokens(old, QStringLiteral("r1"));
    const QJsonObject refreshBody = refreshStatus == 200
                                        ? QJsonObject{{"access_token", renewed}, {"refresh_token", "r2"}}
                                        : QJsonObject();
    m_server->on("POST", realmPath("/auth/token/refresh"), Response::json(refreshStatus, refreshBody).held());
    m_server->on("POST", realmPath("/auth/logout"), Response::empty(204));
    QSignalSpy authenticationRequired(m_api.get(), &ApiClient::authenticationRequired);
    if (otherRequestWaiting) {
        m_auth->fetchCurrentUser(nullptr);
        QTRY_COMPARE(m_server->heldCount(), 1);
    }

    QSignalSpy completed(m_auth.get(), &AuthClient::logoutCompleted);
    m_auth->logout();
    // The local sign-out does not wait for the server.
    QCOMPARE(completed.count(), 1);
    QCOMPARE(m_auth->state(), AuthState::SignedOut);
    QVERIFY(m_stored->values.isEmpty());
    m_stored->log.clear();
    if (expired) {
        QTRY_COMPARE(m_server->heldCount(), 1);
        QCOMPARE(m_server->requestCount("POST", realmPath("/auth/token/refresh")), 1);
        m_server->release();
    }

    if (bearer.isEmpty()) {
        QTRY_COMPARE(m_server->heldCount(), 0);
        QTest::qWait(50);
        QCOMPARE(m_server->requestCount("POST", realmPath("/auth/logout")), 0);
    } else {
        QTRY_COMPARE(m_server->requestCount("POST", realmPath("/auth/logout")), 1);
        const QString sent = bearer == QLatin1String("new") ? renewed : old;
        QCOMPARE(m_server->requestsTo("POST", realmPath("/auth/logout")).first().header("Authorization"),
                 QByteArray("Bearer ") + sent.toUtf8());
    }
    // The renewed tokens served that one request and went nowhere else.
    QTest::qWait(50);
    QCOMPARE(m_server->requestCount("GET", realmPath("/users/me")), 0);
    QVERIFY(m_stored->log.isEmpty());
    QCOMPARE(m_tokens->accessToken(), QString());
    QCOMPARE(m_tokens->refreshToken(), QString());
    QCOMPARE(m_auth->state(), AuthState::SignedOut);
    QCOMPARE(authenticationRequired.count(), 0);
}

void TestAuthClient::userOperationsSendExactly_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("fetchCurrentUser")
        << "fetchCurrentUser" << QByteArray("GET") << "/users/me" << QByteArray();
    QTest::newRow("updateProfile") << "updateProfile" << QByteArray("PATCH") << "/users/me"
                                   << QByteArray(R"({"display_name":"Ann Lee"})");
    QTest::newRow("changePassword") << "changePassword" << QByteArray("POST") << "/users/me/password"
                                    << QByteArray(R"({"current_password":"old pw","new_password":"n€w"})");
    QTest::newRow("listSessions") << "listSessions" << QByteArray("GET") << "/users/me/sessions"
                                  << QByteArray();
    QTest::newRow("revokeSession") << "revokeSession" << QByteArray("DELETE") << "/users/me/sessions/s-42"
                                   << QByteArray();
}

void TestAuthClient::userOperationsSendExactly()
{
    QFETCH(QString, operation);
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, body);

    const QString token = AccountTest::freshToken();
    storeTokens(token, QStringLiteral("r1"));
    m_server->setFallback([](const FakeHttp::Request &) { return Response::json(200, QJsonObject{}); });
    if (operation == QLatin1String("fetchCurrentUser"))
        m_auth->fetchCurrentUser(nullptr);
    else if (operation == QLatin1String("updateProfile"))
        m_auth->updateProfile(QStringLiteral("Ann Lee"), nullptr);
    else if (operation == QLatin1String("changePassword"))
        m_auth->changePassword(QStringLiteral("old pw"), QStringLiteral("n€w"), nullptr);
    else if (operation == QLatin1String("listSessions"))
        m_auth->listSessions(nullptr);
    else
        m_auth->revokeSession(QStringLiteral("s-42"));

    QVERIFY(m_server->waitForRequests(1));
    const FakeHttp::Request r = m_server->lastRequest();
    QCOMPARE(r.method, method);
    QCOMPARE(r.path, Realm + path);
    QCOMPARE(r.body, body);
    QCOMPARE(r.header("Authorization"), QByteArray("Bearer ") + token.toUtf8());
    QCOMPARE(m_server->requestCount(), 1);
}

void TestAuthClient::refusedDisplayNameKeepsTheCache()
{
    storeTokens(AccountTest::freshToken(), QStringLiteral("r1"));
    m_server->onNext(
        "GET", realmPath("/users/me"),
        Response::json(200, QJsonObject{{"id", "u1"}, {"email", "a@x"}, {"display_name", "Ann"}}));
    m_server->onNext("PATCH", realmPath("/users/me"),
                     Response::json(422, QJsonObject{{"id", "u1"}, {"display_name", "X"}}));
    m_server->onNext("GET", realmPath("/users/me"), Response::json(503, QJsonObject{{"id", "server-error"}}));
    m_server->onNext("PATCH", realmPath("/users/me"),
                     Response::json(200, QJsonObject{{"id", "u1"}, {"display_name", "Bo"}}));
    m_server->onNext("GET", realmPath("/users/me"), Response::json(503, QJsonObject{}));

    QList<User> users;
    const auto record = [&](User u) { users.append(u); };
    m_auth->fetchCurrentUser(record);
    QTRY_COMPARE(users.size(), 1);
    m_auth->updateProfile(QStringLiteral("X"), record);
    QTRY_COMPARE(users.size(), 2);
    QVERIFY(users.at(1).id.isEmpty());
    m_auth->fetchCurrentUser(record);
    QTRY_COMPARE(users.size(), 3);
    QCOMPARE(users.at(2).id, QStringLiteral("u1"));
    QCOMPARE(users.at(2).email, QStringLiteral("a@x"));
    QCOMPARE(users.at(2).displayName, QStringLiteral("Ann"));
    m_auth->updateProfile(QStringLiteral("Bo"), record);
    QTRY_COMPARE(users.size(), 4);
    QCOMPARE(users.at(3).displayName, QStringLiteral("Bo"));
    m_auth->fetchCurrentUser(record);
    QTRY_COMPARE(users.size(), 5);
    QCOMPARE(users.at(4).displayName, QStringLiteral("Bo"));
}

void TestAuthClient::sessionsAnswer()
{
    storeTokens(AccountTest::freshToken(), QStringLiteral("r1"));
    m_server->onNext(
        "GET", realmPath("/users/me/sessions"),
        Response::json(200,
                       QJsonObject{{"sessions", QJsonArray{QJsonObject{{"id", "s1"}, {"is_current", true}},
                                                           QJsonObject{{"id", "s2"}}}}}));
    m_server->onNext("GET", realmPath("/users/me/sessions"), Response::json(200, QJsonObject{{"other", 1}}));
    m_server->onNext("GET", realmPath("/users/me/sessions"),
                     Response::json(500, QJsonObject{{"sessions", QJsonArray{QJsonObject{{"id", "s1"}}}}}));
    QList<QList<Session>> answers;
    for (int i = 0; i < 3; ++i)
        m_auth->listSessions([&](QList<Session> s) { answers.append(s); });
    QTRY_COMPARE(answers.size(), 3);
    QCOMPARE(answers.at(0).size(), 2);
    QCOMPARE(answers.at(0).at(0).id, QStringLiteral("s1"));
    QVERIFY(answers.at(0).at(0).isCurrent);
    QCOMPARE(answers.at(0).at(1).id, QStringLiteral("s2"));
    QVERIFY(answers.at(1).isEmpty());
    QVERIFY(answers.at(2).isEmpty());
}

void TestAuthClient::revokeSessionRefusesUnusableIds_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("empty") << QString();
    QTest::newRow("dot") << ".";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("slash") << "s1/../../profile";
}

void TestAuthClient::revokeSessionRefusesUnusableIds()
{
    QFETCH(QString, id);
    storeTokens(AccountTest::freshToken(), QStringLiteral("r1"));
    m_auth->revokeSession(id);
    m_auth->revokeSession(QStringLiteral("ok"));
    QVERIFY(m_server->waitForRequests(1));
    QTest::qWait(50);
    QCOMPARE(m_server->requestCount(), 1);
    QCOMPARE(m_server->lastRequest().path, realmPath("/users/me/sessions/ok"));
}

void TestAuthClient::currentUserIdFollowsTheUsableToken()
{
    constexpr qint64 Now = 1'800'000'000;
    m_tokens->setClock([] { return Now; });
    m_tokens->setTokens(AccountTest::tokenExpiringAt(Now + 31, {{"sub", "user-7"}}), QStringLiteral("r1"));
    QCOMPARE(m_auth->currentUserId(), QStringLiteral("user-7"));
    m_tokens->setTokens(AccountTest::tokenExpiringAt(Now + 30, {{"sub", "user-7"}}), QStringLiteral("r1"));
    QCOMPARE(m_auth->currentUserId(), QString());
    QCOMPARE(m_server->requestCount(), 0);
}

QTEST_GUILESS_MAIN(TestAuthClient)
#include "TestAuthClient.moc"
