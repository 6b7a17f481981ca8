#include "AccountRepository.h"
#include "ModalAnswerer.h"
#include "SplitLineRepository.h"
#include "TestApp.h"
#include "TransactionActions.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"
#include "TestDatabase.h"

#include <QtTest>

// A transfer is two rows, one per account, each naming the other. Every write
// through the register's paths must leave both legs in step.
class TestTransfers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void createWritesBothLegs();
    void editMirrorsIntoOtherLeg();
    void editFromTheOtherSide();
    void moveToAnotherAccount();
    void ordinaryTransactionBecomesTransfer_data();
    void ordinaryTransactionBecomesTransfer();
    void transferBecomesOrdinary();
    void deleteRemovesBothLegs();
    void refusedTargets_data();
    void refusedTargets();
    void failedLegInsertKeepsNothing();
    void reconciledOtherLegAsksFirst_data();
    void reconciledOtherLegAsksFirst();
    void legNotOnDeviceIsNotRecreated();

private:
    Transaction makeTransfer(qint64 amount);
    void verifyLinked(const Transaction &a, const Transaction &b);

    std::unique_ptr<TestApp> m_test;
    Account m_checking;
    Account m_savings;
    Account m_card;
};

void TestTransfers::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_checking = m_test->addAccount(QStringLiteral("Checking"), 100000);
    m_savings = m_test->addAccount(QStringLiteral("Savings"));
    m_card = m_test->addAccount(QStringLiteral("Card"));
    QVERIFY(!m_card.id.isEmpty());
}

void TestTransfers::cleanup()
{
    m_test.reset();
}

Transaction TestTransfers::makeTransfer(qint64 amount)
{
    Transaction t;
    t.accountId = m_checking.id;
    t.date = QDate(2025, 4, 1);
    t.payee = QStringLiteral("Move to savings");
    t.memo = QStringLiteral("April");
    t.amount = amount;
    t.checkNumber = QStringLiteral("1001");
    t.transferDestAccountId = m_savings.id;
    t = TransactionWriter::prepareNew(t);
    return t;
}

void TestTransfers::verifyLinked(const Transaction &a, const Transaction &b)
{
    QCOMPARE(a.transferLinkId, b.id);
    QCOMPARE(b.transferLinkId, a.id);
    QCOMPARE(a.transferDestAccountId, b.accountId);
    QCOMPARE(b.transferDestAccountId, a.accountId);
    QCOMPARE(b.amount, -a.amount);
    QCOMPARE(b.date, a.date);
    QCOMPARE(b.payee, a.payee);
    QCOMPARE(b.memo, a.memo);
    QVERIFY(!a.deletedAt);
    QVERIFY(!b.deletedAt);
}

void TestTransfers::createWritesBothLegs()
{
    const Transaction t = makeTransfer(-25000);
    QVERIFY(m_test->app()->transactionWriter()->insert(t));

    const auto source = m_test->app()->transactions()->findById(t.id);
    QVERIFY(source);
    const auto leg = m_test->app()->transactions()->findById(source->transferLinkId);
    QVERIFY(leg);
    verifyLinked(*source, *leg);
    QCOMPARE(leg->accountId, m_savings.id);
    QCOMPARE(leg->amount, qint64(25000));
    QVERIFY(leg->categoryId.isEmpty());
    QCOMPARE(leg->syncStatus, SyncStatus::Pending);
    // The receiving leg was written first: its rowid is the lower one.
    const qlonglong sourceRow =
        TestDatabase::scalar("SELECT rowid FROM transactions WHERE id = ?", {t.id}).toLongLong();
    const qlonglong legRow =
        TestDatabase::scalar("SELECT rowid FROM transactions WHERE id = ?", {leg->id}).toLongLong();
    QVERIFY(legRow < sourceRow);

    const QHash<QString, qint64> balances = m_test->app()->accounts()->balances(QStringLiteral("current"));
    QCOMPARE(balances.value(m_checking.id), qint64(75000));
    QCOMPARE(balances.value(m_savings.id), qint64(25000));
}

void TestTransfers::editMirrorsIntoOtherLeg()
{
    const Transaction t = makeTransfer(-25000);
    QVERIFY(m_test->app()->transactionWriter()->insert(t));
    const Transaction before = *m_test->app()->transactions()->findById(t.id);
    Transaction after = before;
    after.amount = -40000;
    after.date = QDate(2025, 4, 3);
    after.payee = QStringLiteral("Savings top-up");
    after.memo = QStringLiteral("bonus");
    QVERIFY(m_test->app()->transactionWriter()->update(before, after));

    const auto source = m_test->app()->transactions()->findById(t.id);
    const auto leg = m_test->app()->transactions()->findById(source->transferLinkId);
    QVERIFY(leg);
    QCOMPARE(leg->id, before.transferLinkId);
    verifyLinked(*source, *leg);
    QCOMPARE(leg->amount, qint64(40000));
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions WHERE deleted_at IS NULL").toInt(), 2);
}

