#include "TransactionFormDialog.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "DateField.h"
#include "EntryChoices.h"
#include "FormErrorLabel.h"
#include "Money.h"
#include "SmartAmountField.h"
#include "ThemeManager.h"
#include "TransactionActions.h"
#include "TransactionRepository.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUuid>
#include <QVBoxLayout>

TransactionFormDialog::TransactionFormDialog(AppState *app, const QString &accountId, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
{
    m_transaction.accountId = accountId;
    m_transaction.date = QDate::currentDate();
    m_account = app->accounts()->findById(accountId).value_or(Account());
    setWindowTitle(tr("New Transaction"));
    buildForm();
    fill(m_transaction);
}

TransactionFormDialog::TransactionFormDialog(AppState *app, const Transaction &transaction, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_transaction(transaction)
    , m_editing(true)
{
    m_account = app->accounts()->findById(transaction.accountId).value_or(Account());
    setWindowTitle(tr("Edit Transaction"));
    buildForm();
    fill(m_transaction);
}

void TransactionFormDialog::buildForm()
{
    setMinimumWidth(460);
    auto *layout = new QVBoxLayout(this);

    auto *title = new QLabel(m_account.name, this);
    title->setTextFormat(Qt::PlainText);
    applyFontRole(title, 3);
    layout->addWidget(title);

    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_dateField = new DateField(this);
    m_dateField->setObjectName(QStringLiteral("dateField"));
    form->addRow(tr("&Date:"), m_dateField);

    m_checkEdit = new QLineEdit(this);
    m_checkEdit->setObjectName(QStringLiteral("checkNumberEdit"));
    m_checkEdit->setMaxLength(20);
    m_checkEdit->setPlaceholderText(tr("Optional"));
    form->addRow(tr("Check &number:"), m_checkEdit);

    m_payeeEdit = new QLineEdit(this);
    m_payeeEdit->setObjectName(QStringLiteral("payeeEdit"));
    auto *completer = new QCompleter(m_app->transactions()->payees(m_transaction.accountId), m_payeeEdit);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    m_payeeEdit->setCompleter(completer);
    form->addRow(tr("&Payee:"), m_payeeEdit);

    addAmountRow(form);

    m_categoryCombo = new QComboBox(this);
    m_categoryCombo->setObjectName(QStringLiteral("categoryCombo"));
    EntryChoices::fillCombo(m_categoryCombo,
                            EntryChoices::categoryChoices(m_app, m_transaction.accountId, true));
    form->addRow(tr("&Category:"), m_categoryCombo);

    m_memoEdit = new QLineEdit(this);
    m_memoEdit->setObjectName(QStringLiteral("memoEdit"));
    form->addRow(tr("&Memo:"), m_memoEdit);

    m_clearedCheck = new QCheckBox(tr("C&leared"), this);
    m_clearedCheck->setObjectName(QStringLiteral("clearedCheck"));
    form->addRow(QString(), m_clearedCheck);
    layout->addLayout(form);

    m_noteLabel = new QLabel(this);
    m_noteLabel->setWordWrap(true);
    m_noteLabel->setStyleSheet(ThemeManager::textColorStyleSheet(ThemeManager::mutedColor()));
    m_noteLabel->hide();
    layout->addWidget(m_noteLabel);

    m_errorLabel = new FormErrorLabel(this);
    layout->addWidget(m_errorLabel);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    applyAccentButton(buttons->button(QDialogButtonBox::Save));
    connect(buttons, &QDialogButtonBox::accepted, this, &TransactionFormDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this,
            &TransactionFormDialog::updateTransferState);
    // Leaving the field shows the whole name of what it will store.
    connect(m_categoryCombo->lineEdit(), &QLineEdit::editingFinished, this, [this]() {
        EntryChoices::showChoice(m_categoryCombo);
        updateTransferState();
    });
    m_payeeEdit->setFocus();
}

// Payment or deposit, and the amount beside it.
void TransactionFormDialog::addAmountRow(QFormLayout *form)
{
    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("typeCombo"));
    m_typeCombo->addItem(tr("Payment"));
    m_typeCombo->addItem(tr("Deposit"));
    m_amountField = new SmartAmountField(this);
    m_amountField->setObjectName(QStringLiteral("amountField"));
    // A minus sign is taken: it turns a payment into a deposit and back.
    m_amountField->setCurrency(m_account.currency, true);
    m_amountField->setPrefix(Money::symbol(m_account.currency) + QLatin1Char(' '));
    auto *amountRow = new QHBoxLayout;
    amountRow->addWidget(m_typeCombo);
    amountRow->addWidget(m_amountField, 1);
    auto *amountLabel = new QLabel(tr("&Amount:"), this);
    amountLabel->setBuddy(m_amountField);
    form->addRow(amountLabel, amountRow);
}

void TransactionFormDialog::fill(const Transaction &t)
{
    m_dateField->setDate(t.date.isValid() ? t.date : QDate::currentDate());
    m_checkEdit->setText(t.checkNumber);
    m_payeeEdit->setText(t.payee);
    m_typeCombo->setCurrentIndex(t.amount > 0 ? 1 : 0);
    m_amountField->setValue(Money::toUnits(t.amount < 0 ? -t.amount : t.amount, m_account.currency));
    // A transfer whose other account was deleted since stays one unless the
    // user picks something else; a deleted category shows as none and stays.
    EntryChoices::selectKeepingCategory(m_categoryCombo,
                                        EntryChoices::codeOf(t.categoryId, t.transferDestAccountId),
                                        tr("Transfer: %1").arg(tr("(deleted account)")));
    EntryChoices::showNoCategoryAsEmpty(m_categoryCombo);
    m_memoEdit->setText(t.memo);
    m_clearedCheck->setChecked(t.cleared);

    // A split's amount and category are its lines'; a reconciled amount and
    // date are the statement's.
    QStringList notes;
    const bool split = t.isSplit && t.transferDestAccountId.isEmpty();
    m_categoryCombo->setEnabled(!split);
    if (split) {
        m_categoryCombo->setEditText(tr("— Split —"));
        notes << tr("This transaction is split. Edit its splits to change the amount or categories.");
    }
    const bool lockAmount = split || (m_editing && t.reconciled);
    m_amountField->setEnabled(!lockAmount);
    m_typeCombo->setEnabled(!lockAmount);
    m_dateField->setEnabled(!(m_editing && t.reconciled));
    m_clearedCheck->setEnabled(!(m_editing && t.reconciled));
    if (m_editing && t.reconciled)
        notes << tr("This transaction is reconciled; its date and amount are locked.");
    m_noteLabel->setText(notes.join(QLatin1Char(' ')));
    m_noteLabel->setVisible(!notes.isEmpty());
}

void TransactionFormDialog::updateTransferState()
{
    const bool transfer = EntryChoices::currentCode(m_categoryCombo).startsWith(QLatin1String("t:"));
    m_typeCombo->setItemText(0, transfer ? tr("Transfer out") : tr("Payment"));
    m_typeCombo->setItemText(1, transfer ? tr("Transfer in") : tr("Deposit"));
}

void TransactionFormDialog::setTemplate(const Transaction &source)
{
    Transaction copy = source;
    copy.id.clear();
    copy.accountId = m_transaction.accountId;
    copy.cleared = false;
    copy.reconciled = false;
    copy.transferLinkId.clear();
    copy.isOpening = false; // a copy of the opening row is an ordinary one
    m_transaction = copy;
    fill(copy);
}

Transaction TransactionFormDialog::transaction() const
{
    Transaction t = m_transaction;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!m_editing) {
        t.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        t.createdAt = now;
        t.version = 1;
        t.serverId.clear();
        t.deletedAt.reset();
        t.transferLinkId.clear();
    }
    t.date = m_dateField->date();
    t.checkNumber = m_checkEdit->text().trimmed();
    t.payee = m_payeeEdit->text().trimmed();
    t.memo = m_memoEdit->text().trimmed();
    t.cleared = m_clearedCheck->isChecked();
    if (m_amountField->isEnabled()) {
        // accept() has refused text that is not an amount; "-50" as a payment is a deposit of 50.
        const qint64 typed = m_amountField->typedAmount().value_or(0);
        t.amount = m_typeCombo->currentIndex() == 1 ? typed : -typed;
    }
    if (m_categoryCombo->isEnabled()) {
        const QString code = EntryChoices::currentCode(m_categoryCombo);
        t.categoryId.clear();
        t.transferDestAccountId.clear();
        if (code.startsWith(QLatin1String("c:")))
            t.categoryId = code.mid(2);
        else if (code.startsWith(QLatin1String("t:")))
            t.transferDestAccountId = code.mid(2);
    }
    t.updatedAt = now;
    t.syncStatus = SyncStatus::Pending;
    return t;
}

void TransactionFormDialog::accept()
{
    // Nothing the fields cannot read is saved as something else.
    QString problem;
    QWidget *field = nullptr;
    if (m_dateField->isEnabled() && !m_dateField->checkText(&problem))
        field = m_dateField;
    else if (m_amountField->isEnabled() && !m_amountField->typedAmount(&problem))
        field = m_amountField;
    else if (m_categoryCombo->isEnabled() &&
             !(problem = EntryChoices::problem(EntryChoices::read(m_categoryCombo))).isEmpty())
        field = m_categoryCombo;
    if (!field && !m_editing && TransactionActions::isBlank(transaction())) {
        problem = tr("Type a payee, an amount or a category to save the transaction.");
        field = m_payeeEdit;
    }
    if (!m_errorLabel->refuse(field, problem))
        QDialog::accept();
}
