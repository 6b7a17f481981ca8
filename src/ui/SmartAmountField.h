#pragma once

#include "RecordTypes.h"

#include <QDoubleSpinBox>
#include <functional>
#include <optional>

// Money entry: two decimals, right-aligned, no step buttons. Reads what people
// type or paste ("1,234.56", "-12", "$5") and, with the application-wide
// auto-decimal flag on, takes digits typed without a decimal point as cents
// ("1234" is 12.34). Decimals past the currency's are rounded half away from
// zero. Every key typed stays: text that is not an amount, or lies outside
// the range, stays in the field as typed and is marked once the user moves on
// from it; typedAmount() refuses it rather than reading an old value. Where
// the program speaks a language that groups thousands with "." (de, es, fr),
// "1.500" is refused as ambiguous rather than read as 1.50.
class SmartAmountField : public QDoubleSpinBox
{
    Q_OBJECT
public:
    // The largest amount any field takes, in currency units.
    static constexpr double Limit = 9999999999.99;

    explicit SmartAmountField(QWidget *parent = nullptr);

    // Decimals of the currency (none for yen) and the widest range: ±Limit, or
    // 0 to Limit without negative amounts.
    void setCurrency(Currency currency, bool allowNegative = true);
    // The currency's symbol in front of the amount ("¥ 1000"), as the forms show it.
    void setCurrencyPrefix(Currency currency);

    // The shown text in minor units (an empty field is 0); empty when the text
    // is not an amount or lies outside the range, with the reason in `problem`.
    std::optional<qint64> typedAmount(QString *problem = nullptr) const;

    // Marks the field, with the reason as its tool tip, when its text is not
    // an amount, and unmarks it otherwise.
    void updateMark();

    // The text as shown, and text to put back as typed (unreadable or not).
    QString typedText() const;
    void setTypedText(const QString &text);

    QValidator::State validate(QString &input, int &pos) const override;
    double valueFromText(const QString &text) const override;
    QString textFromValue(double value) const override;
    void fixup(QString &input) const override;

    // Shows zero as an empty field, so that typing starts afresh rather than
    // appending to "0.00" (the register's amount cells).
    void setBlankZero(bool blank);

signals:
    // The user changed the text (typing, pasting, deleting), not the program.
    void textTyped();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Currency fieldCurrency() const;
    QString stripAffixes(const QString &text) const;
    std::optional<qint64> parseMinor(const QString &text) const;
    // Why `body` cannot be read either way in the language in use ("1.500"
    // where "." groups thousands); empty when it can.
    QString ambiguityOf(const QString &body) const;
    double toFieldUnits(qint64 minor) const;
    // Runs a base handler that would put the last good value back over
    // unreadable text, and keeps the text the user typed.
    void keepingTypedText(const std::function<void()> &handler);

    bool m_blankZero = false;
    bool m_pointGroupsThousands = false;
};
