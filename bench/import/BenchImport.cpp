// Imports a 100,000-row CSV file into a fresh database through the import
// service (read, preview, write) against its floor: the least work that
// stores the same rows, which reads the same file, parses its dates and
// amounts and inserts the rows through SQLite's C API, many to a statement as
// the text index wants, with the same triggers, in one transaction. The two
// alternate; the median times, their ratio and the peak memory are printed,
// and the run fails when the ratio misses its target.

#include "AccountRepository.h"
#include "BenchCommon.h"
#include "CategoryRepository.h"
#include "Database.h"
#include "ImportService.h"
#include "MigrationRunner.h"
#include "SplitLineRepository.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

namespace {

// The file's rows unless TALLYFERN_BENCH_SIZES says otherwise.
constexpr int kRows = 100000;
constexpr int kRounds = 5;
constexpr double kTarget = 1.5;
// Rows per insert statement, as the program writes them: as many rows of the
// 19 columns it writes as fit in 999 values.
constexpr int kBatchRows = 999 / 19;
const QString AccountId = QStringLiteral("bench-account");

QByteArray makeCsv(int rows)
{
    QByteArray csv = "Date,Payee,Amount,Memo,Num\n";
    csv.reserve(rows * 48);
    const QDate first(2015, 1, 1);
    quint32 seed = 4711;
    for (int i = 0; i < rows; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const QDate date = first.addDays(i % 3650);
        const qint64 cents = -qint64(seed % 250000) + (i % 10 == 0 ? 300000 : 0);
        csv += date.toString(QStringLiteral("M/d/yyyy")).toLatin1() + ",\"Vendor " +
               QByteArray::number(seed % 500) + ", Inc\"," + QByteArray::number(cents / 100.0, 'f', 2) +
               ",memo " + QByteArray::number(i % 7) + "," +
               (i % 9 == 0 ? QByteArray::number(1000 + i) : QByteArray()) + "\n";
    }
    return csv;
}

// A fresh database with the program's schema and triggers and the one account.
bool prepare(Database &db)
{
    if (!db.open() || !MigrationRunner(&db).migrate())
        return false;
    QSqlQuery query(db.database());
    query.prepare(QStringLiteral("INSERT INTO accounts (id, name, created_at, updated_at) VALUES "
                                 "(?, 'Bench', '2020-01-01T00:00:00Z', '2020-01-01T00:00:00Z')"));
    query.addBindValue(AccountId);
    return query.exec();
}

// What was stored, column by column, as one number both sides must give.
qint64 answerOf(sqlite3 *handle)
{
    sqlite3_stmt *statement = nullptr;
    qint64 answer = -1;
    if (sqlite3_prepare_v2(
            handle,
            "SELECT COUNT(*), SUM(amount), COUNT(DISTINCT payee), SUM(LENGTH(payee) + LENGTH(memo)), "
            "SUM(LENGTH(check_number)), SUM(LENGTH(date) + LENGTH(id) + LENGTH(created_at)), "
            "COUNT(server_id), COUNT(category_id), COUNT(transfer_link_id), COUNT(transfer_dest_account_id), "
            "COUNT(recurring_id), COUNT(deleted_at), SUM(cleared + reconciled + is_split + version), "
            "COUNT(DISTINCT sync_status), "
            "(SELECT COUNT(*) FROM transactions_fts WHERE transactions_fts MATCH 'memo') FROM transactions",
            -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        answer = 0;
        for (int column = 0; column < sqlite3_column_count(statement); ++column)
            answer = answer * 1000003 + sqlite3_column_int64(statement, column);
    }
    sqlite3_finalize(statement);
    return answer;
}

// One field of a CSV line from `at`, quotes taken off; `at` moves past its delimiter.
QByteArrayView field(const QByteArray &text, qsizetype &at)
{
    if (at < text.size() && text.at(at) == '"') {
        const qsizetype close = text.indexOf('"', at + 1);
        const QByteArrayView value(text.constData() + at + 1, close - at - 1);
        at = close + 2;
        return value;
    }
    qsizetype end = at;
    while (end < text.size() && text.at(end) != ',' && text.at(end) != '\n')
        ++end;
    const QByteArrayView value(text.constData() + at, end - at);
    at = end + 1;
    return value;
}

// "M/d/yyyy" as "yyyy-MM-dd"; empty when it is no date.
QByteArray isoDate(QByteArrayView text)
{
    const qsizetype first = text.indexOf('/');
    const qsizetype last = text.lastIndexOf('/');
    const QDate date(text.sliced(last + 1).toInt(), text.first(first).toInt(),
                     text.sliced(first + 1, last - first - 1).toInt());
    return date.isValid() ? date.toString(Qt::ISODate).toLatin1() : QByteArray();
}

// "-1234.56" in cents.
qint64 cents(QByteArrayView text)
{
    const bool negative = text.startsWith('-');
    qint64 value = 0;
    for (const char c : negative ? text.sliced(1) : text) {
        if (c >= '0' && c <= '9')
            value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

QByteArray insertSql(int rows)
{
    QByteArray sql =
        "INSERT INTO transactions (id, account_id, date, payee, memo, amount, check_number, cleared, "
        "reconciled, is_split, version, sync_status, created_at, updated_at) VALUES ";
    for (int i = 0; i < rows; ++i)
        sql += QByteArray(i == 0 ? "" : ", ") + "(?, ?, ?, ?, ?, ?, ?, 0, 0, 0, 1, 'pending', ?, ?)";
    return sql;
}

// The floor: the file read and parsed, the rows inserted a batch to a statement.
double floorRound(const QString &path, qint64 *answer)
{
    QTemporaryDir dir;
    Database db(dir.path());
    if (!prepare(db))
        return -1;
    Bench::Raw raw(db.filePath());
    if (!raw.isOpen() || !raw.matchSettings(db.database()))
        return -1;
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = file.readAll();
    sqlite3_stmt *full = nullptr;
    sqlite3_prepare_v2(raw.handle(), insertSql(kBatchRows).constData(), -1, &full, nullptr);
    raw.exec("BEGIN");
    const QByteArray account = AccountId.toUtf8();
    // One time stamp for the rows of one import, as the program writes them.
    const QByteArray now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1();
    sqlite3_stmt *statement = full;
    int inBatch = 0;
    int left = int(text.count('\n')) - 1; // the rows after the header
    bool ok = true;
    for (qsizetype at = text.indexOf('\n') + 1; ok && at > 0 && at < text.size();) {
        if (inBatch == 0 && left < kBatchRows)
            sqlite3_prepare_v2(raw.handle(), insertSql(left).constData(), -1, &statement, nullptr);
        const QByteArray date = isoDate(field(text, at));
        const QByteArrayView payee = field(text, at);
        const qint64 amount = cents(field(text, at));
        const QByteArrayView memo = field(text, at);
        const QByteArrayView number = field(text, at);
        const int base = inBatch * 9;
        const QByteArray id = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
        sqlite3_bind_text(statement, base + 1, id.constData(), int(id.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(statement, base + 2, account.constData(), int(account.size()), SQLITE_STATIC);
        sqlite3_bind_text(statement, base + 3, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(statement, base + 4, payee.data(), int(payee.size()), SQLITE_STATIC);
        sqlite3_bind_text(statement, base + 5, memo.data(), int(memo.size()), SQLITE_STATIC);
        sqlite3_bind_int64(statement, base + 6, amount);
        sqlite3_bind_text(statement, base + 7, number.data(), int(number.size()), SQLITE_STATIC);
        sqlite3_bind_text(statement, base + 8, now.constData(), int(now.size()), SQLITE_STATIC);
        sqlite3_bind_text(statement, base + 9, now.constData(), int(now.size()), SQLITE_STATIC);
        --left;
        if (++inBatch == kBatchRows || left == 0) {
            ok = sqlite3_step(statement) == SQLITE_DONE;
            if (!ok)
                Bench::out() << "floor insert failed: " << sqlite3_errmsg(raw.handle()) << "\n";
            sqlite3_reset(statement);
            inBatch = 0;
        }
    }
    const bool committed = ok && raw.exec("COMMIT");
    const double ms = Bench::millisSince(timer);
    if (statement != full)
        sqlite3_finalize(statement);
    sqlite3_finalize(full);
    *answer = committed ? answerOf(raw.handle()) : -1;
    return *answer >= 0 ? ms : -1;
}

// The program: the file read, previewed and written by the import service.
double importRound(const QString &path, qint64 *answer)
{
    QTemporaryDir dir;
    Database db(dir.path());
    if (!prepare(db))
        return -1;
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
    const ImportResult result = service.importRows(AccountId, preview);
    const double ms = Bench::millisSince(timer);
    if (!result.ok) {
        Bench::out() << "import failed: " << result.error << "\n";
        return -1;
    }
    Bench::Raw raw(db.filePath());
    *answer = raw.isOpen() ? answerOf(raw.handle()) : -1;
    return *answer >= 0 ? ms : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    bool ok = true;
    for (const int rows : Bench::sizes({kRows})) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("statement.csv"));
        QFile csv(path);
        if (!csv.open(QIODevice::WriteOnly) || csv.write(makeCsv(rows)) < 0)
            return 2;
        csv.close();
        const Bench::Pair pair =
            Bench::alternate([&](qint64 *answer) { return importRound(path, answer); },
                             [&](qint64 *answer) { return floorRound(path, answer); }, kRounds);
        Bench::out() << QStringLiteral("import of %1 CSV rows\n").arg(rows);
        ok = pair.program > 0 && pair.floor > 0 &&
             Bench::reportPair(QStringLiteral("import / floor (read, parse, insert)"), pair, kTarget) && ok;
    }
    Bench::out() << QStringLiteral("peak memory %1 MB\n").arg(Bench::peakResidentKiB() / 1024.0, 0, 'f', 1);
    Bench::out().flush();
    return ok ? 0 : 1;
}
