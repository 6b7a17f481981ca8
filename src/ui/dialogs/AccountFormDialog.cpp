#include "AccountFormDialog.h"

#include "DateField.h"
#include "Money.h"
#include "SmartAmountField.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QUuid>
#include <QVBoxLayout>

AccountFormDialog::AccountFormDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("New Account"));
    buildForm();
}

AccountFormDialog::AccountFormDialog(const Account &account, QWidget *parent)
    : QDialog(parent)
    , m_account(account)
    , m_editing(true)
{
    setWindowTitle(tr("Edit Account"));
    buildForm();
    fillFromAccount();
}

void AccountFormDialog::buildForm()
{
    setMinimumWidth(400);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setPlaceholderText(tr("Account name"));
    form->addRow(tr("&Name:"), m_nameEdit);

    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("typeCombo"));
    m_typeCombo->addItem(tr("Checking"), QStringLiteral("checking"));
    m_typeCombo->addItem(tr("Savings"), QStringLiteral("savings"));
    m_typeCombo->addItem(tr("Credit Card"), QStringLiteral("credit_card"));
    m_typeCombo->addItem(tr("Cash"), QStringLiteral("cash"));
    m_typeCombo->addItem(tr("Investment"), QStringLiteral("investment"));
    m_typeCombo->addItem(tr("Other"), QStringLiteral("other"));
    form->addRow(tr("&Type:"), m_typeCombo);

    m_currencyCombo = new QComboBox(this);
    m_currencyCombo->setObjectName(QStringLiteral("currencyCombo"));
    m_currencyCombo->addItem(tr("USD ($)"), QStringLiteral("USD"));
    m_currencyCombo->addItem(tr("EUR (€)"), QStringLiteral("EUR"));
    m_currencyCombo->addItem(tr("GBP (£)"), QStringLiteral("GBP"));
    m_currencyCombo->addItem(tr("CAD ($)"), QStringLiteral("CAD"));
    m_currencyCombo->addItem(tr("AUD ($)"), QStringLiteral("AUD"));
    m_currencyCombo->addItem(tr("JPY (¥)"), QStringLiteral("JPY"));
    form->addRow(tr("&Currency:"), m_currencyCombo);

    m_balanceField = new SmartAmountField(this);
    m_balanceField->setObjectName(QStringLiteral("balanceField"));
    m_balanceField->setCurrency(Currency::USD, true);
    m_balanceField->setValue(0.0);
    form->addRow(tr("Starting &Balance:"), m_balanceField);

    // Typed as shown: a spin box of date parts would put digits typed over
    // the wrong part and make another date of them.
    m_asOfEdit = new DateField(this);
    m_asOfEdit->setObjectName(QStringLiteral("asOfEdit"));
    m_asOfEdit->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    form->addRow(tr("&As of:"), m_asOfEdit);

    // The balance is typed in the currency's own units: whole yen have no
    // decimals, so "1000" is ¥1,000 also with automatic decimal entry on.
    connect(m_currencyCombo, &QComboBox::currentIndexChanged, this, [this]() { applyCurrency(); });
    applyCurrency();

    m_institutionEdit = new QLineEdit(this);
    m_institutionEdit->setObjectName(QStringLiteral("institutionEdit"));
    m_institutionEdit->setPlaceholderText(tr("Bank name (optional)"));
    form->addRow(tr("&Institution:"), m_institutionEdit);

    m_numberEdit = new QLineEdit(this);
    m_numberEdit->setObjectName(QStringLiteral("numberEdit"));
    m_numberEdit->setMaxLength(4);
    m_numberEdit->setPlaceholderText(tr("Last 4 digits (optional)"));
    form->addRow(tr("Account N&umber:"), m_numberEdit);

    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &AccountFormDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    m_nameEdit->setFocus();
}

