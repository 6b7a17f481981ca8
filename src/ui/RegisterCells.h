#pragma once

#include "Transaction.h"

#include <QVariant>

class RegisterModel;

// What a register cell holds in each role: its text, the value its editor
// starts from, its alignment, colour and tooltip.
namespace RegisterCells {

// A row as shown: the pending edit in place of the stored row.
struct DisplayRow
{
    Transaction transaction;
    QString categoryName;
    qint64 balance = 0;
    bool hasBalance = false;
};

// The cell in `column` of the row, for `role`; the model gives the currencies,
// the category texts and the line mode the row is shown with.
QVariant data(const RegisterModel &model, int column, int role, const DisplayRow &shown);

// Cells and headers of amounts on the right, of marks and check numbers centred.
QVariant alignment(int column);

// A transaction's amount shown as a payment or a deposit: never negative, and
// zero in the column it does not belong to.
inline qint64 paymentOf(const Transaction &t)
{
    return t.amount < 0 ? -t.amount : 0;
}

inline qint64 depositOf(const Transaction &t)
{
    return t.amount > 0 ? t.amount : 0;
}

} // namespace RegisterCells
