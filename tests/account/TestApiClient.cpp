#include "support/AccountTestSupport.h"
#include "ApiClient.h"
#include "FakeHttpServer.h"
#include "TokenManager.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace BrioAccount;
using FakeHttp::FakeHttpServer;
using FakeHttp::Response;

namespace {

struct Outcome
{
    int calls = 0;
    bool ok = false;
    int status = -1;
    QJsonObject body;

    ApiClient::ResponseCallback callback()
    {
        return [this](bool o, int s, const QJsonObject &b) {
            ++calls;
            ok = o;
            status = s;
            body = b;
        };
    }
};

} // namespace

class TestApiClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeHttpServer> m_server;
    std::unique_ptr<TokenManager> m_tokens;
    std::unique_ptr<ApiClient> m_api;
    int m_refreshCalls = 0;
    RefreshResult m_refreshPlan = RefreshResult::Success;
    QString m_refreshedToken;

    void send(const QString &operation, const QString &path, const QJsonObject &body, Outcome &outcome);

private Q_SLOTS:
    void init();
    void cleanup();
    void headersOnEveryVerb_data();
    void headersOnEveryVerb();
    void emptyClientInfoAndNoTokenSendNoHeaders();
    void pathIsAppendedToTheBasePath_data();
    void pathIsAppendedToTheBasePath();
    void queryReplacesTheBaseQuery();
    void replies_data();
    void replies();
    void transportFailureEmitsNetworkError();
    void stalledRequestTimesOut();
    void unauthorizedIsRefreshedAndResentOnce();
    void secondUnauthorizedIsHandedBack();
    void unauthorizedWithRejectedRefresh();
    void unauthorizedWithTransientRefresh();
    void publicRequestIsNeverRetried();
    void expiringTokenIsRefreshedBeforeSending();
    void rejectedRefreshBeforeSendingSendsNothing();
    void transientRefreshBeforeSendingSendsNothing();
    void concurrentRequestsShareOneRefresh();
    void sameOriginRedirectIsFollowed();
    void redirectToAnotherOriginCarriesNoToken();
    void unsafePathSegments_data();
    void unsafePathSegments();
};

void TestApiClient::init()
{
    m_server = std::make_unique<FakeHttpServer>();
    QVERIFY(m_server->listen());
    m_tokens = std::make_unique<TokenManager>(std::make_unique<AccountTest::MemoryTokenStore>(
        std::make_shared<AccountTest::MemoryTokenStore::Shared>()));
    m_refreshCalls = 0;
    m_refreshPlan = RefreshResult::Success;
    m_refreshedToken = AccountTest::freshToken({{"sub", "refreshed"}});
    m_tokens->setRefreshCallback([this](const QString &, TokenManager::SuccessContinuation ok,
                                        TokenManager::FailureContinuation fail) {
        ++m_refreshCalls;
        // Answer later, like a real refresh request.
        QTimer::singleShot(0, this, [this, ok, fail] {
            if (m_refreshPlan == RefreshResult::Success)
                ok(m_refreshedToken, QStringLiteral("refresh-2"));
            else
                fail(m_refreshPlan == RefreshResult::Rejected);
        });
    });
    m_api = std::make_unique<ApiClient>(m_tokens.get());
    m_api->setBaseUrl(m_server->url(QStringLiteral("/base")));
    m_api->setClientInfo(QStringLiteral("com.tallowmerelabs.tallyfern"), QStringLiteral("1.1.6"),
                         QStringLiteral("linux"));
}

void TestApiClient::cleanup()
{
    m_api.reset();
    m_tokens.reset();
    m_server.reset();
}

void TestApiClient::send(const QString &operation, const QString &path, const QJsonObject &body,
                         Outcome &outcome)
{
    if (operation == QLatin1String("get"))
        m_api->get(path, outcome.callback());
    else if (operation == QLatin1String("getPublic"))
        m_api->getPublic(path, outcome.callback());
    else if (operation == QLatin1String("post"))
        m_api->post(path, body, outcome.callback());
    else if (operation == QLatin1String("postPublic"))
        m_api->postPublic(path, body, outcome.callback());
    else if (operation == QLatin1String("patch"))
        m_api->patch(path, body, outcome.callback());
    else if (operation == QLatin1String("del"))
        m_api->del(path, outcome.callback());
    else
        QFAIL("unknown operation");
}

