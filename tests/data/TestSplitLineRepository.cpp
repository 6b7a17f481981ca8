#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "SplitLineRepository.h"
#include "TestDatabase.h"
#include "TestRecords.h"
#include "TransactionRepository.h"

#include <QTest>

using namespace TestRecords;

class TestSplitLineRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void emptyCategoryIsNull();
    void unknownTransactionIsRejected();
    void deleteByTransactionOnlyTouchesItsLines();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<SplitLineRepository> m_splits;
};

void TestSplitLineRepository::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    AccountRepository accounts(m_db->database());
    CategoryRepository categories(m_db->database());
    TransactionRepository transactions(m_db->database());
    QVERIFY(accounts.insert(account(QStringLiteral("a1"))));
    QVERIFY(categories.insert(category(QStringLiteral("c1"), QStringLiteral("Gifts"))));
    QVERIFY(transactions.insert(
        transaction(QStringLiteral("t1"), QStringLiteral("a1"), QDate(2024, 1, 1), -300)));
    QVERIFY(
        transactions.insert(transaction(QStringLiteral("t2"), QStringLiteral("a1"), QDate(2024, 1, 1), -50)));
    m_splits = std::make_unique<SplitLineRepository>(m_db->database());
}

void TestSplitLineRepository::cleanup()
{
    m_splits.reset();
    m_db.reset();
}

void TestSplitLineRepository::emptyCategoryIsNull()
{
    QVERIFY(m_splits->insert(splitLine(QStringLiteral("s1"), QStringLiteral("t1"), -300)));
    QVERIFY(TestDatabase::scalar(QStringLiteral("SELECT category_id IS NULL FROM split_lines")).toBool());
    QCOMPARE(m_splits->findByTransaction(QStringLiteral("t1")).first().categoryId, QString());
}

void TestSplitLineRepository::unknownTransactionIsRejected()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                           "^SplitLineRepository::insert failed: .*FOREIGN KEY")));
    QVERIFY(!m_splits->insert(splitLine(QStringLiteral("s1"), QStringLiteral("nope"), -300)));
}

void TestSplitLineRepository::deleteByTransactionOnlyTouchesItsLines()
{
    QVERIFY(m_splits->insert(splitLine(QStringLiteral("s1"), QStringLiteral("t1"), -100)));
    QVERIFY(m_splits->insert(splitLine(QStringLiteral("s2"), QStringLiteral("t1"), -200)));
    QVERIFY(m_splits->insert(splitLine(QStringLiteral("s3"), QStringLiteral("t2"), -50)));
    QVERIFY(m_splits->deleteByTransaction(QStringLiteral("t1")));
    QVERIFY(m_splits->findByTransaction(QStringLiteral("t1")).isEmpty());
    QCOMPARE(m_splits->findByTransaction(QStringLiteral("t2")).size(), 1);
    QVERIFY(m_splits->deleteByTransaction(QStringLiteral("none")));
}

QTEST_GUILESS_MAIN(TestSplitLineRepository)
#include "TestSplitLineRepository.moc"
