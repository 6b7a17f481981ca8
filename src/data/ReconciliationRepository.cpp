#include "ReconciliationRepository.h"

#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"

namespace {

const char *const kTable = "reconciliations";

const QStringList &editableColumns()
{
    static const QStringList list{"account_id",   "statement_date", "statement_balance", "reconciled_balance",
                                  "completed_at", "version",        "sync_status",       "server_id"};
    return list;
}

QVariantList editableValues(const Reconciliation &r)
{
    return {r.accountId,
            SqlValues::date(r.statementDate),
            r.statementBalance,
            r.reconciledBalance,
            SqlValues::timestamp(r.completedAt),
            r.version,
            syncStatusToString(r.syncStatus),
            SqlValues::reference(r.serverId)};
}

Reconciliation readReconciliation(const QSqlQuery &q)
{
    Reconciliation r;
    r.id = q.value(0).toString();
    r.accountId = q.value(1).toString();
    r.statementDate = SqlValues::readDate(q.value(2));
    r.statementBalance = q.value(3).toLongLong();
    r.reconciledBalance = q.value(4).toLongLong();
    r.completedAt = SqlValues::readTimestamp(q.value(5));
    r.version = q.value(6).toInt();
    r.syncStatus = syncStatusFromString(q.value(7).toString());
    r.serverId = SqlValues::readText(q.value(8));
    r.createdAt = SqlValues::readTimestamp(q.value(9));
    r.updatedAt = SqlValues::readTimestamp(q.value(10));
    r.deletedAt = SqlValues::readOptionalTimestamp(q.value(11));
    return r;
}

QString select(const char *rest)
{
    return QStringLiteral("SELECT id, %1, created_at, updated_at, deleted_at FROM reconciliations %2")
        .arg(editableColumns().join(QLatin1String(", ")), QLatin1String(rest));
}

QVariant timestampOrNow(const QDateTime &value)
{
    return value.isValid() ? SqlValues::timestamp(value) : QVariant(SqlValues::nowText());
}

} // namespace

ReconciliationRepository::ReconciliationRepository(Database *database, QObject *parent)
    : SyncedRepository(database, kTable, "ReconciliationRepository", parent)
{
}

void ReconciliationRepository::announceChange(const QString &accountId)
{
    Q_UNUSED(accountId)
    emit reconciliationsChanged();
}

std::optional<Reconciliation> ReconciliationRepository::findById(const QString &id) const
{
    return SqlStatement::readOne(m_database->database(), select("WHERE id = ?"), {id}, readReconciliation,
                                 "ReconciliationRepository::findById");
}

QList<Reconciliation> ReconciliationRepository::findByAccount(const QString &accountId) const
{
    return SqlStatement::readAll(m_database->database(),
                                 select("WHERE account_id = ? AND deleted_at IS NULL "
                                        "ORDER BY statement_date DESC, created_at DESC"),
                                 {accountId}, readReconciliation, "ReconciliationRepository::findByAccount");
}

std::optional<Reconciliation> ReconciliationRepository::findLatestByAccount(const QString &accountId) const
{
    return SqlStatement::readOne(m_database->database(),
                                 select("WHERE account_id = ? AND deleted_at IS NULL "
                                        "ORDER BY statement_date DESC, created_at DESC LIMIT 1"),
                                 {accountId}, readReconciliation,
                                 "ReconciliationRepository::findLatestByAccount");
}

std::optional<Reconciliation> ReconciliationRepository::findByServerId(const QString &serverId) const
{
    if (serverId.isEmpty())
        return std::nullopt;
    return SqlStatement::readOne(m_database->database(), select("WHERE server_id = ?"), {serverId},
                                 readReconciliation, "ReconciliationRepository::findByServerId");
}

QList<Reconciliation> ReconciliationRepository::findPendingSync() const
{
    return SqlStatement::readAll(m_database->database(), select("WHERE sync_status = 'pending'"), {},
                                 readReconciliation, "ReconciliationRepository::findPendingSync");
}

bool ReconciliationRepository::insert(const Reconciliation &reconciliation)
{
    static const QString sql = SqlStatement::insertSql(kTable, QStringList{"id"} + editableColumns() +
                                                                   QStringList{"created_at", "updated_at"});
    const QVariantList values =
        QVariantList{reconciliation.id} + editableValues(reconciliation) +
        QVariantList{timestampOrNow(reconciliation.createdAt), timestampOrNow(reconciliation.updatedAt)};
    if (!SqlStatement::write(m_database, sql, values, "ReconciliationRepository::insert"))
        return false;
    emit reconciliationsChanged();
    return true;
}

bool ReconciliationRepository::update(const Reconciliation &reconciliation)
{
    static const QString sql =
        SqlStatement::updateByIdSql(kTable, editableColumns() + QStringList{"updated_at"});
    const QVariantList values =
        editableValues(reconciliation) +
        QVariantList{SqlValues::timestamp(reconciliation.updatedAt), reconciliation.id};
    if (!SqlStatement::write(m_database, sql, values, "ReconciliationRepository::update"))
        return false;
    emit reconciliationsChanged();
    return true;
}