void TestApiClient::headersOnEveryVerb_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QJsonObject>("body");
    QTest::addColumn<QByteArray>("wireBody");
    QTest::addColumn<bool>("authenticated");

    const QJsonObject one{{"name", "Ann"}};
    const QByteArray oneBytes = R"({"name":"Ann"})";
    QTest::newRow("get") << "get" << QByteArray("GET") << QJsonObject() << QByteArray() << true;
    QTest::newRow("getPublic") << "getPublic" << QByteArray("GET") << QJsonObject() << QByteArray() << false;
    QTest::newRow("post") << "post" << QByteArray("POST") << one << oneBytes << true;
    QTest::newRow("post empty object")
        << "post" << QByteArray("POST") << QJsonObject() << QByteArray() << true;
    QTest::newRow("postPublic") << "postPublic" << QByteArray("POST") << one << oneBytes << false;
    QTest::newRow("patch") << "patch" << QByteArray("PATCH") << one << oneBytes << true;
    QTest::newRow("del") << "del" << QByteArray("DELETE") << QJsonObject() << QByteArray() << true;
}

void TestApiClient::headersOnEveryVerb()
{
    QFETCH(QString, operation);
    QFETCH(QByteArray, method);
    QFETCH(QJsonObject, body);
    QFETCH(QByteArray, wireBody);
    QFETCH(bool, authenticated);

    const QString token = AccountTest::freshToken();
    m_tokens->setTokens(token, QStringLiteral("refresh-1"));
    m_server->setFallback([](const FakeHttp::Request &) {
        return Response::json(200, QJsonObject{{"ok", 1}});
    });

    Outcome outcome;
    send(operation, QStringLiteral("/items"), body, outcome);
    QTRY_COMPARE(outcome.calls, 1);
    QVERIFY(outcome.ok);

    QCOMPARE(m_server->requestCount(), 1);
    const FakeHttp::Request r = m_server->lastRequest();
    QCOMPARE(r.method, method);
    QCOMPARE(r.path, QStringLiteral("/base/items"));
    QCOMPARE(r.header("Content-Type"), QByteArray("application/json"));
    QCOMPARE(r.header("Accept"), QByteArray("application/json"));
    QCOMPARE(r.header("X-App-Id"), QByteArray("com.tallowmerelabs.tallyfern"));
    QCOMPARE(r.header("X-App-Version"), QByteArray("1.1.6"));
    QCOMPARE(r.header("X-Platform"), QByteArray("linux"));
    QCOMPARE(r.hasHeader("Authorization"), authenticated);
    if (authenticated)
        QCOMPARE(r.header("Authorization"), QByteArray("Bearer ") + token.toUtf8());
    QCOMPARE(r.body, wireBody);
}

