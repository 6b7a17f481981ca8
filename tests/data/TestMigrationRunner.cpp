#include "ColumnTables.h"
#include "Database.h"
#include "MigrationRunner.h"
#include "TestDatabase.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

class TestMigrationRunner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitStatements_data();
    void splitStatements();

    void schemaHasEveryColumn_data();
    void schemaHasEveryColumn();
    void foreignKeysAsDesigned_data();
    void foreignKeysAsDesigned();
    void migratingTwiceChangesNothing();
    void scheduleColumnsGetDefaults();

    void scriptWithTriggersRunsWhole();
    void failingScriptLeavesFileUnchanged();
    void failureStopsAfterLastGoodScript();
    void fullTextBackFillsExistingRows();
    void fullTextFollowsEdits();
};

namespace {

QVariant scalar(const QString &sql)
{
    QSqlQuery query;
    if (!query.exec(sql) || !query.next())
        return QStringLiteral("<failed>");
    return query.value(0);
}

QStringList columnsOf(const QString &table)
{
    QStringList columns;
    QSqlQuery query;
    query.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"));
    query.addBindValue(table);
    if (!query.exec())
        return columns;
    while (query.next())
        columns.append(query.value(0).toString());
    return columns;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void insertAccountAndTransaction(const QString &payee, const QString &memo)
{
    QSqlQuery query;
    QVERIFY(
        query.exec(QStringLiteral("INSERT OR IGNORE INTO accounts (id, name) VALUES ('a1', 'Checking')")));
    query.prepare(QStringLiteral("INSERT INTO transactions (id, account_id, date, payee, memo) "
                                 "VALUES (lower(hex(randomblob(8))), 'a1', '2024-01-01', ?, ?)"));
    query.addBindValue(payee);
    query.addBindValue(memo);
    QVERIFY(query.exec());
}

int ftsCount(const QString &match)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM transactions_fts WHERE transactions_fts MATCH ?"));
    query.addBindValue(match);
    if (!query.exec() || !query.next())
        return -1;
    return query.value(0).toInt();
}

} // namespace

void TestMigrationRunner::splitStatements_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("two statements") << "CREATE TABLE a (x);\nCREATE TABLE b (y);"
                                    << QStringList{"CREATE TABLE a (x);", "CREATE TABLE b (y);"};
    QTest::newRow("last without semicolon") << "SELECT 1; SELECT 2" << QStringList{"SELECT 1;", "SELECT 2"};
    QTest::newRow("semicolon in string") << "INSERT INTO t VALUES ('a;b'); SELECT 1;"
                                         << QStringList{"INSERT INTO t VALUES ('a;b');", "SELECT 1;"};
    QTest::newRow("escaped quote in string") << "INSERT INTO t VALUES ('it''s;'); SELECT 1;"
                                             << QStringList{"INSERT INTO t VALUES ('it''s;');", "SELECT 1;"};
    QTest::newRow("quoted names") << "CREATE TABLE \"a;b\" ([c;d], `e;f`);"
                                  << QStringList{"CREATE TABLE \"a;b\" ([c;d], `e;f`);"};
    QTest::newRow("line comment") << "-- first; not a statement\nSELECT 1; -- trailing; note\n"
                                  << QStringList{"-- first; not a statement\nSELECT 1;"};
    QTest::newRow("block comment") << "SELECT /* ; */ 1; /* only a comment; */"
                                   << QStringList{"SELECT /* ; */ 1;"};
    QTest::newRow("empty statements") << ";;  ;\n" << QStringList{};
    QTest::newRow("trigger body") << "CREATE TRIGGER t AFTER INSERT ON a BEGIN INSERT INTO b VALUES (1); "
                                     "DELETE FROM c; END; SELECT 2;"
                                  << QStringList{
                                         "CREATE TRIGGER t AFTER INSERT ON a BEGIN INSERT INTO b VALUES "
                                         "(1); DELETE FROM c; END;",
                                         "SELECT 2;"};
    QTest::newRow("temp trigger, lower case")
        << "create temp trigger t after delete on a begin delete from b; end;"
        << QStringList{"create temp trigger t after delete on a begin delete from b; end;"};
    QTest::newRow("case inside trigger")
        << "CREATE TRIGGER t AFTER UPDATE ON a BEGIN UPDATE b SET x = CASE WHEN new.y THEN 1 ELSE 0 END; "
           "DELETE FROM c; END; SELECT 3;"
        << QStringList{
               "CREATE TRIGGER t AFTER UPDATE ON a BEGIN UPDATE b SET x = CASE WHEN new.y THEN 1 ELSE 0 "
               "END; DELETE FROM c; END;",
               "SELECT 3;"};
    QTest::newRow("case in WHEN before body")
        << "CREATE TRIGGER t AFTER UPDATE ON a WHEN CASE new.x WHEN 1 THEN 1 END BEGIN DELETE FROM b; END; "
           "SELECT 4;"
        << QStringList{"CREATE TRIGGER t AFTER UPDATE ON a WHEN CASE new.x WHEN 1 THEN 1 END BEGIN DELETE "
                       "FROM b; END;",
                       "SELECT 4;"};
    QTest::newRow("column called end")
        << "CREATE TRIGGER t AFTER INSERT ON a BEGIN INSERT INTO b VALUES (new.end); DELETE FROM c; END; "
           "SELECT 5;"
        << QStringList{
               "CREATE TRIGGER t AFTER INSERT ON a BEGIN INSERT INTO b VALUES (new.end); DELETE FROM c; END;",
               "SELECT 5;"};
    QTest::newRow("begin outside a trigger")
        << "CREATE TABLE \"begin\" (x); SELECT 1;" << QStringList{"CREATE TABLE \"begin\" (x);", "SELECT 1;"};
}

