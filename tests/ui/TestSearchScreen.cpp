#include "DateField.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "PopupMenuProbe.h"
#include "RegisterModel.h"
#include "SearchScreen.h"
#include "TestApp.h"
#include "TransactionDetailsDialog.h"
#include "TransactionFormDialog.h"
#include "TransactionRepository.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTimer>
#include <QtTest>

class TestSearchScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typingSearchesOnceAfterPause();
    void filtersSearchAtOnce_data();
    void filtersSearchAtOnce();
    void uncheckedDatesDoNotSearch();
    void wordsLikeOrAreSearchedNotParsed();
    void keepsNewestTwoHundredOldestFirst();
    void doubleClickEditsAndSearchesAgain();
    void detailsClosedSearchesAgain();
    void clearedMenuActsOnClickedRow();
    void reconciledRowOffersNoClearedEntry();
    void deleteRemovesBothLegsOfTransfer();
    void mainWindowRefillsFiltersOnEveryOpening();

private:
    QStringList shownPayees() const;
    QPoint pointOfRow(int row) const;
    int rowOfPayee(const QString &payee) const;
    template <typename T> T *child(const char *name) const { return m_screen->findChild<T *>(name); }

    std::unique_ptr<TestApp> m_test;
    std::unique_ptr<SearchScreen> m_screen;
    std::unique_ptr<QSignalSpy> m_searches;
    Account m_checking;
    Account m_savings;
    QString m_categoryId;
};

void TestSearchScreen::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_checking = m_test->addAccount("Checking");
    m_savings = m_test->addAccount("Savings");
    m_categoryId =
        TestDatabase::scalar("SELECT id FROM categories WHERE deleted_at IS NULL ORDER BY name").toString();
    QVERIFY(!m_categoryId.isEmpty());
    const QDate today = QDate::currentDate();
    m_test->addTransaction(m_checking.id, today.addDays(-40), "Bakery", -500, true);
    Transaction rent = m_test->addTransaction(m_checking.id, today.addDays(-3), "Rent", -90000);
    rent.categoryId = m_categoryId;
    QVERIFY(m_test->app()->transactions()->update(rent));
    m_test->addTransaction(m_savings.id, today.addDays(-2), "Food or Rent", -1200);
    m_test->addTransaction(m_savings.id, today.addDays(-1), "Bookshop", -800, true);

    m_screen = std::make_unique<SearchScreen>(m_test->app());
    m_screen->resize(800, 550);
    m_screen->refreshFilters();
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    m_screen->focusSearch();
    m_searches = std::make_unique<QSignalSpy>(m_screen->model(), &QAbstractItemModel::modelReset);
}

void TestSearchScreen::cleanup()
{
    m_searches.reset();
    m_screen.reset();
    m_test.reset();
}

QStringList TestSearchScreen::shownPayees() const
{
    QStringList payees;
    const RegisterModel *model = m_screen->model();
    for (int row = 0; row < model->rowCount(); ++row)
        payees << model->rowAt(row).transaction.payee;
    return payees;
}

QPoint TestSearchScreen::pointOfRow(int row) const
{
    QTableView *view = m_screen->resultsView();
    return view->visualRect(m_screen->model()->index(row, RegisterModel::PayeeColumn)).center();
}

int TestSearchScreen::rowOfPayee(const QString &payee) const
{
    return int(shownPayees().indexOf(payee));
}

void TestSearchScreen::typingSearchesOnceAfterPause()
{
    // The first showing lists everything, oldest first; nothing is balance or blank row.
    QCOMPARE(shownPayees(), (QStringList{"Bakery", "Rent", "Food or Rent", "Bookshop"}));
    QVERIFY(m_screen->resultsView()->isColumnHidden(RegisterModel::BalanceColumn));

    QTest::keyClicks(child<QLineEdit>("searchEdit"), "ren");
    QCOMPARE(m_searches->count(), 0);
    QTimer *debounce = child<QTimer>("debounceTimer");
    QVERIFY(debounce->isActive());
    QTRY_COMPARE(m_searches->count(), 1);
    QCOMPARE(shownPayees(), (QStringList{"Rent", "Food or Rent"}));
}

