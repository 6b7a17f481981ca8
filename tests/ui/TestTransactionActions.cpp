#include "CategoryRepository.h"
#include "DateField.h"
#include "ModalAnswerer.h"
#include "SmartAmountField.h"
#include "SplitEditorDialog.h"
#include "SplitLineRepository.h"
#include "TestApp.h"
#include "TransactionActions.h"
#include "TransactionDetailsDialog.h"
#include "TransactionFormDialog.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestTransactionActions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void toggleClearedFlipsAndStamps();
    void toggleClearedRefusesReconciled();
    void toggleClearedReportsFailedWrite();
    void editSavesTheForm();
    void editReportsFailedWrite();
    void editCancelledWritesNothing();
    void editKeepsDeletedCategories();
    void duplicateIsDatedTodayWithItsSplits();
    void duplicateReportsFailedWrite();
    void formBuildsNewRecord();
    void detailsDeleteAsksAndDeletes();

private:
    static bool refuseWrites(const char *operation);

    std::unique_ptr<TestApp> m_test;
    Account m_account;
    Transaction m_t;
};

void TestTransactionActions::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_account = m_test->addAccount(QStringLiteral("Checking"));
    m_t = m_test->addTransaction(m_account.id, QDate(2025, 1, 10), QStringLiteral("Bakery"), -1250);
    QVERIFY(!m_t.id.isEmpty());
}

void TestTransactionActions::cleanup()
{
    m_test.reset();
}

bool TestTransactionActions::refuseWrites(const char *operation)
{
    return TestDatabase::exec(QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON transactions BEGIN "
                                             "SELECT RAISE(ABORT, 'refused'); END")
                                  .arg(QLatin1String(operation)));
}

void TestTransactionActions::toggleClearedFlipsAndStamps()
{
    TestDatabase::exec("UPDATE transactions SET sync_status = 'synced', updated_at = '2020-01-01T00:00:00Z'");
    QVERIFY(TransactionActions::toggleCleared(m_test->app(), m_t));
    auto stored = m_test->app()->transactions()->findById(m_t.id);
    QVERIFY(stored->cleared);
    QCOMPARE(stored->syncStatus, SyncStatus::Pending);
    QVERIFY(stored->updatedAt > QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC));
    QVERIFY(TransactionActions::toggleCleared(m_test->app(), *stored));
    QVERIFY(!m_test->app()->transactions()->findById(m_t.id)->cleared);
}

void TestTransactionActions::toggleClearedRefusesReconciled()
{
    Transaction reconciled = m_t;
    reconciled.reconciled = true;
    reconciled.cleared = true;
    QVERIFY(m_test->app()->transactions()->update(reconciled));
    QVERIFY(!TransactionActions::toggleCleared(m_test->app(), reconciled));
    QVERIFY(m_test->app()->transactions()->findById(m_t.id)->cleared);
}

void TestTransactionActions::toggleClearedReportsFailedWrite()
{
    QVERIFY(refuseWrites("UPDATE"));
    QVERIFY(!TransactionActions::toggleCleared(m_test->app(), m_t));
    QVERIFY(!m_test->app()->transactions()->findById(m_t.id)->cleared);
}

void TestTransactionActions::editSavesTheForm()
{
    const QDateTime created = m_test->app()->transactions()->findById(m_t.id)->createdAt;
    ModalAnswerer answerer;
    answerer.expectDialog<TransactionFormDialog>([](TransactionFormDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Transaction"));
        dialog->findChild<QLineEdit *>(QStringLiteral("payeeEdit"))->setText(QStringLiteral("Corner Bakery"));
        dialog->findChild<SmartAmountField *>(QStringLiteral("amountField"))->setValue(15.75);
        dialog->findChild<DateField *>(QStringLiteral("dateField"))->setDate(QDate(2025, 1, 12));
    });
    QVERIFY(TransactionActions::editTransaction(m_test->app(), m_t, nullptr));
    const auto stored = m_test->app()->transactions()->findById(m_t.id);
    QCOMPARE(stored->payee, QStringLiteral("Corner Bakery"));
    QCOMPARE(stored->amount, qint64(-1575));
    QCOMPARE(stored->date, QDate(2025, 1, 12));
    QCOMPARE(stored->createdAt, created);
}

void TestTransactionActions::editReportsFailedWrite()
{
    QVERIFY(refuseWrites("UPDATE"));
    ModalAnswerer answerer;
    answerer.expectDialog<TransactionFormDialog>([](TransactionFormDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("payeeEdit"))->setText(QStringLiteral("Changed"));
    });
    answerer.expectMessageBox(QMessageBox::Ok);
    QVERIFY(!TransactionActions::editTransaction(m_test->app(), m_t, nullptr));
    QCOMPARE(answerer.messages().size(), 1);
    QCOMPARE(m_test->app()->transactions()->findById(m_t.id)->payee, QStringLiteral("Bakery"));
}

void TestTransactionActions::editCancelledWritesNothing()
{
    ModalAnswerer answerer;
    answerer.expectDialog<TransactionFormDialog>(
        [](TransactionFormDialog *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("payeeEdit"))->setText(QStringLiteral("Changed"));
        },
        false);
    QVERIFY(!TransactionActions::editTransaction(m_test->app(), m_t, nullptr));
    QCOMPARE(m_test->app()->transactions()->findById(m_t.id)->payee, QStringLiteral("Bakery"));
}

