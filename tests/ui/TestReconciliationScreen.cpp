#include "DateField.h"
#include "EntryChoices.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "ReconciliationHistoryScreen.h"
#include "ReconciliationRepository.h"
#include "ReconciliationScreen.h"
#include "SmartAmountField.h"
#include "StatusBar.h"
#include "TestApp.h"
#include "ThemeManager.h"
#include "TransactionFormDialog.h"
#include "TransactionWriter.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

using Amounts = QList<qint64>;

class TestReconciliationScreen : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY((m_test = std::make_unique<TestApp>())->isValid()); }
    void cleanup();
    void summary_data();
    void summary();
    void finishMarksTickedRowsAndRecords();
    void refusedFinishChangesNothing_data();
    void refusedFinishChangesNothing();
    void defaultStatementDate_data();
    void defaultStatementDate();
    void tickKeysFlipOnce();
    void transferLegsFollowAddAndDelete();
    void mainWindowOpensAndClosesTheWindows();

private:
    void open(const QString &accountId);
    // Back to the screen after a modal dialog, so that its shortcuts apply again.
    void activate();
    template <typename T> T *child(const char *name) const
    {
        return m_screen->findChild<T *>(QLatin1String(name));
    }
    QString label(const char *name) const { return child<QLabel>(name)->text(); }
    QCheckBox *tick(int row) const { return qobject_cast<QCheckBox *>(m_table->cellWidget(row, 0)); }
    int rowOf(const QString &payee) const;
    Transaction add(const QString &accountId, int day, const char *payee, qint64 amount, bool cleared = false)
    {
        return m_test->addTransaction(accountId, QDate(2024, 3, day), QLatin1String(payee), amount, cleared);
    }
    static void reconcile(const QString &id)
    {
        QVERIFY(TestDatabase::exec("UPDATE transactions SET cleared = 1, reconciled = 1 WHERE id = ?", {id}));
    }
    // Clicks Finish and answers the one message it shows.
    QStringList clickFinish();
    static int count(const char *sql) { return TestDatabase::scalar(QLatin1String(sql)).toInt(); }

    std::unique_ptr<TestApp> m_test;
    std::unique_ptr<ReconciliationScreen> m_screen;
    QTableWidget *m_table = nullptr;
};

void TestReconciliationScreen::cleanup()
{
    m_screen.reset();
    m_test.reset();
}

void TestReconciliationScreen::open(const QString &accountId)
{
    m_screen = std::make_unique<ReconciliationScreen>(m_test->app());
    m_screen->setAccount(accountId);
    m_screen->show();
    activate();
    m_table = child<QTableWidget>("transactionTable");
}

void TestReconciliationScreen::activate()
{
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
}

int TestReconciliationScreen::rowOf(const QString &payee) const
{
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (m_table->item(row, 2)->text() == payee)
            return row;
    }
    return -1;
}

QStringList TestReconciliationScreen::clickFinish()
{
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Ok);
    child<QPushButton>("finishButton")->click();
    return answerer.messages();
}

void TestReconciliationScreen::summary_data()
{
    QTest::addColumn<int>("currency");
    QTest::addColumn<qint64>("start");
    QTest::addColumn<Amounts>("reconciled");
    QTest::addColumn<Amounts>("cleared");
    QTest::addColumn<double>("statement");
    QTest::addColumn<QStringList>("shown"); // previous, deposits, withdrawals, cleared, statement, difference

    QTest::newRow("empty account") << int(Currency::USD) << qint64(0) << Amounts{} << Amounts{} << 0.0
                                   << QStringList{"$0.00", "$0.00", "$0.00", "$0.00", "$0.00", "$0.00"};
    QTest::newRow("previous reconciliation carries over")
        << int(Currency::USD) << qint64(100000) << Amounts{-25000, 1000} << Amounts{5000, -1234} << 797.66
        << QStringList{"$760.00", "$50.00", "-$12.34", "$797.66", "$797.66", "$0.00"};
    QTest::newRow("statement short") << int(Currency::USD) << qint64(0) << Amounts{} << Amounts{5000, -1234}
                                     << 30.0 << QStringList{"$0.00",  "$50.00", "-$12.34",
                                                            "$37.66", "$30.00", "-$7.66"};
    QTest::newRow("card below zero") << int(Currency::USD) << qint64(-50000) << Amounts{} << Amounts{-29}
                                     << -500.29 << QStringList{"-$500.00", "$0.00",    "-$0.29",
                                                               "-$500.29", "-$500.29", "$0.00"};
    QTest::newRow("yen in whole units")
        << int(Currency::JPY) << qint64(10000) << Amounts{-2000} << Amounts{-1500, 500} << 7000.0
        << QStringList{"¥8,000", "¥500", "-¥1,500", "¥7,000", "¥7,000", "¥0"};
}

