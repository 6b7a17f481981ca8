#include "ImportPreviewModel.h"

#include "Money.h"

ImportPreviewModel::ImportPreviewModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ImportPreviewModel::setPreview(ImportPreview preview, Currency currency)
{
    beginResetModel();
    m_preview = std::move(preview);
    m_currency = currency;
    m_tickedCount = int(m_preview.tickedCount());
    endResetModel();
    emit tickedChanged();
}

void ImportPreviewModel::setCreatesCategories(bool creates)
{
    if (m_createsCategories == creates)
        return;
    m_createsCategories = creates;
    if (!m_preview.rows.isEmpty())
        emit dataChanged(index(0, Category), index(rowCount() - 1, Category), {Qt::DisplayRole});
}

int ImportPreviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_preview.rows.size());
}

int ImportPreviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ImportPreviewModel::categoryText(const ImportPreviewRow &p) const
{
    if (!p.splits.isEmpty())
        return tr("Split (%1 lines)").arg(p.splits.size());
    const QString transfer = p.text(ImportPreviewRow::TransferAccount);
    if (p.transferFound)
        return QStringLiteral("[%1]").arg(transfer);
    const QString category = p.text(ImportPreviewRow::Category);
    if (!category.isEmpty() && !p.categoryFound && transfer.isEmpty())
        return m_createsCategories ? tr("%1 (new category)").arg(category)
                                   : tr("%1 (no such category)").arg(category);
    return category;
}

QString ImportPreviewModel::noteText(const ImportPreviewRow &p) const
{
    QStringList parts;
    if (p.duplicate)
        parts.append(tr("Likely duplicate"));
    if (!p.note.isEmpty())
        parts.append(p.note);
    if (const QString account = p.text(ImportPreviewRow::FileAccount); !account.isEmpty())
        parts.append(tr("Account in file: %1").arg(account));
    return parts.join(QStringLiteral("; "));
}

QVariant ImportPreviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_preview.rows.size())
        return QVariant();
    const ImportPreviewRow &p = m_preview.rows.at(index.row());
    if (role == Qt::CheckStateRole && index.column() == Import)
        return p.ticked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole && index.column() == Amount)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    switch (index.column()) {
    case Date:
        return p.date.toString(QStringLiteral("yyyy-MM-dd"));
    case Payee:
        return p.text(ImportPreviewRow::Payee);
    case Category:
        return categoryText(p);
    case Memo:
        return p.text(ImportPreviewRow::Memo);
    case Amount:
        return Money::format(p.amount, m_currency);
    case File:
        return tr("%1, line %2").arg(m_preview.fileNames.value(p.file)).arg(p.line);
    case Note:
        return noteText(p);
    default:
        return QVariant();
    }
}

bool ImportPreviewModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != Import || role != Qt::CheckStateRole ||
        index.row() >= m_preview.rows.size())
        return false;
    const bool ticked = value.toInt() == Qt::Checked;
    if (m_preview.rows[index.row()].ticked == ticked)
        return true;
    m_preview.rows[index.row()].ticked = ticked;
    m_tickedCount += ticked ? 1 : -1;
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
