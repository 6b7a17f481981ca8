#include "AccountFormDialog.h"
#include "Money.h"
#include "SmartAmountField.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

class TestAccountFormDialog : public QObject
{
    Q_OBJECT

private slots:
    void startingBalanceToMinorUnits_data();
    void startingBalanceToMinorUnits();
    void newAccountDefaultsAndTrim();
    void everyCallMakesANewId();
    void editSelectsStoredValuesAndKeepsBookkeeping();
    void jpyBalanceShownInWholeYen();
    void accountNumberTakesFourCharacters();
    void typedBalanceFollowsCurrency_data();
    void typedBalanceFollowsCurrency();
};

void TestAccountFormDialog::startingBalanceToMinorUnits_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<double>("typed");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("0.29 is 29, not 28") << "USD" << 0.29 << qint64(29);
    QTest::newRow("-0.29 is -29") << "USD" << -0.29 << qint64(-29);
    QTest::newRow("1234.56") << "USD" << 1234.56 << qint64(123456);
    QTest::newRow("EUR cents") << "EUR" << 10.01 << qint64(1001);
    QTest::newRow("JPY 1000 is 1000 yen") << "JPY" << 1000.0 << qint64(1000);
    QTest::newRow("JPY rounds half away") << "JPY" << -12.5 << qint64(-13);
    QTest::newRow("largest") << "USD" << 99999999.99 << qint64(9999999999);
}

void TestAccountFormDialog::startingBalanceToMinorUnits()
{
    QFETCH(QString, currency);
    QFETCH(double, typed);
    QFETCH(qint64, expected);

    AccountFormDialog dialog;
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("currencyCombo"));
    combo->setCurrentIndex(combo->findData(currency));
    dialog.findChild<SmartAmountField *>(QStringLiteral("balanceField"))->setValue(typed);
    const Account account = dialog.account();
    QCOMPARE(currencyToString(account.currency), currency);
    QCOMPARE(account.startingBalance, expected);
}

void TestAccountFormDialog::newAccountDefaultsAndTrim()
{
    AccountFormDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("New Account"));
    QVERIFY(!dialog.isEditing());
    QCOMPARE(dialog.asOfDate(), QDate::currentDate());
    auto *balance = dialog.findChild<SmartAmountField *>(QStringLiteral("balanceField"));
    QCOMPARE(balance->prefix(), QStringLiteral("$ "));
    QCOMPARE(balance->decimals(), 2);

    dialog.findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("  Everyday  "));
    dialog.findChild<QLineEdit *>(QStringLiteral("institutionEdit"))->setText(QStringLiteral(" First Bank "));
    Account account = dialog.account();
    QCOMPARE(account.name, QStringLiteral("Everyday"));
    QCOMPARE(account.institution, QStringLiteral("First Bank"));
    QCOMPARE(account.accountType, AccountType::Checking);
    QCOMPARE(account.currency, Currency::USD);
    QCOMPARE(account.version, 1);
    QCOMPARE(account.syncStatus, SyncStatus::Pending);
    QVERIFY(account.createdAt.isValid());
    QCOMPARE(account.createdAt.timeSpec(), Qt::UTC);

    dialog.findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("   "));
    QCOMPARE(dialog.account().name, QString());
}

void TestAccountFormDialog::everyCallMakesANewId()
{
    AccountFormDialog dialog;
    const QString first = dialog.account().id;
    const QString second = dialog.account().id;
    QVERIFY(!first.isEmpty());
    QVERIFY(!first.contains(QLatin1Char('{')));
    QVERIFY(first != second);
}

void TestAccountFormDialog::editSelectsStoredValuesAndKeepsBookkeeping()
{
    Account stored;
    stored.id = QStringLiteral("acct-1");
    stored.name = QStringLiteral("Rainy Day");
    stored.accountType = AccountType::Other;
    stored.currency = Currency::GBP;
    stored.startingBalance = -12345;
    stored.sortOrder = 7;
    stored.isShared = true;
    stored.version = 4;
    stored.serverId = QStringLiteral("srv-9");
    stored.createdAt = QDateTime(QDate(2023, 1, 2), QTime(3, 4, 5), Qt::UTC);
    stored.syncStatus = SyncStatus::Synced;

    AccountFormDialog dialog(stored);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Account"));
    QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("typeCombo"))->currentText(),
             QStringLiteral("Other"));
    QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("currencyCombo"))->currentText(),
             QStringLiteral("GBP (£)"));
    QCOMPARE(dialog.findChild<SmartAmountField *>(QStringLiteral("balanceField"))->value(), -123.45);

    const Account result = dialog.account();
    QCOMPARE(result.id, stored.id);
    QCOMPARE(result.createdAt, stored.createdAt);
    QCOMPARE(result.sortOrder, 7);
    QVERIFY(result.isShared);
    QCOMPARE(result.version, 4);
    QCOMPARE(result.serverId, stored.serverId);
    QCOMPARE(result.startingBalance, qint64(-12345));
    QCOMPARE(result.syncStatus, SyncStatus::Pending);
    QVERIFY(result.updatedAt > stored.createdAt);
}

void TestAccountFormDialog::jpyBalanceShownInWholeYen()
{
    Account stored;
    stored.id = QStringLiteral("yen");
    stored.currency = Currency::JPY;
    stored.startingBalance = 1000;
    AccountFormDialog dialog(stored);
    QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("currencyCombo"))->currentText(),
             QStringLiteral("JPY (¥)"));
    QCOMPARE(dialog.findChild<SmartAmountField *>(QStringLiteral("balanceField"))->value(), 1000.0);
    // Saving unchanged keeps the amount: no factor of 100 creeps in either way.
    QCOMPARE(dialog.account().startingBalance, qint64(1000));
}

void TestAccountFormDialog::accountNumberTakesFourCharacters()
{
    AccountFormDialog dialog;
    auto *number = dialog.findChild<QLineEdit *>(QStringLiteral("numberEdit"));
    number->setFocus();
    QTest::keyClicks(number, QStringLiteral("ab-12"));
    QCOMPARE(number->text(), QStringLiteral("ab-1"));
    QCOMPARE(dialog.account().accountNumberLast4, QStringLiteral("ab-1"));
}

void TestAccountFormDialog::typedBalanceFollowsCurrency_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<bool>("autoDecimal");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("JPY whole yen, auto-decimal") << "JPY" << true << "1000" << qint64(1000);
    QTest::newRow("JPY whole yen") << "JPY" << false << "1000" << qint64(1000);
    QTest::newRow("USD cents, auto-decimal") << "USD" << true << "1000" << qint64(1000);
    QTest::newRow("USD units") << "USD" << false << "1000" << qint64(100000);
}

void TestAccountFormDialog::typedBalanceFollowsCurrency()
{
    QFETCH(QString, currency);
    QFETCH(bool, autoDecimal);
    QFETCH(QString, typed);
    QFETCH(qint64, expected);

    Money::setAutoDecimal(autoDecimal);
    AccountFormDialog dialog;
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("currencyCombo"));
    combo->setCurrentIndex(combo->findData(currency));
    auto *field = dialog.findChild<SmartAmountField *>(QStringLiteral("balanceField"));
    auto *edit = field->findChild<QLineEdit *>();
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    field->interpretText();
    const qint64 stored = dialog.account().startingBalance;
    Money::setAutoDecimal(false);
    QCOMPARE(stored, expected);
    QVERIFY(field->prefix().startsWith(Money::symbol(currencyFromString(currency))));
}

QTEST_MAIN(TestAccountFormDialog)
#include "TestAccountFormDialog.moc"
