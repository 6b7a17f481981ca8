#pragma once

#include "RegisterRow.h"

#include <QDate>
#include <QString>
#include <optional>

// What the register shows of an account: rows whose payee, memo, check number
// or category contain the text, dated within the range, in the cleared state.
struct RegisterFilter
{
    QString text;
    QDate dateFrom; // invalid: no lower bound
    QDate dateTo;   // invalid: no upper bound
    std::optional<bool> cleared;

    bool isActive() const
    {
        return !text.isEmpty() || dateFrom.isValid() || dateTo.isValid() || cleared.has_value();
    }
    bool matches(const RegisterRow &row, const QString &categoryText) const;
    QString description() const;
};
