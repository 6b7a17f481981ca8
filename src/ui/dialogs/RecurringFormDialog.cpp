#include "RecurringFormDialog.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "DateField.h"
#include "EntryChoices.h"
#include "FormErrorLabel.h"
#include "Money.h"
#include "RecurringRepository.h"
#include "RecurringSchedule.h"
#include "RecurringService.h"
#include "SmartAmountField.h"
#include "ThemeManager.h"
#include "TransactionRepository.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDebug>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringListModel>
#include <QUuid>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QDateTime nowUtc()
{
    // Stored as ISO text with whole seconds; keep the record equal to what reads back.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return now.addMSecs(-now.time().msec());
}

void fillDayCombo(QComboBox *combo)
{
    for (int day = 1; day <= 31; ++day)
        combo->addItem(QString::number(day), day);
    combo->addItem(RecurringFormDialog::tr("Last day"), 0);
}

} // namespace

RecurringFormDialog::RecurringFormDialog(AppState *state, const RecurringTransaction &record, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_original(record)
    , m_editMode(true)
{
    // The account of a stored record cannot change, so its currency is known
    // even when the account has been deleted since.
    if (const std::optional<Account> account = state->accounts()->findById(record.accountId))
        m_editCurrency = account->currency;
    setWindowTitle(tr("Edit Recurring Transaction"));
    setupUi();
    loadAccounts();
    fillCategoryCombo();
    loadRecurring(record);
}

RecurringFormDialog::RecurringFormDialog(AppState *state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    setWindowTitle(tr("New Recurring Transaction"));
    setupUi();
    loadAccounts();
    fillCategoryCombo();
    m_startDateField->setDate(QDate::currentDate());
    m_paymentRadio->setChecked(true);
    startNewRecord();
}

RecurringFormDialog *RecurringFormDialog::createFromSeed(AppState *state, const RecurringTransaction &seed,
                                                         QWidget *parent)
{
    auto *dialog = new RecurringFormDialog(state, seed, parent);
    dialog->m_editMode = false;
    dialog->m_isCreateFromSeed = true;
    dialog->setWindowTitle(tr("Memorize Transaction"));
    dialog->startNewRecord();
    return dialog;
}

RecurringTransaction RecurringFormDialog::seedFromTransaction(const Transaction &transaction)
{
    RecurringTransaction seed;
    seed.accountId = transaction.accountId;
    seed.payee = transaction.payee;
    seed.memo = transaction.memo;
    seed.amount = transaction.amount;
    seed.categoryId = transaction.categoryId;
    seed.transferDestAccountId = transaction.transferDestAccountId;
    seed.frequency = Frequency::Monthly;
    seed.intervalCount = 1;
    seed.semimonthlyDay1 = 1;
    seed.semimonthlyDay2 = 15;
    // The transaction itself is this period's occurrence: the schedule starts
    // with the next one, or confirming it would post the payment twice.
    seed.startDate = transaction.date;
    seed.nextDueDate = transaction.date;
    seed.nextDueDate = RecurringSchedule::advance(seed);
    seed.startDate = seed.nextDueDate;
    seed.isActive = true;
    seed.autoPost = false;
    seed.leadDays = 0;
    seed.version = 1;
    return seed;
}

void RecurringFormDialog::startNewRecord()
{
    m_newId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_newCreatedAt = nowUtc();
    m_accountCombo->setEnabled(true);
    updateAmountUnits();
}

void RecurringFormDialog::setupUi()
{
    setMinimumWidth(480);
    auto *layout = new QVBoxLayout(this);
    m_form = new QFormLayout;
    m_form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    addTransactionRows();
    addScheduleRows();
    addPostingRows();

    layout->addLayout(m_form);
    m_errorLabel = new FormErrorLabel(this);
    layout->addWidget(m_errorLabel);
    layout->addSpacing(12);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &RecurringFormDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_accountCombo, &QComboBox::currentIndexChanged, this, &RecurringFormDialog::onAccountChanged);
    connect(m_frequencyCombo, &QComboBox::currentIndexChanged, this,
            &RecurringFormDialog::updateIntervalUnit);
    connect(m_intervalSpin, &QSpinBox::valueChanged, this, &RecurringFormDialog::updateIntervalUnit);
    connect(m_frequencyCombo, &QComboBox::currentIndexChanged, this,
            &RecurringFormDialog::updateSemimonthlyVisibility);
    connect(m_hasEndDateCheck, &QCheckBox::toggled, m_endDateField, &QWidget::setEnabled);
    connect(m_autoPostCheck, &QCheckBox::toggled, m_leadDaysSpin, &QWidget::setEnabled);
    updateIntervalUnit();
    updateSemimonthlyVisibility();

    m_payeeEdit->setFocus();
}

