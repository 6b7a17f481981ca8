#pragma once

#include <QDate>
#include <QLineEdit>

// A line edit for dates typed as "M/d/yyyy" (or with two-digit years, which
// count from 2000). Up and Down, + and - step the date by a day; the calendar
// button opens a month view.
class DateField : public QLineEdit
{
    Q_OBJECT
public:
    explicit DateField(QWidget *parent = nullptr);

    // The typed date, or the last stored one when the text is not a date.
    QDate date() const;
    void setDate(const QDate &date);
    // Whether the text is a date. Text that is not stays as typed and the
    // field is marked, so that nothing silently takes the previous date.
    bool hasValidText() const;
    // Why the text is not a date, for the status bar or the form; empty when it is one.
    QString problem() const;
    // Marks the field when its text is not a date, and unmarks it otherwise.
    void updateMark();

    // "M/d/yyyy", "MM/dd/yyyy", "M/d/yy" or "MM/dd/yy"; invalid otherwise.
    static QDate parse(const QString &text);
    static QString format(const QDate &date);

signals:
    void dateChanged(const QDate &date);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void commitText();
    void stepDays(int days);
    void showCalendar();

    QDate m_date;
};
