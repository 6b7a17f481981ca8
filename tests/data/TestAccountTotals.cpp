#include "AccountRepository.h"
#include "MigrationRunner.h"
#include "ReadFailureWatch.h"
#include "TestDatabase.h"
#include "TestRecords.h"
#include "TransactionRepository.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

using namespace TestRecords;

// Balances are read from sums the database keeps per account. After any
// sequence of writes they must equal the balances summed from the rows, in
// every mode, and a file that had rows before the sums existed starts right.
class TestAccountTotals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void keptSumsEqualSummedRows_data();
    void keptSumsEqualSummedRows();
    void existingRowsAreCountedWhenSumsAreAdded();
    void balancePastSixtyFourBitsIsNoFigure();
    void sumBackInRangeIsExact();

private:
    void compareWithSummedRows(const QString &step);

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<TransactionRepository> m_transactions;
};

namespace {

const QStringList Accounts{QStringLiteral("checking"), QStringLiteral("savings"), QStringLiteral("card")};
const QStringList Modes{QStringLiteral("current"), QStringLiteral("cleared"), QStringLiteral("asOfToday")};

qint64 summedFromRows(const QString &accountId, const QString &mode)
{
    QString condition;
    if (mode == QLatin1String("cleared"))
        condition = QStringLiteral(" AND (cleared = 1 OR reconciled = 1)");
    else if (mode == QLatin1String("asOfToday"))
        condition = QStringLiteral(" AND date <= '%1'").arg(QDate::currentDate().toString(Qt::ISODate));
    return TestDatabase::scalar(
               QStringLiteral("SELECT a.starting_balance + (SELECT COALESCE(SUM(amount), 0) FROM transactions "
                              "WHERE account_id = a.id AND deleted_at IS NULL%1) FROM accounts a WHERE a.id = ?")
                   .arg(condition),
               {accountId})
        .toLongLong();
}

} // namespace

void TestAccountTotals::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_accounts = std::make_unique<AccountRepository>(m_db->database());
    m_transactions = std::make_unique<TransactionRepository>(m_db->database());
    for (int i = 0; i < Accounts.size(); ++i)
        QVERIFY(m_accounts->insert(account(Accounts[i], Accounts[i], 1000 * (i + 1))));
}

void TestAccountTotals::cleanup()
{
    m_transactions.reset();
    m_accounts.reset();
    m_db.reset();
}

void TestAccountTotals::compareWithSummedRows(const QString &step)
{
    for (const QString &mode : Modes) {
        const QHash<QString, qint64> all = m_accounts->balances(mode);
        for (const QString &id : Accounts) {
            const qint64 expected = summedFromRows(id, mode);
            QVERIFY2(m_accounts->balance(id, mode) == expected,
                     qPrintable(QStringLiteral("%1: %2 %3").arg(step, id, mode)));
            QVERIFY2(all.value(id, -1) == expected, qPrintable(QStringLiteral("%1: all, %2 %3").arg(step, id, mode)));
        }
    }
}

void TestAccountTotals::keptSumsEqualSummedRows_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::newRow("first sequence") << 7u;
    QTest::newRow("second sequence") << 20261207u;
}

void TestAccountTotals::keptSumsEqualSummedRows()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const QDate today = QDate::currentDate();
    QStringList ids;
    auto pick = [&] { return ids.at(random.bounded(int(ids.size()))); };
    for (int step = 0; step < 300; ++step) {
        const int action = ids.size() < 5 ? 0 : random.bounded(9);
        QString what;
        if (action == 0) {
            Transaction t = transaction(QStringLiteral("t%1").arg(step), Accounts.at(random.bounded(3)),
                                        today.addDays(random.bounded(-40, 10)), random.bounded(-50000, 50000));
            t.cleared = random.bounded(2) == 1;
            QVERIFY(m_transactions->insert(t));
            ids.append(t.id);
            what = QStringLiteral("insert");
        } else if (action <= 6) {
            std::optional<Transaction> t = m_transactions->findById(pick());
            QVERIFY(t);
            switch (action) {
            case 1: t->amount = random.bounded(-50000, 50000); break;
            case 2: t->cleared = !t->cleared; break;
            case 3: t->reconciled = !t->reconciled; break;
            case 4: t->accountId = Accounts.at(random.bounded(3)); break;
            case 5: t->date = today.addDays(random.bounded(-3, 4)); break;
            default: t->payee = QStringLiteral("renamed"); break;
            }
            QVERIFY(m_transactions->update(*t));
            what = QStringLiteral("update %1").arg(action);
        } else if (action == 7) {
            QVERIFY(m_transactions->softDelete(pick()));
            what = QStringLiteral("soft delete");
        } else {
            // Sync and restore write rows with plain statements, brought back or removed for good.
            const QString id = pick();
            if (random.bounded(2) == 0) {
                QVERIFY(TestDatabase::exec(QStringLiteral("UPDATE transactions SET deleted_at = NULL WHERE id = ?"),
                                           {id}));
                what = QStringLiteral("undelete");
            } else {
                QVERIFY(TestDatabase::exec(QStringLiteral("DELETE FROM transactions WHERE id = ?"), {id}));
                ids.removeOne(id);
                what = QStringLiteral("delete row");
            }
        }
        compareWithSummedRows(QStringLiteral("step %1, %2").arg(step).arg(what));
        if (QTest::currentTestFailed())
            return;
    }
}

