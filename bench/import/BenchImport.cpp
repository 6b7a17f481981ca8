// Imports a 100,000-row CSV file into a fresh database through the import
// service (read, preview, write) and inserts the same rows with raw prepared
// statements in one transaction into another fresh database, alternating the
// two, and prints the median times, their ratio and the peak memory.

#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "BenchCommon.h"
#include "Database.h"
#include "ImportService.h"
#include "MigrationRunner.h"
#include "SplitLineRepository.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <algorithm>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kRounds = 3;
constexpr double kTarget = 2.0;
const QString AccountId = QStringLiteral("bench-account");

QByteArray makeCsv()
{
    QByteArray csv = "Date,Payee,Amount,Memo,Num\n";
    csv.reserve(kRows * 48);
    const QDate first(2015, 1, 1);
    quint32 seed = 4711;
    for (int i = 0; i < kRows; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const QDate date = first.addDays(i % 3650);
        const qint64 cents = -qint64(seed % 250000) + (i % 10 == 0 ? 300000 : 0);
        csv += date.toString(QStringLiteral("M/d/yyyy")).toLatin1() + ",\"Vendor " + QByteArray::number(seed % 500) +
               ", Inc\"," + QByteArray::number(cents / 100.0, 'f', 2) + ",memo " + QByteArray::number(i % 7) + "," +
               (i % 9 == 0 ? QByteArray::number(1000 + i) : QByteArray()) + "\n";
    }
    return csv;
}

bool addAccount(Database &db)
{
    QSqlQuery query(db.database());
    query.prepare(QStringLiteral("INSERT INTO accounts (id, name, created_at, updated_at) VALUES "
                                 "(?, 'Bench', '2020-01-01T00:00:00Z', '2020-01-01T00:00:00Z')"));
    query.addBindValue(AccountId);
    return query.exec();
}

int countRows(Database &db)
{
    QSqlQuery query(db.database());
    return query.exec(QStringLiteral("SELECT COUNT(*) FROM transactions")) && query.next() ? query.value(0).toInt()
                                                                                          : -1;
}

// A null text binds as NULL; the columns want "".
QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

// The least that writes the same rows: one prepared insert per row, one transaction.
double rawRound(const QList<ImportPreviewRow> &rows, int *written)
{
    QTemporaryDir dir;
    Database db(dir.path());
    if (!db.open() || !MigrationRunner(&db).migrate() || !addAccount(db)) {
        Bench::out() << "raw setup failed\n";
        return -1;
    }
    QElapsedTimer timer;
    timer.start();
    QSqlDatabase connection = db.database();
    connection.transaction();
    QSqlQuery query(connection);
    query.prepare(QStringLiteral("INSERT INTO transactions (id, account_id, date, payee, memo, amount, category_id, "
                                 "check_number, cleared, reconciled, transfer_link_id, transfer_dest_account_id, "
                                 "is_split, recurring_id, version, sync_status, server_id, created_at, updated_at) "
                                 "VALUES (?, ?, ?, ?, ?, ?, NULL, ?, 0, 0, '', '', 0, '', 1, 'pending', '', ?, ?)"));
    for (const ImportPreviewRow &p : rows) {
        const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
        query.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
        query.addBindValue(AccountId);
        query.addBindValue(p.date.toString(Qt::ISODate));
        query.addBindValue(text(p.text(ImportPreviewRow::Payee)));
        query.addBindValue(text(p.text(ImportPreviewRow::Memo)));
        query.addBindValue(p.amount);
        query.addBindValue(text(p.text(ImportPreviewRow::CheckNumber)));
        query.addBindValue(now);
        query.addBindValue(now);
        if (!query.exec()) {
            Bench::out() << "raw insert failed: " << query.lastError().text() << "\n";
            return -1;
        }
    }
    if (!connection.commit())
        return -1;
    const double ms = Bench::millisSince(timer);
    query.finish();
    *written = countRows(db);
    return ms;
}

struct ImportTimes
{
    double total = -1; // read, preview and write
    double write = -1;
};

