#pragma once

#include "RecordTypes.h"
#include "Transaction.h"

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QWidget>

class AppState;
class DateField;
class QGridLayout;
class QLabel;
class QPushButton;
class QTableWidget;
class ReconciliationService;
class SmartAmountField;

// Reconciles one account against a bank statement: the user enters the
// statement's date and ending balance and ticks the unreconciled transactions
// it lists until the difference is zero; Finish marks them reconciled and
// records the reconciliation. Transactions can be added, edited and deleted
// here too.
class ReconciliationScreen : public QWidget
{
    Q_OBJECT

public:
    explicit ReconciliationScreen(AppState *app, QWidget *parent = nullptr);

    // Reads the account's reconciled balance, proposes a statement date and
    // loads its unreconciled transactions. An unknown account leaves the
    // screen empty.
    void setAccount(const QString &accountId);
    QString accountId() const { return m_accountId; }

    // Reads the rows again, keeping each row's tick by transaction id.
    void loadTransactions();

public slots:
    void onTransactionToggled(int row);
    void updateDifference();
    void finish();
    void addTransaction();
    void editSelectedTransaction();
    void deleteSelectedTransaction();

signals:
    void reconciliationCompleted();
    void cancelled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Summary
    {
        qint64 deposits = 0;
        qint64 withdrawals = 0;
        qint64 clearedBalance = 0;
        qint64 statementBalance = 0;
        qint64 difference = 0;
    };

    QWidget *buildStatementPanel(QWidget *parent);
    QGridLayout *buildSummaryGrid(QWidget *panel);
    QWidget *buildTransactionPanel(QWidget *parent);
    void buildTransactionTable(QWidget *panel);
    void installShortcuts();
    void addSummaryRow(QGridLayout *grid, int gridRow, const QString &caption, QLabel *&value, bool muted);
    void addShortcut(const QKeySequence &sequence, void (ReconciliationScreen::*slot)());
    void fillRow(int row);
    void setTicked(int row, bool ticked);
    bool rowValid(int row) const;
    Summary summary() const;
    qint64 statementMinorUnits() const;
    // After a refused or failed Finish: the reconciled balance may have moved too.
    void reloadAll();

    AppState *m_app = nullptr;
    ReconciliationService *m_service = nullptr;
    QString m_accountId;
    Currency m_currency = Currency::USD;
    qint64 m_previousBalance = 0;
    bool m_finishing = false;

    DateField *m_dateField = nullptr;
    SmartAmountField *m_balanceField = nullptr;
    QLabel *m_previousValue = nullptr;
    QLabel *m_depositsValue = nullptr;
    QLabel *m_withdrawalsValue = nullptr;
    QLabel *m_clearedValue = nullptr;
    QLabel *m_statementValue = nullptr;
    QLabel *m_differenceValue = nullptr;
    QPushButton *m_finishButton = nullptr;
    QTableWidget *m_table = nullptr;
    QList<QKeySequence> m_shortcutKeys;

    QList<Transaction> m_transactions;
    QList<bool> m_ticked;
};
