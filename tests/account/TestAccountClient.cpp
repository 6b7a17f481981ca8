// The account, device and group operations as the account service receives them, built
// through the library facade against two fake services (authentication and account).
#include "AccountClient.h"
#include "support/AccountTestSupport.h"
#include "AuthClient.h"
#include "Client.h"
#include "DeviceIdentity.h"
#include "FakeHttpServer.h"
#include "TokenManager.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace BrioAccount;
using FakeHttp::FakeHttpServer;
using FakeHttp::Response;

namespace {

const QString RefreshPath = QStringLiteral("/api/v1/realms/tallowmere/auth/token/refresh");

} // namespace

class TestAccountClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeHttpServer> m_authServer;
    std::unique_ptr<FakeHttpServer> m_accountServer;
    std::unique_ptr<Client> m_client;
    QString m_token;

    AccountClient *account() const { return m_client->accountClient(); }
    void answerRefreshHeld();

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void operationsSendExactly_data();
    void operationsSendExactly();
    void joinSucceeds();
    void joinWithInvalidCode();
    void leaveSignalsBeforeTheRefreshAnswers();
    void failedLeaveChangesNothing();
    void removeMemberSignalsWithoutRefresh();
    void answersAreRead();
    void failuresGiveEmptyRecords();
    void unusablePathArgumentsSendNothing_data();
    void unusablePathArgumentsSendNothing();
};

void TestAccountClient::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestAccountClient::init()
{
    m_authServer = std::make_unique<FakeHttpServer>();
    m_accountServer = std::make_unique<FakeHttpServer>();
    QVERIFY(m_authServer->listen());
    QVERIFY(m_accountServer->listen());
    m_client = std::make_unique<Client>(
        AccountTest::testConfig(m_authServer->url(), m_accountServer->url(QStringLiteral("/account/v1"))));
    m_token = AccountTest::freshToken();
    m_client->tokenManager()->setTokens(m_token, QStringLiteral("r1"));
    m_accountServer->setFallback(
        [](const FakeHttp::Request &) { return Response::json(200, QJsonObject()); });
}

void TestAccountClient::cleanup()
{
    m_client->tokenManager()->clear();
    m_client.reset();
    m_accountServer.reset();
    m_authServer.reset();
}

void TestAccountClient::answerRefreshHeld()
{
    m_authServer->on(
        "POST", RefreshPath,
        Response::json(200, QJsonObject{{"access_token", AccountTest::freshToken()}, {"refresh_token", "r2"}})
            .held());
}

void TestAccountClient::operationsSendExactly_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");

    const QJsonObject registration{
        {"device_name", deviceName()},
        {"platform", platformName()},
        {"device_fingerprint", deviceFingerprint("com.tallowmerelabs.tallyfern")},
        {"app_id", "com.tallowmerelabs.tallyfern"},
        {"app_version", "1.1.6"},
    };
    QTest::newRow("getProfile") << "getProfile" << QByteArray("GET") << "/profile" << QByteArray();
    QTest::newRow("deleteAccount") << "deleteAccount" << QByteArray("DELETE") << "/profile" << QByteArray();
    QTest::newRow("getDevices") << "getDevices" << QByteArray("GET") << "/devices" << QByteArray();
    QTest::newRow("registerDevice") << "registerDevice" << QByteArray("POST") << "/devices/register"
                                    << QJsonDocument(registration).toJson(QJsonDocument::Compact);
    QTest::newRow("removeDevice") << "removeDevice" << QByteArray("DELETE") << "/devices/dev-1"
                                  << QByteArray();
    QTest::newRow("getGroup") << "getGroup" << QByteArray("GET") << "/group" << QByteArray();
    QTest::newRow("generateInviteCode")
        << "generateInviteCode" << QByteArray("POST") << "/group/invite" << QByteArray();
    QTest::newRow("inviteByEmail") << "inviteByEmail" << QByteArray("POST") << "/group/invite"
                                   << QByteArray(R"({"email":"bo@example.com"})");
    QTest::newRow("joinGroup") << "joinGroup" << QByteArray("POST") << "/group/join/CODE-9" << QByteArray();
    QTest::newRow("leaveGroup") << "leaveGroup" << QByteArray("POST") << "/group/leave" << QByteArray();
    QTest::newRow("removeMember") << "removeMember" << QByteArray("DELETE") << "/group/members/acc-3"
                                  << QByteArray();
    QTest::newRow("revokeInvitation")
        << "revokeInvitation" << QByteArray("DELETE") << "/group/invitations/inv-4" << QByteArray();
}

