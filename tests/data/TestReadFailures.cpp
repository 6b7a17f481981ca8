#include "AccountRepository.h"
#include "ReadFailureWatch.h"
#include "SqlStatement.h"
#include "TestDatabase.h"
#include "TestRecords.h"
#include "TransactionRepository.h"

#include <QTest>

using namespace TestRecords;

// A read that fails is told apart from one that finds nothing, also when it
// fails part-way through its rows, and one account whose rows cannot be
// totalled does not take the other accounts' balances with it.
class TestReadFailures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void failedReadIsToldFromEmpty_data();
    void failedReadIsToldFromEmpty();
    void balancesLeaveOutOnlyTheFailingAccount_data();
    void balancesLeaveOutOnlyTheFailingAccount();
    void registerThatCannotBeTotalledFails();

private:
    // Two transactions whose sum no 64-bit total holds, written as an old or
    // foreign file might hold them.
    void addOverflowingAccount(const QString &id);

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<TransactionRepository> m_transactions;
};

void TestReadFailures::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_accounts = std::make_unique<AccountRepository>(m_db->database());
    m_transactions = std::make_unique<TransactionRepository>(m_db->database());
}

void TestReadFailures::cleanup()
{
    m_transactions.reset();
    m_accounts.reset();
    m_db.reset();
}

void TestReadFailures::addOverflowingAccount(const QString &id)
{
    QVERIFY(m_accounts->insert(account(id, QStringLiteral("Broken"))));
    for (const QString &tx : {QStringLiteral("big-1"), QStringLiteral("big-2")}) {
        QVERIFY(TestDatabase::exec(
            QStringLiteral("INSERT INTO transactions (id, account_id, date, amount, cleared) "
                           "VALUES (?, ?, '2024-01-05', 5000000000000000000, 1)"),
            {tx, id}));
    }
}

void TestReadFailures::failedReadIsToldFromEmpty_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("firstRowFails");

    // Five rows; the one numbered `bad` cannot be computed (abs of the lowest integer).
    const QString counted =
        QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 5) "
                       "SELECT abs(CASE WHEN x = %1 THEN -9223372036854775807 - 1 ELSE x END) FROM n");
    QTest::newRow("all rows") << counted.arg(0) << false << 5 << false;
    QTest::newRow("nothing found") << QStringLiteral("SELECT id FROM accounts WHERE 0") << false << 0
                                   << false;
    QTest::newRow("no such table") << QStringLiteral("SELECT id FROM no_such_table") << true << 0 << true;
    QTest::newRow("fails at the first row") << counted.arg(1) << true << 0 << true;
    // Two good rows first: they must not pass for the whole answer.
    QTest::newRow("fails part-way") << counted.arg(3) << true << 0 << false;
}

void TestReadFailures::failedReadIsToldFromEmpty()
{
    QFETCH(QString, sql);
    QFETCH(bool, failed);
    QFETCH(int, rows);
    QFETCH(bool, firstRowFails);

    const ReadFailureWatch watch;
    const QList<qint64> values = SqlStatement::readAll(
        m_db->database()->database(), sql, {}, [](const QSqlQuery &q) { return q.value(0).toLongLong(); });
    QCOMPARE(values.size(), rows);
    QCOMPARE(watch.failed(), failed);

    const ReadFailureWatch single;
    const std::optional<qint64> first = SqlStatement::readOne(
        m_db->database()->database(), sql, {}, [](const QSqlQuery &q) { return q.value(0).toLongLong(); });
    // A single-row read stops before a later row could fail.
    QCOMPARE(first.has_value(), !firstRowFails && sql.contains(QLatin1String("abs(")));
    QCOMPARE(single.failed(), firstRowFails);
}

void TestReadFailures::balancesLeaveOutOnlyTheFailingAccount_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("current") << QStringLiteral("current");
    QTest::newRow("cleared") << QStringLiteral("cleared");
    QTest::newRow("as of today") << QStringLiteral("asOfToday");
}

void TestReadFailures::balancesLeaveOutOnlyTheFailingAccount()
{
    QFETCH(QString, mode);
    QVERIFY(m_accounts->insert(account(QStringLiteral("a"), QStringLiteral("Cash"), 10000)));
    QVERIFY(m_accounts->insert(account(QStringLiteral("b"), QStringLiteral("Savings"), 5000)));
    Transaction rent = transaction(QStringLiteral("t1"), QStringLiteral("b"), QDate(2024, 1, 2), -2000);
    rent.cleared = true;
    QVERIFY(m_transactions->insert(rent));
    addOverflowingAccount(QStringLiteral("c"));

    const ReadFailureWatch watch;
    const QHash<QString, qint64> balances = m_accounts->balances(mode);
    QVERIFY(watch.failed());
    QCOMPARE(balances.value(QStringLiteral("a"), -1), 10000);
    QCOMPARE(balances.value(QStringLiteral("b"), -1), 3000);
    // Its starting balance alone would be a wrong figure presented as the truth.
    QVERIFY(!balances.contains(QStringLiteral("c")));
}

void TestReadFailures::registerThatCannotBeTotalledFails()
{
    QVERIFY(m_accounts->insert(account(QStringLiteral("a"), QStringLiteral("Cash"), 10000)));
    QVERIFY(m_transactions->insert(
        transaction(QStringLiteral("t1"), QStringLiteral("a"), QDate(2024, 1, 2), -2500)));
    addOverflowingAccount(QStringLiteral("c"));

    const ReadFailureWatch broken;
    QVERIFY(m_transactions->registerRows(QStringLiteral("c")).isEmpty());
    QVERIFY(broken.failed());

    const ReadFailureWatch sound;
    const QList<RegisterRow> rows = m_transactions->registerRows(QStringLiteral("a"));
    QVERIFY(!sound.failed());
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().balance, 7500);
}

QTEST_GUILESS_MAIN(TestReadFailures)
#include "TestReadFailures.moc"
