#pragma once

#include "Category.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The form for a new category or subcategory, or for editing one: name, type,
// tax relevance and tax code. The parent is fixed by the caller. It writes
// nothing and refuses nothing; the caller stores category() after acceptance.
class CategoryFormDialog : public QDialog
{
    Q_OBJECT

public:
    // Edits an existing category under the parent of that name (empty for a
    // top-level category).
    CategoryFormDialog(const Category &category, const QString &parentName, QWidget *parent = nullptr);
    // A new category under `parentId` (empty for a top-level one).
    CategoryFormDialog(const QString &parentId, const QString &parentName, QWidget *parent = nullptr);

    // The record built from the form: a fresh id and creation time for a new
    // category (on every call), the trimmed name (possibly empty), pending.
    Category category() const;

private:
    void buildForm(const QString &parentName);
    void fillFromCategory();
    void updateTaxCodeEnabled();

    QLineEdit *m_nameEdit = nullptr;
    QComboBox *m_typeCombo = nullptr;
    QCheckBox *m_taxCheck = nullptr;
    QLineEdit *m_taxCodeEdit = nullptr;
    QLabel *m_taxCodeLabel = nullptr;
    QLabel *m_parentLabel = nullptr;
    Category m_category;
    QString m_parentId;
    bool m_editing = false;
};
