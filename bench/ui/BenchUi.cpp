// Measures what the main window adds on top of the queries it runs: filling
// the register of a 20,000-row account, rebuilding the sidebar, and 2,000
// inserts while the window is alive. Each is printed as a ratio to a raw
// baseline measured in the same run on the same file (median of the rounds).

#include "AccountRepository.h"
#include "AccountSidebar.h"
#include "AppState.h"
#include "Database.h"
#include "MainWindow.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "TransactionRepository.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// 100,000 rows over five accounts, 20,000 of them in the one on screen.
constexpr int kAccounts = 5;
constexpr int kTransactions = 100000;
constexpr int kShownAccountRows = 20000;
constexpr int kInserts = 2000;
constexpr int kRounds = 5;

QTextStream g_out(stdout);

QString accountId(int i)
{
    return QStringLiteral("bench-account-%1").arg(i);
}

// The offscreen platform complains about every window it cannot size; the
// measurements are what this program prints.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

// Setup writes with raw SQL inside one transaction; it is not what is measured.
bool seed(QSqlDatabase db)
{
    db.transaction();
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("INSERT INTO accounts (id, name, starting_balance, sort_order, created_at, "
                       "updated_at) VALUES (?, ?, ?, ?, '2020-01-01T00:00:00Z', '2020-01-01T00:00:00Z')"));
    for (int i = 0; i < kAccounts; ++i) {
        query.addBindValue(accountId(i));
        query.addBindValue(QStringLiteral("Account %1").arg(i));
        query.addBindValue(qint64(50000 * i));
        query.addBindValue(i);
        if (!query.exec())
            return false;
    }
    QStringList categories;
    QSqlQuery categoryQuery(db);
    categoryQuery.exec(QStringLiteral("SELECT id FROM categories"));
    while (categoryQuery.next())
        categories << categoryQuery.value(0).toString();

    query.prepare(
        QStringLiteral("INSERT INTO transactions (id, account_id, date, payee, memo, amount, category_id, "
                       "cleared, created_at, updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    quint32 state = 7;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    const QDate first(2020, 1, 1);
    for (int i = 0; i < kTransactions; ++i) {
        // Account 1 is the shown one with 20,000 rows; the rest share the others.
        const int account = i < kShownAccountRows ? 1 : (i % kAccounts == 1 ? 0 : i % kAccounts);
        const QString stamp = QDateTime(first.addDays(i % 1500), QTime(9, 0), Qt::UTC).toString(Qt::ISODate);
        query.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
        query.addBindValue(accountId(account));
        query.addBindValue(first.addDays(int(next() % 1500)).toString(Qt::ISODate));
        query.addBindValue(QStringLiteral("Payee %1").arg(next() % 300));
        query.addBindValue(i % 4 == 0 ? QStringLiteral("memo text") : QString(QLatin1String("")));
        query.addBindValue(-qint64(next() % 40000) + (i % 12 == 0 ? 200000 : 0));
        query.addBindValue(categories.isEmpty() || i % 6 == 0
                               ? QVariant(QMetaType::fromType<QString>())
                               : QVariant(categories.at(int(next() % categories.size()))));
        query.addBindValue(i % 2);
        query.addBindValue(stamp);
        query.addBindValue(stamp);
        if (!query.exec())
            return false;
    }
    return db.commit() && query.exec(QStringLiteral("ANALYZE"));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs both sides in alternation for the rounds; `before` runs untimed before
// each side and is told which one comes.
bool measure(const QString &name, double target, const std::function<qint64()> &window,
             const std::function<qint64()> &raw, const std::function<void(bool raw)> &before = {})
{
    std::vector<double> windowMs;
    std::vector<double> rawMs;
    qint64 windowSum = 0;
    qint64 rawSum = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (bool isRaw : {true, false}) {
            if (before)
                before(isRaw);
            QElapsedTimer timer;
            timer.start();
            const qint64 sum = isRaw ? raw() : window();
            const double ms = timer.nsecsElapsed() / 1e6;
            (isRaw ? rawMs : windowMs).push_back(ms);
            (isRaw ? rawSum : windowSum) = sum;
        }
    }
    const double w = median(windowMs);
    const double r = median(rawMs);
    const double ratio = w / r;
    const bool same = windowSum == rawSum;
    const bool ok = same && ratio <= target;
    g_out << QStringLiteral("%1  window %2 ms  raw %3 ms  ratio %4 (target <= %5)  %6\n")
                 .arg(name, -40)
                 .arg(w, 8, 'f', 2)
                 .arg(r, 8, 'f', 2)
                 .arg(ratio, 5, 'f', 2)
                 .arg(target, 3, 'f', 1)
                 .arg(!same ? QStringLiteral("DIFFERENT ANSWERS")
                      : ok  ? QStringLiteral("ok")
                            : QStringLiteral("SLOW"));
    g_out.flush();
    return ok;
}

Transaction sample(int i, const QString &account)
{
    Transaction t;
    t.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    t.accountId = account;
    t.date = QDate(2024, 1, 1).addDays(i % 365);
    t.payee = QStringLiteral("Inserted %1").arg(i % 50);
    t.amount = -(i % 5000) - 1;
    t.createdAt = QDateTime(QDate(2031, 1, 1), QTime(0, 0), Qt::UTC);
    t.updatedAt = t.createdAt;
    return t;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TallyfernBench"));
    QTemporaryDir dir;
    qputenv("TALLYFERN_DATA_DIR", dir.path().toLocal8Bit());
    QSettings().clear();

    AppState app;
    if (!app.initialize())
        return 2;
    QElapsedTimer setup;
    setup.start();
    if (!seed(app.database()->database()))
        return 2;
    g_out << QStringLiteral("built %1 transactions over %2 accounts (%3 in the shown one) in %4 s\n")
                 .arg(kTransactions)
                 .arg(kAccounts)
                 .arg(kShownAccountRows)
                 .arg(setup.elapsed() / 1000.0, 0, 'f', 1);

    bool allOk = true;
    const QString shown = accountId(1);
    const QString other = accountId(0);
    QSqlDatabase db = app.database()->database();

    {
        auto window = std::make_unique<MainWindow>(&app);
        window->show();
        QApplication::processEvents();
        RegisterScreen *screen = window->registerScreen();

        // Selecting the account until its rows are in the register and drawn,
        // against the register query alone.
        allOk &= measure(
            QStringLiteral("select account -> register filled"), 2.0,
            [&] {
                window->selectAccount(shown);
                QApplication::processEvents();
                return qint64(screen->model()->entryCount());
            },
            [&] {
                QSqlQuery query(db);
                query.setForwardOnly(true);
                query.prepare(TransactionRepository::registerRowsSql());
                query.addBindValue(shown);
                query.addBindValue(shown);
                query.exec();
                std::vector<QVariant> values;
                values.reserve(kShownAccountRows * 22);
                qint64 count = 0;
                const int columns = query.record().count();
                while (query.next()) {
                    ++count;
                    for (int column = 0; column < columns; ++column)
                        values.push_back(query.value(column));
                }
                return count;
            },
            [&](bool) {
                window->selectAccount(other);
                QApplication::processEvents();
            });

        // The sidebar after a change of transactions, against the aggregate
        // balance query it rests on; and its full rebuild (accounts changed)
        // against that query plus the account list query.
        const QString aggregate =
            QStringLiteral("SELECT a.id, a.starting_balance + COALESCE(SUM(t.amount), 0) FROM accounts a "
                           "LEFT JOIN transactions t ON t.account_id = a.id AND t.deleted_at IS NULL "
                           "WHERE a.deleted_at IS NULL GROUP BY a.id");
        auto rawBalances = [&]() {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            query.exec(aggregate);
            QHash<QString, qint64> balances;
            while (query.next())
                balances.insert(query.value(0).toString(), query.value(1).toLongLong());
            return qint64(balances.size());
        };
        allOk &= measure(
            QStringLiteral("sidebar balances after a change"), 1.5,
            [&] {
                window->sidebar()->refreshBalances();
                return qint64(window->sidebar()->accounts().size());
            },
            rawBalances);
        allOk &= measure(
            QStringLiteral("sidebar full rebuild"), 1.5,
            [&] {
                window->sidebar()->rebuild();
                return qint64(window->sidebar()->accounts().size());
            },
            [&] {
                QSqlQuery query(db);
                query.setForwardOnly(true);
                query.exec(QStringLiteral("SELECT id, name, account_type, currency, institution, "
                                          "account_number_last4, starting_balance, sort_order FROM accounts "
                                          "WHERE deleted_at IS NULL ORDER BY sort_order, name"));
                QStringList names;
                while (query.next())
                    names << query.value(1).toString();
                rawBalances();
                return qint64(names.size());
            });
        window->selectAccount(shown);
        QApplication::processEvents();
    }

    // 2,000 inserts into the shown account through the repository, one write
    // each: with the window alive, until it has shown them (its coalesced
    // reload included), against the same inserts with no window.
    std::unique_ptr<MainWindow> window;
    auto inserts = [&]() {
        const int reloadsBefore = window ? window->registerScreen()->reloadCount() : 0;
        for (int i = 0; i < kInserts; ++i)
            app.transactions()->insert(sample(i, shown));
        if (window) {
            QElapsedTimer limit;
            limit.start();
            while (window->registerScreen()->reloadCount() == reloadsBefore && limit.elapsed() < 5000)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        QSqlQuery query(db);
        query.exec(
            QStringLiteral("SELECT COUNT(*) FROM transactions WHERE created_at = '2031-01-01T00:00:00Z'"));
        query.next();
        return query.value(0).toLongLong();
    };
    allOk &=
        measure(QStringLiteral("2,000 inserts, window alive vs not"), 1.5, inserts, inserts, [&](bool raw) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("DELETE FROM transactions WHERE created_at = '2031-01-01T00:00:00Z'"));
            window.reset();
            if (!raw) {
                window = std::make_unique<MainWindow>(&app);
                window->show();
                window->selectAccount(shown);
                QApplication::processEvents();
            }
        });
    window.reset();

    g_out << (allOk ? "all targets met\n" : "some targets missed\n");
    g_out.flush();
    return allOk ? 0 : 1;
}
