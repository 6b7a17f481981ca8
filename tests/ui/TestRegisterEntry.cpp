#include "AccountFormDialog.h"
#include "AccountRepository.h"
#include "AccountService.h"
#include "AccountSidebar.h"
#include "CategoryRepository.h"
#include "DateField.h"
#include "EntryChoices.h"
#include "LanguageSetting.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "RegisterTableView.h"
#include "SmartAmountField.h"
#include "TestApp.h"
#include "TestRecords.h"
#include "TransactionFormDialog.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

// What the user types into the register and the transaction dialog is what
// the database file holds, or it is refused with the editor left open on it.
class TestRegisterEntry : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void inlineAmount_data();
    void inlineAmount();
    void dialogAmount_data();
    void dialogAmount();
    void dateEntry_data();
    void dateEntry();
    void keyboardPathThroughARow();
    void quitInTheMiddleOfARowSavesIt();
    void unknownCategoryIsCreatedOnYes();
    void transferToAnotherCurrencyMakesNoCategory();
    void deletedAccountsTransferStaysEditable();
    void accountFormEditsTheOpeningBalance();
    void typingAfterAnAction_data();
    void typingAfterAnAction();
    void categoryEntry_data();
    void categoryEntry();
    void keysTyped_data();
    void keysTyped();

private:
    QWidget *editor() const;
    void type(const QString &text);
    void key(int key);
    void openScreen(const Account &account);
    QList<Transaction> stored(const Account &account) const;

    std::unique_ptr<TestApp> m_test;
    std::unique_ptr<RegisterScreen> m_screen;
};

void TestRegisterEntry::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
}

void TestRegisterEntry::cleanup()
{
    m_screen.reset();
    m_test.reset();
}

QWidget *TestRegisterEntry::editor() const
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus : m_screen->view();
}

void TestRegisterEntry::type(const QString &text)
{
    QTest::keyClicks(editor(), text);
}

void TestRegisterEntry::key(int key)
{
    QTest::keyClick(editor(), Qt::Key(key));
    // The delegate commits and opens the next editor on queued calls.
    QApplication::processEvents();
}

void TestRegisterEntry::openScreen(const Account &account)
{
    m_screen = std::make_unique<RegisterScreen>(m_test->app());
    m_screen->resize(1200, 600);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    QApplication::setActiveWindow(m_screen.get());
    m_screen->setAccount(account.id);
}

QList<Transaction> TestRegisterEntry::stored(const Account &account) const
{
    return m_test->app()->transactions()->findByAccount(account.id);
}

void TestRegisterEntry::inlineAmount_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<qint64>("amount");

    const int pay = RegisterModel::PaymentColumn;
    const int dep = RegisterModel::DepositColumn;
    QTest::newRow("payment") << "USD" << pay << "12.34" << true << qint64(-1234);
    QTest::newRow("minus in payment is a deposit") << "USD" << pay << "-50" << true << qint64(5000);
    QTest::newRow("minus in deposit is a payment") << "USD" << dep << "-50" << true << qint64(-5000);
    QTest::newRow("parentheses in payment") << "USD" << pay << "(7.25)" << true << qint64(725);
    QTest::newRow("third decimal rounds up") << "USD" << pay << "12.345" << true << qint64(-1235);
    QTest::newRow("third decimal rounds down") << "USD" << dep << "12.344" << true << qint64(1234);
    QTest::newRow("largest amount") << "USD" << dep << "9999999999.99" << true << qint64(999999999999);
    QTest::newRow("beyond the largest") << "USD" << pay << "10000000000" << false << qint64(0);
    QTest::newRow("two points") << "USD" << pay << "1.2.3" << false << qint64(0);
    QTest::newRow("yen decimals round half away") << "JPY" << pay << "1200.50" << true << qint64(-1201);
    QTest::newRow("yen beyond the largest") << "JPY" << dep << "99999999999" << false << qint64(0);
}

