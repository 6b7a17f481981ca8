#include "RegisterTableView.h"

#include "RegisterDelegate.h"
#include "RegisterModel.h"
#include "SmartAmountField.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

RegisterTableView::RegisterTableView(QWidget *parent)
    : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setAlternatingRowColors(true);
    setShowGrid(false);
    setWordWrap(false);
    setSortingEnabled(false);
    setTabKeyNavigation(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(false);
}

RegisterModel *RegisterTableView::registerModel() const
{
    return qobject_cast<RegisterModel *>(model());
}

int RegisterTableView::editableColumnFrom(int row, int column, int step) const
{
    const QHeaderView *header = horizontalHeader();
    // Follow the columns as the user arranged them.
    for (int visual = header->visualIndex(column) + step; visual >= 0 && visual < header->count();
         visual += step) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        if (model()->index(row, logical).flags() & Qt::ItemIsEditable)
            return logical;
    }
    return -1;
}

int RegisterTableView::nextEditableColumn(int row, int column) const
{
    return editableColumnFrom(row, column, 1);
}

int RegisterTableView::previousEditableColumn(int row, int column) const
{
    return editableColumnFrom(row, column, -1);
}

void RegisterTableView::walkRow(int row, int column, bool next)
{
    if (next) {
        const int to = nextEditableColumn(row, column);
        const RegisterModel *m = registerModel();
        if (to >= 0)
            editCell(row, to);
        else if (m && m->isBlankRow(row) && m->pendingRow() != row)
            emit cancelRequested(); // nothing typed: the entry row starts again on its date
        else
            emit submitRequested(row);
        return;
    }
    // Shift+Tab stops at the first field rather than leaving the row.
    const int to = previousEditableColumn(row, column);
    editCell(row, to >= 0 ? to : column);
}

bool RegisterTableView::commitOpenEditor()
{
    if (state() != EditingState)
        return true;
    QWidget *editor = indexWidget(currentIndex());
    if (!editor)
        return true;
    const auto *delegate = qobject_cast<const RegisterDelegate *>(itemDelegateForIndex(currentIndex()));
    commitData(editor);
    if (delegate && delegate->hasRefusal() && delegate->refusedIndex() == currentIndex())
        return false;
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void RegisterTableView::editCell(int row, int column)
{
    const QModelIndex index = model()->index(row, column);
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    scrollTo(index);
    if (index.flags() & Qt::ItemIsEditable)
        edit(index);
}

void RegisterTableView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    m_movingCurrent = true;
    QTableView::currentChanged(current, previous);
    m_movingCurrent = false;
}

void RegisterTableView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (m_movingCurrent) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        emit editorClosed();
        return;
    }
    const QModelIndex index = currentIndex();
    if (hint == QAbstractItemDelegate::RevertModelCache) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        emit cancelRequested();
        emit editorClosed();
        return;
    }
    if (hint == QAbstractItemDelegate::SubmitModelCache || hint == QAbstractItemDelegate::EditNextItem ||
        hint == QAbstractItemDelegate::EditPreviousItem) {
        // Enter on an amount saves the row: the amount is the last thing typed,
        // and the next keys belong to the next row, not to the other amount.
        const auto *amount = qobject_cast<const SmartAmountField *>(editor);
        const bool saves = hint == QAbstractItemDelegate::SubmitModelCache && amount &&
                           amount->typedAmount().value_or(0) != 0;
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (index.isValid() && saves)
            emit submitRequested(index.row());
        else if (index.isValid())
            walkRow(index.row(), index.column(), hint != QAbstractItemDelegate::EditPreviousItem);
        emit editorClosed();
        return;
    }
    QTableView::closeEditor(editor, hint);
    emit editorClosed();
}

void RegisterTableView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex index = currentIndex();
    RegisterModel *m = registerModel();
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Ctrl+Tab leaves the register, as in other item views, once the
        // open field has taken its text.
        if (event->modifiers() & Qt::ControlModifier) {
            if (commitOpenEditor())
                QTableView::focusNextPrevChild(event->key() == Qt::Key_Tab &&
                                               !(event->modifiers() & Qt::ShiftModifier));
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (state() != EditingState && index.isValid() && m) {
            if (m->pendingRow() == index.row())
                emit submitRequested(index.row());
            else if (m->isBlankRow(index.row()))
                editCell(index.row(), RegisterModel::DateColumn);
            else if (index.flags() & Qt::ItemIsEditable)
                edit(index);
            else
                emit openRequested(index.row());
            return;
        }
        break;
    case Qt::Key_Escape:
        if (state() != EditingState) {
            emit cancelRequested();
            return;
        }
        break;
    case Qt::Key_Delete:
        if (state() != EditingState && index.isValid() && m && !m->isBlankRow(index.row())) {
            emit deleteRequested();
            return;
        }
        break;
    case Qt::Key_Space:
        if (state() != EditingState && index.isValid() && index.column() == RegisterModel::ClearedColumn) {
            emit clearedClicked(index.row());
            return;
        }
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

bool RegisterTableView::focusNextPrevChild(bool next)
{
    // On the row being typed, and on the entry row waiting with its proposed
    // date, Tab and Shift+Tab go along the row as in its fields: the register
    // is left with Ctrl+Tab, not by a key meant for the next field.
    const QModelIndex index = currentIndex();
    RegisterModel *m = registerModel();
    if (state() != EditingState && index.isValid() && m &&
        (m->pendingRow() == index.row() || m->isBlankRow(index.row()))) {
        walkRow(index.row(), index.column(), next);
        return true;
    }
    return QTableView::focusNextPrevChild(next);
}

void RegisterTableView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && index.isValid() &&
        index.column() == RegisterModel::ClearedColumn)
        emit clearedClicked(index.row());
}

void RegisterTableView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() == RegisterModel::ClearedColumn)
        return; // a double click would toggle twice
    QTableView::mouseDoubleClickEvent(event);
}
