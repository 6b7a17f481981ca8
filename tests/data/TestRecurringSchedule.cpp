#include "RecurringSchedule.h"

#include <QTest>
#include <limits>

namespace {

QDate d(const char *iso)
{
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

} // namespace

class TestRecurringSchedule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void advance_data();
    void advance();
    void chainedMonthlyKeepsAnchor_data();
    void chainedMonthlyKeepsAnchor();
    void advanceIsStrictlyLater_data();
    void advanceIsStrictlyLater();
    void recordOverload();
};

void TestRecurringSchedule::advance_data()
{
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<int>("day1");
    QTest::addColumn<int>("day2");
    QTest::addColumn<QDate>("current");
    QTest::addColumn<QDate>("expected");

    const int daily = int(Frequency::Daily);
    const int weekly = int(Frequency::Weekly);
    const int biweekly = int(Frequency::Biweekly);
    const int monthly = int(Frequency::Monthly);
    const int semimonthly = int(Frequency::Semimonthly);
    const int quarterly = int(Frequency::Quarterly);
    const int semiAnnual = int(Frequency::SemiAnnual);
    const int annual = int(Frequency::Annual);

    // Day-based steps
    QTest::newRow("daily") << daily << 1 << d("2024-01-01") << 1 << 15 << d("2024-01-01") << d("2024-01-02");
    QTest::newRow("daily across year")
        << daily << 1 << d("2023-12-31") << 1 << 15 << d("2023-12-31") << d("2024-01-01");
    QTest::newRow("daily into leap day")
        << daily << 1 << d("2024-02-28") << 1 << 15 << d("2024-02-28") << d("2024-02-29");
    QTest::newRow("every 3 days") << daily << 3 << d("2024-02-27") << 1 << 15 << d("2024-02-27")
                                  << d("2024-03-01");
    QTest::newRow("daily interval 0 counts as 1")
        << daily << 0 << d("2024-05-05") << 1 << 15 << d("2024-05-05") << d("2024-05-06");
    QTest::newRow("daily negative interval counts as 1")
        << daily << -4 << d("2024-05-05") << 1 << 15 << d("2024-05-05") << d("2024-05-06");
    QTest::newRow("weekly") << weekly << 1 << d("2024-12-28") << 1 << 15 << d("2024-12-28")
                            << d("2025-01-04");
    QTest::newRow("every 3 weeks") << weekly << 3 << d("2024-01-01") << 1 << 15 << d("2024-01-01")
                                   << d("2024-01-22");
    QTest::newRow("weekly interval 0")
        << weekly << 0 << d("2024-01-01") << 1 << 15 << d("2024-01-01") << d("2024-01-08");
    QTest::newRow("biweekly") << biweekly << 1 << d("2024-02-20") << 1 << 15 << d("2024-02-20")
                              << d("2024-03-05");
    QTest::newRow("biweekly x2") << biweekly << 2 << d("2024-02-20") << 1 << 15 << d("2024-02-20")
                                 << d("2024-03-19");

    // Monthly keeps the start date's day, clamped to the target month
    QTest::newRow("monthly plain") << monthly << 1 << d("2024-01-15") << 1 << 15 << d("2024-01-15")
                                   << d("2024-02-15");
    QTest::newRow("monthly 31st into leap february")
        << monthly << 1 << d("2024-01-31") << 1 << 15 << d("2024-01-31") << d("2024-02-29");
    QTest::newRow("monthly 31st into february")
        << monthly << 1 << d("2023-01-31") << 1 << 15 << d("2023-01-31") << d("2023-02-28");
    QTest::newRow("monthly back to the 31st after february")
        << monthly << 1 << d("2023-01-31") << 1 << 15 << d("2023-02-28") << d("2023-03-31");
    QTest::newRow("monthly 31st into april")
        << monthly << 1 << d("2024-03-31") << 1 << 15 << d("2024-03-31") << d("2024-04-30");
    QTest::newRow("monthly 30th after short month")
        << monthly << 1 << d("2024-01-30") << 1 << 15 << d("2024-02-29") << d("2024-03-30");
    QTest::newRow("monthly across year")
        << monthly << 1 << d("2024-12-10") << 1 << 15 << d("2024-12-10") << d("2025-01-10");
    QTest::newRow("every 2 months") << monthly << 2 << d("2024-11-30") << 1 << 15 << d("2024-12-31")
                                    << d("2025-02-28");
    QTest::newRow("every 14 months") << monthly << 14 << d("2024-01-31") << 1 << 15 << d("2024-01-31")
                                     << d("2025-03-31");
    QTest::newRow("monthly interval 0")
        << monthly << 0 << d("2024-01-05") << 1 << 15 << d("2024-01-05") << d("2024-02-05");
    QTest::newRow("monthly without start uses current day")
        << monthly << 1 << QDate() << 1 << 15 << d("2024-01-31") << d("2024-02-29");

    // Quarterly, semi-annual and annual
    QTest::newRow("quarterly") << quarterly << 1 << d("2024-01-15") << 1 << 15 << d("2024-01-15")
                               << d("2024-04-15");
    QTest::newRow("quarterly 31st") << quarterly << 1 << d("2023-08-31") << 1 << 15 << d("2023-11-30")
                                    << d("2024-02-29");
    QTest::newRow("quarterly x2") << quarterly << 2 << d("2024-10-31") << 1 << 15 << d("2024-10-31")
                                  << d("2025-04-30");
    QTest::newRow("semi-annual") << semiAnnual << 1 << d("2024-08-31") << 1 << 15 << d("2024-08-31")
                                 << d("2025-02-28");
    QTest::newRow("semi-annual back to the 31st")
        << semiAnnual << 1 << d("2024-08-31") << 1 << 15 << d("2025-02-28") << d("2025-08-31");
    QTest::newRow("semi-annual x3") << semiAnnual << 3 << d("2024-03-01") << 1 << 15 << d("2024-03-01")
                                    << d("2025-09-01");
    QTest::newRow("annual") << annual << 1 << d("2023-06-30") << 1 << 15 << d("2023-06-30")
                            << d("2024-06-30");
    QTest::newRow("annual leap day to common year")
        << annual << 1 << d("2024-02-29") << 1 << 15 << d("2024-02-29") << d("2025-02-28");
    QTest::newRow("annual leap day returns in leap year")
        << annual << 1 << d("2024-02-29") << 1 << 15 << d("2027-02-28") << d("2028-02-29");
    QTest::newRow("every 4 years from leap day")
        << annual << 4 << d("2024-02-29") << 1 << 15 << d("2024-02-29") << d("2028-02-29");
    QTest::newRow("every 2 years across century")
        << annual << 2 << d("2098-02-28") << 1 << 15 << d("2098-02-28") << d("2100-02-28");

    // Semi-monthly: first effective day strictly after the current date
    QTest::newRow("semimonthly 1 and 15, from 1st")
        << semimonthly << 1 << d("2024-01-01") << 1 << 15 << d("2024-01-01") << d("2024-01-15");
    QTest::newRow("semimonthly 1 and 15, from 15th")
        << semimonthly << 1 << d("2024-01-01") << 1 << 15 << d("2024-01-15") << d("2024-02-01");
    QTest::newRow("semimonthly between the days")
        << semimonthly << 1 << d("2024-01-01") << 1 << 15 << d("2024-01-07") << d("2024-01-15");
    QTest::newRow("semimonthly days in either order")
        << semimonthly << 1 << d("2024-01-01") << 15 << 1 << d("2024-01-01") << d("2024-01-15");
    QTest::newRow("semimonthly across year")
        << semimonthly << 1 << d("2024-01-01") << 1 << 15 << d("2024-12-20") << d("2025-01-01");
    QTest::newRow("semimonthly day 0 is month end")
        << semimonthly << 1 << d("2024-01-01") << 15 << 0 << d("2024-02-15") << d("2024-02-29");
    QTest::newRow("semimonthly day 0 in common february")
        << semimonthly << 1 << d("2023-01-01") << 15 << 0 << d("2023-02-15") << d("2023-02-28");
    QTest::newRow("semimonthly from month end to the 15th")
        << semimonthly << 1 << d("2024-01-01") << 15 << 0 << d("2024-02-29") << d("2024-03-15");
    QTest::newRow("semimonthly 1st and day 0")
        << semimonthly << 1 << d("2024-01-01") << 1 << 0 << d("2024-04-01") << d("2024-04-30");
    QTest::newRow("semimonthly day 31 in april is the 30th")
        << semimonthly << 1 << d("2024-01-01") << 15 << 31 << d("2024-04-15") << d("2024-04-30");
    QTest::newRow("semimonthly day 30 in february is the last")
        << semimonthly << 1 << d("2024-01-01") << 14 << 30 << d("2024-02-14") << d("2024-02-29");
    QTest::newRow("semimonthly from a clamped day goes to next month")
        << semimonthly << 1 << d("2024-01-01") << 15 << 30 << d("2024-02-29") << d("2024-03-15");
    QTest::newRow("semimonthly 30 and 31 in february collapse")
        << semimonthly << 1 << d("2023-01-01") << 30 << 31 << d("2023-02-28") << d("2023-03-30");
    QTest::newRow("semimonthly equal days act monthly")
        << semimonthly << 1 << d("2024-01-01") << 10 << 10 << d("2024-01-10") << d("2024-02-10");
    QTest::newRow("semimonthly negative day is month end")
        << semimonthly << 1 << d("2024-01-01") << 5 << -3 << d("2024-06-05") << d("2024-06-30");
    QTest::newRow("semimonthly ignores the interval")
        << semimonthly << 3 << d("2024-01-01") << 1 << 15 << d("2024-01-01") << d("2024-01-15");

    // Nothing to advance from
    QTest::newRow("invalid current date") << monthly << 1 << d("2024-01-01") << 1 << 15 << QDate() << QDate();
    QTest::newRow("invalid current date, semimonthly")
        << semimonthly << 1 << d("2024-01-01") << 1 << 15 << QDate() << QDate();
    QTest::newRow("out of range is invalid")
        << annual << 99 << d("9990-01-01") << 1 << 15 << d("9990-01-01") << QDate();
    QTest::newRow("huge interval is invalid, not wrapped")
        << annual << std::numeric_limits<int>::max() << d("2024-01-01") << 1 << 15 << d("2024-01-01")
        << QDate();
    QTest::newRow("huge daily interval is invalid")
        << daily << std::numeric_limits<int>::max() << d("2024-01-01") << 1 << 15 << d("2024-01-01")
        << QDate();
}

