#include "PayeeService.h"
#include "TestDatabase.h"

#include <QDateTime>
#include <QTest>
#include <memory>

class TestPayeeService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void rewritesMatchingLiveRows_data();
    void rewritesMatchingLiveRows();
    void failingStatementKeepsEverything();

private:
    static bool addRow(const QString &id, const QString &payee, bool deleted = false);
    static QString payeeOf(const QString &id);

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<PayeeService> m_service;
};

void TestPayeeService::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_service = std::make_unique<PayeeService>(m_db->database());
    QVERIFY(TestDatabase::exec("INSERT INTO accounts (id, name, created_at, updated_at) VALUES "
                               "('a1', 'Checking', '2024-01-01T00:00:00Z', '2024-01-01T00:00:00Z')"));
    QVERIFY(addRow("t1", "Acme"));
    QVERIFY(addRow("t2", "acme"));
    QVERIFY(addRow("t3", "Acme", true));
    QVERIFY(addRow("t4", "Bolt"));
    QVERIFY(addRow("t5", "Acme Corp"));
}

void TestPayeeService::cleanup()
{
    m_service.reset();
    m_db.reset();
}

bool TestPayeeService::addRow(const QString &id, const QString &payee, bool deleted)
{
    return TestDatabase::exec(
        "INSERT INTO transactions (id, account_id, date, payee, amount, sync_status, "
        "created_at, updated_at, deleted_at) VALUES (?, 'a1', '2024-02-01', ?, -100, "
        "'synced', '2024-01-01T00:00:00Z', '2024-01-01T00:00:00Z', ?)",
        {id, payee, deleted ? QVariant(QStringLiteral("2024-01-05T00:00:00Z")) : QVariant()});
}

QString TestPayeeService::payeeOf(const QString &id)
{
    return TestDatabase::scalar("SELECT payee FROM transactions WHERE id = ?", {id}).toString();
}

void TestPayeeService::rewritesMatchingLiveRows_data()
{
    QTest::addColumn<QStringList>("oldNames");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("changedIds");

    QTest::newRow("case-sensitive") << QStringList{"Acme"} << "ACME Inc" << 1 << QStringList{"t1"};
    QTest::newRow("merge two") << QStringList{"Acme", "acme", "Bolt"} << "Acme" << 2
                               << QStringList{"t2", "t4"};
    QTest::newRow("same name") << QStringList{"Bolt"} << "Bolt" << 0 << QStringList{};
    QTest::newRow("name with quote") << QStringList{"Acme Corp"} << "O'Brien \"and\" Sons" << 1
                                     << QStringList{"t5"};
}

void TestPayeeService::rewritesMatchingLiveRows()
{
    QFETCH(QStringList, oldNames);
    QFETCH(QString, newName);
    QFETCH(int, count);
    QFETCH(QStringList, changedIds);

    const QString before = QDateTime::currentDateTimeUtc().addSecs(-1).toString(Qt::ISODate);
    const PayeeService::Result result = m_service->rewrite(oldNames, newName);
    QVERIFY(result.ok);
    QCOMPARE(result.rowsChanged, count);

    for (const QString id : {"t1", "t2", "t3", "t4", "t5"}) {
        const bool changed = changedIds.contains(id);
        const QString status =
            TestDatabase::scalar("SELECT sync_status FROM transactions WHERE id = ?", {id}).toString();
        const QString stamp =
            TestDatabase::scalar("SELECT updated_at FROM transactions WHERE id = ?", {id}).toString();
        QCOMPARE(status, changed ? QStringLiteral("pending") : QStringLiteral("synced"));
        if (changed) {
            QCOMPARE(payeeOf(id), newName);
            // UTC ISO text, comparable with every other writer's stamps.
            QVERIFY2(stamp >= before && stamp.endsWith(QLatin1Char('Z')), qPrintable(stamp));
            QCOMPARE(QDateTime::fromString(stamp, Qt::ISODate).timeSpec(), Qt::UTC);
        } else {
            QCOMPARE(stamp, QStringLiteral("2024-01-01T00:00:00Z"));
        }
    }
    // The soft-deleted row keeps its old name.
    QCOMPARE(payeeOf("t3"), QStringLiteral("Acme"));
}

void TestPayeeService::failingStatementKeepsEverything()
{
    QVERIFY(TestDatabase::exec("CREATE TRIGGER refuse BEFORE UPDATE ON transactions WHEN old.payee = 'Bolt' "
                               "BEGIN SELECT RAISE(ABORT, 'payee locked'); END"));
    const PayeeService::Result result = m_service->rewrite({"Acme", "Bolt"}, "Merged");
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains("payee locked"), qPrintable(result.error));
    // The first statement's rows went back too.
    QCOMPARE(payeeOf("t1"), QStringLiteral("Acme"));
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM transactions WHERE sync_status = 'pending'").toInt(),
             0);
    // The connection is usable again: a later rewrite without the trigger works.
    QVERIFY(TestDatabase::exec("DROP TRIGGER refuse"));
    QVERIFY(m_service->rewrite({"Acme", "Bolt"}, "Merged").ok);
    QCOMPARE(payeeOf("t4"), QStringLiteral("Merged"));
}

QTEST_GUILESS_MAIN(TestPayeeService)
#include "TestPayeeService.moc"