void TestRegisterEntry::inlineAmount()
{
    QFETCH(QString, currency);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(bool, saved);
    QFETCH(qint64, amount);

    const Account account = m_test->addAccount(QStringLiteral("Everyday"), 0, currencyFromString(currency));
    openScreen(account);
    QSignalSpy messages(m_screen.get(), &RegisterScreen::statusMessage);
    RegisterModel *model = m_screen->model();
    m_screen->view()->editCell(model->blankRow(), RegisterModel::PayeeColumn);
    type(QStringLiteral("Hardware Store"));
    key(Qt::Key_Return); // Category
    key(Qt::Key_Return); // Memo
    key(Qt::Key_Return); // Payment
    if (column == RegisterModel::DepositColumn)
        key(Qt::Key_Return);
    QVERIFY(qobject_cast<SmartAmountField *>(editor()));
    type(typed);
    key(Qt::Key_Return);
    if (column == RegisterModel::PaymentColumn && saved)
        key(Qt::Key_Return); // past the deposit: saved

    if (!saved) {
        // The editor stays on the field with the text as typed, and says why.
        auto *field = qobject_cast<SmartAmountField *>(editor());
        QVERIFY(field);
        QCOMPARE(field->typedText(), typed);
        QCOMPARE(m_screen->view()->currentIndex().column(), column);
        QVERIFY(!messages.isEmpty());
        QVERIFY(m_screen->entryRefused());
        // Nor does leaving the row save it.
        QVERIFY(!m_screen->submitPendingRow());
        QVERIFY(stored(account).isEmpty());
        return;
    }
    const QList<Transaction> rows = stored(account);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.constFirst().amount, amount);
    QCOMPARE(rows.constFirst().payee, QStringLiteral("Hardware Store"));
}

void TestRegisterEntry::dialogAmount_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<qint64>("amount");

    QTest::newRow("minus turns a payment into a deposit") << "USD"
                                                          << "-50" << true << qint64(5000);
    QTest::newRow("above the old limit") << "USD"
                                         << "250000000" << true << qint64(-25000000000);
    QTest::newRow("beyond the largest") << "USD"
                                        << "12345678901" << false << qint64(0);
    QTest::newRow("unreadable") << "USD"
                                << "1..5" << false << qint64(0);
    QTest::newRow("yen rounds") << "JPY"
                                << "1200.50" << true << qint64(-1201);
    QTest::newRow("nothing typed") << "USD"
                                   << "" << false << qint64(0);
}

void TestRegisterEntry::dialogAmount()
{
    QFETCH(QString, currency);
    QFETCH(QString, typed);
    QFETCH(bool, saved);
    QFETCH(qint64, amount);

    const Account account = m_test->addAccount(QStringLiteral("Everyday"), 0, currencyFromString(currency));
    TransactionFormDialog dialog(m_test->app(), account.id);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *field = dialog.findChild<SmartAmountField *>(QStringLiteral("amountField"));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, typed);
    // Return in the field saves through the default button.
    QTest::keyClick(field, Qt::Key_Return);
    QApplication::processEvents();

    QCOMPARE(dialog.result() == QDialog::Accepted, saved);
    if (!saved) {
        QVERIFY(dialog.isVisible());
        QCOMPARE(field->typedText().trimmed().endsWith(typed), true);
        QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("errorLabel"))->isVisible());
        return;
    }
    QCOMPARE(dialog.transaction().amount, amount);
}

void TestRegisterEntry::dateEntry_data()
{
    QTest::addColumn<bool>("inDialog");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("expected"); // invalid: refused

    QTest::newRow("inline: no 30th of February") << false << "2/30/2026" << QDate();
    QTest::newRow("inline: short year") << false << "2/28/26" << QDate(2026, 2, 28);
    QTest::newRow("dialog: no 30th of February") << true << "2/30/2026" << QDate();
    QTest::newRow("dialog: a date") << true << "12/15/2026" << QDate(2026, 12, 15);
}

