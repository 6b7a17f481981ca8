#include "AccountSidebar.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CellPainter.h"
#include "EntryChoices.h"
#include "Money.h"
#include "PreferencesRepository.h"
#include "ReadFailureWatch.h"
#include "ThemeManager.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

// Name over type on the left, the balance on the right, level with the name.
class AccountItemDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        const int name = QFontMetrics(ThemeManager::roleFont(1)).height();
        const int detail = QFontMetrics(ThemeManager::roleFont(2)).height();
        return QSize(option.rect.width(), name + detail + 16);
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.text.clear();
        CellPainter::drawBackground(painter, opt);

        const bool selected = opt.state & QStyle::State_Selected;
        const QColor text = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        const QRect area = opt.rect.adjusted(12, 7, -12, -7);
        const QFont nameFont = ThemeManager::roleFont(1);
        const QFont detailFont = ThemeManager::roleFont(2);
        const QFont balanceFont = ThemeManager::roleFont(1);
        const QString balance = index.data(AccountSidebar::BalanceTextRole).toString();
        const int balanceWidth = QFontMetrics(balanceFont).horizontalAdvance(balance);
        const int nameHeight = QFontMetrics(nameFont).height();

        painter->save();
        painter->setFont(balanceFont);
        QColor balanceColor = text;
        if (!selected && index.data(AccountSidebar::NegativeRole).toBool())
            balanceColor = ThemeManager::negativeColor();
        painter->setPen(balanceColor);
        const QRect balanceRect(area.right() - balanceWidth, area.top(), balanceWidth, nameHeight);
        m_cells.drawText(painter, balanceRect, Qt::AlignRight | Qt::AlignVCenter, balance,
                         QFontMetrics(balanceFont), Qt::ElideNone);

        painter->setFont(nameFont);
        painter->setPen(text);
        const QRect nameRect(area.left(), area.top(), area.width() - balanceWidth - 12, nameHeight);
        m_cells.drawText(painter, nameRect, Qt::AlignLeft | Qt::AlignVCenter,
                         opt.index.data(Qt::DisplayRole).toString(), QFontMetrics(nameFont));

        painter->setFont(detailFont);
        painter->setPen(selected ? text : opt.palette.color(QPalette::PlaceholderText));
        const QRect detailRect(area.left(), area.top() + nameHeight + 2, area.width(),
                               area.height() - nameHeight - 2);
        m_cells.drawText(painter, detailRect, Qt::AlignLeft | Qt::AlignVCenter,
                         index.data(AccountSidebar::DetailRole).toString(), QFontMetrics(detailFont));
        painter->restore();
    }

private:
    mutable CellPainter m_cells;
};

} // namespace

AccountSidebar::AccountSidebar(AppState *app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
{
    setMinimumWidth(170);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *header = new QWidget(this);
    auto *headerLayout = new QVBoxLayout(header);
    headerLayout->setContentsMargins(12, 12, 12, 6);
    headerLayout->setSpacing(2);
    auto *title = new QLabel(tr("Accounts"), header);
    applyFontRole(title, 3);
    m_modeLabel = new QLabel(header);
    applyFontRole(m_modeLabel, 2);
    m_modeLabel->setForegroundRole(QPalette::PlaceholderText);
    headerLayout->addWidget(title);
    headerLayout->addWidget(m_modeLabel);
    layout->addWidget(header);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("accountList"));
    m_list->setItemDelegate(new AccountItemDelegate(m_list));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(m_list, 1);

    auto *addButton = new QPushButton(tr("+ New Account"), this);
    addButton->setFlat(true);
    addButton->setCursor(Qt::PointingHandCursor);
    connect(addButton, &QPushButton::clicked, this, &AccountSidebar::newAccountRequested);
    auto *footer = new QHBoxLayout;
    footer->setContentsMargins(8, 6, 8, 8);
    footer->addWidget(addButton);
    footer->addStretch(1);
    layout->addLayout(footer);

    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current) {
        if (!m_rebuilding && current)
            emit accountSelected(current->data(AccountIdRole).toString());
    });
}

