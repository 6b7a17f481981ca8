#include "ReconciliationHistoryScreen.h"
#include "ReconciliationRepository.h"
#include "TestApp.h"
#include "ThemeManager.h"

#include <QLabel>
#include <QTableWidget>
#include <QtTest>

class TestReconciliationHistoryScreen : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY((m_test = std::make_unique<TestApp>())->isValid()); }
    void cleanup() { m_test.reset(); }
    void listsNewestFirstInTheAccountsCurrency_data();
    void listsNewestFirstInTheAccountsCurrency();
    void emptyOrMissingAccount();

private:
    void add(const QString &accountId, const QDate &statementDate, qint64 balance)
    {
        Reconciliation r;
        r.id = QStringLiteral("rec-%1").arg(++m_count);
        r.accountId = accountId;
        r.statementDate = statementDate;
        r.statementBalance = balance;
        r.reconciledBalance = balance;
        r.completedAt = QDateTime(QDate(2024, 4, 2), QTime(23, 30), Qt::UTC);
        QVERIFY(m_test->app()->reconciliations()->insert(r));
    }

    std::unique_ptr<TestApp> m_test;
    int m_count = 0;
};

void TestReconciliationHistoryScreen::listsNewestFirstInTheAccountsCurrency_data()
{
    QTest::addColumn<int>("currency");
    QTest::addColumn<QStringList>("balances"); // statement and reconciled, newest row first
    QTest::newRow("dollars") << int(Currency::USD)
                             << QStringList{"$1,234.56", "$1,234.56", "-$50.00", "-$50.00", "$0.00", "$0.00"};
    QTest::newRow("yen") << int(Currency::JPY)
                         << QStringList{"¥123,456", "¥123,456", "-¥5,000", "-¥5,000", "¥0", "¥0"};
}

void TestReconciliationHistoryScreen::listsNewestFirstInTheAccountsCurrency()
{
    QFETCH(int, currency);
    QFETCH(QStringList, balances);
    const Account account = m_test->addAccount(QStringLiteral("Card"), 0, Currency(currency));
    add(account.id, QDate(2024, 1, 31), 0);
    add(account.id, QDate(2024, 3, 31), 123456);
    add(m_test->addAccount(QStringLiteral("Other")).id, QDate(2024, 5, 31), 1);
    add(account.id, QDate(2024, 2, 29), -5000);

    ReconciliationHistoryScreen screen(m_test->app());
    screen.setAccount(account.id);
    auto *table = screen.findChild<QTableWidget *>();
    QCOMPARE(table->rowCount(), 3);
    QStringList dates;
    QStringList shown;
    for (int row = 0; row < 3; ++row) {
        dates << table->item(row, 0)->text();
        shown << table->item(row, 1)->text() << table->item(row, 2)->text();
    }
    QCOMPARE(dates, (QStringList{"Mar 31, 2024", "Feb 29, 2024", "Jan 31, 2024"}));
    QCOMPARE(shown, balances);
    QCOMPARE(table->item(1, 2)->foreground().color(), ThemeManager::negativeColor());
    QVERIFY(table->item(0, 2)->foreground().color() != ThemeManager::negativeColor());
    const QDateTime completed(QDate(2024, 4, 2), QTime(23, 30), Qt::UTC);
    QCOMPARE(table->item(0, 3)->text(),
             completed.toLocalTime().toString(QStringLiteral("MMM d, yyyy h:mm ap")));
}

void TestReconciliationHistoryScreen::emptyOrMissingAccount()
{
    const Account account = m_test->addAccount(QStringLiteral("Checking"));
    const Account empty = m_test->addAccount(QStringLiteral("Savings"));
    add(account.id, QDate(2024, 1, 31), 100);
    ReconciliationHistoryScreen screen(m_test->app());
    screen.show();
    auto *table = screen.findChild<QTableWidget *>();
    auto *emptyText = screen.findChild<QLabel *>(QStringLiteral("emptyLabel"));
    auto *title = screen.findChild<QLabel *>(QStringLiteral("titleLabel"));
    screen.setAccount(account.id);
    QVERIFY(table->isVisible() && !emptyText->isVisible());

    screen.setAccount(empty.id);
    QVERIFY(!table->isVisible() && emptyText->isVisible());
    QCOMPARE(title->text(), QStringLiteral("Reconciliation History — Savings"));
    // No account: the title names none.
    screen.setAccount(QStringLiteral("no-such-account"));
    QCOMPARE(title->text(), QStringLiteral("Reconciliation History"));
}

QTEST_MAIN(TestReconciliationHistoryScreen)
#include "TestReconciliationHistoryScreen.moc"