void TestRegisterEntry::dateEntry()
{
    QFETCH(bool, inDialog);
    QFETCH(QString, typed);
    QFETCH(QDate, expected);

    const Account account = m_test->addAccount(QStringLiteral("Everyday"));
    if (inDialog) {
        TransactionFormDialog dialog(m_test->app(), account.id);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *date = dialog.findChild<DateField *>(QStringLiteral("dateField"));
        date->setFocus();
        date->selectAll();
        QTest::keyClicks(date, typed);
        dialog.findChild<SmartAmountField *>(QStringLiteral("amountField"))->setValue(5);
        dialog.accept();
        QCOMPARE(dialog.result() == QDialog::Accepted, expected.isValid());
        if (expected.isValid())
            QCOMPARE(dialog.transaction().date, expected);
        else
            QCOMPARE(date->text(), typed);
        return;
    }

    openScreen(account);
    RegisterModel *model = m_screen->model();
    m_screen->view()->editCell(model->blankRow(), RegisterModel::DateColumn);
    auto *date = qobject_cast<DateField *>(editor());
    QVERIFY(date);
    date->selectAll();
    type(typed);
    key(Qt::Key_Tab);
    if (!expected.isValid()) {
        // Marked, kept, and the row goes nowhere until it is mended.
        QCOMPARE(qobject_cast<DateField *>(editor()), date);
        QCOMPARE(date->text(), typed);
        QVERIFY(!date->styleSheet().isEmpty());
        QVERIFY(!m_screen->submitPendingRow());
        date->selectAll();
        type(QStringLiteral("3/1/2026"));
        key(Qt::Key_Tab);
        expected = QDate(2026, 3, 1);
    }
    type(QStringLiteral("101"));
    key(Qt::Key_Tab); // Payee
    type(QStringLiteral("Florist"));
    QVERIFY(m_screen->submitPendingRow());
    const QList<Transaction> rows = stored(account);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.constFirst().date, expected);
    QCOMPARE(rows.constFirst().payee, QStringLiteral("Florist"));
}

void TestRegisterEntry::keyboardPathThroughARow()
{
    const Account account = m_test->addAccount(QStringLiteral("Everyday"));
    openScreen(account);
    RegisterModel *model = m_screen->model();
    RegisterTableView *view = m_screen->view();

    view->editCell(model->blankRow(), RegisterModel::PayeeColumn);
    type(QStringLiteral("Grocer"));
    key(Qt::Key_Tab);
    auto *combo = qobject_cast<QComboBox *>(editor());
    QVERIFY(combo);
    type(QStringLiteral("Grocer"));
    QAbstractItemView *suggestions = combo->completer()->popup();
    QTRY_VERIFY(suggestions->isVisible());
    // Tab on the open list takes its entry and moves on, keyboard focus and all.
    QTest::keyClick(suggestions, Qt::Key_Tab);
    QApplication::processEvents();
    QApplication::processEvents();
    // The window comes back from its list as the window manager hands it back.
    QApplication::setActiveWindow(m_screen.get());
    QCOMPARE(view->currentIndex().column(), int(RegisterModel::MemoColumn));
    QVERIFY(qobject_cast<QLineEdit *>(editor()));
    // The picked category shows in the row while it is typed.
    QCOMPARE(model->index(model->blankRow(), RegisterModel::CategoryColumn).data().toString(),
             QStringLiteral("Food > Groceries"));
    type(QStringLiteral("weekly"));
    key(Qt::Key_Tab); // Payment
    type(QStringLiteral("23.10"));
    key(Qt::Key_Return); // Deposit
    key(Qt::Key_Return); // saved

    const QList<Transaction> rows = stored(account);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.constFirst().memo, QStringLiteral("weekly"));
    QCOMPARE(rows.constFirst().amount, qint64(-2310));
    QCOMPARE(m_test->app()->categories()->findById(rows.constFirst().categoryId)->name,
             QStringLiteral("Groceries"));

    // The payee just saved is offered in the next row.
    view->editCell(model->blankRow(), RegisterModel::PayeeColumn);
    auto *payee = qobject_cast<QLineEdit *>(editor());
    QVERIFY(payee && payee->completer());
    payee->completer()->setCompletionPrefix(QStringLiteral("Gro"));
    QCOMPARE(payee->completer()->currentCompletion(), QStringLiteral("Grocer"));

    // Escape drops the row and goes back to the date of a blank entry row.
    type(QStringLiteral("Florist"));
    key(Qt::Key_Tab);
    key(Qt::Key_Escape);
    QVERIFY(!model->hasPendingEdit());
    QCOMPARE(view->currentIndex().row(), model->blankRow());
    QCOMPARE(view->currentIndex().column(), int(RegisterModel::DateColumn));
    QCOMPARE(stored(account).size(), 1);
}

