#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "DateField.h"
#include "ModalAnswerer.h"
#include "RegisterFilterDialog.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "RegisterTableView.h"
#include "SmartAmountField.h"
#include "TestApp.h"
#include "TransactionRepository.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QtTest>

class TestRegisterScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typedRowIsInserted();
    void inlineTransferInsertsBothLegs();
    void inlineEditSavesOnEnterAndEscapeDrops();
    void inlineEditKeepsDeletedCategory();
    void unsavedRowStaysWithItsAccount();
    void clickInClearedColumnToggles();
    void filterNarrowsRowsAndKeepsBalances();
    void headerSortIsRemembered();
    void payeeCompletionOffersKnownPayees();
    void balancesInHeading();

private:
    QWidget *editor() const;
    void typeInto(const QString &text);
    void pressEnter();

    std::unique_ptr<TestApp> m_test;
    std::unique_ptr<RegisterScreen> m_screen;
    Account m_checking;
    Account m_savings;
};

void TestRegisterScreen::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_checking = m_test->addAccount(QStringLiteral("Checking"), 50000);
    m_savings = m_test->addAccount(QStringLiteral("Savings"));
    m_screen = std::make_unique<RegisterScreen>(m_test->app());
    m_screen->resize(1100, 600);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    QApplication::setActiveWindow(m_screen.get());
    m_screen->setAccount(m_checking.id);
}

void TestRegisterScreen::cleanup()
{
    m_screen.reset();
    m_test.reset();
}

QWidget *TestRegisterScreen::editor() const
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus : m_screen->view();
}

void TestRegisterScreen::typeInto(const QString &text)
{
    QTest::keyClicks(editor(), text);
}

void TestRegisterScreen::pressEnter()
{
    QTest::keyClick(editor(), Qt::Key_Return);
    // The delegate commits and closes on a queued call after the key.
    QApplication::processEvents();
}

void TestRegisterScreen::typedRowIsInserted()
{
    RegisterTableView *view = m_screen->view();
    RegisterModel *model = m_screen->model();
    view->editCell(model->blankRow(), RegisterModel::DateColumn);
    QVERIFY(qobject_cast<DateField *>(editor()));
    typeInto(QStringLiteral("3/5/25"));
    pressEnter(); // to Chk #
    typeInto(QStringLiteral("1001"));
    pressEnter(); // to Payee
    typeInto(QStringLiteral("Hardware Store"));
    pressEnter(); // to Category
    pressEnter(); // to Memo
    typeInto(QStringLiteral("nails"));
    pressEnter(); // to Payment
    QVERIFY(qobject_cast<SmartAmountField *>(editor()) || qobject_cast<QLineEdit *>(editor()));
    typeInto(QStringLiteral("12.34"));
    pressEnter(); // to Deposit
    pressEnter(); // past the last field: saved

    const QList<Transaction> rows = m_test->app()->transactions()->findByAccount(m_checking.id);
    QCOMPARE(rows.size(), 1);
    const Transaction &t = rows.constFirst();
    QCOMPARE(t.date, QDate(2025, 3, 5));
    QCOMPARE(t.checkNumber, QStringLiteral("1001"));
    QCOMPARE(t.payee, QStringLiteral("Hardware Store"));
    QCOMPARE(t.memo, QStringLiteral("nails"));
    QCOMPARE(t.amount, qint64(-1234));
    QCOMPARE(t.syncStatus, SyncStatus::Pending);
    QVERIFY(t.createdAt.isValid());

    QCOMPARE(model->entryCount(), 1);
    QVERIFY(!model->hasPendingEdit());
    // Ready for the next entry, on the same date.
    QCOMPARE(view->currentIndex().row(), model->blankRow());
    QCOMPARE(model->data(model->index(model->blankRow(), RegisterModel::DateColumn), Qt::EditRole).toDate(),
             QDate(2025, 3, 5));
    QCOMPARE(model->data(model->index(model->rowOf(t.id), RegisterModel::BalanceColumn)).toString(),
             QStringLiteral("$487.66"));
    for (int day = 0; day < 60; ++day) // read in above it, as by a restore or a pull
        m_test->addTransaction(m_checking.id, QDate(2025, 1, 1).addDays(day), QStringLiteral("Shop"), -100);
    m_screen->refresh();
    QVERIFY(view->viewport()->rect().contains(view->visualRect(view->currentIndex())));
}

