#pragma once

#include "RegisterFilter.h"

#include <QDialog>

class DateField;
class QCheckBox;
class QComboBox;
class QLineEdit;

// Asks for the register filter: text, date range and cleared state.
class RegisterFilterDialog : public QDialog
{
    Q_OBJECT
public:
    explicit RegisterFilterDialog(const RegisterFilter &filter, QWidget *parent = nullptr);

    RegisterFilter filter() const;

public slots:
    // A ticked date that is not a date keeps the dialog open on it.
    void accept() override;

private:
    QLineEdit *m_textEdit = nullptr;
    QCheckBox *m_fromCheck = nullptr;
    DateField *m_fromField = nullptr;
    QCheckBox *m_toCheck = nullptr;
    DateField *m_toField = nullptr;
    QComboBox *m_clearedCombo = nullptr;
};
