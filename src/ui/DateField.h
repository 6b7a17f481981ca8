#pragma once

#include <QDate>
#include <QLineEdit>

// A line edit for dates, shown in a display format (the register's "M/d/yyyy"
// unless set) and read back as typed in it: a day or month of one or two
// digits, a year of four digits or two (which count from 2000). Up and Down,
// + and - step the date by a day; the calendar button opens a month view.
class DateField : public QLineEdit
{
    Q_OBJECT
public:
    explicit DateField(QWidget *parent = nullptr);

    // Qt's date format letters ("MM/dd/yyyy", a locale's short format).
    void setDisplayFormat(const QString &format);

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
    // Whether the text is a date; when it is not, marks the field and puts
    // the reason in `problem`.
    bool checkText(QString *problem);

    // "M/d/yyyy", "MM/dd/yyyy", "M/d/yy" or "MM/dd/yy"; invalid otherwise.
    static QDate parse(const QString &text);
    // The text read in `format`: its separators as they are, d/dd and M/MM
    // as one or two digits, yy/yyyy as two digits (20yy) or four. Invalid
    // when the text is not a date in that format.
    static QDate parse(const QString &text, const QString &format);
    // In the register's format.
    static QString format(const QDate &date);

    // Room for a whole date of the display format beside the calendar button.
    QSize minimumSizeHint() const override;

signals:
    void dateChanged(const QDate &date);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void commitText();
    void stepDays(int days);
    void showCalendar();
    QString shown(const QDate &date) const;
    // The format as the user reads it in a hint: "MM/DD/YYYY".
    QString formatHint() const;

    QDate m_date;
    QString m_format;
};
