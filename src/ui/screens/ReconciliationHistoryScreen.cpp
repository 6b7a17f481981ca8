#include "ReconciliationHistoryScreen.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "Money.h"
#include "ReconciliationRepository.h"
#include "ThemeManager.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column
{
    StatementDateColumn,
    StatementBalanceColumn,
    ReconciledBalanceColumn,
    CompletedColumn,
    ColumnCount
};

QTableWidgetItem *moneyItem(qint64 amount, Currency currency)
{
    auto *item = new QTableWidgetItem(Money::format(amount, currency));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (amount < 0)
        item->setForeground(ThemeManager::negativeColor());
    return item;
}

} // namespace

ReconciliationHistoryScreen::ReconciliationHistoryScreen(AppState *app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(12);

    m_titleLabel = new QLabel(tr("Reconciliation History"), this);
    m_titleLabel->setObjectName(QStringLiteral("titleLabel"));
    m_titleLabel->setTextFormat(Qt::PlainText);
    applyFontRole(m_titleLabel, 5);
    layout->addWidget(m_titleLabel);

    auto *subtitle = new QLabel(tr("Past reconciliations for this account."), this);
    subtitle->setStyleSheet(ThemeManager::textColorStyleSheet(ThemeManager::mutedColor()));
    layout->addWidget(subtitle);
    layout->addSpacing(8);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("historyTable"));
    m_table->setHorizontalHeaderLabels(
        {tr("Statement Date"), tr("Statement Balance"), tr("Reconciled Balance"), tr("Completed")});
    QHeaderView *header = m_table->horizontalHeader();
    header->setSectionResizeMode(StatementDateColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(StatementBalanceColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(ReconciledBalanceColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(CompletedColumn, QHeaderView::ResizeToContents);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    layout->addWidget(m_table, 1);

    m_emptyLabel = new QLabel(
        tr("No reconciliations yet. Reconcile your account from the register to see the history here."),
        this);
    m_emptyLabel->setObjectName(QStringLiteral("emptyLabel"));
    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_emptyLabel->setWordWrap(true);
    m_emptyLabel->setStyleSheet(ThemeManager::textColorStyleSheet(ThemeManager::mutedColor()) + QStringLiteral(" padding: 32px;"));
    m_emptyLabel->hide();
    layout->addWidget(m_emptyLabel);
}

void ReconciliationHistoryScreen::setAccount(const QString &accountId)
{
    m_accountId = accountId;
    reload();
}

void ReconciliationHistoryScreen::reload()
{
    if (m_accountId.isEmpty())
        return;
    const std::optional<Account> account = m_app->accounts()->findById(m_accountId);
    // Without the account the title would still name the one shown before.
    m_titleLabel->setText(account ? tr("Reconciliation History — %1").arg(account->name)
                                  : tr("Reconciliation History"));
    const Currency currency = account ? account->currency : Currency::USD;

    const QList<Reconciliation> reconciliations = m_app->reconciliations()->findByAccount(m_accountId);
    if (reconciliations.isEmpty()) {
        m_table->setRowCount(0);
        m_table->hide();
        m_emptyLabel->show();
        return;
    }
    m_table->show();
    m_emptyLabel->hide();
    m_table->setRowCount(0);
    m_table->setRowCount(int(reconciliations.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const Reconciliation &r = reconciliations.at(row);
        m_table->setItem(row, StatementDateColumn,
                         new QTableWidgetItem(r.statementDate.toString(QStringLiteral("MMM d, yyyy"))));
        m_table->setItem(row, StatementBalanceColumn, moneyItem(r.statementBalance, currency));
        m_table->setItem(row, ReconciledBalanceColumn, moneyItem(r.reconciledBalance, currency));
        m_table->setItem(row, CompletedColumn,
                         new QTableWidgetItem(
                             r.completedAt.toLocalTime().toString(QStringLiteral("MMM d, yyyy h:mm ap"))));
    }
}
