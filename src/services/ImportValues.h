#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// Reading the amounts and dates of imported files. Each answer is empty with
// a reason when the text cannot be read.
namespace ImportValues {

// The date formats offered for CSV files, in the order they are offered.
QStringList dateFormats();

// "1,234.56", "(12.00)", "-12.00", "12.00-", "$1,234.56"; with decimalComma
// "1.234,56". `factor` is the currency's minor-unit factor (100, or 1 for
// JPY). Refused: no digits, stray characters, more than one sign ("--12.00",
// "(-12.00)"), digits not grouped by three after the first group, a group
// separator after the decimal one, more decimals than the currency has (even
// zeros: "2.000" may be two thousand), and amounts beyond what a register
// holds.
std::optional<qint64> parseAmount(const QString &text, qint64 factor, bool decimalComma,
                                  QString *reason = nullptr);

// Whether a register holds the amount: at most 9,999,999,999.99 either way
// (whole units for a currency without minor ones). Empty when it does, else
// the reason.
QString outOfRange(qint64 amount, qint64 factor);

// Three numbers in the order of `format` ("M/d/yyyy", "d/M/yyyy",
// "yyyy-MM-dd", "d.M.yyyy"), separated by the format's own separator; a time
// after the date is ignored. The year has four digits. Dates before 1900, or
// more than 20 years after today, are refused.
std::optional<QDate> parseDate(const QString &text, const QString &format, QString *reason = nullptr);

// A QIF date: month first unless `dayFirst`; a two-digit year, after a
// separator or an apostrophe ("1/5'24"), takes the century that puts the date
// within 80 years before and 20 years after today; a leading four-digit year
// reads year, month, day.
std::optional<QDate> parseQifDate(const QString &text, bool dayFirst, QString *reason = nullptr);

// Whether a date is one the program keeps: valid, not before 1900 and not
// more than 20 years after today (the window two-digit years are read in).
bool isAcceptedDate(const QDate &date);
// A control character no person types into a field: any but line breaks and tabs.
inline bool isStrayControl(QChar ch)
{
    return ch.unicode() < 0x20 && ch != QLatin1Char('\n') && ch != QLatin1Char('\r') &&
           ch != QLatin1Char('\t');
}

// What dates of one file show of their order: a first number above 12 can
// only be a day, and so can a second one. Dates that start with their year
// show nothing.
struct DateOrderEvidence
{
    bool dayFirst = false;
    bool monthFirst = false;
    bool ordersDiffer = false; // some date reads differently in the two orders

    void add(QStringView date);
    // Every date fits both orders, and some read differently in each.
    bool ambiguous() const { return !dayFirst && !monthFirst && ordersDiffer; }
};

} // namespace ImportValues
