#include "AccountFormDialog.h"
#include "AccountRepository.h"
#include "AccountService.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "PayeeScreen.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "SmartAmountField.h"
#include "TestApp.h"
#include "TestRecords.h"
#include "TransactionRepository.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSqlQuery>
#include <QtTest>

class TestPayeeScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void renameSelected_data();
    void renameSelected();
    void mergeSelected_data();
    void mergeSelected();
    void mergeNeedsTwoAndAsksWithPlainText();
    void failedRewriteRollsBackAndSaysSo();
    void mainWindowRefreshesRegisterAfterRename();
    void openingRowKeepsItsPlaceAfterRename_data();
    void openingRowKeepsItsPlaceAfterRename();

private:
    void select(const QStringList &names);
    QStringList listed() const;
    static QStringList payeesOf(const QString &condition);

    std::unique_ptr<TestApp> m_test;
    std::unique_ptr<PayeeScreen> m_screen;
    std::unique_ptr<QSignalSpy> m_changed;
    Account m_account;
};

void TestPayeeScreen::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_account = m_test->addAccount("Checking");
    const QDate day(2025, 3, 1);
    for (const char *payee : {"Acme", "Acme", "acme", "Bolt", "Corner Shop"})
        QVERIFY(!m_test->addTransaction(m_account.id, day, payee, -100).id.isEmpty());
    const Transaction gone = m_test->addTransaction(m_account.id, day, "Acme", -100);
    QVERIFY(m_test->app()->transactions()->softDelete(gone.id));
    QVERIFY(TestDatabase::exec("UPDATE transactions SET sync_status = 'synced'"));

    m_screen = std::make_unique<PayeeScreen>(m_test->app());
    m_screen->refresh();
    m_changed = std::make_unique<QSignalSpy>(m_screen.get(), &PayeeScreen::payeesChanged);
}

void TestPayeeScreen::cleanup()
{
    m_changed.reset();
    m_screen.reset();
    m_test.reset();
}

void TestPayeeScreen::select(const QStringList &names)
{
    QListWidget *list = m_screen->payeeList();
    list->clearSelection();
    for (const QString &name : names) {
        const QList<QListWidgetItem *> items =
            list->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QCOMPARE(items.size(), 1);
        items.first()->setSelected(true);
    }
}

QStringList TestPayeeScreen::listed() const
{
    QStringList names;
    for (int row = 0; row < m_screen->payeeList()->count(); ++row)
        names << m_screen->payeeList()->item(row)->text();
    return names;
}

QStringList TestPayeeScreen::payeesOf(const QString &condition)
{
    // Conditions are the test's own literals. One line per row, sorted.
    QStringList rows;
    QSqlQuery query;
    if (!query.exec(QStringLiteral("SELECT payee || ' ' || sync_status FROM transactions WHERE ") +
                    condition + QStringLiteral(" ORDER BY payee, sync_status")))
        return {QStringLiteral("query failed")};
    while (query.next())
        rows << query.value(0).toString();
    return rows;
}

void TestPayeeScreen::renameSelected_data()
{
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("live");
    QTest::addColumn<QStringList>("list");

    QTest::newRow("one, case kept apart") << QStringList{"Acme"} << "  ACME Corp  "
                                          << "Renamed 2 transaction(s)."
                                          << QStringList{"ACME Corp pending", "ACME Corp pending",
                                                         "Bolt synced", "Corner Shop synced", "acme synced"}
                                          << QStringList{"ACME Corp", "Bolt", "Corner Shop", "acme"};
    QTest::newRow("several merge") << QStringList{"Acme", "acme"} << "Acme"
                                   << "Renamed 1 transaction(s)."
                                   << QStringList{"Acme synced", "Acme synced", "Acme pending", "Bolt synced",
                                                  "Corner Shop synced"}
                                   << QStringList{"Acme", "Bolt", "Corner Shop"};
    QTest::newRow("same name") << QStringList{"Bolt"} << "Bolt"
                               << "Renamed 0 transaction(s)."
                               << QStringList{"Acme synced", "Acme synced", "Bolt synced",
                                              "Corner Shop synced", "acme synced"}
                               << QStringList{"Acme", "Bolt", "Corner Shop", "acme"};
}

void TestPayeeScreen::renameSelected()
{
    QFETCH(QStringList, selected);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QStringList, live);
    QFETCH(QStringList, list);
    std::sort(live.begin(), live.end());

    select(selected);
    m_screen->nameEdit()->setText(typed);
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Ok);
    m_screen->onRename();
    QCOMPARE(answerer.messages(), QStringList{message});
    QCOMPARE(payeesOf("deleted_at IS NULL"), live);
    QCOMPARE(payeesOf("deleted_at IS NOT NULL"), QStringList{"Acme synced"});
    QCOMPARE(listed(), list);
    QCOMPARE(m_changed->count(), 1);
}

void TestPayeeScreen::mergeSelected_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("typed target") << "Acme"
                                  << "Merge 3 payees into \"Acme\"?" << QStringList{"Acme", "Corner Shop"};
    QTest::newRow("first selected") << ""
                                    << "Merge 3 payees into \"Acme\"?" << QStringList{"Acme", "Corner Shop"};
    QTest::newRow("new name") << "Hardware"
                              << "Merge 3 payees into \"Hardware\"?"
                              << QStringList{"Corner Shop", "Hardware"};
}

