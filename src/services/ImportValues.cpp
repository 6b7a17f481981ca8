#include "ImportValues.h"

#include "DateText.h"
#include "Money.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <limits>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ImportValues", text);
}

template <typename T> std::optional<T> refuse(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return std::nullopt;
}

bool allDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    }
    return true;
}

std::optional<QDate> checkedDate(int year, int month, int day, QString *reason)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        return refuse<QDate>(reason, QCoreApplication::translate("ImportValues", "not a valid date"));
    if (date < QDate(1900, 1, 1))
        return refuse<QDate>(reason, QCoreApplication::translate("ImportValues", "date before 1900"));
    if (!ImportValues::isAcceptedDate(date))
        return refuse<QDate>(reason,
                             QCoreApplication::translate("ImportValues", "date more than 20 years from now"));
    return date;
}

bool isDateSeparator(QChar ch)
{
    return ch == QLatin1Char('/') || ch == QLatin1Char('.') || ch == QLatin1Char('-');
}

// Splits at `separator`, or at any of '/', '.' and '-' when it is null.
QStringList splitAtSeparators(const QString &text, QChar separator = QChar())
{
    QStringList parts{QString()};
    for (const QChar ch : text) {
        if (separator.isNull() ? isDateSeparator(ch) : ch == separator)
            parts.append(QString());
        else
            parts.last().append(ch);
    }
    return parts;
}

QStringList splitDate(const QString &text, QChar separator)
{
    QString cut = text.trimmed();
    // A time after the date ("2024-01-05 10:30", "2024-01-05T10:30:00") is not ours.
    for (qsizetype i = 0; i < cut.size(); ++i) {
        if (cut.at(i).isSpace() || cut.at(i) == QLatin1Char('T')) {
            cut.truncate(i);
            break;
        }
    }
    return splitAtSeparators(cut, separator);
}

// The first character of a format that is not a letter: "/" of "M/d/yyyy".
QChar separatorOf(const QString &format)
{
    for (const QChar ch : format) {
        if (!ch.isLetter())
            return ch;
    }
    return QChar();
}

// A two-digit year takes the century that puts the date within 80 years
// before and 20 years after today.
int yearInWindow(int twoDigits, int month, int day)
{
    const QDate today = QDate::currentDate();
    const int year = today.year() / 100 * 100 + twoDigits;
    // Day 28 stands in for a 29 February that the other century may lack.
    const QDate date(year, month, std::min(day, 28));
    if (!date.isValid())
        return year; // refused by the caller
    if (date > today.addYears(20))
        return year - 100;
    if (date < today.addYears(-80))
        return year + 100;
    return year;
}

// "1.234.567" with "." as `group`: the first group of one to three digits,
// every later group of exactly three.
bool validGrouping(const QString &whole, QChar group)
{
    const QStringList groups = whole.split(group);
    if (groups.size() == 1)
        return true;
    if (groups.constFirst().isEmpty() || groups.constFirst().size() > 3)
        return false;
    return std::all_of(groups.begin() + 1, groups.end(), [](const QString &g) { return g.size() == 3; });
}

} // namespace

