#include "AccountRecords.h"

#include <QJsonDocument>
#include <QTest>

using namespace BrioAccount;

namespace {

QJsonObject parse(const char *json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

QDateTime utc(int y, int mo, int d, int h, int mi, int s, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

} // namespace

class TestAccountRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyObjectGivesDefaultRecords();
    void userReadsEveryKey();
    void profileGroupPresence_data();
    void profileGroupPresence();
    void sessionIsCurrent_data();
    void sessionIsCurrent();
    void deviceReadsEveryKey();
    void groupListsAndNumbers();
    void groupListThatIsNotAnArray();
    void wholeNumbers_data();
    void wholeNumbers();
    void dateTimes_data();
    void dateTimes();
    void mistypedTextReadsEmpty();
    void recordsFromJsonKeepsOrder();
};

void TestAccountRecords::emptyObjectGivesDefaultRecords()
{
    const User user = User::fromJson({});
    QVERIFY(user.id.isEmpty() && user.email.isEmpty() && user.displayName.isEmpty() &&
            user.username.isEmpty() && user.avatarUrl.isEmpty() && !user.createdAt.isValid());
    const Profile profile = Profile::fromJson({});
    QVERIFY(profile.id.isEmpty() && profile.language.isEmpty() && profile.timezone.isEmpty() &&
            profile.status.isEmpty() && !profile.createdAt.isValid());
    QVERIFY(!profile.group.has_value());
    const Session session = Session::fromJson({});
    QVERIFY(session.id.isEmpty() && !session.isCurrent && !session.lastActiveAt.isValid());
    const Device device = Device::fromJson({});
    QVERIFY(device.id.isEmpty() && device.deviceFingerprint.isEmpty() && !device.lastSyncAt.isValid());
    const Group group = Group::fromJson({});
    QVERIFY(group.id.isEmpty() && group.name.isEmpty());
    QCOMPARE(group.maxSeats, 0);
    QVERIFY(group.members.isEmpty() && group.pendingInvitations.isEmpty());
    const GroupMember member = GroupMember::fromJson({});
    QVERIFY(member.accountId.isEmpty() && member.role.isEmpty() && !member.joinedAt.isValid());
    const GroupInvitation invitation = GroupInvitation::fromJson({});
    QVERIFY(invitation.inviteCode.isEmpty() && !invitation.expiresAt.isValid());
    const UserGroupSummary summary = UserGroupSummary::fromJson({});
    QVERIFY(summary.id.isEmpty() && summary.name.isEmpty() && summary.role.isEmpty());
    QCOMPARE(summary.memberCount, 0);
}

void TestAccountRecords::userReadsEveryKey()
{
    const User user = User::fromJson(parse(R"({"id":"u1","email":"a@b.c","display_name":"Ann Lee",
        "username":"ann","avatar_url":"https://x/a.png","created_at":"2024-03-05T10:00:00Z","extra":1})"));
    QCOMPARE(user.id, QStringLiteral("u1"));
    QCOMPARE(user.email, QStringLiteral("a@b.c"));
    QCOMPARE(user.displayName, QStringLiteral("Ann Lee"));
    QCOMPARE(user.username, QStringLiteral("ann"));
    QCOMPARE(user.avatarUrl, QStringLiteral("https://x/a.png"));
    QCOMPARE(user.createdAt, utc(2024, 3, 5, 10, 0, 0));
}

void TestAccountRecords::profileGroupPresence_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("hasGroup");
    QTest::addColumn<QString>("groupName");
    QTest::addColumn<int>("memberCount");

    QTest::newRow("no key") << QByteArray(R"({"id":"p"})") << false << "" << 0;
    QTest::newRow("null") << QByteArray(R"({"id":"p","group":null})") << true << "" << 0;
    QTest::newRow("not an object") << QByteArray(R"({"id":"p","group":"g"})") << true << "" << 0;
    QTest::newRow("object")
        << QByteArray(R"({"id":"p","group":{"id":"g1","name":"Home","role":"owner","member_count":3}})")
        << true << "Home" << 3;
}

