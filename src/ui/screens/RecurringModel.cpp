#include "RecurringModel.h"

#include "AccountRepository.h"
#include "DateField.h"
#include "Money.h"
#include "RecurringRepository.h"
#include "ThemeManager.h"

#include <QColor>
#include <algorithm>

namespace {

// Negative, zero or positive as a sorts before, with or after b on the column.
int compareOn(int column, const RecurringTransaction &a, const RecurringTransaction &b,
              const RecurringModel &model)
{
    auto order = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (column) {
    case RecurringModel::AccountColumn:
        return QString::compare(model.accountName(a.accountId), model.accountName(b.accountId),
                                Qt::CaseInsensitive);
    case RecurringModel::PayeeColumn:
        return QString::compare(a.payee, b.payee, Qt::CaseInsensitive);
    case RecurringModel::AmountColumn:
        return order(a.amount, b.amount);
    case RecurringModel::FrequencyColumn:
        return order(int(a.frequency), int(b.frequency));
    case RecurringModel::NextDueColumn:
        return order(a.nextDueDate, b.nextDueDate);
    case RecurringModel::AutoColumn:
        return order(int(a.autoPost), int(b.autoPost));
    case RecurringModel::StatusColumn:
        return order(int(a.isActive), int(b.isActive));
    default:
        return 0;
    }
}

} // namespace

RecurringModel::RecurringModel(AccountRepository *accounts, QObject *parent)
    : QAbstractTableModel(parent)
    , m_accountRepository(accounts)
{
}

int RecurringModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RecurringModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ColumnCount);
}

QVariant RecurringModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_rows.size())
        return QVariant();
    const RecurringTransaction &r = m_rows.at(index.row());
    const int column = index.column();

    if (role == Qt::DisplayRole) {
        switch (column) {
        case AccountColumn:
            return accountName(r.accountId);
        case PayeeColumn:
            return r.payee;
        case AmountColumn:
            return Money::format(r.amount, account(r.accountId).currency);
        case FrequencyColumn:
            return recurrenceText(r);
        case NextDueColumn:
            return DateField::format(r.nextDueDate);
        case AutoColumn:
            return r.autoPost ? tr("Yes") : tr("No");
        case StatusColumn:
            return r.isActive ? tr("Active") : tr("Inactive");
        default:
            return QVariant();
        }
    }
    if (role == Qt::TextAlignmentRole && column == AmountColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole) {
        if (column == AmountColumn && r.amount < 0)
            return ThemeManager::negativeColor();
        if (column == NextDueColumn && isDue(r))
            return ThemeManager::readableText(QColor(0, 136, 0));
        if (column == StatusColumn && !r.isActive)
            return ThemeManager::readableText(QColor(Qt::gray));
    }
    return QVariant();
}

QVariant RecurringModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case AccountColumn:
        return tr("Account");
    case PayeeColumn:
        return tr("Payee");
    case AmountColumn:
        return tr("Amount");
    case FrequencyColumn:
        return tr("Frequency");
    case NextDueColumn:
        return tr("Next Due");
    case AutoColumn:
        return tr("Auto");
    case StatusColumn:
        return tr("Status");
    default:
        return QVariant();
    }
}

void RecurringModel::sort(int column, Qt::SortOrder order)
{
    // The view asks for column -1 when its sort indicator is cleared.
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    beginResetModel();
    sortRows();
    endResetModel();
}

void RecurringModel::setRows(const QList<RecurringTransaction> &rows)
{
    beginResetModel();
    m_loaded = rows;
    m_accounts.clear();
    sortRows();
    endResetModel();
}

void RecurringModel::sortRows()
{
    // Always from the order the rows were loaded in, so that ties keep it.
    m_rows = m_loaded;
    const int column = m_sortColumn;
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [this, column](const RecurringTransaction &a, const RecurringTransaction &b) {
                         return compareOn(column, a, b, *this) < 0;
                     });
    // Descending is the ascending order turned round, ties included.
    if (m_sortOrder == Qt::DescendingOrder)
        std::reverse(m_rows.begin(), m_rows.end());
}

std::optional<RecurringTransaction> RecurringModel::recordAt(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return std::nullopt;
    return m_rows.at(row);
}

int RecurringModel::rowOf(const QString &id) const
{
    if (id.isEmpty())
        return -1;
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).id == id)
            return row;
    }
    return -1;
}

bool RecurringModel::isDue(const RecurringTransaction &record, const QDate &today)
{
    return record.isActive && record.nextDueDate <= today;
}

QString RecurringModel::recurrenceText(const RecurringTransaction &record)
{
    if (record.frequency == Frequency::Semimonthly)
        return tr("Semi-monthly (%1 & %2)")
            .arg(semiMonthlyDayText(record.semimonthlyDay1), semiMonthlyDayText(record.semimonthlyDay2));
    const QString stored = RecurringRepository::frequencyToString(record.frequency);
    const int interval = record.intervalCount;
    if (interval >= 2) {
        switch (record.frequency) {
        case Frequency::Daily:
            return tr("Every %1 days").arg(interval);
        case Frequency::Weekly:
            return tr("Every %1 weeks").arg(interval);
        case Frequency::Monthly:
            return tr("Every %1 months").arg(interval);
        case Frequency::Annual:
            return tr("Every %1 years").arg(interval);
        default:
            return tr("%1 (\u00d7%2)").arg(stored).arg(interval);
        }
    }
    return stored;
}

QString RecurringModel::semiMonthlyDayText(int day)
{
    if (day < 1 || day > 31)
        return tr("last day");
    const char *suffix = "th";
    const int tens = day % 100;
    if (tens < 11 || tens > 13) {
        switch (day % 10) {
        case 1:
            suffix = "st";
            break;
        case 2:
            suffix = "nd";
            break;
        case 3:
            suffix = "rd";
            break;
        default:
            break;
        }
    }
    return QString::number(day) + QLatin1String(suffix);
}

QString RecurringModel::accountName(const QString &accountId) const
{
    return accountId.isEmpty() ? QString() : account(accountId).name;
}

const Account &RecurringModel::account(const QString &accountId) const
{
    const auto cached = m_accounts.constFind(accountId);
    if (cached != m_accounts.constEnd())
        return *cached;
    std::optional<Account> found;
    if (m_accountRepository && !accountId.isEmpty())
        found = m_accountRepository->findById(accountId);
    return *m_accounts.insert(accountId, found.value_or(Account()));
}
