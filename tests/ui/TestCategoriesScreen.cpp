#include "CategoriesScreen.h"
#include "CategoryFormDialog.h"
#include "CategoryRepository.h"
#include "CategoryTreeModel.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "PopupMenuProbe.h"
#include "TestApp.h"
#include "TestRecords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QtTest>

class TestCategoriesScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void formForNewAndChild_data();
    void formForNewAndChild();
    void formEditKeepsIdentityAndType_data();
    void formEditKeepsIdentityAndType();
    void searchFiltersAndExpands();
    void newSubcategoryExpandsParentAndKeepsExpanded();
    void emptyNameStoresNothing();
    void contextMenuEntries_data();
    void contextMenuEntries();
    void contextMenuActsOnClickedRow();
    void deleteAsksWithPlainNameAndKeepsChildren();
    void mainWindowReadsAgainOnEveryOpening();

private:
    QModelIndex rowOf(const QString &id) const;
    QPoint pointOf(const QString &id) const;
    QStringList visibleNames(const QModelIndex &parent = QModelIndex()) const;
    void add(const Category &category);

    std::unique_ptr<TestApp> m_test;
    std::unique_ptr<CategoriesScreen> m_screen;
};

void TestCategoriesScreen::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    QVERIFY(TestDatabase::exec("DELETE FROM categories"));
    add(TestRecords::category("food", "Food"));
    add(TestRecords::category("groc", "Groceries", "food"));
    add(TestRecords::category("dine", "Dining Out", "food"));
    add(TestRecords::category("auto", "Auto"));
    add(TestRecords::category("fuel", "Fuel", "auto"));
    add(TestRecords::category("home", "Home"));
    m_screen = std::make_unique<CategoriesScreen>(m_test->app());
    m_screen->resize(600, 500);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    m_screen->reload();
}

void TestCategoriesScreen::cleanup()
{
    m_screen.reset();
    m_test.reset();
}

void TestCategoriesScreen::add(const Category &category)
{
    QVERIFY(m_test->app()->categories()->insert(category));
}

QModelIndex TestCategoriesScreen::rowOf(const QString &id) const
{
    return m_screen->proxy()->mapFromSource(m_screen->model()->indexForId(id));
}

QPoint TestCategoriesScreen::pointOf(const QString &id) const
{
    m_screen->treeView()->scrollTo(rowOf(id));
    return m_screen->treeView()->visualRect(rowOf(id)).center();
}

QStringList TestCategoriesScreen::visibleNames(const QModelIndex &parent) const
{
    QStringList names;
    const QSortFilterProxyModel *proxy = m_screen->proxy();
    for (int row = 0; row < proxy->rowCount(parent); ++row) {
        const QModelIndex index = proxy->index(row, 0, parent);
        names << index.data().toString();
        if (m_screen->treeView()->isExpanded(index))
            for (const QString &child : visibleNames(index))
                names << QStringLiteral("  ") + child;
    }
    return names;
}

void TestCategoriesScreen::formForNewAndChild_data()
{
    QTest::addColumn<QString>("parentId");
    QTest::addColumn<QString>("parentName");
    QTest::newRow("top level") << QString() << QString();
    QTest::newRow("subcategory") << "food"
                                 << "<b>Food</b>";
}

void TestCategoriesScreen::formForNewAndChild()
{
    QFETCH(QString, parentId);
    QFETCH(QString, parentName);
    CategoryFormDialog dialog(parentId, parentName);
    auto *parentLabel = dialog.findChild<QLabel *>("parentLabel");
    QCOMPARE(parentLabel != nullptr, !parentName.isEmpty());
    if (parentLabel)
        QCOMPARE(parentLabel->textFormat(), Qt::PlainText);

    dialog.findChild<QLineEdit *>("nameEdit")->setText("  Pets  ");
    auto *type = dialog.findChild<QComboBox *>("typeCombo");
    type->setCurrentIndex(type->findData("income"));
    const Category first = dialog.category();
    const Category second = dialog.category();
    QCOMPARE(first.name, QStringLiteral("Pets"));
    QCOMPARE(first.categoryType, CategoryType::Income);
    QCOMPARE(first.parentId, parentId);
    QCOMPARE(first.syncStatus, SyncStatus::Pending);
    QCOMPARE(first.version, 1);
    QVERIFY(first.createdAt.isValid());
    QVERIFY(!first.id.isEmpty());
    QVERIFY(first.id != second.id);

    // The tax code counts only while the box is ticked.
    auto *check = dialog.findChild<QCheckBox *>("taxCheck");
    auto *code = dialog.findChild<QLineEdit *>("taxCodeEdit");
    QVERIFY(!code->isEnabled());
    check->setChecked(true);
    QVERIFY(code->isEnabled());
    code->setText("  charity  ");
    QCOMPARE(dialog.category().taxCategory, QStringLiteral("charity"));
    QVERIFY(dialog.category().isTaxRelevant);
    check->setChecked(false);
    QVERIFY(code->text().isEmpty());
    QVERIFY(dialog.category().taxCategory.isEmpty());
}

