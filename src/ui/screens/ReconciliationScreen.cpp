#include "ReconciliationScreen.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "DateField.h"
#include "Money.h"
#include "PlainMessage.h"
#include "ReconciliationRepository.h"
#include "ReconciliationService.h"
#include "SmartAmountField.h"
#include "ThemeManager.h"
#include "TransactionActions.h"
#include "TransactionFormDialog.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column
{
    TickColumn,
    DateColumn,
    PayeeColumn,
    AmountColumn,
    ClearedColumn,
    ColumnCount
};

} // namespace

ReconciliationScreen::ReconciliationScreen(AppState *app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
{
    m_service = new ReconciliationService(app->database(), app->accounts(), app->transactions(),
                                          app->reconciliations(), this);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    outer->addWidget(splitter);

    QWidget *left = buildStatementPanel(splitter);
    QWidget *right = buildTransactionPanel(splitter);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);

    installShortcuts();
}

// Statement and summary.
QWidget *ReconciliationScreen::buildStatementPanel(QWidget *parent)
{
    auto *left = new QWidget(parent);
    left->setFixedWidth(310);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(16, 16, 16, 16);

    auto *title = new QLabel(tr("Reconcile Account"), left);
    applyFontRole(title, 3, 700);
    leftLayout->addWidget(title);
    leftLayout->addSpacing(16);

    leftLayout->addWidget(new QLabel(tr("Statement Date:"), left));
    m_dateField = new DateField(left);
    m_dateField->setObjectName(QStringLiteral("statementDateField"));
    leftLayout->addWidget(m_dateField);
    leftLayout->addSpacing(8);

    leftLayout->addWidget(new QLabel(tr("Statement Balance:"), left));
    m_balanceField = new SmartAmountField(left);
    m_balanceField->setObjectName(QStringLiteral("statementBalanceField"));
    m_balanceField->setCurrency(m_currency, true);
    m_balanceField->setCurrencyPrefix(m_currency);
    m_balanceField->setValue(0.0);
    connect(m_balanceField, &SmartAmountField::valueChanged, this, &ReconciliationScreen::updateDifference);
    leftLayout->addWidget(m_balanceField);
    leftLayout->addSpacing(16);

    leftLayout->addLayout(buildSummaryGrid(left));

    leftLayout->addStretch(1);
    m_finishButton = new QPushButton(tr("Finish Reconciliation"), left);
    m_finishButton->setObjectName(QStringLiteral("finishButton"));
    m_finishButton->setEnabled(false);
    connect(m_finishButton, &QPushButton::clicked, this, &ReconciliationScreen::finish);
    leftLayout->addWidget(m_finishButton);
    auto *cancelButton = new QPushButton(tr("Cancel"), left);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(cancelButton, &QPushButton::clicked, this, &ReconciliationScreen::cancelled);
    leftLayout->addWidget(cancelButton);
    return left;
}

// The running summary, returned before it joins the panel's layout.
QGridLayout *ReconciliationScreen::buildSummaryGrid(QWidget *panel)
{
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 0);
    auto separator = [grid, panel](int gridRow) {
        auto *line = new QFrame(panel);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        grid->addWidget(line, gridRow, 0, 1, 2);
    };
    addSummaryRow(grid, 0, tr("Previous Balance"), m_previousValue, true);
    addSummaryRow(grid, 1, tr("Cleared Deposits"), m_depositsValue, false);
    addSummaryRow(grid, 2, tr("Cleared Withdrawals"), m_withdrawalsValue, false);
    separator(3);
    addSummaryRow(grid, 4, tr("Cleared Balance"), m_clearedValue, false);
    addSummaryRow(grid, 5, tr("Statement Balance"), m_statementValue, true);
    separator(6);
    addSummaryRow(grid, 7, tr("Difference"), m_differenceValue, false);
    if (QLayoutItem *caption = grid->itemAtPosition(7, 0))
        applyFontRole(caption->widget(), 0, 700);
    applyFontRole(m_differenceValue, 7, 700);
    m_previousValue->setObjectName(QStringLiteral("previousBalanceValue"));
    m_depositsValue->setObjectName(QStringLiteral("clearedDepositsValue"));
    m_withdrawalsValue->setObjectName(QStringLiteral("clearedWithdrawalsValue"));
    m_clearedValue->setObjectName(QStringLiteral("clearedBalanceValue"));
    m_statementValue->setObjectName(QStringLiteral("statementBalanceValue"));
    m_differenceValue->setObjectName(QStringLiteral("differenceValue"));
    return grid;
}

