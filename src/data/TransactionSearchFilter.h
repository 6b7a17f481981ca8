#pragma once

#include <QDate>
#include <QString>
#include <optional>

struct TransactionSearchFilter
{
    QString accountId;  // empty: every account
    QString categoryId; // empty: every category
    QDate dateFrom;     // invalid: no lower bound
    QDate dateTo;       // invalid: no upper bound
    std::optional<bool> cleared;
};
