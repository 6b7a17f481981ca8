#pragma once

#include "RecordTypes.h"
#include "SyncedRecord.h"

#include <QDate>
#include <QDateTime>
#include <QString>

struct Reconciliation : SyncedRecord
{
    QString id;
    QString accountId;
    QDate statementDate;
    qint64 statementBalance = 0;
    qint64 reconciledBalance = 0;
    QDateTime completedAt;
};
