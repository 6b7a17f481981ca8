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
// JPY). Refused: no digits, stray characters, digits not grouped by three
// after the first group, a group separator after the decimal one, more
// decimals than the currency has (unless they are zeros), and amounts that do
// not fit in 64 bits.
std::optional<qint64> parseAmount(const QString &text, qint64 factor, bool decimalComma,
                                  QString *reason = nullptr);

// Three numbers in the order of `format` ("M/d/yyyy", "d/M/yyyy",
// "yyyy-MM-dd", "d.M.yyyy"), separated by the format's own separator; a time
// after the date is ignored. The year has four digits. Dates before 1900 are
// refused.
std::optional<QDate> parseDate(const QString &text, const QString &format, QString *reason = nullptr);

// A QIF date: month first unless `dayFirst`; a two-digit year, after a
// separator or an apostrophe ("1/5'24"), takes the century that puts the date
// within 80 years before and 20 years after today; a leading four-digit year
// reads year, month, day.
std::optional<QDate> parseQifDate(const QString &text, bool dayFirst, QString *reason = nullptr);

// Whether a date is one the program keeps: valid and not before 1900.
bool isAcceptedDate(const QDate &date);

} // namespace ImportValues
