#pragma once

#include "Account.h"

#include <QDate>
#include <QDialog>

class DateField;
class QComboBox;
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

    // An edited account shows the amount and date of its opening-balance
    // transaction; `locked` when that one is reconciled.
    void setOpeningBalance(qint64 amount, const QDate &date, bool locked);
    // The currency is fixed while the account has transactions.
    void setCurrencyLocked(bool locked);

public slots:
    // Refuses a balance or date the form cannot read, saying why.
    void accept() override;

private:
    void buildForm();
    void fillFromAccount();
    void applyCurrency();

    QLineEdit *m_nameEdit = nullptr;
    QComboBox *m_typeCombo = nullptr;
    QComboBox *m_currencyCombo = nullptr;
    SmartAmountField *m_balanceField = nullptr;
    DateField *m_asOfEdit = nullptr;
    QLineEdit *m_institutionEdit = nullptr;
    QLineEdit *m_numberEdit = nullptr;
    Account m_account;
    bool m_editing = false;
};
