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
