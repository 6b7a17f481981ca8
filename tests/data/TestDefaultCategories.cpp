#include "DefaultCategories.h"

#include <QSet>
#include <QTest>
#include <QUuid>

class TestDefaultCategories : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parentsComeBeforeChildrenAndTreeHasTwoLevels();
    void idsAreStableNameBasedUuids();
    void taxCodes_data();
    void taxCodes();
    void recordsAreStampedAndMarkedDefault();
};

void TestDefaultCategories::parentsComeBeforeChildrenAndTreeHasTwoLevels()
{
    const QList<Category> categories = DefaultCategories::build(QDateTime::currentDateTimeUtc());
    QVERIFY(categories.size() > 40);

    QHash<QString, Category> seen;
    for (const Category &category : categories) {
        QVERIFY2(!seen.contains(category.id), qPrintable(category.name));
        if (!category.parentId.isEmpty()) {
            QVERIFY2(seen.contains(category.parentId), qPrintable(category.name));
            const Category &parent = seen.value(category.parentId);
            QVERIFY2(parent.parentId.isEmpty(), qPrintable(category.name)); // two levels only
            QCOMPARE(category.categoryType, parent.categoryType);
        }
        seen.insert(category.id, category);
    }

    QSet<CategoryType> topLevelTypes;
    for (const Category &category : categories) {
        if (category.parentId.isEmpty())
            topLevelTypes.insert(category.categoryType);
    }
    QCOMPARE(topLevelTypes,
             (QSet<CategoryType>{CategoryType::Income, CategoryType::Expense, CategoryType::Transfer}));
}

void TestDefaultCategories::idsAreStableNameBasedUuids()
{
    const QList<Category> first = DefaultCategories::build(QDateTime(QDate(2020, 1, 1), QTime(), Qt::UTC));
    const QList<Category> second = DefaultCategories::build(QDateTime::currentDateTimeUtc());
    QCOMPARE(first.size(), second.size());
    for (qsizetype i = 0; i < first.size(); ++i)
        QCOMPARE(first.at(i).id, second.at(i).id);

    for (const Category &category : first) {
        const QUuid uuid(category.id);
        QVERIFY2(!uuid.isNull(), qPrintable(category.id));
        QCOMPARE(uuid.version(), QUuid::Sha1);
        QVERIFY(!category.id.startsWith(QLatin1Char('{')));
    }
    QCOMPARE(DefaultCategories::idForPath(QStringLiteral("Housing")),
             DefaultCategories::idForPath("Housing"));
    QVERIFY(DefaultCategories::idForPath(QStringLiteral("Housing")) !=
            DefaultCategories::idForPath(QStringLiteral("Housing/Rent")));
}

void TestDefaultCategories::taxCodes_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("taxCategory");

    QTest::newRow("donations") << "Gifts & Donations"
                               << "Charitable Donations"
                               << "charitable_contributions";
    QTest::newRow("mortgage interest") << "Housing"
                                       << "Mortgage Interest"
                                       << "mortgage_interest";
    QTest::newRow("property tax") << "Housing"
                                  << "Property Tax"
                                  << "property_tax";
    QTest::newRow("salary") << "Income"
                            << "Salary"
                            << "wages";
    QTest::newRow("no code on groceries") << "Food"
                                          << "Groceries"
                                          << "";
    QTest::newRow("no code on rent") << "Housing"
                                     << "Rent"
                                     << "";
}

void TestDefaultCategories::taxCodes()
{
    QFETCH(QString, parent);
    QFETCH(QString, name);
    QFETCH(QString, taxCategory);

    const QString parentId = DefaultCategories::idForPath(parent);
    const QList<Category> categories = DefaultCategories::build(QDateTime::currentDateTimeUtc());
    const auto it = std::find_if(categories.cbegin(), categories.cend(), [&](const Category &category) {
        return category.name == name && category.parentId == parentId;
    });
    QVERIFY(it != categories.cend());
    QCOMPARE(it->taxCategory, taxCategory);
    QCOMPARE(it->isTaxRelevant, !taxCategory.isEmpty());
    QCOMPARE(it->id, DefaultCategories::idForPath(parent + QLatin1Char('/') + name));
}

void TestDefaultCategories::recordsAreStampedAndMarkedDefault()
{
    const QDateTime now(QDate(2024, 3, 4), QTime(5, 6, 7), Qt::UTC);
    for (const Category &category : DefaultCategories::build(now)) {
        QVERIFY(category.isDefault);
        QCOMPARE(category.createdAt, now);
        QCOMPARE(category.updatedAt, now);
        QCOMPARE(category.syncStatus, SyncStatus::Pending);
        QCOMPARE(category.version, 1);
        QVERIFY(!category.name.isEmpty());
        QVERIFY(!category.deletedAt.has_value());
    }
}

QTEST_APPLESS_MAIN(TestDefaultCategories)
#include "TestDefaultCategories.moc"
