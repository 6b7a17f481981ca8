#include "RegisterModel.h"

#include "RegisterCells.h"

#include <QDate>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr qsizetype kFreeLaterRows = 2000;

int clearedRank(const Transaction &t)
{
    return t.reconciled ? 2 : (t.cleared ? 1 : 0);
}

// Check numbers compare as numbers when both are numbers, so that 99 sorts before 100.
int compareCheckNumbers(const QString &a, const QString &b)
{
    bool okA = false;
    bool okB = false;
    const qlonglong na = a.toLongLong(&okA);
    const qlonglong nb = b.toLongLong(&okB);
    if (okA && okB)
        return na < nb ? -1 : (na > nb ? 1 : 0);
    if (okA != okB)
        return okA ? -1 : 1;
    return a.compare(b, Qt::CaseInsensitive);
}

template <typename T> int threeWay(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

RegisterModel::RegisterModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int RegisterModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return int(m_order.size()) + (m_inlineVisible ? 1 : 0);
}

int RegisterModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

int RegisterModel::blankRow() const
{
    if (!m_inlineVisible)
        return -1;
    return m_sortOrder == Qt::DescendingOrder ? 0 : int(m_order.size());
}

int RegisterModel::sourceIndex(int row) const
{
    const int shown = (m_inlineVisible && m_sortOrder == Qt::DescendingOrder) ? row - 1 : row;
    if (shown < 0 || shown >= m_order.size())
        return -1;
    return m_order.at(shown);
}

RegisterRow RegisterModel::rowAt(int row) const
{
    const int index = sourceIndex(row);
    if (index < 0)
        return RegisterRow();
    return m_rows.at(index);
}

int RegisterModel::rowOf(const QString &transactionId) const
{
    if (transactionId.isEmpty())
        return -1;
    const int offset = (m_inlineVisible && m_sortOrder == Qt::DescendingOrder) ? 1 : 0;
    for (int i = 0; i < m_order.size(); ++i) {
        if (m_rows.at(m_order.at(i)).transaction.id == transactionId)
            return i + offset;
    }
    return -1;
}

void RegisterModel::setEntries(const QList<RegisterRow> &rows)
{
    beginResetModel();
    // Freeing a large register's rows takes a while: after the new ones are shown.
    QList<RegisterRow> previous = std::exchange(m_rows, rows);
    if (previous.size() > kFreeLaterRows)
        QTimer::singleShot(0, this, [rows = std::move(previous)]() {});
    m_rowsByDate =
        std::is_sorted(m_rows.cbegin(), m_rows.cend(), [](const RegisterRow &a, const RegisterRow &b) {
            return a.transaction.date < b.transaction.date;
        });
    m_order.resize(m_rows.size());
    for (int i = 0; i < m_order.size(); ++i)
        m_order[i] = i;
    applySort();
    m_pendingRow = -1;
    m_pending = Transaction();
    m_pendingOriginal = Transaction();
    endResetModel();
}

int RegisterModel::storedIndexOf(const Transaction &transaction) const
{
    // Rows come oldest first: the row is among those of its date, found by
    // halving rather than by comparing every id of a large register.
    if (!m_rowsByDate)
        return -1;
    const auto earlier = [](const RegisterRow &row, const QDate &date) {
        return row.transaction.date < date;
    };
    for (auto it = std::lower_bound(m_rows.cbegin(), m_rows.cend(), transaction.date, earlier);
         it != m_rows.cend() && it->transaction.date == transaction.date; ++it) {
        if (it->transaction.id == transaction.id)
            return int(it - m_rows.cbegin());
    }
    return -1;
}