void TestAccountRecords::profileGroupPresence()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, hasGroup);
    QFETCH(QString, groupName);
    QFETCH(int, memberCount);
    const Profile profile = Profile::fromJson(QJsonDocument::fromJson(json).object());
    QCOMPARE(profile.id, QStringLiteral("p"));
    QCOMPARE(profile.group.has_value(), hasGroup);
    if (hasGroup) {
        QCOMPARE(profile.group->name, groupName);
        QCOMPARE(profile.group->memberCount, memberCount);
    }
}

void TestAccountRecords::sessionIsCurrent_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("current");
    QTest::newRow("true") << QByteArray("true") << true;
    QTest::newRow("false") << QByteArray("false") << false;
    QTest::newRow("number 1") << QByteArray("1") << false;
    QTest::newRow("text true") << QByteArray(R"("true")") << false;
    QTest::newRow("null") << QByteArray("null") << false;
}

void TestAccountRecords::sessionIsCurrent()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, current);
    const QByteArray json = R"({"id":"s1","user_agent":"Firefox","ip_address":"10.0.0.1",)"
                            R"("last_active_at":"2024-03-05T10:00:00Z","is_current":)" +
                            value + "}";
    const Session session = Session::fromJson(QJsonDocument::fromJson(json).object());
    QCOMPARE(session.isCurrent, current);
    QCOMPARE(session.userAgent, QStringLiteral("Firefox"));
    QCOMPARE(session.ipAddress, QStringLiteral("10.0.0.1"));
    QCOMPARE(session.lastActiveAt, utc(2024, 3, 5, 10, 0, 0));
}

void TestAccountRecords::deviceReadsEveryKey()
{
    const Device device = Device::fromJson(parse(R"({"id":"d1","device_name":"desk","platform":"Windows",
        "app_id":"com.x","app_version":"1.1.6","last_sync_at":"2024-01-02T03:04:05Z",
        "device_fingerprint":"f00","created_at":"2023-12-31T23:59:59Z"})"));
    QCOMPARE(device.id, QStringLiteral("d1"));
    QCOMPARE(device.deviceName, QStringLiteral("desk"));
    QCOMPARE(device.platform, QStringLiteral("Windows"));
    QCOMPARE(device.appId, QStringLiteral("com.x"));
    QCOMPARE(device.appVersion, QStringLiteral("1.1.6"));
    QCOMPARE(device.lastSyncAt, utc(2024, 1, 2, 3, 4, 5));
    QCOMPARE(device.deviceFingerprint, QStringLiteral("f00"));
    QCOMPARE(device.createdAt, utc(2023, 12, 31, 23, 59, 59));
}

void TestAccountRecords::groupListsAndNumbers()
{
    const Group group = Group::fromJson(parse(R"({"id":"g","name":"Home","max_seats":5.0,
        "members":[{"account_id":"a1","auth_user_id":"u1","display_name":"Ann","email":"a@x","role":"owner",
                    "joined_at":"2024-03-05T10:00:00Z"}, 7, {"account_id":"a2"}],
        "pending_invitations":[{"id":"i1","invited_email":"b@x","invite_code":"CODE","status":"pending",
                                "expires_at":"2024-04-01T00:00:00Z"}]})"));
    QCOMPARE(group.maxSeats, 5);
    QCOMPARE(group.members.size(), 3);
    QCOMPARE(group.members.at(0).accountId, QStringLiteral("a1"));
    QCOMPARE(group.members.at(0).authUserId, QStringLiteral("u1"));
    QCOMPARE(group.members.at(0).displayName, QStringLiteral("Ann"));
    QCOMPARE(group.members.at(0).email, QStringLiteral("a@x"));
    QCOMPARE(group.members.at(0).role, QStringLiteral("owner"));
    QCOMPARE(group.members.at(0).joinedAt, utc(2024, 3, 5, 10, 0, 0));
    // A non-object element still adds an (empty) member, in array order.
    QVERIFY(group.members.at(1).accountId.isEmpty());
    QCOMPARE(group.members.at(2).accountId, QStringLiteral("a2"));
    QCOMPARE(group.pendingInvitations.size(), 1);
    const GroupInvitation &invitation = group.pendingInvitations.first();
    QCOMPARE(invitation.id, QStringLiteral("i1"));
    QCOMPARE(invitation.invitedEmail, QStringLiteral("b@x"));
    QCOMPARE(invitation.inviteCode, QStringLiteral("CODE"));
    QCOMPARE(invitation.status, QStringLiteral("pending"));
    QCOMPARE(invitation.expiresAt, utc(2024, 4, 1, 0, 0, 0));
}

