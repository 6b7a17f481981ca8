#include "TransactionRepository.h"

#include "ColumnTables.h"
#include "Database.h"
#include "ReadFailureWatch.h"
#include "SqlStatement.h"
#include "SqlValues.h"
#include "SqliteRows.h"

#include <QDebug>
#include <QHash>
#include <QtNumeric>

namespace {

constexpr const auto &kTable = ColumnTables::transactions;

const QString &columns()
{
    static const QString text = RecordColumns::selectList(kTable, "t");
    return text;
}

// A subcategory shows as "Parent > Child".
const QLatin1String
    kCategoryPath("CASE WHEN p.id IS NULL THEN COALESCE(c.name, '') ELSE p.name || ' > ' || c.name END");

// With full text, the index drives the join and the transactions follow by rowid.
// A deleted category counts as none (its rows keep the id, so that restoring it
// or a peer still using it brings the path back); a deleted parent leaves the
// child's own name.
QString fromWithCategories(bool fullText)
{
    return QStringLiteral("FROM %1 LEFT JOIN categories c ON c.id = t.category_id AND c.deleted_at IS NULL "
                          "LEFT JOIN categories p ON p.id = c.parent_id AND p.deleted_at IS NULL ")
        .arg(fullText
                 ? QLatin1String("transactions_fts JOIN transactions t ON t.rowid = transactions_fts.rowid")
                 : QLatin1String("transactions t"));
}

// A register's row: the transaction's columns, then its category path.
RegisterRow registerRowFrom(const SqliteRows &q, RowTexts &texts)
{
    return RegisterRow{RecordColumns::read(kTable, q, texts), 0, texts(q.utf8(kTable.size))};
}

QString select(const char *rest)
{
    return QStringLiteral("SELECT %1 FROM transactions t %2").arg(columns(), QLatin1String(rest));
}

} // namespace

TransactionRepository::TransactionRepository(Database *database, QObject *parent)
    : SyncedRepository(database, kTable.name, "TransactionRepository", parent)
{
}

void TransactionRepository::announceChange(const QString &accountId)
{
    emit transactionsChanged(accountId);
}

std::optional<Transaction> TransactionRepository::findById(const QString &id) const
{
    return RecordColumns::readOne(kTable, m_database->database(), select("WHERE t.id = ?"), {id},
                                  "TransactionRepository::findById");
}

QList<Transaction> TransactionRepository::findByAccount(const QString &accountId) const
{
    return RecordColumns::readAll(
        kTable, m_database->database(),
        select("WHERE t.account_id = ? AND t.deleted_at IS NULL ORDER BY t.date DESC, t.created_at DESC"),
        {accountId}, "TransactionRepository::findByAccount");
}

QList<Transaction> TransactionRepository::findUnreconciled(const QString &accountId) const
{
    return RecordColumns::readAll(
        kTable, m_database->database(),
        select("WHERE t.account_id = ? AND t.deleted_at IS NULL AND t.reconciled = 0 "
               "ORDER BY t.date ASC, t.created_at ASC"),
        {accountId}, "TransactionRepository::findUnreconciled");
}

std::optional<Transaction> TransactionRepository::findByServerId(const QString &serverId) const
{
    if (serverId.isEmpty())
        return std::nullopt;
    return RecordColumns::readOne(kTable, m_database->database(), select("WHERE t.server_id = ?"), {serverId},
                                  "TransactionRepository::findByServerId");
}

QList<Transaction> TransactionRepository::findPendingSync() const
{
    // A push reads every pending row at once, often thousands.
    return SqliteRows::readAll<Transaction>(
        m_database->database(), select("WHERE t.sync_status = 'pending'"), {},
        [texts = RowTexts(true)](const SqliteRows &q) mutable {
            return RecordColumns::read(kTable, q, texts);
        },
        "TransactionRepository::findPendingSync");
}

QString TransactionRepository::registerRowsSql()
{
    // The starting balance is an uncorrelated subquery, evaluated once.
    return QStringLiteral("SELECT %1, %2, (SELECT a.starting_balance FROM accounts a WHERE a.id = ?) %3"
                          "WHERE t.account_id = ? AND t.deleted_at IS NULL "
                          "ORDER BY t.date, t.created_at, t.rowid")
        .arg(columns(), kCategoryPath, fromWithCategories(false));
}

