#pragma once

#include "Transaction.h"

#include <optional>

class Database;

// The sums the database keeps per account (its live transactions, and the
// cleared ones) must stay countable in 64 bits, with the starting balance
// added too: a balance past that range cannot be shown, and the account's
// register could not be opened. Every write of rows that come from outside
// (a pull, an import, a restore) asks here first and refuses the row when it
// would take a sum out of range, as it refuses any other invalid record.
namespace AccountTotals {

// Whether every sum of the accounts the transaction touches stays within 64
// bits once it replaces the stored row with its id (or is added, when there is
// none): its own account's sums gain it, unless it is deleted, and the account
// a stored live row is on loses that row. True when an account does not exist
// or cannot be read: that write fails, or is judged, elsewhere.
bool stayInRange(Database *database, const Transaction &transaction);

// Whether the account's kept sums stay within 64 bits with `startingBalance`
// in place of the stored one. True when the account has no rows yet or cannot
// be read, as above.
bool startingBalanceInRange(Database *database, const QString &accountId, qint64 startingBalance);

// An amount's size, 2^63 for the most negative one.
quint64 magnitude(qint64 amount);

// Adds, stopping at 2^63: past that, nothing is known to fit.
void addCapped(quint64 &total, quint64 amount);

// How far from zero any account's kept sums are at most, its starting balance
// added: rows whose amounts' sizes add up to less than 2^63 minus this keep
// every sum in range, whatever accounts they go to. Empty when a sum is kept
// in floating point (it passed 64 bits once) or the sums cannot be read: then
// each row is to be asked.
std::optional<quint64> largestSums(Database *database);

} // namespace AccountTotals
