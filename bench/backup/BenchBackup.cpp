// Exports the benchmarks' book (BenchBook.h) of 100,000 and of 1,000,000
// transactions to a backup file through BackupService and restores that file
// into an empty database,
// against the least work for the same archive on SQLite's C API and zlib
// (BackupFloor): writing the same entries with the same JSON and compression,
// and inserting the same rows with prepared statements in one transaction
// with the same triggers. Targets: export and restore within 1.5 times their
// floors, and the program's peak memory under 200 MB. Exits non-zero when a
// target is missed. Other sizes can be given as arguments.

#include "BackupFloor.h"
#include "BackupService.h"
#include "BenchBook.h"
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

QString dbPath(const QString &directory)
{
    return QDir(directory).filePath(QLatin1String(Database::FileName));
}

bool migrated(const QString &directory)
{
    Database db(directory);
    return db.open() && MigrationRunner(&db).migrate();
}

// A copy of the kept book of `transactions` in `directory`.
bool seed(const QString &directory, int transactions)
{
    Bench::BookShape shape;
    shape.transactions = transactions;
    const QString kept = Bench::keptBook(QStringLiteral(TALLYFERN_BENCH_DATA_DIR), shape);
    return !kept.isEmpty() && QFile::copy(kept, dbPath(directory));
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
        "transactions_fts MATCH 'grocery')"));
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
