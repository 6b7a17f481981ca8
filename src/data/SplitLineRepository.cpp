#include "SplitLineRepository.h"

#include "ColumnTables.h"
#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"
#include "SqliteRows.h"

namespace {

constexpr const auto &kTable = ColumnTables::splitLines;

} // namespace

SplitLineRepository::SplitLineRepository(Database *database, QObject *parent)
    : QObject(parent)
    , m_database(database)
{
}

QString SplitLineRepository::findByTransactionSql()
{
    return QStringLiteral("SELECT %1 FROM split_lines WHERE transaction_id = ?")
        .arg(RecordColumns::selectList(kTable));
}

QList<SplitLine> SplitLineRepository::findByTransaction(const QString &transactionId) const
{
    return RecordColumns::readAll(kTable, m_database->database(), findByTransactionSql(), {transactionId},
                                  "SplitLineRepository::findByTransaction");
}

QHash<QString, QList<SplitLine>> SplitLineRepository::findForPendingTransactions() const
{
    // Ordered by rowid, as the per-transaction read walks the transaction
    // index and so returns each transaction's lines in rowid order. Read
    // through SQLite's own interface: a push reads thousands of lines.
    // Lines missing from a transaction would be sent as its whole split, so a
    // failed read gives none.
    const QList<SplitLine> lines = RecordColumns::readAll(
        kTable, m_database->database(),
        QStringLiteral("SELECT %1 FROM split_lines s JOIN transactions t ON t.id = s.transaction_id "
                       "WHERE t.sync_status = 'pending' AND t.is_split = 1 ORDER BY s.rowid")
            .arg(RecordColumns::selectList(kTable, "s")),
        {}, "SplitLineRepository::findForPendingTransactions");
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
    static const QString sql = RecordColumns::insertSql(kTable);
    return SqlStatement::write(m_database, sql, RecordColumns::insertValues(kTable, line),
                               "SplitLineRepository::insert")
        .has_value();
}