QList<RegisterRow> TransactionRepository::registerRows(const QString &accountId) const
{
    QList<RegisterRow> list;
    list.reserve(m_registerSizes.value(accountId));
    SqliteRows rows(m_database->database(), registerRowsSql(), {accountId, accountId});
    RowTexts texts(true);
    qint64 balance = 0;
    while (rows.next()) {
        if (list.isEmpty())
            balance = rows.integer(kTable.size + 1);
        RegisterRow &row = list.emplace_back(registerRowFrom(rows, texts));
        // A file holding amounts no register can total is as unreadable as a
        // damaged one; wrapped balances would pass for true ones.
        if (qAddOverflow(balance, row.transaction.amount, &balance)) {
            qWarning() << "TransactionRepository::registerRows failed: the running balance overflows";
            ReadFailureWatch::noteOverflow();
            return {};
        }
        row.balance = balance;
    }
    // Rows up to a failure would show a wrong balance as the account's.
    if (rows.failed()) {
        SqlStatement::readFailed(rows.lastError(), "TransactionRepository::registerRows");
        return {};
    }
    m_registerSizes.insert(accountId, list.size());
    return list;
}

QString TransactionRepository::allPayeesSql()
{
    return QStringLiteral("SELECT DISTINCT payee FROM transactions WHERE deleted_at IS NULL AND payee != '' "
                          "ORDER BY payee");
}

QStringList TransactionRepository::allPayees() const
{
    return SqliteRows::readAll<QString>(
        m_database->database(), allPayeesSql(), {}, [](const SqliteRows &q) { return q.text(0); },
        "TransactionRepository::allPayees");
}

QStringList TransactionRepository::payees(const QString &accountId) const
{
    Q_UNUSED(accountId)
    return allPayees();
}

QString TransactionRepository::fullTextQuery(const QString &text)
{
    QStringList terms;
    QString run;
    auto flush = [&] {
        if (!run.isEmpty())
            terms.append(QLatin1Char('"') + run + QLatin1String("\"*"));
        run.clear();
    };
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            run.append(c);
        else
            flush();
    }
    flush();
    return terms.join(QLatin1Char(' '));
}

QList<RegisterRow> TransactionRepository::search(const QString &text,
                                                 const TransactionSearchFilter &filter) const
{
    const QString match = fullTextQuery(text);
    QString sql = QStringLiteral("SELECT %1, %2 %3WHERE t.deleted_at IS NULL")
                      .arg(columns(), kCategoryPath, fromWithCategories(!match.isEmpty()));
    QVariantList values;
    if (!match.isEmpty()) {
        sql += QStringLiteral(" AND transactions_fts MATCH ?");
        values.append(match);
    }
    if (!filter.accountId.isEmpty()) {
        sql += QStringLiteral(" AND t.account_id = ?");
        values.append(filter.accountId);
    }
    if (!filter.categoryId.isEmpty()) {
        sql += QStringLiteral(" AND t.category_id = ?");
        values.append(filter.categoryId);
    }
    if (filter.dateFrom.isValid()) {
        sql += QStringLiteral(" AND t.date >= ?");
        values.append(filter.dateFrom.toString(Qt::ISODate));
    }
    if (filter.dateTo.isValid()) {
        sql += QStringLiteral(" AND t.date <= ?");
        values.append(filter.dateTo.toString(Qt::ISODate));
    }
    if (filter.cleared) {
        sql += QStringLiteral(" AND t.cleared = ?");
        values.append(SqlValues::flag(*filter.cleared));
    }
    sql += QStringLiteral(" ORDER BY t.date DESC, t.created_at DESC LIMIT %1").arg(SearchLimit);
    // Kept prepared: a search runs at each pause in typing, and a term that
    // finds few rows would spend more on preparing than on running it. The
    // filters make only a few distinct statements.
    return SqliteRows::readAll<RegisterRow>(
        m_database, sql, values,
        [texts = RowTexts(true)](const SqliteRows &q) mutable { return registerRowFrom(q, texts); },
        "TransactionRepository::search");
}