ImportTimes importRound(const QString &path, int *written)
{
    QTemporaryDir dir;
    Database db(dir.path());
    if (!db.open() || !MigrationRunner(&db).migrate() || !addAccount(db))
        return {};
    AccountRepository accounts(&db);
    TransactionRepository transactions(&db);
    SplitLineRepository splitLines(&db);
    CategoryRepository categories(&db);
    TransactionWriter writer(&db, &accounts, &transactions, &splitLines);
    ImportService service(&db, &accounts, &transactions, &categories, &writer);

    QElapsedTimer timer;
    timer.start();
    const ImportFile file = ImportService::readFile(path);
    CsvSettings settings;
    settings.memoColumn = 3;
    settings.checkNumberColumn = 4;
    const ImportPreview preview = service.preview({file}, settings, AccountId);
    QElapsedTimer writeTimer;
    writeTimer.start();
    const ImportResult result = service.importRows(AccountId, preview);
    ImportTimes times;
    times.write = Bench::millisSince(writeTimer);
    times.total = Bench::millisSince(timer);
    if (!result.ok)
        return {};
    *written = countRows(db);
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("statement.csv"));
    QFile csv(path);
    if (!csv.open(QIODevice::WriteOnly) || csv.write(makeCsv()) < 0)
        return 2;
    csv.close();

    // The raw side writes the rows the reader produced, so both write the same.
    QList<ImportPreviewRow> rows;
    {
        QTemporaryDir scratch;
        Database db(scratch.path());
        if (!db.open() || !MigrationRunner(&db).migrate())
            return 2;
        AccountRepository accounts(&db);
        TransactionRepository transactions(&db);
        SplitLineRepository splitLines(&db);
        CategoryRepository categories(&db);
        TransactionWriter writer(&db, &accounts, &transactions, &splitLines);
        CsvSettings settings;
        settings.memoColumn = 3;
        settings.checkNumberColumn = 4;
        rows = ImportService(&db, &accounts, &transactions, &categories, &writer)
                   .preview({ImportService::readFile(path)}, settings, QString())
                   .rows;
    }
    if (rows.size() != kRows) {
        Bench::out() << "the file read as " << rows.size() << " rows, not " << kRows << "\n";
        return 1;
    }

    std::vector<double> raw, total, write;
    for (int round = 0; round < kRounds; ++round) {
        int rawRows = 0;
        int importedRows = 0;
        // Alternate which side goes first, so neither always meets a warm cache.
        ImportTimes times;
        if (round % 2 == 0) {
            raw.push_back(rawRound(rows, &rawRows));
            times = importRound(path, &importedRows);
        } else {
            times = importRound(path, &importedRows);
            raw.push_back(rawRound(rows, &rawRows));
        }
        total.push_back(times.total);
        write.push_back(times.write);
        if (raw.back() < 0 || times.total < 0 || rawRows != kRows || importedRows != kRows) {
            Bench::out() << "round " << round << " failed: raw " << rawRows << " rows, import " << importedRows
                  << " rows\n";
            return 1;
        }
    }
    const double rawMs = Bench::median(raw);
    const double totalMs = Bench::median(total);
    const double writeMs = Bench::median(write);
    const double ratio = totalMs / rawMs;
    Bench::out() << QStringLiteral("import of %1 CSV rows  import %2 ms (writing %3 ms)  raw %4 ms  ratio %5 "
                            "(target <= %6)  %7\n")
                 .arg(kRows)
                 .arg(totalMs, 0, 'f', 1)
                 .arg(writeMs, 0, 'f', 1)
                 .arg(rawMs, 0, 'f', 1)
                 .arg(ratio, 0, 'f', 2)
                 .arg(kTarget, 0, 'f', 1)
                 .arg(ratio <= kTarget ? QStringLiteral("ok") : QStringLiteral("SLOW"));
    Bench::out() << QStringLiteral("peak memory %1 MB\n").arg(Bench::peakResidentKiB() / 1024.0, 0, 'f', 1);
    Bench::out().flush();
    return ratio <= kTarget ? 0 : 1;
}
