#pragma once

#include "RecordTypes.h"

#include <QString>
#include <QtGlobal>
#include <optional>

// Amounts are signed 64-bit counts of the currency's minor unit (cents; whole
// yen for JPY). Nothing in the program holds money as a floating-point value
// except the spin boxes of the forms, which convert through toMinorUnits().
namespace Money {

// 100 for currencies with cents, 1 for JPY.
qint64 minorUnitFactor(Currency currency);

// The largest amount the forms' amount fields take (SmartAmountField::Limit,
// 9,999,999,999.99): its whole units, and the bound in the currency's minor
// units. What comes from elsewhere (a pull, a restore) beyond it could not
// have been typed.
inline constexpr qint64 LargestWholeEntered = 9'999'999'999;
qint64 largestEntered(Currency currency);

QString symbol(Currency currency);

// "-$1,234.56", "¥1,000": sign first, then the symbol, English digit grouping.
QString format(qint64 minorUnits, Currency currency);

// The amount without symbol: "-1,234.56".
QString formatPlain(qint64 minorUnits, Currency currency);

// Reads typed or pasted text: optional sign or parentheses, optional currency
// symbol, digit grouping with ','. Rejects garbage and values that do not fit.
// With the auto-decimal flag on, digits typed without a decimal point are a
// count of minor units ("1234" is 12.34).
std::optional<qint64> parse(const QString &text, Currency currency = Currency::USD);

// A value in currency units (as a spin box holds it) to minor units, rounded
// half away from zero; empty when it is not finite or does not fit.
std::optional<qint64> toMinorUnits(double value, Currency currency);

// Minor units as currency units, for putting a stored amount into a spin box.
double toUnits(qint64 minorUnits, Currency currency);

void setAutoDecimal(bool enabled);
bool autoDecimal();

} // namespace Money
