#include "CategoryTreeModel.h"

#include "RecordTypes.h"
#include "ThemeManager.h"

#include <QColor>
#include <QFont>
#include <QSet>
#include <map>

CategoryTreeModel::CategoryTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
    , m_root(new CategoryNode)
{
}

CategoryTreeModel::~CategoryTreeModel()
{
    delete m_root;
}

void CategoryTreeModel::setCategories(const QList<Category> &categories)
{
    beginResetModel();
    delete m_root;
    m_root = new CategoryNode;

    std::map<QString, CategoryNode *> byId;
    for (const Category &category : categories) {
        auto *node = new CategoryNode;
        node->category = category;
        auto [it, inserted] = byId.emplace(category.id, node);
        if (!inserted) {
            // A duplicate id would otherwise leak; the later copy wins.
            delete it->second;
            it->second = node;
        }
    }

    // A node whose parent chain comes back to itself would hang from nothing
    // the view can reach; such loops are broken by placing their members at
    // the top level.
    auto inLoop = [&byId](const CategoryNode *node) {
        QSet<QString> seen{node->category.id};
        QString next = node->category.parentId;
        while (!next.isEmpty()) {
            if (next == node->category.id)
                return true;
            if (seen.contains(next))
                return false; // a loop further up, not through this node
            seen.insert(next);
            const auto it = byId.find(next);
            if (it == byId.end())
                return false;
            next = it->second->category.parentId;
        }
        return false;
    };
    QSet<const CategoryNode *> looped;
    for (const auto &[id, node] : byId)
        if (inLoop(node))
            looped.insert(node);

    for (const auto &[id, node] : byId) {
        CategoryNode *parent = m_root;
        if (!node->category.parentId.isEmpty() && !looped.contains(node)) {
            const auto it = byId.find(node->category.parentId);
            if (it != byId.end())
                parent = it->second;
        }
        node->parent = parent;
        parent->children.append(node);
    }
    endResetModel();
}

Category CategoryTreeModel::categoryAt(const QModelIndex &index) const
{
    const CategoryNode *node = nodeFor(index);
    return node == m_root ? Category() : node->category;
}

QModelIndex CategoryTreeModel::indexForId(const QString &id) const
{
    if (id.isEmpty())
        return {};
    QList<CategoryNode *> pending = m_root->children;
    while (!pending.isEmpty()) {
        CategoryNode *node = pending.takeLast();
        if (node->category.id == id)
            return indexForNode(node, NameColumn);
        pending.append(node->children);
    }
    return {};
}

CategoryNode *CategoryTreeModel::nodeFor(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<CategoryNode *>(index.internalPointer()) : m_root;
}

QModelIndex CategoryTreeModel::indexForNode(CategoryNode *node, int column) const
{
    if (!node || node == m_root || !node->parent)
        return {};
    return createIndex(int(node->parent->children.indexOf(node)), column, node);
}

QModelIndex CategoryTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != NameColumn)
        return {};
    const CategoryNode *node = nodeFor(parent);
    if (row < 0 || row >= node->children.size() || column < 0 || column >= ColumnCount)
        return {};
    return createIndex(row, column, node->children.at(row));
}

QModelIndex CategoryTreeModel::parent(const QModelIndex &index) const
{
    if (!index.isValid())
        return {};
    return indexForNode(nodeFor(index)->parent, NameColumn);
}

int CategoryTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != NameColumn)
        return 0;
    return int(nodeFor(parent)->children.size());
}

int CategoryTreeModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

QVariant CategoryTreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const CategoryNode *node = nodeFor(index);
    const Category &category = node->category;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NameColumn:
            return category.name;
        case TypeColumn:
            return categoryTypeToString(category.categoryType);
        case TaxCodeColumn:
            return category.isTaxRelevant ? category.taxCategory : QString();
        }
        break;
    case Qt::ForegroundRole:
        if (index.column() == TypeColumn && category.categoryType == CategoryType::Income)
            return ThemeManager::readableText(QColor(0, 136, 0));
        break;
    case Qt::FontRole:
        if (index.column() == NameColumn && !node->children.isEmpty()) {
            QFont font;
            font.setWeight(QFont::Bold);
            return font;
        }
        break;
    }
    return {};
}

QVariant CategoryTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return tr("Category");
    case TypeColumn:
        return tr("Type");
    case TaxCodeColumn:
        return tr("Tax Code");
    }
    return {};
}
