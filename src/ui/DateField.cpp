#include "DateField.h"

#include "AppState.h"
#include "DateText.h"
#include "ThemeManager.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>
#include <QStyle>
#include <QVBoxLayout>

DateField::DateField(QWidget *parent)
    : QLineEdit(parent)
    , m_format(DateText::registerFormat())
{
    setPlaceholderText(formatHint());
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

void DateField::setDisplayFormat(const QString &format)
{
    m_format = format;
    setPlaceholderText(formatHint());
    setText(shown(m_date));
}

QDate DateField::parse(const QString &text)
{
    return parse(text, DateText::registerFormat());
}

QDate DateField::parse(const QString &text, const QString &format)
{
    // The format becomes a pattern: each field a group of digits, everything
    // else literal. Which group is day, month and year follows the format.
    QString pattern = QStringLiteral("^");
    QList<QChar> fields;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        i += run;
        const bool number = (c == u'd' || c == u'M') ? run <= 2 : (c == u'y' && (run == 2 || run == 4));
        if (number) {
            pattern += c == u'y' ? QStringLiteral("(\\d{4}|\\d{2})") : QStringLiteral("(\\d{1,2})");
            fields.append(c);
        } else if (c.isLetter() || c == u'\'') {
            // Names of days or months, or quoted text: read as the locale reads them.
            return QLocale().toDate(text.trimmed(), format);
        } else {
            pattern += c.isSpace() ? QStringLiteral("\\s+") : QRegularExpression::escape(QString(run, c));
        }
    }
    const QRegularExpressionMatch match = QRegularExpression(pattern + u'$').match(text.trimmed());
    if (!match.hasMatch() || fields.size() != 3 || !fields.contains(u'd') || !fields.contains(u'M') ||
        !fields.contains(u'y'))
        return {};
    int year = 0;
    int month = 0;
    int day = 0;
    for (qsizetype k = 0; k < fields.size(); ++k) {
        const QString digits = match.captured(int(k) + 1);
        if (fields.at(k) == u'd')
            day = digits.toInt();
        else if (fields.at(k) == u'M')
            month = digits.toInt();
        // The rest of the program treats dates before 2000 as damaged, so a
        // short year is in this century: "3/5/26" is 2026, not 1926.
        else
            year = digits.size() == 2 ? 2000 + digits.toInt() : digits.toInt();
    }
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
        return date.toString(DateText::registerFormat());
    return QString::number(date.month()) + u'/' + QString::number(date.day()) + u'/' + QString::number(year);
}

QString DateField::shown(const QDate &date) const
{
    if (m_format == DateText::registerFormat() || !date.isValid())
        return format(date);
    return QLocale().toString(date, m_format);
}

QString DateField::formatHint() const
{
    // One letter per digit, in the user's language: "MM/DD/YYYY", "TT.MM.JJ".
    const QString day = tr("D", "stands for a digit of the day in a date pattern such as M/D/YYYY");
    const QString month = tr("M", "stands for a digit of the month in a date pattern such as M/D/YYYY");
    const QString year = tr("Y", "stands for a digit of the year in a date pattern such as M/D/YYYY");
    QString hint;
    for (const QChar c : m_format)
        hint += c == u'd' ? day : (c == u'M' ? month : (c == u'y' ? year : QString(c)));
    return hint;
}

QSize DateField::minimumSizeHint() const
{
    QSize size = QLineEdit::minimumSizeHint();
    const int text = fontMetrics().horizontalAdvance(shown(QDate(2026, 12, 28)));
    const int button = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this) + 12;
    size.setWidth(qMax(size.width(), text + button + 12));
    return size;
}

QDate DateField::date() const
{
    const QDate typed = parse(text(), m_format);
    return typed.isValid() ? typed : m_date;
}

void DateField::setDate(const QDate &date)
{
    const bool changed = date != m_date;
    m_date = date;
    const QString shownText = shown(date);
    if (text() != shownText)
        setText(shownText);
    if (changed)
        emit dateChanged(date);
}

bool DateField::hasValidText() const
{
    return parse(text(), m_format).isValid();
}

QString DateField::problem() const
{
    if (hasValidText())
        return QString();
    if (text().trimmed().isEmpty())
        return tr("Type a date as %1.").arg(formatHint());
    return tr("\"%1\" is not a date. Type it as %2.").arg(text().trimmed(), formatHint());
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

bool DateField::checkText(QString *problem)
{
    updateMark();
    if (hasValidText())
        return true;
    *problem = this->problem();
    return false;
}

void DateField::commitText()
{
    const QDate typed = parse(text(), m_format);
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
