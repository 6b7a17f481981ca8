#include "DataPaths.h"
#include "Database.h"
#include "MigrationRunner.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestDatabaseConnection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensFileWithPragmas();
    void createsMissingDataDirectory();
    void secondDatabaseCannotTakeTheConnection();
    void destructorRemovesConnection();
    void reusableStatements();
    void failsWhenDataDirectoryIsAFile();
    void dataDirectoryFromEnvironment();
    void dataDirectoryDefault();
    void migrationScriptsAreCompiledIn();
    void fixtureGivesFreshFiles();
};

namespace {

QString pragma(const QString &name)
{
    QSqlQuery query;
    if (!query.exec(QStringLiteral("PRAGMA ") + name) || !query.next())
        return QStringLiteral("<failed>");
    return query.value(0).toString();
}

} // namespace

void TestDatabaseConnection::opensFileWithPragmas()
{
    QTemporaryDir dir;
    Database db(dir.path());
    QVERIFY(db.open());
    QVERIFY(db.isOpen());
    QCOMPARE(db.filePath(), dir.filePath(QStringLiteral("tallyfern.db")));
    QVERIFY(QFile::exists(db.filePath()));
    QCOMPARE(db.database().connectionName(), QLatin1String(QSqlDatabase::defaultConnection));
    QCOMPARE(db.database().driverName(), QStringLiteral("QSQLITE"));
    QCOMPARE(pragma(QStringLiteral("foreign_keys")), QStringLiteral("1"));
    QCOMPARE(pragma(QStringLiteral("journal_mode")), QStringLiteral("wal"));
}

void TestDatabaseConnection::createsMissingDataDirectory()
{
    QTemporaryDir dir;
    const QString nested = dir.filePath(QStringLiteral("a/b/c"));
    Database db(nested);
    QVERIFY(db.open());
    QVERIFY(QFile::exists(nested + QStringLiteral("/tallyfern.db")));
}

void TestDatabaseConnection::secondDatabaseCannotTakeTheConnection()
{
    QTemporaryDir first;
    QTemporaryDir second;
    Database a(first.path());
    QVERIFY(a.open());
    Database b(second.path());
    QTest::ignoreMessage(QtWarningMsg, "Database::open failed: the default connection is already in use");
    QVERIFY(!b.open());
    // The first one keeps working, and the losing one does not tear it down.
    QVERIFY(a.isOpen());
    QCOMPARE(a.database().databaseName(), a.filePath());
}

void TestDatabaseConnection::destructorRemovesConnection()
{
    QTemporaryDir dir;
    {
        Database db(dir.path());
        QVERIFY(db.open());
        QVERIFY(QSqlDatabase::contains(QLatin1String(QSqlDatabase::defaultConnection)));
        {
            QSqlQuery query(db.database());
            QVERIFY(query.exec(QStringLiteral("CREATE TABLE kept (x INTEGER)")));
        }
    }
    QVERIFY(!QSqlDatabase::contains(QLatin1String(QSqlDatabase::defaultConnection)));

    // What was written is in the file once the connection is gone.
    Database again(dir.path());
    QVERIFY(again.open());
    QSqlQuery query(again.database());
    QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM kept")));
}

