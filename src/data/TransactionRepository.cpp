#include "TransactionRepository.h"

#include "Database.h"
#include "ReadFailureWatch.h"
#include "SqlStatement.h"
#include "SqlValues.h"
#include "SqliteRows.h"

#include <QDebug>
#include <QHash>
#include <QtNumeric>

namespace {

const char *const kTable = "transactions";

const QString &columns()
{
    static const QString text = QStringLiteral(
        "t.id, t.account_id, t.date, t.payee, t.memo, t.amount, t.category_id, t.check_number, t.cleared, "
        "t.reconciled, t.transfer_link_id, t.transfer_dest_account_id, t.is_split, t.recurring_id, "
        "t.version, "
        "t.sync_status, t.server_id, t.created_at, t.updated_at, t.deleted_at");
    return text;
}
constexpr int kColumnCount = 20;

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

const QStringList &editableColumns()
{
    static const QStringList list{
        "date",         "payee",        "memo",       "amount",           "category_id",
        "check_number", "cleared",      "reconciled", "transfer_link_id", "transfer_dest_account_id",
        "is_split",     "recurring_id", "version",    "sync_status",      "server_id"};
    return list;
}

QVariantList editableValues(const Transaction &t)
{
    return {SqlValues::date(t.date),
            SqlValues::text(t.payee),
            SqlValues::text(t.memo),
            t.amount,
            SqlValues::reference(t.categoryId),
            SqlValues::text(t.checkNumber),
            SqlValues::flag(t.cleared),
            SqlValues::flag(t.reconciled),
            SqlValues::reference(t.transferLinkId),
            SqlValues::reference(t.transferDestAccountId),
            SqlValues::flag(t.isSplit),
            SqlValues::reference(t.recurringId),
            t.version,
            syncStatusToString(t.syncStatus),
            SqlValues::reference(t.serverId)};
}

Transaction readTransaction(const QSqlQuery &q)
{
    Transaction t;
    t.id = q.value(0).toString();
    t.accountId = q.value(1).toString();
    t.date = SqlValues::readDate(q.value(2));
    t.payee = SqlValues::readText(q.value(3));
    t.memo = SqlValues::readText(q.value(4));
    t.amount = q.value(5).toLongLong();
    t.categoryId = SqlValues::readText(q.value(6));
    t.checkNumber = SqlValues::readText(q.value(7));
    t.cleared = SqlValues::readFlag(q.value(8));
    t.reconciled = SqlValues::readFlag(q.value(9));
    t.transferLinkId = SqlValues::readText(q.value(10));
    t.transferDestAccountId = SqlValues::readText(q.value(11));
    t.isSplit = SqlValues::readFlag(q.value(12));
    t.recurringId = SqlValues::readText(q.value(13));
    t.version = q.value(14).toInt();
    t.syncStatus = syncStatusFromString(q.value(15).toString());
    t.serverId = SqlValues::readText(q.value(16));
    t.createdAt = SqlValues::readTimestamp(q.value(17));
    t.updatedAt = SqlValues::readTimestamp(q.value(18));
    t.deletedAt = SqlValues::readOptionalTimestamp(q.value(19));
    return t;
}

RegisterRow readRegisterRow(const QSqlQuery &q)
{
    return RegisterRow{readTransaction(q), 0, q.value(kColumnCount).toString()};
}

// One QString per distinct text of a read: payees, categories, account ids
// and paths repeat across a register's rows and are kept once.
class SharedTexts
{
public:
    QString operator()(QByteArrayView utf8)
    {
        if (utf8.isEmpty())
            return QString(QLatin1String(""));
        // A key that points at the row's text, copied only when it is new.
        const auto found = m_texts.constFind(QByteArray::fromRawData(utf8.data(), utf8.size()));
        if (found != m_texts.cend())
            return *found;
        const QString text = QString::fromUtf8(utf8);
        m_texts.insert(utf8.toByteArray(), text);
        return text;
    }

private:
    QHash<QByteArray, QString> m_texts;
};

QString uniqueText(QByteArrayView utf8)
{
    return utf8.isEmpty() ? QString(QLatin1String("")) : QString::fromUtf8(utf8);
}

// readTransaction() from the C interface's rows.
Transaction transactionFrom(const SqliteRows &q, SharedTexts &shared)
{
    Transaction t;
    t.id = uniqueText(q.utf8(0));
    t.accountId = shared(q.utf8(1));
    t.date = SqlValues::readDate(q.utf8(2));
    t.payee = shared(q.utf8(3));
    t.memo = shared(q.utf8(4));
    t.amount = q.integer(5);
    t.categoryId = shared(q.utf8(6));
    t.checkNumber = shared(q.utf8(7));
    t.cleared = q.integer(8) != 0;
    t.reconciled = q.integer(9) != 0;
    t.transferLinkId = uniqueText(q.utf8(10));
    t.transferDestAccountId = shared(q.utf8(11));
    t.isSplit = q.integer(12) != 0;
    t.recurringId = shared(q.utf8(13));
    t.version = int(q.integer(14));
    t.syncStatus = syncStatusFromString(shared(q.utf8(15)));
    t.serverId = uniqueText(q.utf8(16));
    t.createdAt = SqlValues::readTimestamp(q.utf8(17));
    t.updatedAt = SqlValues::readTimestamp(q.utf8(18));
    if (!q.isNull(19))
        t.deletedAt = SqlValues::readTimestamp(q.utf8(19));
    return t;
}

// readRegisterRow() from the C interface's rows.
RegisterRow registerRowFrom(const SqliteRows &q, SharedTexts &shared)
{
    return RegisterRow{transactionFrom(q, shared), 0, shared(q.utf8(kColumnCount))};
}

QString select(const char *rest)
{
    return QStringLiteral("SELECT %1 FROM transactions t %2").arg(columns(), QLatin1String(rest));
}

} // namespace

