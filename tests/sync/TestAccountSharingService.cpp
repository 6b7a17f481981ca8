#include "AccountSharingService.h"
#include "ApiClient.h"
#include "FakeSyncServer.h"
#include "SyncTestRig.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

// Sharing an account through the sync service: what the server receives,
// what the dialog is told, and ids that must never reach a request path.
class TestAccountSharingService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void listsMembers();
    void listFailureGivesEmptyList_data();
    void listFailureGivesEmptyList();
    void shareBody_data();
    void shareBody();
    void shareFailure_data();
    void shareFailure();
    void removeShare();
    void refusesUnsafeIds_data();
    void refusesUnsafeIds();
    void memberIdIsUnchanged();

private:
    std::unique_ptr<SyncTestRig> rig;
    std::unique_ptr<AccountSharingService> service;
};

void TestAccountSharingService::init()
{
    rig = std::make_unique<SyncTestRig>();
    QVERIFY(rig->isValid());
    service = std::make_unique<AccountSharingService>(rig->api);
}

void TestAccountSharingService::cleanup()
{
    service.reset();
    rig.reset();
}

void TestAccountSharingService::listsMembers()
{
    rig->server.setMembers("acc-1", QJsonArray{QJsonObject{{"user_id", "u-owner"},
                                                           {"email", "owner@example.com"},
                                                           {"display_name", "Olive Owner"},
                                                           {"role", "owner"},
                                                           {"created_at", "2024-01-01T00:00:00Z"}},
                                               QJsonObject{{"user_id", "u-2"}, {"email", 7}, {"role", "member"}}});
    QList<BrioAccount::ShareMember> members;
    bool answered = false;
    service->listMembers("acc-1", [&](QList<BrioAccount::ShareMember> list) {
        members = list;
        answered = true;
    });
    QTRY_VERIFY(answered);
    QCOMPARE(rig->server.http()->lastRequest().method, QByteArray("GET"));
    QCOMPARE(rig->server.http()->lastRequest().path, QStringLiteral("/tallyfern/v1/accounts/acc-1/members"));
    QVERIFY(rig->server.http()->lastRequest().rawQuery.isEmpty());
    QCOMPARE(members.size(), 2);
    QCOMPARE(members.at(0).id, QStringLiteral("u-owner"));
    QCOMPARE(members.at(0).userId, QStringLiteral("u-owner"));
    QCOMPARE(members.at(0).email, QStringLiteral("owner@example.com"));
    QCOMPARE(members.at(0).displayName, QStringLiteral("Olive Owner"));
    QCOMPARE(members.at(0).role, QStringLiteral("owner"));
    QCOMPARE(members.at(0).createdAt, QStringLiteral("2024-01-01T00:00:00Z"));
    // Missing or mistyped values read as empty text.
    QCOMPARE(members.at(1).id, QStringLiteral("u-2"));
    QVERIFY(members.at(1).displayName.isEmpty());
    QVERIFY(members.at(1).email.isEmpty());
}

void TestAccountSharingService::listFailureGivesEmptyList_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("not found") << 404;
    QTest::newRow("server error") << 500;
}

void TestAccountSharingService::listFailureGivesEmptyList()
{
    QFETCH(int, status);
    rig->server.http()->onNext("GET", "/tallyfern/v1/accounts/acc-1/members",
                               FakeHttp::Response::json(status, QJsonObject{{"members", QJsonArray{QJsonObject{
                                                                                           {"user_id", "u-1"}}}}}));
    int calls = 0;
    QList<BrioAccount::ShareMember> members{BrioAccount::ShareMember()};
    service->listMembers("acc-1", [&](QList<BrioAccount::ShareMember> list) {
        members = list;
        ++calls;
    });
    QTRY_COMPARE(calls, 1);
    QVERIFY(members.isEmpty());
}

void TestAccountSharingService::shareBody_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("role");
    QTest::addColumn<QJsonObject>("expected");
    QTest::newRow("e-mail, no role") << "kim@example.com" << ""
                                     << QJsonObject{{"email", "kim@example.com"},
                                                    {"user_id", "kim@example.com"},
                                                    {"role", "member"}};
    QTest::newRow("user id with role") << "u-42" << "viewer" << QJsonObject{{"user_id", "u-42"}, {"role", "viewer"}};
}

void TestAccountSharingService::shareBody()
{
    QFETCH(QString, target);
    QFETCH(QString, role);
    QFETCH(QJsonObject, expected);
    int calls = 0;
    bool ok = false;
    QString error = "unset";
    service->shareWith("acc-1", target, role, [&](bool success, QString text) {
        ok = success;
        error = text;
        ++calls;
    });
    QTRY_COMPARE(calls, 1);
    QVERIFY(ok);
    QVERIFY(error.isEmpty());
    const FakeHttp::Request request = rig->server.http()->lastRequest();
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path, QStringLiteral("/tallyfern/v1/accounts/acc-1/share"));
    QCOMPARE(request.jsonBody(), expected);
    QVERIFY(request.header("authorization").startsWith("Bearer "));
}

