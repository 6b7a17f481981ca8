#pragma once

#include "Reconciliation.h"
#include "Transaction.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

class AccountRepository;
class Database;
class ReconciliationRepository;
class TransactionRepository;

// Closing an account against a bank statement: the ticked transactions become
// cleared and reconciled and one completed reconciliation is recorded, all in
// one database transaction.
class ReconciliationService : public QObject
{
    Q_OBJECT

public:
    // What is already reconciled in an account.
    struct Reconciled
    {
        // The starting balance plus every live reconciled transaction.
        qint64 balance = 0;
        // The latest date among those transactions; invalid when there is none.
        QDate lastDate;
    };

    enum class Outcome
    {
        Completed,
        // The account or a ticked transaction changed since it was read (gone,
        // deleted, already reconciled, another amount or account), or the
        // statement no longer balances. Nothing was written.
        Stale,
        // A write failed. Nothing was kept.
        Failed
    };

    ReconciliationService(Database *database, AccountRepository *accounts,
                          TransactionRepository *transactions, ReconciliationRepository *reconciliations,
                          QObject *parent = nullptr);

    // Empty when there is no such account.
    std::optional<Reconciled> reconciled(const QString &accountId) const;

    // The statement date to offer: a month after the later of the last
    // reconciliation's statement date and the last reconciled transaction's
    // date (the reconciliation wins a tie); invalid when there is neither.
    static QDate defaultStatementDate(const QDate &lastReconciledDate,
                                      const std::optional<Reconciliation> &latest);

    // Marks `ticked` (as the caller read them) cleared and reconciled and
    // records the reconciliation. Each transaction is read again and only its
    // cleared and reconciled flags, update time and sync status change. The
    // caller's `previousBalance` and the ticked amounts must still hold and
    // add up to `statementBalance`; otherwise the outcome is Stale.
    Outcome finish(const QString &accountId, const QDate &statementDate, qint64 statementBalance,
                   qint64 previousBalance, const QList<Transaction> &ticked);

private:
    Database *m_database;
    AccountRepository *m_accounts;
    TransactionRepository *m_transactions;
    ReconciliationRepository *m_reconciliations;
};
