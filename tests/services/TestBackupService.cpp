#include "AccountRepository.h"
#include "BackupService.h"
#include "CategoryRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SplitLineRepository.h"
#include "SqliteRows.h"
#include "TestDatabase.h"
#include "TestRecords.h"
#include "TransactionRepository.h"
#include "ZipReader.h"
#include "ZipWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace TestRecords;

namespace {

const QStringList kTables{
    "accounts", "categories", "transactions", "split_lines", "recurring_transactions", "reconciliations"};

// Every row of the six tables, every column, as text: what a restore must
// give back exactly.
QStringList dump()
{
    QStringList rows;
    for (const QString &table : kTables) {
        QSqlQuery query;
        query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY id").arg(table));
        while (query.next()) {
            QStringList values{table};
            for (int i = 0; i < query.record().count(); ++i)
                values << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
            rows << values.join(QLatin1Char('|'));
        }
    }
    return rows;
}

int count(const QString &table)
{
    return TestDatabase::scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt();
}

int ftsMatches(const QString &term)
{
    return TestDatabase::scalar(
               QStringLiteral(
                   "SELECT COUNT(*) FROM transactions t JOIN transactions_fts f ON f.rowid = t.rowid "
                   "WHERE transactions_fts MATCH ?"),
               {term})
        .toInt();
}

QByteArray json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray archiveOf(const QList<std::pair<QString, QByteArray>> &files)
{
    ZipWriter writer;
    for (const auto &[name, data] : files)
        writer.addFile(name, data);
    return writer.finish();
}

const std::pair<QString, QByteArray> kManifest{QStringLiteral("manifest.json"), "{\"version\":1}"};

std::pair<QString, QByteArray> accountFile(const QString &id, const QString &name)
{
    return {QStringLiteral("accounts/%1.json").arg(id),
            json({{"id", id}, {"name", name}, {"created_at", "2024-03-01T12:00:00Z"}})};
}

} // namespace

class TestBackupService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void roundTripIntoEmptyDatabase_data();
    void roundTripIntoEmptyDatabase();
    void existingRows_data();
    void existingRows();
    void unusableArchiveWritesNothing_data();
    void unusableArchiveWritesNothing();
    void hostileRows();
    void childrenBeforeParentsInTheArchive();
    void failedRowIsReportedAndOthersStay_data();
    void failedRowIsReportedAndOthersStay();
    void rowThatEndsTheTransactionStopsTheRestore_data();
    void rowThatEndsTheTransactionStopsTheRestore();
    void oversizedEntryAndTooManyEntries();
    void moreEntriesThanAMillionRestore();
    void restoresArchivesOtherToolsWrote_data();
    void restoresArchivesOtherToolsWrote();
    void cancelledExportAndRestoreLeaveFilesAsTheyWere();

private:
    void fillBook();

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<BackupService> m_backup;
};

void TestBackupService::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_backup = std::make_unique<BackupService>(m_db->database());
}

void TestBackupService::cleanup()
{
    m_backup.reset();
    m_db.reset();
    SqliteRows::setDirectReadsAllowed(true);
}