void TestCategoriesScreen::formEditKeepsIdentityAndType_data()
{
    QTest::addColumn<CategoryType>("type");
    QTest::addColumn<bool>("taxRelevant");
    QTest::newRow("income, tax-relevant") << CategoryType::Income << true;
    QTest::newRow("expense, code kept off") << CategoryType::Expense << false;
    QTest::newRow("transfer") << CategoryType::Transfer << false;
}

void TestCategoriesScreen::formEditKeepsIdentityAndType()
{
    QFETCH(CategoryType, type);
    QFETCH(bool, taxRelevant);
    Category stored = TestRecords::category("groc", "Groceries", "food");
    stored.categoryType = type;
    stored.isTaxRelevant = taxRelevant;
    stored.taxCategory = QStringLiteral("code_1");
    stored.version = 4;
    stored.syncStatus = SyncStatus::Synced;
    CategoryFormDialog dialog(stored, QStringLiteral("Food"));
    auto *code = dialog.findChild<QLineEdit *>("taxCodeEdit");
    // A kept code shows even when the category is not tax-relevant.
    QCOMPARE(code->text(), QStringLiteral("code_1"));
    QCOMPARE(code->isEnabled(), taxRelevant);

    const Category edited = dialog.category();
    QCOMPARE(edited.id, stored.id);
    QCOMPARE(edited.parentId, stored.parentId);
    QCOMPARE(edited.createdAt, stored.createdAt);
    QCOMPARE(edited.version, 4);
    QCOMPARE(edited.categoryType, type);
    QCOMPARE(edited.taxCategory, taxRelevant ? QStringLiteral("code_1") : QString());
    QCOMPARE(edited.syncStatus, SyncStatus::Pending);
    QVERIFY(edited.updatedAt > stored.updatedAt);
}

void TestCategoriesScreen::searchFiltersAndExpands()
{
    QLineEdit *search = m_screen->findChild<QLineEdit *>("searchEdit");
    search->setText("groc");
    // The parent shows for its matching child, its other children do not.
    QCOMPARE(visibleNames(), (QStringList{"Food", "  Groceries"}));
    search->setText("o");
    QCOMPARE(visibleNames(), (QStringList{"Auto", "Food", "  Dining Out", "  Groceries", "Home"}));
    search->clear();
    QCOMPARE(visibleNames(), (QStringList{"Auto", "Food", "Home"}));
}

void TestCategoriesScreen::newSubcategoryExpandsParentAndKeepsExpanded()
{
    m_screen->treeView()->expand(rowOf("auto"));
    m_screen->treeView()->setCurrentIndex(rowOf("home"));
    ModalAnswerer answerer;
    answerer.expectDialog<CategoryFormDialog>([](CategoryFormDialog *dialog) {
        QCOMPARE(dialog->findChild<QLabel *>("parentLabel")->text(), QStringLiteral("Home"));
        dialog->findChild<QLineEdit *>("nameEdit")->setText("Garden");
    });
    m_screen->onCreateSubcategory();
    QCOMPARE(answerer.pendingHandlers(), 0);
    QCOMPARE(TestDatabase::scalar("SELECT parent_id FROM categories WHERE name = 'Garden'").toString(),
             QStringLiteral("home"));
    QCOMPARE(visibleNames(), (QStringList{"Auto", "  Fuel", "Food", "Home", "  Garden"}));

    // A subcategory cannot have children of its own.
    m_screen->treeView()->setCurrentIndex(rowOf("fuel"));
    m_screen->onCreateSubcategory();
    QCOMPARE(answerer.unexpected(), QStringList());
}

