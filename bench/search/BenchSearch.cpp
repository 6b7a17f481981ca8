// Measures a search of the search screen while typing (what the debounce
// runs: the query, reading the rows and filling the results model) over
// 100,000 and 1,000,000 transactions, against the same full-text query stepped
// through the SQLite C API on its own connection to the same file. Prints the
// medians, the ratio, and whether each search stays under the typing debounce;
// exits non-zero when one misses its target.
//
// The files are generated once and kept in TALLYFERN_BENCH_DATA_DIR (the build
// folder's bench-data/); TALLYFERN_BENCH_SIZES (e.g. "100000") picks the sizes.

#include "AppState.h"
#include "BenchCommon.h"
#include "Database.h"
#include "MigrationRunner.h"
#include "RegisterModel.h"
#include "SearchScreen.h"
#include "TransactionRepository.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kAccounts = 10;
constexpr int kGeneratorVersion = 1; // part of the cached file's name: bump when the data changes

constexpr double kTargetRatio = 1.5;
// Each search is to end within the typing debounce where the statement itself
// leaves room for that; at 1,000,000 transactions a common word's statement
// alone takes about as long.
constexpr int kDebounceTargetRows = 100000;

const QStringList &payees()
{
    static const QStringList list = [] {
        QStringList names{"Grocery Outlet", "Green Grocer",  "Groceries Direct", "Grove Pharmacy",
                          "Ground Coffee",  "Power Company", "City Water",       "Rent",
                          "Payroll",        "Gas Station"};
        for (int i = 0; i < 190; ++i)
            names.append(QStringLiteral("Vendor %1").arg(i));
        return names;
    }();
    return list;
}

// Setup writes with raw SQL in one transaction; it is not what is measured.
bool seed(QSqlDatabase db, int transactions)
{
    db.transaction();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO accounts (id, name, created_at, updated_at) "
                                 "VALUES (?, ?, '2020-01-01T00:00:00Z', '2020-01-01T00:00:00Z')"));
    for (int i = 0; i < kAccounts; ++i) {
        query.addBindValue(QStringLiteral("bench-account-%1").arg(i));
        query.addBindValue(QStringLiteral("Account %1").arg(i));
        if (!query.exec())
            return false;
    }
    query.prepare(QStringLiteral("INSERT INTO transactions (id, account_id, date, payee, memo, amount, "
                                 "check_number, cleared, created_at, updated_at) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QDate first(2019, 1, 1);
    quint32 seed = 4711;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int i = 0; i < transactions; ++i) {
        const QString stamp =
            QDateTime(first.addDays(i % 1800), QTime(8, 0).addSecs(i % 36000), Qt::UTC).toString(Qt::ISODate);
        query.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
        query.addBindValue(QStringLiteral("bench-account-%1").arg(i % kAccounts));
        query.addBindValue(first.addDays(int(next() % 1800)).toString(Qt::ISODate));
        query.addBindValue(payees().at(int(next() % payees().size())));
        query.addBindValue(i % 3 == 0 ? QStringLiteral("weekly shopping") : QStringLiteral(""));
        query.addBindValue(-qint64(next() % 50000));
        query.addBindValue(i % 7 == 0 ? QString::number(1000 + i) : QStringLiteral(""));
        query.addBindValue(i % 2);
        query.addBindValue(stamp);
        query.addBindValue(stamp);
        if (!query.exec()) {
            Bench::out() << query.lastError().text() << "\n";
            return false;
        }
    }
    return db.commit() && query.exec(QStringLiteral("ANALYZE"));
}

// The least work that gives the screen's answer: the same statement (rows,
// category path, newest 200), every column read once.
class RawSearch
{
public:
    explicit RawSearch(const QString &file)
    {
        if (sqlite3_open_v2(file.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            return;
        const char *sql =
            "SELECT t.id, t.account_id, t.date, t.payee, t.memo, t.amount, t.category_id, t.check_number, "
            "t.cleared, t.reconciled, t.transfer_link_id, t.transfer_dest_account_id, t.is_split, "
            "t.recurring_id, t.version, t.sync_status, t.server_id, t.created_at, t.updated_at, "
            "t.deleted_at, "
            "CASE WHEN p.id IS NULL THEN COALESCE(c.name, '') ELSE p.name || ' > ' || c.name END "
            "FROM transactions_fts JOIN transactions t ON t.rowid = transactions_fts.rowid "
            "LEFT JOIN categories c ON c.id = t.category_id LEFT JOIN categories p ON p.id = c.parent_id "
            "WHERE t.deleted_at IS NULL AND transactions_fts MATCH ? "
            "ORDER BY t.date DESC, t.created_at DESC LIMIT 200";
        m_ok = sqlite3_prepare_v2(m_db, sql, -1, &m_statement, nullptr) == SQLITE_OK;
    }
    ~RawSearch()
    {
        sqlite3_finalize(m_statement);
        sqlite3_close(m_db);
    }

    bool isValid() const { return m_ok; }

    // Rows found plus their amounts, to compare with the screen's answer.
    qint64 run(const QByteArray &match)
    {
        sqlite3_reset(m_statement);
        sqlite3_bind_text(m_statement, 1, match.constData(), int(match.size()), SQLITE_TRANSIENT);
        qint64 checksum = 0;
        while (sqlite3_step(m_statement) == SQLITE_ROW) {
            for (int column = 0; column < 21; ++column)
                m_bytesRead += std::size_t(sqlite3_column_bytes(m_statement, column));
            checksum += 1 + sqlite3_column_int64(m_statement, 5);
        }
        return checksum;
    }

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statement = nullptr;
    bool m_ok = false;
    std::size_t m_bytesRead = 0; // every column is read, as the screen reads them
};

// The file of `total` transactions, made once through the program's migrations.
bool generate(const QString &path, int total)
{
    QFile::remove(path);
    const QString directory = QFileInfo(path).absolutePath() + QStringLiteral("/search-schema-%1").arg(total);
    QDir(directory).removeRecursively();
    {
        Database db(directory);
        if (!db.open() || !MigrationRunner(&db).migrate() || !seed(db.database(), total))
            return false;
        QSqlQuery(db.database()).exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    }
    const bool moved = QFile::rename(directory + QLatin1Char('/') + QLatin1String(Database::FileName), path);
    QDir(directory).removeRecursively();
    return moved;
}

// What a user types, one debounced search per step, on a copy of the file.
// False when the setup failed; `allOk` is cleared by a missed target.
bool runSize(int total, const QString &cached, bool *allOk)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QLatin1String(Database::FileName));
    if (!QFile::copy(cached, file))
        return false;
    qputenv("TALLYFERN_DATA_DIR", dir.path().toLocal8Bit());
    AppState state;
    if (!state.initialize())
        return false;
    RawSearch raw(state.database()->filePath());
    if (!raw.isValid())
        return false;

