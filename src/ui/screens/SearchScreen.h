#pragma once

#include "Account.h"
#include "Transaction.h"

#include <QWidget>
#include <functional>

class AppState;
class DateField;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QTableView;
class QTimer;
class RegisterModel;

// Searches the live transactions of every account by text (payee, memo, check
// number) and by account, category, date range and cleared flag. The results
// are the register's rows; each can be inspected, edited, split, duplicated,
// cleared or deleted, after which the search runs again.
class SearchScreen : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DebounceMs = 300;

    explicit SearchScreen(AppState *app, QWidget *parent = nullptr);

    void focusSearch();
    // Refills the account and category lists (the search runs again).
    void refreshFilters();
    // Runs an action on the transaction of a result row and searches again
    // when it reports a change. Nothing happens for a row outside the results.
    void runAction(int row, const std::function<bool(const Transaction &)> &action);

    RegisterModel *model() const { return m_model; }
    QTableView *resultsView() const { return m_results; }

public slots:
    void performSearch();
    void onContextMenu(const QPoint &pos);

signals:
    void editTransactionRequested(const Transaction &transaction);

private:
    QHBoxLayout *buildFilterRow();
    QTableView *buildResultsView();
    void connectSignals();
    // The accounts' names and currencies the results are shown with.
    QList<Account> readAccounts();
    bool showDetails(const Transaction &transaction);

    AppState *m_app = nullptr;
    QLineEdit *m_searchEdit = nullptr;
    QTimer *m_debounce = nullptr;
    QComboBox *m_accountCombo = nullptr;
    QComboBox *m_categoryCombo = nullptr;
    DateField *m_fromDate = nullptr;
    DateField *m_toDate = nullptr;
    QCheckBox *m_clearedCheck = nullptr;
    QCheckBox *m_dateRangeCheck = nullptr;
    QTableView *m_results = nullptr;
    RegisterModel *m_model = nullptr;
};
