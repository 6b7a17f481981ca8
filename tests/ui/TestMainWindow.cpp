#include "AccountFormDialog.h"
#include "AccountRepository.h"
#include "AccountService.h"
#include "AccountSidebar.h"
#include "DateField.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "PreferencesRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "RegisterTableView.h"
#include "SettingsScreen.h"
#include "SmartAmountField.h"
#include "StatusBar.h"
#include "TestApp.h"
#include "TestRecords.h"
#include "TransactionRepository.h"
#include "support/PreferenceKeyProbe.h"

#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QTranslator>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void welcomePageWithoutAccounts();
    void newAccountMovesStartingBalanceIntoOpeningTransaction();
    void newAccountSkipsEmptyName();
    void narrowWindowKeepsAmountsInSight();
    void toolWindowOpensOverTheMainWindow();
    void failedAccountInsertWritesNoOpeningTransaction();
    void viewMenuSwitchesTheme();
    void sidebarBalancesInEachMode_data();
    void sidebarBalancesInEachMode();
    void burstOfInsertsCostsFewReloads();
    void registerPreferencesApply();
    void deleteAccountTakesItsRecordsWithIt();
    void editAccountStoresRecord();
    void openingBalanceIsFoundInEveryLanguage();
    void autoPostRunsAfterStartup();
    void windowStateAndLastAccountPersist();
    void idleRegisterKeepsItsColumns_data();
    void idleRegisterKeepsItsColumns();
    void columnWidthTheUserGaveIsKept();

private:
    std::unique_ptr<TestApp> m_test;
};

void TestMainWindow::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
}

void TestMainWindow::cleanup()
{
    m_test.reset();
}

void TestMainWindow::welcomePageWithoutAccounts()
{
    MainWindow window(m_test->app());
    QVERIFY(window.isWelcomeShown());
    QVERIFY(!window.registerScreen()->newAction()->isEnabled());

    m_test->addAccount(QStringLiteral("Checking"));
    QTRY_VERIFY(!window.isWelcomeShown());
    QCOMPARE(window.registerScreen()->accountId(), window.sidebar()->currentAccountId());
}

void TestMainWindow::newAccountMovesStartingBalanceIntoOpeningTransaction()
{
    MainWindow window(m_test->app());
    ModalAnswerer answerer;
    answerer.expectDialog<AccountFormDialog>([](AccountFormDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("Everyday"));
        dialog->findChild<SmartAmountField *>(QStringLiteral("balanceField"))->setValue(1234.56);
        dialog->findChild<DateField *>(QStringLiteral("asOfEdit"))->setDate(QDate(2025, 1, 15));
    });
    window.newAccount();
    QVERIFY(answerer.unexpected().isEmpty());

    const QList<Account> accounts = m_test->app()->accounts()->findAll();
    QCOMPARE(accounts.size(), 1);
    QCOMPARE(accounts.constFirst().name, QStringLiteral("Everyday"));
    QCOMPARE(accounts.constFirst().startingBalance, qint64(0));
    const QList<Transaction> rows = m_test->app()->transactions()->findByAccount(accounts.constFirst().id);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.constFirst().amount, qint64(123456));
    QCOMPARE(rows.constFirst().date, QDate(2025, 1, 15));
    QCOMPARE(rows.constFirst().payee, QStringLiteral("Opening Balance"));

    QVERIFY(!window.isWelcomeShown());
    QCOMPARE(window.registerScreen()->accountId(), accounts.constFirst().id);
    QCOMPARE(window.sidebar()->balanceText(accounts.constFirst().id), QStringLiteral("$1,234.56"));
    QCOMPARE(window.registerScreen()->model()->entryCount(), 1);
    // Keys typed next start a new row rather than editing the opening balance.
    const QModelIndex current = window.registerScreen()->view()->currentIndex();
    QCOMPARE(current.row(), window.registerScreen()->model()->blankRow());
    QCOMPARE(current.column(), int(RegisterModel::DateColumn));
}