    SearchScreen screen(&state);
    screen.resize(800, 550);
    screen.refreshFilters();
    screen.show();
    auto *searchEdit = screen.findChild<QLineEdit *>(QStringLiteral("searchEdit"));
    Bench::out() << QStringLiteral("%1 transactions over %2 accounts:\n").arg(total).arg(kAccounts);

    const QStringList typed{"g", "gr", "gro", "groc", "rent", "vendor 1", "weekly", "10"};
    const double target = kTargetRatio;
    for (const QString &text : typed) {
        const QByteArray match = TransactionRepository::fullTextQuery(text).toUtf8();
        std::vector<double> screenMs;
        std::vector<double> rawMs;
        qint64 screenSum = 0;
        qint64 rawSum = 0;
        auto rawSide = [&] {
            QElapsedTimer timer;
            timer.start();
            rawSum = raw.run(match);
            rawMs.push_back(Bench::millisSince(timer));
        };
        auto screenSide = [&] {
            searchEdit->setText(text);
            QElapsedTimer timer;
            timer.start();
            screen.performSearch();
            screenMs.push_back(Bench::millisSince(timer));
            screenSum = 0;
            for (int row = 0; row < screen.model()->rowCount(); ++row)
                screenSum += 1 + screen.model()->rowAt(row).transaction.amount;
        };
        // The raw query first in every other round.
        bool same = true;
        for (int round = 0; round < Bench::Rounds; ++round) {
            if (round % 2 == 0) {
                rawSide();
                screenSide();
            } else {
                screenSide();
                rawSide();
            }
            same = same && screenSum == rawSum;
        }
        const double screenMedian = Bench::median(screenMs);
        const double slowest = *std::max_element(screenMs.begin(), screenMs.end());
        const double rawMedian = Bench::median(rawMs);
        const double ratio = screenMedian / rawMedian;
        const bool inDebounce = total > kDebounceTargetRows || slowest < SearchScreen::DebounceMs;
        const bool ok = same && ratio <= target && inDebounce;
        *allOk = *allOk && ok;
        Bench::out()
            << QStringLiteral(
                   "  search %1  screen %2 ms (slowest %3)  raw FTS %4 ms  ratio %5 (target <= %6)  %7\n")
                   .arg(QLatin1Char('"') + text + QLatin1Char('"'), -12)
                   .arg(screenMedian, 8, 'f', 2)
                   .arg(slowest, 8, 'f', 2)
                   .arg(rawMedian, 8, 'f', 2)
                   .arg(ratio, 5, 'f', 2)
                   .arg(target, 3, 'f', 1)
                   .arg(!same         ? QStringLiteral("DIFFERENT ANSWERS")
                        : !inDebounce ? QStringLiteral("SLOWER THAN THE DEBOUNCE")
                        : ok          ? QStringLiteral("ok")
                                      : QStringLiteral("SLOW"));
        Bench::out().flush();
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    if (qEnvironmentVariableIsEmpty("TALLYFERN_VERBOSE"))
        qInstallMessageHandler(Bench::quietMessages);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TallyfernBench"));
    QSettings().clear();

    const int schema = MigrationRunner::builtInScripts().constLast().version;
    bool allOk = true;
    for (const int total : Bench::sizes({100000, 1000000})) {
        const QString cached = Bench::keptFile(
            QStringLiteral(TALLYFERN_BENCH_DATA_DIR),
            QStringLiteral("search-%1-s%2-g%3.db").arg(total).arg(schema).arg(kGeneratorVersion), total,
            generate);
        if (cached.isEmpty())
            return 2;
        if (!runSize(total, cached, &allOk)) {
            Bench::out() << "setup failed for " << total << " transactions\n";
            return 2;
        }
    }
    Bench::out() << (allOk ? "all targets met\n" : "some targets missed\n");
    Bench::out().flush();
    return allOk ? 0 : 1;
}
