#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "RecurringFormDialog.h"
#include "RecurringModel.h"
#include "RecurringRepository.h"
#include "RecurringScreen.h"
#include "RecurringService.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "StatusBar.h"
#include "TestApp.h"
#include "TestRecords.h"
#include "TransactionRepository.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QtTest>

class TestRecurringMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void toolsMenuOpensOneScreenThatFollowsChanges();
    void hourlyTimerPostsExactlyTheDueOccurrences();
    void memorizeTransaction_data();
    void memorizeTransaction();

private:
    static RecurringScreen *openScreen(MainWindow &window);

    std::unique_ptr<TestApp> m_test;
    Account m_checking;
};

void TestRecurringMainWindow::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_checking = m_test->addAccount(QStringLiteral("Checking"));
}

void TestRecurringMainWindow::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<RecurringScreen *>(widget))
            delete widget;
    }
    m_test.reset();
}

RecurringScreen *TestRecurringMainWindow::openScreen(MainWindow &window)
{
    for (QAction *action : window.toolsMenu()->actions()) {
        if (action->text() == QLatin1String("Recurring Transactions..."))
            action->trigger();
    }
    RecurringScreen *found = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<RecurringScreen *>(widget)) {
            if (found)
                return nullptr; // more than one
            found = screen;
        }
    }
    return found;
}

void TestRecurringMainWindow::toolsMenuOpensOneScreenThatFollowsChanges()
{
    MainWindow window(m_test->app());
    RecurringScreen *screen = openScreen(window);
    QVERIFY(screen);
    QVERIFY(screen->isVisible());
    QCOMPARE(screen->model()->rowCount(), 0);

    // Changed while open: read again.
    QVERIFY(m_test->app()->recurring()->insert(
        TestRecords::recurring(QStringLiteral("rent"), m_checking.id, QDate::currentDate())));
    QTRY_COMPARE(screen->model()->rowCount(), 1);

    // Changed while closed: read again when opened, the same window.
    screen->close();
    QVERIFY(m_test->app()->recurring()->insert(
        TestRecords::recurring(QStringLiteral("gym"), m_checking.id, QDate::currentDate().addDays(3))));
    QCOMPARE(openScreen(window), screen);
    QCOMPARE(screen->model()->rowCount(), 2);

    // What the screen posts shows in the register.
    screen->table()->setCurrentIndex(
        screen->model()->index(screen->model()->rowOf(QStringLiteral("rent")), 1));
    screen->confirmSelected();
    QTRY_COMPARE(window.registerScreen()->model()->entryCount(), 1);
}

void TestRecurringMainWindow::hourlyTimerPostsExactlyTheDueOccurrences()
{
    const QDate today = QDate::currentDate();
    auto rule = [this](const QString &id, const QDate &due, bool autoPost, int leadDays) {
        RecurringTransaction r = TestRecords::recurring(id, m_checking.id, due);
        r.frequency = Frequency::Daily;
        r.autoPost = autoPost;
        r.leadDays = leadDays;
        return m_test->app()->recurring()->insert(r);
    };
    MainWindow window(m_test->app());
    // Let the run at start-up pass, with nothing to post yet.
    QTest::qWait(50);
    QVERIFY(rule(QStringLiteral("behind"), today.addDays(-2), true, 0)); // 3 occurrences
    QVERIFY(rule(QStringLiteral("ahead"), today.addDays(2), true, 1));   // none yet
    QVERIFY(rule(QStringLiteral("lead"), today.addDays(1), true, 1));    // 1, a day early
    QVERIFY(rule(QStringLiteral("manual"), today.addDays(-1), false, 0));

    QTimer *hourly = nullptr;
    for (QTimer *timer : window.findChildren<QTimer *>()) {
        if (timer->interval() == MainWindow::AutoPostIntervalMs && timer->isActive())
            hourly = timer;
    }
    QVERIFY(hourly);
    // The hour passes a few times: what is due is posted once, never again.
    hourly->start(1);
    QTest::qWait(100);
    hourly->start(MainWindow::AutoPostIntervalMs);

    const auto posted = [this](const QString &id) {
        return TestDatabase::scalar(
                   QStringLiteral("SELECT COUNT(*) FROM transactions WHERE recurring_id = ?"), {id})
            .toInt();
    };
    QCOMPARE(posted(QStringLiteral("behind")), 3);
    QCOMPARE(posted(QStringLiteral("ahead")), 0);
    QCOMPARE(posted(QStringLiteral("lead")), 1);
    QCOMPARE(posted(QStringLiteral("manual")), 0);
    QCOMPARE(m_test->app()->recurring()->findById(QStringLiteral("behind"))->nextDueDate, today.addDays(1));
}

