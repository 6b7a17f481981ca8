#include "FuzzSyncRig.h"

#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

FuzzSyncRig &FuzzSyncRig::instance()
{
    static FuzzSyncRig rig(FuzzSupport::scratchDatabase());
    return rig;
}

FuzzSyncRig::FuzzSyncRig(Database *database)
    : accounts(database)
    , transactions(database)
    , categories(database)
    , recurring(database)
    , reconciliations(database)
    , splitLines(database)
    , preferences(database)
    , store(&accounts, &transactions, &categories, &recurring, &reconciliations, &splitLines)
{
    addRows();
}

void FuzzSyncRig::addRows()
{
    const QDateTime stamp(QDate(2024, 3, 1), QTime(12, 0), Qt::UTC);
    Account account;
    account.id = QStringLiteral("acc-1");
    account.name = QStringLiteral("Checking");
    account.createdAt = account.updatedAt = stamp;

    Category category;
    category.id = QStringLiteral("cat-1");
    category.name = QStringLiteral("Groceries");
    category.createdAt = category.updatedAt = stamp;

    Transaction transaction;
    transaction.id = QStringLiteral("txn-1");
    transaction.accountId = account.id;
    transaction.date = QDate(2024, 3, 5);
    transaction.payee = QStringLiteral("Market");
    transaction.amount = -1250;
    transaction.isSplit = true;
    transaction.createdAt = transaction.updatedAt = stamp;

    SplitLine line;
    line.id = QStringLiteral("spl-1");
    line.transactionId = transaction.id;
    line.categoryId = category.id;
    line.amount = -1250;
    line.createdAt = line.updatedAt = stamp;

    RecurringTransaction rule;
    rule.id = QStringLiteral("rec-1");
    rule.accountId = account.id;
    rule.payee = QStringLiteral("Rent");
    rule.amount = -90000;
    rule.startDate = rule.nextDueDate = QDate(2024, 4, 1);
    rule.createdAt = rule.updatedAt = stamp;

    Reconciliation reconciliation;
    reconciliation.id = QStringLiteral("rcn-1");
    reconciliation.accountId = account.id;
    reconciliation.statementDate = QDate(2024, 2, 29);
    reconciliation.completedAt = stamp;
    reconciliation.createdAt = reconciliation.updatedAt = stamp;

    if (!accounts.insert(account) || !categories.insert(category) || !transactions.insert(transaction) ||
        !splitLines.insert(line) || !recurring.insert(rule) || !reconciliations.insert(reconciliation)) {
        std::fprintf(stderr, "FuzzSyncRig: the sample rows could not be written\n");
        std::abort();
    }
}
