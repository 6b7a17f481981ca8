#pragma once

#include "ImportService.h"
#include "RecordTypes.h"

#include <QAbstractTableModel>

// The rows an import would write, one per table row, with a tick box in the
// first column that decides whether the row is written.
class ImportPreviewModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Import,
        Date,
        Payee,
        Category,
        Memo,
        Amount,
        File,
        Note,
        ColumnCount
    };

    explicit ImportPreviewModel(QObject *parent = nullptr);

    void setRows(const QList<ImportPreviewRow> &rows, Currency currency);
    const QList<ImportPreviewRow> &rows() const { return m_rows; }
    int tickedCount() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void tickedChanged();

private:
    QString categoryText(const ImportPreviewRow &row) const;
    QString noteText(const ImportPreviewRow &row) const;

    QList<ImportPreviewRow> m_rows;
    Currency m_currency = Currency::USD;
};
