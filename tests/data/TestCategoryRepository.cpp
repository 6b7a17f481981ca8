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

    void roundTrip();
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

void TestCategoryRepository::roundTrip()
{
    QVERIFY(m_categories->insert(category(QStringLiteral("giving"), QStringLiteral("Giving"))));
    Category c = category(QStringLiteral("charity"), QStringLiteral("Charity"), QStringLiteral("giving"));
    c.categoryType = CategoryType::Income;
    c.isTaxRelevant = true;
    c.taxCategory = QStringLiteral("charitable_contributions");
    c.icon = QStringLiteral("volunteer_activism");
    c.color = QStringLiteral("#00897B");
    c.isDefault = true;
    c.accountId = QStringLiteral("acc-not-a-foreign-key");
    c.version = 2;
    c.syncStatus = SyncStatus::Synced;
    c.serverId = QStringLiteral("srv-c");
    QSignalSpy spy(m_categories.get(), &CategoryRepository::categoriesChanged);
    QVERIFY(m_categories->insert(c));
    QCOMPARE(spy.count(), 1);

    const Category read = *m_categories->findById(c.id);
    QCOMPARE(read.name, c.name);
    QCOMPARE(read.categoryType, CategoryType::Income);
    QCOMPARE(read.parentId, QStringLiteral("giving"));
    QCOMPARE(read.isTaxRelevant, true);
    QCOMPARE(read.taxCategory, c.taxCategory);
    QCOMPARE(read.icon, c.icon);
    QCOMPARE(read.color, c.color);
    QCOMPARE(read.isDefault, true);
    QCOMPARE(read.accountId, c.accountId);
    QCOMPARE(read.version, 2);
    QCOMPARE(read.syncStatus, SyncStatus::Synced);
    QCOMPARE(read.serverId, c.serverId);
    QCOMPARE(read.createdAt, c.createdAt);
    QVERIFY(!read.deletedAt);
    QCOMPARE(
        TestDatabase::scalar(QStringLiteral("SELECT category_type FROM categories WHERE id = 'charity'")),
        QVariant(QStringLiteral("income")));
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
