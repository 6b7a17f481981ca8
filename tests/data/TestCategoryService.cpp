#include "CategoryRepository.h"
#include "CategoryService.h"
#include "DefaultCategories.h"
#include "TestDatabase.h"
#include "TestRecords.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>
#include <memory>

class TestCategoryService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void seedsEmptyTableOnce();
    void seededRowsReadBack();
    void notSeededWhenRowsExist_data();
    void notSeededWhenRowsExist();
    void failedSeedKeepsNothing();
    void transferNamesAreNoCategories_data();
    void transferNamesAreNoCategories();

private:
    int rows(const QString &condition = QStringLiteral("1"));

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<QObject> m_owner;
    CategoryRepository *m_categories = nullptr;
    CategoryService *m_service = nullptr;
    qsizetype m_defaults = 0;
};

void TestCategoryService::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_owner = std::make_unique<QObject>();
    m_categories = new CategoryRepository(m_db->database(), m_owner.get());
    m_service = new CategoryService(m_db->database(), m_categories, m_owner.get());
    m_defaults = DefaultCategories::build(QDateTime::currentDateTimeUtc()).size();
}

void TestCategoryService::cleanup()
{
    m_owner.reset();
    m_db.reset();
}

void TestCategoryService::transferNamesAreNoCategories_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("created");
    QTest::newRow("French, plain space") << "Virement : EN Checking" << false;
    QTest::newRow("German, no space") << "umbuchung:Savings" << false;
    QTest::newRow("Japanese, full-width colon") << "\u632f\u66ff\uff1aSavings" << false;
    QTest::newRow("a word, no colon") << "Transfers" << true;
}

void TestCategoryService::transferNamesAreNoCategories()
{
    QFETCH(QString, name);
    QFETCH(bool, created);
    QCOMPARE(m_service->create(TestRecords::category(QStringLiteral("typed"), name)), created);
    QCOMPARE(rows(QStringLiteral("id = 'typed'")), created ? 1 : 0);
}

int TestCategoryService::rows(const QString &condition)
{
    // Conditions come from the test's own literals.
    QSqlQuery query(m_db->database()->database());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM categories WHERE ") + condition) || !query.next())
        return -1;
    return query.value(0).toInt();
}

void TestCategoryService::seedsEmptyTableOnce()
{
    QVERIFY(m_service->seedDefaultCategories());
    QCOMPARE(rows(), m_defaults);
    QCOMPARE(rows(QStringLiteral("is_default = 1 AND sync_status = 'pending' AND deleted_at IS NULL")),
             m_defaults);

    QVERIFY(m_service->seedDefaultCategories());
    QCOMPARE(rows(), m_defaults);
}

void TestCategoryService::seededRowsReadBack()
{
    QVERIFY(m_service->seedDefaultCategories());
    const std::optional<Category> donations = m_categories->findById(
        DefaultCategories::idForPath(QStringLiteral("Gifts & Donations/Charitable Donations")));
    QVERIFY(donations);
    QCOMPARE(donations->name, QStringLiteral("Charitable Donations"));
    QCOMPARE(donations->parentId, DefaultCategories::idForPath(QStringLiteral("Gifts & Donations")));
    QVERIFY(donations->isTaxRelevant);
    QCOMPARE(donations->taxCategory, QStringLiteral("charitable_contributions"));
    QCOMPARE(donations->categoryType, CategoryType::Expense);

    const std::optional<Category> salary =
        m_categories->findById(DefaultCategories::idForPath(QStringLiteral("Income/Salary")));
    QVERIFY(salary);
    QCOMPARE(salary->categoryType, CategoryType::Income);

    // Top-level rows carry no parent (NULL, not an empty reference).
    QCOMPARE(
        rows(QStringLiteral("parent_id IS NULL")),
        rows(QStringLiteral("id IN (SELECT DISTINCT parent_id FROM categories WHERE parent_id IS NOT NULL) "
                            "OR parent_id IS NULL")));
    QCOMPARE(rows(QStringLiteral("parent_id = ''")), 0);
}

void TestCategoryService::notSeededWhenRowsExist_data()
{
    QTest::addColumn<bool>("deleteThem");
    QTest::newRow("one live category of the user") << false;
    QTest::newRow("every category deleted") << true;
}

void TestCategoryService::notSeededWhenRowsExist()
{
    QFETCH(bool, deleteThem);
    if (deleteThem) {
        QVERIFY(m_service->seedDefaultCategories());
        for (const Category &category : m_categories->findAll())
            QVERIFY(m_categories->softDelete(category.id));
        QCOMPARE(m_categories->count(), 0);
    } else {
        QVERIFY(m_categories->insert(TestRecords::category(QStringLiteral("mine"), QStringLiteral("Mine"))));
    }
    const int before = rows();

    QVERIFY(m_service->seedDefaultCategories());
    QCOMPARE(rows(), before);
    QCOMPARE(rows(QStringLiteral("deleted_at IS NULL")), deleteThem ? 0 : 1);
}

void TestCategoryService::failedSeedKeepsNothing()
{
    {
        QSqlQuery query(m_db->database()->database());
        QVERIFY(query.exec(QStringLiteral("CREATE TRIGGER fail_pets BEFORE INSERT ON categories "
                                          "WHEN NEW.name = 'Veterinary' "
                                          "BEGIN SELECT RAISE(ABORT, 'disk says no'); END")));
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("CategoryRepository::insert failed:.*"));
    QVERIFY(!m_service->seedDefaultCategories());
    QCOMPARE(rows(), 0);

    // Seeding runs again at the next start, once the fault is gone.
    {
        QSqlQuery query(m_db->database()->database());
        QVERIFY(query.exec(QStringLiteral("DROP TRIGGER fail_pets")));
    }
    QVERIFY(m_service->seedDefaultCategories());
    QCOMPARE(rows(), m_defaults);
}

QTEST_GUILESS_MAIN(TestCategoryService)
#include "TestCategoryService.moc"
