#pragma once

#include "Account.h"
#include "Transaction.h"

#include <QDialog>

class AppState;
class DateField;
class FormErrorLabel;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class SmartAmountField;

// The transaction dialog: a new transaction for an account, or an existing one
// to edit. It writes nothing; the caller stores transaction().
class TransactionFormDialog : public QDialog
{
    Q_OBJECT
public:
    TransactionFormDialog(AppState *app, const QString &accountId, QWidget *parent = nullptr);
    TransactionFormDialog(AppState *app, const Transaction &transaction, QWidget *parent = nullptr);

    // Fills a new form from an existing transaction (a duplicate), keeping the
    // form a new one.
    void setTemplate(const Transaction &transaction);

    Transaction transaction() const;
    bool isEditing() const { return m_editing; }

public slots:
    // Refuses a date or an amount the form cannot read, saying why.
    void accept() override;

private:
    void buildForm();
    void addAmountRow(QFormLayout *form);
    void fill(const Transaction &transaction);
    void updateTransferState();

    AppState *m_app = nullptr;
    Transaction m_transaction;
    Account m_account;
    bool m_editing = false;

    DateField *m_dateField = nullptr;
    QLineEdit *m_checkEdit = nullptr;
    QLineEdit *m_payeeEdit = nullptr;
    QComboBox *m_typeCombo = nullptr;
    SmartAmountField *m_amountField = nullptr;
    QComboBox *m_categoryCombo = nullptr;
    QLineEdit *m_memoEdit = nullptr;
    QCheckBox *m_clearedCheck = nullptr;
    QLabel *m_noteLabel = nullptr;
    FormErrorLabel *m_errorLabel = nullptr;
};
