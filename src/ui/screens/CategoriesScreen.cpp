#include "CategoriesScreen.h"

#include "AppState.h"
#include "CategoryFormDialog.h"
#include "CategoryRepository.h"
#include "CategoryService.h"
#include "CategoryTreeModel.h"
#include "EntryChoices.h"
#include "PlainMessage.h"
#include "ThemeManager.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

CategoriesScreen::CategoriesScreen(AppState *app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);

    auto *header = new QHBoxLayout;
    auto *title = new QLabel(tr("Categories"), this);
    applyFontRole(title, 4, 700);
    header->addWidget(title);
    header->addStretch();
    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
    m_searchEdit->setPlaceholderText(tr("Search categories..."));
    m_searchEdit->setClearButtonEnabled(true);
    m_searchEdit->setMaximumWidth(280);
    header->addWidget(m_searchEdit);
    auto *newButton = new QPushButton(tr("+ New Category"), this);
    newButton->setObjectName(QStringLiteral("newCategoryButton"));
    connect(newButton, &QPushButton::clicked, this, &CategoriesScreen::onCreateCategory);
    header->addWidget(newButton);
    layout->addLayout(header);

    m_model = new CategoryTreeModel(this);
    m_proxy = new QSortFilterProxyModel(this);
    m_proxy->setSourceModel(m_model);
    m_proxy->setFilterKeyColumn(CategoryTreeModel::NameColumn);
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_proxy->setRecursiveFilteringEnabled(true);
    m_proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_proxy->setSortLocaleAware(true);
    m_proxy->setDynamicSortFilter(true);

    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("categoryTree"));
    m_tree->setModel(m_proxy);
    m_tree->setAlternatingRowColors(true);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->setSortingEnabled(true);
    m_tree->sortByColumn(CategoryTreeModel::NameColumn, Qt::AscendingOrder);
    m_tree->header()->setSectionResizeMode(CategoryTreeModel::NameColumn, QHeaderView::Stretch);
    m_tree->header()->setStretchLastSection(false);
    layout->addWidget(m_tree, 1);

    connect(m_tree, &QWidget::customContextMenuRequested, this, &CategoriesScreen::showContextMenu);
    connect(m_searchEdit, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_proxy->setFilterFixedString(text);
        if (text.isEmpty())
            m_tree->collapseAll();
        else
            m_tree->expandAll();
    });
}

void CategoriesScreen::reload()
{
    QSet<QString> expanded;
    collectExpandedIds(QModelIndex(), expanded);
    m_model->setCategories(m_app->categories()->findAll());
    restoreExpanded(expanded);
}

void CategoriesScreen::collectExpandedIds(const QModelIndex &proxyParent, QSet<QString> &ids) const
{
    for (int row = 0; row < m_proxy->rowCount(proxyParent); ++row) {
        const QModelIndex index = m_proxy->index(row, CategoryTreeModel::NameColumn, proxyParent);
        if (m_tree->isExpanded(index))
            ids.insert(m_model->categoryAt(m_proxy->mapToSource(index)).id);
        if (m_proxy->hasChildren(index))
            collectExpandedIds(index, ids);
    }
}

void CategoriesScreen::restoreExpanded(const QSet<QString> &ids)
{
    for (const QString &id : ids)
        expandCategory(id);
}

void CategoriesScreen::expandCategory(const QString &id)
{
    const QModelIndex source = m_model->indexForId(id);
    const QModelIndex index = m_proxy->mapFromSource(source);
    if (source.isValid() && index.isValid())
        m_tree->expand(index);
}

void CategoriesScreen::onCreateCategory()
{
    createCategory(QString());
}

void CategoriesScreen::onCreateSubcategory()
{
    const QModelIndex index = m_tree->currentIndex();
    if (!index.isValid())
        return;
    const Category category = m_model->categoryAt(m_proxy->mapToSource(index));
    if (category.parentId.isEmpty())
        createCategory(category.id);
}

void CategoriesScreen::createCategory(const QString &parentId)
{
    CategoryFormDialog dialog(parentId, EntryChoices::storedCategoryName(m_app, parentId), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const Category category = dialog.category();
    if (category.name.isEmpty() || !takesName(category.name))
        return;
    m_app->categoryService()->create(category);
    reload();
    if (!parentId.isEmpty())
        expandCategory(parentId);
}

bool CategoriesScreen::takesName(const QString &name)
{
    if (CategoryService::isAllowedName(name))
        return true;
    PlainMessage::show(this, QMessageBox::Warning, tr("Category Not Saved"),
                       tr("A category cannot be named \"%1\": a name that starts like a transfer "
                          "(\"Transfer:\") is read as a transfer to an account.")
                           .arg(name));
    return false;
}

void CategoriesScreen::onEditCategory()
{
    const QModelIndex index = m_tree->currentIndex();
    if (!index.isValid())
        return;
    const Category category = m_model->categoryAt(m_proxy->mapToSource(index));
    CategoryFormDialog dialog(category, EntryChoices::storedCategoryName(m_app, category.parentId), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const Category edited = dialog.category();
    if (edited.name.isEmpty() || !takesName(edited.name))
        return;
    m_app->categoryService()->save(edited);
    reload();
}

void CategoriesScreen::onDeleteCategory()
{
    const QModelIndex index = m_tree->currentIndex();
    if (!index.isValid())
        return;
    const Category category = m_model->categoryAt(m_proxy->mapToSource(index));
    // The name is the user's text: shown as typed, never read as markup.
    if (!PlainMessage::ask(this, tr("Delete Category"),
                           tr("Delete \"%1\"? Transactions using this category will become uncategorized.")
                               .arg(category.name)))
        return;
    m_app->categories()->softDelete(category.id);
    reload();
}

void CategoriesScreen::showContextMenu(const QPoint &pos)
{
    const QModelIndex index = m_tree->indexAt(pos);
    // The commands read the current row: make it the row under the pointer.
    if (index.isValid())
        m_tree->setCurrentIndex(index);
    QMenu menu(this);
    menu.addAction(tr("&New Category"), this, &CategoriesScreen::onCreateCategory);
    if (index.isValid()) {
        const Category category = m_model->categoryAt(m_proxy->mapToSource(index));
        if (category.parentId.isEmpty())
            menu.addAction(tr("Add &Subcategory"), this, &CategoriesScreen::onCreateSubcategory);
        menu.addSeparator();
        menu.addAction(tr("&Edit"), this, &CategoriesScreen::onEditCategory);
        menu.addAction(tr("&Delete"), this, &CategoriesScreen::onDeleteCategory);
    }
    menu.exec(m_tree->viewport()->mapToGlobal(pos));
}