void TestRecurringSchedule::advance()
{
    QFETCH(int, frequency);
    QFETCH(int, interval);
    QFETCH(QDate, start);
    QFETCH(int, day1);
    QFETCH(int, day2);
    QFETCH(QDate, current);
    QFETCH(QDate, expected);

    RecurringSchedule::Schedule schedule;
    schedule.frequency = Frequency(frequency);
    schedule.intervalCount = interval;
    schedule.startDate = start;
    schedule.semimonthlyDay1 = day1;
    schedule.semimonthlyDay2 = day2;
    QCOMPARE(RecurringSchedule::advance(schedule, current), expected);
}

void TestRecurringSchedule::chainedMonthlyKeepsAnchor_data()
{
    QTest::addColumn<int>("frequency");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QList<QDate>>("expected");

    QTest::newRow("monthly on the 31st")
        << int(Frequency::Monthly) << d("2023-12-31")
        << QList<QDate>{d("2024-01-31"), d("2024-02-29"), d("2024-03-31"), d("2024-04-30"),
                        d("2024-05-31"), d("2024-06-30"), d("2024-07-31")};
    QTest::newRow("monthly on the 29th") << int(Frequency::Monthly) << d("2023-01-29")
                                         << QList<QDate>{d("2023-02-28"), d("2023-03-29"), d("2023-04-29")};
    QTest::newRow("quarterly on the 31st")
        << int(Frequency::Quarterly) << d("2023-05-31")
        << QList<QDate>{d("2023-08-31"), d("2023-11-30"), d("2024-02-29"), d("2024-05-31")};
    QTest::newRow("annual on leap day")
        << int(Frequency::Annual) << d("2020-02-29")
        << QList<QDate>{d("2021-02-28"), d("2022-02-28"), d("2023-02-28"), d("2024-02-29")};
    QTest::newRow("semimonthly 15th and last")
        << int(Frequency::Semimonthly) << d("2024-01-15")
        << QList<QDate>{d("2024-01-31"), d("2024-02-15"), d("2024-02-29"), d("2024-03-15"), d("2024-03-31")};
}