// The account's unreconciled transactions.
QWidget *ReconciliationScreen::buildTransactionPanel(QWidget *parent)
{
    auto *right = new QWidget(parent);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    auto *tools = new QHBoxLayout;
    tools->setContentsMargins(8, 8, 8, 4);
    tools->setSpacing(8);
    auto toolButton = [right, tools, this](const QString &text, const QString &tip, const QString &name,
                                           void (ReconciliationScreen::*slot)()) {
        auto *button = new QPushButton(text, right);
        button->setObjectName(name);
        button->setToolTip(tip);
        connect(button, &QPushButton::clicked, this, slot);
        tools->addWidget(button);
    };
    toolButton(
        tr("Add Transaction"),
        tr("Add a transaction (%1)").arg(QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText)),
        QStringLiteral("addButton"), &ReconciliationScreen::addTransaction);
    toolButton(tr("Edit"), tr("Edit selected transaction (F2)"), QStringLiteral("editButton"),
               &ReconciliationScreen::editSelectedTransaction);
    toolButton(tr("Delete"), tr("Delete selected transaction (Del)"), QStringLiteral("deleteButton"),
               &ReconciliationScreen::deleteSelectedTransaction);
    tools->addStretch(1);
    rightLayout->addLayout(tools);

    buildTransactionTable(right);
    rightLayout->addWidget(m_table, 1);
    return right;
}

void ReconciliationScreen::buildTransactionTable(QWidget *panel)
{
    m_table = new QTableWidget(0, ColumnCount, panel);
    m_table->setObjectName(QStringLiteral("transactionTable"));
    m_table->setHorizontalHeaderLabels({QString(), tr("Date"), tr("Payee"), tr("Amount"), tr("Clr")});
    QHeaderView *header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(TickColumn, QHeaderView::Fixed);
    header->resizeSection(TickColumn, 30);
    header->setSectionResizeMode(PayeeColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(AmountColumn, QHeaderView::Fixed);
    header->resizeSection(AmountColumn, 100);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int, int column) {
        if (column != TickColumn)
            editSelectedTransaction();
    });
    m_table->installEventFilter(this);
}

void ReconciliationScreen::installShortcuts()
{
    for (const QKeySequence &keys : QKeySequence::keyBindings(QKeySequence::New))
        addShortcut(keys, &ReconciliationScreen::addTransaction);
    addShortcut(QKeySequence(Qt::Key_Insert), &ReconciliationScreen::addTransaction);
    addShortcut(QKeySequence(Qt::Key_F2), &ReconciliationScreen::editSelectedTransaction);
    for (const QKeySequence &keys : QKeySequence::keyBindings(QKeySequence::Delete))
        addShortcut(keys, &ReconciliationScreen::deleteSelectedTransaction);
    addShortcut(QKeySequence(Qt::Key_Delete), &ReconciliationScreen::deleteSelectedTransaction);
}

void ReconciliationScreen::addSummaryRow(QGridLayout *grid, int gridRow, const QString &caption,
                                         QLabel *&value, bool muted)
{
    QWidget *owner = grid->parentWidget() ? grid->parentWidget() : this;
    auto *captionLabel = new QLabel(caption, owner);
    captionLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    value = new QLabel(owner);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    applyFontRole(value, 7);
    if (muted) {
        captionLabel->setStyleSheet(ThemeManager::textColorStyleSheet(ThemeManager::mutedColor()));
        value->setStyleSheet(ThemeManager::textColorStyleSheet(ThemeManager::mutedColor()));
    }
    grid->addWidget(captionLabel, gridRow, 0);
    grid->addWidget(value, gridRow, 1);
}

// One shortcut per key sequence: two with the same sequence are ambiguous and
// neither fires (the platform's Delete sequence is the Delete key here).
void ReconciliationScreen::addShortcut(const QKeySequence &sequence, void (ReconciliationScreen::*slot)())
{
    if (sequence.isEmpty() || m_shortcutKeys.contains(sequence))
        return;
    m_shortcutKeys.append(sequence);
    auto *shortcut = new QShortcut(sequence, this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, slot);
}

void ReconciliationScreen::setAccount(const QString &accountId)
{
    m_accountId = accountId;
    const std::optional<Account> account = m_app->accounts()->findById(accountId);
    const std::optional<ReconciliationService::Reconciled> reconciled = m_service->reconciled(accountId);
    if (!account || !reconciled) {
        // Nothing to reconcile, and nothing to add transactions to.
        m_accountId.clear();
        return;
    }
    m_currency = account->currency;
    // The statement balance is typed in the account's own units (whole yen
    // for a yen account) behind its symbol.
    m_balanceField->setCurrency(m_currency, true);
    m_balanceField->setCurrencyPrefix(m_currency);
    m_previousBalance = reconciled->balance;

    const QDate proposed = ReconciliationService::defaultStatementDate(
        reconciled->lastDate, m_app->reconciliations()->findLatestByAccount(accountId));
    if (proposed.isValid())
        m_dateField->setDate(proposed);
    loadTransactions();
}

