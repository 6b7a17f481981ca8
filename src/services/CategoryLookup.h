#pragma once

#include "Category.h"

#include <QHash>
#include <QList>
#include <QString>

// Finds categories by the names files give them: "Parent:Child" (QIF),
// "Parent > Child" (the register's display), or a name alone, which prefers a
// top-level category.
class CategoryLookup
{
public:
    explicit CategoryLookup(const QList<Category> &categories);

    // The category's id; empty when there is none.
    QString find(const QString &text) const;
    // The id of the top-level category of that name; empty when there is none.
    QString findTopLevel(const QString &name) const;
    // Makes a category just written findable.
    void add(const Category &category, const QString &parentName);

private:
    QHash<QString, QString> m_byPath;
    QHash<QString, QString> m_byName;
};
