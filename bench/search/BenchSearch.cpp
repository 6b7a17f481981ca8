// Measures a search of the search screen while typing (what the debounce
// runs: the query, reading the rows and filling the results model) over
// 100,000 transactions, against the same full-text query stepped through the
// SQLite C API on its own connection to the same file. Prints the medians, the
// ratio, and whether each search stays under the typing debounce.

#include "AppState.h"
#include "BenchCommon.h"
#include "Database.h"
#include "RegisterModel.h"
#include "SearchScreen.h"
#include "TransactionRepository.h"

#include <QApplication>
#include <QElapsedTimer>
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
constexpr int kTransactions = 100000;
constexpr double kTargetRatio = 2.0;

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
bool seed(QSqlDatabase db)
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
    for (int i = 0; i < kTransactions; ++i) {
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

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    if (qEnvironmentVariableIsEmpty("TALLYFERN_VERBOSE"))
        qInstallMessageHandler(Bench::quietMessages);
    QApplication application(argc, argv);
    QTemporaryDir dir;
    qputenv("TALLYFERN_DATA_DIR", dir.path().toLocal8Bit());
    QSettings().clear();

    AppState state;
    if (!state.initialize()) {
        Bench::out() << "setup failed: the database did not open\n";
        return 2;
    }
    if (!seed(state.database()->database())) {
        Bench::out() << "setup failed: " << state.database()->database().lastError().text() << "\n";
        return 2;
    }
    RawSearch raw(state.database()->filePath());
    if (!raw.isValid()) {
        Bench::out() << "raw statement failed\n";
        return 2;
    }

    SearchScreen screen(&state);
    screen.resize(800, 550);
    screen.refreshFilters();
    screen.show();
    auto *searchEdit = screen.findChild<QLineEdit *>(QStringLiteral("searchEdit"));

    // What a user types, one debounced search per step.
    const QStringList typed{"g", "gr", "gro", "groc", "rent", "vendor 1", "weekly", "10"};
    bool allOk = true;
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
        for (int round = 0; round < Bench::Rounds; ++round) {
            if (round % 2 == 0) {
                rawSide();
                screenSide();
            } else {
                screenSide();
                rawSide();
            }
        }
        const double screenMedian = Bench::median(screenMs);
        const double slowest = *std::max_element(screenMs.begin(), screenMs.end());
        const double rawMedian = Bench::median(rawMs);
        const double ratio = screenMedian / rawMedian;
        const bool same = screenSum == rawSum;
        const bool ok = same && ratio <= kTargetRatio && slowest < SearchScreen::DebounceMs;
        allOk = allOk && ok;
        Bench::out()
            << QStringLiteral(
                   "search %1  screen %2 ms (slowest %3)  raw FTS %4 ms  ratio %5 (target <= %6)  %7\n")
                   .arg(QLatin1Char('"') + text + QLatin1Char('"'), -12)
                   .arg(screenMedian, 8, 'f', 2)
                   .arg(slowest, 8, 'f', 2)
                   .arg(rawMedian, 8, 'f', 2)
                   .arg(ratio, 5, 'f', 2)
                   .arg(kTargetRatio, 3, 'f', 1)
                   .arg(!same                                 ? QStringLiteral("DIFFERENT ANSWERS")
                        : slowest >= SearchScreen::DebounceMs ? QStringLiteral("SLOWER THAN THE DEBOUNCE")
                        : ok                                  ? QStringLiteral("ok")
                                                              : QStringLiteral("SLOW"));
        Bench::out().flush();
    }
    Bench::out() << (allOk ? "all targets met\n" : "some targets missed\n");
    Bench::out().flush();
    return allOk ? 0 : 1;
}
