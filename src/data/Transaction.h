#pragma once

#include "RecordTypes.h"
#include "SyncedRecord.h"

#include <QDate>
#include <QString>

struct Transaction : SyncedRecord
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
    // The account's opening-balance row, whatever its payee. Kept on this
    // device only: other devices find their own by its payee.
    bool isOpening = false;
};

// Moved as bytes, so that a register's list grows without copying its rows one by one.
Q_DECLARE_TYPEINFO(Transaction, Q_RELOCATABLE_TYPE);
