#pragma once

#include "RegisterRow.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSet>
#include <QVector>

// The rows of one account's register, sorted, with an optional blank entry row
// and a buffer for the row being edited inline. The buffer only changes what
// is shown; the register screen writes it to the database. What each cell
// holds in each role is worked out by RegisterCells.
class RegisterModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        DateColumn,
        CheckColumn,
        PayeeColumn,
        CategoryColumn,
        MemoColumn,
        PaymentColumn,
        DepositColumn,
        ClearedColumn,
        BalanceColumn,
        ColumnCount
    };
    enum Role
    {
        TransactionIdRole = Qt::UserRole + 1,
        MemoRole,        // the memo, for the second line in two-line mode
        NegativeRole,    // the cell shows a negative amount or balance
        BlankRowRole,    // the cell belongs to the blank entry row
        CategoryCodeRole // "c:<category id>", "t:<account id>" or "" (editor value)
    };

    explicit RegisterModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    void multiData(const QModelIndex &index, QModelRoleDataSpan roleDataSpan) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    void setEntries(const QList<RegisterRow> &rows);
    // Puts the re-read rows of the transactions `ids` in place of the shown
    // ones and carries the running balances on from the first of them. False,
    // changing nothing, when that is not enough: a row is new, gone, moved to
    // another account or date, or a row is being edited.
    bool updateEntries(const QSet<QString> &ids, const QList<RegisterRow> &fresh);
    const QList<RegisterRow> &entries() const { return m_rows; }
    int entryCount() const { return int(m_rows.size()); }
    RegisterRow rowAt(int row) const;
    // The model row showing the transaction, or -1.
    int rowOf(const QString &transactionId) const;

    void setInlineRowVisible(bool visible);
    bool isInlineRowVisible() const { return m_inlineVisible; }
    // The model row of the blank entry row, -1 when hidden.
    int blankRow() const;
    bool isBlankRow(int row) const { return row >= 0 && row == blankRow(); }

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    void setTwoLine(bool twoLine);
    bool twoLine() const { return m_twoLine; }

    // What the rows are shown with: the account (for a new row), its currency,
    // the names of other accounts (transfers) and category paths (edited rows).
    void setAccount(const QString &accountId, Currency currency);
    QString accountId() const { return m_accountId; }
    Currency currency() const { return m_currency; }
    void setAccountNames(const QHash<QString, QString> &names);
    // Rows of several accounts (search results) each show their own account's
    // currency; a row of an account not listed shows the model's currency.
    void setAccountCurrencies(const QHash<QString, Currency> &currencies);
    // The currency a row's amounts are shown in.
    Currency currencyOf(const Transaction &transaction) const
    {
        return m_accountCurrencies.value(transaction.accountId, m_currency);
    }
    // Rows in more than one currency show each payment and deposit with its
    // currency's symbol, so that no amount reads as another currency's.
    void setCurrencySymbolsShown(bool shown) { m_currencySymbolsShown = shown; }
    bool currencySymbolsShown() const { return m_currencySymbolsShown; }
    void setCategoryPaths(const QHash<QString, QString> &paths);
    QString categoryPath(const QString &categoryId) const { return m_categoryPaths.value(categoryId); }
    QString accountName(const QString &accountId) const { return m_accountNames.value(accountId); }

    // Inline editing: the first setData on a row copies it into the buffer.
    bool hasPendingEdit() const { return m_pendingRow >= 0; }
    int pendingRow() const { return m_pendingRow; }
    bool pendingIsNew() const { return m_pendingRow >= 0 && m_pendingRow == blankRow(); }
    Transaction pendingTransaction() const { return m_pending; }
    // The transaction as stored before the edit (empty for a new row).
    Transaction pendingOriginal() const { return m_pendingOriginal; }
    void clearPendingEdit();
    // Date a new row starts with; the last entered date is kept so that a
    // run of entries for one day does not need it typed again.
    void setEntryDate(const QDate &date) { m_entryDate = date; }

    // The text shown in the category column for a transaction.
    QString categoryText(const Transaction &transaction, const QString &categoryName) const;
    static QString clearedText(const Transaction &transaction);

private:
    int sourceIndex(int row) const;
    // The index in m_rows of the stored row of that transaction, found by its
    // date; -1 when it is not there (or the rows are not in date order).
    int storedIndexOf(const Transaction &transaction) const;
    void applySort();
    bool lessThan(int a, int b) const;
    Transaction transactionForDisplay(int row, QString *categoryName, qint64 *balance,
                                      bool *hasBalance) const;
    void beginPending(int row);

    QList<RegisterRow> m_rows; // as given, in the repository's order
    QVector<int> m_order;      // shown order: indices into m_rows
    bool m_rowsByDate = true;  // m_rows are oldest first, as the repository gives them
    int m_sortColumn = DateColumn;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_inlineVisible = true;
    bool m_twoLine = false;
    QString m_accountId;
    Currency m_currency = Currency::USD;
    QHash<QString, QString> m_accountNames;
    QHash<QString, Currency> m_accountCurrencies;
    bool m_currencySymbolsShown = false;
    QHash<QString, QString> m_categoryPaths;

    int m_pendingRow = -1;
    Transaction m_pending;
    Transaction m_pendingOriginal;
    QDate m_entryDate;
};