void TestPayeeScreen::mergeSelected()
{
    QFETCH(QString, typed);
    QFETCH(QString, question);
    QFETCH(QStringList, list);
    select({"Acme", "Bolt", "acme"});
    m_screen->nameEdit()->setText(typed);
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Yes);
    answerer.expectMessageBox(QMessageBox::Ok);
    m_screen->onMerge();
    const int moved = typed == "Hardware" ? 4 : 2;
    QCOMPARE(answerer.messages(),
             (QStringList{question, QStringLiteral("Merged %1 transaction(s).").arg(moved)}));
    QCOMPARE(listed(), list);
    QCOMPARE(payeesOf("deleted_at IS NOT NULL"), QStringList{"Acme synced"});
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions WHERE sync_status = 'pending'").toInt(),
             moved);
    QCOMPARE(m_changed->count(), 1);
}

void TestPayeeScreen::mergeNeedsTwoAndAsksWithPlainText()
{
    select({"Acme"});
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Ok);
    m_screen->onMerge();
    QCOMPARE(answerer.messages(), QStringList{"Select 2 or more payees to merge."});

    select({"Acme", "Bolt"});
    m_screen->nameEdit()->setText("<i>Shop</i>");
    Qt::TextFormat format = Qt::RichText;
    answerer.expect([&format](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        format = box->textFormat();
        box->button(QMessageBox::No)->click();
    });
    m_screen->onMerge();
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(payeesOf("payee = 'Acme' AND deleted_at IS NULL").size(), 2);
    QCOMPARE(m_changed->count(), 0);
}

void TestPayeeScreen::failedRewriteRollsBackAndSaysSo()
{
    QVERIFY(TestDatabase::exec("CREATE TRIGGER refuse BEFORE UPDATE ON transactions WHEN old.payee = 'Bolt' "
                               "BEGIN SELECT RAISE(ABORT, 'payee locked'); END"));
    select({"Acme", "Bolt"});
    m_screen->nameEdit()->setText("Merged");
    ModalAnswerer answerer;
    answerer.expect([](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        QVERIFY2(box->text().contains("payee locked"), qPrintable(box->text()));
        box->button(QMessageBox::Ok)->click();
    });
    m_screen->onRename();
    QCOMPARE(answerer.pendingHandlers(), 0);
    QCOMPARE(payeesOf("payee = 'Merged'"), QStringList());
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions WHERE sync_status = 'pending'").toInt(),
             0);
    QCOMPARE(listed(), (QStringList{"Acme", "Bolt", "Corner Shop", "acme"}));
    QCOMPARE(m_changed->count(), 0);
}

void TestPayeeScreen::mainWindowRefreshesRegisterAfterRename()
{
    m_changed.reset();
    m_screen.reset();
    MainWindow window(m_test->app());
    window.selectAccount(m_account.id);
    QAction *open = nullptr;
    for (QAction *action : window.toolsMenu()->actions())
        if (action->text() == QLatin1String("Payees..."))
            open = action;
    QVERIFY(open);
    open->trigger();
    PayeeScreen *screen = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<PayeeScreen *>(widget))
            screen = found;
    QVERIFY(screen);
    QVERIFY(screen->isVisible());
    // Opened again, it is the same window, read again.
    QVERIFY(TestDatabase::exec("UPDATE transactions SET payee = 'Delta' WHERE payee = 'Corner Shop'"));
    open->trigger();
    QCOMPARE(screen->payeeList()->findItems("Delta", Qt::MatchExactly).size(), 1);

    screen->payeeList()->findItems("Bolt", Qt::MatchExactly).first()->setSelected(true);
    screen->nameEdit()->setText("Bolt & Nut");
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Ok);
    screen->onRename();
    const RegisterModel *model = window.registerScreen()->model();
    int shown = 0;
    for (int row = 0; row < model->entryCount(); ++row)
        shown += model->rowAt(row).transaction.payee == QLatin1String("Bolt & Nut") ? 1 : 0;
    QCOMPARE(shown, 1);
}

void TestPayeeScreen::openingRowKeepsItsPlaceAfterRename_data()
{
    QTest::addColumn<QString>("payee");
    QTest::newRow("made by this version") << "Opening Balance";
    QTest::newRow("made by an earlier one, or pulled") << "Anfangssaldo";
}

void TestPayeeScreen::openingRowKeepsItsPlaceAfterRename()
{
    QFETCH(QString, payee);
    const Account visa = TestRecords::account("visa", "Visa", -17858);
    if (payee == QLatin1String("Opening Balance"))
        QVERIFY(m_test->app()->accountService()->createAccount(visa, QDate(2025, 1, 2), payee));
    else // the row as an earlier version or another device stored it
        QVERIFY(m_test->app()->accounts()->insert(TestRecords::account("visa", "Visa")) &&
                !m_test->addTransaction(visa.id, QDate(2025, 1, 2), payee, -17858, true).id.isEmpty());
    m_screen->refresh();
    select({payee});
    m_screen->nameEdit()->setText("Starting Balance");
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Ok);
    m_screen->onRename();

    MainWindow window(m_test->app());
    window.selectAccount(visa.id);
    answerer.expectDialog<AccountFormDialog>([](AccountFormDialog *dialog) {
        auto *balance = dialog->findChild<SmartAmountField *>("balanceField");
        QCOMPARE(balance->value(), -178.58);
        balance->setValue(-250);
    });
    window.editAccount();
    const QList<Transaction> rows = m_test->app()->transactions()->findByAccount(visa.id);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.constFirst().payee, QStringLiteral("Starting Balance"));
    QCOMPARE(rows.constFirst().amount, qint64(-25000));
}

QTEST_MAIN(TestPayeeScreen)
#include "TestPayeeScreen.moc"