// A small book using every table and the awkward values: a subcategory, a
// split transaction, a transfer, a deleted account, NULL references, a
// recurring record with an end date, and an id that is not a plain file name.
void TestBackupService::fillBook()
{
    Database *db = m_db->database();
    AccountRepository accounts(db);
    CategoryRepository categories(db);
    TransactionRepository transactions(db);
    SplitLineRepository splits(db);
    RecurringRepository recurringRepo(db);
    ReconciliationRepository reconciliations(db);

    QVERIFY(accounts.insert(account(QStringLiteral("a1"), QStringLiteral("Checking"), 150000)));
    Account savings = account(QStringLiteral("a/2 ../x"), QStringLiteral("Savings"));
    savings.currency = Currency::JPY;
    savings.serverId = QStringLiteral("srv-a2");
    QVERIFY(accounts.insert(savings));
    QVERIFY(accounts.insert(account(QStringLiteral("a3"), QStringLiteral("Old"))));
    QVERIFY(accounts.softDelete(QStringLiteral("a3"), stamp(5)));

    // The child's id sorts before its parent's.
    QVERIFY(categories.insert(category(QStringLiteral("z-food"), QStringLiteral("Food"))));
    QVERIFY(categories.insert(
        category(QStringLiteral("b-groceries"), QStringLiteral("Groceries"), QStringLiteral("z-food"))));

    Transaction split = transaction(QStringLiteral("t1"), QStringLiteral("a1"), QDate(2024, 3, 2), -12345,
                                    QStringLiteral("Grocer Ltd"));
    split.isSplit = true;
    split.memo = QStringLiteral("weekly \"shop\" — ünïcode");
    split.checkNumber = QStringLiteral("1001");
    split.cleared = true;
    QVERIFY(transactions.insert(split));
    QVERIFY(splits.insert(
        splitLine(QStringLiteral("s1"), QStringLiteral("t1"), -10000, QStringLiteral("b-groceries"))));
    QVERIFY(splits.insert(splitLine(QStringLiteral("s2"), QStringLiteral("t1"), -2345)));

    Transaction out = transaction(QStringLiteral("t2"), QStringLiteral("a1"), QDate(2024, 3, 3), -5000,
                                  QStringLiteral("Transfer"));
    out.transferLinkId = QStringLiteral("t3");
    out.transferDestAccountId = QStringLiteral("a/2 ../x");
    out.categoryId = QStringLiteral("z-food");
    Transaction in = transaction(QStringLiteral("t3"), QStringLiteral("a/2 ../x"), QDate(2024, 3, 3), 5000,
                                 QStringLiteral("Transfer"));
    in.transferLinkId = QStringLiteral("t2");
    in.transferDestAccountId = QStringLiteral("a1");
    in.amount = 9007199254740993LL; // above 2^53: must not pass through a double
    QVERIFY(transactions.insert(out));
    QVERIFY(transactions.insert(in));

    RecurringTransaction rent = recurring(QStringLiteral("r1"), QStringLiteral("a1"), QDate(2024, 4, 1));
    rent.endDate = QDate(2025, 1, 1);
    rent.frequency = Frequency::Semimonthly;
    rent.semimonthlyDay2 = 0;
    rent.leadDays = 3;
    QVERIFY(recurringRepo.insert(rent));
    QVERIFY(reconciliations.insert(
        reconciliation(QStringLiteral("rc1"), QStringLiteral("a1"), QDate(2024, 3, 31))));
}

void TestBackupService::roundTripIntoEmptyDatabase_data()
{
    QTest::addColumn<int>("modeValue");
    QTest::addColumn<bool>("direct");
    QTest::newRow("skip existing") << int(RestoreMode::SkipExisting) << true;
    QTest::newRow("replace all") << int(RestoreMode::Overwrite) << true;
    QTest::newRow("keep newer") << int(RestoreMode::KeepNewer) << true;
    // Where the driver has its own SQLite, rows go through QSqlQuery.
    QTest::newRow("keep newer, through QSqlQuery") << int(RestoreMode::KeepNewer) << false;
}

