#pragma once

#include "Account.h"
#include "Category.h"
#include "Reconciliation.h"
#include "RecurringTransaction.h"
#include "SplitLine.h"
#include "Transaction.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// Small, valid records for tests: every id given, time stamps fixed (UTC,
// whole seconds) so that what is read back can be compared field by field.
namespace TestRecords {

inline QDateTime stamp(int day = 1, int hour = 12)
{
    return QDateTime(QDate(2024, 3, day), QTime(hour, 0, 0), Qt::UTC);
}

inline Account account(const QString &id, const QString &name = QStringLiteral("Checking"), qint64 start = 0)
{
    Account a;
    a.id = id;
    a.name = name;
    a.startingBalance = start;
    a.createdAt = stamp();
    a.updatedAt = stamp();
    return a;
}

inline Category category(const QString &id, const QString &name, const QString &parentId = QString())
{
    Category c;
    c.id = id;
    c.name = name;
    c.parentId = parentId;
    c.createdAt = stamp();
    c.updatedAt = stamp();
    return c;
}

inline Transaction transaction(const QString &id, const QString &accountId, const QDate &date, qint64 amount,
                               const QString &payee = QString())
{
    Transaction t;
    t.id = id;
    t.accountId = accountId;
    t.date = date;
    t.amount = amount;
    t.payee = payee;
    t.createdAt = stamp();
    t.updatedAt = stamp();
    return t;
}

inline SplitLine splitLine(const QString &id, const QString &transactionId, qint64 amount,
                           const QString &categoryId = QString())
{
    SplitLine s;
    s.id = id;
    s.transactionId = transactionId;
    s.amount = amount;
    s.categoryId = categoryId;
    s.createdAt = stamp();
    s.updatedAt = stamp();
    return s;
}

inline RecurringTransaction recurring(const QString &id, const QString &accountId, const QDate &nextDue)
{
    RecurringTransaction r;
    r.id = id;
    r.accountId = accountId;
    r.payee = QStringLiteral("Rent");
    r.amount = -150000;
    r.startDate = nextDue;
    r.nextDueDate = nextDue;
    r.createdAt = stamp();
    r.updatedAt = stamp();
    return r;
}

inline Reconciliation reconciliation(const QString &id, const QString &accountId, const QDate &statementDate)
{
    Reconciliation r;
    r.id = id;
    r.accountId = accountId;
    r.statementDate = statementDate;
    r.completedAt = stamp(2);
    r.createdAt = stamp();
    r.updatedAt = stamp();
    return r;
}

} // namespace TestRecords
