#include "SplitLineRepository.h"

#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"
#include "SqliteRows.h"

namespace {

SplitLine readSplitLine(const QSqlQuery &q)
{
    SplitLine line;
    line.id = q.value(0).toString();
    line.transactionId = q.value(1).toString();
    line.categoryId = SqlValues::readText(q.value(2));
    line.amount = q.value(3).toLongLong();
    line.memo = SqlValues::readText(q.value(4));
    line.createdAt = SqlValues::readTimestamp(q.value(5));
    line.updatedAt = SqlValues::readTimestamp(q.value(6));
    return line;
}

} // namespace

SplitLineRepository::SplitLineRepository(Database *database, QObject *parent)
    : QObject(parent)
    , m_database(database)
{
}

QString SplitLineRepository::findByTransactionSql()
{
    return QStringLiteral("SELECT id, transaction_id, category_id, amount, memo, created_at, updated_at "
                          "FROM split_lines WHERE transaction_id = ?");
}

QList<SplitLine> SplitLineRepository::findByTransaction(const QString &transactionId) const
{
    return SqlStatement::readAll(m_database->database(), findByTransactionSql(), {transactionId},
                                 readSplitLine, "SplitLineRepository::findByTransaction");
}

QHash<QString, QList<SplitLine>> SplitLineRepository::findForPendingTransactions() const
{
    // Ordered by rowid, as the per-transaction read walks the transaction
    // index and so returns each transaction's lines in rowid order. Read
    // through SQLite's own interface: a push reads thousands of lines.
    // Lines missing from a transaction would be sent as its whole split, so a
    // failed read gives none.
    const QList<SplitLine> lines = SqliteRows::readAll<SplitLine>(
        m_database->database(),
        QStringLiteral(
            "SELECT s.id, s.transaction_id, s.category_id, s.amount, s.memo, s.created_at, s.updated_at "
            "FROM split_lines s JOIN transactions t ON t.id = s.transaction_id "
            "WHERE t.sync_status = 'pending' AND t.is_split = 1 ORDER BY s.rowid"),
        {},
        [](const SqliteRows &rows) {
            SplitLine line;
            line.id = rows.text(0);
            line.transactionId = rows.text(1);
            line.categoryId = rows.isNull(2) ? QString(QLatin1String("")) : rows.text(2);
            line.amount = rows.integer(3);
            line.memo = rows.isNull(4) ? QString(QLatin1String("")) : rows.text(4);
            line.createdAt = SqlValues::readTimestamp(rows.utf8(5));
            line.updatedAt = SqlValues::readTimestamp(rows.utf8(6));
            return line;
        },
        "SplitLineRepository::findForPendingTransactions");
    QHash<QString, QList<SplitLine>> byTransaction;
    for (const SplitLine &line : lines)
        byTransaction[line.transactionId].append(line);
    return byTransaction;
}

bool SplitLineRepository::deleteByTransaction(const QString &transactionId)
{
    return SqlStatement::write(m_database, QStringLiteral("DELETE FROM split_lines WHERE transaction_id = ?"),
                               {transactionId}, "SplitLineRepository::deleteByTransaction")
        .has_value();
}

bool SplitLineRepository::insert(const SplitLine &line)
{
    static const QString sql = SqlStatement::insertSql(
        "split_lines", {"id", "transaction_id", "category_id", "amount", "memo", "created_at", "updated_at"});
    return SqlStatement::write(m_database, sql,
                               {line.id, line.transactionId, SqlValues::reference(line.categoryId),
                                line.amount, SqlValues::text(line.memo), SqlValues::timestamp(line.createdAt),
                                SqlValues::timestamp(line.updatedAt)},
                               "SplitLineRepository::insert")
        .has_value();
}