void TestBackupService::roundTripIntoEmptyDatabase()
{
    QFETCH(int, modeValue);
    QFETCH(bool, direct);
    SqliteRows::setDirectReadsAllowed(direct);
    const auto mode = RestoreMode(modeValue);
    fillBook();
    const QStringList before = dump();
    const QByteArray archive = m_backup->createBackup();
    QVERIFY(!archive.isEmpty());

    m_backup.reset();
    m_db.reset();
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_backup = std::make_unique<BackupService>(m_db->database());
    QCOMPARE(count(QStringLiteral("accounts")), 0);

    const RestoreResult result = m_backup->restoreBackup(archive, mode);
    QCOMPARE(result.errors, QStringList());
    QCOMPARE(result.accountsRestored, 3);
    QCOMPARE(result.categoriesRestored, 2);
    QCOMPARE(result.transactionsRestored, 3);
    QCOMPARE(result.splitLinesRestored, 2);
    QCOMPARE(result.recurringRestored, 1);
    QCOMPARE(result.reconciliationsRestored, 1);
    QCOMPARE(result.totalSkipped(), 0);
    QCOMPARE(dump(), before);
    QCOMPARE(ftsMatches(QStringLiteral("grocer*")), 1);
    QCOMPARE(ftsMatches(QStringLiteral("1001")), 1);
    // Each row says what a QJsonDocument of it says, byte for byte.
    QBuffer buffer;
    buffer.setData(archive);
    buffer.open(QIODevice::ReadOnly);
    const ZipReader reader(&buffer, 100);
    QStringList differing;
    QVERIFY(reader.forEachEntry([&reader, &differing](const ZipReader::Entry &entry) {
        const QByteArray row = reader.read(entry, 1 << 20).value_or(QByteArray());
        if (entry.name != QLatin1String("manifest.json") &&
            QJsonDocument::fromJson(row).toJson(QJsonDocument::Compact) != row)
            differing << entry.name;
        return true;
    }));
    QCOMPARE(differing, QStringList());
}

void TestBackupService::existingRows_data()
{
    QTest::addColumn<int>("modeValue");
    QTest::addColumn<QString>("localUpdatedAt");
    QTest::addColumn<bool>("archiveWins");

    // The archive's t1 was updated at 2024-03-01T12:00:00Z.
    QTest::newRow("skip keeps local") << int(RestoreMode::SkipExisting) << "2020-01-01T00:00:00Z" << false;
    QTest::newRow("replace overwrites newer local")
        << int(RestoreMode::Overwrite) << "2030-01-01T00:00:00Z" << true;
    QTest::newRow("keep newer: archive newer")
        << int(RestoreMode::KeepNewer) << "2024-02-29T23:59:59Z" << true;
    QTest::newRow("keep newer: archive older")
        << int(RestoreMode::KeepNewer) << "2024-03-01T12:00:01Z" << false;
    QTest::newRow("keep newer: same time") << int(RestoreMode::KeepNewer) << "2024-03-01T12:00:00Z" << false;
    // Compared as date-times, not as text (where ' ' sorts before 'T').
    QTest::newRow("keep newer: local an hour newer, other form")
        << int(RestoreMode::KeepNewer) << "2024-03-01 13:00:00" << false;
    QTest::newRow("keep newer: local an hour older, other form")
        << int(RestoreMode::KeepNewer) << "2024-03-01 11:00:00.000" << true;
    QTest::newRow("keep newer: unreadable local stamp, as text")
        << int(RestoreMode::KeepNewer) << "not a time" << false;
}

void TestBackupService::existingRows()
{
    QFETCH(int, modeValue);
    const auto mode = RestoreMode(modeValue);
    QFETCH(QString, localUpdatedAt);
    QFETCH(bool, archiveWins);
    fillBook();
    const QByteArray archive = m_backup->createBackup();

    QVERIFY(
        TestDatabase::exec(QStringLiteral("UPDATE transactions SET payee = 'Local Bakery', updated_at = ? "
                                          "WHERE id = 't1'"),
                           {localUpdatedAt}));
    // A row made after the backup stays whatever the mode.
    QVERIFY(TestDatabase::exec(QStringLiteral("INSERT INTO accounts (id, name) VALUES ('local', 'Local')")));

    const RestoreResult result = m_backup->restoreBackup(archive, mode);
    QCOMPARE(result.errors, QStringList());
    const QString payee =
        TestDatabase::scalar(QStringLiteral("SELECT payee FROM transactions WHERE id = 't1'")).toString();
    QCOMPARE(payee, archiveWins ? QStringLiteral("Grocer Ltd") : QStringLiteral("Local Bakery"));
    // The search index follows the row: no stale entry for the text that went.
    QCOMPARE(ftsMatches(QStringLiteral("bakery")), archiveWins ? 0 : 1);
    QCOMPARE(ftsMatches(QStringLiteral("grocer")), archiveWins ? 1 : 0);
    QCOMPARE(count(QStringLiteral("transactions_fts")), 3);
    QCOMPARE(count(QStringLiteral("split_lines")), 2);
    QCOMPARE(count(QStringLiteral("accounts")), 4);
    QCOMPARE(result.transactionsSkipped + result.transactionsRestored, 3);
    if (mode == RestoreMode::SkipExisting)
        QCOMPARE(result.totalRestored(), 0);
    if (mode == RestoreMode::Overwrite)
        QCOMPARE(result.totalSkipped(), 0);
}

