#pragma once

#include "RecordTypes.h"

#include <QDateTime>
#include <QString>
#include <optional>

// The sync engine's bookkeeping, the same in every record that goes to the
// server: its version, whether the server has it, the server's id for it, its
// time stamps and its soft deletion.
struct SyncedRecord
{
    int version = 1;
    SyncStatus syncStatus = SyncStatus::Pending;
    QString serverId;
    QDateTime createdAt;
    QDateTime updatedAt;
    std::optional<QDateTime> deletedAt;
};
