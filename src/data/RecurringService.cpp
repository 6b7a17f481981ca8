#include "RecurringService.h"

#include "AccountRepository.h"
#include "Database.h"
#include "DatabaseTransaction.h"
#include "RecurringRepository.h"
#include "RecurringSchedule.h"
#include "TransactionRepository.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <algorithm>
#include <limits>

namespace {

// Fixed for ever: every device must derive the same occurrence ids.
const QUuid OccurrenceNamespace(QStringLiteral("{3d5a8c21-7e94-4b0f-a6d2-91c8e4f05b37}"));

const QDate FirstUsableDate(2000, 1, 1);

QString todayText()
{
    return QDate::currentDate().toString(Qt::ISODate);
}

QDateTime nowUtc()
{
    // Stored with whole seconds; keep the record equal to what reads back.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return now.addMSecs(-now.time().msec());
}

} // namespace

RecurringService::RecurringService(Database *database, RecurringRepository *recurring,
                                   TransactionRepository *transactions, AccountRepository *accounts,
                                   QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_recurring(recurring)
    , m_transactions(transactions)
    , m_accounts(accounts)
{
    // Records written elsewhere (the forms, Memorize, a delete, a pull) change the count too.
    connect(m_recurring, &RecurringRepository::recurringChanged, this, &RecurringService::notifyPendingCount);
}

QString RecurringService::occurrenceId(const QString &recurringId, const QDate &dueDate)
{
    return QUuid::createUuidV5(OccurrenceNamespace,
                               recurringId + QLatin1Char('/') + dueDate.toString(Qt::ISODate))
        .toString(QUuid::WithoutBraces);
}

QString RecurringService::transferDestinationId(const QString &recurringId, const QDate &dueDate)
{
    return QUuid::createUuidV5(OccurrenceNamespace, recurringId + QLatin1Char('/') +
                                                        dueDate.toString(Qt::ISODate) +
                                                        QLatin1String("/transfer-destination"))
        .toString(QUuid::WithoutBraces);
}

bool RecurringService::isUsableDueDate(const QDate &date)
{
    return date.isValid() && date >= FirstUsableDate;
}

QList<RecurringTransaction> RecurringService::allRecurring() const
{
    return m_recurring->findAllOrdered();
}

int RecurringService::pendingCount() const
{
    QSqlQuery query(m_database->database());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM recurring_transactions "
                                 "WHERE deleted_at IS NULL AND is_active = 1 AND next_due_date <= ? "
                                 "AND next_due_date >= ?"));
    query.addBindValue(todayText());
    // An empty or mangled date can never be posted, so it is not waiting either.
    query.addBindValue(QStringLiteral("2000-01-01"));
    if (!query.exec() || !query.next()) {
        qWarning() << "RecurringService::pendingCount failed:" << query.lastError().text();
        return 0;
    }
    return query.value(0).toInt();
}

QStringList RecurringService::liveActiveIds(const QString &condition, const QVariantList &values) const
{
    QStringList ids;
    QSqlQuery query(m_database->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id FROM recurring_transactions "
                                 "WHERE deleted_at IS NULL AND is_active = 1") +
                  condition + QStringLiteral(" ORDER BY next_due_date, id"));
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning() << "RecurringService: reading due records failed:" << query.lastError().text();
        return ids;
    }
    while (query.next())
        ids.append(query.value(0).toString());
    return ids;
}

bool RecurringService::confirm(const QString &id)
{
    const std::optional<RecurringTransaction> record = m_recurring->findById(id);
    if (!record || record->deletedAt)
        return false;
    return confirmRecord(*record);
}

bool RecurringService::confirmRecord(const RecurringTransaction &record)
{
    if (!isUsableDueDate(record.nextDueDate)) {
        qWarning().noquote() << "RecurringService::confirm refusing record with broken date:" << record.id
                             << record.payee << record.nextDueDate.toString(Qt::ISODate)
                             << "— quarantining (deactivating)";
        quarantine(record);
        return false;
    }

    // The count is read once the write is committed or taken back.
    const BatchGuard batch(this);
    DatabaseTransaction write(m_database, "RecurringService::confirm");
    const PostResult result = postOccurrence(record, record.nextDueDate);
    if (result == PostResult::Failed || !m_recurring->update(advanced(record)) || !write.commit())
        return false;
    return result == PostResult::Posted;
}

int RecurringService::confirmAllDue()
{
    BatchGuard batch(this);
    int posted = 0;
    for (const QString &id : liveActiveIds(QStringLiteral(" AND next_due_date <= ?"), {todayText()})) {
        if (confirm(id))
            ++posted;
    }
    return posted;
}

int RecurringService::confirmAllThrough(const QDate &through)
{
    BatchGuard batch(this);
    int posted = 0;
    for (const QString &id : liveActiveIds(QString(), {}))
        posted += postThrough(id, through);
    return posted;
}

int RecurringService::autoPostDue()
{
    BatchGuard batch(this);
    int posted = 0;
    const QDate today = QDate::currentDate();
    for (const QString &id : liveActiveIds(QStringLiteral(" AND auto_post = 1"), {})) {
        const std::optional<RecurringTransaction> record = m_recurring->findById(id);
        // A lead stored before leads were bounded posts no further ahead than the form allows.
        if (record)
            posted += postThrough(
                id, today.addDays(std::clamp(record->leadDays, 0, RecurringTransaction::MaxLeadDays)));
    }
    return posted;
}