void TestRegisterEntry::quitInTheMiddleOfARowSavesIt()
{
    const Account account = m_test->addAccount(QStringLiteral("Everyday"));
    auto window = std::make_unique<MainWindow>(m_test->app());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QApplication::setActiveWindow(window.get());
    RegisterScreen *screen = window->registerScreen();
    QCOMPARE(screen->accountId(), account.id);
    screen->view()->editCell(screen->model()->blankRow(), RegisterModel::PayeeColumn);
    type(QStringLiteral("Cafe"));
    key(Qt::Key_Return); // Category
    key(Qt::Key_Return); // Memo
    key(Qt::Key_Return); // Payment
    type(QStringLiteral("4.50"));
    // Closing with the amount still in its editor saves the whole row.
    QVERIFY(window->close());
    const QList<Transaction> rows = stored(account);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.constFirst().payee, QStringLiteral("Cafe"));
    QCOMPARE(rows.constFirst().amount, qint64(-450));

    // An amount that cannot be read keeps the window open on it.
    window = std::make_unique<MainWindow>(m_test->app());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QApplication::setActiveWindow(window.get());
    screen = window->registerScreen();
    screen->view()->editCell(screen->model()->blankRow(), RegisterModel::PaymentColumn);
    type(QStringLiteral("4..50"));
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QCOMPARE(stored(account).size(), 1);
    key(Qt::Key_Escape);
    QVERIFY(window->close());
    QCOMPARE(stored(account).size(), 1);
}

void TestRegisterEntry::unknownCategoryIsCreatedOnYes()
{
    const Account account = m_test->addAccount(QStringLiteral("Everyday"));
    openScreen(account);
    RegisterModel *model = m_screen->model();
    ModalAnswerer answerer;
    m_screen->view()->editCell(model->blankRow(), RegisterModel::CategoryColumn);
    type(QStringLiteral("Pet Rock Fund"));
    // No: back to the field, nothing made.
    answerer.expectMessageBox(QMessageBox::No);
    key(Qt::Key_Tab);
    QApplication::setActiveWindow(m_screen.get());
    QVERIFY(qobject_cast<QComboBox *>(editor()));
    QCOMPARE(m_screen->view()->currentIndex().column(), int(RegisterModel::CategoryColumn));
    const int before = m_test->app()->categories()->count();
    // Yes: made, used, and an income category once the row is a deposit.
    answerer.expectMessageBox(QMessageBox::Yes);
    key(Qt::Key_Tab);
    QApplication::setActiveWindow(m_screen.get());
    QCOMPARE(m_test->app()->categories()->count(), before + 1);
    QCOMPARE(answerer.messages().size(), 2);
    QVERIFY(answerer.messages().constLast().contains(QStringLiteral("Create category \"Pet Rock Fund\"?")));
    key(Qt::Key_Tab); // Payment
    key(Qt::Key_Tab); // Deposit
    type(QStringLiteral("20"));
    key(Qt::Key_Return);

    const QList<Transaction> rows = stored(account);
    QCOMPARE(rows.size(), 1);
    const std::optional<Category> category =
        m_test->app()->categories()->findById(rows.constFirst().categoryId);
    QVERIFY(category);
    QCOMPARE(category->name, QStringLiteral("Pet Rock Fund"));
    QVERIFY(category->parentId.isEmpty());
    QCOMPARE(category->categoryType, CategoryType::Income);
}

void TestRegisterEntry::transferToAnotherCurrencyMakesNoCategory()
{
    openScreen(m_test->addAccount(QStringLiteral("Wallet"), 0, Currency::JPY));
    ModalAnswerer answerer; // no question "Create category "Transfer: Everyday"?" expected
    m_screen->view()->editCell(m_screen->model()->blankRow(), RegisterModel::CategoryColumn);
    type(QStringLiteral("Transfer: Everyday"));
    key(Qt::Key_Tab);
    QVERIFY(answerer.unexpected().isEmpty());
}

void TestRegisterEntry::deletedAccountsTransferStaysEditable()
{
    const Account checking = m_test->addAccount(QStringLiteral("Checking"));
    const Account savings = m_test->addAccount(QStringLiteral("Savings"));
    Transaction transfer;
    transfer.accountId = checking.id;
    transfer.date = QDate(2026, 1, 5);
    transfer.payee = QStringLiteral("Move");
    transfer.amount = -10000;
    transfer.transferDestAccountId = savings.id;
    QVERIFY(m_test->app()->transactionWriter()->insert(transfer));
    QCOMPARE(m_test->app()->accountService()->linkedTransferCount(savings.id), 1);
    QVERIFY(m_test->app()->accountService()->deleteAccount(savings.id));

    openScreen(checking);
    RegisterModel *model = m_screen->model();
    const Transaction leg = stored(checking).constFirst();
    m_screen->view()->editCell(model->rowOf(leg.id), RegisterModel::MemoColumn);
    type(QStringLiteral("kept"));
    key(Qt::Key_Return);
    QVERIFY(m_screen->submitPendingRow());
    std::optional<Transaction> after = m_test->app()->transactions()->findById(leg.id);
    QCOMPARE(after->memo, QStringLiteral("kept"));
    QCOMPARE(after->amount, qint64(-10000));
    QCOMPARE(after->transferDestAccountId, savings.id);

    // Another category makes it an ordinary transaction.
    Transaction ordinary = *after;
    ordinary.transferDestAccountId.clear();
    ordinary.categoryId = m_test->app()->categories()->findAll().constFirst().id;
    QVERIFY(m_test->app()->transactionWriter()->update(*after, ordinary));
    after = m_test->app()->transactions()->findById(leg.id);
    QVERIFY(after->transferDestAccountId.isEmpty());
    QVERIFY(after->transferLinkId.isEmpty());
    QCOMPARE(after->amount, qint64(-10000));
}