void ReconciliationScreen::loadTransactions()
{
    if (m_accountId.isEmpty())
        return;
    QHash<QString, bool> remembered;
    for (qsizetype i = 0; i < m_transactions.size() && i < m_ticked.size(); ++i)
        remembered.insert(m_transactions.at(i).id, m_ticked.at(i));
    const int currentRow = m_table->currentRow();
    const QString currentId = rowValid(currentRow) ? m_transactions.at(currentRow).id : QString();

    m_transactions = m_app->transactions()->findUnreconciled(m_accountId);
    m_ticked.clear();
    m_ticked.reserve(m_transactions.size());
    for (const Transaction &t : std::as_const(m_transactions))
        m_ticked.append(remembered.value(t.id, t.cleared));

    m_table->setRowCount(0);
    m_table->setRowCount(int(m_transactions.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        fillRow(row);
        if (!currentId.isEmpty() && m_transactions.at(row).id == currentId)
            m_table->setCurrentCell(row, DateColumn);
    }
    updateDifference();
}

void ReconciliationScreen::fillRow(int row)
{
    const Transaction &t = m_transactions.at(row);

    auto *box = new QCheckBox(m_table);
    box->setChecked(m_ticked.at(row));
    // The table keeps the keyboard: its own keys tick the current row.
    box->setFocusPolicy(Qt::NoFocus);
    connect(box, &QCheckBox::toggled, this, [this, row](bool checked) {
        if (!rowValid(row))
            return;
        m_ticked[row] = checked;
        onTransactionToggled(row);
    });
    m_table->setCellWidget(row, TickColumn, box);

    m_table->setItem(row, DateColumn, new QTableWidgetItem(t.date.toString(QStringLiteral("MM/dd/yyyy"))));
    m_table->setItem(row, PayeeColumn, new QTableWidgetItem(t.payee));
    // The account's own currency: a yen amount read as dollars would be a
    // hundredfold wrong.
    auto *amount = new QTableWidgetItem(Money::format(t.amount, m_currency));
    amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (t.amount < 0)
        amount->setForeground(ThemeManager::negativeColor());
    m_table->setItem(row, AmountColumn, amount);
    m_table->setItem(row, ClearedColumn, new QTableWidgetItem(t.cleared ? QStringLiteral("C") : QString()));
}

bool ReconciliationScreen::rowValid(int row) const
{
    return row >= 0 && row < m_transactions.size() && row < m_ticked.size();
}

void ReconciliationScreen::setTicked(int row, bool ticked)
{
    if (!rowValid(row))
        return;
    // The check box's own handler stores the state, so the row flips once.
    if (auto *box = qobject_cast<QCheckBox *>(m_table->cellWidget(row, TickColumn))) {
        box->setChecked(ticked);
        return;
    }
    m_ticked[row] = ticked;
    updateDifference();
}

void ReconciliationScreen::onTransactionToggled(int)
{
    updateDifference();
}

qint64 ReconciliationScreen::statementMinorUnits() const
{
    // Text the field cannot read counts as its last amount; Finish refuses it.
    if (const std::optional<qint64> typed = m_balanceField->typedAmount())
        return *typed;
    return Money::toMinorUnits(m_balanceField->value(), m_currency).value_or(0);
}

ReconciliationScreen::Summary ReconciliationScreen::summary() const
{
    Summary s;
    for (qsizetype i = 0; i < m_transactions.size() && i < m_ticked.size(); ++i) {
        if (!m_ticked.at(i))
            continue;
        const qint64 amount = m_transactions.at(i).amount;
        if (amount >= 0)
            s.deposits += amount;
        else
            s.withdrawals += amount;
    }
    s.clearedBalance = m_previousBalance + s.withdrawals + s.deposits;
    s.statementBalance = statementMinorUnits();
    s.difference = s.statementBalance - s.clearedBalance;
    return s;
}

void ReconciliationScreen::updateDifference()
{
    const Summary s = summary();
    m_previousValue->setText(Money::format(m_previousBalance, m_currency));
    m_depositsValue->setText(Money::format(s.deposits, m_currency));
    m_withdrawalsValue->setText(Money::format(s.withdrawals, m_currency));
    m_clearedValue->setText(Money::format(s.clearedBalance, m_currency));
    m_statementValue->setText(Money::format(s.statementBalance, m_currency));
    m_differenceValue->setText(Money::format(s.difference, m_currency));
    const QColor colour = s.difference == 0 ? ThemeManager::positiveColor() : ThemeManager::negativeColor();
    m_differenceValue->setStyleSheet(ThemeManager::textColorStyleSheet(colour));
    m_finishButton->setEnabled(s.difference == 0 && !m_accountId.isEmpty() && !m_finishing);
}

void ReconciliationScreen::reloadAll()
{
    if (const auto reconciled = m_service->reconciled(m_accountId))
        m_previousBalance = reconciled->balance;
    loadTransactions();
}

void ReconciliationScreen::finish()
{
    if (m_finishing || m_accountId.isEmpty())
        return;
    // A statement date or balance the fields cannot read is refused, never
    // recorded as the last one they could.
    QString problem;
    QWidget *unreadable = nullptr;
    if (!m_dateField->checkText(&problem))
        unreadable = m_dateField;
    else if (!m_balanceField->typedAmount(&problem))
        unreadable = m_balanceField;
    if (unreadable) {
        PlainMessage::show(this, QMessageBox::Warning, tr("Reconcile Account"), problem, QMessageBox::Ok);
        unreadable->setFocus();
        return;
    }
    // Text typed but not yet committed counts, as it is what the user sees.
    m_balanceField->interpretText();
    const Summary s = summary();
    if (s.difference != 0) {
        updateDifference();
        return;
    }
    m_finishing = true;
    m_finishButton->setEnabled(false);

    QList<Transaction> ticked;
    for (qsizetype i = 0; i < m_transactions.size() && i < m_ticked.size(); ++i) {
        if (m_ticked.at(i))
            ticked.append(m_transactions.at(i));
    }
    const ReconciliationService::Outcome outcome =
        m_service->finish(m_accountId, m_dateField->date(), s.statementBalance, m_previousBalance, ticked);
    m_finishing = false;
    reloadAll();

    const QPointer<ReconciliationScreen> self(this);
    switch (outcome) {
    case ReconciliationService::Outcome::Completed:
        PlainMessage::show(this, QMessageBox::Information, tr("Reconciliation Complete"),
                           tr("Account reconciled successfully."), QMessageBox::Ok);
        if (self)
            emit reconciliationCompleted();
        break;
    case ReconciliationService::Outcome::Stale:
        PlainMessage::show(
            this, QMessageBox::Warning, tr("Transactions Changed"),
            tr("Some of the ticked transactions were changed or deleted since they were shown. Nothing "
               "was reconciled; the list has been read again. Check the difference and finish again."),
            QMessageBox::Ok);
        break;
    case ReconciliationService::Outcome::Failed:
        PlainMessage::show(this, QMessageBox::Warning, tr("Reconciliation Failed"),
                           tr("The reconciliation could not be saved. Nothing was changed."),
                           QMessageBox::Ok);
        break;
    }
}

void ReconciliationScreen::addTransaction()
{
    if (m_accountId.isEmpty())
        return;
    TransactionFormDialog dialog(m_app, m_accountId, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Through the writer, so that a transfer entered here has its other leg.
    if (!m_app->transactionWriter()->insert(dialog.transaction()))
        PlainMessage::show(this, QMessageBox::Warning, tr("Save Failed"),
                           tr("The transaction could not be saved."), QMessageBox::Ok);
    loadTransactions();
}

void ReconciliationScreen::editSelectedTransaction()
{
    const int row = m_table->currentRow();
    if (!rowValid(row))
        return;
    // Edit what is stored now, not the copy read when the list was loaded.
    const std::optional<Transaction> stored = m_app->transactions()->findById(m_transactions.at(row).id);
    if (stored && !stored->deletedAt)
        TransactionActions::editTransaction(m_app, *stored, this);
    loadTransactions();
}

void ReconciliationScreen::deleteSelectedTransaction()
{
    const int row = m_table->currentRow();
    if (!rowValid(row))
        return;
    const Transaction shown = m_transactions.at(row);
    if (!PlainMessage::ask(this, tr("Delete Transaction"), tr("Delete the transaction for %1?").arg(shown.payee),
                           QMessageBox::No))
        return;
    // A transfer goes with its other leg.
    const std::optional<Transaction> stored = m_app->transactions()->findById(shown.id);
    if (stored && !stored->deletedAt && !m_app->transactionWriter()->remove(*stored))
        PlainMessage::show(this, QMessageBox::Warning, tr("Delete Failed"),
                           tr("The transaction could not be deleted."), QMessageBox::Ok);
    loadTransactions();
}

bool ReconciliationScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Space:
        case Qt::Key_C:
        case Qt::Key_R:
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const int row = m_table->currentRow();
            if (rowValid(row))
                setTicked(row, !m_ticked.at(row));
            return true;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