// Account, direction, payee, amount, category and memo.
void RecurringFormDialog::addTransactionRows()
{
    m_accountCombo = new QComboBox(this);
    m_accountCombo->setObjectName(QStringLiteral("accountCombo"));
    // Updating a stored record never moves it to another account.
    m_accountCombo->setEnabled(!m_editMode);
    m_form->addRow(tr("Account:"), m_accountCombo);

    m_paymentRadio = new QRadioButton(tr("Payment"), this);
    m_paymentRadio->setObjectName(QStringLiteral("paymentRadio"));
    m_depositRadio = new QRadioButton(tr("Deposit"), this);
    m_depositRadio->setObjectName(QStringLiteral("depositRadio"));
    auto *typeGroup = new QButtonGroup(this);
    typeGroup->addButton(m_paymentRadio);
    typeGroup->addButton(m_depositRadio);
    auto *typeRow = new QHBoxLayout;
    typeRow->addWidget(m_paymentRadio);
    typeRow->addWidget(m_depositRadio);
    typeRow->addStretch();
    m_form->addRow(tr("Type:"), typeRow);

    m_payeeEdit = new QLineEdit(this);
    m_payeeEdit->setObjectName(QStringLiteral("payeeEdit"));
    m_payeeEdit->setPlaceholderText(tr("Start typing to search payees..."));
    m_payeeCompleter = new QCompleter(m_payeeEdit);
    m_payeeCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    m_payeeCompleter->setFilterMode(Qt::MatchContains);
    m_payeeCompleter->setCompletionMode(QCompleter::PopupCompletion);
    m_payeeCompleter->setMaxVisibleItems(10);
    m_payeeEdit->setCompleter(m_payeeCompleter);
    m_form->addRow(tr("Payee:"), m_payeeEdit);

    m_amountField = new SmartAmountField(this);
    m_amountField->setObjectName(QStringLiteral("amountField"));
    m_amountField->setCurrency(Currency::USD, false);
    m_amountField->setValue(0);
    m_form->addRow(tr("Amount:"), m_amountField);

    m_categoryCombo = new QComboBox(this);
    m_categoryCombo->setObjectName(QStringLiteral("categoryCombo"));
    m_form->addRow(tr("Category:"), m_categoryCombo);

    m_memoEdit = new QLineEdit(this);
    m_memoEdit->setObjectName(QStringLiteral("memoEdit"));
    m_memoEdit->setPlaceholderText(tr("Optional"));
    m_form->addRow(tr("Memo:"), m_memoEdit);
}

