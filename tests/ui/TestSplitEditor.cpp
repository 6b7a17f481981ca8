#include "CategoryRepository.h"
#include "ModalAnswerer.h"
#include "SplitEditorDialog.h"
#include "SplitLineRepository.h"
#include "TestApp.h"
#include "TransactionActions.h"
#include "TransactionRepository.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

class TestSplitEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsWithWholeAmountOnOneLine();
    void refusesLinesThatDoNotAddUp();
    void totalBecomesTheAmountAndNoLinesUndoTheSplit();
    void linesAreSignedLikeTheTransaction_data();
    void linesAreSignedLikeTheTransaction();
    void editSplitsWritesLinesAndFlag();
    void transferCannotBeSplit();

private:
    std::unique_ptr<TestApp> m_test;
    Account m_account;
    Transaction m_payment;
    QString m_food;
    QString m_home;
};

void TestSplitEditor::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_account = m_test->addAccount(QStringLiteral("Checking"));
    m_payment = m_test->addTransaction(m_account.id, QDate(2025, 2, 2), QStringLiteral("Superstore"), -10000);
    QVERIFY(!m_payment.id.isEmpty());
    const QList<Category> categories = m_test->app()->categories()->findAll();
    QVERIFY(categories.size() >= 2);
    m_food = categories.at(0).id;
    m_home = categories.at(1).id;
}

void TestSplitEditor::cleanup()
{
    m_test.reset();
}

void TestSplitEditor::startsWithWholeAmountOnOneLine()
{
    SplitEditorDialog dialog(m_test->app(), m_payment, {});
    QCOMPARE(dialog.lineCount(), 2);
    QCOMPARE(dialog.remaining(), qint64(0));
    const QList<SplitLine> lines = dialog.lines(); // the empty second line is left out
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.constFirst().amount, qint64(-10000));
}

void TestSplitEditor::refusesLinesThatDoNotAddUp()
{
    // A reconciled amount belongs to its statement: its lines must still add up.
    Transaction reconciled = m_payment;
    reconciled.reconciled = true;
    SplitEditorDialog dialog(m_test->app(), reconciled, {});
    dialog.setLineAmount(0, 6000);
    dialog.setLineAmount(1, 3000);
    QCOMPARE(dialog.remaining(), qint64(1000));

    ModalAnswerer answerer;
    // OK with $10.00 unassigned: a warning, and the editor stays open.
    answerer.expect([&](QWidget *modal) {
        QCOMPARE(modal, &dialog);
        dialog.accept();
    });
    answerer.expectMessageBox(QMessageBox::Ok);
    // Then the lines are fixed and OK goes through.
    answerer.expect([&](QWidget *modal) {
        QCOMPARE(modal, &dialog);
        dialog.setLineAmount(1, 4000);
        dialog.accept();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(answerer.pendingHandlers(), 0);
    QVERIFY(answerer.unexpected().isEmpty());
    QCOMPARE(answerer.messages().size(), 1);
    QVERIFY(answerer.messages().constFirst().contains(QStringLiteral("$90.00")));
    QVERIFY(answerer.messages().constFirst().contains(QStringLiteral("$100.00")));

    const QList<SplitLine> lines = dialog.lines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0).amount + lines.at(1).amount, m_payment.amount);
}

void TestSplitEditor::totalBecomesTheAmountAndNoLinesUndoTheSplit()
{
    // Lines of $60 and $30 on a $100 payment: the payment becomes $90, said before saving.
    ModalAnswerer answerer;
    answerer.expectDialog<SplitEditorDialog>([](SplitEditorDialog *dialog) {
        dialog->setLineAmount(0, 6000);
        dialog->setLineAmount(1, 3000);
        auto *change = dialog->findChild<QLabel *>(QStringLiteral("changeLabel"));
        QVERIFY(change->text().contains(QStringLiteral("$90.00")));
    });
    QVERIFY(TransactionActions::editSplits(m_test->app(), m_payment, nullptr));
    std::optional<Transaction> stored = m_test->app()->transactions()->findById(m_payment.id);
    QCOMPARE(stored->amount, qint64(-9000));
    QVERIFY(stored->isSplit);
    QCOMPARE(
        TestDatabase::scalar("SELECT SUM(amount) FROM split_lines WHERE transaction_id = ?", {m_payment.id})
            .toLongLong(),
        qint64(-9000));

    // Removing every line makes it an ordinary payment of the same amount.
    answerer.expectDialog<SplitEditorDialog>([](SplitEditorDialog *dialog) {
        while (dialog->lineCount() > 0)
            dialog->removeLine(0);
    });
    QVERIFY(TransactionActions::editSplits(m_test->app(), *stored, nullptr));
    stored = m_test->app()->transactions()->findById(m_payment.id);
    QVERIFY(!stored->isSplit);
    QCOMPARE(stored->amount, qint64(-9000));
    QVERIFY(m_test->app()->splitLines()->findByTransaction(m_payment.id).isEmpty());
    QVERIFY(answerer.unexpected().isEmpty());
}