void TestMigrationRunner::splitStatements()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, expected);
    QCOMPARE(MigrationRunner::splitStatements(sql), expected);
}

void TestMigrationRunner::schemaHasEveryColumn_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");

    // A record's columns are those its table reads and writes; the database
    // holds them in the order the scripts added them.
    const auto add = [](const auto &table) {
        QStringList names = RecordColumns::names(table);
        names.sort();
        QTest::newRow(table.name) << QString::fromLatin1(table.name) << names;
    };
    add(ColumnTables::accounts);
    add(ColumnTables::categories);
    add(ColumnTables::transactions);
    add(ColumnTables::splitLines);
    add(ColumnTables::recurring);
    add(ColumnTables::reconciliations);
    QTest::newRow("preferences") << "preferences" << QStringList{"key", "value"};
    QTest::newRow("transactions_fts") << "transactions_fts" << QStringList{"check_number", "memo", "payee"};
}

void TestMigrationRunner::schemaHasEveryColumn()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    TestDatabase fixture;
    QVERIFY(fixture.isValid());
    QStringList found = columnsOf(table);
    found.sort();
    QCOMPARE(found, columns);
}

void TestMigrationRunner::foreignKeysAsDesigned_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("keys");

    QTest::newRow("accounts") << "accounts" << QStringList{};
    QTest::newRow("categories") << "categories" << QStringList{"parent_id>categories.id"};
    QTest::newRow("transactions") << "transactions"
                                  << QStringList{"account_id>accounts.id", "category_id>categories.id"};
    QTest::newRow("split_lines") << "split_lines" << QStringList{"transaction_id>transactions.id"};
    QTest::newRow("recurring_transactions") << "recurring_transactions" << QStringList{};
    QTest::newRow("reconciliations") << "reconciliations" << QStringList{"account_id>accounts.id"};
}

