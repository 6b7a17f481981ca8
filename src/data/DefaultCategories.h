#pragma once

#include "Category.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The category tree a new database starts with. Ids are name-based UUIDs of
// the category's path, so every device seeds the same ids and a sync merges
// the two trees instead of doubling them.
namespace DefaultCategories {

// Top-level categories first, each followed later by its children; time
// stamps are `now`, sync status pending, `isDefault` set.
QList<Category> build(const QDateTime &now);

// "Housing" for a top-level category, "Housing/Mortgage Interest" for a child.
QString idForPath(const QString &path);

} // namespace DefaultCategories
