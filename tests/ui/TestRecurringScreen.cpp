#include "ModalAnswerer.h"
#include "RecurringFormDialog.h"
#include "RecurringModel.h"
#include "RecurringRepository.h"
#include "RecurringScreen.h"
#include "TestApp.h"
#include "TestRecords.h"
#include "ThemeManager.h"
#include "TransactionRepository.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>
#include <functional>

class TestRecurringScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void recurrenceText_data();
    void recurrenceText();
    void dueStatesAndOrder();
    void menuActsOnRecordUnderPointer_data();
    void menuActsOnRecordUnderPointer();
    void menuEntriesFollowDueState();
    void confirmAllDuePostsOnlyDue();
    void newRecordWithoutAccountIsNotStored();

private:
    RecurringTransaction addRecord(const QString &id, const QString &payee, int dueInDays,
                                   bool active = true);
    // Opens the context menu on the record's row; with the menu open runs
    // `meanwhile`, then picks `entry` (or closes the menu for an empty one).
    void chooseFromMenu(const QString &recordId, const QString &entry,
                        const std::function<void(QMenu *)> &meanwhile = {});
    QModelIndex indexOf(const QString &recordId, int column = RecurringModel::PayeeColumn) const;

    std::unique_ptr<TestApp> m_test;
    std::unique_ptr<RecurringScreen> m_screen;
    Account m_checking;
};

void TestRecurringScreen::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_checking = m_test->addAccount(QStringLiteral("Checking"));
    m_screen = std::make_unique<RecurringScreen>(m_test->app());
    m_screen->resize(700, 500);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
}

void TestRecurringScreen::cleanup()
{
    m_screen.reset();
    m_test.reset();
}

RecurringTransaction TestRecurringScreen::addRecord(const QString &id, const QString &payee, int dueInDays,
                                                    bool active)
{
    RecurringTransaction r =
        TestRecords::recurring(id, m_checking.id, QDate::currentDate().addDays(dueInDays));
    r.payee = payee;
    r.isActive = active;
    if (!m_test->app()->recurring()->insert(r))
        return RecurringTransaction();
    return r;
}

QModelIndex TestRecurringScreen::indexOf(const QString &recordId, int column) const
{
    return m_screen->model()->index(m_screen->model()->rowOf(recordId), column);
}

