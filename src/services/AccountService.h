#pragma once

#include "Account.h"
#include "Transaction.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class AccountRepository;
class Database;
class ReconciliationRepository;
class RecurringRepository;
class TransactionRepository;
class TransactionWriter;

// Account writes that touch more than the account row: opening a new account
// with its opening balance, and deleting one with everything that belongs to it.
class AccountService : public QObject
{
    Q_OBJECT

public:
    AccountService(Database *database, AccountRepository *accounts, TransactionRepository *transactions,
                   RecurringRepository *recurring, ReconciliationRepository *reconciliations,
                   TransactionWriter *writer, QObject *parent = nullptr);

    // Inserts the account. A non-zero startingBalance becomes a cleared
    // opening-balance transaction dated `openingDate` with the payee
    // `openingPayee`, and the stored starting balance is 0, so that every
    // amount in a balance has a register row. All or nothing.
    bool createAccount(Account account, const QDate &openingDate, const QString &openingPayee);

    // Soft-deletes the account with its transactions, recurring transactions
    // and reconciliations under one time stamp, so that restoring the account
    // brings back exactly these rows. The other legs of its transfers stay in
    // their accounts. All or nothing.
    bool deleteAccount(const QString &id);

    // Brings the account back with its transactions, recurring transactions
    // and reconciliations deleted at most 10 seconds before it or later (those
    // deleted with it); rows it lost earlier on their own stay deleted. All or
    // nothing.
    bool restoreAccount(const QString &id);

    // Live transfers of the account whose other leg lies in another live
    // account: what deleting it leaves behind elsewhere.
    int linkedTransferCount(const QString &id) const;

    // The account's opening-balance transaction: the row marked so, whatever
    // its payee; else (a row made by an earlier version or pulled from
    // another device) its oldest live transaction whose payee is one of
    // `openingPayees` (the text in every language, as the row keeps the
    // language it was made in) with no category, transfer or split lines;
    // empty when it has none.
    std::optional<Transaction> openingTransaction(const QString &id, const QStringList &openingPayees) const;

    // Marks every account's opening row that is found only by its payee, so
    // that renaming the payee does not lose it. Changes nothing sync sends.
    bool markOpeningTransactions(const QStringList &openingPayees);

    // Saves an edited account. Its startingBalance is the opening balance as
    // typed: it goes into the opening-balance transaction (dated
    // `openingDate`, found as openingTransaction() finds it, made with the
    // first of `openingPayees` when missing, deleted when zero) and the
    // stored starting balance becomes 0, so that every amount in a balance
    // has a register row. All or nothing.
    bool updateAccount(Account account, const QDate &openingDate, const QStringList &openingPayees);

private:
    Database *m_database;
    AccountRepository *m_accounts;
    TransactionRepository *m_transactions;
    RecurringRepository *m_recurring;
    ReconciliationRepository *m_reconciliations;
    TransactionWriter *m_writer;
};