// Frequency, interval or semi-monthly days, start and optional end.
void RecurringFormDialog::addScheduleRows()
{
    m_frequencyCombo = new QComboBox(this);
    m_frequencyCombo->setObjectName(QStringLiteral("frequencyCombo"));
    m_frequencyCombo->addItem(tr("Daily"), QStringLiteral("daily"));
    m_frequencyCombo->addItem(tr("Weekly"), QStringLiteral("weekly"));
    m_frequencyCombo->addItem(tr("Bi-weekly"), QStringLiteral("biweekly"));
    m_frequencyCombo->addItem(tr("Monthly"), QStringLiteral("monthly"));
    m_frequencyCombo->addItem(tr("Semi-monthly"), QStringLiteral("semimonthly"));
    m_frequencyCombo->addItem(tr("Quarterly"), QStringLiteral("quarterly"));
    m_frequencyCombo->addItem(tr("Semi-annual"), QStringLiteral("semi_annual"));
    m_frequencyCombo->addItem(tr("Annual"), QStringLiteral("annual"));
    m_frequencyCombo->setCurrentIndex(m_frequencyCombo->findData(QStringLiteral("monthly")));
    m_form->addRow(tr("Frequency:"), m_frequencyCombo);

    m_intervalSpin = new QSpinBox(this);
    m_intervalSpin->setObjectName(QStringLiteral("intervalSpin"));
    m_intervalSpin->setRange(1, 99);
    m_intervalSpin->setValue(1);
    m_form->addRow(tr("Repeat every:"), m_intervalSpin);

    m_firstDayCombo = new QComboBox(this);
    m_firstDayCombo->setObjectName(QStringLiteral("firstDayCombo"));
    fillDayCombo(m_firstDayCombo);
    m_firstDayCombo->setCurrentIndex(m_firstDayCombo->findData(1));
    m_form->addRow(tr("First day:"), m_firstDayCombo);

    m_secondDayCombo = new QComboBox(this);
    m_secondDayCombo->setObjectName(QStringLiteral("secondDayCombo"));
    fillDayCombo(m_secondDayCombo);
    m_secondDayCombo->setCurrentIndex(m_secondDayCombo->findData(15));
    m_form->addRow(tr("Second day:"), m_secondDayCombo);

    m_startDateField = new DateField(this);
    m_startDateField->setObjectName(QStringLiteral("startDateField"));
    m_form->addRow(tr("Start Date:"), m_startDateField);

    m_hasEndDateCheck = new QCheckBox(tr("Has end date"), this);
    m_hasEndDateCheck->setObjectName(QStringLiteral("hasEndDateCheck"));
    m_endDateField = new DateField(this);
    m_endDateField->setObjectName(QStringLiteral("endDateField"));
    m_endDateField->setEnabled(false);
    auto *endRow = new QHBoxLayout;
    endRow->addWidget(m_hasEndDateCheck);
    endRow->addWidget(m_endDateField, 1);
    m_form->addRow(tr("End Date:"), endRow);
}

void RecurringFormDialog::addPostingRows()
{
    m_autoPostCheck = new QCheckBox(tr("Auto-post when due"), this);
    m_autoPostCheck->setObjectName(QStringLiteral("autoPostCheck"));
    m_form->addRow(QString(), m_autoPostCheck);

    m_leadDaysSpin = new QSpinBox(this);
    m_leadDaysSpin->setObjectName(QStringLiteral("leadDaysSpin"));
    m_leadDaysSpin->setRange(0, RecurringTransaction::MaxLeadDays);
    m_leadDaysSpin->setSuffix(tr(" days"));
    m_leadDaysSpin->setEnabled(false);
    m_form->addRow(tr("Enter in advance:"), m_leadDaysSpin);

    m_activeCheck = new QCheckBox(tr("Active"), this);
    m_activeCheck->setObjectName(QStringLiteral("activeCheck"));
    m_activeCheck->setChecked(true);
    m_form->addRow(QString(), m_activeCheck);
}

void RecurringFormDialog::loadAccounts()
{
    m_accountCurrencies.clear();
    const QList<Account> accounts = m_state->accounts()->findAll();
    for (const Account &account : accounts) {
        m_accountCurrencies.insert(account.id, account.currency);
        m_accountCombo->addItem(account.name, account.id);
    }
}

void RecurringFormDialog::fillCategoryCombo()
{
    // Typed text is read as in the transaction form: what the field shows is
    // what is stored.
    QList<EntryChoices::Choice> choices = EntryChoices::categoryChoices(m_state, QString(), false);
    choices.first().label = tr("(none)");
    // This list has always been in the order of the categories' own names.
    std::stable_sort(choices.begin() + 1, choices.end(),
                     [](const EntryChoices::Choice &a, const EntryChoices::Choice &b) { return a.name < b.name; });
    EntryChoices::fillCombo(m_categoryCombo, choices);
    EntryChoices::selectCode(m_categoryCombo, QString());
    connect(m_categoryCombo->lineEdit(), &QLineEdit::editingFinished, this, [this]() {
        EntryChoices::showChoice(m_categoryCombo);
        if (EntryChoices::problem(EntryChoices::read(m_categoryCombo)).isEmpty())
            markField(m_categoryCombo, false);
    });
}

