#pragma once

#include "CellPainter.h"
#include "EntryChoices.h"

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <functional>

class QComboBox;
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
    // Makes a top-level category for a name typed in the category cell and
    // returns its code ("c:<id>"); empty when it could not be made.
    void setCategoryCreator(std::function<QString(const QString &name)> creator);

    // The cell whose typed text could not be saved (not an amount, not a date,
    // an unknown category) and that text; the row is not saved until it is
    // mended or dropped.
    bool hasRefusal() const { return m_refusedIndex.isValid(); }
    QModelIndex refusedIndex() const { return m_refusedIndex; }
    QString refusedText() const { return m_refusedText; }
    QString refusedProblem() const { return m_refusedProblem; }
    void clearRefusal() const;
    // Puts refused text back into a reopened editor.
    static void restoreText(QWidget *editor, const QString &text);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

signals:
    // Typed text was refused; the message says why.
    void entryRefused(const QString &message);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    // Why the editor's text cannot be saved; empty when it can.
    QWidget *createCellEditor(QWidget *parent, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const;
    QString problemOf(QWidget *editor) const;
    void refuse(QWidget *editor, const QString &problem) const;
    static QString editorText(QWidget *editor);
    static bool isUnknownCategory(const QComboBox *combo);
    bool askToCreateCategory(QComboBox *combo);
    // The blank entry row's muted hint of what to type in the cell.
    void paintEntryHint(QPainter *painter, const QStyleOptionViewItem &option,
                        const QModelIndex &index) const;
    void paintOneLine(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index,
                      bool twoLine) const;
    // The payee cell in two-line mode: the payee over the memo.
    void paintPayeeAndMemo(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const;
    QStringListModel *payeeModel() const;
    const QList<EntryChoices::Choice> &choices() const;

    std::function<QStringList()> m_payeeSource;
    std::function<QList<EntryChoices::Choice>()> m_choiceSource;
    mutable QStringListModel *m_payees = nullptr;
    mutable bool m_payeesLoaded = false;
    mutable QList<EntryChoices::Choice> m_choices;
    mutable bool m_choicesLoaded = false;
    std::function<QString(const QString &)> m_categoryCreator;
    bool m_asking = false;
    mutable QPersistentModelIndex m_refusedIndex;
    mutable QString m_refusedText;
    mutable QString m_refusedProblem;
    mutable CellPainter m_cells;
};
