// The token store on this platform writes one private file per credential; these tests look at
// the files themselves, since what lands on disk is what a thief would find.
#include "CredentialManagerTokenStore.h"
#include "CredentialVault.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace BrioAccount;

namespace {

const QString AppId = QStringLiteral("com.tallowmerelabs.tallyfern");

QString credentialDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Tallowmere/credentials");
}

QString accessFile()
{
    return credentialDir() +
           QStringLiteral("/Tallowmere%2Fcom.tallowmerelabs.tallyfern%2Ftallowmere_access_token.cred");
}

QString refreshFile()
{
    return credentialDir() +
           QStringLiteral("/Tallowmere%2Fcom.tallowmerelabs.tallyfern%2Ftallowmere_refresh_token.cred");
}

mode_t modeOf(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList entries()
{
    return QDir(credentialDir())
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestCredentialManagerTokenStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void folderIsUnderGenericDataLocation();
    void targetNames();
    void roundTrip_data();
    void roundTrip();
    void filesHoldExactlyTheUtf8Bytes();
    void permissionsAreClosedUnderUmask022();
    void overwriteReplacesAndLeavesNoTemporaryFile();
    void missingEntryReadsAsNoValue();
    void removeReportsWhetherSomethingWasRemoved();
    void clearRemovesBothAlsoWhenOnlyOneExists();
    void failedWriteLeavesNoTemporaryFile();
    void symbolicLinkInPlaceOfAFileIsRefused();
    void symbolicLinkInPlaceOfTheFolderIsRefused();
    void tooOpenFolderIsClosed();
    void fileOfAnotherUserIsRefused();
};

void TestCredentialManagerTokenStore::initTestCase()
{
    // Never touch the credentials of whoever runs this binary by hand.
    QStandardPaths::setTestModeEnabled(true);
    ::umask(022);
}

void TestCredentialManagerTokenStore::init()
{
    QFileInfo dir(credentialDir());
    if (dir.isSymLink())
        QFile::remove(credentialDir());
    else
        QDir(credentialDir()).removeRecursively();
}

void TestCredentialManagerTokenStore::folderIsUnderGenericDataLocation()
{
    QCOMPARE(CredentialVault::directory(), credentialDir());
    QVERIFY(credentialDir().endsWith(QStringLiteral("/Tallowmere/credentials")));
}

void TestCredentialManagerTokenStore::targetNames()
{
    auto store = CredentialManagerTokenStore::create(AppId);
    auto *credentials = static_cast<CredentialManagerTokenStore *>(store.get());
    QCOMPARE(credentials->targetName(AccessTokenKey),
             QStringLiteral("Tallowmere/com.tallowmerelabs.tallyfern/tallowmere_access_token"));
    QCOMPARE(credentials->targetName(RefreshTokenKey),
             QStringLiteral("Tallowmere/com.tallowmerelabs.tallyfern/tallowmere_refresh_token"));
    QCOMPARE(CredentialVault::fileNameFor(QStringLiteral("Tallowmere//key")),
             QStringLiteral("Tallowmere%2F%2Fkey.cred"));
}

void TestCredentialManagerTokenStore::roundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("jwt") << QStringLiteral("eyJhbGciOi.eyJzdWIiOiJ1In0.c2ln");
    QTest::newRow("non-ASCII") << QStringLiteral("Grüße-日本語-🔑-ñ");
    QTest::newRow("plus and percent") << QStringLiteral("a+b%2Bc/d=");
    QTest::newRow("empty") << QString();
    QTest::newRow("long") << QString(8000, QLatin1Char('x'));
}

void TestCredentialManagerTokenStore::roundTrip()
{
    QFETCH(QString, value);
    {
        auto store = CredentialManagerTokenStore::create(AppId);
        QVERIFY(store->write(AccessTokenKey, value));
    }
    // A new store, as after a restart.
    auto store = CredentialManagerTokenStore::create(AppId);
    const std::optional<QString> read = store->read(AccessTokenKey);
    QVERIFY(read.has_value());
    QCOMPARE(*read, value);
}

void TestCredentialManagerTokenStore::filesHoldExactlyTheUtf8Bytes()
{
    auto store = CredentialManagerTokenStore::create(AppId);
    const QString value = QStringLiteral("tök€n");
    QVERIFY(store->write(AccessTokenKey, value));
    QVERIFY(store->write(RefreshTokenKey, QStringLiteral("r")));
    QCOMPARE(contentOf(accessFile()), value.toUtf8());
    QCOMPARE(contentOf(accessFile()).size(), 8);
    QCOMPARE(contentOf(refreshFile()), QByteArray("r"));
    QCOMPARE(entries(),
             QStringList({QFileInfo(accessFile()).fileName(), QFileInfo(refreshFile()).fileName()}));
}

void TestCredentialManagerTokenStore::permissionsAreClosedUnderUmask022()
{
    auto store = CredentialManagerTokenStore::create(AppId);
    QVERIFY(store->write(AccessTokenKey, QStringLiteral("secret")));
    QCOMPARE(modeOf(credentialDir()), mode_t(0700));
    QCOMPARE(modeOf(accessFile()), mode_t(0600));
}