void TestBackupService::unusableArchiveWritesNothing_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QString>("error");
    const auto row = accountFile(QStringLiteral("a1"), QStringLiteral("A"));
    QTest::newRow("not a zip") << QByteArray("PK but not really") << "Failed to open ZIP archive";
    QTest::newRow("no manifest") << archiveOf({row}) << "Invalid backup: missing manifest.json";
    QTest::newRow("version 2") << archiveOf({{"manifest.json", "{\"version\":2}"}, row})
                               << "Unsupported backup version: 2";
    QTest::newRow("version as text") << archiveOf({{"manifest.json", "{\"version\":\"1\"}"}, row})
                                     << "Unsupported backup version: 1";
    QTest::newRow("manifest not JSON")
        << archiveOf({{"manifest.json", "version=1"}, row}) << "manifest.json: invalid JSON";
    QTest::newRow("manifest in a folder") << archiveOf({{"x/manifest.json", "{\"version\":1}"}, row})
                                          << "Invalid backup: missing manifest.json";
}

void TestBackupService::unusableArchiveWritesNothing()
{
    QFETCH(QByteArray, archive);
    QFETCH(QString, error);
    const RestoreResult result = m_backup->restoreBackup(archive, RestoreMode::Overwrite);
    QCOMPARE(result.errors, QStringList{error});
    QCOMPARE(result.totalRestored(), 0);
    QCOMPARE(count(QStringLiteral("accounts")), 0);
}

void TestBackupService::hostileRows()
{
    const QByteArray archive = archiveOf({
        kManifest,
        // A key shaped like SQL is not a column: ignored.
        {"accounts/k.json",
         json({{"id", "k"}, {"name", "Keys"}, {"name) VALUES ('x'); DROP TABLE accounts; --", 1}})},
        // A value shaped like SQL is only a value.
        {"accounts/v.json", json({{"id", "v'); DELETE FROM accounts; --"}, {"name", "'; DROP TABLE x; --"}})},
        {"accounts/noid.json", json({{"name", "No id"}})},
        {"accounts/emptyid.json", json({{"id", ""}})},
        {"accounts/numberid.json", json({{"id", 7}})},
        {"accounts/array.json", "[\"id\", \"a\"]"},
        {"accounts/broken.json", "{\"id\": \"b\""},
        // Neither a row nor the manifest: not restored, but said.
        {"/accounts/abs.json", json({{"id", "abs"}})},
        {"notes/readme.txt", "hello"},
        // Mistyped values take the column's default rather than failing.
        {"accounts/typed.json",
         json({{"id", "typed"}, {"starting_balance", "lots"}, {"currency", QJsonValue()}})},
        // The second row would take the balance past 64 bits: refused alone.
        {"accounts/big.json", "{\"id\": \"big\", \"starting_balance\": 999999999999}"},
        {"transactions/t1.json", "{\"id\": \"t1\", \"account_id\": \"big\", \"date\": \"2026-01-01\", "
                                 "\"amount\": 9223371036854775500}"},
        {"transactions/t2.json",
         json({{"id", "t2"}, {"account_id", "big"}, {"date", "2026-01-02"}, {"amount", 500}})},
    });
    const RestoreResult result = m_backup->restoreBackup(archive, RestoreMode::Overwrite);
    QCOMPARE(result.errors,
             (QStringList{
                 "/accounts/abs.json: not a row of the backup, skipped",
                 "notes/readme.txt: not a row of the backup, skipped",
                 "accounts/noid.json: the field \"id\" is missing, empty or not text, skipped",
                 "accounts/emptyid.json: the field \"id\" is missing, empty or not text, skipped",
                 "accounts/numberid.json: the field \"id\" is missing, empty or not text, skipped",
                 "accounts/array.json: invalid JSON", "accounts/broken.json: invalid JSON",
                 "transactions/t2.json: the amounts of its account would be too large to add up, skipped"}));
    QCOMPARE(result.accountsRestored, 4);
    QCOMPARE(count(QStringLiteral("accounts")), 4);
    QCOMPARE(count(QStringLiteral("transactions")), 1);
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT name FROM accounts WHERE id = ?"),
                                  {QStringLiteral("v'); DELETE FROM accounts; --")})
                 .toString(),
             QStringLiteral("'; DROP TABLE x; --"));
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT currency || starting_balance FROM accounts "
                                                 "WHERE id = 'typed'"))
                 .toString(),
             QStringLiteral("USD0"));
}

