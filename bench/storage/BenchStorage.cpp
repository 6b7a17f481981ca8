// Measures the storage layer against the least raw QSqlQuery work that gives
// the same answer, in the same run on the same file, and prints the ratios.
// Each measurement alternates the two sides and keeps the median.

#include "AccountRepository.h"
#include "Database.h"
#include "MigrationRunner.h"
#include "TransactionRepository.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr int kAccounts = 20;
constexpr int kTransactions = 100000;
constexpr int kBigAccountRows = 20000;
constexpr int kInserts = 10000;
constexpr int kRounds = 7;

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QString accountId(int i)
{
    return QStringLiteral("account-%1").arg(i, 2, 10, QLatin1Char('0'));
}

const QStringList &payees()
{
    static const QStringList list = [] {
        QStringList names{"Grocery Outlet", "Green Grocer",  "Groceries Direct", "Grove Pharmacy",
                          "Ground Coffee",  "Power Company", "City Water",       "Rent",
                          "Payroll",        "Gas Station",   "Book Shop",        "Hardware Store",
                          "Cinema",         "Bakery",        "Pet Supplies"};
        for (int i = 0; i < 185; ++i)
            names.append(QStringLiteral("Vendor %1").arg(i));
        return names;
    }();
    return list;
}

bool exec(QSqlQuery &query)
{
    if (query.exec())
        return true;
    out() << "setup failed: " << query.lastQuery() << "\n";
    return false;
}

