#include "ReconciliationRepository.h"

#include "ColumnTables.h"
#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"

namespace {

constexpr const auto &kTable = ColumnTables::reconciliations;

QString select(const char *rest)
{
    return QStringLiteral("SELECT %1 FROM reconciliations %2")
        .arg(RecordColumns::selectList(kTable), QLatin1String(rest));
}

QDateTime validOrNow(const QDateTime &value)
{
    return value.isValid() ? value : QDateTime::currentDateTimeUtc();
}

} // namespace

ReconciliationRepository::ReconciliationRepository(Database *database, QObject *parent)
    : SyncedRepository(database, kTable.name, "ReconciliationRepository", parent)
{
}

void ReconciliationRepository::announceChange(const QString &accountId)
{
    Q_UNUSED(accountId)
    emit reconciliationsChanged();
}

std::optional<Reconciliation> ReconciliationRepository::findById(const QString &id) const
{
    return RecordColumns::readOne(kTable, m_database->database(), select("WHERE id = ?"), {id},
                                  "ReconciliationRepository::findById");
}

QList<Reconciliation> ReconciliationRepository::findByAccount(const QString &accountId) const
{
    return RecordColumns::readAll(kTable, m_database->database(),
                                  select("WHERE account_id = ? AND deleted_at IS NULL "
                                         "ORDER BY statement_date DESC, created_at DESC"),
                                  {accountId}, "ReconciliationRepository::findByAccount");
}

std::optional<Reconciliation> ReconciliationRepository::findLatestByAccount(const QString &accountId) const
{
    return RecordColumns::readOne(kTable, m_database->database(),
                                  select("WHERE account_id = ? AND deleted_at IS NULL "
                                         "ORDER BY statement_date DESC, created_at DESC LIMIT 1"),
                                  {accountId}, "ReconciliationRepository::findLatestByAccount");
}

std::optional<Reconciliation> ReconciliationRepository::findByServerId(const QString &serverId) const
{
    if (serverId.isEmpty())
        return std::nullopt;
    return RecordColumns::readOne(kTable, m_database->database(), select("WHERE server_id = ?"), {serverId},
                                  "ReconciliationRepository::findByServerId");
}

QList<Reconciliation> ReconciliationRepository::findPendingSync() const
{
    return RecordColumns::readAll(kTable, m_database->database(), select("WHERE sync_status = 'pending'"), {},
                                  "ReconciliationRepository::findPendingSync");
}

bool ReconciliationRepository::insert(const Reconciliation &reconciliation)
{
    static const QString sql = RecordColumns::insertSql(kTable);
    Reconciliation stamped = reconciliation;
    stamped.createdAt = validOrNow(reconciliation.createdAt);
    stamped.updatedAt = validOrNow(reconciliation.updatedAt);
    const QVariantList values = RecordColumns::insertValues(kTable, stamped);
    if (!SqlStatement::write(m_database, sql, values, "ReconciliationRepository::insert"))
        return false;
    emit reconciliationsChanged();
    return true;
}

bool ReconciliationRepository::update(const Reconciliation &reconciliation)
{
    static const QString sql = RecordColumns::updateSql(kTable);
    const QVariantList values = RecordColumns::updateValues(kTable, reconciliation);
    if (!SqlStatement::write(m_database, sql, values, "ReconciliationRepository::update"))
        return false;
    emit reconciliationsChanged();
    return true;
}
