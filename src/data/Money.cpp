#include "Money.h"

#include <cmath>
#include <limits>

namespace {

bool g_autoDecimal = false;

QString groupDigits(const QString &digits)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.append(QLatin1Char(','));
        out.append(digits.at(i));
    }
    return out;
}

} // namespace

namespace Money {

qint64 minorUnitFactor(Currency currency)
{
    return currency == Currency::JPY ? 1 : 100;
}

qint64 largestEntered(Currency currency)
{
    // Whole yen: the field shows no decimals for them.
    return (LargestWholeEntered + 1) * minorUnitFactor(currency) - 1;
}

QString symbol(Currency currency)
{
    switch (currency) {
    case Currency::USD: return QStringLiteral("$");
    case Currency::EUR: return QStringLiteral("€");
    case Currency::GBP: return QStringLiteral("£");
    case Currency::CAD: return QStringLiteral("CA$");
    case Currency::AUD: return QStringLiteral("A$");
    case Currency::JPY: return QStringLiteral("¥");
    }
    return QStringLiteral("$");
}

QString formatPlain(qint64 minorUnits, Currency currency)
{
    const bool negative = minorUnits < 0;
    // Work on the unsigned magnitude: negating INT64_MIN as a signed value overflows.
    const quint64 magnitude = negative ? quint64(0) - quint64(minorUnits) : quint64(minorUnits);
    const quint64 factor = quint64(minorUnitFactor(currency));
    const quint64 whole = magnitude / factor;
    QString text = groupDigits(QString::number(whole));
    if (factor > 1) {
        const quint64 fraction = magnitude % factor;
        text += QLatin1Char('.') + QStringLiteral("%1").arg(fraction, 2, 10, QLatin1Char('0'));
    }
    return negative ? QLatin1Char('-') + text : text;
}

QString format(qint64 minorUnits, Currency currency)
{
    QString plain = formatPlain(minorUnits, currency);
    if (plain.startsWith(QLatin1Char('-')))
        return QLatin1Char('-') + symbol(currency) + plain.mid(1);
    return symbol(currency) + plain;
}

namespace {

// Takes enclosing parentheses, a sign and a currency symbol (either side of
// the sign) off `text`; returns whether they make the amount negative.
bool takeSignAndSymbol(QString &text)
{
    bool negative = false;
    if (text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')'))) {
        negative = true;
        text = text.mid(1, text.size() - 2).trimmed();
    }
    auto takeSign = [&]() {
        if (text.startsWith(QLatin1Char('-')) || text.startsWith(QChar(0x2212))) {
            negative = !negative;
            text = text.mid(1).trimmed();
        } else if (text.startsWith(QLatin1Char('+'))) {
            text = text.mid(1).trimmed();
        }
    };
    takeSign();
    for (Currency c : {Currency::CAD, Currency::AUD, Currency::USD, Currency::EUR, Currency::GBP, Currency::JPY}) {
        const QString sym = symbol(c);
        if (text.startsWith(sym)) {
            text = text.mid(sym.size()).trimmed();
            break;
        }
    }
    takeSign();
    return negative;
}

// Splits the digits at the first decimal point, dropping grouping commas
// before it; false for any other character, and for a comma that does not
// group thousands ("12,50" typed for 12.50 is no twelve hundred and fifty).
bool splitDigits(const QString &text, QString &whole, QString &fraction, bool &seenPoint)
{
    qsizetype lastComma = -1;
    for (const QChar ch : text) {
        if (ch == QLatin1Char(',') && !seenPoint) {
            if (whole.isEmpty() || (lastComma >= 0 ? whole.size() - lastComma != 3 : whole.size() > 3))
                return false;
            lastComma = whole.size();
            continue;
        }
        if (ch == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
        (seenPoint ? fraction : whole).append(ch);
    }
    return lastComma < 0 || whole.size() - lastComma == 3;
}

// Brings the fraction to exactly `decimals` digits; false when that would
// drop a digit other than zero.
bool fitFraction(QString &whole, QString &fraction, bool seenPoint, int decimals)
{
    if (!seenPoint && g_autoDecimal && decimals > 0) {
        // Typed digits are a count of cents.
        fraction = whole.right(decimals);
        whole.chop(fraction.size());
        fraction = fraction.rightJustified(decimals, QLatin1Char('0'));
    }
    if (fraction.size() > decimals) {
        // More precision than the currency has: only zeros may be dropped.
        for (qsizetype i = decimals; i < fraction.size(); ++i) {
            if (fraction.at(i) != QLatin1Char('0'))
                return false;
        }
        fraction.truncate(decimals);
    }
    fraction = fraction.leftJustified(decimals, QLatin1Char('0'));
    return true;
}

// The decimal digits as a count, empty when it does not fit in 64 bits.
std::optional<qint64> digitsValue(const QString &digits, bool negative)
{
    // Accumulate as a negative number: its range includes INT64_MIN.
    constexpr qint64 minValue = std::numeric_limits<qint64>::min();
    qint64 value = 0;
    for (const QChar ch : digits) {
        const int d = ch.unicode() - '0';
        if (value < (minValue + d) / 10)
            return std::nullopt;
        value = value * 10 - d;
    }
    if (!negative) {
        if (value == minValue)
            return std::nullopt;
        value = -value;
    }
    return value;
}

} // namespace

std::optional<qint64> parse(const QString &input, Currency currency)
{
    QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;

    const bool negative = takeSignAndSymbol(text);
    if (text.isEmpty())
        return std::nullopt;

    QString whole;
    QString fraction;
    bool seenPoint = false;
    if (!splitDigits(text, whole, fraction, seenPoint))
        return std::nullopt;
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;

    const qint64 factor = minorUnitFactor(currency);
    const int decimals = factor == 1 ? 0 : 2;
    if (!fitFraction(whole, fraction, seenPoint, decimals))
        return std::nullopt;
    return digitsValue(whole + fraction, negative);
}

std::optional<qint64> toMinorUnits(double value, Currency currency)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const long double scaled = static_cast<long double>(value) * minorUnitFactor(currency);
    // Rounded through the decimal text a spin box shows, so 0.29 is 29 and not 28.
    const long double rounded = std::round(scaled * 1000.0L) / 1000.0L;
    const long double result = std::round(rounded); // half away from zero
    if (result >= 9223372036854775807.0L || result < -9223372036854775808.0L)
        return std::nullopt;
    return static_cast<qint64>(result);
}

double toUnits(qint64 minorUnits, Currency currency)
{
    return static_cast<double>(minorUnits) / static_cast<double>(minorUnitFactor(currency));
}

void setAutoDecimal(bool enabled)
{
    g_autoDecimal = enabled;
}

bool autoDecimal()
{
    return g_autoDecimal;
}

} // namespace Money
