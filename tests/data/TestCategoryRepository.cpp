#include "CategoryRepository.h"
#include "TestDatabase.h"
#include "TestRecords.h"

#include <QSignalSpy>
#include <QTest>

using namespace TestRecords;

class TestCategoryRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void parentNullWhenEmpty();
    void updateCanMakeTopLevel();
    void unknownParentIsRejected();
    void findAllAndCounts();
    void softDeleteLeavesChildren();
    void syncBookkeeping();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<CategoryRepository> m_categories;
};

void TestCategoryRepository::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_categories = std::make_unique<CategoryRepository>(m_db->database());
}

void TestCategoryRepository::cleanup()
{
    m_categories.reset();
    m_db.reset();
}

void TestCategoryRepository::parentNullWhenEmpty()
{
    QVERIFY(m_categories->insert(category(QStringLiteral("top"), QStringLiteral("Top"))));
    QVERIFY(TestDatabase::scalar(
                QStringLiteral("SELECT parent_id IS NULL AND account_id IS NULL FROM categories"))
                .toBool());
    QCOMPARE(m_categories->findById(QStringLiteral("top"))->parentId, QString());
}

void TestCategoryRepository::updateCanMakeTopLevel()
{
    QVERIFY(m_categories->insert(category(QStringLiteral("p"), QStringLiteral("Parent"))));
    Category child = category(QStringLiteral("c"), QStringLiteral("Child"), QStringLiteral("p"));
    QVERIFY(m_categories->insert(child));
    child.parentId.clear();
    child.updatedAt = stamp(5);
    QVERIFY(m_categories->update(child));
    QVERIFY(TestDatabase::scalar(QStringLiteral("SELECT parent_id IS NULL FROM categories WHERE id = 'c'"))
                .toBool());
    QCOMPARE(m_categories->findById(QStringLiteral("c"))->updatedAt, stamp(5));
}

void TestCategoryRepository::unknownParentIsRejected()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                           "^CategoryRepository::insert failed: .*FOREIGN KEY")));
    QVERIFY(!m_categories->insert(
        category(QStringLiteral("c"), QStringLiteral("Child"), QStringLiteral("nope"))));
}

void TestCategoryRepository::findAllAndCounts()
{
    QCOMPARE(m_categories->count(), 0);
    QCOMPARE(m_categories->countIncludingDeleted(), 0);
    for (const char *name : {"Utilities", "Auto", "Zoo", "Books"})
        QVERIFY(
            m_categories->insert(category(QLatin1String(name).toString().toLower(), QLatin1String(name))));
    QVERIFY(m_categories->softDelete(QStringLiteral("zoo")));

    QStringList names;
    for (const Category &c : m_categories->findAll())
        names.append(c.name);
    QCOMPARE(names, (QStringList{"Auto", "Books", "Utilities"}));
    QCOMPARE(m_categories->count(), 3);
    QCOMPARE(m_categories->countIncludingDeleted(), 4);
}

void TestCategoryRepository::softDeleteLeavesChildren()
{
    QVERIFY(m_categories->insert(category(QStringLiteral("p"), QStringLiteral("Parent"))));
    QVERIFY(
        m_categories->insert(category(QStringLiteral("c"), QStringLiteral("Child"), QStringLiteral("p"))));
    QSignalSpy spy(m_categories.get(), &CategoryRepository::categoriesChanged);
    QVERIFY(m_categories->softDelete(QStringLiteral("p")));
    QCOMPARE(spy.count(), 1);
    const Category parent = *m_categories->findById(QStringLiteral("p"));
    QVERIFY(parent.deletedAt);
    QCOMPARE(parent.syncStatus, SyncStatus::Pending);
    QVERIFY(!m_categories->findById(QStringLiteral("c"))->deletedAt);
}

void TestCategoryRepository::syncBookkeeping()
{
    QVERIFY(m_categories->insert(category(QStringLiteral("a"), QStringLiteral("A"))));
    QVERIFY(m_categories->insert(category(QStringLiteral("b"), QStringLiteral("B"))));
    QVERIFY(m_categories->markSynced(QStringLiteral("a"), QStringLiteral("srv-a")));
    QVERIFY(m_categories->markSynced(QStringLiteral("b"), QStringLiteral("srv-b")));
    QVERIFY(m_categories->softDelete(QStringLiteral("b")));
    QCOMPARE(m_categories->findPendingSync().size(), 1);
    QCOMPARE(m_categories->findPendingSync().first().id, QStringLiteral("b"));
    QCOMPARE(m_categories->findByServerId(QStringLiteral("srv-b"))->id, QStringLiteral("b"));

    QSignalSpy spy(m_categories.get(), &CategoryRepository::categoriesChanged);
    QCOMPARE(m_categories->markAllPendingForResync(), 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_categories->markAllPendingForResync(), 0);
    QCOMPARE(spy.count(), 1);
}

QTEST_GUILESS_MAIN(TestCategoryRepository)
#include "TestCategoryRepository.moc"
