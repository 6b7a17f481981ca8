// Exports a book of 100,000 and one of 1,000,000 transactions (20 accounts,
// the largest holding a fifth, with categories and split lines) to a backup
// file through BackupService and restores that file into an empty database,
// against the least work for the same archive on SQLite's C API and zlib
// (BackupFloor): writing the same entries with the same JSON and compression,
// and inserting the same rows with prepared statements in one transaction
// with the same triggers. Targets: export and restore within 1.5 times their
// floors, and the program's peak memory under 200 MB. Exits non-zero when a
// target is missed. Other sizes can be given as arguments.

#include "BackupFloor.h"
#include "BackupService.h"
#include "BenchCommon.h"
#include "Database.h"
#include "MigrationRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <malloc.h>

namespace {

constexpr double kTarget = 1.5;
constexpr double kMemoryTargetMB = 200;
constexpr int kAccounts = 20;
constexpr int kCategories = 40;

QString dbPath(const QString &directory)
{
    return QDir(directory).filePath(QLatin1String(Database::FileName));
}

bool migrated(const QString &directory)
{
    Database db(directory);
    return db.open() && MigrationRunner(&db).migrate();
}

bool seedAccountsAndCategories(Bench::Raw &db)
{
    for (int i = 0; i < kAccounts; ++i) {
        sqlite3_stmt *insert = db.statement(
            QStringLiteral("INSERT INTO accounts (id, name, starting_balance, sync_status, created_at, "
                           "updated_at) VALUES (?, ?, ?, 'synced', '2020-01-01T00:00:00Z', "
                           "'2020-01-01T00:00:00Z')"));
        Bench::bindText(insert, 1, QStringLiteral("acct-%1").arg(i, 2, 10, QLatin1Char('0')).toUtf8());
        Bench::bindText(insert, 2, QStringLiteral("Account %1").arg(i).toUtf8());
        sqlite3_bind_int64(insert, 3, 100000 * i);
        if (sqlite3_step(insert) != SQLITE_DONE)
            return false;
    }
    for (int i = 0; i < kCategories; ++i) {
        sqlite3_stmt *insert = db.statement(
            QStringLiteral("INSERT INTO categories (id, name, category_type, created_at, updated_at) VALUES "
                           "(?, ?, 'expense', '2020-01-01T00:00:00Z', '2020-01-01T00:00:00Z')"));
        Bench::bindText(insert, 1, QStringLiteral("cat-%1").arg(i, 2, 10, QLatin1Char('0')).toUtf8());
        Bench::bindText(insert, 2, QStringLiteral("Category %1").arg(i).toUtf8());
        if (sqlite3_step(insert) != SQLITE_DONE)
            return false;
    }
    return true;
}

// Every twentieth transaction is split in two lines.
bool seedTransaction(Bench::Raw &db, int i)
{
    sqlite3_stmt *insert = db.statement(QStringLiteral(
        "INSERT INTO transactions (id, account_id, date, payee, memo, amount, category_id, check_number, "
        "cleared, "
        "is_split, sync_status, created_at, updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'synced', "
        "'2021-03-04T05:06:07Z', '2021-03-04T05:06:07Z')"));
    const QByteArray id =
        QStringLiteral("00000000-0000-4000-8000-%1").arg(i, 12, 10, QLatin1Char('0')).toUtf8();
    const int account = i % 5 == 0 ? 0 : 1 + i % (kAccounts - 1);
    const qint64 amount = i % 10 == 0 ? 250000 : -qint64(i * 7919 % 25000);
    Bench::bindText(insert, 1, id);
    Bench::bindText(insert, 2, QStringLiteral("acct-%1").arg(account, 2, 10, QLatin1Char('0')).toUtf8());
    Bench::bindText(insert, 3, QDate(2015, 1, 1).addDays(i % 3650).toString(Qt::ISODate).toUtf8());
    Bench::bindText(insert, 4, QStringLiteral("Vendor %1").arg(i % 500).toUtf8());
    Bench::bindText(insert, 5, i % 3 == 0 ? QByteArray() : QStringLiteral("memo %1").arg(i % 7).toUtf8());
    sqlite3_bind_int64(insert, 6, amount);
    if (i % 10 != 0)
        Bench::bindText(insert, 7,
                        QStringLiteral("cat-%1").arg(i % kCategories, 2, 10, QLatin1Char('0')).toUtf8());
    Bench::bindText(insert, 8, i % 9 == 0 ? QByteArray::number(1000 + i) : QByteArray());
    sqlite3_bind_int(insert, 9, i % 3 == 0);
    sqlite3_bind_int(insert, 10, i % 20 == 0);
    if (sqlite3_step(insert) != SQLITE_DONE)
        return false;
    for (int line = 0; i % 20 == 0 && line < 2; ++line) {
        sqlite3_stmt *split = db.statement(QStringLiteral(
            "INSERT INTO split_lines (id, transaction_id, category_id, amount, memo, created_at, "
            "updated_at) VALUES (?, ?, ?, ?, 'part', '2021-03-04T05:06:07Z', '2021-03-04T05:06:07Z')"));
        Bench::bindText(split, 1, id + (line == 0 ? "-a" : "-b"));
        Bench::bindText(split, 2, id);
        Bench::bindText(split, 3, QByteArray("cat-0") + char('0' + line));
        sqlite3_bind_int64(split, 4, line == 0 ? amount / 2 : amount - amount / 2);
        if (sqlite3_step(split) != SQLITE_DONE)
            return false;
    }
    return true;
}

bool seed(const QString &directory, int transactions)
{
    if (!migrated(directory))
        return false;
    Bench::Raw db(dbPath(directory));
    bool ok = db.exec("BEGIN") && seedAccountsAndCategories(db);
    for (int i = 0; ok && i < transactions; ++i)
        ok = seedTransaction(db, i);
    return ok && db.exec("COMMIT");
}

// What a restore must give back: the rows of each table, the sums the
// triggers keep and the rows the search index holds.
qint64 databaseDigest(const QString &path)
{
    Bench::Raw db(path, SQLITE_OPEN_READONLY);
    sqlite3_stmt *digest = db.statement(QStringLiteral(
        "SELECT (SELECT COUNT(*) FROM accounts) + 7 * (SELECT COUNT(*) FROM categories) + 31 * (SELECT "
        "COUNT(*) "
        "FROM transactions) + 131 * (SELECT COUNT(*) FROM split_lines) + (SELECT TOTAL(amount) FROM "
        "transactions) + "
        "3 * (SELECT TOTAL(cleared) FROM account_totals) + 11 * (SELECT COUNT(*) FROM transactions_fts WHERE "
        "transactions_fts MATCH 'vendor')"));
    return digest && sqlite3_step(digest) == SQLITE_ROW ? sqlite3_column_int64(digest, 0) : -1;
}

// The peak memory from here on: what freed memory the process still holds
// goes back first, so that one side's peak is not the other's.
void resetPeak()
{
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Measures
{
    Bench::Pair exporting;
    Bench::Pair restoring;
    double peakMB = 0;
};

bool measure(int transactions, int rounds, Measures &measures)
{
    QTemporaryDir work;
    const QString source = work.filePath(QStringLiteral("source"));
    const QString empty = work.filePath(QStringLiteral("empty"));
    const QString archive = work.filePath(QStringLiteral("program.zip"));
    const QString floorArchive = work.filePath(QStringLiteral("floor.zip"));
    if (!QDir().mkpath(source) || !QDir().mkpath(empty) || !seed(source, transactions) || !migrated(empty))
        return false;
    qint64 peakKiB = 0;
    const auto progress = [](qint64, qint64) { return true; };

    measures.exporting = Bench::alternate(
        [&](qint64 *answer) {
            Database db(source);
            if (!db.open())
                return -1.0;
            resetPeak();
            const double ms = Bench::millisOf([&] {
                *answer = BackupService(&db).exportBackup(archive, progress) ==
                          BackupService::ExportResult::Written;
            });
            peakKiB = qMax(peakKiB, Bench::peakResidentKiB());
            *answer = *answer ? BackupFloor::entriesDigest(archive) : -1;
            return ms;
        },
        [&](qint64 *answer) {
            const double ms =
                Bench::millisOf([&] { *answer = BackupFloor::exportArchive(dbPath(source), floorArchive); });
            *answer = *answer ? BackupFloor::entriesDigest(floorArchive) : -2;
            return ms;
        },
        rounds);

    const auto target = [&](const QString &name) {
        const QString directory = work.filePath(name);
        QDir(directory).removeRecursively();
        QDir().mkpath(directory);
        QFile::copy(dbPath(empty), dbPath(directory));
        return directory;
    };
    measures.restoring = Bench::alternate(
        [&](qint64 *answer) {
            const QString directory = target(QStringLiteral("restored"));
            double ms = -1;
            {
                Database db(directory);
                QFile file(archive);
                if (!db.open() || !file.open(QIODevice::ReadOnly))
                    return -1.0;
                resetPeak();
                RestoreResult result;
                ms = Bench::millisOf(
                    [&] { result = BackupService(&db).restoreBackup(&file, RestoreMode(0), progress); });
                peakKiB = qMax(peakKiB, Bench::peakResidentKiB());
                if (!result.errors.isEmpty())
                    Bench::out() << "  restore error: " << result.errors.constFirst() << "\n";
            }
            *answer = databaseDigest(dbPath(directory));
            return ms;
        },
        [&](qint64 *answer) {
            const QString directory = target(QStringLiteral("floor"));
            const double ms =
                Bench::millisOf([&] { *answer = BackupFloor::restoreArchive(archive, dbPath(directory)); });
            *answer = *answer ? databaseDigest(dbPath(directory)) : -2;
            return ms;
        },
        rounds);
    measures.peakMB = peakKiB / 1024.0;
    Bench::out() << QStringLiteral("  archive %1 MB\n").arg(QFileInfo(archive).size() / 1048576.0, 0, 'f', 1);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (const QString &argument : app.arguments().mid(1))
        sizes << argument.toInt();
    if (sizes.isEmpty())
        sizes = {100000, 1000000};

    bool met = true;
    for (const int size : std::as_const(sizes)) {
        Bench::out() << QStringLiteral("backup of %1 transactions\n").arg(size);
        Bench::out().flush();
        Measures measures;
        if (!measure(size, size >= 1000000 ? 3 : 5, measures)) {
            Bench::out() << "  setup failed\n";
            return 1;
        }
        met = Bench::reportPair(QStringLiteral("export / floor"), measures.exporting, kTarget) && met;
        met = Bench::reportPair(QStringLiteral("restore / floor"), measures.restoring, kTarget) && met;
        met = Bench::report(QStringLiteral("peak memory of export and restore (MB)"), measures.peakMB,
                            kMemoryTargetMB) &&
              met;
    }
    return met ? 0 : 1;
}