void AccountFormDialog::applyCurrency()
{
    const Currency currency = currencyFromString(m_currencyCombo->currentData().toString());
    const double value = m_balanceField->value();
    m_balanceField->setCurrency(currency, true);
    m_balanceField->setCurrencyPrefix(currency);
    m_balanceField->setValue(value);
}

void AccountFormDialog::fillFromAccount()
{
    m_nameEdit->setText(m_account.name);
    const int type = m_typeCombo->findData(accountTypeToString(m_account.accountType));
    m_typeCombo->setCurrentIndex(type >= 0 ? type : 0);
    const int currency = m_currencyCombo->findData(currencyToString(m_account.currency));
    m_currencyCombo->setCurrentIndex(currency >= 0 ? currency : 0);
    // Shown in whole currency units: cents divide by 100, yen are already whole.
    m_balanceField->setValue(Money::toUnits(m_account.startingBalance, m_account.currency));
    m_institutionEdit->setText(m_account.institution);
    m_numberEdit->setText(m_account.accountNumberLast4);
}

Account AccountFormDialog::account() const
{
    Account result = m_account;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!m_editing) {
        result.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        result.createdAt = now;
    }
    result.name = m_nameEdit->text().trimmed();

    const QString type = m_typeCombo->currentData().toString();
    if (type == QLatin1String("checking"))
        result.accountType = AccountType::Checking;
    else if (type == QLatin1String("savings"))
        result.accountType = AccountType::Savings;
    else if (type == QLatin1String("credit_card"))
        result.accountType = AccountType::CreditCard;
    else if (type == QLatin1String("cash"))
        result.accountType = AccountType::Cash;
    else if (type == QLatin1String("investment"))
        result.accountType = AccountType::Investment;
    else
        result.accountType = AccountType::Other;

    const QString currency = m_currencyCombo->currentData().toString();
    if (currency == QLatin1String("EUR"))
        result.currency = Currency::EUR;
    else if (currency == QLatin1String("GBP"))
        result.currency = Currency::GBP;
    else if (currency == QLatin1String("CAD"))
        result.currency = Currency::CAD;
    else if (currency == QLatin1String("AUD"))
        result.currency = Currency::AUD;
    else if (currency == QLatin1String("JPY"))
        result.currency = Currency::JPY;
    else
        result.currency = Currency::USD;

    // The minor unit follows the currency: cents for most, whole yen for JPY,
    // so ¥1,000 is stored as 1000 and not as 100000.
    // accept() has refused text that is not an amount.
    result.startingBalance = m_balanceField->typedAmount().value_or(0);

    result.institution = m_institutionEdit->text().trimmed();
    result.accountNumberLast4 = m_numberEdit->text().trimmed();
    result.updatedAt = now;
    result.syncStatus = SyncStatus::Pending;
    return result;
}

QDate AccountFormDialog::asOfDate() const
{
    return m_asOfEdit->date();
}

void AccountFormDialog::setOpeningBalance(qint64 amount, const QDate &date, bool locked)
{
    m_balanceField->setValue(Money::toUnits(amount, m_account.currency));
    if (date.isValid())
        m_asOfEdit->setDate(date);
    m_balanceField->setEnabled(!locked);
    m_asOfEdit->setEnabled(!locked);
    if (locked)
        m_balanceField->setToolTip(tr("The opening balance is reconciled."));
}

void AccountFormDialog::setCurrencyLocked(bool locked)
{
    m_currencyCombo->setEnabled(!locked);
    m_currencyCombo->setToolTip(locked ? tr("The currency cannot change while the account has transactions: "
                                            "their amounts are in this currency.")
                                       : QString());
}

void AccountFormDialog::accept()
{
    QString problem;
    QWidget *field = nullptr;
    if (!m_balanceField->typedAmount(&problem))
        field = m_balanceField;
    else if (m_asOfEdit->isEnabled() && !m_asOfEdit->checkText(&problem))
        field = m_asOfEdit;
    if (field) {
        QMessageBox::warning(this, windowTitle(), problem);
        field->setFocus();
        return;
    }
    QDialog::accept();
}