void TestRegisterEntry::accountFormEditsTheOpeningBalance()
{
    AccountService *service = m_test->app()->accountService();
    Account account;
    account.id = QStringLiteral("acc-open");
    account.name = QStringLiteral("Everyday");
    account.startingBalance = 150000;
    QVERIFY(service->createAccount(account, QDate(2026, 1, 2), QStringLiteral("Opening Balance")));
    std::optional<Transaction> opening =
        service->openingTransaction(account.id, QStringList{QStringLiteral("Opening Balance")});
    QVERIFY(opening);
    QCOMPARE(opening->amount, qint64(150000));

    // The form shows that transaction's amount and date.
    const Account stored = *m_test->app()->accounts()->findById(account.id);
    AccountFormDialog dialog(stored);
    dialog.setOpeningBalance(opening->amount, opening->date, false);
    auto *balance = dialog.findChild<SmartAmountField *>(QStringLiteral("balanceField"));
    QCOMPARE(balance->typedAmount(), std::optional<qint64>(150000));
    QCOMPARE(dialog.asOfDate(), QDate(2026, 1, 2));

    // A new amount moves the opening transaction; the account's own balance stays 0.
    balance->setValue(2000);
    QVERIFY(service->updateAccount(dialog.account(), QDate(2026, 1, 3), QStringList{QStringLiteral("Opening Balance")}));
    opening = service->openingTransaction(account.id, QStringList{QStringLiteral("Opening Balance")});
    QCOMPARE(opening->amount, qint64(200000));
    QCOMPARE(opening->date, QDate(2026, 1, 3));
    QCOMPARE(m_test->app()->accounts()->findById(account.id)->startingBalance, qint64(0));
    QCOMPARE(m_test->app()->transactions()->findByAccount(account.id).size(), 1);
}

void TestRegisterEntry::typingAfterAnAction_data()
{
    QTest::addColumn<QString>("before"); // what the user did just before typing
    QTest::addColumn<QString>("typed");  // the fields typed from the date on, a Tab after each
    QTest::addColumn<bool>("saved");

    const QString row = QStringLiteral("12/4/2026|101|Florist|||25||");
    QTest::newRow("after saving in the new-transaction dialog") << "dialog" << row << true;
    QTest::newRow("after clicking the account in the sidebar") << "sidebar" << row << true;
    QTest::newRow("nothing typed") << "sidebar"
                                   << "|||||||" << false;
}