void TestRecurringMainWindow::memorizeTransaction_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("failInsert");
    QTest::addColumn<bool>("dialogShown");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QDate>("due"); // the schedule's first occurrence: the month after the transaction

    QTest::newRow("2024") << QDate(2024, 5, 10) << false << true << 1 << "Transaction memorized as recurring"
                          << QDate(2024, 6, 10);
    QTest::newRow("first day of 2000") << QDate(2000, 1, 1) << false << true << 1
                                       << "Transaction memorized as recurring" << QDate(2000, 2, 1);
    QTest::newRow("31 January, leap year") << QDate(2024, 1, 31) << false << true << 1
                                           << "Transaction memorized as recurring" << QDate(2024, 2, 29);
    QTest::newRow("1999") << QDate(1999, 12, 31) << false << false << 0
                          << "Cannot memorize: source transaction has an invalid date" << QDate();
    QTest::newRow("insert fails") << QDate(2024, 5, 10) << true << true << 0
                                  << "The transaction could not be memorized" << QDate();
}

void TestRecurringMainWindow::memorizeTransaction()
{
    QFETCH(QDate, date);
    QFETCH(bool, failInsert);
    QFETCH(bool, dialogShown);
    QFETCH(int, stored);
    QFETCH(QString, message);
    QFETCH(QDate, due);

    const Transaction t = m_test->addTransaction(m_checking.id, date, QStringLiteral("Power Co"), -4321);
    QVERIFY(!t.id.isEmpty());
    if (failInsert)
        QVERIFY(
            TestDatabase::exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON recurring_transactions "
                                              "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    MainWindow window(m_test->app());
    window.registerScreen()->selectTransaction(t.id);
    QAction *memorize = window.registerScreen()->memorizeAction();
    QVERIFY(window.transactionMenu()->actions().contains(memorize));

    ModalAnswerer answerer;
    if (dialogShown)
        answerer.expectDialog<RecurringFormDialog>({});
    memorize->trigger();
    QCOMPARE(answerer.pendingHandlers(), 0);
    QVERIFY(answerer.unexpected().isEmpty());
    QCOMPARE(window.statusBarWidget()->currentMessage(), message);
    QCOMPARE(window.statusBarWidget()->pendingText(),
             QLatin1String(stored ? "1 recurring transaction due" : ""));

    const QList<RecurringTransaction> rules = m_test->app()->recurringService()->allRecurring();
    QCOMPARE(rules.size(), stored);
    if (stored) {
        const RecurringTransaction &r = rules.constFirst();
        QCOMPARE(r.accountId, m_checking.id);
        QCOMPARE(r.payee, QStringLiteral("Power Co"));
        QCOMPARE(r.amount, qint64(-4321));
        QCOMPARE(r.frequency, Frequency::Monthly);
        QCOMPARE(r.startDate, due);
        QCOMPARE(r.nextDueDate, due);
        QCOMPARE(r.updatedAt, r.createdAt);
        QCOMPARE(r.version, 1);
    }
}

QTEST_MAIN(TestRecurringMainWindow)
#include "TestRecurringMainWindow.moc"