void TestBackupService::childrenBeforeParentsInTheArchive()
{
    // Rows listed before what they refer to are written whole, each with all
    // of its columns: a split line and its transaction before the account, and
    // a long category chain children first. Two categories that are each
    // other's parent fail alone.
    QList<std::pair<QString, QByteArray>> files{
        {"split_lines/s1.json",
         json({{"id", "s1"}, {"transaction_id", "t1"}, {"category_id", "c199"}, {"amount", -5}})},
        {"transactions/t1.json",
         json({{"id", "t1"}, {"account_id", "a1"}, {"category_id", "c199"}, {"amount", -5}})},
    };
    for (int i = 199; i >= 0; --i) {
        files.append({QStringLiteral("categories/c%1.json").arg(i),
                      json({{"id", QStringLiteral("c%1").arg(i)},
                            {"name", QStringLiteral("Link %1").arg(i)},
                            {"parent_id", i > 0 ? QStringLiteral("c%1").arg(i - 1) : QString()}})});
    }
    files.append({"categories/x.json", json({{"id", "x"}, {"name", "X"}, {"parent_id", "y"}})});
    files.append({"categories/y.json", json({{"id", "y"}, {"name", "Y"}, {"parent_id", "x"}})});
    files.append(accountFile(QStringLiteral("a1"), QStringLiteral("A")));
    files.append(kManifest);
    const RestoreResult result = m_backup->restoreBackup(archiveOf(files), RestoreMode::SkipExisting);
    QCOMPARE(result.categoriesRestored, 200);
    QCOMPARE(result.transactionsRestored, 1);
    QCOMPARE(result.splitLinesRestored, 1);
    QCOMPARE(result.errors.size(), 2);
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT name FROM categories WHERE id = 'c199'")).toString(),
             QStringLiteral("Link 199"));
    QCOMPARE(
        TestDatabase::scalar(QStringLiteral("SELECT parent_id FROM categories WHERE id = 'c199'")).toString(),
        QStringLiteral("c198"));
    QVERIFY(TestDatabase::scalar(QStringLiteral("SELECT parent_id IS NULL FROM categories WHERE id = 'c0'"))
                .toBool());
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT COUNT(*) FROM categories WHERE id IN ('x', 'y')"))
                 .toInt(),
             0);
}

