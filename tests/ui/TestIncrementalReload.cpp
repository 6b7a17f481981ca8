#include "AccountRepository.h"
#include "AccountSidebar.h"
#include "MainWindow.h"
#include "Money.h"
#include "PreferencesRepository.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "SyncEngine.h"
#include "TestApp.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"
#include "support/PreferenceKeyProbe.h"

#include <QLabel>
#include <QSqlQuery>
#include <QtTest>

// After edits of single rows the register and the sidebar re-read only what
// changed: what they show must still equal a full reading of the file.
class TestIncrementalReload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void editsMatchAFullReading_data();
    void editsMatchAFullReading();
    void idleSyncCycleReadsNothing();
    void headerFigureShownWhole();

private:
    std::unique_ptr<TestApp> m_test;
};

void TestIncrementalReload::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
}

void TestIncrementalReload::cleanup()
{
    m_test.reset();
}

void TestIncrementalReload::editsMatchAFullReading_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("sortColumn");
    QTest::newRow("current, by date") << "current" << int(RegisterModel::DateColumn);
    QTest::newRow("cleared, by date") << "cleared" << int(RegisterModel::DateColumn);
    QTest::newRow("current, by payment") << "current" << int(RegisterModel::PaymentColumn);
}

void TestIncrementalReload::editsMatchAFullReading()
{
    QFETCH(QString, mode);
    QFETCH(int, sortColumn);
    AppState *app = m_test->app();
    const Account checking = m_test->addAccount(QStringLiteral("Checking"), 10000);
    const Account savings = m_test->addAccount(QStringLiteral("Savings"), 500);
    QList<Transaction> rows;
    for (int i = 0; i < 12; ++i)
        rows.append(m_test->addTransaction(checking.id, QDate(2025, 1, 1).addDays(i % 5),
                                           QStringLiteral("Payee %1").arg(i), -100 * (i + 1), i % 3 == 0));
    m_test->addTransaction(savings.id, QDate(2025, 1, 2), QStringLiteral("Interest"), 700);
    app->preferences()->set(preferenceKey("dashboardBalanceMode"), mode);

    MainWindow window(app);
    window.selectAccount(checking.id);
    RegisterScreen *screen = window.registerScreen();
    screen->model()->sort(sortColumn, Qt::AscendingOrder);
    QTRY_COMPARE(screen->model()->entryCount(), 12);

    // Amounts, flags and texts of single rows, each announced on its own.
    TransactionWriter *writer = app->transactionWriter();
    auto edit = [&](int index, const std::function<void(Transaction &)> &change) {
        const Transaction before = *app->transactions()->findById(rows[index].id);
        Transaction after = before;
        change(after);
        QVERIFY(writer->update(before, after));
    };
    edit(0, [](Transaction &t) { t.amount = 5000; });
    edit(7, [](Transaction &t) { t.cleared = !t.cleared; });
    edit(3, [](Transaction &t) {
        t.payee = QStringLiteral("Renamed");
        t.amount = -1;
    });
    edit(11, [](Transaction &t) { t.cleared = true; });
    const int readsBefore = screen->reloadCount();
    QTRY_VERIFY(screen->reloadCount() > readsBefore);
    QTest::qWait(20);

    // The register as shown, by id, against a fresh reading of the file.
    const auto compareWithFile = [&] {
        const QList<RegisterRow> full = app->transactions()->registerRows(checking.id);
        QCOMPARE(screen->model()->entryCount(), full.size());
        for (const RegisterRow &expected : full) {
            const int row = screen->model()->rowOf(expected.transaction.id);
            QVERIFY(row >= 0);
            const RegisterRow shown = screen->model()->rowAt(row);
            QCOMPARE(shown.balance, expected.balance);
            QCOMPARE(shown.transaction.amount, expected.transaction.amount);
            QCOMPARE(shown.transaction.cleared, expected.transaction.cleared);
            QCOMPARE(shown.transaction.payee, expected.transaction.payee);
        }
    };
    compareWithFile();
    // The row edited alone is among those the view is told to repaint.
    QSignalSpy repaint(screen->model(), &QAbstractItemModel::dataChanged);
    edit(2, [](Transaction &t) { t.cleared = !t.cleared; });
    QTRY_VERIFY(!repaint.isEmpty());
    const int shownRow = screen->model()->rowOf(rows[2].id);
    QVERIFY(repaint.last().at(0).toModelIndex().row() <= shownRow &&
            shownRow <= repaint.last().at(1).toModelIndex().row());
    // The header's figures are the account's, whatever the sidebar shows.
    const auto figure = [&](const char *name) { return screen->findChild<QLabel *>(name)->text(); };
    QCOMPARE(
        figure("currentBalanceValue"),
        Money::format(*app->accounts()->balance(checking.id, QStringLiteral("current")), checking.currency));
    QCOMPARE(
        figure("clearedBalanceValue"),
        Money::format(*app->accounts()->balance(checking.id, QStringLiteral("cleared")), checking.currency));
    const QHash<QString, qint64> balances = app->accounts()->balances(mode);
    AccountSidebar fresh(app);
    fresh.rebuild();
    QCOMPARE(window.sidebar()->balanceText(checking.id), fresh.balanceText(checking.id));
    QCOMPARE(window.sidebar()->balanceText(savings.id), fresh.balanceText(savings.id));
    QCOMPARE(app->accounts()->balance(checking.id, mode), std::optional<qint64>(balances.value(checking.id)));

    // A row moved to another date, a new row and a deleted one need the whole register; it is read.
    const int readsBeforeMove = screen->reloadCount();
    edit(9, [](Transaction &t) { t.date = t.date.addDays(-3); });
    QTRY_VERIFY(screen->reloadCount() > readsBeforeMove);
    compareWithFile();
    const Transaction added = m_test->addTransaction(checking.id, QDate(2025, 1, 3), QStringLiteral("Added"), -42);
    QVERIFY(app->transactions()->softDelete(rows[5].id));
    QTRY_VERIFY(screen->model()->rowOf(added.id) >= 0);
    QCOMPARE(screen->model()->rowOf(rows[5].id), -1);
    QTRY_COMPARE(window.sidebar()->balanceText(checking.id), [&] {
        AccountSidebar again(app);
        again.rebuild();
        return again.balanceText(checking.id);
    }());
    compareWithFile();
}