void TestRegisterScreen::inlineTransferInsertsBothLegs()
{
    RegisterTableView *view = m_screen->view();
    RegisterModel *model = m_screen->model();
    view->editCell(model->blankRow(), RegisterModel::PayeeColumn);
    typeInto(QStringLiteral("To savings"));
    pressEnter(); // to Category
    QComboBox *combo = qobject_cast<QComboBox *>(editor());
    if (!combo)
        combo = qobject_cast<QComboBox *>(editor()->parentWidget());
    QVERIFY(combo);
    const int transfer = combo->findData(QStringLiteral("t:") + m_savings.id);
    QVERIFY(transfer >= 0);
    QCOMPARE(combo->itemText(transfer), QStringLiteral("Transfer: Savings"));
    combo->setCurrentIndex(transfer);
    pressEnter(); // to Memo
    pressEnter(); // to Payment
    typeInto(QStringLiteral("200"));
    pressEnter(); // to Deposit
    pressEnter(); // saved

    const QList<Transaction> source = m_test->app()->transactions()->findByAccount(m_checking.id);
    const QList<Transaction> dest = m_test->app()->transactions()->findByAccount(m_savings.id);
    QCOMPARE(source.size(), 1);
    QCOMPARE(dest.size(), 1);
    QCOMPARE(source.constFirst().amount, qint64(-20000));
    QCOMPARE(dest.constFirst().amount, qint64(20000));
    QCOMPARE(source.constFirst().transferLinkId, dest.constFirst().id);
    QCOMPARE(dest.constFirst().transferLinkId, source.constFirst().id);
    QCOMPARE(model->data(model->index(model->rowOf(source.constFirst().id), RegisterModel::CategoryColumn))
                 .toString(),
             QStringLiteral("Transfer to Savings"));
}

void TestRegisterScreen::inlineEditSavesOnEnterAndEscapeDrops()
{
    const Transaction t =
        m_test->addTransaction(m_checking.id, QDate(2025, 2, 1), QStringLiteral("Grocer"), -4500);
    QTRY_COMPARE(m_screen->model()->entryCount(), 1);
    RegisterTableView *view = m_screen->view();
    RegisterModel *model = m_screen->model();

    // Escape drops the change.
    view->editCell(model->rowOf(t.id), RegisterModel::PayeeColumn);
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    typeInto(QStringLiteral("Wrong"));
    pressEnter(); // kept in the row's buffer; on to Category
    QVERIFY(model->hasPendingEdit());
    QCOMPARE(model->data(model->index(model->rowOf(t.id), RegisterModel::PayeeColumn)).toString(),
             QStringLiteral("Wrong"));
    QTest::keyClick(editor(), Qt::Key_Escape);
    QVERIFY(!model->hasPendingEdit());
    QCOMPARE(m_test->app()->transactions()->findById(t.id)->payee, QStringLiteral("Grocer"));
    QCOMPARE(model->data(model->index(model->rowOf(t.id), RegisterModel::PayeeColumn)).toString(),
             QStringLiteral("Grocer"));

    // Enter through the row saves it.
    view->editCell(model->rowOf(t.id), RegisterModel::PayeeColumn);
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    typeInto(QStringLiteral("Green Grocer"));
    pressEnter(); // Category
    pressEnter(); // Memo
    pressEnter(); // Payment
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    typeInto(QStringLiteral("10"));
    pressEnter(); // Deposit
    pressEnter(); // saved
    QVERIFY(!model->hasPendingEdit());
    const auto stored = m_test->app()->transactions()->findById(t.id);
    QCOMPARE(stored->payee, QStringLiteral("Green Grocer"));
    QCOMPARE(stored->amount, qint64(-1000));
    QCOMPARE(stored->createdAt, t.createdAt);
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions").toInt(), 1);
}