void TestApiClient::emptyClientInfoAndNoTokenSendNoHeaders()
{
    m_api->setClientInfo(QString(), QString(), QString());
    m_server->on("POST", "/base/x", Response::empty(204));
    Outcome outcome;
    m_api->post(QStringLiteral("/x"), QJsonObject(), outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    const FakeHttp::Request r = m_server->lastRequest();
    for (const char *name : {"X-App-Id", "X-App-Version", "X-Platform", "Authorization"})
        QVERIFY2(!r.hasHeader(name), name);
    QCOMPARE(r.header("Content-Type"), QByteArray("application/json"));
    QCOMPARE(r.header("Content-Length"), QByteArray("0"));
    QCOMPARE(m_refreshCalls, 0);
}

void TestApiClient::pathIsAppendedToTheBasePath_data()
{
    QTest::addColumn<QString>("basePath");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expectedPath");
    QTest::addColumn<QByteArray>("expectedTarget");

    QTest::newRow("sync") << "/tallyfern/v1"
                          << "/sync/push"
                          << "/tallyfern/v1/sync/push" << QByteArray("/tallyfern/v1/sync/push");
    QTest::newRow("realm") << "/api/v1/realms/tallowmere"
                           << "/auth/logout"
                           << "/api/v1/realms/tallowmere/auth/logout"
                           << QByteArray("/api/v1/realms/tallowmere/auth/logout");
    QTest::newRow("no base path") << ""
                                  << "/devices"
                                  << "/devices" << QByteArray("/devices");
    QTest::newRow("no separator added") << "/v1"
                                        << "devices"
                                        << "/v1devices" << QByteArray("/v1devices");
    QTest::newRow("argument encoded once")
        << "/v1"
        << "/group/join/a b%c?"
        << "/v1/group/join/a b%c?" << QByteArray("/v1/group/join/a%20b%25c%3F");
}

void TestApiClient::pathIsAppendedToTheBasePath()
{
    QFETCH(QString, basePath);
    QFETCH(QString, path);
    QFETCH(QString, expectedPath);
    QFETCH(QByteArray, expectedTarget);
    m_api->setBaseUrl(m_server->url(basePath));
    Outcome outcome;
    m_api->getPublic(path, outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(m_server->lastRequest().path, expectedPath);
    QCOMPARE(m_server->lastRequest().target, expectedTarget);
}

void TestApiClient::queryReplacesTheBaseQuery()
{
    QUrl base = m_server->url(QStringLiteral("/v1"));
    base.setQuery(QStringLiteral("stale=1"));
    m_api->setBaseUrl(base);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("cursor"), QStringLiteral("abc"));
    query.addQueryItem(QStringLiteral("limit"), QStringLiteral("200"));
    Outcome outcome;
    m_api->get(QStringLiteral("/sync/pull"), outcome.callback(), query);
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(m_server->lastRequest().rawQuery, QByteArray("cursor=abc&limit=200"));
}

void TestApiClient::replies_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QJsonObject>("expectedBody");

    const QJsonObject object{{"id", "x"}, {"n", 5}};
    QTest::newRow("200 object") << 200 << QByteArray(R"({"id":"x","n":5})") << true << object;
    QTest::newRow("201") << 201 << QByteArray(R"({"id":"x","n":5})") << true << object;
    QTest::newRow("204 empty") << 204 << QByteArray() << true << QJsonObject();
    QTest::newRow("299") << 299 << QByteArray("{}") << true << QJsonObject();
    QTest::newRow("200 array") << 200 << QByteArray("[1,2]") << true << QJsonObject();
    QTest::newRow("200 number") << 200 << QByteArray("42") << true << QJsonObject();
    QTest::newRow("200 not JSON") << 200 << QByteArray("<html>") << true << QJsonObject();
    QTest::newRow("300") << 300 << QByteArray(R"({"id":"x","n":5})") << false << object;
    QTest::newRow("404 with body") << 404 << QByteArray(R"({"id":"x","n":5})") << false << object;
    QTest::newRow("500 not JSON") << 500 << QByteArray("oops") << false << QJsonObject();
}

void TestApiClient::replies()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, ok);
    QFETCH(QJsonObject, expectedBody);
    m_server->on("GET", "/base/r", Response::raw(status, body, "application/json"));
    QSignalSpy networkErrors(m_api.get(), &ApiClient::networkError);
    Outcome outcome;
    m_api->get(QStringLiteral("/r"), outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(outcome.ok, ok);
    QCOMPARE(outcome.status, status);
    QCOMPARE(outcome.body, expectedBody);
    QCOMPARE(networkErrors.count(), 0);
}