bool RegisterModel::updateEntries(const QSet<QString> &ids, const QList<RegisterRow> &fresh)
{
    if (ids.isEmpty() || m_pendingRow >= 0 || fresh.size() != ids.size())
        return false;
    // A row not found among those of its date is new or moved to another date.
    QVector<int> positions;
    positions.reserve(fresh.size());
    for (const RegisterRow &now : fresh) {
        const int i = ids.contains(now.transaction.id) ? storedIndexOf(now.transaction) : -1;
        if (i < 0 || now.transaction.deletedAt || now.transaction.accountId != m_accountId ||
            now.transaction.createdAt != m_rows.at(i).transaction.createdAt)
            return false;
        positions.append(i);
    }

    // The balance before the first changed row stays what it was; the ones
    // after it move only when an amount did.
    const int first = *std::min_element(positions.cbegin(), positions.cend());
    qint64 running = first == 0 ? m_rows.at(0).balance - m_rows.at(0).transaction.amount
                                : m_rows.at(first - 1).balance;
    bool amountChanged = false;
    for (qsizetype k = 0; k < fresh.size(); ++k) {
        RegisterRow &row = m_rows[positions.at(k)];
        amountChanged = amountChanged || row.transaction.amount != fresh.at(k).transaction.amount;
        row.transaction = fresh.at(k).transaction;
        row.categoryName = fresh.at(k).categoryName;
    }
    for (int i = first; amountChanged && i < m_rows.size(); ++i) {
        running += m_rows.at(i).transaction.amount;
        m_rows[i].balance = running;
    }
    // Only the date order is sure to stay as it was.
    if (m_sortColumn != DateColumn)
        sort(m_sortColumn, m_sortOrder);
    // Oldest first, the rows are shown in their stored order: only the changed
    // ones (and, when an amount changed, the balances after them) repaint.
    if (m_sortColumn == DateColumn && m_sortOrder == Qt::AscendingOrder) {
        const int last =
            amountChanged ? int(m_rows.size()) - 1 : *std::max_element(positions.cbegin(), positions.cend());
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
    } else if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
    return true;
}

void RegisterModel::setInlineRowVisible(bool visible)
{
    if (visible == m_inlineVisible)
        return;
    beginResetModel();
    m_inlineVisible = visible;
    if (!visible && m_pendingRow >= 0 && m_pending.id.isEmpty())
        m_pendingRow = -1;
    endResetModel();
}

void RegisterModel::setTwoLine(bool twoLine)
{
    if (twoLine == m_twoLine)
        return;
    m_twoLine = twoLine;
    emit headerDataChanged(Qt::Horizontal, PayeeColumn, PayeeColumn);
    if (rowCount() > 0)
        emit dataChanged(index(0, PayeeColumn), index(rowCount() - 1, PayeeColumn));
}

void RegisterModel::setAccount(const QString &accountId, Currency currency)
{
    m_accountId = accountId;
    m_currency = currency;
}

void RegisterModel::setAccountNames(const QHash<QString, QString> &names)
{
    m_accountNames = names;
}

void RegisterModel::setAccountCurrencies(const QHash<QString, Currency> &currencies)
{
    m_accountCurrencies = currencies;
}

void RegisterModel::setCategoryPaths(const QHash<QString, QString> &paths)
{
    m_categoryPaths = paths;
}

bool RegisterModel::lessThan(int a, int b) const
{
    const Transaction &ta = m_rows.at(a).transaction;
    const Transaction &tb = m_rows.at(b).transaction;
    int c = 0;
    switch (m_sortColumn) {
    case DateColumn:
        c = threeWay(ta.date, tb.date);
        break;
    case CheckColumn:
        c = compareCheckNumbers(ta.checkNumber, tb.checkNumber);
        break;
    case PayeeColumn:
        c = ta.payee.compare(tb.payee, Qt::CaseInsensitive);
        break;
    case CategoryColumn:
        c = categoryText(ta, m_rows.at(a).categoryName)
                .compare(categoryText(tb, m_rows.at(b).categoryName), Qt::CaseInsensitive);
        break;
    case MemoColumn:
        c = ta.memo.compare(tb.memo, Qt::CaseInsensitive);
        break;
    case PaymentColumn:
        c = threeWay(RegisterCells::paymentOf(ta), RegisterCells::paymentOf(tb));
        break;
    case DepositColumn:
        c = threeWay(RegisterCells::depositOf(ta), RegisterCells::depositOf(tb));
        break;
    case ClearedColumn:
        c = threeWay(clearedRank(ta), clearedRank(tb));
        break;
    case BalanceColumn:
        c = threeWay(m_rows.at(a).balance, m_rows.at(b).balance);
        break;
    default:
        break;
    }
    if (c != 0)
        return m_sortOrder == Qt::AscendingOrder ? c < 0 : c > 0;
    // Equal keys: the later date first; equal dates keep their order (stable sort).
    return ta.date > tb.date;
}

