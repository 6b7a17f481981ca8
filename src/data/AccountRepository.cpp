#include "AccountRepository.h"

#include "ColumnTables.h"
#include "Database.h"
#include "ReadFailureWatch.h"
#include "SqlStatement.h"
#include "SqlValues.h"
#include "SqliteRows.h"
#include "WideSum.h"

#include <QDate>
#include <QSqlQuery>
#include <algorithm>
#include <bit>
#include <utility>

namespace {

constexpr const auto &kTable = ColumnTables::accounts;
// What a list of accounts shows: the sidebar reads them after every change,
// without the time stamps' parsing. Named, so that a column added anywhere in
// the table leaves them as they are.
constexpr RecordColumns::ColumnSet kListedColumns = RecordColumns::columnsNamed(
    kTable, {"id", "name", "account_type", "currency", "institution", "account_number_last4"});
constexpr int kListedCount = std::popcount(kListedColumns);

QString select(const char *rest)
{
    return QStringLiteral("SELECT %1 FROM accounts %2")
        .arg(RecordColumns::selectList(kTable), QLatin1String(rest));
}

// An account's balance from the sums the triggers keep: its starting balance,
// its live transactions (or the cleared ones), less those dated after today
// for the balance as of today. Binds the date first when it needs it.
QString balanceExpression(const QString &mode)
{
    const QString sums =
        QStringLiteral("(SELECT s.%1 FROM account_totals s WHERE s.account_id = a.id)")
            .arg(mode == QLatin1String("cleared") ? QLatin1String("cleared") : QLatin1String("current"));
    QString expression = QStringLiteral("a.starting_balance + COALESCE(%1, 0)").arg(sums);
    if (mode == QLatin1String("asOfToday"))
        expression += QStringLiteral(" - (SELECT COALESCE(SUM(t.amount), 0) FROM transactions t "
                                     "WHERE t.account_id = a.id AND t.deleted_at IS NULL AND t.date > ?)");
    return expression;
}

// The balance modes; any other text means "current". The statements of each
// are read after every edit and built once.
const QStringList &modes()
{
    static const QStringList list{QStringLiteral("current"), QStringLiteral("cleared"),
                                  QStringLiteral("asOfToday")};
    return list;
}

qsizetype modeIndex(const QString &mode)
{
    return std::max<qsizetype>(0, modes().indexOf(mode));
}

QVariantList dateValues(const QString &mode)
{
    if (mode == QLatin1String("asOfToday"))
        return {QDate::currentDate().toString(Qt::ISODate)};
    return {};
}

} // namespace

AccountRepository::AccountRepository(Database *database, QObject *parent)
    : SyncedRepository(database, kTable.name, "AccountRepository", parent)
{
}

void AccountRepository::announceChange(const QString &accountId)
{
    Q_UNUSED(accountId)
    emit accountsChanged();
}

QList<Account> AccountRepository::findAll() const
{
    // Read again after every change of accounts: the statement is kept.
    static const QString sql = select("WHERE deleted_at IS NULL ORDER BY sort_order, name");
    return RecordColumns::readAll(kTable, m_database, sql, {}, "AccountRepository::findAll");
}

std::optional<Account> AccountRepository::findById(const QString &id) const
{
    static const QString sql = select("WHERE id = ?");
    return RecordColumns::readOne(kTable, m_database, sql, {id}, "AccountRepository::findById");
}

QList<Account> AccountRepository::findDeleted() const
{
    return RecordColumns::readAll(kTable, m_database->database(),
                                  select("WHERE deleted_at IS NOT NULL ORDER BY name"), {},
                                  "AccountRepository::findDeleted");
}

std::optional<Account> AccountRepository::findByServerId(const QString &serverId) const
{
    if (serverId.isEmpty())
        return std::nullopt;
    return RecordColumns::readOne(kTable, m_database->database(), select("WHERE server_id = ?"), {serverId},
                                  "AccountRepository::findByServerId");
}

QList<Account> AccountRepository::findPendingSync() const
{
    return RecordColumns::readAll(kTable, m_database->database(), select("WHERE sync_status = 'pending'"), {},
                                  "AccountRepository::findPendingSync");
}

bool AccountRepository::insert(const Account &account)
{
    static const QString sql = RecordColumns::insertSql(kTable);
    if (!SqlStatement::write(m_database, sql, RecordColumns::insertValues(kTable, account),
                             "AccountRepository::insert"))
        return false;
    emit accountsChanged();
    return true;
}

bool AccountRepository::update(const Account &account)
{
    static const QString sql = RecordColumns::updateSql(kTable);
    if (!SqlStatement::write(m_database, sql, RecordColumns::updateValues(kTable, account),
                             "AccountRepository::update"))
        return false;
    emit accountsChanged();
    return true;
}

bool AccountRepository::softDelete(const QString &id, const QDateTime &deletedAt)
{
    if (!stampDeleted(id, deletedAt))
        return false;
    emit accountsChanged();
    return true;
}

bool AccountRepository::restore(const QString &id)
{
    if (!SqlStatement::write(
            m_database,
            QStringLiteral("UPDATE accounts SET deleted_at=NULL, sync_status='pending', updated_at=? "
                           "WHERE id=?"),
            {SqlValues::nowText(), id}, "AccountRepository::restore"))
        return false;
    emit accountsChanged();
    return true;
}