void TestCategoriesScreen::emptyNameStoresNothing()
{
    const int before = TestDatabase::scalar("SELECT COUNT(*) FROM categories").toInt();
    ModalAnswerer answerer;
    answerer.expectDialog<CategoryFormDialog>(
        [](CategoryFormDialog *dialog) { dialog->findChild<QLineEdit *>("nameEdit")->setText("   "); });
    m_screen->onCreateCategory();
    QCOMPARE(answerer.pendingHandlers(), 0);
    QCOMPARE(TestDatabase::scalar("SELECT COUNT(*) FROM categories").toInt(), before);
}

void TestCategoriesScreen::contextMenuEntries_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("top level") << "auto"
                               << QStringList{"&New Category", "Add &Subcategory", "&Edit", "&Delete"};
    QTest::newRow("subcategory") << "fuel" << QStringList{"&New Category", "&Edit", "&Delete"};
    QTest::newRow("empty space") << QString() << QStringList{"&New Category"};
}

void TestCategoriesScreen::contextMenuEntries()
{
    QFETCH(QString, id);
    QFETCH(QStringList, entries);
    m_screen->treeView()->expandAll();
    const QPoint pos =
        id.isEmpty() ? QPoint(20, m_screen->treeView()->viewport()->height() - 5) : pointOf(id);
    PopupMenuProbe probe;
    emit m_screen->treeView()->customContextMenuRequested(pos);
    QVERIFY(probe.shown());
    QCOMPARE(probe.entries(), entries);
}

void TestCategoriesScreen::contextMenuActsOnClickedRow()
{
    m_screen->treeView()->setCurrentIndex(rowOf("auto"));
    ModalAnswerer answerer;
    answerer.expectDialog<CategoryFormDialog>([](CategoryFormDialog *dialog) {
        QCOMPARE(dialog->findChild<QLineEdit *>("nameEdit")->text(), QStringLiteral("Home"));
        dialog->findChild<QLineEdit *>("nameEdit")->setText("House");
    });
    PopupMenuProbe probe("&Edit");
    emit m_screen->treeView()->customContextMenuRequested(pointOf("home"));
    QCOMPARE(answerer.pendingHandlers(), 0);
    QCOMPARE(m_test->app()->categories()->findById("home")->name, QStringLiteral("House"));
    QCOMPARE(m_test->app()->categories()->findById("auto")->name, QStringLiteral("Auto"));
}

void TestCategoriesScreen::deleteAsksWithPlainNameAndKeepsChildren()
{
    Category food = *m_test->app()->categories()->findById("food");
    food.name = QStringLiteral("<b>Food</b>");
    QVERIFY(m_test->app()->categories()->update(food));
    m_screen->reload();
    m_screen->treeView()->setCurrentIndex(rowOf("food"));
    ModalAnswerer answerer;
    Qt::TextFormat format = Qt::RichText;
    answerer.expect([&format](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        format = box->textFormat();
        QCOMPARE(box->text(), QStringLiteral("Delete \"<b>Food</b>\"? Transactions using this category will "
                                             "become uncategorized."));
        box->button(QMessageBox::Yes)->click();
    });
    m_screen->onDeleteCategory();
    QCOMPARE(answerer.pendingHandlers(), 0);
    QCOMPARE(format, Qt::PlainText);
    QVERIFY(m_test->app()->categories()->findById("food")->deletedAt);
    // Its subcategories stay, now at the top level.
    QCOMPARE(visibleNames(), (QStringList{"Auto", "Dining Out", "Groceries", "Home"}));
}

void TestCategoriesScreen::mainWindowReadsAgainOnEveryOpening()
{
    m_screen.reset();
    MainWindow window(m_test->app());
    QAction *open = nullptr;
    for (QAction *action : window.toolsMenu()->actions())
        if (action->text() == QLatin1String("Categories..."))
            open = action;
    QVERIFY(open);
    const auto screens = [] {
        QList<CategoriesScreen *> found;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *screen = qobject_cast<CategoriesScreen *>(widget))
                found << screen;
        return found;
    };
    open->trigger();
    QCOMPARE(screens().size(), 1);
    CategoriesScreen *screen = screens().constFirst();
    QCOMPARE(screen->model()->rowCount(), 3);
    add(TestRecords::category("pets", "Pets"));
    open->trigger();
    QCOMPARE(screen->model()->rowCount(), 4);
    QCOMPARE(screens(), QList<CategoriesScreen *>{screen});
}

QTEST_MAIN(TestCategoriesScreen)
#include "TestCategoriesScreen.moc"