namespace ImportValues {

QStringList dateFormats()
{
    return {DateText::registerFormat(), QStringLiteral("d/M/yyyy"), QStringLiteral("yyyy-MM-dd"),
            QStringLiteral("d.M.yyyy")};
}

bool isAcceptedDate(const QDate &date)
{
    return date.isValid() && date >= QDate(1900, 1, 1) && date <= QDate::currentDate().addYears(20);
}

QString outOfRange(qint64 amount, qint64 factor)
{
    // What the register's amount fields take, as for a pulled or restored row.
    const qint64 largest = (Money::LargestWholeEntered + 1) * factor - 1;
    if (amount >= -largest && amount <= largest)
        return QString();
    return tr("amount too large: a register holds at most %1")
        .arg(factor > 1 ? QStringLiteral("9,999,999,999.99") : QStringLiteral("9,999,999,999"));
}

void DateOrderEvidence::add(QStringView date)
{
    // The first two numbers of a date that does not start with its year.
    int numbers[2] = {0, 0};
    int count = 1;
    for (const QChar ch : date) {
        if (ch.isDigit()) {
            numbers[count - 1] = numbers[count - 1] * 10 + ch.digitValue();
            if (numbers[count - 1] > 999)
                break;
        } else if (ch != QLatin1Char(' ')) {
            if (++count > 2)
                break;
        }
    }
    if (count < 2 || numbers[0] > 99)
        return;
    dayFirst = dayFirst || numbers[0] > 12;
    monthFirst = monthFirst || numbers[1] > 12;
    ordersDiffer = ordersDiffer || numbers[0] != numbers[1];
}

std::optional<qint64> parseAmount(const QString &input, qint64 factor, bool decimalComma, QString *reason)
{
    QString text = input.trimmed();
    if (text.isEmpty())
        return refuse<qint64>(reason, tr("no amount"));

    // One sign at most: parentheses, a trailing minus or a leading sign. Two
    // are no double negative but a malformed figure ("--12.00", "(-12.00)").
    int signs = 0;
    bool negative = false;
    if (text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')'))) {
        ++signs;
        negative = true;
        text = text.mid(1, text.size() - 2).trimmed();
    }
    const auto isMinus = [](QChar ch) { return ch == QLatin1Char('-') || ch == QChar(0x2212); };
    if (!text.isEmpty() && isMinus(text.back())) {
        ++signs;
        negative = true;
        text.chop(1);
    }
    // Sign and currency symbol in either order: "-$12.00", "$-12.00".
    for (int pass = 0; pass < 2; ++pass) {
        text = text.trimmed();
        if (!text.isEmpty() && (isMinus(text.front()) || text.front() == QLatin1Char('+'))) {
            ++signs;
            negative = negative || isMinus(text.front());
            text.remove(0, 1);
        }
        text = text.trimmed();
        if (!text.isEmpty() && QStringLiteral("$€£¥").contains(text.front()))
            text.remove(0, 1);
    }
    if (signs > 1)
        return refuse<qint64>(reason, tr("\"%1\" has more than one sign").arg(input.trimmed()));

    const QChar point = decimalComma ? QLatin1Char(',') : QLatin1Char('.');
    const QChar group = decimalComma ? QLatin1Char('.') : QLatin1Char(',');
    // Spaces group digits as the group separator does ("1 234,56").
    QString whole;
    QString fraction;
    bool seenPoint = false;
    for (const QChar ch : std::as_const(text)) {
        if (ch == point && !seenPoint) {
            seenPoint = true;
        } else if ((ch == group || ch.isSpace()) && !seenPoint && !whole.isEmpty()) {
            whole.append(group);
        } else if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
            (seenPoint ? fraction : whole).append(ch);
        } else if (ch == group && seenPoint) {
            return refuse<qint64>(
                reason, tr("\"%1\" has a group separator after the decimal separator").arg(input.trimmed()));
        } else {
            return refuse<qint64>(reason, tr("\"%1\" is not an amount").arg(input.trimmed()));
        }
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return refuse<qint64>(reason, tr("\"%1\" is not an amount").arg(input.trimmed()));
    // "-12,50" without a decimal comma is no 1,250: digits are grouped by three.
    if (!validGrouping(whole, group))
        return refuse<qint64>(reason, tr("\"%1\" is not grouped in thousands").arg(input.trimmed()));
    whole.remove(group);

    int decimals = 0;
    for (qint64 f = factor; f > 1; f /= 10)
        ++decimals;
    // Never rounded nor cut: "-1.500" of a file in whole euros is no -1.50.
    if (fraction.size() > decimals)
        return refuse<qint64>(
            reason,
            tr("\"%1\" has more decimals than the currency has (%2)").arg(input.trimmed()).arg(decimals));
    fraction = fraction.leftJustified(decimals, QLatin1Char('0'));

    qint64 value = 0;
    for (const QChar ch : whole + fraction) {
        const int digit = ch.unicode() - '0';
        if (__builtin_mul_overflow(value, qint64(10), &value) || __builtin_add_overflow(value, digit, &value))
            return refuse<qint64>(reason, outOfRange(std::numeric_limits<qint64>::max(), factor));
    }
    if (negative)
        value = -value;
    if (const QString why = outOfRange(value, factor); !why.isEmpty())
        return refuse<qint64>(reason, why);
    return value;
}

