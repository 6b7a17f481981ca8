#pragma once

#include <QSet>
#include <QString>
#include <QWidget>

class AppState;
class CategoryTreeModel;
class QLineEdit;
class QModelIndex;
class QSortFilterProxyModel;
class QTreeView;

// The category tree as a tool window: a two-level list with type and tax code,
// a search box that filters it, and commands to create, edit and delete
// categories. It reads the database on reload() and after its own changes.
class CategoriesScreen : public QWidget
{
    Q_OBJECT

public:
    explicit CategoriesScreen(AppState *app, QWidget *parent = nullptr);

    // Re-reads the categories, keeping expanded rows expanded.
    void reload();

    QTreeView *treeView() const { return m_tree; }
    CategoryTreeModel *model() const { return m_model; }
    QSortFilterProxyModel *proxy() const { return m_proxy; }

public slots:
    void onCreateCategory();
    void onCreateSubcategory();
    void onEditCategory();
    void onDeleteCategory();

private:
    void createCategory(const QString &parentId);
    // True for a name the category service takes; otherwise says why not.
    bool takesName(const QString &name);
    void showContextMenu(const QPoint &pos);
    void collectExpandedIds(const QModelIndex &proxyParent, QSet<QString> &ids) const;
    void restoreExpanded(const QSet<QString> &ids);
    void expandCategory(const QString &id);

    AppState *m_app = nullptr;
    QLineEdit *m_searchEdit = nullptr;
    QTreeView *m_tree = nullptr;
    CategoryTreeModel *m_model = nullptr;
    QSortFilterProxyModel *m_proxy = nullptr;
};