void TestSearchScreen::filtersSearchAtOnce_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("account") << "account" << QStringList{"Food or Rent", "Bookshop"};
    QTest::newRow("category") << "category" << QStringList{"Rent"};
    QTest::newRow("cleared only") << "cleared" << QStringList{"Bakery", "Bookshop"};
    QTest::newRow("date range") << "dates" << QStringList{"Rent", "Food or Rent", "Bookshop"};
}

void TestSearchScreen::filtersSearchAtOnce()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    if (filter == "account") {
        auto *combo = child<QComboBox>("accountCombo");
        combo->setCurrentIndex(combo->findData(m_savings.id));
    } else if (filter == "category") {
        auto *combo = child<QComboBox>("categoryCombo");
        combo->setCurrentIndex(combo->findData(m_categoryId));
    } else if (filter == "cleared") {
        child<QCheckBox>("clearedCheck")->setChecked(true);
    } else {
        child<QCheckBox>("dateRangeCheck")->setChecked(true);
        QVERIFY(child<DateField>("fromDate")->isEnabled());
    }
    QCOMPARE(m_searches->count(), 1);
    QCOMPARE(shownPayees(), expected);
}

void TestSearchScreen::uncheckedDatesDoNotSearch()
{
    auto *from = child<DateField>("fromDate");
    auto *to = child<DateField>("toDate");
    from->setDate(QDate::currentDate());
    QCOMPARE(m_searches->count(), 0);
    child<QCheckBox>("dateRangeCheck")->setChecked(true);
    QCOMPARE(shownPayees(), QStringList());
    // A from-date after the to-date finds nothing; putting it back searches at once.
    from->setDate(to->date().addDays(1));
    QCOMPARE(shownPayees(), QStringList());
    from->setDate(to->date().addDays(-2));
    QCOMPARE(m_searches->count(), 3);
    QCOMPARE(shownPayees(), (QStringList{"Food or Rent", "Bookshop"}));
}

void TestSearchScreen::wordsLikeOrAreSearchedNotParsed()
{
    child<QLineEdit>("searchEdit")->setText("food OR rent");
    m_screen->performSearch();
    QCOMPARE(shownPayees(), QStringList{"Food or Rent"});
    child<QLineEdit>("searchEdit")->setText("  ?!  ");
    m_screen->performSearch();
    QCOMPARE(shownPayees().size(), 4);
}

void TestSearchScreen::keepsNewestTwoHundredOldestFirst()
{
    const QDate first(2020, 1, 1);
    QVERIFY(TestDatabase::exec("BEGIN"));
    for (int i = 0; i < 205; ++i)
        QVERIFY(TestDatabase::exec(
            "INSERT INTO transactions (id, account_id, date, payee, amount, created_at, updated_at) "
            "VALUES (?, ?, ?, ?, -100, '2024-01-01T00:00:00Z', '2024-01-01T00:00:00Z')",
            {QStringLiteral("bulk-%1").arg(i), m_checking.id, first.addDays(i).toString(Qt::ISODate),
             QStringLiteral("Bulk %1").arg(i)}));
    QVERIFY(TestDatabase::exec("COMMIT"));
    child<QLineEdit>("searchEdit")->setText("bulk");
    m_screen->performSearch();
    const QStringList payees = shownPayees();
    QCOMPARE(payees.size(), 200);
    QCOMPARE(payees.constFirst(), QStringLiteral("Bulk 5"));
    QCOMPARE(payees.constLast(), QStringLiteral("Bulk 204"));
}

void TestSearchScreen::doubleClickEditsAndSearchesAgain()
{
    QSignalSpy requested(m_screen.get(), &SearchScreen::editTransactionRequested);
    ModalAnswerer answerer;
    answerer.expectDialog<TransactionFormDialog>([](TransactionFormDialog *dialog) {
        dialog->findChild<QLineEdit *>("payeeEdit")->setText("Rent Office");
    });
    const int row = rowOfPayee("Rent");
    emit m_screen->resultsView()->doubleClicked(m_screen->model()->index(row, RegisterModel::PayeeColumn));
    QCOMPARE(requested.count(), 1);
    QCOMPARE(requested.at(0).at(0).value<Transaction>().payee, QStringLiteral("Rent"));
    QCOMPARE(answerer.pendingHandlers(), 0);
    QVERIFY(shownPayees().contains("Rent Office"));
    QVERIFY(!shownPayees().contains("Rent"));
}

