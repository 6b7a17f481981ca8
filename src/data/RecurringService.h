#pragma once

#include "RecurringTransaction.h"
#include "Transaction.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

class AccountRepository;
class Database;
class RecurringRepository;
class TransactionRepository;

// Posts the occurrences of recurring transactions and moves their schedules on.
// An occurrence's transaction id is derived from the record's id and the due
// date, so two devices posting the same occurrence write the same row, and an
// occurrence that is already there counts as posted.
class RecurringService : public QObject
{
    Q_OBJECT

public:
    // Stops a runaway schedule from posting for ever in one call.
    static constexpr int MaxOccurrencesPerRecord = 365;

    RecurringService(Database *database, RecurringRepository *recurring, TransactionRepository *transactions,
                     AccountRepository *accounts, QObject *parent = nullptr);

    // Live records: active first, then by next due date, then by payee
    // (case-insensitively).
    QList<RecurringTransaction> allRecurring() const;

    // Live active records due on or before today.
    int pendingCount() const;

    // Posts the next occurrence and advances the schedule. True when a
    // transaction was written; false when the record is missing, its date is
    // broken (the record is then deactivated), the write failed, or the
    // occurrence had been posted already (the schedule still advances).
    bool confirm(const QString &id);

    // One occurrence of every live active record due on or before today.
    int confirmAllDue();

    // Every occurrence due on or before `through`, at most
    // MaxOccurrencesPerRecord per record.
    int confirmAllThrough(const QDate &through);

    // Advances the schedule by one occurrence without posting. False for a
    // missing record or one whose date is broken (then deactivated).
    bool skip(const QString &id);

    // For the main window's timer: every occurrence of the live active
    // auto-post records due on or before today plus the record's lead days.
    int autoPostDue();

    // The transaction ids of an occurrence, the same on every device.
    static QString occurrenceId(const QString &recurringId, const QDate &dueDate);
    static QString transferDestinationId(const QString &recurringId, const QDate &dueDate);

    // Dates before this are damage (an empty or mangled field read as a date),
    // not schedules anyone keeps.
    static bool isUsableDueDate(const QDate &date);

signals:
    void pendingCountChanged(int count);

private:
    enum class PostResult
    {
        Posted,
        AlreadyPosted,
        Failed
    };

    // Batch operations report the pending count once, at their end.
    class BatchGuard
    {
    public:
        explicit BatchGuard(RecurringService *service);
        ~BatchGuard();
        BatchGuard(const BatchGuard &) = delete;
        BatchGuard &operator=(const BatchGuard &) = delete;

    private:
        RecurringService *m_service;
    };

    QStringList liveActiveIds(const QString &condition, const QVariantList &values) const;
    bool confirmRecord(const RecurringTransaction &record);
    int postThrough(const QString &id, const QDate &through);
    PostResult postOccurrence(const RecurringTransaction &record, const QDate &dueDate);
    QList<Transaction> occurrenceLegs(const RecurringTransaction &record, const QDate &dueDate) const;
    bool canPostDestinationLeg(const RecurringTransaction &record) const;
    RecurringTransaction advanced(RecurringTransaction record) const;
    void quarantine(RecurringTransaction record);
    void notifyPendingCount();

    Database *m_database;
    RecurringRepository *m_recurring;
    TransactionRepository *m_transactions;
    AccountRepository *m_accounts;
    int m_batchDepth = 0;
    bool m_batchChanged = false;
};