void TestTransfers::editFromTheOtherSide()
{
    const Transaction t = makeTransfer(-25000);
    QVERIFY(m_test->app()->transactionWriter()->insert(t));
    const Transaction source = *m_test->app()->transactions()->findById(t.id);
    const Transaction leg = *m_test->app()->transactions()->findById(source.transferLinkId);
    Transaction edited = leg;
    edited.amount = 30000;
    QVERIFY(m_test->app()->transactionWriter()->update(leg, edited));
    const auto newSource = m_test->app()->transactions()->findById(t.id);
    const auto newLeg = m_test->app()->transactions()->findById(leg.id);
    verifyLinked(*newLeg, *newSource);
    QCOMPARE(newSource->amount, qint64(-30000));
}

void TestTransfers::moveToAnotherAccount()
{
    const Transaction t = makeTransfer(-25000);
    QVERIFY(m_test->app()->transactionWriter()->insert(t));
    const Transaction before = *m_test->app()->transactions()->findById(t.id);
    Transaction after = before;
    after.transferDestAccountId = m_card.id;
    QVERIFY(m_test->app()->transactionWriter()->update(before, after));

    const auto oldLeg = m_test->app()->transactions()->findById(before.transferLinkId);
    QVERIFY(oldLeg);
    QVERIFY(oldLeg->deletedAt.has_value());
    const auto source = m_test->app()->transactions()->findById(t.id);
    const auto newLeg = m_test->app()->transactions()->findById(source->transferLinkId);
    QVERIFY(newLeg);
    QCOMPARE(newLeg->accountId, m_card.id);
    verifyLinked(*source, *newLeg);
    QVERIFY(m_test->app()->transactions()->findByAccount(m_savings.id).isEmpty());
}

void TestTransfers::ordinaryTransactionBecomesTransfer_data()
{
    QTest::addColumn<bool>("split");
    QTest::newRow("plain") << false;
    // A transfer is never split: its lines must not stay behind and travel with it.
    QTest::newRow("split") << true;
}

void TestTransfers::ordinaryTransactionBecomesTransfer()
{
    QFETCH(bool, split);
    Transaction plain = TransactionWriter::prepareNew(Transaction());
    plain.accountId = m_checking.id;
    plain.date = QDate(2025, 5, 1);
    plain.payee = QStringLiteral("Cash");
    plain.amount = -5000;
    QList<SplitLine> lines;
    if (split) {
        for (qint64 amount : {-3000, -2000}) {
            SplitLine line;
            line.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
            line.amount = amount;
            lines.append(line);
        }
    }
    QVERIFY(m_test->app()->transactionWriter()->insert(plain, lines));
    const Transaction before = *m_test->app()->transactions()->findById(plain.id);
    QCOMPARE(before.isSplit, split);
    QCOMPARE(m_test->app()->splitLines()->findByTransaction(plain.id).size(), lines.size());

    Transaction after = before;
    after.transferDestAccountId = m_savings.id;
    QVERIFY(m_test->app()->transactionWriter()->update(before, after));
    const auto source = m_test->app()->transactions()->findById(plain.id);
    const auto leg = m_test->app()->transactions()->findById(source->transferLinkId);
    QVERIFY(leg);
    verifyLinked(*source, *leg);
    QVERIFY(!source->isSplit);
    QVERIFY(m_test->app()->splitLines()->findByTransaction(plain.id).isEmpty());
}

void TestTransfers::transferBecomesOrdinary()
{
    const Transaction t = makeTransfer(-25000);
    QVERIFY(m_test->app()->transactionWriter()->insert(t));
    const Transaction before = *m_test->app()->transactions()->findById(t.id);
    Transaction after = before;
    after.transferDestAccountId.clear();
    QVERIFY(m_test->app()->transactionWriter()->update(before, after));
    const auto source = m_test->app()->transactions()->findById(t.id);
    QVERIFY(source->transferLinkId.isEmpty());
    QVERIFY(source->transferDestAccountId.isEmpty());
    QVERIFY(m_test->app()->transactions()->findById(before.transferLinkId)->deletedAt.has_value());
}

void TestTransfers::deleteRemovesBothLegs()
{
    const Transaction t = makeTransfer(-25000);
    QVERIFY(m_test->app()->transactionWriter()->insert(t));
    const Transaction source = *m_test->app()->transactions()->findById(t.id);

    // Through the user's command: the question names both legs.
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Yes);
    QVERIFY(TransactionActions::confirmDelete(m_test->app(), source, nullptr));
    QCOMPARE(answerer.messages().size(), 1);
    QVERIFY(answerer.messages().constFirst().contains(QStringLiteral("Savings")));
    QVERIFY(answerer.unexpected().isEmpty());

    QVERIFY(m_test->app()->transactions()->findById(source.id)->deletedAt.has_value());
    QVERIFY(m_test->app()->transactions()->findById(source.transferLinkId)->deletedAt.has_value());
    const QHash<QString, qint64> balances = m_test->app()->accounts()->balances(QStringLiteral("current"));
    QCOMPARE(balances.value(m_checking.id), qint64(100000));
    QCOMPARE(balances.value(m_savings.id), qint64(0));
}

