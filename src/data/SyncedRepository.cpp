#include "SyncedRepository.h"

#include "Database.h"
#include "SqlStatement.h"
#include "SqlValues.h"
#include "SqliteStatement.h"

#include <optional>

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

bool SyncedRepository::markSynced(const QList<std::pair<QString, QString>> &idsAndServerIds)
{
    if (idsAndServerIds.isEmpty())
        return true;
    // Every statement has the same number of pairs, so that one statement,
    // kept with the connection, serves every slice; the unused pairs stay
    // null and match no row. The texts are bound as UTF-8 through SQLite's own
    // interface, as they are stored.
    constexpr int Slice = 200;
    const QString sql = [this] {
        QStringList pairs;
        pairs.fill(QStringLiteral("(?, ?)"), Slice);
        return QStringLiteral("UPDATE %1 SET sync_status = 'synced', server_id = v.column2 "
                              "FROM (VALUES %2) AS v WHERE %1.id = v.column1")
            .arg(QLatin1String(m_table), pairs.join(QLatin1String(", ")));
    }();
    std::optional<SqliteStatement> kept;
    if (sqlite3_stmt *statement = m_database->keptReadStatement(sql))
        kept.emplace(statement);
    else
        kept.emplace(m_database->database(), sql);
    SqliteStatement &statement = *kept;
    bool ok = true;
    for (qsizetype first = 0; first < idsAndServerIds.size(); first += Slice) {
        const qsizetype count = qMin<qsizetype>(Slice, idsAndServerIds.size() - first);
        for (int i = 0; i < Slice; ++i) {
            if (i >= count) {
                statement.bindNull(2 * i);
                statement.bindNull(2 * i + 1);
                continue;
            }
            const auto &[id, serverId] = idsAndServerIds.at(first + i);
            statement.bindText(2 * i, id.toUtf8());
            if (serverId.isEmpty())
                statement.bindNull(2 * i + 1);
            else
                statement.bindText(2 * i + 1, serverId.toUtf8());
        }
        if (!statement.exec()) {
            // Written again the ordinary way, which logs why it fails.
            for (qsizetype i = first; i < first + count; ++i)
                ok &= markSynced(idsAndServerIds.at(i).first, idsAndServerIds.at(i).second);
        }
    }
    return ok;
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

bool SyncedRepository::hasRecords() const
{
    const QString sql = QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1 "
                                       "WHERE deleted_at IS NULL OR sync_status != 'synced')")
                            .arg(QLatin1String(m_table));
    return SqlStatement::readOne(
               m_database->database(), sql, {}, [](const QSqlQuery &q) { return q.value(0).toBool(); },
               context("hasRecords"))
        .value_or(true);
}

bool SyncedRepository::forgetServerIds()
{
    const QString sql =
        QStringLiteral("UPDATE %1 SET server_id = NULL, "
                       "sync_status = CASE WHEN deleted_at IS NULL THEN 'pending' ELSE sync_status END "
                       "WHERE server_id IS NOT NULL")
            .arg(QLatin1String(m_table));
    return SqlStatement::write(m_database, sql, {}, context("forgetServerIds")).has_value();
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
