#include "AccountClient.h"
#include "Client.h"
#include "DeviceIdentity.h"
#include "FakeHttpServer.h"
#include "TokenManager.h"
#include "support/AccountTestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace BrioAccount;

namespace {

const QString AppId = QStringLiteral("com.tallowmerelabs.tallyfern");

} // namespace

class TestDeviceIdentity : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString fixture(const QString &name, const QByteArray &content);

private Q_SLOTS:
    void initTestCase();
    void machineIdFiles_data();
    void machineIdFiles();
    void firstValidFileWins();
    void guidDoesNotRevealTheMachineId();
    void fingerprint_data();
    void fingerprint();
    void fingerprintFollowsTheApplication_data();
    void fingerprintFollowsTheApplication();
};

void TestDeviceIdentity::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

QString TestDeviceIdentity::fixture(const QString &name, const QByteArray &content)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

void TestDeviceIdentity::machineIdFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("with newline") << QByteArray("0123456789abcdef0123456789abcdef\n") << true;
    QTest::newRow("without newline") << QByteArray("fedcba98765432100123456789abcdef") << true;
    QTest::newRow("upper case") << QByteArray("0123456789ABCDEF0123456789ABCDEF\n") << false;
    QTest::newRow("all zeros") << QByteArray("00000000000000000000000000000000\n") << false;
    QTest::newRow("too short") << QByteArray("0123456789abcdef\n") << false;
    QTest::newRow("too long") << QByteArray("0123456789abcdef0123456789abcdef0\n") << false;
    QTest::newRow("not hex") << QByteArray("0123456789abcdef0123456789abcdeg\n") << false;
    QTest::newRow("uninitialized") << QByteArray("uninitialized\n") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestDeviceIdentity::machineIdFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, accepted);
    const QString path = fixture(QStringLiteral("machine-id"), content);
    const QString guid = DeviceIdentity::machineGuidFromIdFiles({path}, AppId);
    if (!accepted) {
        QCOMPARE(guid, QString());
        return;
    }
    static const QRegularExpression shape(
        QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
    QVERIFY2(shape.match(guid).hasMatch(), qPrintable(guid));
    // Stable for one machine.
    QCOMPARE(DeviceIdentity::machineGuidFromIdFiles({path}, AppId), guid);
}

void TestDeviceIdentity::firstValidFileWins()
{
    const QString missing = m_dir.filePath(QStringLiteral("absent"));
    const QString invalid = fixture(QStringLiteral("bad"), "00000000000000000000000000000000\n");
    const QString first = fixture(QStringLiteral("etc"), "11111111111111111111111111111111\n");
    const QString second = fixture(QStringLiteral("dbus"), "22222222222222222222222222222222\n");

    const QString fromFirst = DeviceIdentity::machineGuidFromIdFiles({first}, AppId);
    const QString fromSecond = DeviceIdentity::machineGuidFromIdFiles({second}, AppId);
    QVERIFY(fromFirst != fromSecond);
    QCOMPARE(DeviceIdentity::machineGuidFromIdFiles({missing, invalid, first, second}, AppId), fromFirst);
    QCOMPARE(DeviceIdentity::machineGuidFromIdFiles({missing, second, first}, AppId), fromSecond);
    QCOMPARE(DeviceIdentity::machineGuidFromIdFiles({missing, invalid}, AppId), QString());
}

void TestDeviceIdentity::guidDoesNotRevealTheMachineId()
{
    const QByteArray id = "0123456789abcdef0123456789abcdef";
    const QString guid =
        DeviceIdentity::machineGuidFromIdFiles({fixture(QStringLiteral("id"), id + '\n')}, AppId);
    const QString hex = QString(guid).remove(QLatin1Char('-'));
    QVERIFY(hex != QString::fromLatin1(id));
    // Nor a plain digest of it, which anybody could compute from the id.
    QVERIFY(!QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha256).toHex())
                 .startsWith(hex));
}

void TestDeviceIdentity::fingerprint_data()
{
    QTest::addColumn<QString>("guid");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("expected");
    // A machine GUID is sent as it is, whatever the host.
    const QString guid = QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF} ");
    QTest::newRow("guid") << guid << QStringLiteral("host-a") << guid;
    // Without one: the first 32 hex digits of the SHA-256 of the UTF-8 host name.
    QTest::newRow("empty host") << QString() << QString()
                                << QStringLiteral("e3b0c44298fc1c149afbf4c8996fb924");
    QTest::newRow("abc") << QString() << QStringLiteral("abc")
                         << QStringLiteral("ba7816bf8f01cfea414140de5dae2223");
    QTest::newRow("non-ASCII") << QString() << QStringLiteral("büro")
                               << QStringLiteral("2616f09c1c82892ca0f91690acfc2bee");
}

void TestDeviceIdentity::fingerprint()
{
    QFETCH(QString, guid);
    QFETCH(QString, host);
    QFETCH(QString, expected);
    QCOMPARE(DeviceIdentity::fingerprintFrom(guid, host), expected);
    QCOMPARE(DeviceIdentity::fingerprintFrom(guid, host + QLatin1Char('2')) == expected, !guid.isEmpty());
}

void TestDeviceIdentity::fingerprintFollowsTheApplication_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("same");

    QTest::newRow("one application") << AppId << AppId << true;
    QTest::newRow("two applications") << AppId << QStringLiteral("com.example.ledger") << false;
    QTest::newRow("ids differing in case") << AppId << AppId.toUpper() << false;
}

void TestDeviceIdentity::fingerprintFollowsTheApplication()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, same);

    const QString idFile = fixture(QStringLiteral("machine-id"), "0123456789abcdef0123456789abcdef\n");
    const QString guid = DeviceIdentity::machineGuidFromIdFiles({idFile}, first);
    QVERIFY(!guid.isEmpty());
    QCOMPARE(DeviceIdentity::machineGuidFromIdFiles({idFile}, second) == guid, same);

    // What two programs on this machine send when they register it.
    if (DeviceIdentity::machineGuid(first).isEmpty())
        QSKIP("this machine has no machine id");
    FakeHttp::FakeHttpServer server;
    QVERIFY(server.listen());
    server.setFallback(
        [](const FakeHttp::Request &) { return FakeHttp::Response::json(200, QJsonObject()); });
    QStringList sent;
    for (const QString &applicationId : {first, second}) {
        BrioAccount::ClientConfig config = AccountTest::testConfig(server.url(), server.url("/account/v1"));
        config.applicationId = applicationId;
        Client client(config);
        client.tokenManager()->setTokens(AccountTest::freshToken(), QStringLiteral("r1"));
        client.accountClient()->registerDevice();
        QVERIFY(server.waitForRequests(int(sent.size()) + 1));
        const QJsonObject body = server.lastRequest().jsonBody();
        QCOMPARE(body.value("app_id").toString(), applicationId);
        sent << body.value("device_fingerprint").toString();
        client.tokenManager()->clear();
    }
    QVERIFY(!sent.first().isEmpty());
    QCOMPARE(sent.first() == sent.last(), same);
}

QTEST_GUILESS_MAIN(TestDeviceIdentity)
#include "TestDeviceIdentity.moc"
