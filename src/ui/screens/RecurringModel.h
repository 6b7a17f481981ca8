#pragma once

#include "Account.h"
#include "RecurringTransaction.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

class AccountRepository;

// The recurring screen's table: one row per recurring transaction with its
// account, payee, amount, schedule, next due date and state. Read only.
class RecurringModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        AccountColumn = 0,
        PayeeColumn,
        AmountColumn,
        FrequencyColumn,
        NextDueColumn,
        AutoColumn,
        StatusColumn,
        ColumnCount
    };

    explicit RecurringModel(AccountRepository *accounts, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Replaces the rows in one reset and orders them by the current sort.
    void setRows(const QList<RecurringTransaction> &rows);
    const QList<RecurringTransaction> &rows() const { return m_rows; }
    // The record of a row; empty for a row that does not exist.
    std::optional<RecurringTransaction> recordAt(int row) const;
    // The row showing the record with that id; -1 when none does.
    int rowOf(const QString &id) const;

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // Active and due on or before `today`.
    static bool isDue(const RecurringTransaction &record, const QDate &today = QDate::currentDate());
    // "monthly", "Every 3 weeks", "biweekly (×2)", "Semi-monthly (1st & last day)".
    static QString recurrenceText(const RecurringTransaction &record);
    // "1st", "22nd"; any value outside 1 to 31 (0 is the last day) is "last day".
    static QString semiMonthlyDayText(int day);
    // The name of the account, soft-deleted or not; empty when there is none.
    QString accountName(const QString &accountId) const;

private:
    void sortRows();
    // The account, soft-deleted or not; a default one (no name, USD) when there is none.
    const Account &account(const QString &accountId) const;

    AccountRepository *m_accountRepository = nullptr;
    QList<RecurringTransaction> m_loaded;
    QList<RecurringTransaction> m_rows;
    mutable QHash<QString, Account> m_accounts;
    int m_sortColumn = NextDueColumn;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