void RecurringFormDialog::loadRecurring(const RecurringTransaction &record)
{
    const int account = m_accountCombo->findData(record.accountId);
    if (account >= 0)
        m_accountCombo->setCurrentIndex(account);

    (record.amount < 0 ? m_paymentRadio : m_depositRadio)->setChecked(true);
    m_payeeEdit->setText(record.payee);
    m_amountField->setValue(
        Money::toUnits(record.amount < 0 ? -record.amount : record.amount, amountCurrency()));
    m_memoEdit->setText(record.memo);

    // A category deleted since shows as none and stays on the record.
    EntryChoices::selectKeepingCategory(m_categoryCombo, EntryChoices::codeOf(record.categoryId, QString()),
                                        QString());

    const int frequency =
        m_frequencyCombo->findData(RecurringRepository::frequencyToString(record.frequency));
    if (frequency >= 0)
        m_frequencyCombo->setCurrentIndex(frequency);
    m_intervalSpin->setValue(record.intervalCount);
    if (const int day = m_firstDayCombo->findData(record.semimonthlyDay1); day >= 0)
        m_firstDayCombo->setCurrentIndex(day);
    if (const int day = m_secondDayCombo->findData(record.semimonthlyDay2); day >= 0)
        m_secondDayCombo->setCurrentIndex(day);
    updateSemimonthlyVisibility();

    m_startDateField->setDate(record.startDate);
    if (record.endDate) {
        m_hasEndDateCheck->setChecked(true);
        m_endDateField->setDate(*record.endDate);
    }

    m_autoPostCheck->setChecked(record.autoPost);
    m_leadDaysSpin->setValue(record.leadDays);
    m_leadDaysSpin->setEnabled(record.autoPost);
    m_activeCheck->setChecked(record.isActive);
}

void RecurringFormDialog::markField(QComboBox *combo, bool refused)
{
    combo->setStyleSheet(refused ? QStringLiteral("QComboBox { border: 2px solid %1; }")
                                       .arg(ThemeManager::negativeColor().name())
                                 : QString());
}

void RecurringFormDialog::onAccountChanged()
{
    const QString accountId = m_accountCombo->currentData().toString();
    if (!accountId.isEmpty() && !m_accountCombo->styleSheet().isEmpty()) {
        markField(m_accountCombo, false);
        m_errorLabel->hide();
    }
    if (!accountId.isEmpty())
        m_payeeCompleter->setModel(
            new QStringListModel(m_state->transactions()->payees(accountId), m_payeeCompleter));
    updateAmountUnits();
}

Currency RecurringFormDialog::amountCurrency() const
{
    if (m_editMode)
        return m_editCurrency;
    return m_accountCurrencies.value(m_accountCombo->currentData().toString(), Currency::USD);
}

void RecurringFormDialog::updateAmountUnits()
{
    // Typed money is in the account's own units behind its symbol: whole
    // yen, cents elsewhere.
    m_amountField->setCurrency(amountCurrency(), false);
    m_amountField->setCurrencyPrefix(amountCurrency());
}

void RecurringFormDialog::updateIntervalUnit()
{
    const QString frequency = m_frequencyCombo->currentData().toString();
    const bool one = m_intervalSpin->value() == 1;
    QString unit;
    if (frequency == QLatin1String("daily"))
        unit = one ? tr("day") : tr("days");
    else if (frequency == QLatin1String("weekly"))
        unit = one ? tr("week") : tr("weeks");
    else if (frequency == QLatin1String("monthly"))
        unit = one ? tr("month") : tr("months");
    else if (frequency == QLatin1String("quarterly"))
        unit = one ? tr("quarter") : tr("quarters");
    else if (frequency == QLatin1String("annual"))
        unit = one ? tr("year") : tr("years");
    m_intervalSpin->setSuffix(unit.isEmpty() ? QString() : QLatin1Char(' ') + unit);
}

void RecurringFormDialog::updateSemimonthlyVisibility()
{
    const bool semimonthly = m_frequencyCombo->currentData().toString() == QLatin1String("semimonthly");
    m_form->setRowVisible(m_intervalSpin, !semimonthly);
    m_form->setRowVisible(m_firstDayCombo, semimonthly);
    m_form->setRowVisible(m_secondDayCombo, semimonthly);
}