void TestReconciliationScreen::summary()
{
    QFETCH(int, currency);
    QFETCH(qint64, start);
    QFETCH(Amounts, reconciled);
    QFETCH(Amounts, cleared);
    QFETCH(double, statement);
    QFETCH(QStringList, shown);

    const Account account = m_test->addAccount(QStringLiteral("Books"), start, Currency(currency));
    int day = 1;
    for (qint64 amount : reconciled)
        reconcile(add(account.id, day++, "Old", amount).id);
    for (qint64 amount : cleared)
        add(account.id, day++, "Cleared", amount, true);
    add(account.id, day, "Not on the statement", -77700);
    const Account other = m_test->addAccount(QStringLiteral("Other"), 123400, Currency(currency));
    add(other.id, day, "Elsewhere", 999, true);

    open(account.id);
    child<SmartAmountField>("statementBalanceField")->setValue(statement);
    const QStringList actual{label("previousBalanceValue"),    label("clearedDepositsValue"),
                             label("clearedWithdrawalsValue"), label("clearedBalanceValue"),
                             label("statementBalanceValue"),   label("differenceValue")};
    QCOMPARE(actual, shown);
    const bool balanced = shown.last() == QStringLiteral("$0.00") || shown.last() == QStringLiteral("¥0");
    const QColor colour = balanced ? ThemeManager::positiveColor() : ThemeManager::negativeColor();
    QVERIFY(child<QLabel>("differenceValue")->styleSheet().contains(colour.name()));
    QCOMPARE(child<QPushButton>("finishButton")->isEnabled(), balanced);

    // Finish checks the difference again: an unbalanced statement records nothing.
    QSignalSpy completed(m_screen.get(), &ReconciliationScreen::reconciliationCompleted);
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Ok);
    m_screen->finish();
    QCOMPARE(completed.count(), balanced ? 1 : 0);
    QCOMPARE(count("SELECT COUNT(*) FROM reconciliations"), balanced ? 1 : 0);
    QCOMPARE(count("SELECT COUNT(*) FROM transactions WHERE reconciled = 1"),
             int(reconciled.size() + (balanced ? cleared.size() : 0)));
}

void TestReconciliationScreen::finishMarksTickedRowsAndRecords()
{
    const Account account = m_test->addAccount(QStringLiteral("Checking"), 10000);
    reconcile(add(account.id, 1, "Old", -1000).id);
    const Transaction pay = add(account.id, 2, "Pay", 50000, true);
    const Transaction rent = add(account.id, 3, "Rent", -30000);
    const Transaction cafe = add(account.id, 4, "Cafe", -450, true);
    const Transaction later = add(account.id, 5, "Later", -999);
    QVERIFY(TestDatabase::exec("UPDATE transactions SET sync_status = 'synced', memo = 'kept'"));

    open(account.id);
    tick(rowOf(QStringLiteral("Rent")))->setChecked(true);
    tick(rowOf(QStringLiteral("Cafe")))->setChecked(false); // cleared, but not on this statement
    child<SmartAmountField>("statementBalanceField")->setValue(290.00);
    child<DateField>("statementDateField")->setDate(QDate(2024, 3, 31));
    QSignalSpy completed(m_screen.get(), &ReconciliationScreen::reconciliationCompleted);
    QCOMPARE(clickFinish(), QStringList{QStringLiteral("Account reconciled successfully.")});
    QCOMPARE(completed.count(), 1);

    auto stored = [](const Transaction &t) {
        return TestDatabase::scalar("SELECT cleared || reconciled || sync_status || memo FROM transactions "
                                    "WHERE id = ?",
                                    {t.id})
            .toString();
    };
    const QStringList states{stored(pay), stored(rent), stored(cafe), stored(later)};
    QCOMPARE(states, (QStringList{"11pendingkept", "11pendingkept", "10syncedkept", "00syncedkept"}));
    const QList<Reconciliation> records = m_test->app()->reconciliations()->findByAccount(account.id);
    QCOMPARE(records.size(), 1);
    const Reconciliation &r = records.constFirst();
    QCOMPARE(r.statementDate, QDate(2024, 3, 31));
    QCOMPARE(r.statementBalance, qint64(29000));
    QCOMPARE(r.reconciledBalance, qint64(29000));
    QCOMPARE(r.syncStatus, SyncStatus::Pending);
    QVERIFY(qAbs(r.completedAt.secsTo(QDateTime::currentDateTimeUtc())) < 60);
    // What is left starts from the new reconciled balance.
    QCOMPARE(m_table->rowCount(), 2);
    QCOMPARE(label("previousBalanceValue"), QStringLiteral("$290.00"));
}

