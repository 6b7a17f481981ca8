#include "SearchScreen.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CategoryRepository.h"
#include "DateField.h"
#include "EntryChoices.h"
#include "RegisterModel.h"
#include "TransactionActions.h"
#include "TransactionDetailsDialog.h"
#include "TransactionRepository.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

SearchScreen::SearchScreen(AppState *app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);

    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
    m_searchEdit->setPlaceholderText(tr("Search payee, memo, check number..."));
    m_searchEdit->setClearButtonEnabled(true);
    layout->addWidget(m_searchEdit);

    m_debounce = new QTimer(this);
    m_debounce->setObjectName(QStringLiteral("debounceTimer"));
    m_debounce->setSingleShot(true);
    m_debounce->setInterval(DebounceMs);

    layout->addLayout(buildFilterRow());
    layout->addWidget(buildResultsView(), 1);
    connectSignals();
}

// Account, category, date range and cleared flag, in one row.
QHBoxLayout *SearchScreen::buildFilterRow()
{
    auto *filters = new QHBoxLayout;
    filters->addWidget(new QLabel(tr("Account:"), this));
    m_accountCombo = new QComboBox(this);
    m_accountCombo->setObjectName(QStringLiteral("accountCombo"));
    m_accountCombo->addItem(tr("All Accounts"), QString());
    filters->addWidget(m_accountCombo);
    filters->addWidget(new QLabel(tr("Category:"), this));
    m_categoryCombo = new QComboBox(this);
    m_categoryCombo->setObjectName(QStringLiteral("categoryCombo"));
    m_categoryCombo->addItem(tr("All Categories"), QString());
    filters->addWidget(m_categoryCombo);

    m_dateRangeCheck = new QCheckBox(tr("Date range:"), this);
    m_dateRangeCheck->setObjectName(QStringLiteral("dateRangeCheck"));
    filters->addWidget(m_dateRangeCheck);
    const QDate today = QDate::currentDate();
    m_fromDate = new DateField(this);
    m_fromDate->setObjectName(QStringLiteral("fromDate"));
    m_toDate = new DateField(this);
    m_toDate->setObjectName(QStringLiteral("toDate"));
    for (DateField *edit : {m_fromDate, m_toDate}) {
        edit->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
        edit->setEnabled(false);
    }
    m_fromDate->setDate(today.addMonths(-1));
    filters->addWidget(m_fromDate);
    filters->addWidget(new QLabel(tr("to"), this));
    filters->addWidget(m_toDate);
    m_clearedCheck = new QCheckBox(tr("Cleared only"), this);
    m_clearedCheck->setObjectName(QStringLiteral("clearedCheck"));
    filters->addWidget(m_clearedCheck);
    filters->addStretch();
    return filters;
}

QTableView *SearchScreen::buildResultsView()
{
    m_model = new RegisterModel(this);
    m_model->setInlineRowVisible(false);
    m_results = new QTableView(this);
    m_results->setObjectName(QStringLiteral("resultsView"));
    m_results->setModel(m_model);
    m_results->setAlternatingRowColors(true);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->verticalHeader()->hide();
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int column : {RegisterModel::PayeeColumn, RegisterModel::CategoryColumn, RegisterModel::MemoColumn})
        m_results->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
    m_results->setColumnHidden(RegisterModel::BalanceColumn, true);
    m_results->setContextMenuPolicy(Qt::CustomContextMenu);
    return m_results;
}

void SearchScreen::connectSignals()
{
    connect(m_app->accounts(), &AccountRepository::accountsChanged, this, [this]() { readAccounts(); });
    connect(m_searchEdit, &QLineEdit::textChanged, m_debounce, qOverload<>(&QTimer::start));
    connect(m_debounce, &QTimer::timeout, this, &SearchScreen::performSearch);
    connect(m_accountCombo, &QComboBox::currentIndexChanged, this, &SearchScreen::performSearch);
    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this, &SearchScreen::performSearch);
    connect(m_dateRangeCheck, &QCheckBox::toggled, this, [this](bool checked) {
        m_fromDate->setEnabled(checked);
        m_toDate->setEnabled(checked);
        performSearch();
    });
    for (DateField *edit : {m_fromDate, m_toDate}) {
        connect(edit, &DateField::dateChanged, this, [this]() {
            if (m_dateRangeCheck->isChecked())
                performSearch();
        });
        // Text it cannot read changes no date: the search then finds nothing.
        connect(edit, &QLineEdit::editingFinished, this, [this, edit]() {
            if (m_dateRangeCheck->isChecked() && !edit->hasValidText())
                performSearch();
        });
    }
    connect(m_clearedCheck, &QCheckBox::toggled, this, &SearchScreen::performSearch);
    connect(m_results, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (!index.isValid())
            return;
        emit editTransactionRequested(m_model->rowAt(index.row()).transaction);
        runAction(index.row(), [this](const Transaction &t) {
            return TransactionActions::editTransaction(m_app, t, this);
        });
    });
    connect(m_results, &QWidget::customContextMenuRequested, this, &SearchScreen::onContextMenu);
}

