#include "Money.h"
#include "SmartAmountField.h"

#include <QLineEdit>
#include <QtTest>

class TestSmartAmountField : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Money::setAutoDecimal(false); }
    void typedEntry_data();
    void typedEntry();
    void layoutAndRange();
    void clickThenTypeReplaces();
};

void TestSmartAmountField::typedEntry_data()
{
    QTest::addColumn<bool>("autoDecimal");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("decimals");

    QTest::newRow("auto-decimal digits are cents") << true << ""
                                                   << "1234" << 12.34 << 2;
    QTest::newRow("auto-decimal one digit") << true << ""
                                            << "5" << 0.05 << 2;
    QTest::newRow("auto-decimal negative") << true << ""
                                           << "-250" << -2.50 << 2;
    QTest::newRow("auto-decimal with a point keeps it") << true << ""
                                                        << "12.5" << 12.5 << 2;
    QTest::newRow("auto-decimal behind a prefix") << true << "$ "
                                                  << "999" << 9.99 << 2;
    QTest::newRow("plain digits are whole units") << false << ""
                                                  << "1234" << 1234.0 << 2;
    QTest::newRow("plain with cents") << false << ""
                                      << "0.29" << 0.29 << 2;
    QTest::newRow("grouping") << false << ""
                              << "1,234.56" << 1234.56 << 2;
    QTest::newRow("plain behind a prefix") << false << "$ "
                                           << "42" << 42.0 << 2;
    // A currency without minor units (yen) has nothing to shift the point by.
    QTest::newRow("whole units: auto-decimal digits stay whole") << true << "¥ "
                                                                 << "1000" << 1000.0 << 0;
    QTest::newRow("whole units: plain digits") << false << ""
                                               << "250" << 250.0 << 0;
}

void TestSmartAmountField::typedEntry()
{
    QFETCH(bool, autoDecimal);
    QFETCH(QString, prefix);
    QFETCH(QString, typed);
    QFETCH(double, expected);
    QFETCH(int, decimals);

    Money::setAutoDecimal(autoDecimal);
    SmartAmountField field;
    field.setDecimals(decimals);
    field.setRange(-9999999999.0, 9999999999.0);
    field.setPrefix(prefix);
    field.show();
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, typed);
    QTest::keyClick(&field, Qt::Key_Return);
    QCOMPARE(field.value(), expected);
    // The shown text reads back to the same value under the same flag.
    QCOMPARE(field.valueFromText(field.text()), expected);
}

void TestSmartAmountField::layoutAndRange()
{
    SmartAmountField field;
    QCOMPARE(field.decimals(), 2);
    QVERIFY(field.alignment() & Qt::AlignRight);
    field.setRange(0, 100);
    QString text = QStringLiteral("250");
    int pos = 0;
    QCOMPARE(field.validate(text, pos), QValidator::Intermediate);
    text = QStringLiteral("abc");
    QCOMPARE(field.validate(text, pos), QValidator::Intermediate);
    text = QStringLiteral("99.99");
    QCOMPARE(field.validate(text, pos), QValidator::Acceptable);
}

void TestSmartAmountField::clickThenTypeReplaces()
{
    QWidget window;
    new QLineEdit(&window); // holds the focus until the click
    auto *field = new SmartAmountField(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(field->findChild<QLineEdit *>(), Qt::LeftButton, {}, QPoint(4, 4));
    QCoreApplication::processEvents();
    QTest::keyClicks(field->findChild<QLineEdit *>(), QStringLiteral("99"));
    QCOMPARE(field->typedAmount(), std::optional<qint64>(9900));
}

QTEST_MAIN(TestSmartAmountField)
#include "TestSmartAmountField.moc"
