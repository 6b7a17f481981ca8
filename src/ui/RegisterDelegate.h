#pragma once

#include "EntryChoices.h"

#include <QStyledItemDelegate>
#include <functional>

class QStringListModel;

// Draws the register's cells (two-line payee and memo, muted hints in the
// blank entry row) and makes their inline editors: a date field, line edits
// with payee completion, a category list with transfer targets, and amount fields.
class RegisterDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit RegisterDelegate(QObject *parent = nullptr);

    // Payees and categories are read when the first editor needs them, so that
    // opening an account costs only the query of its rows.
    void setPayeeSource(std::function<QStringList()> source);
    void setChoiceSource(std::function<QList<EntryChoices::Choice>()> source);
    void invalidateSources();

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    QStringListModel *payeeModel() const;
    const QList<EntryChoices::Choice> &choices() const;

    std::function<QStringList()> m_payeeSource;
    std::function<QList<EntryChoices::Choice>()> m_choiceSource;
    mutable QStringListModel *m_payees = nullptr;
    mutable bool m_payeesLoaded = false;
    mutable QList<EntryChoices::Choice> m_choices;
    mutable bool m_choicesLoaded = false;
};