void TestAccountTotals::existingRowsAreCountedWhenSumsAreAdded()
{
    cleanup();
    TestDatabase fixture(false);
    QVERIFY(fixture.isValid());
    // The file as it was before the script that adds the sums, wherever that
    // script stands; its rows are written with the columns they had then.
    QList<MigrationRunner::Script> before = MigrationRunner::builtInScripts();
    const auto sums = std::find_if(before.begin(), before.end(), [](const MigrationRunner::Script &script) {
        return script.sql.contains(QLatin1String("CREATE TABLE account_totals"));
    });
    QVERIFY(sums != before.end());
    before.erase(sums, before.end());
    MigrationRunner runner(fixture.database());
    QVERIFY(runner.migrate(before));
    QVERIFY(TestDatabase::exec(QStringLiteral(
        "INSERT INTO accounts (id, name, starting_balance) VALUES ('a', 'Cash', 500), ('big', 'Big', 0)")));
    // An account whose rows add up past 64 bits must not stop the file from opening.
    QVERIFY(TestDatabase::exec(QStringLiteral(
        "INSERT INTO transactions (id, account_id, date, amount, reconciled, deleted_at) VALUES "
        "('t1', 'a', '2024-01-02', -200, 1, NULL), ('t2', 'a', '2024-01-03', 75, 0, NULL), "
        "('t3', 'a', '2024-01-04', 1000, 0, '2024-01-05T00:00:00Z'), "
        "('b1', 'big', '2024-01-05', 5000000000000000000, 0, NULL), "
        "('b2', 'big', '2024-01-05', 5000000000000000000, 0, NULL)")));

    QVERIFY(runner.migrate(MigrationRunner::builtInScripts()));
    AccountRepository accounts(fixture.database());
    QCOMPARE(accounts.balance(QStringLiteral("a"), QStringLiteral("current")), 375);
    QCOMPARE(accounts.balance(QStringLiteral("a"), QStringLiteral("cleared")), 300);
    const ReadFailureWatch watch;
    QVERIFY(!accounts.balance(QStringLiteral("big"), QStringLiteral("current")));
    QVERIFY(watch.failed());
}

void TestAccountTotals::balancePastSixtyFourBitsIsNoFigure()
{
    // Each sum fits; the starting balance added to it does not, which SQLite
    // answers in floating point rather than with an error.
    QVERIFY(m_accounts->insert(account(QStringLiteral("rich"), QStringLiteral("Rich"), 9000000000000000000)));
    Transaction big = transaction(QStringLiteral("big"), QStringLiteral("rich"), QDate(2024, 1, 2),
                                  1000000000000000000);
    big.cleared = true;
    QVERIFY(m_transactions->insert(big));
    for (const QString &mode : Modes) {
        const ReadFailureWatch watch;
        QVERIFY(!m_accounts->balance(QStringLiteral("rich"), mode));
        const QHash<QString, qint64> all = m_accounts->balances(mode);
        QVERIFY(watch.failed());
        QVERIFY(!all.contains(QStringLiteral("rich")));
        QCOMPARE(all.value(QStringLiteral("checking"), -1), 1000);
    }
}

void TestAccountTotals::sumBackInRangeIsExact()
{
    // Past 64 bits the kept sum is floating point and loses the small
    // amounts; once the rows fit again, the balance is still to the cent.
    for (const char *id : {"b1", "b2"})
        QVERIFY(m_transactions->insert(
            transaction(QLatin1String(id), QStringLiteral("card"), QDate(2024, 1, 5), 5000000000000000000)));
    QVERIFY(m_transactions->insert(transaction(QStringLiteral("small"), QStringLiteral("card"), QDate(2024, 1, 6), 7)));
    QVERIFY(!m_accounts->balance(QStringLiteral("card"), QStringLiteral("current")));
    QVERIFY(TestDatabase::exec(QStringLiteral("DELETE FROM transactions WHERE id = 'b2'")));
    QCOMPARE(m_accounts->balance(QStringLiteral("card"), QStringLiteral("current")), 3000 + 5000000000000000007);
}

QTEST_GUILESS_MAIN(TestAccountTotals)
#include "TestAccountTotals.moc"
