#pragma once

#include "ImportService.h"
#include "RecordTypes.h"

#include <QAbstractTableModel>

// The rows an import would write, one per table row, with a tick box in the
// first column that decides whether the row is written. The texts of a row
// are made when the view asks for them, so a file of a million rows costs no
// more than its preview.
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

    // Takes the preview over: a large one is not copied.
    void setPreview(ImportPreview preview, Currency currency);
    const ImportPreview &preview() const { return m_preview; }
    const QList<ImportPreviewRow> &rows() const { return m_preview.rows; }
    int tickedCount() const { return m_tickedCount; }
    Currency currency() const { return m_currency; }
    // Whether the categories the rows name that do not exist will be made.
    void setCreatesCategories(bool creates);

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

    ImportPreview m_preview;
    Currency m_currency = Currency::USD;
    int m_tickedCount = 0;
    bool m_createsCategories = true;
};
