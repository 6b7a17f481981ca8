#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <utility>

class Database;

// What the repositories of the five synchronised tables share: the sync
// engine's bookkeeping and the soft deletes that move with an account. Each
// repository names its table and class (for failure logs such as
// "TransactionRepository::markSynced failed:") and says how it announces a
// change; the account-wide operations are made public by the repositories
// whose rows belong to an account.
class SyncedRepository : public QObject
{
    Q_OBJECT

public:
    // Marks the row synced with the server's id. True when the statement ran,
    // also when no row matched; emits nothing.
    bool markSynced(const QString &id, const QString &serverId);
    // The same for many rows (id, server id), a few hundred to a statement:
    // a push's results are written back in a handful of statements rather
    // than one per row. True when every row was written; emits nothing.
    bool markSynced(const QList<std::pair<QString, QString>> &idsAndServerIds);
    // Makes every live row that is not pending pending again; the number of
    // rows changed (0 on failure). Announces a change when above 0.
    int markAllPendingForResync();
    // True when a live row exists, or a soft-deleted one that is not in step
    // with a server. Also true when that cannot be read, for callers that ask
    // before anything leaves the device.
    bool hasRecords() const;
    // Forgets every server id: the rows are then sent as new records, the
    // live ones at the next push. Emits nothing.
    bool forgetServerIds();
    // The database the rows are in, for checks made before writing them.
    Database *database() const { return m_database; }

protected:
    SyncedRepository(Database *database, const char *table, const char *className, QObject *parent);

    // Called after a successful write; the account id is empty when the write
    // was not about one account.
    virtual void announceChange(const QString &accountId) = 0;

    // deleted_at and updated_at = `deletedAt` (now when invalid), pending.
    bool stampDeleted(const QString &id, const QDateTime &deletedAt);

    // Soft-deletes the account's live rows with the given time: the account's
    // own deletion time, so that restoring the account brings them back.
    bool softDeleteByAccount(const QString &accountId, const QDateTime &deletedAt);
    // Undeletes the account's rows whose deleted_at >= cutoff, compared as
    // text; the number of rows changed (0 on failure).
    int restoreByAccount(const QString &accountId, const QString &cutoff);

    // "Class::method" for failure logs.
    QByteArray context(const char *method) const;

    Database *m_database;

private:
    const char *m_table;
    const char *m_className;
};