void TestTransfers::refusedTargets_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("same account") << "self";
    QTest::newRow("missing account") << "missing";
    QTest::newRow("deleted account") << "deleted";
    QTest::newRow("other currency") << "yen";
}

void TestTransfers::refusedTargets()
{
    QFETCH(QString, target);
    Transaction t = makeTransfer(-100);
    if (target == QLatin1String("self")) {
        t.transferDestAccountId = m_checking.id;
    } else if (target == QLatin1String("missing")) {
        t.transferDestAccountId = QStringLiteral("no-such-account");
    } else if (target == QLatin1String("deleted")) {
        QVERIFY(m_test->app()->accounts()->softDelete(m_card.id));
        t.transferDestAccountId = m_card.id;
    } else {
        t.transferDestAccountId = m_test->addAccount(QStringLiteral("Yen"), 0, Currency::JPY).id;
    }
    QVERIFY(!m_test->app()->transactionWriter()->insert(t));
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions").toInt(), 0);
}

void TestTransfers::failedLegInsertKeepsNothing()
{
    // The second insert of the pair fails: the first must not stay behind.
    QVERIFY(TestDatabase::exec("CREATE TRIGGER refuse_checking BEFORE INSERT ON transactions "
                               "WHEN NEW.account_id = '" +
                               m_checking.id + "' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    QVERIFY(!m_test->app()->transactionWriter()->insert(makeTransfer(-100)));
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions").toInt(), 0);
}

void TestTransfers::reconciledOtherLegAsksFirst_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("saved");

    QTest::newRow("amount, no") << "amount" << false << true << false;
    QTest::newRow("amount, yes") << "amount" << true << true << true;
    QTest::newRow("date, no") << "date" << false << true << false;
    QTest::newRow("other account, no") << "account" << false << true << false;
    QTest::newRow("made ordinary, no") << "ordinary" << false << true << false;
    QTest::newRow("own memo only") << "checkNumber" << false << false << true;
}

void TestTransfers::reconciledOtherLegAsksFirst()
{
    QFETCH(QString, change);
    QFETCH(bool, answerYes);
    QFETCH(bool, asked);
    QFETCH(bool, saved);

    AppState *app = m_test->app();
    const Transaction t = makeTransfer(-25000);
    QVERIFY(app->transactionWriter()->insert(t));
    const Transaction before = *app->transactions()->findById(t.id);
    TestDatabase::exec("UPDATE transactions SET reconciled = 1, cleared = 1 WHERE id = ?", {before.transferLinkId});

    Transaction after = before;
    if (change == QLatin1String("amount"))
        after.amount = -30000;
    else if (change == QLatin1String("date"))
        after.date = before.date.addDays(1);
    else if (change == QLatin1String("account"))
        after.transferDestAccountId = m_card.id;
    else if (change == QLatin1String("ordinary"))
        after.transferDestAccountId.clear();
    else
        after.checkNumber = QStringLiteral("2002");

    ModalAnswerer answerer;
    answerer.expectMessageBox(answerYes ? QMessageBox::Yes : QMessageBox::No);
    const bool go = TransactionActions::confirmReconciledLegChange(app, before, after, nullptr);
    QCOMPARE(answerer.pendingHandlers(), asked ? 0 : 1);
    if (asked)
        QVERIFY(answerer.messages().constFirst().contains(m_savings.name));
    QCOMPARE(go, saved);
    if (go)
        QVERIFY(app->transactionWriter()->update(before, after));

    const auto leg = app->transactions()->findById(before.transferLinkId);
    QVERIFY(leg);
    QVERIFY(leg->reconciled);
    const bool legChanged = leg->amount != 25000 || leg->date != before.date || leg->deletedAt;
    QCOMPARE(legChanged, saved && asked);
}

void TestTransfers::legNotOnDeviceIsNotRecreated()
{
    AppState *app = m_test->app();
    // This device pulled one leg; the other is still on the server.
    Transaction t = makeTransfer(-5000);
    t.transferLinkId = QStringLiteral("not-pulled-yet");
    QVERIFY(app->transactions()->insert(t));

    Transaction after = t;
    after.amount = -6000;
    after.memo = QStringLiteral("corrected");
    QVERIFY(app->transactionWriter()->update(t, after));

    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions").toInt(), 1);
    const auto saved = app->transactions()->findById(t.id);
    QCOMPARE(saved->amount, qint64(-6000));
    QCOMPARE(saved->transferLinkId, QStringLiteral("not-pulled-yet"));
    QCOMPARE(saved->transferDestAccountId, m_savings.id);
}

QTEST_MAIN(TestTransfers)
#include "TestTransfers.moc"