void TestRegisterScreen::inlineEditKeepsDeletedCategory()
{
    Category gone;
    gone.id = QStringLiteral("cat-gone");
    gone.name = QStringLiteral("Old Hobby");
    QVERIFY(m_test->app()->categories()->insert(gone));
    Transaction t = m_test->addTransaction(m_checking.id, QDate(2025, 2, 1), QStringLiteral("Kiln"), -4500);
    t.categoryId = gone.id;
    QVERIFY(m_test->app()->transactions()->update(t));
    QTRY_COMPARE(m_screen->model()->entryCount(), 1);
    RegisterTableView *view = m_screen->view();
    RegisterModel *model = m_screen->model();
    view->editCell(model->rowOf(t.id), RegisterModel::CategoryColumn); // reads the paths
    QTest::keyClick(editor(), Qt::Key_Escape);
    QVERIFY(m_test->app()->categories()->softDelete(gone.id));
    QTRY_VERIFY(model->index(model->rowOf(t.id), RegisterModel::CategoryColumn).data().toString().isEmpty());

    // Passing through the category cell on the way to the memo leaves it as it was.
    view->editCell(model->rowOf(t.id), RegisterModel::PayeeColumn);
    pressEnter(); // Category
    pressEnter(); // Memo
    typeInto(QStringLiteral("glaze"));
    pressEnter(); // Payment
    pressEnter(); // Deposit
    pressEnter(); // saved
    QVERIFY(!model->hasPendingEdit());
    const auto stored = m_test->app()->transactions()->findById(t.id);
    QCOMPARE(stored->memo, QStringLiteral("glaze"));
    QCOMPARE(stored->categoryId, gone.id);
}

void TestRegisterScreen::unsavedRowStaysWithItsAccount()
{
    // The row typed in checking cannot be written when the user switches to
    // savings; saved later, it still belongs to checking.
    QVERIFY(TestDatabase::exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON transactions BEGIN "
                                              "SELECT RAISE(ABORT, 'refused'); END")));
    RegisterTableView *view = m_screen->view();
    RegisterModel *model = m_screen->model();
    view->editCell(model->blankRow(), RegisterModel::PayeeColumn);
    typeInto(QStringLiteral("Landlord"));
    pressEnter(); // kept in the row's buffer; on to Category
    QVERIFY(model->hasPendingEdit());

    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Ok);
    m_screen->setAccount(m_savings.id);
    QTRY_COMPARE(answerer.messages().size(), 1);
    QVERIFY(TestDatabase::exec(QStringLiteral("DROP TRIGGER refuse")));
    QVERIFY(m_screen->submitPendingRow());

    QCOMPARE(m_test->app()->transactions()->findByAccount(m_savings.id).size(), 0);
    const QList<Transaction> checking = m_test->app()->transactions()->findByAccount(m_checking.id);
    QCOMPARE(checking.size(), 1);
    QCOMPARE(checking.constFirst().payee, QStringLiteral("Landlord"));
}

void TestRegisterScreen::clickInClearedColumnToggles()
{
    const Transaction t =
        m_test->addTransaction(m_checking.id, QDate(2025, 2, 1), QStringLiteral("Grocer"), -4500);
    QTRY_COMPARE(m_screen->model()->entryCount(), 1);
    RegisterTableView *view = m_screen->view();
    const QModelIndex cell =
        m_screen->model()->index(m_screen->model()->rowOf(t.id), RegisterModel::ClearedColumn);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    QVERIFY(m_test->app()->transactions()->findById(t.id)->cleared);
    QTRY_COMPARE(m_screen->model()->data(cell).toString(), QStringLiteral("✓"));
}