QHash<QString, qint64> AccountRepository::balances(const QString &mode) const
{
    QHash<QString, qint64> result;
    QStringList inexact;
    const ReadFailureWatch watch;
    {
        // Read after every change of accounts or mode, on a kept statement.
        SqliteRows rows(m_database, balancesSql(mode), dateValues(mode));
        while (rows.next()) {
            if (const std::optional<qint64> amount = rows.exactInteger(1))
                result.insert(rows.text(0), *amount);
            else
                inexact << rows.text(0);
        }
        if (rows.failed())
            SqlStatement::readFailed(rows.lastError(), "AccountRepository::balances");
    }
    if (watch.failed()) {
        // One account's rows can fail the whole read (damage, a total past
        // 64 bits): the others are still worth showing, the failed one stays out.
        result.clear();
        for (const Account &account : findAll()) {
            if (const std::optional<qint64> one = balance(account.id, mode))
                result.insert(account.id, *one);
        }
        return result;
    }
    for (const QString &id : std::as_const(inexact)) {
        if (const std::optional<qint64> amount = summedBalance(id, mode))
            result.insert(id, *amount);
    }
    return result;
}

QString AccountRepository::balancesSql(const QString &mode)
{
    static const QStringList sql = [] {
        QStringList byMode;
        for (const QString &each : modes())
            byMode << QStringLiteral("SELECT a.id, %1 FROM accounts a WHERE a.deleted_at IS NULL")
                          .arg(balanceExpression(each));
        return byMode;
    }();
    return sql.at(modeIndex(mode));
}

std::optional<QList<ListedAccount>> AccountRepository::listed(const QString &mode) const
{
    QList<ListedAccount> list;
    {
        SqliteRows rows(m_database, listedSql(mode), dateValues(mode));
        while (rows.next()) {
            ListedAccount &each = list.emplace_back();
            RowTexts texts;
            each.account = RecordColumns::read(kTable, rows, texts, kListedColumns);
            each.balance = rows.exactInteger(kListedCount);
        }
        if (rows.failed())
            return std::nullopt;
    }
    // A kept sum past 64 bits is no figure: the rows themselves are summed.
    for (ListedAccount &each : list) {
        if (!each.balance)
            each.balance = summedBalance(each.account.id, mode);
    }
    return list;
}

QString AccountRepository::listedSql(const QString &mode)
{
    static const QStringList sql = [] {
        QStringList byMode;
        for (const QString &each : modes())
            byMode << QStringLiteral("SELECT %1, %2 FROM accounts a WHERE a.deleted_at IS NULL "
                                     "ORDER BY a.sort_order, a.name")
                          .arg(RecordColumns::selectList(kTable, "a", kListedColumns),
                               balanceExpression(each));
        return byMode;
    }();
    return sql.at(modeIndex(mode));
}

QString AccountRepository::balanceSql(const QString &mode)
{
    static const QStringList sql = [] {
        QStringList byMode;
        for (const QString &each : modes())
            byMode << QStringLiteral("SELECT %1 FROM accounts a WHERE a.id = ? AND a.deleted_at IS NULL")
                          .arg(balanceExpression(each));
        return byMode;
    }();
    return sql.at(modeIndex(mode));
}

std::optional<qint64> AccountRepository::balance(const QString &accountId, const QString &mode) const
{
    // Read after every edit, on a kept statement.
    std::optional<qint64> amount;
    bool found = false;
    {
        SqliteRows rows(m_database, balanceSql(mode), dateValues(mode) << accountId);
        if (rows.next()) {
            found = true;
            amount = rows.exactInteger(0);
        } else if (rows.failed()) {
            SqlStatement::readFailed(rows.lastError(), "AccountRepository::balance");
        }
    }
    if (!found || amount)
        return amount;
    return summedBalance(accountId, mode);
}

std::optional<qint64> AccountRepository::summedBalance(const QString &accountId, const QString &mode) const
{
    // The kept sums overflowed once and are no longer exact: the rows
    // themselves are added up, in 128 bits, since SQLite's SUM() fails as soon
    // as a partial sum leaves 64 bits even when the whole comes back in range.
    QString condition;
    if (mode == QLatin1String("cleared"))
        condition = QStringLiteral(" AND (t.cleared = 1 OR t.reconciled = 1)");
    else if (mode == QLatin1String("asOfToday"))
        condition = QStringLiteral(" AND t.date <= ?");
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    const QString sql =
        QStringLiteral("SELECT a.starting_balance, t.amount FROM accounts a "
                       "LEFT JOIN transactions t ON t.account_id = a.id AND t.deleted_at IS NULL%1 "
                       "WHERE a.id = ? AND a.deleted_at IS NULL")
            .arg(condition);
    if (!SqlStatement::run(query, sql, dateValues(mode) << accountId)) {
        SqlStatement::readFailed(query, "AccountRepository::summedBalance");
        return std::nullopt;
    }
    WideSum sum;
    bool live = false;
    while (query.next()) {
        if (!std::exchange(live, true))
            sum.add(query.value(0).toLongLong());
        if (!query.value(1).isNull())
            sum.add(query.value(1).toLongLong());
    }
    if (SqlStatement::stoppedOnError(query)) {
        SqlStatement::readFailed(query, "AccountRepository::summedBalance");
        return std::nullopt;
    }
    if (!live)
        return std::nullopt;
    const std::optional<qint64> amount = sum.value();
    if (!amount)
        ReadFailureWatch::noteOverflow();
    return amount;
}
