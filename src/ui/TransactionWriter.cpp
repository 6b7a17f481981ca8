#include "TransactionWriter.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "Database.h"
#include "SplitLineRepository.h"
#include "TransactionRepository.h"
#include "WriteScope.h"

#include <QDebug>
#include <QUuid>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// The other account must exist, be live, differ from this one and hold the
// same currency: both legs carry the same number of minor units.
bool transferTargetValid(AppState *app, const Transaction &t)
{
    if (t.transferDestAccountId.isEmpty() || t.transferDestAccountId == t.accountId)
        return false;
    const std::optional<Account> target = app->accounts()->findById(t.transferDestAccountId);
    const std::optional<Account> source = app->accounts()->findById(t.accountId);
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

bool insertSplitLines(AppState *app, const QString &transactionId, const QList<SplitLine> &lines,
                      const QDateTime &when)
{
    for (SplitLine line : lines) {
        line.id = newId();
        line.transactionId = transactionId;
        line.createdAt = when;
        line.updatedAt = when;
        if (!app->splitLines()->insert(line))
            return false;
    }
    return true;
}

} // namespace

namespace TransactionWriter {

Transaction prepareNew(Transaction transaction)
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

std::optional<Transaction> otherLeg(AppState *app, const Transaction &transaction)
{
    if (transaction.transferLinkId.isEmpty())
        return std::nullopt;
    std::optional<Transaction> leg = app->transactions()->findById(transaction.transferLinkId);
    if (leg && leg->id == transaction.id)
        return std::nullopt;
    return leg;
}

bool insert(AppState *app, Transaction transaction, const QList<SplitLine> &splitLines)
{
    transaction = prepareNew(transaction);
    const bool transfer = !transaction.transferDestAccountId.isEmpty();
    if (transfer && !transferTargetValid(app, transaction))
        return false;

    WriteScope scope(app->database()->database());
    bool ok = true;
    if (transfer) {
        transaction.categoryId.clear();
        transaction.isSplit = false;
        const Transaction leg = newLegFor(transaction);
        transaction.transferLinkId = leg.id;
        ok = app->transactions()->insert(leg);
    } else {
        transaction.transferLinkId.clear();
        transaction.isSplit = !splitLines.isEmpty();
        if (transaction.isSplit)
            transaction.categoryId.clear();
    }
    ok = ok && app->transactions()->insert(transaction);
    if (ok && !transfer)
        ok = insertSplitLines(app, transaction.id, splitLines, transaction.createdAt);
    return scope.finish(ok);
}

bool update(AppState *app, const Transaction &before, Transaction after)
{
    after.updatedAt = QDateTime::currentDateTimeUtc();
    after.syncStatus = SyncStatus::Pending;
    const bool transfer = !after.transferDestAccountId.isEmpty();
    if (transfer && !transferTargetValid(app, after))
        return false;

    std::optional<Transaction> leg = otherLeg(app, before);
    if (leg && leg->deletedAt)
        leg.reset();

    WriteScope scope(app->database()->database());
    bool ok = true;
    if (transfer) {
        after.categoryId.clear();
        // A transfer is never split: lines left behind would still travel with it.
        ok = app->splitLines()->deleteByTransaction(after.id);
        after.isSplit = false;
        if (leg && leg->accountId == after.transferDestAccountId) {
            mirrorInto(*leg, after);
            after.transferLinkId = leg->id;
            ok = ok && app->transactions()->update(*leg);
        } else {
            // New transfer, or one that now goes to another account: the old
            // leg goes, a new one is made in the new account.
            if (leg)
                ok = ok && app->transactions()->softDelete(leg->id);
            const Transaction fresh = newLegFor(after);
            after.transferLinkId = fresh.id;
            ok = ok && app->transactions()->insert(fresh);
        }
    } else {
        if (leg)
            ok = app->transactions()->softDelete(leg->id);
        after.transferLinkId.clear();
    }
    ok = ok && app->transactions()->update(after);
    return scope.finish(ok);
}

bool replaceSplits(AppState *app, const Transaction &transaction, const QList<SplitLine> &lines)
{
    if (!transaction.transferDestAccountId.isEmpty() && !lines.isEmpty())
        return false;
    Transaction updated = transaction;
    updated.isSplit = !lines.isEmpty();
    if (updated.isSplit)
        updated.categoryId.clear();
    updated.updatedAt = QDateTime::currentDateTimeUtc();
    updated.syncStatus = SyncStatus::Pending;

    WriteScope scope(app->database()->database());
    bool ok = app->splitLines()->deleteByTransaction(transaction.id) &&
              insertSplitLines(app, transaction.id, lines, updated.updatedAt);
    // Rewriting the transaction marks it for sync and tells the register.
    ok = ok && app->transactions()->update(updated);
    return scope.finish(ok);
}

bool remove(AppState *app, const Transaction &transaction)
{
    const std::optional<Transaction> leg = otherLeg(app, transaction);
    WriteScope scope(app->database()->database());
    bool ok = app->transactions()->softDelete(transaction.id);
    if (ok && leg && !leg->deletedAt)
        ok = app->transactions()->softDelete(leg->id);
    return scope.finish(ok);
}

} // namespace TransactionWriter
