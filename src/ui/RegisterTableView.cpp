#include "RegisterTableView.h"

#include "RegisterDelegate.h"
#include "RegisterModel.h"

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

int RegisterTableView::nextEditableColumn(int row, int column) const
{
    const QHeaderView *header = horizontalHeader();
    // Follow the columns as the user arranged them.
    for (int visual = header->visualIndex(column) + 1; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        if (model()->index(row, logical).flags() & Qt::ItemIsEditable)
            return logical;
    }
    return -1;
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
    if (hint == QAbstractItemDelegate::SubmitModelCache || hint == QAbstractItemDelegate::EditNextItem) {
        // Enter and Tab walk along the row; either past the last field submits it.
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (!index.isValid()) {
            emit editorClosed();
            return;
        }
        const int next = nextEditableColumn(index.row(), index.column());
        if (next >= 0)
            editCell(index.row(), next);
        else
            emit submitRequested(index.row());
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
    // On a row being typed, Tab goes on along it as in its fields, and past
    // the last one saves it, rather than leaving the register with the row pending.
    const QModelIndex index = currentIndex();
    RegisterModel *m = registerModel();
    if (next && state() != EditingState && index.isValid() && m && m->pendingRow() == index.row()) {
        const int column = nextEditableColumn(index.row(), index.column());
        if (column >= 0)
            editCell(index.row(), column);
        else
            emit submitRequested(index.row());
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