TransactionRepository::TransactionRepository(Database *database, QObject *parent)
    : SyncedRepository(database, kTable, "TransactionRepository", parent)
{
}

void TransactionRepository::announceChange(const QString &accountId)
{
    emit transactionsChanged(accountId);
}

std::optional<Transaction> TransactionRepository::findById(const QString &id) const
{
    return SqlStatement::readOne(m_database->database(), select("WHERE t.id = ?"), {id}, readTransaction,
                                 "TransactionRepository::findById");
}

QList<Transaction> TransactionRepository::findByAccount(const QString &accountId) const
{
    return SqlStatement::readAll(
        m_database->database(),
        select("WHERE t.account_id = ? AND t.deleted_at IS NULL ORDER BY t.date DESC, t.created_at DESC"),
        {accountId}, readTransaction, "TransactionRepository::findByAccount");
}

QList<Transaction> TransactionRepository::findUnreconciled(const QString &accountId) const
{
    return SqlStatement::readAll(
        m_database->database(),
        select("WHERE t.account_id = ? AND t.deleted_at IS NULL AND t.reconciled = 0 "
               "ORDER BY t.date ASC, t.created_at ASC"),
        {accountId}, readTransaction, "TransactionRepository::findUnreconciled");
}

std::optional<Transaction> TransactionRepository::findByServerId(const QString &serverId) const
{
    if (serverId.isEmpty())
        return std::nullopt;
    return SqlStatement::readOne(m_database->database(), select("WHERE t.server_id = ?"), {serverId},
                                 readTransaction, "TransactionRepository::findByServerId");
}

QList<Transaction> TransactionRepository::findPendingSync() const
{
    // A push reads every pending row at once, often thousands.
    return SqliteRows::readAll<Transaction>(
        m_database->database(), select("WHERE t.sync_status = 'pending'"), {},
        [shared = SharedTexts()](const SqliteRows &q) mutable { return transactionFrom(q, shared); },
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
    SqliteRows rows(m_database->database(), registerRowsSql(), {accountId, accountId});
    SharedTexts shared;
    qint64 balance = 0;
    while (rows.next()) {
        if (list.isEmpty())
            balance = rows.integer(kColumnCount + 1);
        RegisterRow &row = list.emplace_back(registerRowFrom(rows, shared));
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
    return SqlStatement::readAll(m_database->database(), sql, values, readRegisterRow,
                                 "TransactionRepository::search");
}

bool TransactionRepository::insert(const Transaction &transaction)
{
    static const QString sql =
        SqlStatement::insertSql(kTable, QStringList{"id", "account_id"} + editableColumns() +
                                            QStringList{"created_at", "updated_at"});
    const QVariantList values = QVariantList{transaction.id, transaction.accountId} +
                                editableValues(transaction) +
                                QVariantList{SqlValues::timestamp(transaction.createdAt),
                                             SqlValues::timestamp(transaction.updatedAt)};
    if (!SqlStatement::write(m_database, sql, values, "TransactionRepository::insert"))
        return false;
    emit transactionWritten(transaction.accountId, transaction.id);
    emit transactionsChanged(transaction.accountId);
    return true;
}

bool TransactionRepository::update(const Transaction &transaction)
{
    static const QString sql =
        SqlStatement::updateByIdSql(kTable, editableColumns() + QStringList{"updated_at"});
    const QVariantList values = editableValues(transaction) +
                                QVariantList{SqlValues::timestamp(transaction.updatedAt), transaction.id};
    if (!SqlStatement::write(m_database, sql, values, "TransactionRepository::update"))
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
    auto read = [shared = SharedTexts()](const SqliteRows &q) mutable { return registerRowFrom(q, shared); };
    // The one row an edit writes is read back after every edit: on a kept statement.
    if (ids.size() == 1) {
        static const QString one = sqlFor(1);
        return SqliteRows::readAll<RegisterRow>(m_database, one, values, read,
                                                "TransactionRepository::registerRowsByIds");
    }
    return SqliteRows::readAll<RegisterRow>(m_database->database(), sqlFor(ids.size()), values, read,
                                            "TransactionRepository::registerRowsByIds");
}