QString AccountSidebar::modeText() const
{
    if (m_mode == QLatin1String("cleared"))
        return tr("Cleared balances");
    if (m_mode == QLatin1String("asOfToday"))
        return tr("Balances as of today");
    return tr("Current balances");
}

void AccountSidebar::rebuild()
{
    ++m_rebuildCount;
    m_staleBalances.clear();
    m_allBalancesStale = false;
    const QString selected = currentAccountId();
    m_mode = m_app->preferences()->value(PreferenceKeys::DashboardBalanceMode);
    m_modeLabel->setText(modeText());
    const ReadFailureWatch watch;
    const QList<std::optional<qint64>> balances = readAccounts();

    m_rebuilding = true;
    // Reuse the items when the accounts are the same ones in the same order, so
    // that a change of balances does not disturb the selection or the scroll.
    bool sameAccounts = m_list->count() == m_accounts.size();
    for (int i = 0; sameAccounts && i < m_accounts.size(); ++i)
        sameAccounts = m_list->item(i)->data(AccountIdRole).toString() == m_accounts.at(i).id;
    if (!sameAccounts)
        m_list->clear();
    for (int i = 0; i < m_accounts.size(); ++i) {
        const Account &account = m_accounts.at(i);
        QListWidgetItem *item = sameAccounts ? m_list->item(i) : new QListWidgetItem(m_list);
        QStringList detail{EntryChoices::accountTypeLabel(account.accountType)};
        if (!account.institution.isEmpty())
            detail << account.institution;
        if (!account.accountNumberLast4.isEmpty())
            detail << QStringLiteral("••%1").arg(account.accountNumberLast4);
        item->setText(account.name);
        item->setData(AccountIdRole, account.id);
        item->setData(DetailRole, detail.join(QStringLiteral(" · ")));
    }
    for (int i = 0; i < m_accounts.size(); ++i)
        showBalance(i, balances.value(i));
    if (QListWidgetItem *item = itemFor(selected))
        m_list->setCurrentItem(item);
    m_rebuilding = false;
    reportReadFailure(watch);
}

QList<std::optional<qint64>> AccountSidebar::readAccounts()
{
    QList<std::optional<qint64>> balances;
    if (const std::optional<QList<ListedAccount>> listed = m_app->accounts()->listed(m_mode)) {
        m_accounts.clear();
        m_accounts.reserve(listed->size());
        for (const ListedAccount &each : *listed) {
            m_accounts.append(each.account);
            balances.append(each.balance);
        }
        return balances;
    }
    // Apart, what still reads is shown: a list that could not be read is no
    // empty list (the last one read stays), a balance that could not be is none.
    const ReadFailureWatch watch;
    const QList<Account> accounts = m_app->accounts()->findAll();
    if (!watch.failed())
        m_accounts = accounts;
    const QHash<QString, qint64> byId = m_app->accounts()->balances(m_mode);
    for (const Account &account : std::as_const(m_accounts)) {
        const auto found = byId.constFind(account.id);
        balances.append(found != byId.constEnd() ? std::optional<qint64>(*found) : std::nullopt);
    }
    return balances;
}

void AccountSidebar::refreshBalances()
{
    ++m_rebuildCount;
    const ReadFailureWatch watch;
    // Taken by swapping two lists that keep their room: marking an account
    // after every edit allocates nothing.
    m_staleTaken.clear();
    std::swap(m_staleTaken, m_staleBalances);
    const QStringList stale = m_staleTaken;
    const bool all = std::exchange(m_allBalancesStale, false);
    if (all || stale.isEmpty() || m_list->count() != m_accounts.size()) {
        showBalances(m_app->accounts()->balances(m_mode));
    } else {
        // One account's kept sum costs one row, whatever the file holds.
        for (const QString &id : stale) {
            const auto found = std::find_if(m_accounts.cbegin(), m_accounts.cend(),
                                            [&id](const Account &account) { return account.id == id; });
            if (found != m_accounts.cend())
                showBalance(int(found - m_accounts.cbegin()), m_app->accounts()->balance(id, m_mode));
        }
    }
    reportReadFailure(watch);
}

