#pragma once

#include "RecordTypes.h"
#include "RegisterRow.h"

#include <QHash>
#include <QList>
#include <QObject>

class QTableView;
class QTimer;

// The register's column widths. The date, check number and money columns
// are as wide as what they show (the money columns as their widest figure,
// the check number at least five digits); the payee, category and memo
// share the rest, the payee first; in a narrow window the others' headings
// give way before the text columns go below readable widths. A width the
// user drags is kept, and written with the column order when the user
// changed them: never while nothing happens, and writing changes no width.
class RegisterColumns : public QObject
{
    Q_OBJECT
public:
    // A column sharing the room the others leave.
    struct TextColumn
    {
        int column;
        int minimumChars;
        int preferred;
    };

    explicit RegisterColumns(QTableView *view);

    // Reads the order and the user's widths as last written.
    void restore();
    // Takes the widest figures of the rows shown; fits again when they need other widths.
    void measureFigures(const QList<RegisterRow> &rows, Currency currency);
    // After one row changed in place: its amount, and every balance after it
    // moved by `balanceShift`. Widens what may have grown without going
    // through every row; narrower figures wait for the next measureFigures.
    void widenFigures(qint64 amount, qint64 balanceShift);
    // Hides or shows a column; this is no change of the user's.
    void setColumnHidden(int column, bool hidden);
    // Lays the columns out for the view's width, resizing only what differs.
    void fit();
    // Writes the order and the user's widths if the user changed them since.
    void save();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onSectionResized(int column, int size);
    void userChanged();
    // What a date, check number, money or cleared column needs to show its text.
    int contentWidth(int column) const;
    // What a heading's text needs; the sorted column's with its indicator.
    int headingWidth(int column) const;
    QList<TextColumn> shownTextColumns() const;
    // The user's width, or one that shows the heading.
    int wantedWidth(const TextColumn &text) const;
    // A readable width, or the user's when that is narrower.
    int minimumWidth(const TextColumn &text) const;
    // Fits again when they differ from those held; false when they did not.
    bool setFigures(qint64 payment, qint64 deposit, qint64 high, qint64 low);
    // Shares `room` among the shown payee, category and memo columns.
    void fitText(int *widths, int room) const;

    QTableView *m_view = nullptr;
    QWidget *m_viewport = nullptr;
    QTimer *m_saveTimer = nullptr;
    // Widths the user dragged, by column.
    QHash<int, int> m_userWidths;
    // The largest payment and deposit, and the highest and lowest balance, in minor units.
    Currency m_currency = Currency::USD;
    qint64 m_payment = 0;
    qint64 m_deposit = 0;
    qint64 m_high = 0;
    qint64 m_low = 0;
    // What the widest category text of the rows needs.
    int m_categoryText = 0;
    bool m_fitting = false;
    bool m_changed = false;
};