void TestReconciliationScreen::refusedFinishChangesNothing_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("failed"); // a write failed, rather than a row changed meanwhile
    QTest::addColumn<int>("rowsAfter");
    QTest::addColumn<bool>("balancedAfter");
    const QString refuse = QStringLiteral("CREATE TRIGGER refuse %1 BEGIN SELECT RAISE(ABORT, 'no'); END");
    QTest::newRow("record refused") << refuse.arg("BEFORE INSERT ON reconciliations") << true << 3 << true;
    QTest::newRow("second row refused")
        << refuse.arg("BEFORE UPDATE ON transactions WHEN NEW.payee = 'Rent'") << true << 3 << true;
    QTest::newRow("amount changed") << "UPDATE transactions SET amount = -31000 WHERE payee = 'Rent'" << false
                                    << 3 << false;
    QTest::newRow("deleted") << "UPDATE transactions SET deleted_at = updated_at WHERE payee = 'Rent'"
                             << false << 2 << false;
    // Reconciled on another device: the rest still balances from the new starting point.
    QTest::newRow("reconciled elsewhere")
        << "UPDATE transactions SET reconciled = 1 WHERE payee = 'Rent'" << false << 2 << true;
}

void TestReconciliationScreen::refusedFinishChangesNothing()
{
    QFETCH(QString, sql);
    QFETCH(bool, failed);
    QFETCH(int, rowsAfter);
    QFETCH(bool, balancedAfter);
    const Account account = m_test->addAccount(QStringLiteral("Checking"));
    const Transaction pay = add(account.id, 1, "Pay", 50000);
    add(account.id, 3, "Rent", -30000, true);
    add(account.id, 4, "Unlisted", -100);
    open(account.id);
    tick(rowOf(QStringLiteral("Pay")))->setChecked(true);
    child<SmartAmountField>("statementBalanceField")->setValue(200.00);
    QVERIFY(TestDatabase::exec(sql));

    QSignalSpy completed(m_screen.get(), &ReconciliationScreen::reconciliationCompleted);
    const QStringList messages = clickFinish();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.constFirst() == "The reconciliation could not be saved. Nothing was changed.", failed);
    QCOMPARE(completed.count(), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM reconciliations"), 0);
    QCOMPARE(TestDatabase::scalar("SELECT reconciled FROM transactions WHERE id = ?", {pay.id}).toInt(), 0);
    // Read again, keeping the user's ticks.
    QCOMPARE(m_table->rowCount(), rowsAfter);
    QVERIFY(tick(rowOf(QStringLiteral("Pay")))->isChecked());
    QCOMPARE(child<QPushButton>("finishButton")->isEnabled(), balancedAfter);
}

void TestReconciliationScreen::defaultStatementDate_data()
{
    QTest::addColumn<QList<QDate>>("reconciledDates");
    QTest::addColumn<QDate>("lastStatement");
    QTest::addColumn<QDate>("expected");
    const QList<QDate> both{QDate(2024, 3, 10), QDate(2024, 5, 2)};
    QTest::newRow("later reconciled transaction") << both << QDate(2024, 4, 30) << QDate(2024, 6, 2);
    QTest::newRow("month end") << QList<QDate>{} << QDate(2024, 1, 31) << QDate(2024, 2, 29);
    QTest::newRow("first time") << QList<QDate>{} << QDate() << QDate::currentDate();
}

void TestReconciliationScreen::defaultStatementDate()
{
    QFETCH(QList<QDate>, reconciledDates);
    QFETCH(QDate, lastStatement);
    QFETCH(QDate, expected);
    const Account account = m_test->addAccount(QStringLiteral("Checking"));
    for (const QDate &date : reconciledDates)
        reconcile(m_test->addTransaction(account.id, date, QStringLiteral("Old"), -100).id);
    Reconciliation r;
    r.id = QStringLiteral("rec-1");
    r.accountId = account.id;
    r.statementDate = lastStatement;
    r.completedAt = QDateTime::currentDateTimeUtc();
    QVERIFY(!lastStatement.isValid() || m_test->app()->reconciliations()->insert(r));
    open(account.id);
    QCOMPARE(child<DateField>("statementDateField")->date(), expected);
}

