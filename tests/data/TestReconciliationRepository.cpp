#include "AccountRepository.h"
#include "ReconciliationRepository.h"
#include "TestDatabase.h"
#include "TestRecords.h"

#include <QSignalSpy>
#include <QTest>

using namespace TestRecords;

class TestReconciliationRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void invalidTimeStampsBecomeNow();
    void unknownAccountIsRejected();
    void byAccountAndLatest();
    void update();
    void deleteAndRestoreByAccount();
    void syncBookkeeping();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ReconciliationRepository> m_reconciliations;
};

void TestReconciliationRepository::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    AccountRepository accounts(m_db->database());
    QVERIFY(accounts.insert(account(QStringLiteral("a1"))));
    QVERIFY(accounts.insert(account(QStringLiteral("a2"))));
    m_reconciliations = std::make_unique<ReconciliationRepository>(m_db->database());
}

void TestReconciliationRepository::cleanup()
{
    m_reconciliations.reset();
    m_db.reset();
}

void TestReconciliationRepository::invalidTimeStampsBecomeNow()
{
    Reconciliation r = reconciliation(QStringLiteral("r1"), QStringLiteral("a1"), QDate(2024, 1, 31));
    r.createdAt = QDateTime();
    r.updatedAt = QDateTime();
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    QVERIFY(m_reconciliations->insert(r));
    const Reconciliation read = *m_reconciliations->findById(r.id);
    QVERIFY(read.createdAt >= before);
    QVERIFY(read.updatedAt >= before);
    QVERIFY(read.createdAt <= QDateTime::currentDateTimeUtc());
}

void TestReconciliationRepository::unknownAccountIsRejected()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                           "^ReconciliationRepository::insert failed: .*FOREIGN KEY")));
    QVERIFY(!m_reconciliations->insert(
        reconciliation(QStringLiteral("r1"), QStringLiteral("nope"), QDate(2024, 1, 31))));
}

void TestReconciliationRepository::byAccountAndLatest()
{
    QVERIFY(m_reconciliations->findLatestByAccount(QStringLiteral("a1")) == std::nullopt);
    for (const auto &[id, accountId, date] :
         {std::tuple{"jan", "a1", QDate(2024, 1, 31)}, std::tuple{"mar", "a1", QDate(2024, 3, 31)},
          std::tuple{"feb", "a1", QDate(2024, 2, 29)}, std::tuple{"apr", "a1", QDate(2024, 4, 30)},
          std::tuple{"other", "a2", QDate(2024, 5, 31)}})
        QVERIFY(m_reconciliations->insert(reconciliation(QLatin1String(id), QLatin1String(accountId), date)));
    QVERIFY(m_reconciliations->softDeleteByAccount(QStringLiteral("a2"), QDateTime()));
    QVERIFY(
        TestDatabase::exec(QStringLiteral("UPDATE reconciliations SET deleted_at = '2024-05-01T00:00:00Z' "
                                          "WHERE id = 'apr'")));

    QStringList ids;
    for (const Reconciliation &r : m_reconciliations->findByAccount(QStringLiteral("a1")))
        ids.append(r.id);
    QCOMPARE(ids, (QStringList{"mar", "feb", "jan"}));
    QCOMPARE(m_reconciliations->findLatestByAccount(QStringLiteral("a1"))->id, QStringLiteral("mar"));
    QVERIFY(!m_reconciliations->findLatestByAccount(QStringLiteral("a2")));
    QVERIFY(m_reconciliations->findById(QStringLiteral("apr")));
}

void TestReconciliationRepository::update()
{
    Reconciliation r = reconciliation(QStringLiteral("r1"), QStringLiteral("a1"), QDate(2024, 1, 31));
    QVERIFY(m_reconciliations->insert(r));
    r.accountId = QStringLiteral("a2");
    r.statementBalance = 99;
    r.createdAt = stamp(20);
    r.updatedAt = stamp(21);
    r.syncStatus = SyncStatus::Synced;
    QSignalSpy spy(m_reconciliations.get(), &ReconciliationRepository::reconciliationsChanged);
    QVERIFY(m_reconciliations->update(r));
    QCOMPARE(spy.count(), 1);
    const Reconciliation read = *m_reconciliations->findById(r.id);
    QCOMPARE(read.accountId, QStringLiteral("a2"));
    QCOMPARE(read.statementBalance, qint64(99));
    QCOMPARE(read.createdAt, stamp());
    QCOMPARE(read.updatedAt, stamp(21));
    QCOMPARE(read.syncStatus, SyncStatus::Synced);
}

void TestReconciliationRepository::deleteAndRestoreByAccount()
{
    QVERIFY(m_reconciliations->insert(
        reconciliation(QStringLiteral("r1"), QStringLiteral("a1"), QDate(2024, 1, 31))));
    const QDateTime at(QDate(2024, 6, 1), QTime(9, 30), Qt::UTC);
    QVERIFY(m_reconciliations->softDeleteByAccount(QStringLiteral("a1"), at));
    QVERIFY(m_reconciliations->findByAccount(QStringLiteral("a1")).isEmpty());
    QSignalSpy spy(m_reconciliations.get(), &ReconciliationRepository::reconciliationsChanged);
    QCOMPARE(
        m_reconciliations->restoreByAccount(QStringLiteral("a1"), QStringLiteral("2024-06-01T09:29:50Z")), 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_reconciliations->findByAccount(QStringLiteral("a1")).size(), 1);
}

void TestReconciliationRepository::syncBookkeeping()
{
    QVERIFY(m_reconciliations->insert(
        reconciliation(QStringLiteral("r1"), QStringLiteral("a1"), QDate(2024, 1, 31))));
    QVERIFY(m_reconciliations->insert(
        reconciliation(QStringLiteral("r2"), QStringLiteral("a1"), QDate(2024, 2, 29))));
    QVERIFY(m_reconciliations->markSynced(QStringLiteral("r1"), QStringLiteral("srv-1")));
    QCOMPARE(m_reconciliations->findPendingSync().size(), 1);
    QCOMPARE(m_reconciliations->findByServerId(QStringLiteral("srv-1"))->id, QStringLiteral("r1"));
    QSignalSpy spy(m_reconciliations.get(), &ReconciliationRepository::reconciliationsChanged);
    QCOMPARE(m_reconciliations->markAllPendingForResync(), 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_reconciliations->findPendingSync().size(), 2);
}

QTEST_GUILESS_MAIN(TestReconciliationRepository)
#include "TestReconciliationRepository.moc"