void TestTransactionActions::editKeepsDeletedCategories()
{
    // A category deleted later stays on the transactions and split lines that
    // use it; changing only the memo, or one line's memo, must not drop it.
    CategoryRepository *categories = m_test->app()->categories();
    Category gone;
    gone.id = QStringLiteral("cat-gone");
    gone.name = QStringLiteral("Old Hobby");
    QVERIFY(categories->insert(gone));
    QVERIFY(categories->softDelete(gone.id));

    Transaction t = m_t;
    t.categoryId = gone.id;
    QVERIFY(m_test->app()->transactions()->update(t));
    ModalAnswerer answerer;
    answerer.expectDialog<TransactionFormDialog>([](TransactionFormDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("memoEdit"))->setText(QStringLiteral("receipt kept"));
    });
    QVERIFY(TransactionActions::editTransaction(m_test->app(), t, nullptr));
    auto stored = m_test->app()->transactions()->findById(m_t.id);
    QCOMPARE(stored->memo, QStringLiteral("receipt kept"));
    QCOMPARE(stored->categoryId, gone.id);

    SplitLine line;
    line.id = QStringLiteral("line-gone");
    line.transactionId = m_t.id;
    line.categoryId = gone.id;
    line.amount = -1250;
    QVERIFY(m_test->app()->splitLines()->insert(line));
    Transaction split = *stored;
    split.isSplit = true;
    split.categoryId.clear();
    QVERIFY(m_test->app()->transactions()->update(split));
    answerer.expectDialog<SplitEditorDialog>(nullptr);
    QVERIFY(TransactionActions::editSplits(m_test->app(), split, nullptr));
    const QList<SplitLine> lines = m_test->app()->splitLines()->findByTransaction(m_t.id);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.constFirst().categoryId, gone.id);
}

void TestTransactionActions::duplicateIsDatedTodayWithItsSplits()
{
    SplitLine a;
    a.id = QStringLiteral("line-a");
    a.transactionId = m_t.id;
    a.amount = -1000;
    SplitLine b = a;
    b.id = QStringLiteral("line-b");
    b.amount = -250;
    QVERIFY(m_test->app()->splitLines()->insert(a));
    QVERIFY(m_test->app()->splitLines()->insert(b));
    Transaction split = m_t;
    split.isSplit = true;
    QVERIFY(m_test->app()->transactions()->update(split));

    ModalAnswerer answerer;
    answerer.expectDialog<TransactionFormDialog>([](TransactionFormDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("New Transaction"));
        QCOMPARE(dialog->findChild<DateField *>(QStringLiteral("dateField"))->date(), QDate::currentDate());
        QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("payeeEdit"))->text(),
                 QStringLiteral("Bakery"));
    });
    QVERIFY(TransactionActions::duplicateTransaction(m_test->app(), split, nullptr));

    const QList<Transaction> all = m_test->app()->transactions()->findByAccount(m_account.id);
    QCOMPARE(all.size(), 2);
    const Transaction copy = all.constFirst().id == m_t.id ? all.constLast() : all.constFirst();
    QVERIFY(copy.id != m_t.id);
    QCOMPARE(copy.date, QDate::currentDate());
    QCOMPARE(copy.amount, qint64(-1250));
    QVERIFY(copy.isSplit);
    const QList<SplitLine> lines = m_test->app()->splitLines()->findByTransaction(copy.id);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0).amount + lines.at(1).amount, qint64(-1250));
    QCOMPARE(m_test->app()->splitLines()->findByTransaction(m_t.id).size(), 2);
}

void TestTransactionActions::duplicateReportsFailedWrite()
{
    QVERIFY(refuseWrites("INSERT"));
    ModalAnswerer answerer;
    answerer.expectDialog<TransactionFormDialog>(nullptr);
    answerer.expectMessageBox(QMessageBox::Ok);
    QVERIFY(!TransactionActions::duplicateTransaction(m_test->app(), m_t, nullptr));
    QCOMPARE(m_test->app()->transactions()->findByAccount(m_account.id).size(), 1);
}

void TestTransactionActions::formBuildsNewRecord()
{
    TransactionFormDialog dialog(m_test->app(), m_account.id);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("New Transaction"));
    dialog.findChild<QLineEdit *>(QStringLiteral("payeeEdit"))->setText(QStringLiteral("  Employer "));
    dialog.findChild<QComboBox *>(QStringLiteral("typeCombo"))->setCurrentIndex(1);
    dialog.findChild<SmartAmountField *>(QStringLiteral("amountField"))->setValue(2000.10);
    const Transaction a = dialog.transaction();
    const Transaction b = dialog.transaction();
    QVERIFY(!a.id.isEmpty());
    QVERIFY(a.id != b.id);
    QCOMPARE(a.accountId, m_account.id);
    QCOMPARE(a.payee, QStringLiteral("Employer"));
    QCOMPARE(a.amount, qint64(200010));
    QCOMPARE(a.syncStatus, SyncStatus::Pending);
    QVERIFY(a.createdAt.isValid());
}

void TestTransactionActions::detailsDeleteAsksAndDeletes()
{
    TransactionDetailsDialog dialog(m_test->app(), m_t);
    ModalAnswerer answerer;
    answerer.expect(
        [](QWidget *modal) { modal->findChild<QPushButton *>(QStringLiteral("deleteButton"))->click(); });
    answerer.expectMessageBox(QMessageBox::Yes);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(dialog.deleted());
    QVERIFY(!dialog.editRequested());
    QVERIFY(m_test->app()->transactions()->findById(m_t.id)->deletedAt.has_value());
}

QTEST_MAIN(TestTransactionActions)
#include "TestTransactionActions.moc"
