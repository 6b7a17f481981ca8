#pragma once

#include "Account.h"
#include "SplitLine.h"
#include "Transaction.h"

#include <QList>
#include <QObject>
#include <optional>

class AccountRepository;
class Database;
class SplitLineRepository;
class TransactionRepository;

// Writes of transactions that keep a transfer's two legs in step. A transfer is
// two rows, one per account, each naming the other leg (transferLinkId) and the
// other account (transferDestAccountId), with opposite amounts. Every write runs
// in one database transaction and returns whether all of it succeeded; on
// failure nothing is kept. Screens write transactions through this, never
// through the repository, so that a transfer made anywhere has its other leg.
class TransactionWriter : public QObject
{
    Q_OBJECT

public:
    TransactionWriter(Database *database, AccountRepository *accounts, TransactionRepository *transactions,
                      SplitLineRepository *splitLines, QObject *parent = nullptr);

    // A fresh id (unless one is set), pending sync status and UTC time stamps,
    // for a record about to be inserted.
    static Transaction prepareNew(Transaction transaction);

    // Inserts the transaction; for a transfer (transferDestAccountId set) the
    // other account's leg is inserted first. Split lines, if any, go with it.
    bool insert(Transaction transaction, const QList<SplitLine> &splitLines = {});

    // Saves an edited transaction. The other leg follows: it is updated,
    // created when the edit made a transfer, moved when the other account
    // changed, and deleted when the edit made it an ordinary transaction. A
    // leg that is not on this device yet (not pulled) is left to arrive: only
    // this leg is saved.
    bool update(const Transaction &before, Transaction after);

    // Replaces the transaction's split lines (none makes it an ordinary one
    // again) and saves it with its split flag; a split transaction carries no
    // category.
    bool replaceSplits(const Transaction &transaction, const QList<SplitLine> &lines);

    // Soft-deletes the transaction and, for a transfer, its other leg.
    bool remove(const Transaction &transaction);

    // The other leg of a transfer, live or not; empty when it has none.
    std::optional<Transaction> otherLeg(const Transaction &transaction) const;

    // The account whose reconciled leg saving `after` over `before` would
    // change (amount, date or account of the other leg); empty when the edit
    // leaves a reconciled leg alone. The caller asks the user first.
    std::optional<Account> reconciledLegChangedBy(const Transaction &before, const Transaction &after) const;

private:
    bool transferTargetValid(const Transaction &transaction) const;
    bool accountDeleted(const QString &accountId) const;
    bool insertSplitLines(const QString &transactionId, const QList<SplitLine> &lines, const QDateTime &when);

    Database *m_database;
    AccountRepository *m_accounts;
    TransactionRepository *m_transactions;
    SplitLineRepository *m_splitLines;
};
