#pragma once

#include "RecordTypes.h"
#include "SyncedRecord.h"

#include <QDate>
#include <QString>
#include <optional>

struct RecurringTransaction : SyncedRecord
{
    // The most days ahead an occurrence may be posted; the form offers no more, and
    // every one of them is a transaction posted at start-up.
    static constexpr int MaxLeadDays = 60;

    QString id;
    QString accountId;
    QString payee;
    QString memo;
    qint64 amount = 0;
    QString categoryId;
    Frequency frequency = Frequency::Monthly;
    int intervalCount = 1;
    int semimonthlyDay1 = 1;  // 0 means the last day of the month
    int semimonthlyDay2 = 15; // 0 means the last day of the month
    QDate startDate;
    std::optional<QDate> endDate;
    QDate nextDueDate;
    bool autoPost = false;
    int leadDays = 0;
    bool isActive = true;
    QString transferDestAccountId;
};
