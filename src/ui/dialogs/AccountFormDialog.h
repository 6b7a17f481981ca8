#pragma once

#include "Account.h"

#include <QDate>
#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;
class SmartAmountField;

// The form for a new account or an edited one. It writes nothing: the caller
// takes the finished record from account() (and, for a new account, the date
// of the starting balance from asOfDate()) and stores it.
class AccountFormDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AccountFormDialog(QWidget *parent = nullptr);
    AccountFormDialog(const Account &account, QWidget *parent = nullptr);

    Account account() const;
    QDate asOfDate() const;
    bool isEditing() const { return m_editing; }

private:
    void buildForm();
    void fillFromAccount();
    void applyCurrency();

    QLineEdit *m_nameEdit = nullptr;
    QComboBox *m_typeCombo = nullptr;
    QComboBox *m_currencyCombo = nullptr;
    SmartAmountField *m_balanceField = nullptr;
    QDateEdit *m_asOfEdit = nullptr;
    QLineEdit *m_institutionEdit = nullptr;
    QLineEdit *m_numberEdit = nullptr;
    Account m_account;
    bool m_editing = false;
};
