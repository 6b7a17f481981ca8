#include "AccountRepository.h"
#include "SplitLineRepository.h"
#include "TestDatabase.h"
#include "TransactionRepository.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>

// The hot queries must be answered from an index, not by scanning or sorting
// the whole transactions table.
class TestQueryPlans : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void usesIndex_data();
    void usesIndex();

private:
    std::unique_ptr<TestDatabase> m_db;
};

namespace {

QString planOf(const QString &sql, const QVariantList &values)
{
    QSqlQuery query;
    if (!query.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + sql))
        return QStringLiteral("<prepare failed>");
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        return QStringLiteral("<exec failed>");
    QStringList details;
    while (query.next())
        details.append(query.value(3).toString());
    return details.join(QLatin1Char('\n'));
}

} // namespace

void TestQueryPlans::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
}

void TestQueryPlans::cleanup()
{
    m_db.reset();
}

void TestQueryPlans::usesIndex_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("parameters");
    QTest::addColumn<QString>("expected");

    QTest::newRow("register rows") << TransactionRepository::registerRowsSql() << 2
                                   << "SEARCH t USING INDEX idx_transactions_account (account_id=?)";
    for (const char *mode : {"current", "cleared", "asOfToday"}) {
        QTest::addRow("kept sums of one account, %s", mode)
            << AccountRepository::balanceSql(QLatin1String(mode)) << (qstrcmp(mode, "asOfToday") == 0 ? 2 : 1)
            << "SEARCH s USING PRIMARY KEY (account_id=?)";
    }
    QTest::newRow("rows dated after today")
        << AccountRepository::balanceSql(QStringLiteral("asOfToday")) << 2
        << "SEARCH t USING COVERING INDEX idx_transactions_account (account_id=? AND date>?)";
    QTest::newRow("split lines of a transaction")
        << SplitLineRepository::findByTransactionSql() << 1
        << "SEARCH split_lines USING INDEX idx_split_lines_transaction (transaction_id=?)";
    QTest::newRow("all payees") << TransactionRepository::allPayeesSql() << 0
                                << "SCAN transactions USING COVERING INDEX idx_transactions_payee";
    const QStringList tables{"accounts", "categories", "recurring_transactions", "transactions",
                             "reconciliations"};
    const QStringList indexes{"idx_accounts_server_id", "idx_categories_server_id", "idx_recurring_server_id",
                              "idx_transactions_server_id", "idx_reconciliations_server_id"};
    for (int i = 0; i < tables.size(); ++i) {
        QTest::addRow("server id of %s", qPrintable(tables[i]))
            << QStringLiteral("SELECT id FROM %1 WHERE server_id = ?").arg(tables[i]) << 1
            << QStringLiteral("SEARCH %1 USING INDEX %2 (server_id=?)").arg(tables[i], indexes[i]);
    }
    QTest::newRow("pending transactions")
        << "SELECT id FROM transactions t WHERE t.sync_status = 'pending'" << 0
        << "SCAN t USING INDEX idx_transactions_pending";
}

void TestQueryPlans::usesIndex()
{
    QFETCH(QString, sql);
    QFETCH(int, parameters);
    QFETCH(QString, expected);

    QVariantList values;
    for (int i = 0; i < parameters; ++i)
        values.append(QStringLiteral("x"));
    const QString plan = planOf(sql, values);
    QVERIFY2(plan.contains(expected), qPrintable(plan));
    // Sorting the few rows that share a date and a creation time is allowed;
    // sorting all of them is not.
    QVERIFY2(!plan.contains(QRegularExpression(QStringLiteral("TEMP B-TREE FOR (ORDER|GROUP|DISTINCT)"))),
             qPrintable(plan));
}

QTEST_GUILESS_MAIN(TestQueryPlans)
#include "TestQueryPlans.moc"