void TestBackupService::failedRowIsReportedAndOthersStay_data()
{
    QTest::addColumn<bool>("direct");
    QTest::addColumn<QByteArray>("row"); // refused; the stored account "big" is near the 64-bit limit
    QTest::addColumn<QString>("error");  // how it is told, starting with the file's name
    const QByteArray orphan = json({{"id", "orphan"}, {"account_id", "missing"}, {"amount", 1}});
    QTest::newRow("through SQLite") << true << orphan << "transactions/orphan.json: could not be written";
    QTest::newRow("through QSqlQuery") << false << orphan << "transactions/orphan.json: could not be written";
    QTest::newRow("starting balance past 64 bits")
        << true << json({{"id", "big"}, {"starting_balance", 20000}})
        << "accounts/big.json: the amounts of its account would be too large to add up, skipped";
    QTest::newRow("starting balance past the account form's bound")
        << true << json({{"id", "big"}, {"starting_balance", qint64(-1'000'000'000'000)}})
        << "accounts/big.json: the field \"starting_balance\" is out of range, skipped";
}

void TestBackupService::failedRowIsReportedAndOthersStay()
{
    QFETCH(bool, direct);
    QFETCH(QByteArray, row);
    QFETCH(QString, error);
    SqliteRows::setDirectReadsAllowed(direct);
    QVERIFY(TestDatabase::exec(QStringLiteral("INSERT INTO accounts (id, name) VALUES ('big', 'Big')")));
    QVERIFY(TestDatabase::exec(QStringLiteral("INSERT INTO transactions (id, account_id, amount) VALUES "
                                              "('huge', 'big', 9223372036854765807)")));
    const QByteArray archive = archiveOf({
        kManifest,
        accountFile(QStringLiteral("a1"), QStringLiteral("A")),
        {error.section(QLatin1Char(':'), 0, 0), row},
        {"transactions/ok.json",
         json({{"id", "ok"}, {"account_id", "a1"}, {"payee", "Kept"}, {"amount", 2}})},
    });
    const RestoreResult result = m_backup->restoreBackup(archive, RestoreMode::Overwrite);
    QCOMPARE(result.errors.size(), 1);
    QVERIFY2(result.errors.first().startsWith(error), qPrintable(result.errors.first()));
    QCOMPARE(result.transactionsRestored, 1);
    QCOMPARE(result.accountsRestored, 1);
    QCOMPARE(count(QStringLiteral("transactions")), 2);
    QCOMPARE(ftsMatches(QStringLiteral("kept")), 1);
    // The restore committed: a fresh connection sees the rows; "big" is as it was.
    m_backup.reset();
    m_db->close();
    QVERIFY(m_db->reopen());
    QCOMPARE(count(QStringLiteral("transactions")), 2);
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT starting_balance FROM accounts WHERE id = 'big'")),
             0);
}

void TestBackupService::rowThatEndsTheTransactionStopsTheRestore_data()
{
    failedRowIsReportedAndOthersStay_data();
}

void TestBackupService::rowThatEndsTheTransactionStopsTheRestore()
{
    // As a full disk would: the whole transaction is rolled back, and the
    // rows after it must not be committed one by one.
    QFETCH(bool, direct);
    SqliteRows::setDirectReadsAllowed(direct);
    QVERIFY(TestDatabase::exec(QStringLiteral("CREATE TEMP TRIGGER boom BEFORE INSERT ON accounts WHEN "
                                              "new.id = 'boom' BEGIN SELECT RAISE(ROLLBACK, 'boom'); END")));
    const QByteArray archive = archiveOf({kManifest, accountFile(QStringLiteral("a1"), QStringLiteral("A")),
                                          accountFile(QStringLiteral("boom"), QStringLiteral("B")),
                                          accountFile(QStringLiteral("later"), QStringLiteral("C"))});
    const RestoreResult result = m_backup->restoreBackup(archive, RestoreMode::Overwrite);
    QCOMPARE(result.totalRestored(), 0);
    QVERIFY(result.errors.last().startsWith(QLatin1String("The restore could not be saved")));
    QCOMPARE(count(QStringLiteral("accounts")), 0);
}

