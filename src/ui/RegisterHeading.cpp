#include "RegisterHeading.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "ElidedLabel.h"
#include "EntryChoices.h"
#include "FigureLabelBox.h"
#include "Money.h"
#include "ThemeManager.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

RegisterHeading::RegisterHeading(AppState *app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("registerHeader"));
    auto *headerLayout = new QHBoxLayout(this);
    headerLayout->setContentsMargins(16, 12, 16, 10);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    // The account's name and institution are the user's or a server's text, never markup.
    m_nameLabel = new ElidedLabel(this);
    m_nameLabel->setTextFormat(Qt::PlainText);
    applyFontRole(m_nameLabel, 5);
    m_detailLabel = new ElidedLabel(this);
    m_detailLabel->setTextFormat(Qt::PlainText);
    applyFontRole(m_detailLabel, 2);
    m_detailLabel->setForegroundRole(QPalette::PlaceholderText);
    titles->addWidget(m_nameLabel);
    titles->addWidget(m_detailLabel);
    headerLayout->addLayout(titles, 1);
    auto addFigure = [&](const QString &caption, QLabel *&value) {
        auto *box = new QVBoxLayout;
        box->setSpacing(2);
        auto *label = new QLabel(caption, this);
        applyFontRole(label, 2);
        label->setForegroundRole(QPalette::PlaceholderText);
        label->setAlignment(Qt::AlignRight);
        // Its figure changes with every edit: the heading is not laid out again for it.
        auto *figure = new FigureLabelBox(this);
        value = figure->label();
        applyFontRole(value, 4);
        value->setAlignment(Qt::AlignRight);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        box->addWidget(label);
        box->addWidget(figure);
        headerLayout->addSpacing(24);
        headerLayout->addLayout(box);
    };
    addFigure(tr("Cleared balance"), m_clearedValue);
    addFigure(tr("Current balance"), m_balanceValue);
    m_clearedValue->setObjectName(QStringLiteral("clearedBalanceValue"));
    m_balanceValue->setObjectName(QStringLiteral("currentBalanceValue"));
}

void RegisterHeading::setAccount(const Account &account)
{
    if (account.id.isEmpty()) {
        m_nameLabel->setText(tr("No account selected"));
        m_detailLabel->clear();
        m_balanceValue->clear();
        m_clearedValue->clear();
        return;
    }
    m_nameLabel->setText(account.name);
    QStringList details{EntryChoices::accountTypeLabel(account.accountType)};
    if (!account.institution.isEmpty())
        details << account.institution;
    if (!account.accountNumberLast4.isEmpty())
        details << QStringLiteral("••%1").arg(account.accountNumberLast4);
    details << currencyToString(account.currency);
    m_detailLabel->setText(details.join(QStringLiteral("  ·  ")));

    // From the sums the file keeps per account, as the sidebar reads them: an
    // edit in a large register does not add up all of its rows again.
    AccountRepository *accounts = m_app->accounts();
    const std::optional<qint64> current = accounts->balance(account.id, QStringLiteral("current"));
    const std::optional<qint64> cleared = accounts->balance(account.id, QStringLiteral("cleared"));
    auto show = [](QLabel *label, std::optional<qint64> amount, Currency currency) {
        if (!amount) {
            label->setText(QStringLiteral("—"));
            return;
        }
        label->setText(Money::format(*amount, currency));
        // A new style sheet polishes the label and lays the header out again:
        // only when the sign of the figure changed.
        const QString sheet =
            *amount < 0 ? ThemeManager::textColorStyleSheet(ThemeManager::negativeColor()) : QString();
        if (label->styleSheet() != sheet)
            label->setStyleSheet(sheet);
    };
    show(m_balanceValue, current, account.currency);
    show(m_clearedValue, cleared, account.currency);
}

void RegisterHeading::showUnread()
{
    m_balanceValue->setText(QStringLiteral("—"));
    m_clearedValue->setText(QStringLiteral("—"));
}