void TestRecurringScreen::chooseFromMenu(const QString &recordId, const QString &entry,
                                         const std::function<void(QMenu *)> &meanwhile)
{
    const QPoint pos = m_screen->table()->visualRect(indexOf(recordId)).center();
    QTimer::singleShot(50, this, [entry, meanwhile]() {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        if (meanwhile)
            meanwhile(menu);
        for (QAction *action : menu->actions()) {
            if (!entry.isEmpty() && action->text() == entry) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
    m_screen->onContextMenu(pos);
}

void TestRecurringScreen::recurrenceText_data()
{
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("day1");
    QTest::addColumn<int>("day2");
    QTest::addColumn<QString>("text");

    QTest::newRow("monthly") << int(Frequency::Monthly) << 1 << 1 << 15 << "monthly";
    QTest::newRow("every 3 weeks") << int(Frequency::Weekly) << 3 << 1 << 15 << "Every 3 weeks";
    QTest::newRow("biweekly x2") << int(Frequency::Biweekly) << 2 << 1 << 15
                                 << QString::fromUtf8("biweekly (×2)");
    QTest::newRow("1st & last") << int(Frequency::Semimonthly) << 5 << 1 << 0
                                << "Semi-monthly (1st & last day)";
    QTest::newRow("2nd & 23rd") << int(Frequency::Semimonthly) << 1 << 2 << 23 << "Semi-monthly (2nd & 23rd)";
    QTest::newRow("11th & 31st") << int(Frequency::Semimonthly) << 1 << 11 << 31
                                 << "Semi-monthly (11th & 31st)";
}

void TestRecurringScreen::recurrenceText()
{
    QFETCH(int, frequency);
    QFETCH(int, interval);
    QFETCH(int, day1);
    QFETCH(int, day2);
    QFETCH(QString, text);

    RecurringTransaction r;
    r.frequency = Frequency(frequency);
    r.intervalCount = interval;
    r.semimonthlyDay1 = day1;
    r.semimonthlyDay2 = day2;
    QCOMPARE(RecurringModel::recurrenceText(r), text);
}

void TestRecurringScreen::dueStatesAndOrder()
{
    QAbstractItemModelTester tester(m_screen->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    addRecord(QStringLiteral("future"), QStringLiteral("gym"), 10);
    addRecord(QStringLiteral("due"), QStringLiteral("Rent"), -5);
    addRecord(QStringLiteral("old"), QStringLiteral("GYM"), -30, false);
    RecurringTransaction deposit = addRecord(QStringLiteral("pay"), QStringLiteral("Salary"), 3);
    deposit.amount = 250000;
    QVERIFY(m_test->app()->recurring()->update(deposit));
    m_screen->refresh();

    RecurringModel *model = m_screen->model();
    QCOMPARE(model->rowCount(), 4);
    // Next Due ascending, whatever the service's active-first order.
    QCOMPARE(model->recordAt(0)->id, QStringLiteral("old"));
    QCOMPARE(model->recordAt(1)->id, QStringLiteral("due"));
    QCOMPARE(model->recordAt(3)->id, QStringLiteral("future"));
    QCOMPARE(m_screen->dueLabel()->text(), QStringLiteral("(1 due)"));
    QVERIFY(!model->recordAt(4));
    QVERIFY(!model->recordAt(-1));

    const auto foreground = [this](const QString &id, int column) {
        return indexOf(id, column).data(Qt::ForegroundRole);
    };
    QCOMPARE(foreground(QStringLiteral("due"), RecurringModel::NextDueColumn).value<QColor>(),
             ThemeManager::readableText(QColor(0, 136, 0)));
    QVERIFY(!foreground(QStringLiteral("old"), RecurringModel::NextDueColumn).isValid());
    QVERIFY(!foreground(QStringLiteral("future"), RecurringModel::NextDueColumn).isValid());
    QCOMPARE(foreground(QStringLiteral("old"), RecurringModel::StatusColumn).value<QColor>(),
             ThemeManager::readableText(QColor(Qt::gray)));
    QCOMPARE(foreground(QStringLiteral("due"), RecurringModel::AmountColumn).value<QColor>(),
             ThemeManager::negativeColor());
    QVERIFY(!foreground(QStringLiteral("pay"), RecurringModel::AmountColumn).isValid());
    QCOMPARE(indexOf(QStringLiteral("due"), RecurringModel::AccountColumn).data().toString(),
             QStringLiteral("Checking"));
    QCOMPARE(indexOf(QStringLiteral("due"), RecurringModel::AmountColumn).data().toString(),
             QStringLiteral("-$1,500.00"));

    // Payees equal but for case keep their order, and descending turns it round.
    model->sort(RecurringModel::PayeeColumn, Qt::AscendingOrder);
    QStringList ids;
    for (int row = 0; row < model->rowCount(); ++row)
        ids << model->recordAt(row)->id;
    QCOMPARE(ids, QStringList({"future", "old", "due", "pay"}));
    model->sort(RecurringModel::PayeeColumn, Qt::DescendingOrder);
    QCOMPARE(model->recordAt(2)->id, QStringLiteral("old"));
    QCOMPARE(model->recordAt(3)->id, QStringLiteral("future"));
    model->sort(-1, Qt::AscendingOrder);
    QCOMPARE(model->sortColumn(), int(RecurringModel::PayeeColumn));
}

void TestRecurringScreen::menuActsOnRecordUnderPointer_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("posted");
    QTest::addColumn<bool>("advanced");
    QTest::addColumn<bool>("deleted");

    QTest::newRow("confirm") << "&Confirm"
                             << "due" << 0 << 1 << true << false;
    QTest::newRow("skip") << "&Skip"
                          << "due" << 0 << 0 << true << false;
    QTest::newRow("enter early") << "Enter &Early..."
                                 << "future" << int(QMessageBox::Yes) << 1 << true << false;
    QTest::newRow("enter early, no") << "Enter &Early..."
                                     << "future" << int(QMessageBox::No) << 0 << false << false;
    QTest::newRow("delete") << "&Delete"
                            << "due" << int(QMessageBox::Yes) << 0 << false << true;
    QTest::newRow("delete, no") << "&Delete"
                                << "due" << int(QMessageBox::No) << 0 << false << false;
}

void TestRecurringScreen::menuActsOnRecordUnderPointer()
{
    QFETCH(QString, entry);
    QFETCH(QString, target);
    QFETCH(int, answer);
    QFETCH(int, posted);
    QFETCH(bool, advanced);
    QFETCH(bool, deleted);

    const QList<RecurringTransaction> before{addRecord(QStringLiteral("due"), QStringLiteral("Rent"), -5),
                                             addRecord(QStringLiteral("future"), QStringLiteral("Gym"), 10),
                                             addRecord(QStringLiteral("other"), QStringLiteral("Water"), -2)};
    m_screen->refresh();
    QSignalSpy posts(m_screen.get(), &RecurringScreen::transactionsChanged);
    ModalAnswerer answerer;
    if (answer)
        answerer.expectMessageBox(QMessageBox::StandardButton(answer));

    // While the menu is open the list is read again in another order and
    // another row becomes current: the entry still acts on the record clicked.
    chooseFromMenu(target, entry, [this](QMenu *) {
        m_screen->model()->sort(RecurringModel::PayeeColumn, Qt::DescendingOrder);
        m_screen->refresh();
        m_screen->table()->setCurrentIndex(indexOf(QStringLiteral("other")));
    });
    QCOMPARE(answerer.pendingHandlers(), 0);
    QVERIFY(answerer.unexpected().isEmpty());

    for (const RecurringTransaction &r : before) {
        const RecurringTransaction now = *m_test->app()->recurring()->findById(r.id);
        const bool isTarget = r.id == target;
        QCOMPARE(now.nextDueDate != r.nextDueDate, isTarget && advanced);
        QCOMPARE(now.deletedAt.has_value(), isTarget && deleted);
        const QList<Transaction> rows = m_test->app()->transactions()->findByAccount(m_checking.id);
        const qsizetype mine = std::count_if(rows.begin(), rows.end(),
                                             [&r](const Transaction &t) { return t.recurringId == r.id; });
        QCOMPARE(int(mine), isTarget ? posted : 0);
        if (isTarget && posted)
            QCOMPARE(rows.constFirst().date, r.nextDueDate);
    }
    QCOMPARE(posts.count(), posted);
}

void TestRecurringScreen::menuEntriesFollowDueState()
{
    addRecord(QStringLiteral("due"), QStringLiteral("Rent"), 0);
    addRecord(QStringLiteral("future"), QStringLiteral("Gym"), 1);
    addRecord(QStringLiteral("old"), QStringLiteral("Club"), -3, false);
    m_screen->refresh();

    const QStringList entries{"&Edit", "&Confirm", "&Skip", "Enter &Early...", "&Delete"};
    const auto enabledIn = [this, &entries](const QString &id) {
        QStringList enabled;
        chooseFromMenu(id, QString(), [&](QMenu *menu) {
            for (QAction *action : menu->actions()) {
                if (action->isEnabled() && entries.contains(action->text()))
                    enabled << action->text();
            }
        });
        return enabled;
    };
    QCOMPARE(enabledIn(QStringLiteral("due")), QStringList({"&Edit", "&Confirm", "&Skip", "&Delete"}));
    QCOMPARE(enabledIn(QStringLiteral("future")), QStringList({"&Edit", "Enter &Early...", "&Delete"}));
    QCOMPARE(enabledIn(QStringLiteral("old")), QStringList({"&Edit", "&Delete"}));
}

void TestRecurringScreen::confirmAllDuePostsOnlyDue()
{
    auto *button = m_screen->findChild<QPushButton *>(QStringLiteral("confirmAllDueButton"));
    QSignalSpy posts(m_screen.get(), &RecurringScreen::transactionsChanged);
    addRecord(QStringLiteral("future"), QStringLiteral("Gym"), 2);
    m_screen->refresh();
    button->click();
    QCOMPARE(posts.count(), 0);

    addRecord(QStringLiteral("due"), QStringLiteral("Rent"), -40);
    addRecord(QStringLiteral("today"), QStringLiteral("Water"), 0);
    addRecord(QStringLiteral("off"), QStringLiteral("Club"), -3, false);
    m_screen->refresh();
    QCOMPARE(m_screen->dueLabel()->text(), QStringLiteral("(2 due)"));
    button->click();
    QCOMPARE(posts.count(), 1);
    // One occurrence each, even for the record that is more than a month behind.
    QCOMPARE(m_test->app()->transactions()->findByAccount(m_checking.id).size(), 2);
    QCOMPARE(m_screen->dueLabel()->text(), QStringLiteral("(1 due)"));
}

void TestRecurringScreen::newRecordWithoutAccountIsNotStored()
{
    ModalAnswerer answerer;
    const auto fill = [](RecurringFormDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("payeeEdit"))->setText(QStringLiteral("Rent"));
    };
    answerer.expectDialog<RecurringFormDialog>(fill);
    m_screen->showNewForm();
    QCOMPARE(m_screen->model()->rowCount(), 1);
    QCOMPARE(m_screen->model()->recordAt(0)->accountId, m_checking.id);

    // Without any account, OK is refused with the account marked and a reason.
    m_screen.reset();
    m_test.reset();
    m_test = std::make_unique<TestApp>();
    m_screen = std::make_unique<RecurringScreen>(m_test->app());
    answerer.expectDialog<RecurringFormDialog>([&](RecurringFormDialog *dialog) {
        fill(dialog);
        dialog->accept();
        QVERIFY(dialog->isVisible() && !dialog->findChild<QLabel *>(QStringLiteral("errorLabel"))->isHidden());
        QVERIFY(!dialog->findChild<QComboBox *>(QStringLiteral("accountCombo"))->styleSheet().isEmpty());
    }, false);
    m_screen->showNewForm();
    QCOMPARE(answerer.pendingHandlers(), 0);
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT COUNT(*) FROM recurring_transactions")).toInt(), 0);
}

QTEST_MAIN(TestRecurringScreen)
#include "TestRecurringScreen.moc"