void RecurringFormDialog::accept()
{
    QString problem;
    QWidget *field = nullptr;
    if (!m_editMode && m_accountCombo->currentData().toString().isEmpty()) {
        // The list offers every account and selects the first: it is empty
        // only without any, and then there is nowhere to post to.
        problem = tr("Create an account first: a recurring transaction is posted to an account.");
        markField(m_accountCombo, true);
        field = m_accountCombo;
    } else if (!(problem = EntryChoices::problem(EntryChoices::read(m_categoryCombo))).isEmpty()) {
        markField(m_categoryCombo, true);
        field = m_categoryCombo;
    } else if (!m_amountField->typedAmount(&problem)) {
        field = m_amountField;
    } else if (!m_startDateField->checkText(&problem)) {
        field = m_startDateField;
    } else if (m_endDateField->isEnabled() && !m_endDateField->checkText(&problem)) {
        field = m_endDateField;
    }
    if (!m_errorLabel->refuse(field, problem))
        QDialog::accept();
}

RecurringTransaction RecurringFormDialog::recurring() const
{
    RecurringTransaction result = m_original;
    if (!m_editMode) {
        result.id = m_newId;
        result.createdAt = m_newCreatedAt;
    }
    // A stored record keeps its account (the combo is locked while editing).
    result.accountId = m_editMode ? m_original.accountId : m_accountCombo->currentData().toString();
    result.payee = m_payeeEdit->text().trimmed();

    // accept() has refused an amount the field cannot read.
    const qint64 magnitude = m_amountField->typedAmount().value_or(0);
    result.amount = m_paymentRadio->isChecked() ? -magnitude : magnitude;

    // accept() has refused a name that stands for no single category.
    const QString category = EntryChoices::currentCode(m_categoryCombo);
    result.categoryId = category.startsWith(QLatin1String("c:")) ? category.mid(2) : QString();
    result.memo = m_memoEdit->text().trimmed();

    result.frequency = RecurringRepository::frequencyFromString(m_frequencyCombo->currentData().toString());
    result.intervalCount = m_intervalSpin->value();
    result.semimonthlyDay1 = m_firstDayCombo->currentData().toInt();
    result.semimonthlyDay2 = m_secondDayCombo->currentData().toInt();

    const QDate typed = m_startDateField->date();
    qInfo() << "RecurringFormDialog::recurring() — m_editMode=" << m_editMode
            << "isCreateFromSeed=" << m_isCreateFromSeed << "widget.date=" << typed
            << "m_original.startDate=" << m_original.startDate
            << "m_original.nextDueDate=" << m_original.nextDueDate;

    result.endDate =
        m_hasEndDateCheck->isChecked() ? std::optional<QDate>(m_endDateField->date()) : std::nullopt;

    // An untouched start date keeps the schedule where it is; a new one
    // restarts it there.
    if (m_editMode && typed == m_original.startDate) {
        result.startDate = m_original.startDate;
        result.nextDueDate = m_original.nextDueDate;
    } else {
        result.startDate = typed;
        result.nextDueDate = typed;
    }
    if (!RecurringService::isUsableDueDate(result.startDate)) {
        qWarning() << "RecurringFormDialog: rejecting invalid startDate" << result.startDate
                   << "— falling back to today";
        result.startDate = QDate::currentDate();
    }
    if (!RecurringService::isUsableDueDate(result.nextDueDate)) {
        qWarning() << "RecurringFormDialog: rejecting invalid nextDueDate" << result.nextDueDate
                   << "— falling back to startDate" << result.startDate;
        result.nextDueDate = result.startDate;
    }

    result.autoPost = m_autoPostCheck->isChecked();
    result.leadDays = result.autoPost ? m_leadDaysSpin->value() : 0;
    result.isActive = m_activeCheck->isChecked();

    result.syncStatus = SyncStatus::Pending;
    result.updatedAt = nowUtc();
    if (m_editMode)
        result.version = m_original.version + 1;
    return result;
}
