// Measures a search of the search screen while typing (what the debounce
// runs: the query, reading the rows and filling the results model) over
// 100,000 and 1,000,000 transactions, against the same full-text query stepped
// through the SQLite C API on its own connection to the same file. Prints the
// medians, the ratio, and whether each search stays under the typing debounce;
// exits non-zero when one misses its target.
//
// The books (BenchBook.h: payees and memos of a household's vocabulary) are
// generated once and kept in TALLYFERN_BENCH_DATA_DIR (the build folder's
// bench-data/), shared with the other benchmarks; TALLYFERN_BENCH_SIZES (e.g.
// "100000") picks the sizes. Every search must stay within the typing
// debounce: every round at 100,000, the median at 1,000,000.

#include "AppState.h"
#include "BenchBook.h"
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

constexpr double kTargetRatio = 1.5;
// Up to this size every round of each search ends within the typing debounce;
// above it, the median of each search's rounds does.
constexpr int kSlowestTargetRows = 100000;

// The least work that gives the screen's answer: the same statement (rows,
// category path, newest 200), every column read once.
class RawSearch
{
public:
    // With the program's page cache, as the other floors.
    RawSearch(const QString &file, const QSqlDatabase &program)
    {
        if (sqlite3_open_v2(file.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            return;
        QSqlQuery cache(program);
        if (!cache.exec(QStringLiteral("PRAGMA cache_size")) || !cache.next())
            return;
        const QByteArray pragma = "PRAGMA cache_size = " + cache.value(0).toString().toLatin1();
        if (sqlite3_exec(m_db, pragma.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return;
        const char *sql =
            "SELECT t.id, t.account_id, t.date, t.payee, t.memo, t.amount, t.category_id, t.check_number, "
            "t.cleared, t.reconciled, t.transfer_link_id, t.transfer_dest_account_id, t.is_split, "
            "t.recurring_id, t.version, t.sync_status, t.server_id, t.created_at, t.updated_at, "
            "t.deleted_at, "
            "CASE WHEN p.id IS NULL THEN COALESCE(c.name, '') ELSE p.name || ' > ' || c.name END "
            "FROM transactions_fts JOIN transactions t ON t.rowid = transactions_fts.rowid "
            "LEFT JOIN categories c ON c.id = t.category_id AND c.deleted_at IS NULL "
            "LEFT JOIN categories p ON p.id = c.parent_id AND p.deleted_at IS NULL "
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
    RawSearch raw(state.database()->filePath(), state.database()->database());
    if (!raw.isValid())
        return false;

    SearchScreen screen(&state);
    screen.resize(800, 550);
    screen.refreshFilters();
    screen.show();
    auto *searchEdit = screen.findChild<QLineEdit *>(QStringLiteral("searchEdit"));
    Bench::out() << QStringLiteral("%1 transactions:\n").arg(total);

    const QStringList typed{"g", "gr", "gro", "groc", "rent", "shell 1", "weekly", "coffee", "10"};
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
        const bool inDebounce =
            (total > kSlowestTargetRows ? screenMedian : slowest) < SearchScreen::DebounceMs;
        const bool ok = same && ratio <= target && inDebounce;
        *allOk = *allOk && ok;
        Bench::out()
            << QStringLiteral(
                   "  search %1  screen %2 ms (slowest %3; target < %8)  raw FTS %4 ms  ratio %5 "
                   "(target <= %6)  %7\n")
                   .arg(QLatin1Char('"') + text + QLatin1Char('"'), -12)
                   .arg(screenMedian, 8, 'f', 2)
                   .arg(slowest, 8, 'f', 2)
                   .arg(rawMedian, 8, 'f', 2)
                   .arg(ratio, 5, 'f', 2)
                   .arg(target, 3, 'f', 1)
                   .arg(!same         ? QStringLiteral("DIFFERENT ANSWERS")
                        : !inDebounce ? QStringLiteral("SLOWER THAN THE DEBOUNCE")
                        : ok          ? QStringLiteral("ok")
                                      : QStringLiteral("SLOW"))
                   .arg(total > kSlowestTargetRows ? QStringLiteral("%1 ms, median").arg(SearchScreen::DebounceMs)
                                                   : QStringLiteral("%1 ms").arg(SearchScreen::DebounceMs));
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

    bool allOk = true;
    for (const int total : Bench::sizes({100000, 1000000})) {
        Bench::BookShape shape;
        shape.transactions = total;
        const QString cached = Bench::keptBook(QStringLiteral(TALLYFERN_BENCH_DATA_DIR), shape);
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