void RegisterModel::applySort()
{
    // Registers come oldest first: sorting them by date, oldest first, would
    // leave every row where it is.
    if (m_sortColumn == DateColumn && m_sortOrder == Qt::AscendingOrder && m_rowsByDate)
        return;
    std::stable_sort(m_order.begin(), m_order.end(), [this](int a, int b) { return lessThan(a, b); });
}

void RegisterModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    // Remember what every persistent index pointed at: a source row or the blank row.
    const QModelIndexList before = persistentIndexList();
    QVector<int> sources;
    sources.reserve(before.size());
    for (const QModelIndex &index : before)
        sources.append(isBlankRow(index.row()) ? -1 : sourceIndex(index.row()));
    const QString pendingId = m_pendingRow >= 0 ? m_pending.id : QString();
    const bool pendingNew = pendingIsNew();

    // Sorting always starts from the repository's order so that ties come out
    // the same however the user got to this sort.
    for (int i = 0; i < m_order.size(); ++i)
        m_order[i] = i;
    m_sortColumn = column;
    m_sortOrder = order;
    applySort();

    QVector<int> position(m_rows.size());
    for (int i = 0; i < m_order.size(); ++i)
        position[m_order.at(i)] = i;
    const int offset = (m_inlineVisible && m_sortOrder == Qt::DescendingOrder) ? 1 : 0;
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < before.size(); ++i) {
        const int row = sources.at(i) < 0 ? blankRow() : position.at(sources.at(i)) + offset;
        after.append(index(row, before.at(i).column()));
    }
    changePersistentIndexList(before, after);
    if (pendingNew)
        m_pendingRow = blankRow();
    else if (!pendingId.isEmpty())
        m_pendingRow = rowOf(pendingId);

    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString RegisterModel::categoryText(const Transaction &t, const QString &categoryName) const
{
    if (!t.transferDestAccountId.isEmpty()) {
        const QString name = m_accountNames.value(t.transferDestAccountId, tr("(deleted account)"));
        return t.amount > 0 ? tr("Transfer from %1").arg(name) : tr("Transfer to %1").arg(name);
    }
    if (t.isSplit)
        return tr("— Split —");
    if (!categoryName.isEmpty())
        return categoryName;
    return m_categoryPaths.value(t.categoryId);
}

QString RegisterModel::clearedText(const Transaction &t)
{
    if (t.reconciled)
        return tr("R", "mark of a reconciled transaction in the cleared column");
    return t.cleared ? QStringLiteral("✓") : QString();
}

Transaction RegisterModel::transactionForDisplay(int row, QString *categoryName, qint64 *balance,
                                                 bool *hasBalance) const
{
    if (row == m_pendingRow && m_pendingRow >= 0) {
        const RegisterRow original = rowAt(row);
        *categoryName = m_pending.categoryId == original.transaction.categoryId
                            ? original.categoryName
                            : categoryPath(m_pending.categoryId);
        *balance = original.balance;
        *hasBalance = !pendingIsNew();
        return m_pending;
    }
    const int source = sourceIndex(row);
    if (source < 0) {
        *hasBalance = false;
        return Transaction();
    }
    const RegisterRow &r = m_rows.at(source);
    *categoryName = r.categoryName;
    *balance = r.balance;
    *hasBalance = true;
    return r.transaction;
}

QVariant RegisterModel::data(const QModelIndex &index, int role) const
{
    QModelRoleData roleData(role);
    multiData(index, roleData);
    return roleData.data();
}