void TestAccountClient::operationsSendExactly()
{
    QFETCH(QString, operation);
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, body);

    const QHash<QString, std::function<void()>> calls{
        {"getProfile", [&] { account()->getProfile(nullptr); }},
        {"deleteAccount", [&] { account()->deleteAccount(nullptr); }},
        {"getDevices", [&] { account()->getDevices(nullptr); }},
        {"registerDevice", [&] { account()->registerDevice(); }},
        {"removeDevice", [&] { account()->removeDevice(QStringLiteral("dev-1")); }},
        {"getGroup", [&] { account()->getGroup(nullptr); }},
        {"generateInviteCode", [&] { account()->generateInviteCode(nullptr); }},
        {"inviteByEmail", [&] { account()->inviteByEmail(QStringLiteral("bo@example.com"), nullptr); }},
        {"joinGroup", [&] { account()->joinGroup(QStringLiteral("CODE-9"), nullptr); }},
        {"leaveGroup", [&] { account()->leaveGroup(); }},
        {"removeMember", [&] { account()->removeMember(QStringLiteral("acc-3")); }},
        {"revokeInvitation", [&] { account()->revokeInvitation(QStringLiteral("inv-4")); }},
    };
    QVERIFY(calls.contains(operation));
    calls.value(operation)();

    QVERIFY(m_accountServer->waitForRequests(1));
    QCOMPARE(m_accountServer->requestCount(), 1);
    const FakeHttp::Request r = m_accountServer->lastRequest();
    QCOMPARE(r.method, method);
    QCOMPARE(r.path, QStringLiteral("/account/v1") + path);
    QCOMPARE(r.body, body);
    QCOMPARE(r.header("Authorization"), QByteArray("Bearer ") + m_token.toUtf8());
    QCOMPARE(r.header("Content-Type"), QByteArray("application/json"));
}

void TestAccountClient::joinSucceeds()
{
    answerRefreshHeld();
    QStringList order;
    connect(account(), &AccountClient::groupChanged, this,
            [&] { order.append(QStringLiteral("groupChanged")); });
    account()->joinGroup(QStringLiteral("CODE-9"), [&](bool ok) { order.append(ok ? "joined" : "refused"); });
    QTRY_COMPARE(order.size(), 2);
    QCOMPARE(order, QStringList({"groupChanged", "joined"}));
    // The group claims are renewed through a token refresh.
    QTRY_COMPARE(m_authServer->requestCount("POST", RefreshPath), 1);
    m_authServer->release();
    QTRY_COMPARE(m_client->tokenManager()->refreshToken(), QStringLiteral("r2"));
}

void TestAccountClient::joinWithInvalidCode()
{
    m_accountServer->on("POST", "/account/v1/group/join/BAD",
                        Response::json(404, QJsonObject{{"error", "x"}}));
    QSignalSpy changed(account(), &AccountClient::groupChanged);
    QList<bool> answers;
    account()->joinGroup(QStringLiteral("BAD"), [&](bool ok) { answers.append(ok); });
    QTRY_COMPARE(answers.size(), 1);
    QCOMPARE(answers.first(), false);
    QTest::qWait(50);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_authServer->requestCount(), 0);
}

void TestAccountClient::leaveSignalsBeforeTheRefreshAnswers()
{
    answerRefreshHeld();
    QSignalSpy changed(account(), &AccountClient::groupChanged);
    account()->leaveGroup();
    QTRY_COMPARE(changed.count(), 1);
    QTRY_COMPARE(m_authServer->heldCount(), 1);
    QCOMPARE(m_client->tokenManager()->refreshToken(), QStringLiteral("r1"));
    m_authServer->release();
}

void TestAccountClient::failedLeaveChangesNothing()
{
    m_accountServer->on("POST", "/account/v1/group/leave", Response::json(409, QJsonObject()));
    QSignalSpy changed(account(), &AccountClient::groupChanged);
    account()->leaveGroup();
    QVERIFY(m_accountServer->waitForRequests(1));
    QTest::qWait(50);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_authServer->requestCount(), 0);
}

void TestAccountClient::removeMemberSignalsWithoutRefresh()
{
    m_accountServer->onNext("DELETE", "/account/v1/group/members/m1", Response::json(403, QJsonObject()));
    QSignalSpy changed(account(), &AccountClient::groupChanged);
    account()->removeMember(QStringLiteral("m1"));
    QVERIFY(m_accountServer->waitForRequests(1));
    QTest::qWait(50);
    QCOMPARE(changed.count(), 0);
    account()->removeMember(QStringLiteral("m1"));
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(m_authServer->requestCount(), 0);
}

