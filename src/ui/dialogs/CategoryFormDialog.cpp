#include "CategoryFormDialog.h"

#include "RecordTypes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QUuid>
#include <QVBoxLayout>

CategoryFormDialog::CategoryFormDialog(const Category &category, const QString &parentName, QWidget *parent)
    : QDialog(parent)
    , m_category(category)
    , m_parentId(category.parentId)
    , m_editing(true)
{
    setWindowTitle(tr("Edit Category"));
    buildForm(parentName);
    fillFromCategory();
}

CategoryFormDialog::CategoryFormDialog(const QString &parentId, const QString &parentName, QWidget *parent)
    : QDialog(parent)
    , m_parentId(parentId)
{
    setWindowTitle(parentId.isEmpty() ? tr("New Category") : tr("New Subcategory"));
    buildForm(parentName);
}

void CategoryFormDialog::buildForm(const QString &parentName)
{
    setMinimumWidth(420);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;

    if (!parentName.isEmpty()) {
        m_parentLabel = new QLabel(parentName, this);
        m_parentLabel->setObjectName(QStringLiteral("parentLabel"));
        m_parentLabel->setTextFormat(Qt::PlainText);
        m_parentLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(tr("&Parent:"), m_parentLabel);
    }

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setPlaceholderText(tr("Category name"));
    form->addRow(tr("&Name:"), m_nameEdit);

    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("typeCombo"));
    m_typeCombo->addItem(tr("Expense"), QStringLiteral("expense"));
    m_typeCombo->addItem(tr("Income"), QStringLiteral("income"));
    // A transfer category is offered its own type, so that saving an edit
    // does not silently make it an expense category.
    if (m_editing && m_category.categoryType == CategoryType::Transfer)
        m_typeCombo->addItem(tr("Transfer"), QStringLiteral("transfer"));
    form->addRow(tr("&Type:"), m_typeCombo);

    m_taxCheck = new QCheckBox(tr("Tax-relevant"), this);
    m_taxCheck->setObjectName(QStringLiteral("taxCheck"));
    m_taxCheck->setToolTip(tr("Mark this category for inclusion in tax-time reports."));
    form->addRow(m_taxCheck);

    m_taxCodeEdit = new QLineEdit(this);
    m_taxCodeEdit->setObjectName(QStringLiteral("taxCodeEdit"));
    m_taxCodeEdit->setPlaceholderText(tr("e.g. charitable_contributions, mortgage_interest"));
    m_taxCodeLabel = new QLabel(tr("Tax &Code:"), this);
    m_taxCodeLabel->setBuddy(m_taxCodeEdit);
    form->addRow(m_taxCodeLabel, m_taxCodeEdit);

    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_taxCheck, &QCheckBox::toggled, this, &CategoryFormDialog::updateTaxCodeEnabled);
    updateTaxCodeEnabled();
    m_nameEdit->setFocus();
}

void CategoryFormDialog::fillFromCategory()
{
    m_nameEdit->setText(m_category.name);
    const int typeIndex = m_typeCombo->findData(categoryTypeToString(m_category.categoryType));
    m_typeCombo->setCurrentIndex(qMax(0, typeIndex));
    m_taxCheck->setChecked(m_category.isTaxRelevant);
    // Set after the box: a code kept on a category that is not tax-relevant
    // stays visible, greyed out.
    m_taxCodeEdit->setText(m_category.taxCategory);
    m_taxCodeLabel->setEnabled(m_category.isTaxRelevant);
    m_taxCodeEdit->setEnabled(m_category.isTaxRelevant);
}

void CategoryFormDialog::updateTaxCodeEnabled()
{
    const bool checked = m_taxCheck->isChecked();
    m_taxCodeLabel->setEnabled(checked);
    m_taxCodeEdit->setEnabled(checked);
    if (!checked)
        m_taxCodeEdit->clear();
}

Category CategoryFormDialog::category() const
{
    Category result = m_category;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!m_editing) {
        result.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        result.createdAt = now;
    }
    result.name = m_nameEdit->text().trimmed();
    result.categoryType = categoryTypeFromString(m_typeCombo->currentData().toString());
    result.parentId = m_parentId;
    result.isTaxRelevant = m_taxCheck->isChecked();
    result.taxCategory = result.isTaxRelevant ? m_taxCodeEdit->text().trimmed() : QString();
    result.updatedAt = now;
    result.syncStatus = SyncStatus::Pending;
    return result;
}
