#pragma once

#include "RecurringTransaction.h"

#include <QDate>

// The arithmetic of recurring schedules, kept free of storage so that every
// frequency can be checked against a table of dates.
namespace RecurringSchedule {

struct Schedule
{
    Frequency frequency = Frequency::Monthly;
    int intervalCount = 1; // below 1 counts as 1; not used by semi-monthly schedules
    QDate startDate;       // its day of month anchors the month-based steps
    int semimonthlyDay1 = 1;
    int semimonthlyDay2 = 15; // 0, or a day past the month's end, is the last day
};

Schedule scheduleOf(const RecurringTransaction &record);

// The occurrence that follows `current`: always strictly later. Month-based
// steps land on the anchor day clamped to the target month, so a bill on the
// 31st comes back to the 31st after February. Invalid when `current` is invalid
// or the result would lie past the year 9999.
QDate advance(const Schedule &schedule, const QDate &current);

// The occurrence after the record's next due date.
QDate advance(const RecurringTransaction &record);

} // namespace RecurringSchedule
