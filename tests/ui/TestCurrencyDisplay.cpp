#include "ReconciliationScreen.h"
#include "RecurringModel.h"
#include "RecurringRepository.h"
#include "RecurringScreen.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "SearchScreen.h"
#include "SmartAmountField.h"
#include "TestApp.h"
#include "TestRecords.h"

#include <QTableWidget>
#include <QtTest>

// Every screen shows an amount in its own account's currency, also beside
// amounts of accounts in other currencies.
class TestCurrencyDisplay : public QObject
{
    Q_OBJECT

private slots:
    void amountsShowInTheirAccountsCurrency_data();
    void amountsShowInTheirAccountsCurrency();
};

void TestCurrencyDisplay::amountsShowInTheirAccountsCurrency_data()
{
    QTest::addColumn<int>("currency");
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<QString>("column"); // the register's and search's Payment column
    QTest::addColumn<QString>("withSign"); // the recurring list and the reconciliation table
    QTest::addColumn<QString>("prefix"); // the statement balance field

    QTest::newRow("yen") << int(Currency::JPY) << qint64(-1000) << "1,000" << "-¥1,000" << "¥ ";
    QTest::newRow("euro") << int(Currency::EUR) << qint64(-123456) << "1,234.56" << "-€1,234.56" << "€ ";
    QTest::newRow("pound") << int(Currency::GBP) << qint64(-5) << "0.05" << "-£0.05" << "£ ";
}

void TestCurrencyDisplay::amountsShowInTheirAccountsCurrency()
{
    QFETCH(int, currency);
    QFETCH(qint64, amount);
    QFETCH(QString, column);
    QFETCH(QString, withSign);
    QFETCH(QString, prefix);
    TestApp test;
    const QDate day(2026, 3, 5);
    const Account dollars = test.addAccount(QStringLiteral("Dollars"));
    test.addTransaction(dollars.id, day, QStringLiteral("Dollar shop"), -1000);
    const Account account = test.addAccount(QStringLiteral("Abroad"), 0, Currency(currency));
    const Transaction t = test.addTransaction(account.id, day, QStringLiteral("Abroad shop"), amount);
    RecurringTransaction r = TestRecords::recurring(QStringLiteral("rec"), account.id, day);
    r.amount = amount;
    QVERIFY(test.app()->recurring()->insert(r));

    RegisterScreen registerScreen(test.app());
    registerScreen.setAccount(account.id);
    RegisterModel *rows = registerScreen.model();
    QCOMPARE(rows->index(rows->rowOf(t.id), RegisterModel::PaymentColumn).data().toString(), column);

    // The results hold both accounts, each in its own currency.
    SearchScreen search(test.app());
    search.refreshFilters();
    QHash<QString, QString> shown;
    for (int row = 0; row < search.model()->rowCount(); ++row)
        shown.insert(search.model()->rowAt(row).transaction.payee,
                     search.model()->index(row, RegisterModel::PaymentColumn).data().toString());
    QCOMPARE(shown, (QHash<QString, QString>{{"Abroad shop", column}, {"Dollar shop", "10.00"}}));

    RecurringScreen recurring(test.app());
    recurring.refresh();
    QCOMPARE(recurring.model()->index(0, RecurringModel::AmountColumn).data().toString(), withSign);

    ReconciliationScreen reconciliation(test.app());
    reconciliation.setAccount(account.id);
    QCOMPARE(reconciliation.findChild<QTableWidget *>()->item(0, 3)->text(), withSign);
    QCOMPARE(reconciliation.findChild<SmartAmountField *>(QStringLiteral("statementBalanceField"))->prefix(), prefix);
}

QTEST_MAIN(TestCurrencyDisplay)
#include "TestCurrencyDisplay.moc"
