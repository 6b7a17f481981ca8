#include "TransactionWriter.h"

#include "AccountRepository.h"
#include "DatabaseTransaction.h"
#include "SplitLineRepository.h"
#include "TransactionRepository.h"

#include <QDebug>
#include <QUuid>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

void mirrorInto(Transaction &leg, const Transaction &source)
{
    leg.accountId = source.transferDestAccountId;
    leg.date = source.date;
    leg.payee = source.payee;
    leg.memo = source.memo;
    leg.amount = -source.amount;
    leg.transferLinkId = source.id;
    leg.transferDestAccountId = source.accountId;
    leg.categoryId.clear();
    leg.isSplit = false;
    leg.updatedAt = QDateTime::currentDateTimeUtc();
    leg.syncStatus = SyncStatus::Pending;
}

Transaction newLegFor(const Transaction &source)
{
    Transaction leg = TransactionWriter::prepareNew(Transaction());
    mirrorInto(leg, source);
    return leg;
}

} // namespace

TransactionWriter::TransactionWriter(Database *database, AccountRepository *accounts,
                                     TransactionRepository *transactions, SplitLineRepository *splitLines,
                                     QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_accounts(accounts)
    , m_transactions(transactions)
    , m_splitLines(splitLines)
{
}

Transaction TransactionWriter::prepareNew(Transaction transaction)
{
    if (transaction.id.isEmpty())
        transaction.id = newId();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    transaction.createdAt = now;
    transaction.updatedAt = now;
    transaction.syncStatus = SyncStatus::Pending;
    transaction.version = 1;
    transaction.serverId.clear();
    transaction.deletedAt.reset();
    return transaction;
}

// The other account must exist, be live, differ from this one and hold the
// same currency: both legs carry the same number of minor units.
bool TransactionWriter::transferTargetValid(const Transaction &t) const
{
    if (t.transferDestAccountId.isEmpty() || t.transferDestAccountId == t.accountId)
        return false;
    const std::optional<Account> target = m_accounts->findById(t.transferDestAccountId);
    const std::optional<Account> source = m_accounts->findById(t.accountId);
    if (!target || target->deletedAt || !source) {
        qWarning() << "TransactionWriter: transfer target account is missing or deleted:"
                   << t.transferDestAccountId;
        return false;
    }
    if (target->currency != source->currency) {
        qWarning() << "TransactionWriter: refusing a transfer between currencies"
                   << currencyToString(source->currency) << "and" << currencyToString(target->currency);
        return false;
    }
    return true;
}

bool TransactionWriter::accountDeleted(const QString &accountId) const
{
    const std::optional<Account> account = m_accounts->findById(accountId);
    return account && account->deletedAt;
}

bool TransactionWriter::insertSplitLines(const QString &transactionId, const QList<SplitLine> &lines,
                                         const QDateTime &when)
{
    for (SplitLine line : lines) {
        line.id = newId();
        line.transactionId = transactionId;
        line.createdAt = when;
        line.updatedAt = when;
        if (!m_splitLines->insert(line))
            return false;
    }
    return true;
}

std::optional<Transaction> TransactionWriter::otherLeg(const Transaction &transaction) const
{
    if (transaction.transferLinkId.isEmpty())
        return std::nullopt;
    std::optional<Transaction> leg = m_transactions->findById(transaction.transferLinkId);
    if (leg && leg->id == transaction.id)
        return std::nullopt;
    return leg;
}

std::optional<Account> TransactionWriter::reconciledLegChangedBy(const Transaction &before,
                                                                 const Transaction &after) const
{
    const std::optional<Transaction> leg = otherLeg(before);
    if (!leg || leg->deletedAt || !leg->reconciled)
        return std::nullopt;
    const bool staysInPlace = after.transferDestAccountId == leg->accountId;
    const bool unchanged =
        staysInPlace && after.date == leg->date && after.amount == -leg->amount;
    if (unchanged)
        return std::nullopt;
    std::optional<Account> account = m_accounts->findById(leg->accountId);
    if (!account) {
        Account unknown;
        unknown.id = leg->accountId;
        return unknown;
    }
    return account;
}

bool TransactionWriter::insert(Transaction transaction, const QList<SplitLine> &splitLines)
{
    transaction = prepareNew(transaction);
    const bool transfer = !transaction.transferDestAccountId.isEmpty();
    if (transfer && !transferTargetValid(transaction))
        return false;

    DatabaseTransaction scope(m_database, "TransactionWriter::insert");
    if (transfer) {
        transaction.categoryId.clear();
        transaction.isSplit = false;
        const Transaction leg = newLegFor(transaction);
        transaction.transferLinkId = leg.id;
        if (!m_transactions->insert(leg))
            return false;
    } else {
        transaction.transferLinkId.clear();
        transaction.isSplit = !splitLines.isEmpty();
        if (transaction.isSplit)
            transaction.categoryId.clear();
    }
    if (!m_transactions->insert(transaction))
        return false;
    if (!transfer && !insertSplitLines(transaction.id, splitLines, transaction.createdAt))
        return false;
    return scope.commit();
}

bool TransactionWriter::update(const Transaction &before, Transaction after)
{
    after.updatedAt = QDateTime::currentDateTimeUtc();
    after.syncStatus = SyncStatus::Pending;
    const bool transfer = !after.transferDestAccountId.isEmpty();
    // A transfer whose other account was deleted keeps its amount and stays
    // editable: only this leg is saved, the deleted one is left as it is.
    const bool keepsDeletedAccount = transfer &&
                                     after.transferDestAccountId == before.transferDestAccountId &&
                                     accountDeleted(after.transferDestAccountId);
    if (transfer && !keepsDeletedAccount && !transferTargetValid(after))
        return false;

    std::optional<Transaction> leg = otherLeg(before);
    // A link to a row this device has never seen: the leg exists on the server
    // and arrives with a pull. Making one here would double it.
    const bool legNotHereYet = !leg && !before.transferLinkId.isEmpty() && before.transferLinkId != before.id;
    if (leg && leg->deletedAt)
        leg.reset();

    DatabaseTransaction scope(m_database, "TransactionWriter::update");
    if (transfer) {
        after.categoryId.clear();
        // A transfer is never split: lines left behind would still travel with it.
        if (!m_splitLines->deleteByTransaction(after.id))
            return false;
        after.isSplit = false;
        if (leg && leg->accountId == after.transferDestAccountId) {
            mirrorInto(*leg, after);
            after.transferLinkId = leg->id;
            if (!m_transactions->update(*leg))
                return false;
        } else if ((legNotHereYet && before.transferDestAccountId == after.transferDestAccountId) ||
                   keepsDeletedAccount) {
            after.transferLinkId = before.transferLinkId;
        } else {
            // New transfer, or one that now goes to another account: the old
            // leg goes, a new one is made in the new account.
            if (leg && !m_transactions->softDelete(leg->id))
                return false;
            const Transaction fresh = newLegFor(after);
            after.transferLinkId = fresh.id;
            if (!m_transactions->insert(fresh))
                return false;
        }
    } else {
        if (leg && !m_transactions->softDelete(leg->id))
            return false;
        after.transferLinkId.clear();
    }
    if (!m_transactions->update(after))
        return false;
    return scope.commit();
}

bool TransactionWriter::replaceSplits(const Transaction &transaction, const QList<SplitLine> &lines)
{
    if (!transaction.transferDestAccountId.isEmpty() && !lines.isEmpty())
        return false;
    Transaction updated = transaction;
    updated.isSplit = !lines.isEmpty();
    if (updated.isSplit)
        updated.categoryId.clear();
    updated.updatedAt = QDateTime::currentDateTimeUtc();
    updated.syncStatus = SyncStatus::Pending;

    DatabaseTransaction scope(m_database, "TransactionWriter::replaceSplits");
    if (!m_splitLines->deleteByTransaction(transaction.id) ||
        !insertSplitLines(transaction.id, lines, updated.updatedAt))
        return false;
    // Rewriting the transaction marks it for sync and tells the register.
    if (!m_transactions->update(updated))
        return false;
    return scope.commit();
}

bool TransactionWriter::remove(const Transaction &transaction)
{
    const std::optional<Transaction> leg = otherLeg(transaction);
    DatabaseTransaction scope(m_database, "TransactionWriter::remove");
    if (!m_transactions->softDelete(transaction.id))
        return false;
    if (leg && !leg->deletedAt && !m_transactions->softDelete(leg->id))
        return false;
    return scope.commit();
}