void TestAccountRecords::groupListThatIsNotAnArray()
{
    const Group group =
        Group::fromJson(parse(R"({"members":{"account_id":"a1"},"pending_invitations":"x"})"));
    QVERIFY(group.members.isEmpty());
    QVERIFY(group.pendingInvitations.isEmpty());
}

void TestAccountRecords::wholeNumbers_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("integer") << QByteArray("5") << 5;
    QTest::newRow("5.0") << QByteArray("5.0") << 5;
    QTest::newRow("text") << QByteArray(R"("5")") << 0;
    QTest::newRow("fraction") << QByteArray("5.5") << 0;
    QTest::newRow("null") << QByteArray("null") << 0;
    QTest::newRow("bool") << QByteArray("true") << 0;
}

void TestAccountRecords::wholeNumbers()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    QCOMPARE(Group::fromJson(QJsonDocument::fromJson("{\"max_seats\":" + value + "}").object()).maxSeats,
             expected);
    QCOMPARE(UserGroupSummary::fromJson(QJsonDocument::fromJson("{\"member_count\":" + value + "}").object())
                 .memberCount,
             expected);
}

void TestAccountRecords::dateTimes_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("Z") << QByteArray(R"("2024-03-05T10:00:00Z")") << utc(2024, 3, 5, 10, 0, 0);
    QTest::newRow("fraction and offset")
        << QByteArray(R"("2024-03-05T10:00:00.123+02:00")") << utc(2024, 3, 5, 8, 0, 0, 123);
    QTest::newRow("empty") << QByteArray(R"("")") << QDateTime();
    QTest::newRow("garbage") << QByteArray(R"("yesterday")") << QDateTime();
    QTest::newRow("number") << QByteArray("1709632800") << QDateTime();
}

void TestAccountRecords::dateTimes()
{
    QFETCH(QByteArray, value);
    QFETCH(QDateTime, expected);
    const User user = User::fromJson(QJsonDocument::fromJson("{\"created_at\":" + value + "}").object());
    QCOMPARE(user.createdAt.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(user.createdAt.toUTC(), expected);
}

void TestAccountRecords::mistypedTextReadsEmpty()
{
    const User user = User::fromJson(parse(R"({"id":42,"email":null,"display_name":["x"],"username":true})"));
    QVERIFY(user.id.isEmpty());
    QVERIFY(user.email.isEmpty());
    QVERIFY(user.displayName.isEmpty());
    QVERIFY(user.username.isEmpty());
}

void TestAccountRecords::recordsFromJsonKeepsOrder()
{
    const QJsonObject body = parse(R"({"sessions":[{"id":"b"},{"id":"a"},null]})");
    const QList<Session> sessions = recordsFromJson<Session>(body.value("sessions"));
    QCOMPARE(sessions.size(), 3);
    QCOMPARE(sessions.at(0).id, QStringLiteral("b"));
    QCOMPARE(sessions.at(1).id, QStringLiteral("a"));
    QVERIFY(sessions.at(2).id.isEmpty());
    QVERIFY(recordsFromJson<Session>(body.value("missing")).isEmpty());
}

QTEST_GUILESS_MAIN(TestAccountRecords)
#include "TestAccountRecords.moc"
