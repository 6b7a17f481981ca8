#pragma once

#include "RecurringTransaction.h"

#include "SyncedRepository.h"

#include <QList>
#include <QString>
#include <optional>

class Database;

class RecurringRepository : public SyncedRepository
{
    Q_OBJECT

public:
    explicit RecurringRepository(Database *database, QObject *parent = nullptr);

    // "daily" ... "annual"; any other text reads as Monthly.
    static QString frequencyToString(Frequency frequency);
    static Frequency frequencyFromString(const QString &text);

    // Soft-deleted or not.
    std::optional<RecurringTransaction> findById(const QString &id) const;
    // Live records: active first, then next due date, then payee ignoring case.
    QList<RecurringTransaction> findAllOrdered() const;
    std::optional<RecurringTransaction> findByServerId(const QString &serverId) const;
    // Every pending row, soft-deleted ones included.
    QList<RecurringTransaction> findPendingSync() const;

    // A record whose next due date is invalid or before 2000 is logged and
    // written all the same.
    bool insert(const RecurringTransaction &recurring);
    // Writes everything but id, account_id, created_at and deleted_at.
    bool update(const RecurringTransaction &recurring);
    bool softDelete(const QString &id);

    // Soft-delete with the account's deletion time, and bring back what was
    // deleted at or after a cutoff (see SyncedRepository).
    using SyncedRepository::restoreByAccount;
    using SyncedRepository::softDeleteByAccount;

signals:
    void recurringChanged();

protected:
    void announceChange(const QString &accountId) override;

private:
    bool write(const QString &sql, const QVariantList &values, const RecurringTransaction &recurring,
               const char *method);
};