void AccountSidebar::reportReadFailure(const ReadFailureWatch &watch)
{
    m_readFailed = watch.failed();
    if (!m_readFailed)
        return;
    // Amounts too large to add up are no fault of the file: the accounts are named.
    QStringList tooLarge;
    for (int i = 0; watch.overflowed() && i < m_accounts.size() && i < m_list->count(); ++i) {
        if (!m_list->item(i)->data(BalanceRole).isValid())
            tooLarge << m_accounts.at(i).name;
    }
    if (!tooLarge.isEmpty())
        emit statusMessage(tr("The amounts of %1 are too large to add up.").arg(tooLarge.join(QStringLiteral(", "))),
                           10000);
    else
        emit statusMessage(tr("Some accounts or balances could not be read from the database."), 10000);
}

void AccountSidebar::showBalances(const QHash<QString, qint64> &balances)
{
    for (int i = 0; i < m_accounts.size() && i < m_list->count(); ++i) {
        // An account missing from the balances is one whose balance could not
        // be read: no figure rather than a wrong one.
        const auto found = balances.constFind(m_accounts.at(i).id);
        showBalance(i, found != balances.constEnd() ? std::optional<qint64>(*found) : std::nullopt);
    }
}

void AccountSidebar::showBalance(int row, std::optional<qint64> balance)
{
    const Account &account = m_accounts.at(row);
    QListWidgetItem *item = m_list->item(row);
    const QVariant value = balance ? QVariant(*balance) : QVariant();
    const QString text = balance ? Money::format(*balance, account.currency) : QStringLiteral("—");
    // The same figure as shown: nothing to do, unless a rebuild renamed the
    // account, which the tool tip names.
    const bool same = item->data(BalanceRole) == value && item->data(BalanceTextRole).toString() == text;
    if (same && !m_rebuilding)
        return;
    // Qt takes a tool tip that looks like markup for rich text: a name stays as written.
    QString tip = QStringLiteral("%1\n%2").arg(account.name, text);
    if (Qt::mightBeRichText(tip))
        tip = Qt::convertFromPlainText(tip);
    if (same && item->toolTip() == tip)
        return;
    // Items repaint themselves when a value changes; the others stay as drawn.
    item->setData(BalanceRole, value);
    item->setData(BalanceTextRole, text);
    item->setData(NegativeRole, balance && *balance < 0);
    item->setToolTip(tip);
}

QListWidgetItem *AccountSidebar::itemFor(const QString &accountId) const
{
    if (accountId.isEmpty())
        return nullptr;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->data(AccountIdRole).toString() == accountId)
            return m_list->item(i);
    }
    return nullptr;
}

QString AccountSidebar::currentAccountId() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(AccountIdRole).toString() : QString();
}

void AccountSidebar::setCurrentAccountId(const QString &accountId)
{
    QListWidgetItem *item = itemFor(accountId);
    if (!item || item == m_list->currentItem())
        return;
    m_rebuilding = true;
    m_list->setCurrentItem(item);
    m_rebuilding = false;
}

QString AccountSidebar::balanceText(const QString &accountId) const
{
    const QListWidgetItem *item = itemFor(accountId);
    return item ? item->data(BalanceTextRole).toString() : QString();
}

void AccountSidebar::markBalanceStale(const QString &accountId)
{
    if (accountId.isEmpty())
        m_allBalancesStale = true;
    else if (!m_staleBalances.contains(accountId))
        m_staleBalances.append(accountId);
}