void TestBackupService::oversizedEntryAndTooManyEntries()
{
    const QByteArray archive = archiveOf({
        kManifest,
        accountFile(QStringLiteral("a1"), QStringLiteral("A")),
        accountFile(QStringLiteral("big"), QString(5000, QLatin1Char('x'))),
    });
    m_backup->setLimits(3, 1000);
    RestoreResult result = m_backup->restoreBackup(archive, RestoreMode::Overwrite);
    QCOMPARE(result.errors, QStringList{"accounts/big.json: entry too large"});
    QCOMPARE(result.accountsRestored, 1);

    m_backup->setLimits(2, 1000);
    result = m_backup->restoreBackup(archive, RestoreMode::Overwrite);
    QCOMPARE(result.errors, QStringList{"Too many entries in backup: 3"});
    QCOMPARE(result.totalRestored() + result.totalSkipped(), 0);
}

void TestBackupService::moreEntriesThanAMillionRestore()
{
    // Past the count an earlier version refused, in rows too small to cost much.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("large.zip")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    ZipWriter writer(&file, dir.path());
    QVERIFY(writer.addFile(kManifest.first, kManifest.second));
    const int rows = 1000001;
    for (int i = 0; i < rows; ++i)
        writer.addFile(QByteArray("accounts/") + QByteArray::number(i),
                       "{\"id\":\"" + QByteArray::number(i) + "\"}");
    QVERIFY(writer.close());
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    const RestoreResult result = m_backup->restoreBackup(&file, RestoreMode::SkipExisting);
    QCOMPARE(result.errors, QStringList());
    QCOMPARE(result.accountsRestored, rows);
    QCOMPARE(count(QStringLiteral("accounts")), rows);
}

void TestBackupService::restoresArchivesOtherToolsWrote_data()
{
    QTest::addColumn<QString>("archive");
    for (const char *name : {"infozip_with_folders.zip", "infozip_streamed.zip", "python_stored_deflated.zip",
                             "python_zip64_local.zip", "python_zip64_central.zip"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestBackupService::restoresArchivesOtherToolsWrote()
{
    QFETCH(QString, archive);
    QFile file(QFINDTESTDATA(QStringLiteral("../fixtures/zip/") + archive));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const RestoreResult result = m_backup->restoreBackup(&file, RestoreMode::SkipExisting);
    QCOMPARE(result.errors, QStringList());
    QCOMPARE(result.totalRestored(), 4);
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT payee || amount FROM transactions WHERE id = 'txn-0001'"))
                 .toString(),
             QStringLiteral("Café Lumière-4275"));
}

void TestBackupService::cancelledExportAndRestoreLeaveFilesAsTheyWere()
{
    fillBook();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("backup.zip"));
    const auto cancel = [](qint64, qint64) { return false; };
    QCOMPARE(m_backup->exportBackup(path, cancel), BackupService::ExportResult::Cancelled);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    QCOMPARE(m_backup->exportBackup(path), BackupService::ExportResult::Written);

    // Into an empty book; cancelled as the last row is written.
    m_backup.reset();
    m_db.reset();
    m_db = std::make_unique<TestDatabase>();
    m_db->close();
    QFile database(m_db->filePath());
    QVERIFY(database.open(QIODevice::ReadOnly));
    const QByteArray before = database.readAll();
    database.close();
    QVERIFY(m_db->reopen());
    QFile archive(path);
    QVERIFY(archive.open(QIODevice::ReadOnly));
    const RestoreResult result =
        BackupService(m_db->database()).restoreBackup(&archive, RestoreMode::Overwrite, cancel);
    QVERIFY(result.cancelled);
    QCOMPARE(result.totalRestored(), 0);
    m_db->close();
    QVERIFY(database.open(QIODevice::ReadOnly));
    QVERIFY(database.readAll() == before);
}

QTEST_GUILESS_MAIN(TestBackupService)
#include "TestBackupService.moc"
