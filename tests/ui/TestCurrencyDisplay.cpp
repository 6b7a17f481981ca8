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
    // register column, signed, field prefix, search column beside dollars
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("yen") << int(Currency::JPY) << qint64(-1000)
                         << QStringList{"1,000", "-¥1,000", "¥ ", "¥1,000"};
    QTest::newRow("euro") << int(Currency::EUR) << qint64(-123456)
                          << QStringList{"1,234.56", "-€1,234.56", "€ ", "€1,234.56"};
}

void TestCurrencyDisplay::amountsShowInTheirAccountsCurrency()
{
    QFETCH(int, currency);
    QFETCH(qint64, amount);
    QFETCH(QStringList, shown);
    TestApp test;
    const QDate day(2026, 3, 5);
    test.addTransaction(test.addAccount("Dollars").id, day.addDays(-1), "Dollar shop", -1000);
    // Open before the other account exists: it learns of it when it is made.
    SearchScreen search(test.app());
    search.refreshFilters();
    const Account account = test.addAccount("Abroad", 0, Currency(currency));
    const Transaction t = test.addTransaction(account.id, day, "Abroad shop", amount);
    RecurringTransaction r = TestRecords::recurring("rec", account.id, day);
    r.amount = amount;
    QVERIFY(test.app()->recurring()->insert(r));

    RegisterScreen registerScreen(test.app());
    registerScreen.setAccount(account.id);
    search.performSearch();
    RecurringScreen recurring(test.app());
    recurring.refresh();
    ReconciliationScreen reconciliation(test.app());
    reconciliation.setAccount(account.id);
    const auto payment = [](RegisterModel *model, int row) {
        return model->index(row, RegisterModel::PaymentColumn).data().toString();
    };
    QCOMPARE(payment(registerScreen.model(), registerScreen.model()->rowOf(t.id)), shown[0]);
    // The search holds both accounts' rows, oldest first: two currencies, each with its sign.
    QCOMPARE((QStringList{payment(search.model(), 0), payment(search.model(), 1)}),
             (QStringList{"$10.00", shown[3]}));
    QCOMPARE(recurring.model()->index(0, RecurringModel::AmountColumn).data().toString(), shown[1]);
    QCOMPARE(reconciliation.findChild<QTableWidget *>()->item(0, 3)->text(), shown[1]);
    QCOMPARE(reconciliation.findChild<SmartAmountField *>("statementBalanceField")->prefix(), shown[2]);
}

QTEST_MAIN(TestCurrencyDisplay)
#include "TestCurrencyDisplay.moc"