void TestMainWindow::narrowWindowKeepsAmountsInSight()
{
    const Account account = m_test->addAccount(QStringLiteral("Everyday"), 1000);
    m_test->addTransaction(account.id, QDate(2025, 3, 1), QStringLiteral("A payee with a long name"), -2500);
    MainWindow window(m_test->app());
    window.resize(800, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QHeaderView *columns = window.registerScreen()->view()->horizontalHeader();
    const auto balanceEnd = [columns]() {
        return columns->sectionViewportPosition(RegisterModel::BalanceColumn) +
               columns->sectionSize(RegisterModel::BalanceColumn);
    };
    QWidget *viewport = window.registerScreen()->view()->viewport();
    QTRY_VERIFY2(balanceEnd() <= viewport->width(),
                 qPrintable(QStringLiteral("balance ends at %1 of %2").arg(balanceEnd()).arg(viewport->width())));
    // Wide again, the sidebar has its width back.
    window.resize(1400, 800);
    QTRY_COMPARE(window.sidebar()->width(), 260);
}

void TestMainWindow::toolWindowOpensOverTheMainWindow()
{
    MainWindow window(m_test->app());
    const QRect available = window.screen()->availableGeometry();
    window.setGeometry(QRect(available.topLeft() + QPoint(20, 20), QSize(700, 500)));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.openSettingsScreen();
    QWidget *settings = window.settingsScreen();
    QVERIFY(settings && settings->isVisible());
    // Centred over the window where the screen allows, and never off it.
    QVERIFY(available.contains(QRect(settings->pos(), settings->size())));
    QVERIFY(qAbs(settings->geometry().center().x() - window.geometry().center().x()) <= 2);
    settings->close();
}

void TestMainWindow::newAccountSkipsEmptyName()
{
    MainWindow window(m_test->app());
    ModalAnswerer answerer;
    answerer.expectDialog<AccountFormDialog>([](AccountFormDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("   "));
        dialog->findChild<SmartAmountField *>(QStringLiteral("balanceField"))->setValue(10);
    });
    window.newAccount();
    QVERIFY(m_test->app()->accounts()->findAll().isEmpty());
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions").toInt(), 0);

    // Zero balance: the account, but no opening transaction.
    answerer.expectDialog<AccountFormDialog>([](AccountFormDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("Wallet"));
    });
    window.newAccount();
    QCOMPARE(m_test->app()->accounts()->findAll().size(), 1);
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions").toInt(), 0);
}

void TestMainWindow::failedAccountInsertWritesNoOpeningTransaction()
{
    QVERIFY(TestDatabase::exec("CREATE TRIGGER refuse BEFORE INSERT ON accounts BEGIN "
                               "SELECT RAISE(ABORT, 'refused'); END"));
    MainWindow window(m_test->app());
    ModalAnswerer answerer;
    answerer.expectDialog<AccountFormDialog>([](AccountFormDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("Everyday"));
        dialog->findChild<SmartAmountField *>(QStringLiteral("balanceField"))->setValue(50);
    });
    answerer.expectMessageBox(QMessageBox::Ok);
    window.newAccount();
    QCOMPARE(answerer.messages().size(), 1);
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM accounts").toInt(), 0);
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions").toInt(), 0);
    QVERIFY(window.isWelcomeShown());
}

void TestMainWindow::viewMenuSwitchesTheme()
{
    m_test->addAccount(QStringLiteral("Checking"));
    MainWindow window(m_test->app());
    QMenu *theme = nullptr;
    for (QAction *action : window.viewMenu()->actions()) {
        if (action->menu() && action->text().contains(QStringLiteral("Theme")))
            theme = action->menu();
    }
    QVERIFY(theme);
    for (QAction *action : theme->actions()) {
        if (action->data().toString() == QLatin1String("dark"))
            action->trigger();
    }
    QCOMPARE(m_test->app()->preferences()->value(preferenceKey("theme")), QStringLiteral("dark"));
    QVERIFY(QApplication::palette().color(QPalette::Window).lightness() < 128);
    for (QAction *action : theme->actions())
        QCOMPARE(action->isChecked(), action->data().toString() == QLatin1String("dark"));

    for (QAction *action : theme->actions()) {
        if (action->data().toString() == QLatin1String("light"))
            action->trigger();
    }
    QVERIFY(QApplication::palette().color(QPalette::Window).lightness() >= 128);
}

void TestMainWindow::sidebarBalancesInEachMode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("caption");
    // Starting 100.00; cleared -20.00 yesterday; -5.00 today; +30.00 next week.
    QTest::newRow("current") << "current"
                             << "$105.00"
                             << "Current balances";
    QTest::newRow("cleared") << "cleared"
                             << "$80.00"
                             << "Cleared balances";
    QTest::newRow("as of today") << "asOfToday"
                                 << "$75.00"
                                 << "Balances as of today";
    QTest::newRow("unknown means current") << "bogus"
                                           << "$105.00"
                                           << "Current balances";
}

