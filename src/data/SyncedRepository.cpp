#include "SyncedRepository.h"

#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"

namespace {

QString deletionText(const QDateTime &deletedAt)
{
    return deletedAt.isValid() ? SqlValues::timestampText(deletedAt) : SqlValues::nowText();
}

} // namespace

SyncedRepository::SyncedRepository(Database *database, const char *table, const char *className,
                                   QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_table(table)
    , m_className(className)
{
}

QByteArray SyncedRepository::context(const char *method) const
{
    return QByteArray(m_className) + "::" + method;
}

bool SyncedRepository::markSynced(const QString &id, const QString &serverId)
{
    const QString sql = QStringLiteral("UPDATE %1 SET sync_status='synced', server_id=? WHERE id=?")
                            .arg(QLatin1String(m_table));
    return SqlStatement::write(m_database, sql, {SqlValues::reference(serverId), id}, context("markSynced"))
        .has_value();
}

int SyncedRepository::markAllPendingForResync()
{
    const QString sql = QStringLiteral("UPDATE %1 SET sync_status = 'pending' "
                                       "WHERE deleted_at IS NULL AND sync_status != 'pending'")
                            .arg(QLatin1String(m_table));
    const int changed =
        SqlStatement::write(m_database, sql, {}, context("markAllPendingForResync")).value_or(0);
    if (changed > 0)
        announceChange(QString());
    return changed;
}

bool SyncedRepository::hasUnsyncedRows() const
{
    const QString sql = QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1 WHERE sync_status != 'synced')")
                            .arg(QLatin1String(m_table));
    return SqlStatement::readOne(
               m_database->database(), sql, {}, [](const QSqlQuery &q) { return q.value(0).toBool(); },
               context("hasUnsyncedRows"))
        .value_or(true);
}

bool SyncedRepository::stampDeleted(const QString &id, const QDateTime &deletedAt)
{
    const QString sql =
        QStringLiteral("UPDATE %1 SET deleted_at = ?, updated_at = ?, sync_status = 'pending' "
                       "WHERE id = ?")
            .arg(QLatin1String(m_table));
    const QString when = deletionText(deletedAt);
    return SqlStatement::write(m_database, sql, {when, when, id}, context("softDelete")).has_value();
}

bool SyncedRepository::softDeleteByAccount(const QString &accountId, const QDateTime &deletedAt)
{
    const QString sql =
        QStringLiteral("UPDATE %1 SET deleted_at = ?, updated_at = ?, sync_status = 'pending' "
                       "WHERE account_id = ? AND deleted_at IS NULL")
            .arg(QLatin1String(m_table));
    const QString when = deletionText(deletedAt);
    if (!SqlStatement::write(m_database, sql, {when, when, accountId}, context("softDeleteByAccount")))
        return false;
    announceChange(accountId);
    return true;
}

int SyncedRepository::restoreByAccount(const QString &accountId, const QString &cutoff)
{
    const QString sql =
        QStringLiteral("UPDATE %1 SET deleted_at = NULL, updated_at = ?, sync_status = 'pending' "
                       "WHERE account_id = ? AND deleted_at >= ?")
            .arg(QLatin1String(m_table));
    const int changed = SqlStatement::write(m_database, sql, {SqlValues::nowText(), accountId, cutoff},
                                            context("restoreByAccount"))
                            .value_or(0);
    if (changed > 0)
        announceChange(accountId);
    return changed;
}
