#include "SqlValues.h"

#include <QTest>

// Stored time stamps are read by hand on the register's path; they must come
// out as Qt's own ISO reading gives them, in UTC, from either stored form.
class TestSqlValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void timestampsReadAsQtReadsThem_data();
    void timestampsReadAsQtReadsThem();
};

void TestSqlValues::timestampsReadAsQtReadsThem_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QDateTime>("expected");

    const QDateTime morning(QDate(2024, 3, 1), QTime(8, 0, 5), Qt::UTC);
    QTest::newRow("written form") << QByteArray("2024-03-01T08:00:05Z") << morning;
    QTest::newRow("space, no zone") << QByteArray("2024-03-01 08:00:05") << morning;
    QTest::newRow("last second of a leap day")
        << QByteArray("2024-02-29T23:59:59Z") << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59), Qt::UTC);
    QTest::newRow("before 1970") << QByteArray("1969-07-20T20:17:40Z")
                                 << QDateTime(QDate(1969, 7, 20), QTime(20, 17, 40), Qt::UTC);
    QTest::newRow("with milliseconds") << QByteArray("2024-03-01T08:00:05.250Z")
                                       << QDateTime(QDate(2024, 3, 1), QTime(8, 0, 5, 250), Qt::UTC);
    QTest::newRow("hour 24 is the next midnight")
        << QByteArray("2024-03-01T24:00:00Z") << QDateTime(QDate(2024, 3, 2), QTime(0, 0), Qt::UTC);
    QTest::newRow("century leap day") << QByteArray("2000-02-29T12:00:00Z")
                                      << QDateTime(QDate(2000, 2, 29), QTime(12, 0), Qt::UTC);
    QTest::newRow("no leap day in 2100") << QByteArray("2100-02-29T12:00:00Z") << QDateTime();
    QTest::newRow("day 31 of a 30-day month") << QByteArray("2023-04-31T12:00:00Z") << QDateTime();
    QTest::newRow("year 1") << QByteArray("0001-01-01T00:00:00Z")
                            << QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC);
    QTest::newRow("minute 60") << QByteArray("2024-03-01T08:60:00Z") << QDateTime();
    QTest::newRow("month 13") << QByteArray("2024-13-01T08:00:00Z") << QDateTime();
    QTest::newRow("empty") << QByteArray() << QDateTime();
}

void TestSqlValues::timestampsReadAsQtReadsThem()
{
    QFETCH(QByteArray, stored);
    QFETCH(QDateTime, expected);

    const QDateTime read = SqlValues::readTimestamp(QByteArrayView(stored));
    QCOMPARE(read.isValid(), expected.isValid());
    if (!expected.isValid())
        return;
    QCOMPARE(read, expected);
    QCOMPARE(read.timeSpec(), Qt::UTC);
    QCOMPARE(read.toString(Qt::ISODateWithMs), expected.toString(Qt::ISODateWithMs));
    QCOMPARE(SqlValues::readTimestamp(QVariant(QString::fromUtf8(stored))), read);
}

QTEST_GUILESS_MAIN(TestSqlValues)
#include "TestSqlValues.moc"