void TestAccountSharingService::shareFailure_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QJsonObject>("body");
    QTest::addColumn<QString>("message");
    QTest::newRow("server's text") << 409 << QJsonObject{{"error", "Already shared with this person"}}
                                   << "Already shared with this person";
    QTest::newRow("no text") << 500 << QJsonObject() << "Failed to share account (HTTP 500)";
}

void TestAccountSharingService::shareFailure()
{
    QFETCH(int, status);
    QFETCH(QJsonObject, body);
    QFETCH(QString, message);
    rig->server.http()->onNext("POST", "/tallyfern/v1/accounts/acc-1/share", FakeHttp::Response::json(status, body));
    int calls = 0;
    bool ok = true;
    QString error;
    service->shareWith("acc-1", "u-42", "member", [&](bool success, QString text) {
        ok = success;
        error = text;
        ++calls;
    });
    QTRY_COMPARE(calls, 1);
    QVERIFY(!ok);
    QCOMPARE(error, message);
}

void TestAccountSharingService::removeShare()
{
    rig->server.setMembers("acc-1", QJsonArray{QJsonObject{{"user_id", "u-7"}}});
    int calls = 0;
    bool ok = false;
    service->removeShare("acc-1", "u-7", [&](bool success) {
        ok = success;
        ++calls;
    });
    QTRY_COMPARE(calls, 1);
    QVERIFY(ok);
    QCOMPARE(rig->server.http()->lastRequest().method, QByteArray("DELETE"));
    QCOMPARE(rig->server.http()->lastRequest().path, QStringLiteral("/tallyfern/v1/accounts/acc-1/share/u-7"));

    rig->server.http()->onNext("DELETE", "/tallyfern/v1/accounts/acc-1/share/u-8", FakeHttp::Response::json(403, QJsonObject()));
    service->removeShare("acc-1", "u-8", [&](bool success) {
        ok = success;
        ++calls;
    });
    QTRY_COMPARE(calls, 2);
    QVERIFY(!ok);
}

void TestAccountSharingService::refusesUnsafeIds_data()
{
    QTest::addColumn<QString>("accountId");
    QTest::addColumn<QString>("userId");
    QTest::newRow("empty account") << "" << "u-1";
    QTest::newRow("dot") << "." << "u-1";
    QTest::newRow("dot dot") << ".." << "u-1";
    QTest::newRow("slash") << "acc/../other" << "u-1";
    QTest::newRow("backslash") << "acc\\x" << "u-1";
    QTest::newRow("query") << "acc?admin=1" << "u-1";
    QTest::newRow("fragment") << "acc#x" << "u-1";
    QTest::newRow("escape") << "acc%2F.." << "u-1";
    QTest::newRow("unsafe user") << "acc-1" << "../members";
    QTest::newRow("empty user") << "acc-1" << "";
}

void TestAccountSharingService::refusesUnsafeIds()
{
    QFETCH(QString, accountId);
    QFETCH(QString, userId);
    const bool accountUnsafe = !AccountSharingService::isSafePathSegment(accountId);
    QVERIFY(accountUnsafe || !AccountSharingService::isSafePathSegment(userId));

    int removals = 0;
    bool removed = true;
    service->removeShare(accountId, userId, [&](bool ok) {
        removed = ok;
        ++removals;
    });
    // Answered later, like a request, and never sent.
    QCOMPARE(removals, 0);
    QTRY_COMPARE(removals, 1);
    QVERIFY(!removed);

    if (accountUnsafe) {
        int lists = 0;
        service->listMembers(accountId, [&](QList<BrioAccount::ShareMember> members) {
            QVERIFY(members.isEmpty());
            ++lists;
        });
        QString error;
        bool shared = true;
        service->shareWith(accountId, "u-1", "member", [&](bool ok, QString text) {
            shared = ok;
            error = text;
        });
        QCOMPARE(lists, 0);
        QTRY_COMPARE(lists, 1);
        QTRY_VERIFY(!shared);
        QCOMPARE(error, QStringLiteral("Failed to share account (HTTP 0)"));
    }
    QCOMPARE(rig->server.http()->requestCount(), 0);
}

void TestAccountSharingService::memberIdIsUnchanged()
{
    QCOMPARE(service->shareIdForMember("member-9"), QStringLiteral("member-9"));
}

QTEST_GUILESS_MAIN(TestAccountSharingService)
#include "TestAccountSharingService.moc"
