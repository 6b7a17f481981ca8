#pragma once

#include "Reconciliation.h"

#include "SyncedRepository.h"

#include <QList>
#include <QString>
#include <optional>

class Database;

class ReconciliationRepository : public SyncedRepository
{
    Q_OBJECT

public:
    explicit ReconciliationRepository(Database *database, QObject *parent = nullptr);

    // Soft-deleted or not.
    std::optional<Reconciliation> findById(const QString &id) const;
    // Live reconciliations of the account, latest statement first.
    QList<Reconciliation> findByAccount(const QString &accountId) const;
    std::optional<Reconciliation> findLatestByAccount(const QString &accountId) const;
    std::optional<Reconciliation> findByServerId(const QString &serverId) const;
    // Every pending row, soft-deleted ones included.
    QList<Reconciliation> findPendingSync() const;

    // An invalid created_at or updated_at is written as the current time.
    bool insert(const Reconciliation &reconciliation);
    // Writes everything but id, created_at and deleted_at.
    bool update(const Reconciliation &reconciliation);

    // Soft-delete with the account's deletion time, and bring back what was
    // deleted at or after a cutoff (see SyncedRepository).
    using SyncedRepository::restoreByAccount;
    using SyncedRepository::softDeleteByAccount;

signals:
    void reconciliationsChanged();

protected:
    void announceChange(const QString &accountId) override;
};
