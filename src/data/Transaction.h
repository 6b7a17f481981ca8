#pragma once

#include "RecordTypes.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

struct Transaction
{
    QString id;
    QString accountId;
    QDate date;
    QString payee;
    QString memo;
    qint64 amount = 0; // minor units, negative for payments
    QString categoryId;
    QString checkNumber;
    bool cleared = false;
    bool reconciled = false;
    QString transferLinkId;        // the other leg's id
    QString transferDestAccountId; // the other leg's account
    bool isSplit = false;
    QString recurringId;
    int version = 1;
    SyncStatus syncStatus = SyncStatus::Pending;
    QString serverId;
    QDateTime createdAt;
    QDateTime updatedAt;
    std::optional<QDateTime> deletedAt;
};

// Moved as bytes, so that a register's list grows without copying its rows one by one.
Q_DECLARE_TYPEINFO(Transaction, Q_RELOCATABLE_TYPE);