void SearchScreen::focusSearch()
{
    m_searchEdit->setFocus(Qt::OtherFocusReason);
    m_searchEdit->selectAll();
}

QList<Account> SearchScreen::readAccounts()
{
    const QList<Account> accounts = m_app->accounts()->findAll();
    // Transfers name their other account in the Category column, and the
    // results span accounts: each amount is shown in its own account's
    // currency. Both are read when the accounts change, not at each keystroke.
    m_model->setAccountNames(EntryChoices::accountNames(accounts));
    QHash<QString, Currency> currencies;
    for (const Account &account : accounts)
        currencies.insert(account.id, account.currency);
    m_model->setAccountCurrencies(currencies);
    return accounts;
}

void SearchScreen::refreshFilters()
{
    const QList<Account> accounts = readAccounts();
    m_accountCombo->clear();
    m_accountCombo->addItem(tr("All Accounts"), QString());
    for (const Account &account : accounts)
        m_accountCombo->addItem(account.name, account.id);
    m_categoryCombo->clear();
    m_categoryCombo->addItem(tr("All Categories"), QString());
    for (const Category &category : m_app->categories()->findAll())
        m_categoryCombo->addItem(category.name, category.id);
    m_accountCombo->setCurrentIndex(0);
    m_categoryCombo->setCurrentIndex(0);
}

void SearchScreen::performSearch()
{
    TransactionSearchFilter filter;
    filter.accountId = m_accountCombo->currentData().toString();
    filter.categoryId = m_categoryCombo->currentData().toString();
    if (m_dateRangeCheck->isChecked()) {
        // A bound the field cannot read is marked, and nothing is found for it
        // rather than for the date the field held before.
        for (DateField *edit : {m_fromDate, m_toDate}) {
            edit->updateMark();
            if (!edit->hasValidText()) {
                m_model->setEntries({});
                return;
            }
        }
        filter.dateFrom = m_fromDate->date();
        filter.dateTo = m_toDate->date();
    }
    if (m_clearedCheck->isChecked())
        filter.cleared = true;
    const QList<RegisterRow> rows = m_app->transactions()->search(m_searchEdit->text().trimmed(), filter);
    const bool mixed = std::any_of(rows.cbegin(), rows.cend(), [&](const RegisterRow &row) {
        return m_model->currencyOf(row.transaction) != m_model->currencyOf(rows.constFirst().transaction);
    });
    m_model->setCurrencySymbolsShown(mixed);
    m_model->setEntries(rows);
}

void SearchScreen::runAction(int row, const std::function<bool(const Transaction &)> &action)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const Transaction transaction = m_model->rowAt(row).transaction;
    if (action(transaction))
        performSearch();
}

bool SearchScreen::showDetails(const Transaction &transaction)
{
    TransactionDetailsDialog dialog(m_app, transaction, this);
    dialog.exec();
    if (dialog.editRequested() && !dialog.deleted())
        TransactionActions::editTransaction(m_app, transaction, this);
    else if (dialog.duplicateRequested() && !dialog.deleted())
        TransactionActions::duplicateTransaction(m_app, transaction, this);
    // The dialog may have deleted the row; search again in any case.
    return true;
}

void SearchScreen::onContextMenu(const QPoint &pos)
{
    const QModelIndex index = m_results->indexAt(pos);
    if (!index.isValid())
        return;
    const int row = index.row();
    const Transaction t = m_model->rowAt(row).transaction;
    // Every entry acts on this row, whatever row is selected.
    auto run = [this, row](std::function<bool(const Transaction &)> action) {
        return [this, row, action]() { runAction(row, action); };
    };

    QMenu menu(this);
    menu.addAction(tr("Show De&tails..."), this,
                   run([this](const Transaction &x) { return showDetails(x); }));
    menu.addAction(
        t.isSplit ? tr("Edit &Splits...") : tr("&Split Transaction..."), this,
        run([this](const Transaction &x) { return TransactionActions::editSplits(m_app, x, this); }));
    menu.addAction(tr("&Edit in Dialog..."), this, run([this](const Transaction &x) {
                       return TransactionActions::editTransaction(m_app, x, this);
                   }));
    menu.addAction(tr("Du&plicate..."), this, run([this](const Transaction &x) {
                       return TransactionActions::duplicateTransaction(m_app, x, this);
                   }));
    if (!t.reconciled)
        menu.addAction(
            t.cleared ? tr("Mark &Uncleared") : tr("Mark &Cleared"), this,
            run([this](const Transaction &x) { return TransactionActions::toggleCleared(m_app, x); }));
    menu.addSeparator();
    menu.addAction(tr("&Delete..."), this, run([this](const Transaction &x) {
                       return TransactionActions::confirmDelete(m_app, x, this);
                   }));
    menu.exec(m_results->viewport()->mapToGlobal(pos));
}
