#include "CategoryTreeModel.h"
#include "TestRecords.h"
#include "ThemeManager.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QFont>
#include <QtTest>

using TestRecords::category;

class TestCategoriesModel : public QObject
{
    Q_OBJECT

private slots:
    void passesModelTester();
    void arrangesTree_data();
    void arrangesTree();
    void cellRolesAndLookups();

private:
    // "name" for a top-level row, "parent/name" for a child, in model order.
    static QStringList shape(const CategoryTreeModel &model, const QModelIndex &parent = QModelIndex());
};

QStringList TestCategoriesModel::shape(const CategoryTreeModel &model, const QModelIndex &parent)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        const QString prefix = parent.isValid() ? parent.data().toString() + QLatin1Char('/') : QString();
        rows << prefix + index.data().toString();
        rows << shape(model, index);
    }
    return rows;
}

void TestCategoriesModel::passesModelTester()
{
    CategoryTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setCategories({category("a", "Food"), category("b", "Groceries", "a"), category("c", "Dining", "a"),
                         category("d", "Salary"), category("e", "Loop", "e")});
    model.setCategories({category("a", "Food")});
    model.setCategories({});
}

void TestCategoriesModel::arrangesTree_data()
{
    QTest::addColumn<QList<Category>>("categories");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("two levels, id order")
        << QList<Category>{category("b2", "Groceries", "b"), category("b", "Food"), category("a", "Auto"),
                           category("b1", "Dining", "b")}
        << QStringList{"Auto", "Food", "Food/Dining", "Food/Groceries"};
    QTest::newRow("orphan at top level")
        << QList<Category>{category("a", "Auto"), category("x", "Stray", "deleted-parent")}
        << QStringList{"Auto", "Stray"};
    QTest::newRow("own parent") << QList<Category>{category("a", "Self", "a")} << QStringList{"Self"};
    QTest::newRow("two-step loop with a child")
        << QList<Category>{category("a", "A", "b"), category("b", "B", "a"), category("c", "C", "a")}
        << QStringList{"A", "A/C", "B"};
    QTest::newRow("chain into a loop")
        << QList<Category>{category("a", "A", "b"), category("b", "B", "c"), category("c", "C", "b")}
        << QStringList{"B", "B/A", "C"};
}

void TestCategoriesModel::arrangesTree()
{
    QFETCH(QList<Category>, categories);
    QFETCH(QStringList, expected);
    CategoryTreeModel model;
    model.setCategories(categories);
    QCOMPARE(shape(model), expected);
}

void TestCategoriesModel::cellRolesAndLookups()
{
    Category salary = category("s", "Salary");
    salary.categoryType = CategoryType::Income;
    salary.isTaxRelevant = true;
    salary.taxCategory = QStringLiteral("wages");
    Category gift = category("g", "Gift", "s");
    gift.taxCategory = QStringLiteral("kept_but_off");
    Category move = category("t", "Move");
    move.categoryType = CategoryType::Transfer;
    CategoryTreeModel model;
    model.setCategories({salary, gift, move});

    const QModelIndex parent = model.indexForId("s");
    const QModelIndex child = model.indexForId("g");
    const QModelIndex transfer = model.indexForId("t");
    QCOMPARE(parent.siblingAtColumn(1).data().toString(), QStringLiteral("income"));
    QCOMPARE(parent.siblingAtColumn(1).data(Qt::ForegroundRole).value<QColor>(),
             ThemeManager::readableText(QColor(0, 136, 0)));
    QCOMPARE(parent.siblingAtColumn(2).data().toString(), QStringLiteral("wages"));
    QCOMPARE(child.siblingAtColumn(1).data().toString(), QStringLiteral("expense"));
    QVERIFY(!child.siblingAtColumn(1).data(Qt::ForegroundRole).isValid());
    QCOMPARE(child.siblingAtColumn(2).data().toString(), QString());
    QCOMPARE(transfer.siblingAtColumn(1).data().toString(), QStringLiteral("transfer"));
    QVERIFY(parent.data(Qt::FontRole).value<QFont>().bold());
    QVERIFY(!child.data(Qt::FontRole).value<QFont>().bold());
    QVERIFY(!transfer.data(Qt::FontRole).value<QFont>().bold());

    QCOMPARE(child.column(), 0);
    QCOMPARE(model.categoryAt(child).name, QStringLiteral("Gift"));
    QCOMPARE(model.categoryAt(child.parent()).id, QStringLiteral("s"));
    QVERIFY(model.categoryAt(QModelIndex()).id.isEmpty());
    QVERIFY(!model.indexForId(QString()).isValid());
    QVERIFY(!model.indexForId("missing").isValid());
}

QTEST_MAIN(TestCategoriesModel)
#include "TestCategoriesModel.moc"