void RegisterModel::multiData(const QModelIndex &index, QModelRoleDataSpan roleDataSpan) const
{
    for (QModelRoleData &roleData : roleDataSpan)
        roleData.clearData();
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return;
    const int row = index.row();
    const bool blank = isBlankRow(row);
    if (blank && row != m_pendingRow) {
        for (QModelRoleData &roleData : roleDataSpan) {
            if (roleData.role() == BlankRowRole)
                roleData.setData(true);
            else if (roleData.role() == Qt::EditRole && index.column() == DateColumn)
                roleData.setData(m_entryDate.isValid() ? m_entryDate : QDate::currentDate());
        }
        return;
    }
    // A view asks for a cell's roles together: the row is looked up once for all of them.
    std::optional<RegisterCells::DisplayRow> shown;
    for (QModelRoleData &roleData : roleDataSpan) {
        if (roleData.role() == BlankRowRole) {
            roleData.setData(blank);
            continue;
        }
        if (!shown) {
            shown.emplace();
            shown->transaction =
                transactionForDisplay(row, &shown->categoryName, &shown->balance, &shown->hasBalance);
        }
        roleData.setData(RegisterCells::data(*this, index.column(), roleData.role(), *shown));
    }
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return RegisterCells::alignment(section);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case DateColumn:
        return tr("Date");
    case CheckColumn:
        return tr("Chk #");
    case PayeeColumn:
        return m_twoLine ? tr("Payee / Memo") : tr("Payee");
    case CategoryColumn:
        return tr("Category");
    case MemoColumn:
        return tr("Memo");
    case PaymentColumn:
        return tr("Payment");
    case DepositColumn:
        return tr("Deposit");
    case ClearedColumn:
        return tr("Clr");
    case BalanceColumn:
        return tr("Balance");
    default:
        return {};
    }
}

Qt::ItemFlags RegisterModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int column = index.column();
    if (column == BalanceColumn || column == ClearedColumn)
        return f;
    if (isBlankRow(index.row()))
        return f | Qt::ItemIsEditable;
    const Transaction t = index.row() == m_pendingRow ? m_pending : rowAt(index.row()).transaction;
    if (t.id.isEmpty())
        return f;
    // A split's amount and category belong to its lines; a reconciled amount
    // belongs to the statement it was reconciled against.
    if (t.isSplit && (column == CategoryColumn || column == PaymentColumn || column == DepositColumn))
        return f;
    if (t.reconciled && (column == PaymentColumn || column == DepositColumn))
        return f;
    return f | Qt::ItemIsEditable;
}

void RegisterModel::beginPending(int row)
{
    if (m_pendingRow == row)
        return;
    if (isBlankRow(row)) {
        m_pending = Transaction();
        m_pending.accountId = m_accountId;
        m_pending.date = m_entryDate.isValid() ? m_entryDate : QDate::currentDate();
        m_pendingOriginal = Transaction();
    } else {
        m_pending = rowAt(row).transaction;
        m_pendingOriginal = m_pending;
    }
    m_pendingRow = row;
}

bool RegisterModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int row = index.row();
    if (!isBlankRow(row) && sourceIndex(row) < 0)
        return false;
    if (m_pendingRow >= 0 && m_pendingRow != row)
        return false; // one row at a time: the screen saves or drops the other first
    beginPending(row);
    switch (index.column()) {
    case DateColumn: {
        const QDate date = value.toDate();
        if (!date.isValid())
            return false;
        m_pending.date = date;
        break;
    }
    case CheckColumn:
        m_pending.checkNumber = value.toString().trimmed();
        break;
    case PayeeColumn:
        m_pending.payee = value.toString().trimmed();
        break;
    case MemoColumn:
        m_pending.memo = value.toString().trimmed();
        break;
    case CategoryColumn: {
        const QString code = value.toString();
        m_pending.categoryId.clear();
        m_pending.transferDestAccountId.clear();
        if (code.startsWith(QLatin1String("c:")))
            m_pending.categoryId = code.mid(2);
        else if (code.startsWith(QLatin1String("t:")) && code.mid(2) != m_accountId)
            m_pending.transferDestAccountId = code.mid(2);
        break;
    }
    case PaymentColumn: {
        const qint64 payment = value.toLongLong();
        if (payment > 0)
            m_pending.amount = -payment;
        else if (m_pending.amount < 0)
            m_pending.amount = 0;
        break;
    }
    case DepositColumn: {
        const qint64 deposit = value.toLongLong();
        if (deposit > 0)
            m_pending.amount = deposit;
        else if (m_pending.amount > 0)
            m_pending.amount = 0;
        break;
    }
    case ClearedColumn:
        m_pending.cleared = value.toBool();
        break;
    default:
        return false;
    }
    emit dataChanged(this->index(row, 0), this->index(row, ColumnCount - 1));
    return true;
}

void RegisterModel::clearPendingEdit()
{
    const int row = m_pendingRow;
    m_pendingRow = -1;
    m_pending = Transaction();
    m_pendingOriginal = Transaction();
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}
