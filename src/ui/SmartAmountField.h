#pragma once

#include <QDoubleSpinBox>
#include <optional>

// Money entry: two decimals, right-aligned, no step buttons. Reads what people
// type or paste ("1,234.56", "-12", "$5") and, with the application-wide
// auto-decimal flag on, takes digits typed without a decimal point as cents
// ("1234" is 12.34).
class SmartAmountField : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit SmartAmountField(QWidget *parent = nullptr);

    QValidator::State validate(QString &input, int &pos) const override;
    double valueFromText(const QString &text) const override;
    QString textFromValue(double value) const override;
    void fixup(QString &input) const override;

    // Shows zero as an empty field, so that typing starts afresh rather than
    // appending to "0.00" (the register's amount cells).
    void setBlankZero(bool blank);

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    QString stripAffixes(const QString &text) const;
    std::optional<qint64> parseMinor(const QString &text) const;
    double toFieldUnits(qint64 minor) const;

    bool m_blankZero = false;
};
