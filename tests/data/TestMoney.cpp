#include "Money.h"

#include <QTest>
#include <limits>

class TestMoney : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void format_data();
    void format();
    void parse_data();
    void parse();
    void autoDecimal_data();
    void autoDecimal();
    void toMinorUnits_data();
    void toMinorUnits();
};

void TestMoney::format_data()
{
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<int>("currency");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << qint64(0) << int(Currency::USD) << "$0.00";
    QTest::newRow("cents") << qint64(5) << int(Currency::USD) << "$0.05";
    QTest::newRow("negative cents") << qint64(-5) << int(Currency::USD) << "-$0.05";
    QTest::newRow("grouping") << qint64(123456789) << int(Currency::USD) << "$1,234,567.89";
    QTest::newRow("payment") << qint64(-123456) << int(Currency::USD) << "-$1,234.56";
    QTest::newRow("three digits") << qint64(99900) << int(Currency::EUR) << "€999.00";
    QTest::newRow("yen has no decimals") << qint64(1000) << int(Currency::JPY) << "¥1,000";
    QTest::newRow("negative yen") << qint64(-1234567) << int(Currency::JPY) << "-¥1,234,567";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << int(Currency::USD)
                             << "$92,233,720,368,547,758.07";
    QTest::newRow("smallest does not overflow")
        << std::numeric_limits<qint64>::min() << int(Currency::USD) << "-$92,233,720,368,547,758.08";
}

void TestMoney::format()
{
    QFETCH(qint64, amount);
    QFETCH(int, currency);
    QFETCH(QString, expected);
    QCOMPARE(Money::format(amount, Currency(currency)), expected);
}

void TestMoney::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("currency");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("plain") << "12.34" << int(Currency::USD) << true << qint64(1234);
    QTest::newRow("whole") << "12" << int(Currency::USD) << true << qint64(1200);
    QTest::newRow("one decimal") << "12.5" << int(Currency::USD) << true << qint64(1250);
    QTest::newRow("leading point") << ".07" << int(Currency::USD) << true << qint64(7);
    QTest::newRow("symbol and grouping") << "$1,234.56" << int(Currency::USD) << true << qint64(123456);
    QTest::newRow("sign before symbol") << "-$1,234.56" << int(Currency::USD) << true << qint64(-123456);
    QTest::newRow("sign after symbol") << "$-3.10" << int(Currency::USD) << true << qint64(-310);
    QTest::newRow("parentheses") << "(45.00)" << int(Currency::USD) << true << qint64(-4500);
    QTest::newRow("trailing zeros dropped") << "1.2300" << int(Currency::USD) << true << qint64(123);
    QTest::newRow("sub-cent refused") << "1.234" << int(Currency::USD) << false << qint64(0);
    QTest::newRow("yen whole") << "¥1,000" << int(Currency::JPY) << true << qint64(1000);
    QTest::newRow("yen fraction refused") << "1000.5" << int(Currency::JPY) << false << qint64(0);
    QTest::newRow("empty") << "" << int(Currency::USD) << false << qint64(0);
    QTest::newRow("letters") << "12a" << int(Currency::USD) << false << qint64(0);
    QTest::newRow("two points") << "1.2.3" << int(Currency::USD) << false << qint64(0);
    QTest::newRow("comma as decimal mark") << "12,50" << int(Currency::USD) << false << qint64(0);
    QTest::newRow("group of four") << "¥1,2345" << int(Currency::JPY) << false << qint64(0);
    QTest::newRow("sign only") << "-" << int(Currency::USD) << false << qint64(0);
    QTest::newRow("largest") << "92233720368547758.07" << int(Currency::USD) << true
                             << std::numeric_limits<qint64>::max();
    QTest::newRow("one past largest") << "92233720368547758.08" << int(Currency::USD) << false << qint64(0);
    QTest::newRow("smallest") << "-92233720368547758.08" << int(Currency::USD) << true
                              << std::numeric_limits<qint64>::min();
    QTest::newRow("far too large") << "99999999999999999999999" << int(Currency::USD) << false << qint64(0);
}

void TestMoney::parse()
{
    QFETCH(QString, text);
    QFETCH(int, currency);
    QFETCH(bool, ok);
    QFETCH(qint64, expected);

    Money::setAutoDecimal(false);
    const std::optional<qint64> value = Money::parse(text, Currency(currency));
    QCOMPARE(value.has_value(), ok);
    if (ok)
        QCOMPARE(*value, expected);
}

void TestMoney::autoDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("currency");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("digits are cents") << "1234" << int(Currency::USD) << qint64(1234);
    QTest::newRow("one digit") << "5" << int(Currency::USD) << qint64(5);
    QTest::newRow("negative") << "-250" << int(Currency::USD) << qint64(-250);
    QTest::newRow("typed point wins") << "12.5" << int(Currency::USD) << qint64(1250);
    QTest::newRow("yen unaffected") << "1234" << int(Currency::JPY) << qint64(1234);
}

void TestMoney::autoDecimal()
{
    QFETCH(QString, text);
    QFETCH(int, currency);
    QFETCH(qint64, expected);

    Money::setAutoDecimal(true);
    const std::optional<qint64> value = Money::parse(text, Currency(currency));
    Money::setAutoDecimal(false);
    QVERIFY(value.has_value());
    QCOMPARE(*value, expected);
}

void TestMoney::toMinorUnits_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("currency");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("0.29") << 0.29 << int(Currency::USD) << qint64(29);
    QTest::newRow("-0.29") << -0.29 << int(Currency::USD) << qint64(-29);
    QTest::newRow("1234.56") << 1234.56 << int(Currency::USD) << qint64(123456);
    QTest::newRow("half away from zero") << 0.125 << int(Currency::USD) << qint64(13);
    QTest::newRow("negative half away") << -0.125 << int(Currency::USD) << qint64(-13);
    QTest::newRow("yen") << 1000.0 << int(Currency::JPY) << qint64(1000);
    QTest::newRow("1.1 + 2.2") << (1.1 + 2.2) << int(Currency::EUR) << qint64(330);
}

void TestMoney::toMinorUnits()
{
    QFETCH(double, value);
    QFETCH(int, currency);
    QFETCH(qint64, expected);
    const std::optional<qint64> minor = Money::toMinorUnits(value, Currency(currency));
    QVERIFY(minor.has_value());
    QCOMPARE(*minor, expected);
    QVERIFY(!Money::toMinorUnits(std::numeric_limits<double>::infinity(), Currency::USD));
    QVERIFY(!Money::toMinorUnits(1e30, Currency::USD));
}

QTEST_GUILESS_MAIN(TestMoney)
#include "TestMoney.moc"