void TestCredentialManagerTokenStore::overwriteReplacesAndLeavesNoTemporaryFile()
{
    auto store = CredentialManagerTokenStore::create(AppId);
    QVERIFY(store->write(AccessTokenKey, QStringLiteral("first, and longer")));
    QVERIFY(::chmod(QFile::encodeName(accessFile()).constData(), 0644) == 0);
    QVERIFY(store->write(AccessTokenKey, QStringLiteral("second")));
    QCOMPARE(contentOf(accessFile()), QByteArray("second"));
    QCOMPARE(modeOf(accessFile()), mode_t(0600));
    QCOMPARE(entries(), QStringList{QFileInfo(accessFile()).fileName()});
}

void TestCredentialManagerTokenStore::missingEntryReadsAsNoValue()
{
    auto store = CredentialManagerTokenStore::create(AppId);
    QVERIFY(!store->read(AccessTokenKey).has_value());
    QVERIFY(store->write(RefreshTokenKey, QStringLiteral("r")));
    QVERIFY(!store->read(AccessTokenKey).has_value());
    // Another application id is another entry.
    auto other = CredentialManagerTokenStore::create(QStringLiteral("com.example.other"));
    QVERIFY(!other->read(RefreshTokenKey).has_value());
}

void TestCredentialManagerTokenStore::removeReportsWhetherSomethingWasRemoved()
{
    auto store = CredentialManagerTokenStore::create(AppId);
    QVERIFY(!store->remove(AccessTokenKey));
    QVERIFY(store->write(AccessTokenKey, QStringLiteral("a")));
    QVERIFY(store->remove(AccessTokenKey));
    QVERIFY(!QFile::exists(accessFile()));
    QVERIFY(!store->remove(AccessTokenKey));
}

void TestCredentialManagerTokenStore::clearRemovesBothAlsoWhenOnlyOneExists()
{
    auto store = CredentialManagerTokenStore::create(AppId);
    QVERIFY(store->write(AccessTokenKey, QStringLiteral("a")));
    QVERIFY(store->write(RefreshTokenKey, QStringLiteral("r")));
    store->clear();
    QVERIFY(entries().isEmpty());

    QVERIFY(store->write(RefreshTokenKey, QStringLiteral("r")));
    store->clear();
    QVERIFY(entries().isEmpty());
    QVERIFY(!store->read(RefreshTokenKey).has_value());
}

void TestCredentialManagerTokenStore::failedWriteLeavesNoTemporaryFile()
{
    // A service name too long for a file name makes the write itself fail.
    auto store = CredentialManagerTokenStore::create(QString(300, QLatin1Char('s')));
    QVERIFY(!store->write(AccessTokenKey, QStringLiteral("secret")));
    QVERIFY(entries().isEmpty());
}

void TestCredentialManagerTokenStore::symbolicLinkInPlaceOfAFileIsRefused()
{
    auto store = CredentialManagerTokenStore::create(AppId);
    QVERIFY(store->write(RefreshTokenKey, QStringLiteral("r"))); // creates the folder
    const QString elsewhere = QDir::tempPath() + QStringLiteral("/credential-link-target-%1").arg(::getpid());
    QFile target(elsewhere);
    QVERIFY(target.open(QIODevice::WriteOnly));
    target.write("planted");
    target.close();
    QVERIFY(QFile::link(elsewhere, accessFile()));

    QVERIFY(!store->read(AccessTokenKey).has_value());
    QVERIFY(!store->write(AccessTokenKey, QStringLiteral("secret")));
    QVERIFY(!store->remove(AccessTokenKey));
    QCOMPARE(contentOf(elsewhere), QByteArray("planted"));
    QVERIFY(QFileInfo(accessFile()).isSymLink());
    QFile::remove(elsewhere);
}

void TestCredentialManagerTokenStore::symbolicLinkInPlaceOfTheFolderIsRefused()
{
    const QString elsewhere = QDir::tempPath() + QStringLiteral("/credential-dir-target-%1").arg(::getpid());
    QDir(elsewhere).removeRecursively();
    QVERIFY(QDir().mkpath(elsewhere));
    QVERIFY(QDir().mkpath(QFileInfo(credentialDir()).absolutePath()));
    QVERIFY(QFile::link(elsewhere, credentialDir()));

    auto store = CredentialManagerTokenStore::create(AppId);
    QVERIFY(!store->write(AccessTokenKey, QStringLiteral("secret")));
    QVERIFY(QDir(elsewhere).isEmpty());
    QFile::remove(credentialDir());
    QDir(elsewhere).removeRecursively();
}

void TestCredentialManagerTokenStore::tooOpenFolderIsClosed()
{
    QVERIFY(QDir().mkpath(credentialDir()));
    QVERIFY(::chmod(QFile::encodeName(credentialDir()).constData(), 0755) == 0);
    auto store = CredentialManagerTokenStore::create(AppId);
    QVERIFY(store->write(AccessTokenKey, QStringLiteral("secret")));
    QCOMPARE(modeOf(credentialDir()), mode_t(0700));
}

void TestCredentialManagerTokenStore::fileOfAnotherUserIsRefused()
{
    if (::geteuid() != 0)
        QSKIP("giving a file to another user needs root");
    auto store = CredentialManagerTokenStore::create(AppId);
    QVERIFY(store->write(AccessTokenKey, QStringLiteral("secret")));
    QVERIFY(::chown(QFile::encodeName(accessFile()).constData(), 12345, 12345) == 0);
    QVERIFY(!store->read(AccessTokenKey).has_value());
}

QTEST_GUILESS_MAIN(TestCredentialManagerTokenStore)
#include "TestCredentialManagerTokenStore.moc"
