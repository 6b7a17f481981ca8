#include "Version.h"

#include <QTest>

using BrioUpdate::Version;

class TestVersion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void order_data();
    void order();
    void equal_data();
    void equal();
    void dismissed_data();
    void dismissed();
    void whatsNewDue_data();
    void whatsNewDue();
};

void TestVersion::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("patch");

    QTest::newRow("three parts") << "1.1.6" << 1 << 1 << 6;
    QTest::newRow("two parts") << "1.2" << 1 << 2 << 0;
    QTest::newRow("one part") << "7" << 7 << 0 << 0;
    QTest::newRow("leading zeros") << "01.2.3" << 1 << 2 << 3;
    QTest::newRow("large numbers") << "2026.12.31" << 2026 << 12 << 31;
    QTest::newRow("largest int") << "2147483647.0.1" << 2147483647 << 0 << 1;
    QTest::newRow("empty") << "" << 0 << 0 << 0;
    QTest::newRow("empty middle part") << "1..2" << 0 << 0 << 0;
    QTest::newRow("trailing dot") << "1.2." << 0 << 0 << 0;
    QTest::newRow("leading v") << "v1.2" << 0 << 0 << 0;
    QTest::newRow("pre-release suffix") << "1.2.0-beta" << 0 << 0 << 0;
    QTest::newRow("four parts") << "1.2.3.4" << 0 << 0 << 0;
    QTest::newRow("overflow") << "1.2147483648.0" << 0 << 0 << 0;
    QTest::newRow("hexadecimal") << "0x1.0.0" << 0 << 0 << 0;
    QTest::newRow("letters") << "one.two" << 0 << 0 << 0;
}

void TestVersion::parse()
{
    QFETCH(QString, text);
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, patch);

    const Version version = Version::parse(text);
    QCOMPARE(version.major, major);
    QCOMPARE(version.minor, minor);
    QCOMPARE(version.patch, patch);
}

void TestVersion::order_data()
{
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("higher");

    QTest::newRow("patch") << "1.1.6"
                           << "1.1.7";
    QTest::newRow("numeric, not text order") << "1.9.9"
                                             << "1.10.0";
    QTest::newRow("minor beats patch") << "1.1.99"
                                       << "1.2.0";
    QTest::newRow("major beats minor") << "1.99.99"
                                       << "2.0.0";
    QTest::newRow("two parts against three") << "1.1.6"
                                             << "1.2";
    QTest::newRow("empty is below everything") << ""
                                               << "0.0.1";
    QTest::newRow("suffix reads 0.0.0") << "1.2.0-beta"
                                        << "0.1";
    QTest::newRow("ten above nine") << "9"
                                    << "10";
}

void TestVersion::order()
{
    QFETCH(QString, lower);
    QFETCH(QString, higher);

    const Version low = Version::parse(lower);
    const Version high = Version::parse(higher);
    QVERIFY(low < high);
    QVERIFY(!(high < low));
    QVERIFY(!(low == high));
    QVERIFY(!(low < low));
    QVERIFY(low == low);
}

void TestVersion::equal_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");

    QTest::newRow("missing patch is zero") << "1.2"
                                           << "1.2.0";
    QTest::newRow("missing minor is zero") << "3"
                                           << "3.0.0";
    QTest::newRow("leading zeros") << "01.2.3"
                                   << "1.2.3";
    QTest::newRow("empty and zero") << ""
                                    << "0.0.0";
    QTest::newRow("unparseable and zero") << "1.2.0-rc1"
                                          << "0";
}

void TestVersion::equal()
{
    QFETCH(QString, left);
    QFETCH(QString, right);

    const Version a = Version::parse(left);
    const Version b = Version::parse(right);
    QVERIFY(a == b);
    QVERIFY(!(a < b));
    QVERIFY(!(b < a));
}

void TestVersion::dismissed_data()
{
    QTest::addColumn<QString>("offered");
    QTest::addColumn<QString>("dismissedVersion");
    QTest::addColumn<bool>("isDismissed");

    QTest::newRow("never dismissed") << "1.2.0"
                                     << "" << false;
    QTest::newRow("the same version") << "1.2.0"
                                      << "1.2.0" << true;
    QTest::newRow("the same, written shorter") << "1.2.0"
                                               << "1.2" << true;
    QTest::newRow("an older offer") << "1.1.9"
                                    << "1.2.0" << true;
    QTest::newRow("a newer offer") << "1.2.1"
                                   << "1.2.0" << false;
    QTest::newRow("numeric order") << "1.10.0"
                                   << "1.9.0" << false;
    QTest::newRow("unreadable dismissed version") << "1.2.0"
                                                  << "garbage" << false;
}

void TestVersion::dismissed()
{
    QFETCH(QString, offered);
    QFETCH(QString, dismissedVersion);
    QFETCH(bool, isDismissed);
    QCOMPARE(BrioUpdate::isDismissed(offered, dismissedVersion), isDismissed);
}

void TestVersion::whatsNewDue_data()
{
    QTest::addColumn<QString>("lastShown");
    QTest::addColumn<QString>("running");
    QTest::addColumn<bool>("due");

    QTest::newRow("fresh installation") << ""
                                        << "1.1.6" << true;
    QTest::newRow("after an upgrade") << "1.1.5"
                                      << "1.1.6" << true;
    QTest::newRow("numeric order") << "1.9.0"
                                   << "1.10.0" << true;
    QTest::newRow("already shown") << "1.1.6"
                                   << "1.1.6" << false;
    QTest::newRow("after a downgrade") << "1.2.0"
                                       << "1.1.6" << false;
}

void TestVersion::whatsNewDue()
{
    QFETCH(QString, lastShown);
    QFETCH(QString, running);
    QFETCH(bool, due);
    QCOMPARE(BrioUpdate::isWhatsNewDue(lastShown, running), due);
}

QTEST_APPLESS_MAIN(TestVersion)
#include "TestVersion.moc"
