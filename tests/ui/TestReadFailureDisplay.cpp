#include "AccountSidebar.h"
#include "MainWindow.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "StatusBar.h"
#include "TestApp.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>

// What the main window shows when the database file cannot be read: a
// status-bar message, and neither an empty register nor starting balances
// presented as the account's true state.
class TestReadFailureDisplay : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void registerSaysItCannotRead();
    void sidebarKeepsWhatItCanShow_data();
    void sidebarKeepsWhatItCanShow();
    void unreadableAccountsAtStartAreNoFirstRun();

private:
    void openWindow();
    QStringList headingTexts() const;

    std::unique_ptr<TestApp> m_test;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_messages;
    Account m_cash;
    Account m_savings;
};

void TestReadFailureDisplay::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_cash = m_test->addAccount(QStringLiteral("Cash"), 10000);
    m_savings = m_test->addAccount(QStringLiteral("Savings"), 5000);
    m_test->addTransaction(m_cash.id, QDate(2024, 2, 1), QStringLiteral("Grocer"), -2500);
    m_test->addTransaction(m_savings.id, QDate(2024, 2, 2), QStringLiteral("Interest"), 120);
    m_messages.clear();
}

void TestReadFailureDisplay::cleanup()
{
    m_window.reset();
    m_test.reset();
}

void TestReadFailureDisplay::openWindow()
{
    m_window = std::make_unique<MainWindow>(m_test->app());
    connect(m_window->statusBarWidget(), &QStatusBar::messageChanged, this,
            [this](const QString &text) { m_messages.append(text); });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

QStringList TestReadFailureDisplay::headingTexts() const
{
    QStringList texts;
    for (const QLabel *label : m_window->registerScreen()->findChildren<QLabel *>())
        texts << label->text();
    return texts;
}

void TestReadFailureDisplay::registerSaysItCannotRead()
{
    m_test->app()->setCurrentAccountId(m_cash.id);
    openWindow();
    RegisterScreen *screen = m_window->registerScreen();
    QCOMPARE(screen->accountId(), m_cash.id);
    QVERIFY(headingTexts().contains(QStringLiteral("$75.00")));

    // The register's rows name their categories; the accounts read without them.
    QVERIFY(TestDatabase::exec(QStringLiteral("ALTER TABLE categories RENAME TO categories_lost")));
    m_window->reloadAccounts();

    QVERIFY(m_messages.contains(
        QStringLiteral("The transactions of this account could not be read from the database.")));
    // No rows, not even the entry row, and no balance made up from the starting balance.
    QCOMPARE(screen->model()->rowCount(), 0);
    QCOMPARE(headingTexts().count(QStringLiteral("—")), 2);
    QVERIFY(!headingTexts().contains(QStringLiteral("$100.00")));
    // The sidebar's balances do not need the categories and stay right.
    QCOMPARE(m_window->sidebar()->balanceText(m_cash.id), QStringLiteral("$75.00"));

    QVERIFY(TestDatabase::exec(QStringLiteral("ALTER TABLE categories_lost RENAME TO categories")));
    m_window->reloadAccounts();
    QCOMPARE(screen->model()->rowCount(), 2);
    QVERIFY(headingTexts().contains(QStringLiteral("$75.00")));
}

void TestReadFailureDisplay::sidebarKeepsWhatItCanShow_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<QString>("cashShown");
    QTest::addColumn<QString>("savingsShown");
    QTest::addColumn<QString>("message");
    // The accounts cannot be read at all: the list read last stays, with no balances.
    QTest::newRow("accounts unreadable") << QStringLiteral("ALTER TABLE accounts RENAME TO accounts_lost")
                                         << QStringLiteral("—") << QStringLiteral("—")
                                         << QStringLiteral("Some accounts or balances could not be read from the database.");
    // One account's transactions add up past any total: only that account loses its balance.
    QTest::newRow("one total overflows")
        << QStringLiteral("INSERT INTO transactions (id, account_id, date, amount) VALUES "
                          "('big-1', '%1', '2024-01-05', 5000000000000000000), "
                          "('big-2', '%1', '2024-01-06', 5000000000000000000)")
        << QStringLiteral("—") << QStringLiteral("$51.20")
        << QStringLiteral("The amounts of Cash are too large to add up.");
}

void TestReadFailureDisplay::sidebarKeepsWhatItCanShow()
{
    QFETCH(QString, breakage);
    QFETCH(QString, cashShown);
    QFETCH(QString, savingsShown);
    QFETCH(QString, message);
    openWindow();
    AccountSidebar *sidebar = m_window->sidebar();
    QCOMPARE(sidebar->balanceText(m_cash.id), QStringLiteral("$75.00"));

    QVERIFY(TestDatabase::exec(QString(breakage).replace(QLatin1String("%1"), m_cash.id)));
    m_window->reloadAccounts();

    QVERIFY2(m_messages.contains(message), qPrintable(m_messages.join(QLatin1Char('\n'))));
    QVERIFY(!m_window->isWelcomeShown());
    QCOMPARE(sidebar->list()->count(), 2);
    QCOMPARE(sidebar->balanceText(m_cash.id), cashShown);
    QCOMPARE(sidebar->balanceText(m_savings.id), savingsShown);
}

void TestReadFailureDisplay::unreadableAccountsAtStartAreNoFirstRun()
{
    QVERIFY(TestDatabase::exec(QStringLiteral("ALTER TABLE accounts RENAME TO accounts_lost")));
    openWindow();
    // The welcome page would invite the user to start over beside their own accounts.
    QVERIFY(!m_window->isWelcomeShown());
    QCOMPARE(m_window->statusBarWidget()->currentMessage(),
             QStringLiteral("Some accounts or balances could not be read from the database."));
}

QTEST_MAIN(TestReadFailureDisplay)
#include "TestReadFailureDisplay.moc"
