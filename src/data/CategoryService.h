#pragma once

#include <QObject>

class CategoryRepository;
class Database;

// Looks after the category tree as a whole; today that is giving a new
// database its default categories.
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

private:
    Database *m_database;
    CategoryRepository *m_categories;
};
