#pragma once

#include "RecordTypes.h"
#include "RecurringTransaction.h"
#include "Transaction.h"

#include <QDateTime>
#include <QDialog>
#include <QHash>
#include <QString>

class AppState;
class DateField;
class FormErrorLabel;
class QCheckBox;
class QComboBox;
class QCompleter;
class QFormLayout;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class SmartAmountField;

// The form for one recurring transaction: a new one, an existing one to edit,
// or one memorized from a register transaction. It writes nothing: the caller
// takes recurring() after acceptance and inserts or updates it.
class RecurringFormDialog : public QDialog
{
    Q_OBJECT
public:
    // Edits an existing record.
    RecurringFormDialog(AppState *state, const RecurringTransaction &record, QWidget *parent = nullptr);
    // A new record.
    explicit RecurringFormDialog(AppState *state, QWidget *parent = nullptr);

    // A new record filled from `seed` (Memorize Transaction). The caller runs
    // it with exec() and releases it with deleteLater().
    static RecurringFormDialog *createFromSeed(AppState *state, const RecurringTransaction &seed,
                                               QWidget *parent = nullptr);

    // A monthly schedule for a register transaction, first due on its date.
    static RecurringTransaction seedFromTransaction(const Transaction &transaction);

    // The record the form describes. A new or memorized record has its id and
    // creation time fixed when the dialog is built, so every call returns the
    // same ones.
    RecurringTransaction recurring() const;

    bool isEditMode() const { return m_editMode; }
    bool isCreateFromSeed() const { return m_isCreateFromSeed; }

public slots:
    // Refuses a record without an account, a category name that stands for
    // no single category, and dates or an amount the fields cannot read,
    // marking the field and saying why.
    void accept() override;

private:
    void setupUi();
    void addTransactionRows();
    void addScheduleRows();
    void addPostingRows();
    void loadAccounts();
    void fillCategoryCombo();
    // A red frame on a field that keeps the form from being accepted.
    static void markField(QComboBox *combo, bool refused);
    void loadRecurring(const RecurringTransaction &record);
    void onAccountChanged();
    void updateIntervalUnit();
    void updateSemimonthlyVisibility();
    void updateAmountUnits();
    void startNewRecord();
    Currency amountCurrency() const;

    AppState *m_state = nullptr;
    RecurringTransaction m_original;
    bool m_editMode = false;
    bool m_isCreateFromSeed = false;
    QString m_newId;
    QDateTime m_newCreatedAt;
    QHash<QString, Currency> m_accountCurrencies;
    Currency m_editCurrency = Currency::USD;

    QComboBox *m_accountCombo = nullptr;
    QRadioButton *m_paymentRadio = nullptr;
    QRadioButton *m_depositRadio = nullptr;
    QLineEdit *m_payeeEdit = nullptr;
    QCompleter *m_payeeCompleter = nullptr;
    SmartAmountField *m_amountField = nullptr;
    QComboBox *m_categoryCombo = nullptr;
    QLineEdit *m_memoEdit = nullptr;
    QComboBox *m_frequencyCombo = nullptr;
    QSpinBox *m_intervalSpin = nullptr;
    QComboBox *m_firstDayCombo = nullptr;
    QComboBox *m_secondDayCombo = nullptr;
    QFormLayout *m_form = nullptr;
    DateField *m_startDateField = nullptr;
    DateField *m_endDateField = nullptr;
    QCheckBox *m_hasEndDateCheck = nullptr;
    QCheckBox *m_autoPostCheck = nullptr;
    QSpinBox *m_leadDaysSpin = nullptr;
    QCheckBox *m_activeCheck = nullptr;
    FormErrorLabel *m_errorLabel = nullptr;
};
