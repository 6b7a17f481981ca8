#pragma once

#include "SplitLine.h"
#include "Transaction.h"

#include <QList>

class AppState;

// Writes of transactions that keep a transfer's two legs in step. A transfer is
// two rows, one per account, each naming the other leg (transferLinkId) and the
// other account (transferDestAccountId), with opposite amounts. Every function
// runs its writes in one database transaction and returns whether all of them
// succeeded; on failure nothing is kept.
namespace TransactionWriter {

// A fresh id, pending sync status and UTC time stamps, for a record about to be inserted.
Transaction prepareNew(Transaction transaction);

// Inserts the transaction; for a transfer (transferDestAccountId set) the other
// account's leg is inserted first. Split lines, if any, are written with it.
bool insert(AppState *app, Transaction transaction, const QList<SplitLine> &splitLines = {});

// Saves an edited transaction. The other leg follows: it is updated, created
// when the edit made a transfer, moved when the other account changed, and
// deleted when the edit made it an ordinary transaction.
bool update(AppState *app, const Transaction &before, Transaction after);

// Replaces the transaction's split lines (none makes it an ordinary one again)
// and saves it with its split flag; a split transaction carries no category.
bool replaceSplits(AppState *app, const Transaction &transaction, const QList<SplitLine> &lines);

// Soft-deletes the transaction and, for a transfer, its other leg.
bool remove(AppState *app, const Transaction &transaction);

// The other leg of a transfer, live or not; empty when it has none.
std::optional<Transaction> otherLeg(AppState *app, const Transaction &transaction);

} // namespace TransactionWriter