void TestDatabaseConnection::reusableStatements()
{
    QTemporaryDir dir;
    Database db(dir.path());
    QVERIFY(db.open());
    {
        QSqlQuery create(db.database());
        QVERIFY(create.exec(QStringLiteral("CREATE TABLE t (x INTEGER)")));
    }
    const QString insert = QStringLiteral("INSERT INTO t (x) VALUES (?)");
    QSqlQuery *first = db.reusableQuery(insert);
    QVERIFY(first);
    QCOMPARE(db.reusableQuery(insert), first);
    for (int i = 1; i <= 3; ++i) {
        first->addBindValue(i);
        QVERIFY(first->exec());
    }
    QVERIFY(!db.reusableQuery(QStringLiteral("INSERT INTO missing VALUES (1)")));
    {
        QSqlQuery create(db.database());
        QVERIFY(create.exec(QStringLiteral("CREATE TABLE missing (y INTEGER)")));
    }
    // A statement that failed before is prepared anew once it can be.
    QVERIFY(db.reusableQuery(QStringLiteral("INSERT INTO missing VALUES (1)")));
    QSqlQuery sum(db.database());
    QVERIFY(sum.exec(QStringLiteral("SELECT SUM(x) FROM t")) && sum.next());
    QCOMPARE(sum.value(0).toInt(), 6);
    sum.finish();
    sum = QSqlQuery();
    db.close();
    QVERIFY(!QSqlDatabase::contains(QLatin1String(QSqlDatabase::defaultConnection)));
    QVERIFY(!db.reusableQuery(insert));
}

void TestDatabaseConnection::failsWhenDataDirectoryIsAFile()
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("not-a-folder"));
    {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    Database db(blocker);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Database::open failed")));
    QVERIFY(!db.open());
    QVERIFY(!db.isOpen());
    QVERIFY(!QSqlDatabase::contains(QLatin1String(QSqlDatabase::defaultConnection)));
}

void TestDatabaseConnection::dataDirectoryFromEnvironment()
{
    QTemporaryDir dir;
    const QString wanted = dir.filePath(QStringLiteral("custom/data"));
    qputenv("TALLYFERN_DATA_DIR", wanted.toLocal8Bit());
    const QString resolved = DataPaths::dataDirectory();
    qunsetenv("TALLYFERN_DATA_DIR");
    QCOMPARE(resolved, wanted);
    QVERIFY(QDir(wanted).exists());
}

void TestDatabaseConnection::dataDirectoryDefault()
{
    // ctest sets the variable to an empty value, which means "not set".
    qputenv("TALLYFERN_DATA_DIR", "");
    const QString resolved = DataPaths::dataDirectory();
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                             QStringLiteral("/Tallowmere/Tallyfern");
    QCOMPARE(resolved, expected);
    QVERIFY(QDir(expected).exists());
}

void TestDatabaseConnection::migrationScriptsAreCompiledIn()
{
    const QList<MigrationRunner::Script> scripts = MigrationRunner::builtInScripts();
    const QDir folder(QFINDTESTDATA("../../src/sql/migrations"));
    QVERIFY(folder.exists());
    QCOMPARE(scripts.size(), folder.entryList({QStringLiteral("*.sql")}, QDir::Files).size());
    for (int i = 0; i < scripts.size(); ++i) {
        QCOMPARE(scripts[i].version, i + 1);
        QVERIFY(!scripts[i].sql.trimmed().isEmpty());
    }
    QCOMPARE(scripts[2].name, QStringLiteral("003_transactions_fts.sql"));
}

void TestDatabaseConnection::fixtureGivesFreshFiles()
{
    QString firstPath;
    {
        TestDatabase fixture;
        QVERIFY(fixture.isValid());
        firstPath = fixture.filePath();
        QCOMPARE(qEnvironmentVariable("TALLYFERN_DATA_DIR"), fixture.dataDirectory());
        QCOMPARE(pragma(QStringLiteral("user_version")),
                 QString::number(MigrationRunner::builtInScripts().last().version));
        QSqlQuery query;
        QVERIFY(query.exec(QStringLiteral("INSERT INTO preferences (key, value) VALUES ('k', 'v')")));
    }
    QVERIFY(!QSqlDatabase::contains(QLatin1String(QSqlDatabase::defaultConnection)));
    QVERIFY(!QFile::exists(firstPath));

    TestDatabase second;
    QVERIFY(second.isValid());
    QVERIFY(second.filePath() != firstPath);
    QSqlQuery query;
    QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM preferences")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 0);
}

QTEST_GUILESS_MAIN(TestDatabaseConnection)
#include "TestDatabaseConnection.moc"