void TestIncrementalReload::idleSyncCycleReadsNothing()
{
    const Account checking = m_test->addAccount(QStringLiteral("Checking"));
    m_test->addTransaction(checking.id, QDate(2025, 1, 1), QStringLiteral("Grocer"), -500);
    MainWindow window(m_test->app());
    SyncEngine *engine = m_test->app()->syncEngine();
    emit engine->dataChanged();
    QTest::qWait(20);

    auto reads = [&] { return window.registerScreen()->reloadCount() + window.sidebarRebuildCount(); };
    const int before = reads();
    emit engine->dataChanged();
    QTest::qWait(20);
    QCOMPARE(reads(), before);

    // A write that told no one (as a pulled page may) is read at the next cycle's end.
    QSqlQuery query(m_test->app()->database()->database());
    QVERIFY(query.exec(QStringLiteral("UPDATE transactions SET amount = -900")));
    emit engine->dataChanged();
    QTRY_COMPARE(window.sidebar()->balanceText(checking.id), QStringLiteral("-$9.00"));
    QVERIFY(reads() > before);
}

void TestIncrementalReload::headerFigureShownWhole()
{
    const Account checking = m_test->addAccount(QStringLiteral("Checking"));
    Transaction row = m_test->addTransaction(checking.id, QDate(2025, 1, 1), QStringLiteral("Grocer"), -500);
    MainWindow window(m_test->app());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto *figure = window.registerScreen()->findChild<QLabel *>(QStringLiteral("currentBalanceValue"));
    // Other digits, more digits, fewer: the heading makes room for each.
    for (const qint64 amount : {-700LL, -123456789012LL, -800LL, 4LL}) {
        row.amount = amount;
        QVERIFY(m_test->app()->transactions()->update(row));
        QTRY_COMPARE(figure->text(), Money::format(amount, Currency::USD));
        QTRY_VERIFY(figure->width() >= figure->sizeHint().width());
    }
    // Widened while the window was hidden, it is whole once the window shows again.
    window.hide();
    row.amount = -987654321098LL;
    QVERIFY(m_test->app()->transactions()->update(row));
    QTRY_COMPARE(figure->text(), Money::format(row.amount, Currency::USD));
    window.show();
    QTRY_VERIFY(figure->width() >= figure->sizeHint().width());
}

QTEST_MAIN(TestIncrementalReload)
#include "TestIncrementalReload.moc"