void TestReconciliationScreen::tickKeysFlipOnce()
{
    const Account account = m_test->addAccount(QStringLiteral("Checking"));
    add(account.id, 1, "Pay", 50000);
    add(account.id, 2, "Rent", -30000);
    open(account.id);
    m_table->setFocus();
    m_table->setCurrentCell(-1, -1);
    QTest::keyClick(m_table, Qt::Key_Space); // no current row: nothing happens
    QVERIFY(!tick(0)->isChecked() && !tick(1)->isChecked());

    m_table->setCurrentCell(1, 1);
    QTest::keyClick(m_table, Qt::Key_Space);
    QVERIFY(tick(1)->isChecked() && !tick(0)->isChecked());
    QCOMPARE(label("clearedWithdrawalsValue"), QStringLiteral("-$300.00"));
    QTest::keyClick(m_table, Qt::Key_Return);
    QVERIFY(!tick(1)->isChecked());
    QCOMPARE(label("clearedWithdrawalsValue"), QStringLiteral("$0.00"));
}

void TestReconciliationScreen::transferLegsFollowAddAndDelete()
{
    const Account checking = m_test->addAccount(QStringLiteral("Checking"));
    const Account savings = m_test->addAccount(QStringLiteral("Savings"));
    add(checking.id, 1, "Pay", 50000);
    open(checking.id);
    tick(0)->setChecked(true);

    ModalAnswerer answerer;
    answerer.expectDialog<TransactionFormDialog>([&savings](TransactionFormDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("payeeEdit"))->setText(QStringLiteral("To savings"));
        dialog->findChild<SmartAmountField *>(QStringLiteral("amountField"))->setValue(150.00);
        EntryChoices::selectCode(dialog->findChild<QComboBox *>(QStringLiteral("categoryCombo")),
                                 EntryChoices::codeOf(QString(), savings.id));
    });
    QTest::keyClick(m_table, Qt::Key_Insert);
    QTRY_COMPARE(answerer.pendingHandlers(), 0);
    const char *savingsLeg = "SELECT COUNT(*) FROM transactions WHERE amount = 15000 AND deleted_at IS NULL";
    QCOMPARE(count(savingsLeg), 1);
    const int added = rowOf(QStringLiteral("To savings"));
    QVERIFY(added >= 0 && !tick(added)->isChecked()); // not cleared in the form
    QVERIFY(tick(rowOf(QStringLiteral("Pay")))->isChecked());

    // Delete is one shortcut, and it takes both legs.
    m_table->setCurrentCell(added, 1);
    answerer.expectMessageBox(QMessageBox::Yes);
    activate();
    QTest::keyClick(m_table, Qt::Key_Delete);
    QTRY_COMPARE(answerer.pendingHandlers(), 0);
    QCOMPARE(answerer.messages(), QStringList{"Delete the transaction for To savings?"});
    QCOMPARE(count(savingsLeg), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM transactions WHERE deleted_at IS NULL"), 1);
    QCOMPARE(m_table->rowCount(), 1);
    QVERIFY(answerer.unexpected().isEmpty());
}

template <typename T> static QList<T *> topLevel()
{
    QList<T *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *typed = qobject_cast<T *>(widget))
            found << typed;
    }
    return found;
}

void TestReconciliationScreen::mainWindowOpensAndClosesTheWindows()
{
    MainWindow window(m_test->app());
    QHash<QString, QAction *> tools;
    for (QAction *action : window.toolsMenu()->actions())
        tools.insert(action->text(), action);
    tools.value(QStringLiteral("Reconcile..."))->trigger(); // no account yet
    QVERIFY(!window.statusBarWidget()->currentMessage().isEmpty());
    QVERIFY(topLevel<ReconciliationScreen>().isEmpty());

    const Account account = m_test->addAccount(QStringLiteral("Checking"));
    add(account.id, 1, "Pay", 50000, true);
    window.reloadAccounts();
    tools.value(QStringLiteral("Reconcile..."))->trigger();
    QCOMPARE(topLevel<ReconciliationScreen>().size(), 1);
    QPointer<ReconciliationScreen> screen = topLevel<ReconciliationScreen>().constFirst();
    screen->findChild<SmartAmountField *>(QStringLiteral("statementBalanceField"))->setValue(500.00);
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Ok);
    screen->findChild<QPushButton *>(QStringLiteral("finishButton"))->click();
    QTRY_VERIFY(!screen); // closed once completed

    tools.value(QStringLiteral("Reconciliation History..."))->trigger();
    tools.value(QStringLiteral("Reconciliation History..."))->trigger();
    QCOMPARE(topLevel<ReconciliationHistoryScreen>().size(), 1);
    QCOMPARE(topLevel<ReconciliationHistoryScreen>().constFirst()->findChild<QTableWidget *>()->rowCount(),
             1);
}

QTEST_MAIN(TestReconciliationScreen)
#include "TestReconciliationScreen.moc"
