#pragma once

#include "Category.h"

#include <QObject>

class CategoryRepository;
class Database;

// Looks after the category tree as a whole: giving a new database its
// default categories, and keeping names that read as transfers out of it.
class CategoryService : public QObject
{
    Q_OBJECT

public:
    CategoryService(Database *database, CategoryRepository *categories, QObject *parent = nullptr);

    // Writes the default tree, in one transaction, when the categories table
    // has no rows at all. Rows that were deleted count: a user who removed
    // every category does not get them back, and the seeded ids, which are
    // the same on every start, never collide with deleted ones. False when
    // the table could not be read or a write failed (nothing is kept then).
    bool seedDefaultCategories();

    // False for a name that starts as a transfer does ("Transfer: Savings",
    // in any of the program's languages): such a category would catch what
    // the user typed to move money between accounts.
    static bool isAllowedName(const QString &name);
    // Inserts or updates a category the user named; false, with nothing
    // written, for a name isAllowedName refuses or a failed write.
    bool create(const Category &category);
    bool save(const Category &category);

private:
    Database *m_database;
    CategoryRepository *m_categories;
};
