#include "ReconciliationService.h"

#include "AccountRepository.h"
#include "DatabaseTransaction.h"
#include "ReconciliationRepository.h"
#include "TransactionRepository.h"

#include <QDebug>
#include <QUuid>

ReconciliationService::ReconciliationService(Database *database, AccountRepository *accounts,
                                             TransactionRepository *transactions,
                                             ReconciliationRepository *reconciliations, QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_accounts(accounts)
    , m_transactions(transactions)
    , m_reconciliations(reconciliations)
{
}

std::optional<ReconciliationService::Reconciled>
ReconciliationService::reconciled(const QString &accountId) const
{
    const std::optional<Account> account = m_accounts->findById(accountId);
    if (!account)
        return std::nullopt;
    Reconciled result;
    result.balance = account->startingBalance;
    const QList<Transaction> transactions = m_transactions->findByAccount(accountId);
    for (const Transaction &t : transactions) {
        if (!t.reconciled)
            continue;
        result.balance += t.amount;
        if (!result.lastDate.isValid() || t.date > result.lastDate)
            result.lastDate = t.date;
    }
    return result;
}

QDate ReconciliationService::defaultStatementDate(const QDate &lastReconciledDate,
                                                  const std::optional<Reconciliation> &latest)
{
    QDate base;
    if (latest && latest->statementDate.isValid() &&
        (!lastReconciledDate.isValid() || latest->statementDate >= lastReconciledDate))
        base = latest->statementDate;
    else
        base = lastReconciledDate;
    return base.isValid() ? base.addMonths(1) : QDate();
}

ReconciliationService::Outcome ReconciliationService::finish(const QString &accountId,
                                                             const QDate &statementDate,
                                                             qint64 statementBalance, qint64 previousBalance,
                                                             const QList<Transaction> &ticked)
{
    DatabaseTransaction transaction(m_database, "ReconciliationService::finish");

    // Read inside the transaction, so that what is checked is what is written over.
    const std::optional<Reconciled> before = reconciled(accountId);
    if (!before || before->balance != previousBalance)
        return Outcome::Stale;

    const QDateTime now = QDateTime::currentDateTimeUtc();
    qint64 reconciledBalance = previousBalance;
    for (const Transaction &shown : ticked) {
        std::optional<Transaction> fresh = m_transactions->findById(shown.id);
        if (!fresh || fresh->deletedAt || fresh->reconciled || fresh->accountId != accountId ||
            fresh->amount != shown.amount)
            return Outcome::Stale;
        fresh->cleared = true;
        fresh->reconciled = true;
        fresh->updatedAt = now;
        fresh->syncStatus = SyncStatus::Pending;
        if (!m_transactions->update(*fresh))
            return Outcome::Failed;
        reconciledBalance += fresh->amount;
    }
    if (reconciledBalance != statementBalance)
        return Outcome::Stale;

    Reconciliation record;
    record.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    record.accountId = accountId;
    record.statementDate = statementDate;
    record.statementBalance = statementBalance;
    record.reconciledBalance = reconciledBalance;
    record.completedAt = now;
    record.version = 1;
    record.syncStatus = SyncStatus::Pending;
    record.createdAt = now;
    record.updatedAt = now;
    if (!m_reconciliations->insert(record))
        return Outcome::Failed;
    return transaction.commit() ? Outcome::Completed : Outcome::Failed;
}