void TestMainWindow::sidebarBalancesInEachMode()
{
    QFETCH(QString, mode);
    QFETCH(QString, expected);
    QFETCH(QString, caption);

    const Account account = m_test->addAccount(QStringLiteral("Checking"), 10000);
    const Account other = m_test->addAccount(QStringLiteral("Card"), -5000);
    const QDate today = QDate::currentDate();
    m_test->addTransaction(account.id, today.addDays(-1), QStringLiteral("Rent"), -2000, true);
    m_test->addTransaction(account.id, today, QStringLiteral("Coffee"), -500);
    m_test->addTransaction(account.id, today.addDays(7), QStringLiteral("Refund"), 3000);

    MainWindow window(m_test->app());
    QCOMPARE(window.sidebar()->balanceText(account.id), QStringLiteral("$105.00"));
    QCOMPARE(window.sidebar()->balanceText(other.id), QStringLiteral("-$50.00"));

    m_test->app()->preferences()->set(PreferenceKeys::DashboardBalanceMode, mode);
    QTRY_COMPARE(window.sidebar()->balanceText(account.id), expected);
    QCOMPARE(window.sidebar()->modeText(), caption);
    QCOMPARE(window.sidebar()->balanceText(other.id), QStringLiteral("-$50.00"));
}

void TestMainWindow::burstOfInsertsCostsFewReloads()
{
    const Account account = m_test->addAccount(QStringLiteral("Checking"));
    MainWindow window(m_test->app());
    QCOMPARE(window.registerScreen()->accountId(), account.id);
    QTest::qWait(50);
    const int sidebarBefore = window.sidebarRebuildCount();
    const int registerBefore = window.registerScreen()->reloadCount();

    for (int i = 0; i < 2000; ++i)
        m_test->addTransaction(account.id, QDate(2025, 1, 1).addDays(i % 300),
                               QStringLiteral("Row %1").arg(i), -1);

    QTRY_COMPARE(window.registerScreen()->model()->entryCount(), 2000);
    QTRY_COMPARE(window.sidebar()->balanceText(account.id), QStringLiteral("-$20.00"));
    QTest::qWait(100);
    const int sidebarReloads = window.sidebarRebuildCount() - sidebarBefore;
    const int registerReloads = window.registerScreen()->reloadCount() - registerBefore;
    qInfo() << "reloads after 2000 inserts: sidebar" << sidebarReloads << "register" << registerReloads;
    QVERIFY(sidebarReloads >= 1);
    QVERIFY(sidebarReloads <= 3);
    QVERIFY(registerReloads >= 1);
    QVERIFY(registerReloads <= 3);
}

void TestMainWindow::registerPreferencesApply()
{
    m_test->addAccount(QStringLiteral("Checking"));
    MainWindow window(m_test->app());
    RegisterTableView *view = window.registerScreen()->view();
    QVERIFY(!view->isColumnHidden(RegisterModel::MemoColumn));
    QVERIFY(!view->isColumnHidden(RegisterModel::BalanceColumn));
    const int singleHeight = view->verticalHeader()->defaultSectionSize();

    PreferencesRepository *prefs = m_test->app()->preferences();
    prefs->setBool(PreferenceKeys::RegisterTwoLine, true);
    QVERIFY(window.registerScreen()->model()->twoLine());
    QVERIFY(view->isColumnHidden(RegisterModel::MemoColumn));
    QVERIFY(view->verticalHeader()->defaultSectionSize() > singleHeight);

    prefs->setBool(PreferenceKeys::RegisterShowBalance, false);
    QVERIFY(view->isColumnHidden(RegisterModel::BalanceColumn));

    prefs->setBool(PreferenceKeys::RegisterNewestFirst, true);
    QCOMPARE(window.registerScreen()->model()->sortColumn(), int(RegisterModel::DateColumn));
    QCOMPARE(window.registerScreen()->model()->sortOrder(), Qt::DescendingOrder);
    QCOMPARE(window.registerScreen()->model()->blankRow(), 0);
}