int RecurringService::postThrough(const QString &id, const QDate &through)
{
    int posted = 0;
    QDate previous;
    for (int pass = 0; pass < MaxOccurrencesPerRecord; ++pass) {
        const std::optional<RecurringTransaction> record = m_recurring->findById(id);
        if (!record || record->deletedAt || !record->isActive)
            break;
        const QDate due = record->nextDueDate;
        // A schedule that did not move (a failed write) must not spin.
        if (!isUsableDueDate(due) || due > through || due == previous)
            break;
        previous = due;
        if (confirmRecord(*record))
            ++posted;
    }
    return posted;
}

bool RecurringService::skip(const QString &id)
{
    const std::optional<RecurringTransaction> record = m_recurring->findById(id);
    if (!record || record->deletedAt)
        return false;
    if (!isUsableDueDate(record->nextDueDate)) {
        qWarning().noquote() << "RecurringService::skip refusing record with broken date:" << record->id
                             << record->payee << record->nextDueDate.toString(Qt::ISODate)
                             << "— quarantining (deactivating)";
        quarantine(*record);
        return false;
    }
    return m_recurring->update(advanced(*record));
}

RecurringService::PostResult RecurringService::postOccurrence(const RecurringTransaction &record,
                                                              const QDate &dueDate)
{
    const QList<Transaction> legs = occurrenceLegs(record, dueDate);
    // Posted already: by another device whose rows arrived through sync, or
    // by this one before a crash between the insert and the schedule update.
    if (m_transactions->findById(legs.first().id))
        return PostResult::AlreadyPosted;
    for (qsizetype i = 0; i < legs.size(); ++i) {
        // The other leg alone may be there when its account's rows arrived first.
        if (i > 0 && m_transactions->findById(legs.at(i).id))
            continue;
        if (!m_transactions->insert(legs.at(i)))
            return PostResult::Failed;
    }
    return PostResult::Posted;
}

QList<Transaction> RecurringService::occurrenceLegs(const RecurringTransaction &record,
                                                    const QDate &dueDate) const
{
    const QDateTime now = nowUtc();
    Transaction source;
    source.id = occurrenceId(record.id, dueDate);
    source.accountId = record.accountId;
    source.date = dueDate;
    source.payee = record.payee;
    source.memo = record.memo;
    source.amount = record.amount;
    source.categoryId = record.categoryId;
    source.recurringId = record.id;
    source.syncStatus = SyncStatus::Pending;
    source.createdAt = now;
    source.updatedAt = now;
    if (record.transferDestAccountId.isEmpty() || !canPostDestinationLeg(record))
        return {source};

    Transaction destination = source;
    destination.id = transferDestinationId(record.id, dueDate);
    destination.accountId = record.transferDestAccountId;
    destination.amount = -record.amount;
    destination.transferLinkId = source.id;
    destination.transferDestAccountId = record.accountId;
    source.transferLinkId = destination.id;
    source.transferDestAccountId = record.transferDestAccountId;
    // The category describes the money going out; the receiving leg carries
    // none, as with a transfer typed in the register.
    if (source.amount < 0)
        destination.categoryId.clear();
    else
        source.categoryId.clear();
    return {source, destination};
}

bool RecurringService::canPostDestinationLeg(const RecurringTransaction &record) const
{
    const std::optional<Account> destination = m_accounts->findById(record.transferDestAccountId);
    if (!destination || destination->deletedAt) {
        qWarning() << "RecurringService: transfer destination account missing or deleted, posting"
                   << record.id << "without the other leg:" << record.transferDestAccountId;
        return false;
    }
    const std::optional<Account> source = m_accounts->findById(record.accountId);
    if (source && source->currency != destination->currency) {
        qWarning() << "RecurringService: transfer between accounts of different currencies, posting"
                   << record.id << "without the other leg";
        return false;
    }
    if (record.amount == std::numeric_limits<qint64>::min()) {
        qWarning() << "RecurringService: transfer amount cannot be negated, posting" << record.id
                   << "without the other leg";
        return false;
    }
    return true;
}

RecurringTransaction RecurringService::advanced(RecurringTransaction record) const
{
    const QDate next = RecurringSchedule::advance(record);
    if (next.isValid())
        record.nextDueDate = next;
    // A schedule that cannot go on (past its end, or past any calendar we
    // store) stops instead of posting the same date again.
    if (!next.isValid() || (record.endDate && record.endDate->isValid() && next > *record.endDate))
        record.isActive = false;
    record.updatedAt = nowUtc();
    record.syncStatus = SyncStatus::Pending;
    return record;
}

void RecurringService::quarantine(RecurringTransaction record)
{
    record.isActive = false;
    record.updatedAt = nowUtc();
    record.syncStatus = SyncStatus::Pending;
    m_recurring->update(record);
}

void RecurringService::notifyPendingCount()
{
    if (m_batchDepth > 0) {
        m_batchChanged = true;
        return;
    }
    emit pendingCountChanged(pendingCount());
}

RecurringService::BatchGuard::BatchGuard(RecurringService *service)
    : m_service(service)
{
    ++m_service->m_batchDepth;
}

RecurringService::BatchGuard::~BatchGuard()
{
    if (--m_service->m_batchDepth == 0 && m_service->m_batchChanged) {
        m_service->m_batchChanged = false;
        m_service->notifyPendingCount();
    }
}
