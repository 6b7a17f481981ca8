#pragma once

#include "RegisterRow.h"

#include <QDate>
#include <QString>
#include <QStringList>
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
    // `splitTexts`: the categories and memos of a split transaction's lines,
    // which match as the transaction's own would.
    bool matches(const RegisterRow &row, const QString &categoryText,
                 const QStringList &splitTexts = {}) const;
    QString description() const;
};