void TestMainWindow::deleteAccountTakesItsRecordsWithIt()
{
    const Account keep = m_test->addAccount(QStringLiteral("Keep"));
    const Account gone = m_test->addAccount(QStringLiteral("Gone"));
    m_test->addTransaction(gone.id, QDate(2025, 1, 1), QStringLiteral("A"), -100);
    m_test->addTransaction(gone.id, QDate(2025, 1, 2), QStringLiteral("B"), -200);
    m_test->addTransaction(keep.id, QDate(2025, 1, 2), QStringLiteral("C"), -300);
    RecurringTransaction rule;
    rule.id = QStringLiteral("rule-1");
    rule.accountId = gone.id;
    rule.payee = QStringLiteral("Gym");
    rule.amount = -4000;
    rule.startDate = QDate(2030, 1, 1);
    rule.nextDueDate = rule.startDate;
    rule.createdAt = QDateTime::currentDateTimeUtc();
    rule.updatedAt = rule.createdAt;
    QVERIFY(m_test->app()->recurring()->insert(rule));
    Reconciliation rec;
    rec.id = QStringLiteral("rec-1");
    rec.accountId = gone.id;
    rec.statementDate = QDate(2025, 1, 31);
    rec.completedAt = QDateTime::currentDateTimeUtc();
    QVERIFY(m_test->app()->reconciliations()->insert(rec));

    MainWindow window(m_test->app());
    window.selectAccount(gone.id);
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Yes);
    window.deleteAccount();
    QVERIFY(answerer.unexpected().isEmpty());

    const QString stamp =
        TestDatabase::scalar("SELECT deleted_at FROM accounts WHERE id = ?", {gone.id}).toString();
    QVERIFY(!stamp.isEmpty());
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions WHERE account_id = ? AND deleted_at = ?",
                                  {gone.id, stamp})
                 .toInt(),
             2);
    QCOMPARE(
        TestDatabase::scalar("SELECT deleted_at FROM recurring_transactions WHERE id = 'rule-1'").toString(),
        stamp);
    QCOMPARE(TestDatabase::scalar("SELECT deleted_at FROM reconciliations WHERE id = 'rec-1'").toString(),
             stamp);
    QVERIFY(
        TestDatabase::scalar("SELECT deleted_at FROM transactions WHERE account_id = ?", {keep.id}).isNull());

    QCOMPARE(window.registerScreen()->accountId(), keep.id);
    QVERIFY(window.sidebar()->balanceText(gone.id).isEmpty());

    // What the account took with it comes back with it.
    QCOMPARE(m_test->app()->transactions()->restoreByAccount(gone.id, stamp), 2);
}

void TestMainWindow::editAccountStoresRecord()
{
    const Account account = m_test->addAccount(QStringLiteral("Old name"), 500);
    MainWindow window(m_test->app());
    ModalAnswerer answerer;
    answerer.expectDialog<AccountFormDialog>([](AccountFormDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Account"));
        dialog->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("New name"));
    });
    window.editAccount();
    const auto stored = m_test->app()->accounts()->findById(account.id);
    QCOMPARE(stored->name, QStringLiteral("New name"));
    // The starting balance the form showed now has a register row of its own;
    // the balance stays.
    QCOMPARE(stored->startingBalance, qint64(0));
    const QList<Transaction> rows = m_test->app()->transactions()->findByAccount(account.id);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.constFirst().amount, qint64(500));
    QCOMPARE(rows.constFirst().payee, QStringLiteral("Opening Balance"));
    QTRY_VERIFY(window.windowTitle().startsWith(QStringLiteral("New name")));
}

void TestMainWindow::openingBalanceIsFoundInEveryLanguage()
{
    const Account account = TestRecords::account(QStringLiteral("acc-1"), QStringLiteral("Everyday"), 150000);
    QVERIFY(m_test->app()->accountService()->createAccount(account, QDate(2025, 1, 15),
                                                           QStringLiteral("Opening Balance"))); // in English
    MainWindow window(m_test->app());
    ModalAnswerer answerer;

    // Edited after a switch to Spanish, then to Japanese: the form shows the
    // opening balance made in English, and the one row takes the new amount.
    for (const auto &[language, typed] : {std::pair{"es", 1500}, std::pair{"ja", 1600}}) {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/tallyfern_%1.qm").arg(QLatin1String(language))));
        QCoreApplication::installTranslator(&translator);
        answerer.expectDialog<AccountFormDialog>([typed](AccountFormDialog *dialog) {
            auto *balance = dialog->findChild<SmartAmountField *>(QStringLiteral("balanceField"));
            QCOMPARE(balance->value(), 1500.0);
            QCOMPARE(dialog->asOfDate(), QDate(2025, 1, 15));
            balance->setValue(typed);
        });
        window.editAccount();
        QCoreApplication::removeTranslator(&translator);
        const QList<Transaction> rows = m_test->app()->transactions()->findByAccount(account.id);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.constFirst().amount, qint64(typed) * 100);
    }
}

