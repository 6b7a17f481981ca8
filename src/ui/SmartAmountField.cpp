#include "SmartAmountField.h"

#include "Money.h"

#include <QLineEdit>
#include <QLocale>

SmartAmountField::SmartAmountField(QWidget *parent)
    : QDoubleSpinBox(parent)
{
    setDecimals(2);
    setRange(-99999999.99, 99999999.99);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setGroupSeparatorShown(false);
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    // Amounts are typed with '.' as the decimal point whatever the system locale.
    setLocale(QLocale::c());
}

QString SmartAmountField::stripAffixes(const QString &text) const
{
    QString body = text;
    if (!prefix().isEmpty() && body.startsWith(prefix()))
        body = body.mid(prefix().size());
    if (!suffix().isEmpty() && body.endsWith(suffix()))
        body.chop(suffix().size());
    return body.trimmed();
}

// A field without decimals holds whole units (yen): typed digits are never
// shifted into cents there, whatever the auto-decimal flag says.
std::optional<qint64> SmartAmountField::parseMinor(const QString &text) const
{
    return Money::parse(text, decimals() == 0 ? Currency::JPY : Currency::USD);
}

double SmartAmountField::toFieldUnits(qint64 minor) const
{
    return Money::toUnits(minor, decimals() == 0 ? Currency::JPY : Currency::USD);
}

QValidator::State SmartAmountField::validate(QString &input, int &) const
{
    const QString body = stripAffixes(input);
    if (body.isEmpty() || body == QLatin1String("-") || body == QLatin1String("+") ||
        body == QLatin1String(".") || body == QLatin1String("-."))
        return QValidator::Intermediate;
    for (const QChar ch : body) {
        if (!ch.isDigit() && ch != QLatin1Char('.') && ch != QLatin1Char(',') && ch != QLatin1Char('-') &&
            ch != QLatin1Char('+') && ch != QLatin1Char('$') && ch != QLatin1Char('(') &&
            ch != QLatin1Char(')') && ch != QLatin1Char(' '))
            return QValidator::Invalid;
    }
    const std::optional<qint64> cents = parseMinor(body);
    if (!cents)
        return QValidator::Intermediate;
    const double units = toFieldUnits(*cents);
    if (units < minimum() || units > maximum())
        return QValidator::Intermediate;
    return QValidator::Acceptable;
}

double SmartAmountField::valueFromText(const QString &text) const
{
    const std::optional<qint64> cents = parseMinor(stripAffixes(text));
    if (!cents)
        return value();
    return qBound(minimum(), toFieldUnits(*cents), maximum());
}

QString SmartAmountField::textFromValue(double value) const
{
    if (m_blankZero && value == 0.0)
        return QString();
    // Always with a decimal point, so that shown text read back under the
    // auto-decimal flag keeps its value.
    return QString::number(value, 'f', decimals());
}

void SmartAmountField::setBlankZero(bool blank)
{
    m_blankZero = blank;
    lineEdit()->setText(prefix() + textFromValue(value()) + suffix());
}

void SmartAmountField::focusInEvent(QFocusEvent *event)
{
    QDoubleSpinBox::focusInEvent(event);
    // However the field got the focus, typing replaces the amount.
    selectAll();
}

void SmartAmountField::fixup(QString &input) const
{
    const QString body = stripAffixes(input);
    const std::optional<qint64> cents = parseMinor(body);
    if (cents)
        input = prefix() + textFromValue(qBound(minimum(), toFieldUnits(*cents), maximum())) + suffix();
}