void TestSplitEditor::linesAreSignedLikeTheTransaction_data()
{
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<qint64>("firstLine");
    QTest::addColumn<qint64>("storedFirst");
    QTest::newRow("payment") << qint64(-10000) << qint64(2500) << qint64(-2500);
    QTest::newRow("deposit") << qint64(10000) << qint64(2500) << qint64(2500);
    QTest::newRow("refund inside a payment") << qint64(-10000) << qint64(-500) << qint64(500);
}

void TestSplitEditor::linesAreSignedLikeTheTransaction()
{
    QFETCH(qint64, amount);
    QFETCH(qint64, firstLine);
    QFETCH(qint64, storedFirst);
    Transaction t = m_payment;
    t.amount = amount;
    SplitEditorDialog dialog(m_test->app(), t, {});
    dialog.setLineAmount(0, firstLine);
    dialog.setLineAmount(1, (amount < 0 ? -amount : amount) - firstLine);
    QCOMPARE(dialog.remaining(), qint64(0));
    const QList<SplitLine> lines = dialog.lines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0).amount, storedFirst);
    QCOMPARE(lines.at(0).amount + lines.at(1).amount, amount);
}

void TestSplitEditor::editSplitsWritesLinesAndFlag()
{
    ModalAnswerer answerer;
    answerer.expectDialog<SplitEditorDialog>([&](SplitEditorDialog *dialog) {
        auto *table = dialog->findChild<QTableWidget *>();
        auto *first = qobject_cast<QComboBox *>(table->cellWidget(0, 0));
        auto *second = qobject_cast<QComboBox *>(table->cellWidget(1, 0));
        first->setCurrentIndex(first->findData(QStringLiteral("c:") + m_food));
        second->setCurrentIndex(second->findData(QStringLiteral("c:") + m_home));
        dialog->setLineAmount(0, 7000);
        dialog->setLineAmount(1, 3000);
    });
    QVERIFY(TransactionActions::editSplits(m_test->app(), m_payment, nullptr));
    QVERIFY(answerer.unexpected().isEmpty());

    const auto stored = m_test->app()->transactions()->findById(m_payment.id);
    QVERIFY(stored->isSplit);
    QVERIFY(stored->categoryId.isEmpty());
    const QList<SplitLine> lines = m_test->app()->splitLines()->findByTransaction(m_payment.id);
    QCOMPARE(lines.size(), 2);
    qint64 total = 0;
    QSet<QString> categories;
    for (const SplitLine &line : lines) {
        total += line.amount;
        categories.insert(line.categoryId);
    }
    QCOMPARE(total, qint64(-10000));
    QCOMPARE(categories, (QSet<QString>{m_food, m_home}));

    // Editing again replaces the lines rather than adding to them.
    answerer.expectDialog<SplitEditorDialog>([](SplitEditorDialog *dialog) {
        QCOMPARE(dialog->lineCount(), 2);
        dialog->removeLine(1);
        dialog->setLineAmount(0, 10000);
    });
    QVERIFY(TransactionActions::editSplits(m_test->app(), *stored, nullptr));
    QCOMPARE(m_test->app()->splitLines()->findByTransaction(m_payment.id).size(), 1);

    // A cancelled editor writes nothing and says so.
    answerer.expectDialog<SplitEditorDialog>(nullptr, false);
    QVERIFY(!TransactionActions::editSplits(m_test->app(), *stored, nullptr));
    QCOMPARE(m_test->app()->splitLines()->findByTransaction(m_payment.id).size(), 1);
}

void TestSplitEditor::transferCannotBeSplit()
{
    Transaction transfer = m_payment;
    transfer.transferDestAccountId = QStringLiteral("elsewhere");
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Ok);
    QVERIFY(!TransactionActions::editSplits(m_test->app(), transfer, nullptr));
    QCOMPARE(answerer.messages().size(), 1);
    QVERIFY(m_test->app()->splitLines()->findByTransaction(m_payment.id).isEmpty());
}

QTEST_MAIN(TestSplitEditor)
#include "TestSplitEditor.moc"