void TestMainWindow::autoPostRunsAfterStartup()
{
    const Account account = m_test->addAccount(QStringLiteral("Checking"));
    RecurringTransaction rule;
    rule.id = QStringLiteral("rule-auto");
    rule.accountId = account.id;
    rule.payee = QStringLiteral("Streaming");
    rule.amount = -999;
    rule.startDate = QDate::currentDate().addDays(-1);
    rule.nextDueDate = rule.startDate;
    rule.autoPost = true;
    rule.createdAt = QDateTime::currentDateTimeUtc();
    rule.updatedAt = rule.createdAt;
    QVERIFY(m_test->app()->recurring()->insert(rule));

    MainWindow window(m_test->app());
    QCOMPARE(MainWindow::AutoPostIntervalMs, 3600000);
    QTRY_COMPARE(m_test->app()->transactions()->findByAccount(account.id).size(), 1);
    QTRY_COMPARE(window.registerScreen()->model()->entryCount(), 1);
    QCOMPARE(window.statusBarWidget()->currentMessage(), QStringLiteral("Posted 1 recurring transaction"));
}

void TestMainWindow::windowStateAndLastAccountPersist()
{
    m_test->addAccount(QStringLiteral("First"));
    const Account second = m_test->addAccount(QStringLiteral("Second"));
    {
        MainWindow window(m_test->app());
        window.resize(1100, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.selectAccount(second.id);
        window.findChild<QSplitter *>()->setSizes({333, 700});
        window.close();
    }
    QSettings settings;
    QVERIFY(settings.contains(QStringLiteral("mainWindow/geometry")));
    QVERIFY(settings.contains(QStringLiteral("mainWindow/splitter")));
    QCOMPARE(m_test->app()->preferences()->value(preferenceKey("lastAccountId")), second.id);

    MainWindow again(m_test->app());
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.size(), QSize(1100, 700));
    QCOMPARE(again.registerScreen()->accountId(), second.id);
    QCOMPARE(again.findChild<QSplitter *>()->sizes().constFirst(), 333);
}

void TestMainWindow::idleRegisterKeepsItsColumns_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("1000 x 700") << QSize(1000, 700);
    QTest::newRow("1600 x 1000") << QSize(1600, 1000);
}

void TestMainWindow::idleRegisterKeepsItsColumns()
{
    QFETCH(QSize, size);
    const Account account = m_test->addAccount(QStringLiteral("Everyday"), 0);
    for (int day = 1; day <= 28; ++day)
        m_test->addTransaction(account.id, QDate(2026, 2, day), QStringLiteral("Payee %1").arg(day),
                               day % 2 ? -1234567 * day : 5000);
    MainWindow window(m_test->app());
    window.resize(size);
    RegisterTableView *view = window.registerScreen()->view();
    QHeaderView *columns = view->horizontalHeader();
    const QString settingsFile = QSettings().fileName();
    const QDateTime written = QFileInfo(settingsFile).lastModified();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(500);

    // Each money column as wide as its widest figure needs, and no wider
    // unless its heading needs it; the payee first among the text columns.
    const RegisterModel *model = window.registerScreen()->model();
    for (const int column : {RegisterModel::PaymentColumn, RegisterModel::DepositColumn,
                             RegisterModel::BalanceColumn}) {
        int widest = 0;
        for (int row = 0; row < model->rowCount(); ++row)
            widest = qMax(widest, view->fontMetrics().horizontalAdvance(model->index(row, column).data().toString()));
        QVERIFY(columns->sectionSize(column) >= widest + 12);
        QVERIFY(columns->sectionSize(column) <= qMax(widest + 24, columns->sectionSizeHint(column)));
    }
    QVERIFY(columns->sectionSize(RegisterModel::CheckColumn) >=
            view->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    for (const int column : {RegisterModel::CategoryColumn, RegisterModel::MemoColumn})
        QVERIFY(columns->sectionSize(RegisterModel::PayeeColumn) >= columns->sectionSize(column));

    // Left alone, the register neither lays out nor writes anything.
    QSignalSpy resized(columns, &QHeaderView::sectionResized);
    QTest::qWait(3000);
    QCOMPARE(resized.count(), 0);
    QCOMPARE(QFileInfo(settingsFile).lastModified(), written);
}

void TestMainWindow::columnWidthTheUserGaveIsKept()
{
    m_test->addAccount(QStringLiteral("Everyday"));
    int memo = 0;
    {
        MainWindow window(m_test->app());
        window.resize(1600, 1000);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QHeaderView *columns = window.registerScreen()->view()->horizontalHeader();
        memo = columns->sectionSize(RegisterModel::MemoColumn) + 90;
        columns->resizeSection(RegisterModel::MemoColumn, memo); // as a drag of its edge does
        // The payee gives the room; the register still fits the window.
        QCOMPARE(columns->length(), window.registerScreen()->view()->viewport()->width());
        window.close();
    }
    MainWindow again(m_test->app());
    again.resize(1600, 1000);
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QTRY_COMPARE(again.registerScreen()->view()->horizontalHeader()->sectionSize(RegisterModel::MemoColumn), memo);
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
