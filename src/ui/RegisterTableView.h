#pragma once

#include <QTableView>

class RegisterModel;

// The register's table: keyboard entry across a row (Tab and Shift+Tab move
// among its fields, Enter too unless it is on an amount, which saves the row;
// past the last field the row is saved, Escape drops it, Ctrl+Tab leaves the
// register), a click in the Clr column, and Delete on a row.
class RegisterTableView : public QTableView
{
    Q_OBJECT
public:
    explicit RegisterTableView(QWidget *parent = nullptr);

    RegisterModel *registerModel() const;
    bool isEditing() const { return state() == EditingState; }
    // Moves to a cell of the row and opens its editor.
    void editCell(int row, int column);
    // Writes the open editor's text into the row and closes the editor; false
    // (editor left open) when the delegate refused the text.
    bool commitOpenEditor();
    // The next visible, editable column of the row after the given one, or -1.
    int nextEditableColumn(int row, int column) const;
    // The same before it.
    int previousEditableColumn(int row, int column) const;

signals:
    void submitRequested(int row);
    void cancelRequested();
    void clearedClicked(int row);
    void deleteRequested();
    void openRequested(int row);
    void editorClosed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    int editableColumnFrom(int row, int column, int step) const;
    // Tab or Shift+Tab on the row being typed or waiting for entry: the next
    // field, or the row saved past the last one.
    void walkRow(int row, int column, bool next);
    // Set while the current cell moves: the editor then closes without walking the row.
    bool m_movingCurrent = false;
};
