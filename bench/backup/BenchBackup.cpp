// Fills a database with 100,000 transactions, writes its backup archive and
// restores that archive into an empty database, against inserting the same
// rows with one prepared statement in one transaction. Prints the median
// times, the restore's ratio to the raw inserts and the peak memory.

#include "BackupService.h"
#include "BenchCommon.h"
#include "Database.h"
#include "MigrationRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kRounds = 3;

int countRows(Database &db)
{
    QSqlQuery query(db.database());
    return query.exec(QStringLiteral("SELECT COUNT(*) FROM transactions")) && query.next() ? query.value(0).toInt()
                                                                                          : -1;
}

bool exec(Database &db, const QString &sql)
{
    QSqlQuery query(db.database());
    if (query.exec(sql))
        return true;
    Bench::out() << "failed: " << query.lastError().text() << "\n";
    return false;
}

// The rows every side writes: one account and kRows transactions.
bool insertRows(Database &db)
{
    if (!exec(db, QStringLiteral("INSERT INTO accounts (id, name, created_at, updated_at) VALUES ('bench', "
                                 "'Bench', '2020-01-01T00:00:00Z', '2020-01-01T00:00:00Z')")))
        return false;
    QSqlDatabase connection = db.database();
    connection.transaction();
    QSqlQuery query(connection);
    query.prepare(QStringLiteral("INSERT INTO transactions (id, account_id, date, payee, memo, amount, "
                                 "check_number, created_at, updated_at) VALUES (?, 'bench', ?, ?, ?, ?, ?, "
                                 "'2020-01-01T00:00:00Z', '2020-01-01T00:00:00Z')"));
    const QDate first(2015, 1, 1);
    for (int i = 0; i < kRows; ++i) {
        query.addBindValue(QStringLiteral("00000000-0000-4000-8000-%1").arg(i, 12, 10, QLatin1Char('0')));
        query.addBindValue(first.addDays(i % 3650).toString(Qt::ISODate));
        query.addBindValue(QStringLiteral("Vendor %1").arg(i % 500));
        query.addBindValue(QStringLiteral("memo %1").arg(i % 7));
        query.addBindValue(qint64(-(i * 7919 % 250000)));
        query.addBindValue(i % 9 == 0 ? QString::number(1000 + i) : QStringLiteral(""));
        if (!query.exec()) {
            Bench::out() << "insert failed: " << query.lastError().text() << "\n";
            return false;
        }
    }
    return connection.commit();
}

bool freshDatabase(Database &db)
{
    return db.open() && MigrationRunner(&db).migrate();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    QByteArray archive;
    std::vector<double> exportMs, restoreMs, rawMs;
    for (int round = 0; round < kRounds; ++round) {
        // Alternate which side goes first, so neither always meets a warm cache.
        const auto rawRound = [&]() {
            QTemporaryDir dir;
            Database db(dir.path());
            if (!freshDatabase(db))
                return false;
            QElapsedTimer timer;
            timer.start();
            const bool ok = insertRows(db);
            rawMs.push_back(Bench::millisSince(timer));
            return ok && countRows(db) == kRows;
        };
        const auto backupRound = [&]() {
            QTemporaryDir source;
            Database from(source.path());
            if (!freshDatabase(from) || !insertRows(from))
                return false;
            QElapsedTimer timer;
            timer.start();
            archive = BackupService(&from).createBackup();
            exportMs.push_back(Bench::millisSince(timer));
            from.close();

            QTemporaryDir target;
            Database to(target.path());
            if (archive.isEmpty() || !freshDatabase(to))
                return false;
            timer.restart();
            const RestoreResult result = BackupService(&to).restoreBackup(archive, RestoreMode(0));
            restoreMs.push_back(Bench::millisSince(timer));
            if (!result.errors.isEmpty())
                Bench::out() << "restore errors: " << result.errors.constFirst() << "\n";
            return result.errors.isEmpty() && countRows(to) == kRows;
        };
        const bool ok = round % 2 == 0 ? rawRound() && backupRound() : backupRound() && rawRound();
        if (!ok) {
            Bench::out() << "round " << round << " failed\n";
            return 1;
        }
    }
    const double raw = Bench::median(rawMs);
    const double restore = Bench::median(restoreMs);
    Bench::out() << QStringLiteral("backup of %1 transactions  export %2 ms (%3 MB archive)  restore %4 ms  "
                            "raw inserts %5 ms  restore/raw %6\n")
                 .arg(kRows)
                 .arg(Bench::median(exportMs), 0, 'f', 1)
                 .arg(archive.size() / 1048576.0, 0, 'f', 1)
                 .arg(restore, 0, 'f', 1)
                 .arg(raw, 0, 'f', 1)
                 .arg(restore / raw, 0, 'f', 2);
    Bench::out() << QStringLiteral("peak memory %1 MB\n").arg(Bench::peakResidentKiB() / 1024.0, 0, 'f', 1);
    Bench::out().flush();
    return 0;
}
