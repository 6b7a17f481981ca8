#include "SyncApplier.h"

#include "AccountRepository.h"
#include "AccountTotals.h"
#include "CategoryRepository.h"
#include "PreferencesRepository.h"
#include "ReconciliationRepository.h"
#include "RecordOrder.h"
#include "RecurringRepository.h"
#include "SplitLineRepository.h"
#include "SyncOutbox.h"
#include "SyncWire.h"
#include "TransactionRepository.h"

#include <QDebug>
#include <QSignalBlocker>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <algorithm>
#include <type_traits>

namespace {

const QString kSumsOutOfRange = QStringLiteral("its account's sums would pass 64 bits");

unsigned kindBit(SyncKind kind)
{
    return 1u << static_cast<unsigned>(kind);
}

bool brokenDate(const QDate &date)
{
    return !date.isValid() || date.year() < 2000;
}

// What the page's index knows of a row after the applier wrote it.
template <typename Record> SyncRowState stateAfterWrite(const Record &record, bool deleted)
{
    SyncRowState state;
    state.id = record.id;
    state.serverId = record.serverId;
    state.version = record.version;
    state.deleted = deleted;
    if constexpr (std::is_same_v<Record, Transaction>)
        state.isSplit = record.isSplit;
    if constexpr (std::is_same_v<Record, Transaction> || std::is_same_v<Record, RecurringTransaction>)
        state.accountId = record.accountId;
    return state;
}

// Makes the several writes of one record all-or-nothing inside the page's
// transaction. A record with a single write needs none: a failed statement
// leaves nothing behind.
class RecordSavepoint
{
public:
    explicit RecordSavepoint(bool needed)
    {
        if (needed)
            m_open = exec(QStringLiteral("SAVEPOINT sync_record"));
    }
    ~RecordSavepoint()
    {
        if (m_open)
            release();
    }
    void release()
    {
        exec(QStringLiteral("RELEASE sync_record"));
        m_open = false;
    }
    void rollback()
    {
        if (!m_open)
            return;
        exec(QStringLiteral("ROLLBACK TO sync_record"));
        release();
    }

private:
    static bool exec(const QString &sql)
    {
        QSqlQuery query(QSqlDatabase::database());
        return query.exec(sql);
    }
    bool m_open = false;
};

// The waiting records in the order that lets one pass apply every record
// whose references can be met: by kind, as a page is applied, and categories
// parents before their children. In the order they arrived, a chain of
// categories listed children first would apply one link per pass, and a page
// of such a chain would take minutes.
QList<SyncRetryQueue::Entry> inApplyOrder(QList<SyncRetryQueue::Entry> entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const SyncRetryQueue::Entry &a, const SyncRetryQueue::Entry &b) {
                         return int(a.kind) < int(b.kind);
                     });
    const auto isCategory = [](const SyncRetryQueue::Entry &entry) {
        return entry.kind == SyncKind::Category;
    };
    const auto first = std::find_if(entries.begin(), entries.end(), isCategory);
    const auto end = std::find_if_not(first, entries.end(), isCategory);
    QList<SyncRetryQueue::Entry> ordered = RecordOrder::parentsFirst(
        QList<SyncRetryQueue::Entry>(first, end),
        [](const SyncRetryQueue::Entry &entry) {
            return entry.record.value(QLatin1String("client_id")).toString();
        },
        [](const SyncRetryQueue::Entry &entry) {
            return entry.record.value(QLatin1String("parent_id")).toString();
        });
    std::move(ordered.begin(), ordered.end(), first);
    return entries;
}

} // namespace

