#pragma once

#include "Category.h"

#include "SyncedRepository.h"

#include <QList>
#include <QString>
#include <optional>

class Database;

class CategoryRepository : public SyncedRepository
{
    Q_OBJECT

public:
    explicit CategoryRepository(Database *database, QObject *parent = nullptr);

    // Live categories by name.
    QList<Category> findAll() const;
    // Soft-deleted or not.
    std::optional<Category> findById(const QString &id) const;
    std::optional<Category> findByServerId(const QString &serverId) const;
    // Every pending row, soft-deleted ones included.
    QList<Category> findPendingSync() const;
    // Live categories; 0 when the query fails.
    int count() const;
    // Every row, soft-deleted ones included; -1 when the query fails.
    int countIncludingDeleted() const;

    bool insert(const Category &category);
    // Writes everything but id, created_at and deleted_at.
    bool update(const Category &category);
    // Children and transactions are left alone.
    bool softDelete(const QString &id);

signals:
    void categoriesChanged();

protected:
    void announceChange(const QString &accountId) override;
};
