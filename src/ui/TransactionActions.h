#pragma once

#include "Transaction.h"

class AppState;
class QWidget;

// The commands on one transaction shared by the register, the details dialog
// and the main window's menus. Each returns true only when its write succeeded.
namespace TransactionActions {

bool editTransaction(AppState *app, const Transaction &transaction, QWidget *parent);
// Before saving `after` over `before`: when the edit would change the other,
// reconciled leg of a transfer, asks whether to go on. True to save.
bool confirmReconciledLegChange(AppState *app, const Transaction &before, const Transaction &after,
                                QWidget *parent);
bool editSplits(AppState *app, const Transaction &transaction, QWidget *parent);
bool duplicateTransaction(AppState *app, const Transaction &transaction, QWidget *parent);
bool toggleCleared(AppState *app, Transaction transaction);
bool confirmDelete(AppState *app, const Transaction &transaction, QWidget *parent);
// Nothing was typed: no payee, memo, check number, category, transfer or
// amount. A date and a cleared mark alone, which a new row starts with, make
// no transaction.
bool isBlank(const Transaction &transaction);

} // namespace TransactionActions
