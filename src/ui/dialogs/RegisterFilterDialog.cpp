#include "RegisterFilterDialog.h"

#include "DateField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

RegisterFilterDialog::RegisterFilterDialog(const RegisterFilter &filter, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Filter Register"));
    setMinimumWidth(400);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_textEdit = new QLineEdit(filter.text, this);
    m_textEdit->setObjectName(QStringLiteral("textEdit"));
    m_textEdit->setPlaceholderText(tr("Payee, memo, check number or category"));
    m_textEdit->setClearButtonEnabled(true);
    // The hint names every field searched: a longer translation widens the box rather than losing its end.
    const int hintWidth = m_textEdit->fontMetrics().horizontalAdvance(m_textEdit->placeholderText());
    m_textEdit->setMinimumWidth(hintWidth + 40);
    form->addRow(tr("&Text:"), m_textEdit);

    auto dateRow = [this, form](const QString &label, const QDate &date, QCheckBox *&check, DateField *&field,
                                const QString &name) {
        auto *row = new QHBoxLayout;
        check = new QCheckBox(this);
        field = new DateField(this);
        field->setObjectName(name);
        if (date.isValid())
            field->setDate(date);
        check->setChecked(date.isValid());
        field->setEnabled(date.isValid());
        connect(check, &QCheckBox::toggled, field, &QWidget::setEnabled);
        row->addWidget(check);
        row->addWidget(field, 1);
        // The accelerator ticks the box, which opens the date for typing.
        auto *caption = new QLabel(label, this);
        caption->setBuddy(check);
        form->addRow(caption, row);
    };
    dateRow(tr("&From:"), filter.dateFrom, m_fromCheck, m_fromField, QStringLiteral("fromField"));
    dateRow(tr("T&o:"), filter.dateTo, m_toCheck, m_toField, QStringLiteral("toField"));

    m_clearedCombo = new QComboBox(this);
    m_clearedCombo->setObjectName(QStringLiteral("clearedCombo"));
    m_clearedCombo->addItem(tr("All transactions"));
    m_clearedCombo->addItem(tr("Cleared only"));
    m_clearedCombo->addItem(tr("Not cleared only"));
    m_clearedCombo->setCurrentIndex(filter.cleared ? (*filter.cleared ? 1 : 2) : 0);
    form->addRow(tr("&Status:"), m_clearedCombo);
    layout->addLayout(form);

    auto *buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Reset, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &RegisterFilterDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Reset), &QPushButton::clicked, this, [this]() {
        m_textEdit->clear();
        m_fromCheck->setChecked(false);
        m_toCheck->setChecked(false);
        m_clearedCombo->setCurrentIndex(0);
    });
    layout->addWidget(buttons);
}

void RegisterFilterDialog::accept()
{
    for (auto [check, field] : {std::pair{m_fromCheck, m_fromField}, std::pair{m_toCheck, m_toField}}) {
        if (check->isChecked() && !field->hasValidText()) {
            field->updateMark();
            field->setFocus();
            return;
        }
    }
    QDialog::accept();
}

RegisterFilter RegisterFilterDialog::filter() const
{
    RegisterFilter result;
    result.text = m_textEdit->text().trimmed();
    if (m_fromCheck->isChecked())
        result.dateFrom = m_fromField->date();
    if (m_toCheck->isChecked())
        result.dateTo = m_toField->date();
    if (m_clearedCombo->currentIndex() == 1)
        result.cleared = true;
    else if (m_clearedCombo->currentIndex() == 2)
        result.cleared = false;
    return result;
}