std::optional<Transaction> TransactionRepository::findOpening(const QString &accountId) const
{
    return RecordColumns::readOne(
        kTable, m_database->database(),
        select("WHERE t.account_id = ? AND t.deleted_at IS NULL AND t.is_opening = 1 "
               "ORDER BY t.date ASC, t.created_at ASC LIMIT 1"),
        {accountId}, "TransactionRepository::findOpening");
}

bool TransactionRepository::markOpening(const QStringList &payees)
{
    if (payees.isEmpty())
        return true;
    QStringList marks;
    QVariantList values;
    for (const QString &payee : payees) {
        marks << QStringLiteral("?");
        values << payee;
    }
    const QString sql =
        QStringLiteral("UPDATE transactions SET is_opening = 1 WHERE id IN ("
                       "SELECT (SELECT t.id FROM transactions t WHERE t.account_id = a.id "
                       "AND t.deleted_at IS NULL AND t.payee IN (%1) AND IFNULL(t.category_id, '') = '' "
                       "AND IFNULL(t.transfer_dest_account_id, '') = '' AND t.is_split = 0 "
                       "ORDER BY t.date, t.created_at LIMIT 1) "
                       "FROM accounts a WHERE NOT EXISTS (SELECT 1 FROM transactions m WHERE "
                       "m.account_id = a.id AND m.deleted_at IS NULL AND m.is_opening = 1))")
            .arg(marks.join(QLatin1String(", ")));
    return SqlStatement::write(m_database, sql, values, "TransactionRepository::markOpening").has_value();
}

bool TransactionRepository::insert(const Transaction &transaction)
{
    static const QString sql = RecordColumns::insertSql(kTable);
    const QVariantList values = RecordColumns::insertValues(kTable, transaction);
    if (!SqlStatement::writeOften(m_database, sql, values, "TransactionRepository::insert"))
        return false;
    emit transactionWritten(transaction.accountId, transaction.id);
    emit transactionsChanged(transaction.accountId);
    return true;
}

bool TransactionRepository::update(const Transaction &transaction)
{
    static const QString sql = RecordColumns::updateSql(kTable);
    const QVariantList values = RecordColumns::updateValues(kTable, transaction);
    if (!SqlStatement::writeOften(m_database, sql, values, "TransactionRepository::update"))
        return false;
    emit transactionWritten(transaction.accountId, transaction.id);
    emit transactionsChanged(transaction.accountId);
    return true;
}

bool TransactionRepository::softDelete(const QString &id)
{
    const std::optional<Transaction> existing = findById(id);
    if (!existing)
        return false;
    if (!stampDeleted(id, QDateTime()))
        return false;
    emit transactionWritten(existing->accountId, id);
    emit transactionsChanged(existing->accountId);
    return true;
}

QList<RegisterRow> TransactionRepository::registerRowsByIds(const QStringList &ids) const
{
    if (ids.isEmpty())
        return {};
    const auto sqlFor = [](qsizetype count) {
        QStringList marks;
        marks.fill(QStringLiteral("?"), count);
        return QStringLiteral("SELECT %1, %2 %3WHERE t.id IN (%4)")
            .arg(columns(), kCategoryPath, fromWithCategories(false), marks.join(QLatin1Char(',')));
    };
    QVariantList values;
    values.reserve(ids.size());
    for (const QString &id : ids)
        values.append(id);
    auto read = [texts = RowTexts(true)](const SqliteRows &q) mutable { return registerRowFrom(q, texts); };
    // The one row an edit writes is read back after every edit: on a kept statement.
    if (ids.size() == 1) {
        static const QString one = sqlFor(1);
        return SqliteRows::readAll<RegisterRow>(m_database, one, values, read,
                                                "TransactionRepository::registerRowsByIds");
    }
    return SqliteRows::readAll<RegisterRow>(m_database->database(), sqlFor(ids.size()), values, read,
                                            "TransactionRepository::registerRowsByIds");
}
