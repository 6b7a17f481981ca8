#include "ImportPreviewModel.h"

#include "Money.h"

ImportPreviewModel::ImportPreviewModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ImportPreviewModel::setRows(const QList<ImportPreviewRow> &rows, Currency currency)
{
    beginResetModel();
    m_rows = rows;
    m_currency = currency;
    endResetModel();
    emit tickedChanged();
}

int ImportPreviewModel::tickedCount() const
{
    return int(
        std::count_if(m_rows.begin(), m_rows.end(), [](const ImportPreviewRow &r) { return r.ticked; }));
}

int ImportPreviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ImportPreviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ImportPreviewModel::categoryText(const ImportPreviewRow &p) const
{
    const ImportRow &row = p.row;
    if (!row.splits.isEmpty())
        return tr("Split (%1 lines)").arg(row.splits.size());
    if (!p.transferAccountId.isEmpty())
        return QStringLiteral("[%1]").arg(row.transferAccount);
    if (!row.category.isEmpty() && p.categoryId.isEmpty())
        return tr("%1 (no such category)").arg(row.category);
    return row.category;
}

QString ImportPreviewModel::noteText(const ImportPreviewRow &p) const
{
    QStringList parts;
    if (p.duplicate)
        parts.append(tr("Likely duplicate"));
    if (!p.note.isEmpty())
        parts.append(p.note);
    if (!p.row.fileAccount.isEmpty())
        parts.append(tr("Account in file: %1").arg(p.row.fileAccount));
    return parts.join(QStringLiteral("; "));
}

QVariant ImportPreviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const ImportPreviewRow &p = m_rows.at(index.row());
    if (role == Qt::CheckStateRole && index.column() == Import)
        return p.ticked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole && index.column() == Amount)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    switch (index.column()) {
    case Date:
        return p.row.date.toString(QStringLiteral("yyyy-MM-dd"));
    case Payee:
        return p.row.payee;
    case Category:
        return categoryText(p);
    case Memo:
        return p.row.memo;
    case Amount:
        return Money::format(p.row.amount, m_currency);
    case File:
        return tr("%1, line %2").arg(p.fileName).arg(p.row.line);
    case Note:
        return noteText(p);
    default:
        return QVariant();
    }
}

bool ImportPreviewModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != Import || role != Qt::CheckStateRole ||
        index.row() >= m_rows.size())
        return false;
    const bool ticked = value.toInt() == Qt::Checked;
    if (m_rows[index.row()].ticked == ticked)
        return true;
    m_rows[index.row()].ticked = ticked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit tickedChanged();
    return true;
}

Qt::ItemFlags ImportPreviewModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Import)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant ImportPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case Import:
        return tr("Import");
    case Date:
        return tr("Date");
    case Payee:
        return tr("Payee");
    case Category:
        return tr("Category");
    case Memo:
        return tr("Memo");
    case Amount:
        return tr("Amount");
    case File:
        return tr("File");
    case Note:
        return tr("Note");
    default:
        return QVariant();
    }
}
