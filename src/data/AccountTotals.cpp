#include "AccountTotals.h"

#include "Database.h"
#include "SqlStatement.h"
#include "SqliteRows.h"
#include "WideSum.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <optional>
#include <utility>

namespace {

// What a write may change, in one statement: each account involved (the
// transaction's own, and the one its stored live row is on) with its starting
// balance, its kept sums, and the stored row's part of them when it is there.
const QString InvolvedSql = QStringLiteral(
    "SELECT a.id, a.starting_balance, s.current, s.cleared, t.amount, t.cleared = 1 OR t.reconciled = 1 "
    "FROM accounts a LEFT JOIN account_totals s ON s.account_id = a.id "
    "LEFT JOIN transactions t ON t.id = ? AND t.account_id = a.id AND t.deleted_at IS NULL "
    "WHERE a.id = ? OR a.id = (SELECT account_id FROM transactions WHERE id = ? AND deleted_at IS NULL)");

struct Sums
{
    WideSum current;
    WideSum cleared;
    qint64 startingBalance = 0;
};

// The sums kept in floating point passed 64 bits once and are no longer exact:
// the rows are added up again.
bool sumRows(Database *database, const QString &accountId, Sums &sums)
{
    QSqlQuery query(database->database());
    query.setForwardOnly(true);
    const bool ran =
        SqlStatement::run(query,
                          QStringLiteral("SELECT amount, cleared = 1 OR reconciled = 1 FROM "
                                         "transactions WHERE account_id = ? AND deleted_at IS NULL"),
                          {accountId});
    while (ran && query.next()) {
        const qint64 amount = query.value(0).toLongLong();
        sums.current.add(amount);
        if (query.value(1).toBool())
            sums.cleared.add(amount);
    }
    if (!ran || SqlStatement::stoppedOnError(query)) {
        SqlStatement::readFailed(query, "AccountTotals::sumRows");
        return false;
    }
    return true;
}

bool exact(const QVariant &value)
{
    return value.isNull() || value.typeId() == QMetaType::LongLong;
}

bool inRange(WideSum sum, qint64 startingBalance)
{
    if (!sum.value())
        return false;
    sum.add(startingBalance);
    return sum.value().has_value();
}

} // namespace

namespace AccountTotals {

bool stayInRange(Database *database, const Transaction &transaction)
{
    // Runs for every pulled or imported row: on the connection's kept
    // statement, read in place.
    SqliteRows rows(database, InvolvedSql, {transaction.id, transaction.accountId, transaction.id});
    QList<std::pair<QString, Sums>> involved;
    while (rows.next()) {
        const QString accountId = rows.text(0);
        Sums sums;
        sums.startingBalance = rows.integer(1);
        const std::optional<qint64> current = rows.exactInteger(2);
        const std::optional<qint64> cleared = rows.exactInteger(3);
        if ((current || rows.isNull(2)) && (cleared || rows.isNull(3))) {
            sums.current.add(current.value_or(0));
            sums.cleared.add(cleared.value_or(0));
        } else if (!sumRows(database, accountId, sums)) {
            continue;
        }
        // The stored row leaves its account's sums...
        if (!rows.isNull(4)) {
            sums.current.subtract(rows.integer(4));
            if (rows.integer(5) != 0)
                sums.cleared.subtract(rows.integer(4));
        }
        // ...and the transaction joins its own account's, unless deleted.
        if (accountId == transaction.accountId && !transaction.deletedAt) {
            sums.current.add(transaction.amount);
            if (transaction.cleared || transaction.reconciled)
                sums.cleared.add(transaction.amount);
        }
        involved.append({accountId, sums});
    }
    if (rows.failed()) {
        SqlStatement::readFailed(rows.lastError(), "AccountTotals::stayInRange");
        return true;
    }
    for (const auto &[accountId, sums] : std::as_const(involved)) {
        if (!inRange(sums.current, sums.startingBalance) || !inRange(sums.cleared, sums.startingBalance))
            return false;
    }
    return true;
}

bool startingBalanceInRange(Database *database, const QString &accountId, qint64 startingBalance)
{
    QSqlQuery query(database->database());
    query.setForwardOnly(true);
    if (!SqlStatement::run(query,
                           QStringLiteral("SELECT current, cleared FROM account_totals WHERE account_id = ?"),
                           {accountId})) {
        SqlStatement::readFailed(query, "AccountTotals::startingBalanceInRange");
        return true;
    }
    if (!query.next())
        return true;
    Sums sums;
    if (exact(query.value(0)) && exact(query.value(1))) {
        sums.current.add(query.value(0).toLongLong());
        sums.cleared.add(query.value(1).toLongLong());
    } else if (!sumRows(database, accountId, sums)) {
        return true;
    }
    return inRange(sums.current, startingBalance) && inRange(sums.cleared, startingBalance);
}

quint64 magnitude(qint64 amount)
{
    return amount < 0 ? quint64(0) - quint64(amount) : quint64(amount);
}

void addCapped(quint64 &total, quint64 amount)
{
    constexpr quint64 cap = quint64(1) << 63;
    total = amount > cap - qMin(total, cap) ? cap : total + amount;
}

std::optional<quint64> largestSums(Database *database)
{
    QSqlQuery query(database->database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT a.starting_balance, t.current, t.cleared FROM accounts a "
                                   "LEFT JOIN account_totals t ON t.account_id = a.id")))
        return std::nullopt;
    quint64 bound = 0;
    while (query.next()) {
        quint64 largest = 0;
        for (int column : {1, 2}) {
            const QVariant sum = query.value(column);
            if (!exact(sum))
                return std::nullopt;
            largest = qMax(largest, magnitude(sum.toLongLong()));
        }
        addCapped(largest, magnitude(query.value(0).toLongLong()));
        bound = qMax(bound, largest);
    }
    if (SqlStatement::stoppedOnError(query))
        return std::nullopt;
    return bound;
}

} // namespace AccountTotals