std::optional<QDate> parseDate(const QString &text, const QString &format, QString *reason)
{
    if (text.trimmed().isEmpty())
        return refuse<QDate>(reason, tr("no date"));
    // Only the format's own separator: "01.11.2026" is no M/d/yyyy date.
    const QStringList parts = splitDate(text, separatorOf(format));
    if (parts.size() != 3 || !allDigits(parts.at(0)) || !allDigits(parts.at(1)) || !allDigits(parts.at(2)))
        return refuse<QDate>(reason, tr("\"%1\" is not a date in the format %2").arg(text.trimmed(), format));

    // The order of year, month and day follows the letters of the format.
    QList<QPair<qsizetype, QChar>> order{{format.indexOf(QLatin1Char('y')), QLatin1Char('y')},
                                         {format.indexOf(QLatin1Char('M')), QLatin1Char('M')},
                                         {format.indexOf(QLatin1Char('d')), QLatin1Char('d')}};
    std::sort(order.begin(), order.end());
    int year = 0;
    int month = 0;
    int day = 0;
    for (int i = 0; i < 3; ++i) {
        const QString &part = parts.at(i);
        switch (order.at(i).second.unicode()) {
        case 'y':
            if (part.size() != 4)
                return refuse<QDate>(reason,
                                     tr("\"%1\" is not a date in the format %2").arg(text.trimmed(), format));
            year = part.toInt();
            break;
        case 'M':
            month = part.toInt();
            break;
        default:
            day = part.toInt();
            break;
        }
    }
    return checkedDate(year, month, day, reason);
}

std::optional<QDate> parseQifDate(const QString &input, bool dayFirst, QString *reason)
{
    QString text = input;
    text.remove(QLatin1Char(' '));
    if (text.isEmpty())
        return refuse<QDate>(reason, tr("no date"));
    const auto notDate = [&]() {
        return refuse<QDate>(reason, tr("\"%1\" is not a date").arg(input.trimmed()));
    };

    const qsizetype apostrophe = text.indexOf(QLatin1Char('\''));
    QStringList parts;
    int year = 0;
    if (apostrophe >= 0) {
        const QString yearText = text.mid(apostrophe + 1);
        if (!allDigits(yearText) || (yearText.size() > 2 && yearText.size() != 4))
            return notDate();
        year = yearText.size() == 4 ? yearText.toInt() : -1 - yearText.toInt();
        parts = splitAtSeparators(text.left(apostrophe));
        if (parts.size() != 2)
            return notDate();
    } else {
        parts = splitAtSeparators(text);
        if (parts.size() != 3)
            return notDate();
        if (parts.at(0).size() == 4) {
            if (!allDigits(parts.at(0)) || !allDigits(parts.at(1)) || !allDigits(parts.at(2)))
                return notDate();
            return checkedDate(parts.at(0).toInt(), parts.at(1).toInt(), parts.at(2).toInt(), reason);
        }
        const QString yearText = parts.takeLast();
        if (!allDigits(yearText) || (yearText.size() > 2 && yearText.size() != 4))
            return notDate();
        year = yearText.size() == 4 ? yearText.toInt() : -1 - yearText.toInt();
    }
    if (!allDigits(parts.at(0)) || !allDigits(parts.at(1)))
        return notDate();
    const int first = parts.at(0).toInt();
    const int second = parts.at(1).toInt();
    const int month = dayFirst ? second : first;
    const int day = dayFirst ? first : second;
    // A negative year stands for the two digits the file gave.
    if (year < 0)
        year = yearInWindow(-1 - year, month, day);
    return checkedDate(year, month, day, reason);
}

} // namespace ImportValues
