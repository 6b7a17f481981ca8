#include "AccountService.h"

#include "AccountRepository.h"
#include "Database.h"
#include "DatabaseTransaction.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SqlStatement.h"
#include "SqlValues.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"

AccountService::AccountService(Database *database, AccountRepository *accounts,
                               TransactionRepository *transactions, RecurringRepository *recurring,
                               ReconciliationRepository *reconciliations, TransactionWriter *writer,
                               QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_accounts(accounts)
    , m_transactions(transactions)
    , m_recurring(recurring)
    , m_reconciliations(reconciliations)
    , m_writer(writer)
{
}

bool AccountService::createAccount(Account account, const QDate &openingDate, const QString &openingPayee)
{
    // The starting balance becomes a transaction of its own, so that it shows
    // in the register and can be cleared and reconciled like any other.
    const qint64 opening = account.startingBalance;
    account.startingBalance = 0;
    DatabaseTransaction scope(m_database, "AccountService::createAccount");
    if (!m_accounts->insert(account))
        return false;
    if (opening != 0) {
        Transaction t;
        t.accountId = account.id;
        t.date = openingDate.isValid() ? openingDate : QDate::currentDate();
        t.payee = openingPayee;
        t.amount = opening;
        t.cleared = true;
        t.isOpening = true;
        if (!m_writer->insert(t))
            return false;
    }
    return scope.commit();
}

bool AccountService::deleteAccount(const QString &id)
{
    // One time stamp for the account and everything that goes with it, so that
    // restoring the account brings exactly these rows back.
    const QDateTime when = QDateTime::currentDateTimeUtc();
    DatabaseTransaction scope(m_database, "AccountService::deleteAccount");
    if (!m_accounts->softDelete(id, when) || !m_transactions->softDeleteByAccount(id, when) ||
        !m_recurring->softDeleteByAccount(id, when) || !m_reconciliations->softDeleteByAccount(id, when))
        return false;
    return scope.commit();
}

bool AccountService::restoreAccount(const QString &id)
{
    const std::optional<Account> account = m_accounts->findById(id);
    DatabaseTransaction scope(m_database, "AccountService::restoreAccount");
    if (account && account->deletedAt) {
        // Stored time stamps are UTC text and compared as text: the cutoff
        // must be UTC text too, or a local offset shifts it by hours.
        const QString cutoff = SqlValues::timestampText(account->deletedAt->toUTC().addSecs(-10));
        m_transactions->restoreByAccount(id, cutoff);
        m_recurring->restoreByAccount(id, cutoff);
        m_reconciliations->restoreByAccount(id, cutoff);
    }
    if (!m_accounts->restore(id))
        return false;
    return scope.commit();
}

int AccountService::linkedTransferCount(const QString &id) const
{
    const auto count = SqlStatement::readOne(
        m_database->database(),
        QStringLiteral("SELECT COUNT(*) FROM transactions t JOIN transactions o ON o.id = t.transfer_link_id "
                       "WHERE t.account_id = ? AND t.deleted_at IS NULL AND o.deleted_at IS NULL "
                       "AND o.account_id != ?"),
        {id, id}, [](const QSqlQuery &q) { return q.value(0).toInt(); }, "AccountService::linkedTransferCount");
    return count.value_or(0);
}

std::optional<Transaction> AccountService::openingTransaction(const QString &id,
                                                              const QStringList &openingPayees) const
{
    std::optional<Transaction> opening = m_transactions->findOpening(id);
    if (opening)
        return opening;
    // Made by an earlier version or pulled from another device, and not yet
    // marked here.
    for (const Transaction &t : m_transactions->findByAccount(id)) {
        if (!openingPayees.contains(t.payee) || !t.categoryId.isEmpty() || !t.transferDestAccountId.isEmpty() ||
            t.isSplit)
            continue;
        if (!opening || t.date < opening->date ||
            (t.date == opening->date && t.createdAt < opening->createdAt))
            opening = t;
    }
    return opening;
}

bool AccountService::markOpeningTransactions(const QStringList &openingPayees)
{
    return m_transactions->markOpening(openingPayees);
}

bool AccountService::updateAccount(Account account, const QDate &openingDate, const QStringList &openingPayees)
{
    const qint64 balance = account.startingBalance;
    account.startingBalance = 0;
    const QDate date = openingDate.isValid() ? openingDate : QDate::currentDate();
    DatabaseTransaction scope(m_database, "AccountService::updateAccount");
    // Marked first, so that the row edited here is found after any later
    // change of its payee.
    if (!m_transactions->markOpening(openingPayees))
        return false;
    const std::optional<Transaction> before = openingTransaction(account.id, openingPayees);
    if (!m_accounts->update(account))
        return false;
    if (before) {
        if (balance == 0) {
            if (!m_writer->remove(*before))
                return false;
        } else if (before->amount != balance || before->date != date) {
            Transaction after = *before;
            after.amount = balance;
            after.date = date;
            if (!m_writer->update(*before, after))
                return false;
        }
    } else if (balance != 0) {
        Transaction t;
        t.accountId = account.id;
        t.date = date;
        t.payee = openingPayees.value(0);
        t.amount = balance;
        t.cleared = true;
        t.isOpening = true;
        if (!m_writer->insert(t))
            return false;
    }
    return scope.commit();
}