// Setup writes with raw SQL: it is not what is measured.
bool buildDatabase(Database &db)
{
    QSqlDatabase connection = db.database();
    connection.transaction();
    QSqlQuery query(connection);
    query.prepare(QStringLiteral("INSERT INTO accounts (id, name, starting_balance, created_at, updated_at) "
                                 "VALUES (?, ?, ?, '2020-01-01T00:00:00Z', '2020-01-01T00:00:00Z')"));
    for (int i = 0; i < kAccounts; ++i) {
        query.addBindValue(accountId(i));
        query.addBindValue(QStringLiteral("Account %1").arg(i));
        query.addBindValue(qint64(100000 * i));
        if (!exec(query))
            return false;
    }
    QStringList categories;
    query.prepare(QStringLiteral("INSERT INTO categories (id, name, parent_id, created_at, updated_at) "
                                 "VALUES (?, ?, ?, '2020-01-01T00:00:00Z', '2020-01-01T00:00:00Z')"));
    for (int parent = 0; parent < 8; ++parent) {
        const QString parentId = QStringLiteral("cat-%1").arg(parent);
        query.addBindValue(parentId);
        query.addBindValue(QStringLiteral("Category %1").arg(parent));
        query.addBindValue(QVariant(QMetaType::fromType<QString>()));
        if (!exec(query))
            return false;
        categories.append(parentId);
        for (int child = 0; child < 4; ++child) {
            const QString childId = parentId + QStringLiteral("-%1").arg(child);
            query.addBindValue(childId);
            query.addBindValue(QStringLiteral("Sub %1").arg(child));
            query.addBindValue(parentId);
            if (!exec(query))
                return false;
            categories.append(childId);
        }
    }

    QSqlQuery split(connection);
    split.prepare(QStringLiteral("INSERT INTO split_lines (id, transaction_id, category_id, amount, memo, "
                                 "created_at, updated_at) VALUES (?, ?, ?, ?, '', '2020-01-01T00:00:00Z', "
                                 "'2020-01-01T00:00:00Z')"));
    query.prepare(
        QStringLiteral("INSERT INTO transactions (id, account_id, date, payee, memo, amount, category_id, "
                       "check_number, cleared, "
                       "is_split, created_at, updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QDate first(2019, 1, 1);
    quint32 seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int i = 0; i < kTransactions; ++i) {
        const int account = i < kBigAccountRows ? 0 : 1 + (i % (kAccounts - 1));
        const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        const bool isSplit = i % 5 == 0;
        const qint64 amount = -qint64(next() % 50000) + (i % 10 == 0 ? 150000 : 0);
        const QString stamp =
            QDateTime(first.addDays(i % 1800), QTime(8, 0).addSecs(i % 36000), Qt::UTC).toString(Qt::ISODate);
        query.addBindValue(id);
        query.addBindValue(accountId(account));
        query.addBindValue(first.addDays(int(next() % 1800)).toString(Qt::ISODate));
        query.addBindValue(payees().at(int(next() % payees().size())));
        query.addBindValue(i % 3 == 0 ? QStringLiteral("weekly shopping") : QStringLiteral(""));
        query.addBindValue(amount);
        query.addBindValue(isSplit ? QVariant(QMetaType::fromType<QString>())
                                   : QVariant(categories.at(int(next() % categories.size()))));
        query.addBindValue(i % 7 == 0 ? QString::number(1000 + i) : QStringLiteral(""));
        query.addBindValue(i % 2);
        query.addBindValue(isSplit ? 1 : 0);
        query.addBindValue(stamp);
        query.addBindValue(stamp);
        if (!exec(query))
            return false;
        if (isSplit) {
            for (int line = 0; line < 2; ++line) {
                split.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
                split.addBindValue(id);
                split.addBindValue(categories.at(int(next() % categories.size())));
                split.addBindValue(line == 0 ? amount / 2 : amount - amount / 2);
                if (!exec(split))
                    return false;
            }
        }
    }
    // Some deleted rows, as a real file has.
    query.prepare(QStringLiteral("UPDATE transactions SET deleted_at = '2024-01-01T00:00:00Z' "
                                 "WHERE rowid % 97 = 0"));
    if (!exec(query))
        return false;
    return connection.commit() && query.exec(QStringLiteral("ANALYZE"));
}

// Registers a side of one measurement: `run` returns a checksum so that both
// sides can be seen to produce the same answer and nothing is optimised away.
struct Side
{
    Side(std::function<qint64()> function)
        : run(std::move(function))
    {
    }
    std::function<qint64()> run;
    std::vector<double> millis;
    qint64 checksum = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool measure(const QString &name, double target, Side repository, Side raw,
             const std::function<void()> &between = {})
{
    for (int round = 0; round < kRounds; ++round) {
        for (Side *side : {&raw, &repository}) {
            QElapsedTimer timer;
            timer.start();
            side->checksum = side->run();
            side->millis.push_back(timer.nsecsElapsed() / 1e6);
            if (between)
                between();
        }
    }
    const double repo = median(repository.millis);
    const double base = median(raw.millis);
    const double ratio = repo / base;
    const bool same = repository.checksum == raw.checksum;
    const bool ok = same && ratio <= target;
    out() << QStringLiteral("%1  repository %2 ms  raw %3 ms  ratio %4 (target <= %5)  %6\n")
                 .arg(name, -34)
                 .arg(repo, 8, 'f', 2)
                 .arg(base, 8, 'f', 2)
                 .arg(ratio, 5, 'f', 2)
                 .arg(target, 3, 'f', 1)
                 .arg(!same ? QStringLiteral("DIFFERENT ANSWERS")
                      : ok  ? QStringLiteral("ok")
                            : QStringLiteral("SLOW"));
    out().flush();
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    Database db(dir.path());
    if (!db.open() || !MigrationRunner(&db).migrate())
        return 2;

    QElapsedTimer setup;
    setup.start();
    if (!buildDatabase(db))
        return 2;
    out() << QStringLiteral("built %1 transactions over %2 accounts in %3 s\n")
                 .arg(kTransactions)
                 .arg(kAccounts)
                 .arg(setup.elapsed() / 1000.0, 0, 'f', 1);

    AccountRepository accounts(&db);
    TransactionRepository transactions(&db);
    bool allOk = true;

    // Register rows: the same rows, balances and category paths.
    allOk &= measure(QStringLiteral("register rows (20,000-row account)"), 1.5, {[&] {
                         const QList<RegisterRow> rows = transactions.registerRows(accountId(0));
                         return rows.isEmpty() ? 0 : rows.size() * 1000000000LL + rows.last().balance;
                     }},
                     {[&] {
                         QSqlQuery query(db.database());
                         query.setForwardOnly(true);
                         query.prepare(TransactionRepository::registerRowsSql());
                         query.addBindValue(accountId(0));
                         query.addBindValue(accountId(0));
                         query.exec();
                         std::vector<QVariant> values;
                         values.reserve(kBigAccountRows * 21);
                         qint64 balance = 0;
                         qint64 count = 0;
                         while (query.next()) {
                             if (count++ == 0)
                                 balance = query.value(21).toLongLong();
                             for (int column = 0; column < 21; ++column)
                                 values.push_back(query.value(column));
                             balance += values[values.size() - 16].toLongLong();
                         }
                         return count * 1000000000LL + balance;
                     }});

    // Balances of all accounts.
    allOk &= measure(
        QStringLiteral("all balances"), 1.5, {[&] {
            const QHash<QString, qint64> balances = accounts.balances(QStringLiteral("current"));
            qint64 sum = 0;
            for (auto it = balances.begin(); it != balances.end(); ++it)
                sum += it.value() * (it.key().right(2).toInt() + 1);
            return sum;
        }},
        {[&] {
            QHash<QString, qint64> balances;
            QSqlQuery query(db.database());
            query.setForwardOnly(true);
            query.exec(QStringLiteral("SELECT id, starting_balance FROM accounts WHERE deleted_at IS NULL"));
            while (query.next())
                balances.insert(query.value(0).toString(), query.value(1).toLongLong());
            query.exec(
                QStringLiteral("SELECT account_id, SUM(amount) FROM transactions WHERE deleted_at IS NULL "
                               "GROUP BY account_id"));
            while (query.next())
                balances[query.value(0).toString()] += query.value(1).toLongLong();
            qint64 sum = 0;
            for (auto it = balances.begin(); it != balances.end(); ++it)
                sum += it.value() * (it.key().right(2).toInt() + 1);
            return sum;
        }});

    // Search for a common prefix: the 200 newest matches with category paths.
    allOk &= measure(
        QStringLiteral("search \"gro\""), 2.0, {[&] {
            const QList<RegisterRow> rows = transactions.search(QStringLiteral("gro"), {});
            qint64 sum = rows.size();
            for (const RegisterRow &row : rows)
                sum += row.transaction.amount;
            return sum;
        }},
        {[&] {
            QSqlQuery query(db.database());
            query.setForwardOnly(true);
            query.prepare(QStringLiteral(
                "SELECT t.id, t.account_id, t.date, t.payee, t.memo, t.amount, t.category_id, "
                "t.check_number, "
                "t.cleared, t.reconciled, t.transfer_link_id, t.transfer_dest_account_id, t.is_split, "
                "t.recurring_id, t.version, t.sync_status, t.server_id, t.created_at, t.updated_at, "
                "t.deleted_at, "
                "CASE WHEN p.id IS NULL THEN COALESCE(c.name, '') ELSE p.name || ' > ' || c.name END "
                "FROM transactions_fts JOIN transactions t ON t.rowid = transactions_fts.rowid "
                "LEFT JOIN categories c ON c.id = t.category_id LEFT JOIN categories p ON p.id = c.parent_id "
                "WHERE t.deleted_at IS NULL AND transactions_fts MATCH ? "
                "ORDER BY t.date DESC, t.created_at DESC LIMIT 200"));
            query.addBindValue(QStringLiteral("gro*"));
            query.exec();
            std::vector<QVariant> values;
            qint64 sum = 0;
            while (query.next()) {
                ++sum;
                for (int column = 0; column < 21; ++column)
                    values.push_back(query.value(column));
                sum += query.value(5).toLongLong();
            }
            return sum;
        }});

    // Payee list.
    allOk &= measure(
        QStringLiteral("all payees"), 1.5, {[&] {
            const QStringList list = transactions.allPayees();
            return qint64(list.size()) * 1000 + list.last().size();
        }},
        {[&] {
            QStringList list;
            QSqlQuery query(db.database());
            query.setForwardOnly(true);
            query.exec(QStringLiteral("SELECT DISTINCT payee FROM transactions WHERE deleted_at IS NULL AND "
                                      "payee != '' ORDER BY payee"));
            while (query.next())
                list.append(query.value(0).toString());
            return qint64(list.size()) * 1000 + list.last().size();
        }});

    // 10,000 inserts inside one database transaction, into an empty account
    // each round (emptied again between rounds, not timed).
    const QString target = accountId(kAccounts - 1);
    auto insertedRows = [&](const QString &accountId) {
        QSqlQuery query(db.database());
        query.prepare(QStringLiteral("SELECT COUNT(*), SUM(amount) FROM transactions WHERE account_id = ? "
                                     "AND created_at = '2030-01-01T00:00:00Z'"));
        query.addBindValue(accountId);
        query.exec();
        query.next();
        return query.value(0).toLongLong() * 1000000000LL + query.value(1).toLongLong();
    };
    auto sample = [](int i, const QString &accountId) {
        Transaction t;
        t.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        t.accountId = accountId;
        t.date = QDate(2024, 1, 1).addDays(i % 365);
        t.payee = payees().at(i % payees().size());
        t.memo = QStringLiteral("imported");
        t.amount = -(i % 9000);
        t.categoryId = QStringLiteral("cat-%1").arg(i % 8);
        t.createdAt = QDateTime(QDate(2030, 1, 1), QTime(0, 0), Qt::UTC);
        t.updatedAt = t.createdAt;
        return t;
    };
    allOk &= measure(
        QStringLiteral("insert 10,000 in one transaction"), 2.0, {[&] {
            db.database().transaction();
            for (int i = 0; i < kInserts; ++i)
                transactions.insert(sample(i, target));
            db.database().commit();
            return insertedRows(target);
        }},
        {[&] {
            db.database().transaction();
            QSqlQuery query(db.database());
            query.prepare(QStringLiteral(
                "INSERT INTO transactions (id, account_id, date, payee, memo, amount, category_id, "
                "check_number, "
                "cleared, reconciled, transfer_link_id, transfer_dest_account_id, is_split, recurring_id, "
                "version, "
                "sync_status, server_id, created_at, updated_at) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, '', 0, 0, NULL, NULL, 0, NULL, 1, 'pending', NULL, ?, ?)"));
            for (int i = 0; i < kInserts; ++i) {
                const Transaction t = sample(i, target);
                query.addBindValue(t.id);
                query.addBindValue(t.accountId);
                query.addBindValue(t.date.toString(Qt::ISODate));
                query.addBindValue(t.payee);
                query.addBindValue(t.memo);
                query.addBindValue(t.amount);
                query.addBindValue(t.categoryId);
                query.addBindValue(t.createdAt.toString(Qt::ISODate));
                query.addBindValue(t.updatedAt.toString(Qt::ISODate));
                query.exec();
            }
            db.database().commit();
            return insertedRows(target);
        }},
        [&] {
            QSqlQuery query(db.database());
            query.prepare(
                QStringLiteral("DELETE FROM transactions WHERE created_at = '2030-01-01T00:00:00Z'"));
            query.exec();
        });

    out() << (allOk ? "all targets met\n" : "some targets missed\n");
    out().flush();
    return allOk ? 0 : 1;
}
