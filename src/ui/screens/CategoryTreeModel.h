#pragma once

#include "Category.h"

#include <QAbstractItemModel>
#include <QList>

// One category in the tree; the root holds a default Category. A node owns
// its children.
struct CategoryNode
{
    Category category;
    QList<CategoryNode *> children;
    CategoryNode *parent = nullptr;

    ~CategoryNode() { qDeleteAll(children); }
};

// The live categories arranged by parent id: columns "Category", "Type" and
// "Tax Code". A category whose parent is not in the list, or whose parent chain
// loops back to itself, is shown at the top level. The children of a node are
// in ascending id order; a proxy decides what the user sees.
class CategoryTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column
    {
        NameColumn,
        TypeColumn,
        TaxCodeColumn,
        ColumnCount
    };

    explicit CategoryTreeModel(QObject *parent = nullptr);
    ~CategoryTreeModel() override;

    void setCategories(const QList<Category> &categories);
    // A default Category for the invalid index.
    Category categoryAt(const QModelIndex &index) const;
    // The column-0 index of the category, or an invalid index.
    QModelIndex indexForId(const QString &id) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    CategoryNode *nodeFor(const QModelIndex &index) const;
    QModelIndex indexForNode(CategoryNode *node, int column) const;

    CategoryNode *m_root = nullptr;
};
