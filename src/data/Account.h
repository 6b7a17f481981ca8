#pragma once

#include "RecordTypes.h"
#include "SyncedRecord.h"

#include <QString>

struct Account : SyncedRecord
{
    QString id;
    QString name;
    AccountType accountType = AccountType::Checking;
    Currency currency = Currency::USD;
    QString institution;
    QString accountNumberLast4;
    qint64 startingBalance = 0;
    int sortOrder = 0;
    bool isShared = false;
};