void TestRegisterEntry::typingAfterAnAction()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(bool, saved);

    const Account account = m_test->addAccount(QStringLiteral("Everyday"));
    const Account savings = m_test->addAccount(QStringLiteral("Savings"));
    MainWindow window(m_test->app());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    RegisterScreen *screen = window.registerScreen();
    // Text typed into the wrong field would ask about a new category: refused here.
    ModalAnswerer answerer;
    if (before == QLatin1String("dialog")) {
        answerer.expectDialog<TransactionFormDialog>([](TransactionFormDialog *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("payeeEdit"))->setText(QStringLiteral("Grocer"));
            dialog->findChild<SmartAmountField *>(QStringLiteral("amountField"))->setValue(150);
        });
        window.selectAccount(account.id);
        screen->newTransaction();
        // The window gets the keyboard back as the window manager hands it back.
        QApplication::setActiveWindow(&window);
    } else {
        window.selectAccount(savings.id);
        QListWidget *list = window.sidebar()->list();
        list->setFocus();
        const QList<QListWidgetItem *> items = list->findItems(QStringLiteral("*"), Qt::MatchWildcard);
        const auto everyday = std::find_if(items.cbegin(), items.cend(), [&account](QListWidgetItem *item) {
            return item->data(AccountSidebar::AccountIdRole).toString() == account.id;
        });
        QVERIFY(everyday != items.cend());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(*everyday).center());
        QCOMPARE(screen->accountId(), account.id);
    }
    const int stored = int(this->stored(account).size());
    // Each key goes where the keyboard focus is, as the user's would.
    for (const QChar ch : typed) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY2(focus, "the keyboard went nowhere");
        if (ch == QLatin1Char('|'))
            QTest::keyClick(focus, Qt::Key_Tab);
        else
            QTest::keyClicks(focus, QString(ch));
        QApplication::processEvents();
    }

    QVERIFY(answerer.unexpected().isEmpty());
    const QList<Transaction> rows = this->stored(account);
    QCOMPARE(int(rows.size()), stored + (saved ? 1 : 0));
    if (saved) {
        const auto florist = std::find_if(rows.cbegin(), rows.cend(),
                                          [](const Transaction &t) { return t.payee == QLatin1String("Florist"); });
        QVERIFY(florist != rows.cend());
        QCOMPARE(florist->date, QDate(2026, 12, 4));
        QCOMPARE(florist->checkNumber, QStringLiteral("101"));
        QCOMPARE(florist->amount, qint64(-2500));
    }
    // Whatever became of the row, the next one is typed on the entry row's date.
    QCOMPARE(screen->view()->currentIndex().row(), screen->model()->blankRow());
    QCOMPARE(screen->view()->currentIndex().column(), int(RegisterModel::DateColumn));
}

void TestRegisterEntry::keysTyped_data()
{
    // A file a case: "language", "keys" typed from the entry row ({Tab}, {CtrlA}...), each row "stored"
    // ("date|check|payee|category|amount"), where it "ends" ("", "outside" or "Column: reason" refused).
    QTest::addColumn<QString>("path");
    const QDir cases(QFINDTESTDATA("../fixtures/register_entry"));
    for (const QString &name : cases.entryList({QStringLiteral("*.txt")}))
        QTest::newRow(qPrintable(name)) << cases.filePath(name);
}

void TestRegisterEntry::keysTyped()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QHash<QString, QStringList> fields;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        fields[line.section(QLatin1Char('='), 0, 0)] << line.section(QLatin1Char('='), 1);
    LanguageSetting::setInUse(fields.value(QStringLiteral("language")).value(0));
    const auto restore = qScopeGuard([]() { LanguageSetting::setInUse(QStringLiteral("en")); });
    const Account account = m_test->addAccount(QStringLiteral("Everyday"));
    MainWindow window(m_test->app());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    RegisterScreen *screen = window.registerScreen();
    screen->focusEntryRow();
    QSignalSpy messages(screen, &RegisterScreen::statusMessage);
    ModalAnswerer answerer;

    static const QRegularExpression token(QStringLiteral("\\{(\\w+)\\}|[^{]"));
    for (auto it = token.globalMatch(fields.value(QStringLiteral("keys")).join(QString())); it.hasNext();) {
        const QString key = it.next().captured(0);
        QWidget *focus = QApplication::focusWidget();
        QVERIFY2(focus, "the keyboard went nowhere");
        if (key.size() == 1)
            QTest::keyClicks(focus, key);
        else
            QTest::keySequence(focus, QKeySequence(key.mid(1, key.size() - 2).replace("Ctrl", "Ctrl+")));
        QApplication::processEvents();
        // An amount being typed never sits beside the other amount it replaces.
        const QModelIndex cell = screen->view()->currentIndex();
        const int other = RegisterModel::PaymentColumn + RegisterModel::DepositColumn - cell.column();
        auto *amount = qobject_cast<SmartAmountField *>(QApplication::focusWidget());
        if (amount && !amount->typedText().isEmpty())
            QCOMPARE(cell.siblingAtColumn(other).data().toString(), QString());
    }
    QVERIFY(answerer.unexpected().isEmpty());

    QStringList rows; // as the database file holds them, the category as the register names it
    for (const Transaction &t : stored(account))
        rows << QStringList{t.date.toString(Qt::ISODate), t.checkNumber, t.payee,
                            screen->model()->categoryText(t, screen->model()->categoryPath(t.categoryId)),
                            QString::number(t.amount)}
                    .join(QLatin1Char('|'));
    QStringList expected = fields.value(QStringLiteral("stored"));
    rows.sort();
    expected.sort();
    QCOMPARE(rows, expected);

    const QString ends = fields.value(QStringLiteral("ends")).value(0);
    const QModelIndex current = screen->view()->currentIndex();
    if (ends == QLatin1String("outside")) {
        QVERIFY(!screen->isAncestorOf(QApplication::focusWidget()));
    } else if (ends.isEmpty()) {
        QCOMPARE(current, screen->model()->index(screen->model()->blankRow(), RegisterModel::DateColumn));
    } else {
        // The cell stays open, marked, on what was typed, and says why.
        static const QStringList columns{"Date", "Chk", "Payee", "Category", "Memo", "Payment", "Deposit"};
        QCOMPARE(current.column(), columns.indexOf(ends.section(QStringLiteral(": "), 0, 0)));
        if (auto *field = qobject_cast<SmartAmountField *>(QApplication::focusWidget()))
            QVERIFY(!field->styleSheet().isEmpty());
        QCOMPARE(messages.constLast().at(0).toString(), ends.section(QStringLiteral(": "), 1));
    }
}

