#include "SmartAmountField.h"

#include "LanguageSetting.h"
#include "Money.h"
#include "ThemeManager.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>

SmartAmountField::SmartAmountField(QWidget *parent)
    : QDoubleSpinBox(parent)
{
    setDecimals(2);
    setRange(-Limit, Limit);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setGroupSeparatorShown(false);
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    // Amounts are typed with '.' as the decimal point whatever the system locale.
    setLocale(QLocale::c());
    // Amounts are shown grouped the English way in every language, but a
    // reader whose own numbers group thousands with "." means 1500 by "1.500".
    static const QStringList pointGroupLanguages{QStringLiteral("de"), QStringLiteral("es"),
                                                 QStringLiteral("fr")};
    m_pointGroupsThousands = pointGroupLanguages.contains(LanguageSetting::inUse());
    connect(lineEdit(), &QLineEdit::textEdited, this, &SmartAmountField::textTyped);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this]() {
        // A mark goes as soon as the text is mended, and only comes back
        // when the user moves on from unreadable text.
        if (property("refusedAmount").toBool() && typedAmount())
            updateMark();
    });
}

void SmartAmountField::setCurrency(Currency currency, bool allowNegative)
{
    setDecimals(Money::minorUnitFactor(currency) == 1 ? 0 : 2);
    setRange(allowNegative ? -Limit : 0.0, Limit);
}

void SmartAmountField::setCurrencyPrefix(Currency currency)
{
    setPrefix(Money::symbol(currency) + QLatin1Char(' '));
}

Currency SmartAmountField::fieldCurrency() const
{
    // A field without decimals holds whole units (yen): typed digits are never
    // shifted into cents there, whatever the auto-decimal flag says.
    return decimals() == 0 ? Currency::JPY : Currency::USD;
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

QString SmartAmountField::ambiguityOf(const QString &body) const
{
    if (!m_pointGroupsThousands)
        return QString();
    // The point is the only separator and exactly three digits follow it.
    static const QRegularExpression grouped(QStringLiteral("^[^0-9.,]*[0-9]+(\\.)[0-9]{3}[^0-9.,]*$"));
    const QRegularExpressionMatch match = grouped.match(body);
    if (!match.hasMatch())
        return QString();
    const qsizetype point = match.capturedStart(1);
    const QString whole = QString(body).remove(point, 1);
    // Without decimals (yen) the other reading drops the point as well.
    const QString decimal = decimals() == 0 ? QString(body).remove(point, 4)
                                            : QString(body).remove(point + 1 + decimals(), 3 - decimals());
    return tr("%1: write %2 or %3.").arg(body, whole, decimal);
}

std::optional<qint64> SmartAmountField::parseMinor(const QString &text) const
{
    if (!ambiguityOf(text).isEmpty())
        return std::nullopt;
    // Digits past the currency's decimals are rounded half away from zero
    // ("12.345" is 12.35, "1200.5" yen is 1201), as the register books them.
    QString body = text;
    bool roundAway = false;
    const qsizetype point = body.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        qsizetype end = point + 1;
        while (end < body.size() && body.at(end).isDigit())
            ++end;
        const qsizetype digits = end - point - 1;
        if (digits > decimals()) {
            roundAway = body.at(point + 1 + decimals()) >= QLatin1Char('5');
            body.remove(point + 1 + decimals(), digits - decimals());
        }
    }
    const std::optional<qint64> minor = Money::parse(body, fieldCurrency());
    if (!minor || !roundAway)
        return minor;
    const bool negative = *minor < 0 || body.contains(QLatin1Char('-')) || body.contains(QLatin1Char('(')) ||
                          body.contains(QChar(0x2212));
    return negative ? *minor - 1 : *minor + 1;
}

double SmartAmountField::toFieldUnits(qint64 minor) const
{
    return Money::toUnits(minor, fieldCurrency());
}

std::optional<qint64> SmartAmountField::typedAmount(QString *problem) const
{
    const QString body = stripAffixes(lineEdit()->text());
    if (body.isEmpty())
        return 0;
    const std::optional<qint64> minor = parseMinor(body);
    if (!minor) {
        if (problem) {
            *problem = ambiguityOf(body);
            if (problem->isEmpty())
                *problem = tr("\"%1\" is not an amount.").arg(body);
        }
        return std::nullopt;
    }
    const double units = toFieldUnits(*minor);
    if (units < minimum() || units > maximum()) {
        if (problem) {
            const qint64 limit =
                Money::toMinorUnits(units < minimum() ? minimum() : maximum(), fieldCurrency()).value_or(0);
            *problem = units < minimum() && minimum() >= 0
                           ? tr("Type the amount without a minus sign.")
                           : tr("%1 is beyond the largest amount, %2.")
                                 .arg(body, Money::formatPlain(limit, fieldCurrency()));
        }
        return std::nullopt;
    }
    return minor;
}

QString SmartAmountField::typedText() const
{
    return lineEdit()->text();
}

void SmartAmountField::setTypedText(const QString &text)
{
    lineEdit()->setText(text);
}

void SmartAmountField::updateMark()
{
    QString problem;
    const bool refused = !typedAmount(&problem);
    if (refused == property("refusedAmount").toBool() && toolTip() == problem)
        return;
    setProperty("refusedAmount", refused);
    setStyleSheet(refused ? QStringLiteral("SmartAmountField { border: 2px solid %1; }")
                                .arg(ThemeManager::negativeColor().name())
                          : QString());
    setToolTip(problem);
}

QValidator::State SmartAmountField::validate(QString &input, int &) const
{
    // No key is turned away: a letter or a "/" typed one field off stays in
    // sight, and the field refuses the text rather than dropping the key.
    const std::optional<qint64> cents = parseMinor(stripAffixes(input));
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
    return toFieldUnits(*cents);
}

QString SmartAmountField::textFromValue(double value) const
{
    if (m_blankZero && value == 0.0)
        return QString();
    // Grouped in thousands as amounts are shown everywhere else, and always
    // with a decimal point where the currency has cents, so that shown text
    // read back under the auto-decimal flag keeps its value.
    if (const std::optional<qint64> minor = Money::toMinorUnits(value, fieldCurrency()))
        return Money::formatPlain(*minor, fieldCurrency());
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
    // However the field got the focus, typing replaces the amount: after a
    // click, once the click has placed the cursor, or "99000" typed before
    // the "0" shown would read ten times as much.
    selectAll();
    if (event->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, this, &QAbstractSpinBox::selectAll);
}

void SmartAmountField::keepingTypedText(const std::function<void()> &handler)
{
    const QString typed = lineEdit()->text();
    const bool unreadable = !typedAmount().has_value();
    handler();
    if (unreadable && lineEdit()->text() != typed)
        lineEdit()->setText(typed);
    updateMark();
}

void SmartAmountField::focusOutEvent(QFocusEvent *event)
{
    keepingTypedText([&]() { QDoubleSpinBox::focusOutEvent(event); });
}

void SmartAmountField::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        keepingTypedText([&]() { QDoubleSpinBox::keyPressEvent(event); });
    else
        QDoubleSpinBox::keyPressEvent(event);
}

void SmartAmountField::fixup(QString &input) const
{
    // Only a readable amount within the range is tidied; anything else stays
    // as typed instead of being clamped to the nearest bound.
    const std::optional<qint64> cents = parseMinor(stripAffixes(input));
    if (!cents)
        return;
    const double units = toFieldUnits(*cents);
    if (units >= minimum() && units <= maximum())
        input = prefix() + textFromValue(units) + suffix();
}