void TestRegisterScreen::filterNarrowsRowsAndKeepsBalances()
{
    m_test->addTransaction(m_checking.id, QDate(2025, 1, 1), QStringLiteral("Grocer"), -1000, true);
    const Transaction mid =
        m_test->addTransaction(m_checking.id, QDate(2025, 1, 5), QStringLiteral("Cafe"), -500);
    m_test->addTransaction(m_checking.id, QDate(2025, 2, 1), QStringLiteral("Grocer"), -2000);
    QTRY_COMPARE(m_screen->model()->entryCount(), 3);

    ModalAnswerer answerer;
    answerer.expectDialog<RegisterFilterDialog>([](RegisterFilterDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("textEdit"))->setText(QStringLiteral("grocer"));
    });
    m_screen->showFilterDialog();
    QCOMPARE(m_screen->model()->entryCount(), 2);
    QVERIFY(m_screen->clearFilterAction()->isEnabled());

    RegisterFilter filter;
    filter.dateFrom = QDate(2025, 1, 2);
    filter.dateTo = QDate(2025, 1, 31);
    m_screen->setFilter(filter);
    QCOMPARE(m_screen->model()->entryCount(), 1);
    // The running balance is the account's, not the filtered rows'.
    QCOMPARE(m_screen->model()->rowAt(m_screen->model()->rowOf(mid.id)).balance, qint64(50000 - 1000 - 500));

    filter = RegisterFilter();
    filter.cleared = true;
    m_screen->setFilter(filter);
    QCOMPARE(m_screen->model()->entryCount(), 1);
    m_screen->clearFilter();
    QCOMPARE(m_screen->model()->entryCount(), 3);
}

void TestRegisterScreen::headerSortIsRemembered()
{
    QHeaderView *header = m_screen->view()->horizontalHeader();
    header->setSortIndicator(RegisterModel::PayeeColumn, Qt::DescendingOrder);
    QCOMPARE(m_screen->model()->sortColumn(), int(RegisterModel::PayeeColumn));
    QCOMPARE(m_screen->model()->sortOrder(), Qt::DescendingOrder);
    header->resizeSection(RegisterModel::CategoryColumn, 321);
    m_screen.reset(); // saves the layout

    RegisterScreen again(m_test->app());
    QCOMPARE(again.model()->sortColumn(), int(RegisterModel::PayeeColumn));
    QCOMPARE(again.model()->sortOrder(), Qt::DescendingOrder);
    QCOMPARE(again.view()->horizontalHeader()->sectionSize(RegisterModel::CategoryColumn), 321);
}

void TestRegisterScreen::payeeCompletionOffersKnownPayees()
{
    m_test->addTransaction(m_savings.id, QDate(2025, 1, 1), QStringLiteral("Landlord"), -1000);
    QTRY_COMPARE(m_screen->model()->entryCount(), 0);
    m_screen->view()->editCell(m_screen->model()->blankRow(), RegisterModel::PayeeColumn);
    auto *line = qobject_cast<QLineEdit *>(editor());
    QVERIFY(line);
    QVERIFY(line->completer());
    typeInto(QStringLiteral("Land"));
    QCOMPARE(line->completer()->currentCompletion(), QStringLiteral("Landlord"));
}

void TestRegisterScreen::balancesInHeading()
{
    m_test->addTransaction(m_checking.id, QDate(2025, 1, 1), QStringLiteral("A"), -1000, true);
    m_test->addTransaction(m_checking.id, QDate(2025, 1, 2), QStringLiteral("B"), -70000);
    QTRY_COMPARE(m_screen->model()->entryCount(), 2);
    QStringList texts;
    for (QLabel *label : m_screen->findChildren<QLabel *>())
        texts << label->text();
    QVERIFY2(texts.contains(QStringLiteral("-$210.00")), qPrintable(texts.join(" | ")));
    QVERIFY2(texts.contains(QStringLiteral("$490.00")), qPrintable(texts.join(" | ")));
}

QTEST_MAIN(TestRegisterScreen)
#include "TestRegisterScreen.moc"