QTEST_MAIN(TestRegisterEntry)
#include "TestRegisterEntry.moc"

void TestRegisterEntry::categoryEntry_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("typed");
    // What the row stores: a category's path, "=> " and an account for a transfer, nothing when refused.
    QTest::addColumn<QString>("expected");
    for (const char *language : {"en", "de"}) {
        const auto row = [language](const char *name) -> QTestData & {
            return QTest::addRow("%s: %s", language, name) << QString::fromLatin1(language);
        };
        row("an account's name that is also a category's") << "Savings" << "";
        row("a leaf two categories share") << "Supplies" << "";
        row("several contain it, none is it") << "Tax" << "";
        row("the whole path") << "Household > Supplies" << "Household > Supplies";
        row("exact beats containing") << "travel" << "Travel";
        row("English prefix") << "Transfer: Savings" << "=> Savings";
        row("German prefix, no space") << "Umbuchung:Savings" << "=> Savings";
        row("French prefix, plain space") << "Virement : Savings" << "=> Savings";
        row("French prefix, no-break space") << "Virement\u00a0: Savings" << "=> Savings";
        row("Japanese prefix") << "\u632f\u66ff: Savings" << "=> Savings";
        row("prefix and no such account") << "Virement : Nowhere" << "";
    }
}

void TestRegisterEntry::categoryEntry()
{
    QFETCH(QString, language);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/i18n/tallyfern_%1.qm").arg(language)));
    QCoreApplication::installTranslator(&translator);
    const Account account = m_test->addAccount(QStringLiteral("Everyday"));
    m_test->addAccount(QStringLiteral("Savings"));
    CategoryRepository *categories = m_test->app()->categories();
    QHash<QString, QString> paths = EntryChoices::categoryPaths(categories->findAll());
    QVERIFY(categories->insert(TestRecords::category(QStringLiteral("supplies"), QStringLiteral("Supplies"),
                                                     paths.key(QStringLiteral("Business")))));
    paths.insert(QStringLiteral("supplies"), QStringLiteral("Business > Supplies"));
    const int before = categories->count();
    openScreen(account);
    m_screen->view()->editCell(m_screen->model()->blankRow(), RegisterModel::CategoryColumn);
    for (const QChar c : typed) // keyClicks takes Latin-1 only
        QTest::sendKeyEvent(QTest::Click, editor(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    key(Qt::Key_Tab);
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(categories->count(), before);
    // A refused cell keeps the row from being saved.
    QCOMPARE(m_screen->entryRefused(), expected.isEmpty());
    if (!expected.isEmpty()) {
        key(Qt::Key_Tab); // Payment
        type(QStringLiteral("100"));
    }
    QCOMPARE(m_screen->submitPendingRow(), !expected.isEmpty());
    const QList<Transaction> rows = stored(account);
    QCOMPARE(rows.size(), expected.isEmpty() ? 0 : 1);
    for (const Transaction &t : rows) {
        const std::optional<Account> to = m_test->app()->accounts()->findById(t.transferDestAccountId);
        QCOMPARE(to ? QStringLiteral("=> ") + to->name : paths.value(t.categoryId), expected);
    }
}