void TestMigrationRunner::foreignKeysAsDesigned()
{
    QFETCH(QString, table);
    QFETCH(QStringList, keys);
    TestDatabase fixture;
    QVERIFY(fixture.isValid());
    QStringList found;
    QSqlQuery query;
    query.prepare(
        QStringLiteral("SELECT \"from\", \"table\", \"to\", on_delete FROM pragma_foreign_key_list(?)"));
    query.addBindValue(table);
    QVERIFY(query.exec());
    while (query.next()) {
        found.append(query.value(0).toString() + QLatin1Char('>') + query.value(1).toString() +
                     QLatin1Char('.') + query.value(2).toString());
        QCOMPARE(query.value(3).toString(), QStringLiteral("NO ACTION"));
    }
    found.sort();
    keys.sort();
    QCOMPARE(found, keys);
}

void TestMigrationRunner::migratingTwiceChangesNothing()
{
    TestDatabase fixture;
    QVERIFY(fixture.isValid());
    insertAccountAndTransaction(QStringLiteral("Grocer"), QStringLiteral(""));
    MigrationRunner runner(fixture.database());
    QVERIFY(runner.migrate());
    QCOMPARE(runner.schemaVersion(), MigrationRunner::builtInScripts().last().version);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM transactions_fts")).toInt(), 1);
}

void TestMigrationRunner::scheduleColumnsGetDefaults()
{
    TestDatabase fixture;
    QVERIFY(fixture.isValid());
    QSqlQuery query;
    QVERIFY(
        query.exec(QStringLiteral("INSERT INTO recurring_transactions (id, account_id) VALUES ('r', 'a')")));
    QVERIFY(
        query.exec(QStringLiteral("SELECT lead_days, interval_count, semimonthly_day_1, semimonthly_day_2, "
                                  "is_active, frequency, version, sync_status FROM recurring_transactions")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 0);
    QCOMPARE(query.value(1).toInt(), 1);
    QCOMPARE(query.value(2).toInt(), 1);
    QCOMPARE(query.value(3).toInt(), 15);
    QCOMPARE(query.value(4).toInt(), 1);
    QCOMPARE(query.value(5).toString(), QStringLiteral("monthly"));
    QCOMPARE(query.value(6).toInt(), 1);
    QCOMPARE(query.value(7).toString(), QStringLiteral("pending"));
}

void TestMigrationRunner::scriptWithTriggersRunsWhole()
{
    TestDatabase fixture(false);
    QVERIFY(fixture.isValid());
    MigrationRunner runner(fixture.database());
    const QString sql = QStringLiteral(
        "CREATE TABLE items (id INTEGER PRIMARY KEY, name TEXT);\n"
        "CREATE TABLE log (note TEXT);\n"
        "-- two statements in one body; the second must run too\n"
        "CREATE TRIGGER items_logged AFTER INSERT ON items\n"
        "BEGIN\n"
        "    INSERT INTO log (note) VALUES ('first; ' || new.name);\n"
        "    INSERT INTO log (note) VALUES (CASE WHEN new.id > 1 THEN 'later' ELSE 'one' END);\n"
        "END;\n"
        "INSERT INTO items (name) VALUES ('a');\n");
    QVERIFY(runner.migrate({{7, QStringLiteral("007_items.sql"), sql}}));
    QCOMPARE(runner.schemaVersion(), 7);
    QCOMPARE(scalar(QStringLiteral("SELECT group_concat(note, '|') FROM log")).toString(),
             QStringLiteral("first; a|one"));
}

void TestMigrationRunner::failingScriptLeavesFileUnchanged()
{
    TestDatabase fixture;
    QVERIFY(fixture.isValid());
    insertAccountAndTransaction(QStringLiteral("Grocer"), QStringLiteral("weekly"));
    fixture.close();
    const QByteArray before = fileBytes(fixture.filePath());
    QVERIFY(!before.isEmpty());

    QVERIFY(fixture.reopen());
    {
        MigrationRunner runner(fixture.database());
        const QString sql = QStringLiteral("CREATE TABLE extra (x INTEGER);\n"
                                           "INSERT INTO extra VALUES (1);\n"
                                           "UPDATE transactions SET payee = 'changed';\n"
                                           "INSERT INTO no_such_table VALUES (1);\n");
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^MigrationRunner::migrate failed")));
        const int latest = MigrationRunner::builtInScripts().last().version;
        QVERIFY(!runner.migrate(MigrationRunner::builtInScripts()
                                << MigrationRunner::Script{latest + 1, "bad.sql", sql}));
        QVERIFY(runner.lastError().contains(QStringLiteral("no_such_table")));
        QCOMPARE(runner.schemaVersion(), latest);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'extra'")).toInt(),
                 0);
        QCOMPARE(scalar(QStringLiteral("SELECT payee FROM transactions")).toString(),
                 QStringLiteral("Grocer"));
    }
    fixture.close();
    QCOMPARE(fileBytes(fixture.filePath()), before);
}

