#include "StatusBar.h"

#include <QtTest>

class TestStatusBar : public QObject
{
    Q_OBJECT

private slots:
    void activityAndTransientMessage();
    void pendingRecurringCount_data();
    void pendingRecurringCount();
};

void TestStatusBar::activityAndTransientMessage()
{
    StatusBar bar;
    bar.show();
    bar.showActivity(QStringLiteral("Syncing..."));
    QVERIFY(bar.isActivityVisible());
    QCOMPARE(bar.activityText(), QStringLiteral("Syncing..."));
    bar.hideActivity();
    QVERIFY(!bar.isActivityVisible());

    bar.showActivity(QStringLiteral("Checking for updates..."));
    bar.showTransientMessage(QStringLiteral("Up to date"), 50);
    QVERIFY(!bar.isActivityVisible());
    QCOMPARE(bar.currentMessage(), QStringLiteral("Up to date"));
    QTRY_VERIFY(bar.currentMessage().isEmpty());
}

void TestStatusBar::pendingRecurringCount_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0 << "";
    QTest::newRow("one") << 1 << "1 recurring transaction due";
    QTest::newRow("several") << 4 << "4 recurring transactions due";
}

void TestStatusBar::pendingRecurringCount()
{
    QFETCH(int, count);
    QFETCH(QString, text);
    StatusBar bar;
    bar.setPendingRecurringCount(3);
    bar.setPendingRecurringCount(count);
    QCOMPARE(bar.pendingText(), text);
}

QTEST_MAIN(TestStatusBar)
#include "TestStatusBar.moc"
