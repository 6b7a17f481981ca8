#pragma once

#include <QtGlobal>
#include <limits>
#include <optional>

// A sum of 64-bit amounts in 128 bits (two's complement over a high and a low
// word): any number of rows adds up exactly, in any order, and the result is
// known to fit in 64 bits or not.
class WideSum
{
public:
    void add(qint64 amount)
    {
        const quint64 before = m_low;
        m_low += quint64(amount);
        m_high += (amount < 0 ? -1 : 0) + (m_low < before ? 1 : 0);
    }
    void subtract(qint64 amount)
    {
        if (amount == std::numeric_limits<qint64>::min()) {
            add(std::numeric_limits<qint64>::max());
            add(1);
        } else {
            add(-amount);
        }
    }
    // Empty when the sum is outside 64 bits: the high word is more than the
    // low word's sign repeated.
    std::optional<qint64> value() const
    {
        const bool negative = m_low > quint64(std::numeric_limits<qint64>::max());
        if (m_high != (negative ? -1 : 0))
            return std::nullopt;
        return qint64(m_low);
    }

private:
    qint64 m_high = 0;
    quint64 m_low = 0;
};