void TestMigrationRunner::failureStopsAfterLastGoodScript()
{
    TestDatabase fixture(false);
    QVERIFY(fixture.isValid());
    MigrationRunner runner(fixture.database());
    const QList<MigrationRunner::Script> scripts{
        {2, "002_b.sql", "CREATE TABLE b (x); CREATE TABLE b (x);"},
        {1, "001_a.sql", "CREATE TABLE a (x);"},
        {3, "003_c.sql", "CREATE TABLE c (x);"},
    };
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^MigrationRunner::migrate failed")));
    QVERIFY(!runner.migrate(scripts));
    QCOMPARE(runner.schemaVersion(), 1);
    QCOMPARE(scalar(QStringLiteral("SELECT group_concat(name) FROM sqlite_master")).toString(),
             QStringLiteral("a"));
}

void TestMigrationRunner::fullTextBackFillsExistingRows()
{
    TestDatabase fixture(false);
    QVERIFY(fixture.isValid());
    const QList<MigrationRunner::Script> all = MigrationRunner::builtInScripts();
    MigrationRunner runner(fixture.database());
    QVERIFY(runner.migrate(all.mid(0, 2)));
    QCOMPARE(runner.schemaVersion(), 2);
    insertAccountAndTransaction(QStringLiteral("Corner Grocer"), QStringLiteral("milk"));
    insertAccountAndTransaction(QStringLiteral("Power Company"), QStringLiteral(""));
    QVERIFY(runner.migrate(all));
    QCOMPARE(runner.schemaVersion(), all.last().version);
    QCOMPARE(ftsCount(QStringLiteral("\"groc\"*")), 1);
    QCOMPARE(ftsCount(QStringLiteral("\"milk\"")), 1);
    QCOMPARE(ftsCount(QStringLiteral("\"company\"")), 1);
}

void TestMigrationRunner::fullTextFollowsEdits()
{
    TestDatabase fixture;
    QVERIFY(fixture.isValid());
    insertAccountAndTransaction(QStringLiteral("Corner Grocer"), QStringLiteral("milk"));
    QCOMPARE(ftsCount(QStringLiteral("\"grocer\"")), 1);

    QSqlQuery query;
    QVERIFY(query.exec(QStringLiteral("UPDATE transactions SET payee = 'Bakery', check_number = '1042'")));
    QCOMPARE(ftsCount(QStringLiteral("\"grocer\"")), 0);
    QCOMPARE(ftsCount(QStringLiteral("\"bakery\"")), 1);
    QCOMPARE(ftsCount(QStringLiteral("\"1042\"")), 1);
    QCOMPARE(ftsCount(QStringLiteral("\"milk\"")), 1);

    // A change outside the indexed fields leaves exactly one entry.
    QVERIFY(query.exec(QStringLiteral("UPDATE transactions SET cleared = 1")));
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM transactions_fts")).toInt(), 1);

    QVERIFY(query.exec(QStringLiteral("DELETE FROM transactions")));
    QCOMPARE(ftsCount(QStringLiteral("\"bakery\"")), 0);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM transactions_fts")).toInt(), 0);
}

QTEST_GUILESS_MAIN(TestMigrationRunner)
#include "TestMigrationRunner.moc"
