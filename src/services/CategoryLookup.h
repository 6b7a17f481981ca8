#pragma once

#include "Category.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Finds categories by the names files give them: "Parent:Child" (QIF),
// "Parent > Child" (the register's display), or a name alone, which prefers a
// top-level category.
class CategoryLookup
{
public:
    explicit CategoryLookup(const QList<Category> &categories);

    // The category's id; empty when there is none.
    QString find(const QString &text) const;
    // Where a category that `text` names and none is would be made: under
    // the category its parent's name finds (as a name alone finds one), or
    // under a parent made first at the top level when none has that name.
    struct Placement
    {
        QString name;
        QString parentName; // empty for a top-level category
        QString parentId;   // empty when the parent is to be made too
    };
    // Empty when the category exists or no name is given.
    std::optional<Placement> placement(const QString &text) const;
    // The folded paths of the categories making `text` takes, parent first.
    QStringList toMake(const QString &text) const;
    // Makes a category just written findable.
    void add(const Category &category, const QString &parentName);

private:
    QHash<QString, QString> m_byPath;
    QHash<QString, QString> m_byName;
};
