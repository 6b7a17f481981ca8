#include "SplitLineRepository.h"

#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"

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

bool SplitLineRepository::deleteByTransaction(const QString &transactionId)
{
    return SqlStatement::write(m_database->database(),
                               QStringLiteral("DELETE FROM split_lines WHERE transaction_id = ?"),
                               {transactionId}, "SplitLineRepository::deleteByTransaction")
        .has_value();
}

bool SplitLineRepository::insert(const SplitLine &line)
{
    static const QString sql = SqlStatement::insertSql(
        "split_lines", {"id", "transaction_id", "category_id", "amount", "memo", "created_at", "updated_at"});
    return SqlStatement::write(m_database->database(), sql,
                               {line.id, line.transactionId, SqlValues::reference(line.categoryId),
                                line.amount, SqlValues::text(line.memo), SqlValues::timestamp(line.createdAt),
                                SqlValues::timestamp(line.updatedAt)},
                               "SplitLineRepository::insert")
        .has_value();
}