void TestSearchScreen::detailsClosedSearchesAgain()
{
    ModalAnswerer answerer;
    answerer.expectDialog<TransactionDetailsDialog>(nullptr, false);
    PopupMenuProbe probe("Show De&tails...");
    emit m_screen->resultsView()->customContextMenuRequested(pointOfRow(0));
    QCOMPARE(answerer.pendingHandlers(), 0);
    QCOMPARE(m_searches->count(), 1);
}

void TestSearchScreen::clearedMenuActsOnClickedRow()
{
    m_screen->resultsView()->selectRow(rowOfPayee("Bakery"));
    const int row = rowOfPayee("Rent");
    PopupMenuProbe probe("Mark &Cleared");
    emit m_screen->resultsView()->customContextMenuRequested(pointOfRow(row));
    QCOMPARE(m_searches->count(), 1);
    QCOMPARE(TestDatabase::scalar("SELECT cleared FROM transactions WHERE payee = 'Rent'").toInt(), 1);
    QCOMPARE(TestDatabase::scalar("SELECT cleared FROM transactions WHERE payee = 'Bakery'").toInt(), 1);
    QCOMPARE(TestDatabase::scalar("SELECT sync_status FROM transactions WHERE payee = 'Rent'").toString(),
             QStringLiteral("pending"));
}

void TestSearchScreen::reconciledRowOffersNoClearedEntry()
{
    QVERIFY(TestDatabase::exec("UPDATE transactions SET reconciled = 1, cleared = 1 WHERE payee = 'Bakery'"));
    m_screen->performSearch();
    PopupMenuProbe probe;
    emit m_screen->resultsView()->customContextMenuRequested(pointOfRow(rowOfPayee("Bakery")));
    QCOMPARE(probe.entries(), (QStringList{"Show De&tails...", "&Split Transaction...", "&Edit in Dialog...",
                                           "Du&plicate...", "&Delete..."}));
}

void TestSearchScreen::deleteRemovesBothLegsOfTransfer()
{
    // A transfer as stored: two legs naming each other.
    Transaction out = m_test->addTransaction(m_checking.id, QDate::currentDate(), "Move savings", -5000);
    Transaction in = m_test->addTransaction(m_savings.id, QDate::currentDate(), "Move savings", 5000);
    out.transferLinkId = in.id;
    out.transferDestAccountId = m_savings.id;
    in.transferLinkId = out.id;
    in.transferDestAccountId = m_checking.id;
    QVERIFY(m_test->app()->transactions()->update(out));
    QVERIFY(m_test->app()->transactions()->update(in));
    child<QLineEdit>("searchEdit")->setText("move");
    m_screen->performSearch();
    QCOMPARE(shownPayees().size(), 2);

    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Yes);
    PopupMenuProbe probe("&Delete...");
    emit m_screen->resultsView()->customContextMenuRequested(pointOfRow(1));
    QCOMPARE(answerer.pendingHandlers(), 0);
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions WHERE payee = 'Move savings' AND "
                                  "deleted_at IS NOT NULL")
                 .toInt(),
             2);
    QCOMPARE(shownPayees(), QStringList());
}

void TestSearchScreen::mainWindowRefillsFiltersOnEveryOpening()
{
    m_searches.reset();
    m_screen.reset();
    MainWindow window(m_test->app());
    QAction *open = nullptr;
    for (QAction *action : window.toolsMenu()->actions())
        if (action->text() == QLatin1String("Search Transactions..."))
            open = action;
    QVERIFY(open);
    open->trigger();
    SearchScreen *screen = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<SearchScreen *>(widget))
            screen = found;
    QVERIFY(screen);
    QCOMPARE(screen->model()->rowCount(), 4);
    auto *accounts = screen->findChild<QComboBox *>("accountCombo");
    accounts->setCurrentIndex(accounts->findData(m_savings.id));
    QCOMPARE(screen->model()->rowCount(), 2);

    m_test->addAccount("Cash");
    open->trigger();
    QCOMPARE(accounts->count(), 4);
    QCOMPARE(accounts->currentIndex(), 0);
    QCOMPARE(screen->model()->rowCount(), 4);
}

QTEST_MAIN(TestSearchScreen)
#include "TestSearchScreen.moc"
