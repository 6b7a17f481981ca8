#include "RecurringSchedule.h"

#include <algorithm>

namespace RecurringSchedule {

namespace {

constexpr int LastYear = 9999;

int effectiveDay(int day, int daysInMonth)
{
    return (day <= 0 || day > daysInMonth) ? daysInMonth : day;
}

QDate addDays(const QDate &current, qint64 days)
{
    const QDate next = current.addDays(days);
    return next.isValid() && next.year() <= LastYear ? next : QDate();
}

QDate addMonthsKeepingDay(const QDate &current, qint64 months, int anchorDay)
{
    const qint64 monthIndex = qint64(current.year()) * 12 + (current.month() - 1) + months;
    const qint64 year = monthIndex / 12;
    if (year > LastYear)
        return {};
    const int month = int(monthIndex % 12) + 1;
    const int daysInMonth = QDate(int(year), month, 1).daysInMonth();
    return QDate(int(year), month, std::min(anchorDay, daysInMonth));
}

QDate nextSemimonthly(const Schedule &schedule, const QDate &current)
{
    // The current month first, then the next: one of its days always lies
    // after the current date, since every month has a last day.
    for (int offset = 0; offset < 2; ++offset) {
        const QDate first = addMonthsKeepingDay(QDate(current.year(), current.month(), 1), offset, 1);
        if (!first.isValid())
            return {};
        const int days = first.daysInMonth();
        const int a = effectiveDay(schedule.semimonthlyDay1, days);
        const int b = effectiveDay(schedule.semimonthlyDay2, days);
        for (int day : {std::min(a, b), std::max(a, b)}) {
            const QDate candidate(first.year(), first.month(), day);
            if (candidate > current)
                return candidate;
        }
    }
    return {};
}

} // namespace

Schedule scheduleOf(const RecurringTransaction &record)
{
    Schedule schedule;
    schedule.frequency = record.frequency;
    schedule.intervalCount = record.intervalCount;
    schedule.startDate = record.startDate;
    schedule.semimonthlyDay1 = record.semimonthlyDay1;
    schedule.semimonthlyDay2 = record.semimonthlyDay2;
    return schedule;
}

QDate advance(const Schedule &schedule, const QDate &current)
{
    if (!current.isValid())
        return {};

    const qint64 interval = std::max(schedule.intervalCount, 1);
    const int anchorDay = schedule.startDate.isValid() ? schedule.startDate.day() : current.day();
    switch (schedule.frequency) {
    case Frequency::Daily:
        return addDays(current, interval);
    case Frequency::Weekly:
        return addDays(current, 7 * interval);
    case Frequency::Biweekly:
        return addDays(current, 14 * interval);
    case Frequency::Monthly:
        return addMonthsKeepingDay(current, interval, anchorDay);
    case Frequency::Semimonthly:
        // The form hides the interval for semi-monthly schedules, so a value
        // left in it must not change the schedule.
        return nextSemimonthly(schedule, current);
    case Frequency::Quarterly:
        return addMonthsKeepingDay(current, 3 * interval, anchorDay);
    case Frequency::SemiAnnual:
        return addMonthsKeepingDay(current, 6 * interval, anchorDay);
    case Frequency::Annual:
        return addMonthsKeepingDay(current, 12 * interval, anchorDay);
    }
    return addMonthsKeepingDay(current, interval, anchorDay);
}

QDate advance(const RecurringTransaction &record)
{
    return advance(scheduleOf(record), record.nextDueDate);
}

} // namespace RecurringSchedule