void TestRecurringSchedule::chainedMonthlyKeepsAnchor()
{
    QFETCH(int, frequency);
    QFETCH(QDate, start);
    QFETCH(QList<QDate>, expected);

    RecurringSchedule::Schedule schedule;
    schedule.frequency = Frequency(frequency);
    schedule.startDate = start;
    schedule.semimonthlyDay1 = 15;
    schedule.semimonthlyDay2 = 0;
    QDate due = start;
    for (const QDate &next : expected) {
        due = RecurringSchedule::advance(schedule, due);
        QCOMPARE(due, next);
    }
}

void TestRecurringSchedule::advanceIsStrictlyLater_data()
{
    QTest::addColumn<int>("frequency");
    for (int f = int(Frequency::Daily); f <= int(Frequency::Annual); ++f)
        QTest::newRow(qPrintable(QString::number(f))) << f;
}

void TestRecurringSchedule::advanceIsStrictlyLater()
{
    QFETCH(int, frequency);
    // Every combination of start day, current day and semi-monthly days over two
    // years, with intervals that users can type (and a broken 0).
    RecurringSchedule::Schedule schedule;
    schedule.frequency = Frequency(frequency);
    for (int interval : {0, 1, 2}) {
        schedule.intervalCount = interval;
        for (int startDay : {1, 15, 28, 29, 30, 31}) {
            schedule.startDate = QDate(2023, 1, startDay);
            for (int day1 : {0, 1, 31}) {
                schedule.semimonthlyDay1 = day1;
                schedule.semimonthlyDay2 = 15;
                for (QDate current(2023, 1, 1); current <= QDate(2024, 12, 31);
                     current = current.addDays(1)) {
                    const QDate next = RecurringSchedule::advance(schedule, current);
                    if (!(next > current))
                        QFAIL(qPrintable(QStringLiteral("%1 -> %2 (interval %3, start %4, day1 %5)")
                                             .arg(current.toString(Qt::ISODate), next.toString(Qt::ISODate))
                                             .arg(interval)
                                             .arg(startDay)
                                             .arg(day1)));
                }
            }
        }
    }
}

void TestRecurringSchedule::recordOverload()
{
    RecurringTransaction record;
    record.frequency = Frequency::Monthly;
    record.intervalCount = 1;
    record.startDate = d("2024-01-31");
    record.nextDueDate = d("2024-02-29");
    QCOMPARE(RecurringSchedule::advance(record), d("2024-03-31"));

    record.frequency = Frequency::Semimonthly;
    record.semimonthlyDay1 = 0;
    record.semimonthlyDay2 = 10;
    QCOMPARE(RecurringSchedule::advance(record), d("2024-03-10"));
}

QTEST_APPLESS_MAIN(TestRecurringSchedule)
#include "TestRecurringSchedule.moc"