void TestApiClient::transportFailureEmitsNetworkError()
{
    const QUrl dead = m_server->url(QStringLiteral("/base"));
    m_server->close();
    m_api->setBaseUrl(dead);
    QSignalSpy networkErrors(m_api.get(), &ApiClient::networkError);
    QSignalSpy authRequired(m_api.get(), &ApiClient::authenticationRequired);
    Outcome outcome;
    m_api->get(QStringLiteral("/x"), outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(outcome.ok, false);
    QCOMPARE(outcome.status, 0);
    QVERIFY(outcome.body.isEmpty());
    QCOMPARE(networkErrors.count(), 1);
    QVERIFY(!networkErrors.first().first().toString().isEmpty());
    QCOMPARE(authRequired.count(), 0);
}

void TestApiClient::stalledRequestTimesOut()
{
    m_server->on("GET", "/base/stall", Response::never());
    m_api->setTransferTimeout(200);
    QSignalSpy networkErrors(m_api.get(), &ApiClient::networkError);
    Outcome outcome;
    m_api->get(QStringLiteral("/stall"), outcome.callback());
    QTRY_COMPARE_WITH_TIMEOUT(outcome.calls, 1, 10000);
    QCOMPARE(outcome.status, 0);
    QCOMPARE(networkErrors.count(), 1);
}

void TestApiClient::unauthorizedIsRefreshedAndResentOnce()
{
    const QString first = AccountTest::freshToken({{"sub", "first"}});
    m_tokens->setTokens(first, QStringLiteral("refresh-1"));
    m_server->onNext("PATCH", "/base/me", Response::json(401, QJsonObject{{"error", "expired"}}));
    m_server->on("PATCH", "/base/me", Response::json(200, QJsonObject{{"id", "me"}}));

    Outcome outcome;
    m_api->patch(QStringLiteral("/me"), QJsonObject{{"display_name", "Ann"}}, outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QVERIFY(outcome.ok);
    QCOMPARE(outcome.body.value("id").toString(), QStringLiteral("me"));
    QCOMPARE(m_refreshCalls, 1);
    const auto requests = m_server->requests();
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests.at(0).header("Authorization"), QByteArray("Bearer ") + first.toUtf8());
    QCOMPARE(requests.at(1).header("Authorization"), QByteArray("Bearer ") + m_refreshedToken.toUtf8());
    QCOMPARE(requests.at(1).method, QByteArray("PATCH"));
    QCOMPARE(requests.at(1).body, QByteArray(R"({"display_name":"Ann"})"));
}

void TestApiClient::secondUnauthorizedIsHandedBack()
{
    m_tokens->setTokens(AccountTest::freshToken(), QStringLiteral("refresh-1"));
    m_server->on("GET", "/base/me", Response::json(401, QJsonObject{{"error", "nope"}}));
    QSignalSpy authRequired(m_api.get(), &ApiClient::authenticationRequired);
    Outcome outcome;
    m_api->get(QStringLiteral("/me"), outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(outcome.ok, false);
    QCOMPARE(outcome.status, 401);
    QCOMPARE(outcome.body.value("error").toString(), QStringLiteral("nope"));
    QCOMPARE(m_refreshCalls, 1);
    QCOMPARE(m_server->requestCount(), 2);
    QCOMPARE(authRequired.count(), 0);
}

void TestApiClient::unauthorizedWithRejectedRefresh()
{
    m_tokens->setTokens(AccountTest::freshToken(), QStringLiteral("refresh-1"));
    m_refreshPlan = RefreshResult::Rejected;
    m_server->on("GET", "/base/me", Response::json(401, QJsonObject{{"error", "nope"}}));
    QSignalSpy authRequired(m_api.get(), &ApiClient::authenticationRequired);
    Outcome outcome;
    m_api->get(QStringLiteral("/me"), outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(outcome.status, 401);
    QVERIFY(outcome.body.isEmpty());
    QCOMPARE(authRequired.count(), 1);
    QCOMPARE(m_server->requestCount(), 1);
}

void TestApiClient::unauthorizedWithTransientRefresh()
{
    m_tokens->setTokens(AccountTest::freshToken(), QStringLiteral("refresh-1"));
    m_refreshPlan = RefreshResult::TransientFailure;
    m_server->on("GET", "/base/me", Response::json(401, QJsonObject()));
    QSignalSpy authRequired(m_api.get(), &ApiClient::authenticationRequired);
    Outcome outcome;
    m_api->get(QStringLiteral("/me"), outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(outcome.status, 0);
    QCOMPARE(authRequired.count(), 0);
    QCOMPARE(m_server->requestCount(), 1);
}

void TestApiClient::publicRequestIsNeverRetried()
{
    m_tokens->setTokens(AccountTest::freshToken(), QStringLiteral("refresh-1"));
    m_server->on("POST", "/base/auth/token/refresh", Response::json(401, QJsonObject{{"error", "bad"}}));
    Outcome outcome;
    m_api->postPublic(QStringLiteral("/auth/token/refresh"), QJsonObject{{"refresh_token", "x"}},
                      outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(outcome.status, 401);
    QCOMPARE(outcome.body.value("error").toString(), QStringLiteral("bad"));
    QCOMPARE(m_refreshCalls, 0);
    QCOMPARE(m_server->requestCount(), 1);
    QVERIFY(!m_server->lastRequest().hasHeader("Authorization"));
}

void TestApiClient::expiringTokenIsRefreshedBeforeSending()
{
    m_tokens->setTokens(AccountTest::tokenExpiringAt(QDateTime::currentSecsSinceEpoch() + 10),
                        QStringLiteral("refresh-1"));
    m_server->on("GET", "/base/me", Response::json(200, QJsonObject()));
    Outcome outcome;
    m_api->get(QStringLiteral("/me"), outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QVERIFY(outcome.ok);
    QCOMPARE(m_refreshCalls, 1);
    QCOMPARE(m_server->requestCount(), 1);
    QCOMPARE(m_server->lastRequest().header("Authorization"),
             QByteArray("Bearer ") + m_refreshedToken.toUtf8());
}

void TestApiClient::rejectedRefreshBeforeSendingSendsNothing()
{
    m_tokens->setTokens(AccountTest::expiredToken(), QStringLiteral("refresh-1"));
    m_refreshPlan = RefreshResult::Rejected;
    QSignalSpy authRequired(m_api.get(), &ApiClient::authenticationRequired);
    Outcome outcome;
    m_api->del(QStringLiteral("/devices/d1"), outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(outcome.ok, false);
    QCOMPARE(outcome.status, 401);
    QCOMPARE(authRequired.count(), 1);
    QCOMPARE(m_server->requestCount(), 0);
    // The client clears nothing by itself.
    QCOMPARE(m_tokens->refreshToken(), QStringLiteral("refresh-1"));
}

void TestApiClient::transientRefreshBeforeSendingSendsNothing()
{
    m_tokens->setTokens(AccountTest::expiredToken(), QStringLiteral("refresh-1"));
    m_refreshPlan = RefreshResult::TransientFailure;
    QSignalSpy authRequired(m_api.get(), &ApiClient::authenticationRequired);
    Outcome outcome;
    m_api->get(QStringLiteral("/me"), outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(outcome.status, 0);
    QCOMPARE(authRequired.count(), 0);
    QCOMPARE(m_server->requestCount(), 0);
}

void TestApiClient::concurrentRequestsShareOneRefresh()
{
    m_tokens->setTokens(AccountTest::expiredToken(), QStringLiteral("refresh-1"));
    m_server->setFallback([](const FakeHttp::Request &) { return Response::json(200, QJsonObject()); });
    Outcome a, b, c;
    m_api->get(QStringLiteral("/a"), a.callback());
    m_api->post(QStringLiteral("/b"), QJsonObject{{"k", 1}}, b.callback());
    m_api->del(QStringLiteral("/c"), c.callback());
    QTRY_VERIFY(a.calls == 1 && b.calls == 1 && c.calls == 1);
    QCOMPARE(m_refreshCalls, 1);
    QCOMPARE(m_server->requestCount(), 3);
    for (const auto &r : m_server->requests())
        QCOMPARE(r.header("Authorization"), QByteArray("Bearer ") + m_refreshedToken.toUtf8());
}

void TestApiClient::sameOriginRedirectIsFollowed()
{
    const QString token = AccountTest::freshToken();
    m_tokens->setTokens(token, QStringLiteral("refresh-1"));
    m_server->on("GET", "/base/old", Response::redirect(302, m_server->url(QStringLiteral("/base/new"))));
    m_server->on("GET", "/base/new", Response::json(200, QJsonObject{{"moved", true}}));
    Outcome outcome;
    m_api->get(QStringLiteral("/old"), outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(outcome.status, 200);
    QCOMPARE(outcome.body.value("moved").toBool(), true);
    QCOMPARE(m_server->requestCount("GET", "/base/new"), 1);
    QCOMPARE(m_server->requestsTo("GET", "/base/new").first().header("Authorization"),
             QByteArray("Bearer ") + token.toUtf8());
}

void TestApiClient::redirectToAnotherOriginCarriesNoToken()
{
    FakeHttpServer other;
    QVERIFY(other.listen());
    other.setFallback([](const FakeHttp::Request &) {
        return Response::json(200, QJsonObject{{"stolen", true}});
    });
    m_tokens->setTokens(AccountTest::freshToken(), QStringLiteral("refresh-1"));
    m_server->on("GET", "/base/old", Response::redirect(302, other.url(QStringLiteral("/collect"))));

    Outcome outcome;
    m_api->get(QStringLiteral("/old"), outcome.callback());
    QTRY_COMPARE(outcome.calls, 1);
    QCOMPARE(outcome.ok, false);
    QVERIFY(outcome.body.value("stolen").isUndefined());
    for (const auto &r : other.requests())
        QVERIFY(!r.hasHeader("Authorization"));
    QCOMPARE(other.requestCount(), 0);
}

void TestApiClient::unsafePathSegments_data()
{
    QTest::addColumn<QString>("segment");
    QTest::addColumn<bool>("safe");
    QTest::newRow("id") << "d-1" << true;
    QTest::newRow("with space and percent") << "a b%20" << true;
    QTest::newRow("dots inside") << "a..b" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("leading slash") << "/a" << false;
}

void TestApiClient::unsafePathSegments()
{
    QFETCH(QString, segment);
    QFETCH(bool, safe);
    QCOMPARE(ApiClient::isSafePathSegment(segment), safe);
}

QTEST_GUILESS_MAIN(TestApiClient)
#include "TestApiClient.moc"