SyncApplier::SyncApplier(const SyncStore *store, PreferencesRepository *preferences, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_preferences(preferences)
{
}

void SyncApplier::beginPull(const SyncOutbox *outbox)
{
    m_outbox = outbox;
    m_retries.load(m_preferences);
    m_retryDue = !m_retries.isEmpty();
}

SyncApplier::PageResult SyncApplier::applyPage(const QJsonObject &page)
{
    QList<QPair<SyncKind, QJsonArray>> arrays;
    for (SyncKind kind : SyncStore::kinds()) {
        QString key = SyncStore::pullKey(kind);
        // Older servers name the recurring array "recurring".
        if (kind == SyncKind::Recurring && !page.contains(key))
            key = QStringLiteral("recurring");
        const QJsonArray array = page.value(key).toArray();
        if (!array.isEmpty())
            arrays.append({kind, array});
    }
    if (arrays.isEmpty() && m_retries.isEmpty())
        return PageResult::Applied;

    loadRowIndex(arrays);
    const QList<SyncRetryQueue::Entry> retriesBefore = m_retries.entries();
    m_writtenKinds = 0;
    QSqlDatabase database = QSqlDatabase::database();
    const bool inTransaction = database.transaction();
    {
        const QSignalBlocker accounts(m_store->accounts());
        const QSignalBlocker categories(m_store->categories());
        const QSignalBlocker recurring(m_store->recurring());
        const QSignalBlocker transactions(m_store->transactions());
        const QSignalBlocker reconciliations(m_store->reconciliations());
        for (const auto &[kind, array] : arrays) {
            for (const QJsonValue &value : array) {
                const QJsonObject record = value.toObject();
                if (apply(kind, record) == Outcome::Failed)
                    m_retries.add(kind, record);
                else if (!m_retries.isEmpty())
                    m_retries.remove(kind, record); // a kept older copy must not overwrite this one
            }
        }
        retryFailed();
    }

    PageResult result = PageResult::Applied;
    if (m_retries.isOverBound()) {
        // Keeping them all would outgrow the bounds, dropping any would lose
        // them for good: the page is undone and pulled again later.
        qWarning() << "SyncApplier::applyPage:" << m_retries.entries().size() << "records ("
                   << m_retries.bytes()
                   << "bytes) would wait for records they reference; the page is not kept";
        result = PageResult::TooManyWaiting;
    } else {
        // Kept with the page: the cursor moves past these records right after,
        // and the cycle may never reach its end.
        m_retries.save(m_preferences);
        if (inTransaction && !database.commit()) {
            qWarning() << "SyncApplier::applyPage: commit failed; the page is not kept";
            result = PageResult::NotSaved;
        }
    }
    if (result != PageResult::Applied) {
        if (inTransaction)
            database.rollback();
        m_retries.takeAll();
        for (const SyncRetryQueue::Entry &entry : retriesBefore)
            m_retries.add(entry);
        m_retries.save(m_preferences);
        m_writtenKinds = 0;
        return result;
    }
    announce();
    return PageResult::Applied;
}

void SyncApplier::endPull()
{
    // Every page already retried until nothing more would apply; what is left
    // waits for the records it references, in a later cycle.
    m_retries.save(m_preferences);
    m_outbox = nullptr;
    for (RowIndex &rows : m_rows)
        rows = RowIndex();
}

bool SyncApplier::forgetWaiting()
{
    m_retryDue = false;
    return m_retries.clear(m_preferences);
}

void SyncApplier::loadRowIndex(const QList<QPair<SyncKind, QJsonArray>> &arrays)
{
    QStringList ids[5];
    QStringList serverIds[5];
    auto note = [&](SyncKind kind, const QJsonObject &record) {
        const QString id = record.value(QLatin1String("client_id")).toString();
        const QString serverId = record.value(QLatin1String("id")).toString();
        if (!id.isEmpty())
            ids[int(kind)].append(id);
        if (!serverId.isEmpty())
            serverIds[int(kind)].append(serverId);
    };
    for (const auto &[kind, array] : arrays) {
        for (const QJsonValue &value : array)
            note(kind, value.toObject());
    }
    for (const SyncRetryQueue::Entry &entry : m_retries.entries())
        note(entry.kind, entry.record);

    for (SyncKind kind : SyncStore::kinds()) {
        RowIndex &rows = m_rows[int(kind)];
        rows = RowIndex();
        if (ids[int(kind)].isEmpty() && serverIds[int(kind)].isEmpty())
            continue;
        for (const SyncRowState &state : SyncStore::rowStates(kind, ids[int(kind)], serverIds[int(kind)])) {
            rows.byId.insert(state.id, state);
            if (!state.serverId.isEmpty() && !rows.idByServerId.contains(state.serverId))
                rows.idByServerId.insert(state.serverId, state.id);
        }
    }
}

SyncApplier::Outcome SyncApplier::apply(SyncKind kind, const QJsonObject &record)
{
    const QString invalid = SyncWire::invalidReason(kind, record);
    if (!invalid.isEmpty())
        return refuse(kind, record, invalid);
    switch (kind) {
    case SyncKind::Account:
        return applyAccount(record);
    case SyncKind::Category:
        return applyCategory(record);
    case SyncKind::Recurring:
        return applyRecurring(record);
    case SyncKind::Transaction:
        return applyTransactionChange(record);
    case SyncKind::Reconciliation:
        return applyReconciliation(record);
    }
    return Outcome::Skipped;
}

SyncApplier::Outcome SyncApplier::refuse(SyncKind kind, const QJsonObject &record, const QString &reason)
{
    qWarning() << "Sync: refusing invalid server record:" << SyncStore::entityType(kind)
               << record.value(QLatin1String("id")).toString()
               << record.value(QLatin1String("client_id")).toString() << reason;
    return Outcome::Skipped;
}

SyncApplier::Outcome SyncApplier::applyAccount(const QJsonObject &json)
{
    const SyncWire::RecordHeader header = SyncWire::readHeader(json);
    QString id;
    const auto existing = resolve(SyncKind::Account, header, id);
    const Account account = SyncWire::readAccount(json, header, id);
    if (unchanged(m_store->accounts(), account, existing, json))
        return Outcome::Skipped;
    // The starting balance counts in every balance of the account, as its transactions do;
    // an older copy is not written.
    const bool replaces = !existing || account.version >= existing->version;
    if (replaces && !AccountTotals::startingBalanceInRange(m_store->accounts()->database(), account.id,
                                                           account.startingBalance))
        return refuse(SyncKind::Account, json, kSumsOutOfRange);
    return write(SyncKind::Account, m_store->accounts(), account, existing, false, [] { return true; });
}

SyncApplier::Outcome SyncApplier::applyCategory(const QJsonObject &json)
{
    const SyncWire::RecordHeader header = SyncWire::readHeader(json);
    QString id;
    const auto existing = resolve(SyncKind::Category, header, id);
    const Category category = SyncWire::readCategory(json, header, id);
    if (unchanged(m_store->categories(), category, existing, json))
        return Outcome::Skipped;
    return write(SyncKind::Category, m_store->categories(), category, existing, false, [] { return true; });
}

SyncApplier::Outcome SyncApplier::applyRecurring(const QJsonObject &json)
{
    const SyncWire::RecordHeader header = SyncWire::readHeader(json);
    QString id;
    const auto existing = resolve(SyncKind::Recurring, header, id);
    // Schedule numbers the server left out keep the local row's values.
    std::optional<RecurringTransaction> local;
    const bool complete = json.contains(QLatin1String("lead_days")) &&
                          json.contains(QLatin1String("interval_count")) &&
                          json.contains(QLatin1String("semimonthly_day_1")) &&
                          json.contains(QLatin1String("semimonthly_day_2"));
    if (existing && !complete)
        local = m_store->recurring()->findById(id);
    const RecurringTransaction recurring = SyncWire::readRecurring(json, header, id, local);
    if (brokenDate(recurring.nextDueDate)) {
        qWarning() << "applyRecurring: skipping server record with broken nextDueDate:" << recurring.id
                   << recurring.payee << recurring.nextDueDate;
        return Outcome::Skipped;
    }
    if (unchanged(m_store->recurring(), recurring, existing, json))
        return Outcome::Skipped;
    const bool moves = existing && existing->accountId != recurring.accountId;
    return write(SyncKind::Recurring, m_store->recurring(), recurring, existing, moves, [&] {
        return !moves || SyncStore::moveToAccount(SyncKind::Recurring, recurring.id, recurring.accountId);
    });
}

SyncApplier::Outcome SyncApplier::applyTransactionChange(const QJsonObject &json)
{
    const SyncWire::RecordHeader header = SyncWire::readHeader(json);
    QString id;
    const auto existing = resolve(SyncKind::Transaction, header, id);
    const Transaction transaction = SyncWire::readTransaction(json, header, id);
    if (brokenDate(transaction.date)) {
        qWarning() << "applyTransactionChange: skipping server record with broken date:" << transaction.id
                   << transaction.payee << transaction.date;
        return Outcome::Skipped;
    }
    if (unchanged(m_store->transactions(), transaction, existing, json))
        return Outcome::Skipped;
    // A row deleted here stays deleted and counts in no sum; an older copy is not written.
    const bool counted = !existing || (!existing->deleted && transaction.version >= existing->version);
    if (counted && !AccountTotals::stayInRange(m_store->transactions()->database(), transaction))
        return refuse(SyncKind::Transaction, json, kSumsOutOfRange);
    const bool moves = existing && existing->accountId != transaction.accountId;
    const bool hadSplitLines = existing && existing->isSplit;
    const bool splits = transaction.isSplit || hadSplitLines;
    return write(SyncKind::Transaction, m_store->transactions(), transaction, existing, moves || splits, [&] {
        if (moves && !SyncStore::moveToAccount(SyncKind::Transaction, transaction.id, transaction.accountId))
            return false;
        return !splits || writeSplitLines(transaction, json, hadSplitLines);
    });
}

SyncApplier::Outcome SyncApplier::applyReconciliation(const QJsonObject &json)
{
    const SyncWire::RecordHeader header = SyncWire::readHeader(json);
    QString id;
    const auto existing = resolve(SyncKind::Reconciliation, header, id);
    const Reconciliation reconciliation = SyncWire::readReconciliation(json, header, id);
    if (brokenDate(reconciliation.statementDate)) {
        qWarning() << "applyReconciliation: skipping server record with broken statementDate:"
                   << reconciliation.id << reconciliation.statementDate;
        return Outcome::Skipped;
    }
    if (unchanged(m_store->reconciliations(), reconciliation, existing, json))
        return Outcome::Skipped;
    return write(SyncKind::Reconciliation, m_store->reconciliations(), reconciliation, existing, false,
                 [] { return true; });
}

std::optional<SyncRowState> SyncApplier::resolve(SyncKind kind, const SyncWire::RecordHeader &header,
                                                 QString &id) const
{
    const RowIndex &rows = m_rows[int(kind)];
    id = header.clientId;
    if (!id.isEmpty()) {
        const auto found = rows.byId.constFind(id);
        if (found != rows.byId.constEnd())
            return *found;
    }
    // Deleted rows included: a server id names its row for good.
    if (!header.serverId.isEmpty()) {
        const auto found = rows.idByServerId.constFind(header.serverId);
        if (found != rows.idByServerId.constEnd()) {
            id = *found;
            return rows.byId.value(id);
        }
    }
    if (id.isEmpty())
        id = SyncWire::newId();
    return std::nullopt;
}

template <typename Record, typename Repository, typename Extra>
SyncApplier::Outcome SyncApplier::write(SyncKind kind, Repository *repository, const Record &record,
                                        const std::optional<SyncRowState> &existing, bool hasExtraWrites,
                                        Extra extraWrites)
{
    if (existing && record.version < existing->version)
        return Outcome::Skipped;
    if (!existing && record.deletedAt)
        return Outcome::Skipped;

    if (existing && existing->pending && !mayReplace(kind, repository, record.id)) {
        if (!SyncStore::adoptServerIdentity(kind, record.id, record.serverId, record.version))
            return Outcome::Failed;
        SyncRowState adopted = *existing;
        adopted.serverId = record.serverId;
        adopted.version = record.version;
        noteWritten(kind, adopted);
        return Outcome::Written;
    }

    const bool deletes = existing && record.deletedAt && !existing->deleted;
    RecordSavepoint savepoint(hasExtraWrites || deletes);
    const bool written = existing ? repository->update(record) : repository->insert(record);
    if (!written || !extraWrites() ||
        (deletes && !SyncStore::markDeletedFromServer(kind, record.id, *record.deletedAt))) {
        savepoint.rollback();
        return Outcome::Failed;
    }
    noteWritten(kind, stateAfterWrite(record, existing && (existing->deleted || deletes)));
    return Outcome::Written;
}

template <typename Repository>
bool SyncApplier::mayReplace(SyncKind kind, Repository *repository, const QString &id) const
{
    if (!m_outbox)
        return false;
    const auto current = repository->findById(id);
    return current && m_outbox->serverMayReplace(kind, id, m_store->currentPayload(*current));
}

template <typename Record, typename Repository>
bool SyncApplier::unchanged(Repository *repository, const Record &record,
                            const std::optional<SyncRowState> &existing, const QJsonObject &json) const
{
    // Only a synced row at the server's version and id can hold its copy
    // already; for those the whole row is compared.
    if (!existing || existing->pending || existing->version != record.version ||
        existing->serverId != record.serverId || existing->deleted != record.deletedAt.has_value())
        return false;
    const auto local = repository->findById(record.id);
    if (!local)
        return false;
    if constexpr (std::is_same_v<Record, Transaction>) {
        // The server's copy brings its lines with it.
        return m_store->currentPayload(*local) ==
               SyncWire::transactionPayload(record, SyncWire::readSplitLines(json, record));
    } else {
        Q_UNUSED(json);
        return m_store->currentPayload(*local) == m_store->currentPayload(record);
    }
}

bool SyncApplier::writeSplitLines(const Transaction &transaction, const QJsonObject &json, bool hadSplitLines)
{
    if (transaction.isSplit || hadSplitLines)
        m_store->splitLines()->deleteByTransaction(transaction.id);
    for (const SplitLine &line : SyncWire::readSplitLines(json, transaction)) {
        if (!m_store->splitLines()->insert(line))
            return false;
    }
    return true;
}

void SyncApplier::noteWritten(SyncKind kind, const SyncRowState &state)
{
    RowIndex &rows = m_rows[int(kind)];
    rows.byId.insert(state.id, state);
    if (!state.serverId.isEmpty())
        rows.idByServerId.insert(state.serverId, state.id);
    m_writtenKinds |= kindBit(kind);
}

void SyncApplier::retryFailed()
{
    // A record may wait for one that itself waited (a child category for its
    // parent, a transaction for its account): repeat while anything applies.
    // Nothing can have become applicable when nothing was written.
    bool progress = m_retryDue || m_writtenKinds != 0;
    m_retryDue = false;
    while (progress && !m_retries.isEmpty()) {
        progress = false;
        for (const SyncRetryQueue::Entry &entry : inApplyOrder(m_retries.takeAll())) {
            if (apply(entry.kind, entry.record) == Outcome::Failed)
                m_retries.add(entry);
            else
                progress = true;
        }
    }
}

void SyncApplier::announce()
{
    if (m_writtenKinds & kindBit(SyncKind::Account))
        emit m_store->accounts()->accountsChanged();
    if (m_writtenKinds & kindBit(SyncKind::Category))
        emit m_store->categories()->categoriesChanged();
    if (m_writtenKinds & kindBit(SyncKind::Recurring))
        emit m_store->recurring()->recurringChanged();
    if (m_writtenKinds & kindBit(SyncKind::Transaction))
        emit m_store->transactions()->transactionsChanged(QString());
    if (m_writtenKinds & kindBit(SyncKind::Reconciliation))
        emit m_store->reconciliations()->reconciliationsChanged();
    m_writtenKinds = 0;
}
