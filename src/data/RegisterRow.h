#pragma once

#include "Transaction.h"

#include <QString>

// A transaction as the register shows it: with the running balance after it and
// the category path ("Parent > Child").
struct RegisterRow
{
    Transaction transaction;
    qint64 balance = 0;
    QString categoryName;
};
Q_DECLARE_TYPEINFO(RegisterRow, Q_RELOCATABLE_TYPE);