void TestAccountClient::answersAreRead()
{
    m_accountServer->on(
        "GET", "/account/v1/profile",
        Response::json(200, QJsonObject{{"id", "p1"}, {"email", "a@x"}, {"group", QJsonValue()}}));
    m_accountServer->on("GET", "/account/v1/devices",
                        Response::json(200, QJsonObject{{"devices", QJsonArray{QJsonObject{{"id", "d2"}},
                                                                               QJsonObject{{"id", "d1"}}}}}));
    m_accountServer->on(
        "GET", "/account/v1/group",
        Response::json(200, QJsonObject{{"id", "g"},
                                        {"max_seats", 6},
                                        {"members", QJsonArray{QJsonObject{{"account_id", "a"}}}}}));
    m_accountServer->on("POST", "/account/v1/group/invite",
                        Response::json(201, QJsonObject{{"id", "i"}, {"invite_code", "JOIN-ME"}}));
    m_accountServer->on("DELETE", "/account/v1/profile", Response::empty(204));

    Profile profile;
    QList<Device> devices;
    Group group;
    QList<GroupInvitation> invitations;
    QList<bool> deleted;
    account()->getProfile([&](Profile p) { profile = p; });
    account()->getDevices([&](QList<Device> d) { devices = d; });
    account()->getGroup([&](Group g) { group = g; });
    account()->generateInviteCode([&](GroupInvitation i) { invitations.append(i); });
    account()->inviteByEmail(QStringLiteral("b@x"), [&](GroupInvitation i) { invitations.append(i); });
    account()->deleteAccount([&](bool ok) { deleted.append(ok); });
    QTRY_VERIFY(invitations.size() == 2 && deleted.size() == 1 && !group.id.isEmpty() &&
                devices.size() == 2 && !profile.id.isEmpty());
    QCOMPARE(profile.email, QStringLiteral("a@x"));
    QVERIFY(profile.group.has_value());
    QCOMPARE(devices.at(0).id, QStringLiteral("d2"));
    QCOMPARE(devices.at(1).id, QStringLiteral("d1"));
    QCOMPARE(group.maxSeats, 6);
    QCOMPARE(group.members.size(), 1);
    QCOMPARE(invitations.at(0).inviteCode, QStringLiteral("JOIN-ME"));
    QCOMPARE(invitations.at(1).inviteCode, QStringLiteral("JOIN-ME"));
    QCOMPARE(deleted.first(), true);
}

void TestAccountClient::failuresGiveEmptyRecords()
{
    const QJsonObject errorBody{{"id", "should-not-be-read"},
                                {"devices", QJsonArray{QJsonObject{{"id", "d"}}}},
                                {"members", QJsonArray{QJsonObject{{"account_id", "a"}}}}};
    m_accountServer->setFallback(
        [errorBody](const FakeHttp::Request &) { return Response::json(500, errorBody); });
    // Start from filled records, so that an untouched one cannot pass for an empty answer.
    Profile profile;
    profile.id = QStringLiteral("x");
    QList<Device> devices{Device()};
    Group group;
    group.id = QStringLiteral("x");
    GroupInvitation invitation;
    invitation.id = QStringLiteral("x");
    QList<bool> deleted;
    int answered = 0;
    account()->getProfile([&](Profile p) { profile = p, ++answered; });
    account()->getDevices([&](QList<Device> d) { devices = d, ++answered; });
    account()->getGroup([&](Group g) { group = g, ++answered; });
    account()->generateInviteCode([&](GroupInvitation i) { invitation = i, ++answered; });
    account()->deleteAccount([&](bool ok) { deleted.append(ok), ++answered; });
    QTRY_COMPARE(answered, 5);
    QVERIFY(profile.id.isEmpty());
    QVERIFY(!profile.group.has_value());
    QVERIFY(devices.isEmpty());
    QVERIFY(group.id.isEmpty());
    QVERIFY(group.members.isEmpty() && group.pendingInvitations.isEmpty());
    QVERIFY(invitation.id.isEmpty());
    QCOMPARE(deleted.first(), false);
}

void TestAccountClient::unusablePathArgumentsSendNothing_data()
{
    QTest::addColumn<QString>("argument");
    QTest::newRow("empty") << QString();
    QTest::newRow("dot") << ".";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("slash") << "x/../../profile";
}

void TestAccountClient::unusablePathArgumentsSendNothing()
{
    QFETCH(QString, argument);
    QSignalSpy changed(account(), &AccountClient::groupChanged);
    account()->removeDevice(argument);
    account()->removeMember(argument);
    account()->revokeInvitation(argument);
    QList<bool> joined;
    account()->joinGroup(argument, [&](bool ok) { joined.append(ok); });
    // Answered later, like any request.
    QVERIFY(joined.isEmpty());
    QTRY_COMPARE(joined.size(), 1);
    QCOMPARE(joined.first(), false);
    QTest::qWait(50);
    QCOMPARE(m_accountServer->requestCount(), 0);
    QCOMPARE(m_authServer->requestCount(), 0);
    QCOMPARE(changed.count(), 0);
}

QTEST_GUILESS_MAIN(TestAccountClient)
#include "TestAccountClient.moc"
