#include "DateField.h"

#include "AppState.h"
#include "ThemeManager.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyle>
#include <QVBoxLayout>

DateField::DateField(QWidget *parent)
    : QLineEdit(parent)
{
    setPlaceholderText(QStringLiteral("M/D/YYYY"));
    QAction *calendar = addAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView), TrailingPosition);
    calendar->setToolTip(tr("Choose a date"));
    connect(calendar, &QAction::triggered, this, &DateField::showCalendar);
    connect(this, &QLineEdit::editingFinished, this, &DateField::commitText);
    // The mark goes as soon as the text is mended.
    connect(this, &QLineEdit::textChanged, this, [this]() {
        if (property("invalidDate").toBool())
            updateMark();
    });
    setDate(QDate::currentDate());
}

QDate DateField::parse(const QString &text)
{
    // One or two digits for month and day, two or four for the year: the union of
    // the four accepted patterns.
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4}|\\d{2})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return {};
    const int month = match.captured(1).toInt();
    const int day = match.captured(2).toInt();
    const QString yearText = match.captured(3);
    int year = yearText.toInt();
    // The rest of the program treats dates before 2000 as damaged, so a short
    // year is in this century: "3/5/26" is 2026, not 1926.
    if (yearText.size() == 2)
        year += 2000;
    const QDate date(year, month, day);
    return date.isValid() ? date : QDate();
}

QString DateField::format(const QDate &date)
{
    if (!date.isValid())
        return QString();
    // By hand: a register shows thousands of dates, and a format string would
    // be read anew for each of them.
    const int year = date.year();
    if (year < 1000 || year > 9999)
        return date.toString(QStringLiteral("M/d/yyyy"));
    return QString::number(date.month()) + u'/' + QString::number(date.day()) + u'/' + QString::number(year);
}

QDate DateField::date() const
{
    const QDate typed = parse(text());
    return typed.isValid() ? typed : m_date;
}

void DateField::setDate(const QDate &date)
{
    const bool changed = date != m_date;
    m_date = date;
    const QString shown = format(date);
    if (text() != shown)
        setText(shown);
    if (changed)
        emit dateChanged(date);
}

bool DateField::hasValidText() const
{
    return parse(text()).isValid();
}

QString DateField::problem() const
{
    if (hasValidText())
        return QString();
    if (text().trimmed().isEmpty())
        return tr("Type a date as M/D/YYYY.");
    return tr("\"%1\" is not a date. Type it as M/D/YYYY.").arg(text().trimmed());
}

void DateField::updateMark()
{
    const bool invalid = !hasValidText();
    setProperty("invalidDate", invalid);
    setStyleSheet(
        invalid
            ? QStringLiteral("DateField { border: 2px solid %1; }").arg(ThemeManager::negativeColor().name())
            : QString());
    setToolTip(problem());
}

void DateField::commitText()
{
    const QDate typed = parse(text());
    // An unreadable entry stays as typed and marked: falling back to the last
    // good date would save a date the user never meant.
    if (typed.isValid())
        setDate(typed);
    updateMark();
}

void DateField::stepDays(int days)
{
    const QDate base = date().isValid() ? date() : QDate::currentDate();
    setDate(base.addDays(days));
}

void DateField::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Up:
        stepDays(1);
        return;
    case Qt::Key_Minus:
    case Qt::Key_Down:
        stepDays(-1);
        return;
    case Qt::Key_T:
        if (event->modifiers() == Qt::NoModifier) {
            setDate(QDate::currentDate());
            return;
        }
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void DateField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    commitText();
}

void DateField::showCalendar()
{
    auto *popup = new QWidget(this, Qt::Popup);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(popup);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *calendar = new QCalendarWidget(popup);
    calendar->setFirstDayOfWeek(Qt::DayOfWeek(qBound(1, AppState::weekStartDay(), 7)));
    calendar->setGridVisible(false);
    if (date().isValid())
        calendar->setSelectedDate(date());
    layout->addWidget(calendar);
    connect(calendar, &QCalendarWidget::clicked, this, [this, popup](const QDate &picked) {
        setDate(picked);
        popup->close();
        emit editingFinished();
    });
    popup->adjustSize();
    popup->move(mapToGlobal(QPoint(0, height())));
    popup->show();
    calendar->setFocus();
}
