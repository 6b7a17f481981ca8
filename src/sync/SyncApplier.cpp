#include "SyncApplier.h"

#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "PreferencesRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SplitLineRepository.h"
#include "SyncOutbox.h"
#include "SyncWire.h"
#include "TransactionRepository.h"

#include <QDebug>
#include <QJsonDocument>
#include <QSignalBlocker>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

const QString RetryPreference = QStringLiteral("syncApplyRetry");

unsigned kindBit(SyncKind kind)
{
    return 1u << static_cast<unsigned>(kind);
}

bool brokenDate(const QDate &date)
{
    return !date.isValid() || date.year() < 2000;
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
    m_failed.clear();
    m_failedIndex.clear();
    m_storedRetries = m_preferences->value(RetryPreference, QString());
    const QJsonArray kept = QJsonDocument::fromJson(m_storedRetries.toUtf8()).array();
    for (const QJsonValue &value : kept) {
        const QJsonObject entry = value.toObject();
        const QString kindKey = entry.value(QLatin1String("kind")).toString();
        for (SyncKind kind : SyncStore::kinds()) {
            if (SyncStore::pullKey(kind) == kindKey)
                remember(kind, entry.value(QLatin1String("record")).toObject());
        }
    }
    m_retryDue = !m_failed.isEmpty();
}

bool SyncApplier::applyPage(const QJsonObject &page)
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
    if (arrays.isEmpty() && m_failed.isEmpty())
        return true;

    const QList<FailedRecord> failedBefore = m_failed;
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
                    remember(kind, record);
            }
        }
        retryFailed();
    }
    if (inTransaction && !database.commit()) {
        qWarning() << "SyncApplier::applyPage: commit failed; the page is not kept";
        database.rollback();
        m_failed.clear();
        m_failedIndex.clear();
        for (const FailedRecord &failed : failedBefore)
            remember(failed.kind, failed.record);
        m_writtenKinds = 0;
        return false;
    }
    announce();
    return true;
}

void SyncApplier::endPull()
{
    // Every page already retried until nothing more would apply; what is left
    // waits for the records it references, in a later cycle.
    QJsonArray kept;
    const qsizetype first = qMax<qsizetype>(0, m_failed.size() - MaxKeptRetries);
    if (first > 0)
        qWarning() << "Sync: dropping" << first << "pulled records that could not be applied";
    for (qsizetype i = first; i < m_failed.size(); ++i) {
        const FailedRecord &failed = m_failed.at(i);
        kept.append(QJsonObject{{QStringLiteral("kind"), SyncStore::pullKey(failed.kind)},
                                {QStringLiteral("record"), failed.record}});
    }
    const QString text =
        kept.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(kept).toJson(QJsonDocument::Compact));
    if (text != m_storedRetries) {
        if (text.isEmpty())
            m_preferences->remove(RetryPreference);
        else
            m_preferences->set(RetryPreference, text);
        if (!kept.isEmpty())
            qWarning() << "Sync:" << kept.size()
                       << "pulled records could not be applied yet; retrying next sync";
    }
    m_storedRetries = text;
    m_failed.clear();
    m_failedIndex.clear();
    m_outbox = nullptr;
}

SyncApplier::Outcome SyncApplier::apply(SyncKind kind, const QJsonObject &record)
{
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

SyncApplier::Outcome SyncApplier::applyAccount(const QJsonObject &json)
{
    const SyncWire::RecordHeader header = SyncWire::readHeader(json);
    QString id;
    const auto existing = resolve<Account>(m_store->accounts(), header, id);
    const Account account = SyncWire::readAccount(json, header, id);
    return write(SyncKind::Account, m_store->accounts(), account, existing, false, [] { return true; });
}

SyncApplier::Outcome SyncApplier::applyCategory(const QJsonObject &json)
{
    const SyncWire::RecordHeader header = SyncWire::readHeader(json);
    QString id;
    const auto existing = resolve<Category>(m_store->categories(), header, id);
    const Category category = SyncWire::readCategory(json, header, id);
    return write(SyncKind::Category, m_store->categories(), category, existing, false, [] { return true; });
}

SyncApplier::Outcome SyncApplier::applyRecurring(const QJsonObject &json)
{
    const SyncWire::RecordHeader header = SyncWire::readHeader(json);
    QString id;
    const auto existing = resolve<RecurringTransaction>(m_store->recurring(), header, id);
    const RecurringTransaction recurring = SyncWire::readRecurring(json, header, id, existing);
    if (brokenDate(recurring.nextDueDate)) {
        qWarning() << "applyRecurring: skipping server record with broken nextDueDate:" << recurring.id
                   << recurring.payee << recurring.nextDueDate;
        return Outcome::Skipped;
    }
    const bool moves = existing && existing->accountId != recurring.accountId;
    return write(SyncKind::Recurring, m_store->recurring(), recurring, existing, moves, [&] {
        return !moves || SyncStore::moveToAccount(SyncKind::Recurring, recurring.id, recurring.accountId);
    });
}

SyncApplier::Outcome SyncApplier::applyTransactionChange(const QJsonObject &json)
{
    const SyncWire::RecordHeader header = SyncWire::readHeader(json);
    QString id;
    const auto existing = resolve<Transaction>(m_store->transactions(), header, id);
    const Transaction transaction = SyncWire::readTransaction(json, header, id);
    if (brokenDate(transaction.date)) {
        qWarning() << "applyTransactionChange: skipping server record with broken date:" << transaction.id
                   << transaction.payee << transaction.date;
        return Outcome::Skipped;
    }
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
    const auto existing = resolve<Reconciliation>(m_store->reconciliations(), header, id);
    const Reconciliation reconciliation = SyncWire::readReconciliation(json, header, id);
    if (brokenDate(reconciliation.statementDate)) {
        qWarning() << "applyReconciliation: skipping server record with broken statementDate:"
                   << reconciliation.id << reconciliation.statementDate;
        return Outcome::Skipped;
    }
    return write(SyncKind::Reconciliation, m_store->reconciliations(), reconciliation, existing, false,
                 [] { return true; });
}

template <typename Record, typename Repository>
std::optional<Record> SyncApplier::resolve(Repository *repository, const SyncWire::RecordHeader &header,
                                           QString &id) const
{
    id = header.clientId;
    std::optional<Record> existing;
    if (!id.isEmpty())
        existing = repository->findById(id);
    if (!existing && !header.serverId.isEmpty()) {
        // Deleted rows included: a server id names its row for good.
        existing = repository->findByServerId(header.serverId);
        if (existing)
            id = existing->id;
    }
    if (id.isEmpty())
        id = SyncWire::newId();
    return existing;
}

template <typename Record, typename Repository, typename Extra>
SyncApplier::Outcome SyncApplier::write(SyncKind kind, Repository *repository, const Record &record,
                                        const std::optional<Record> &existing, bool hasExtraWrites,
                                        Extra extraWrites)
{
    if (existing && record.version < existing->version)
        return Outcome::Skipped;
    if (!existing && record.deletedAt)
        return Outcome::Skipped;

    if (existing && existing->syncStatus == SyncStatus::Pending && !mayReplace(kind, *existing)) {
        if (!SyncStore::adoptServerIdentity(kind, record.id, record.serverId, record.version))
            return Outcome::Failed;
        m_writtenKinds |= kindBit(kind);
        return Outcome::Written;
    }

    const bool deletes = existing && record.deletedAt && !existing->deletedAt;
    RecordSavepoint savepoint(hasExtraWrites || deletes);
    const bool written = existing ? repository->update(record) : repository->insert(record);
    if (!written || !extraWrites() ||
        (deletes && !SyncStore::markDeletedFromServer(kind, record.id, *record.deletedAt))) {
        savepoint.rollback();
        return Outcome::Failed;
    }
    m_writtenKinds |= kindBit(kind);
    return Outcome::Written;
}

template <typename Record> bool SyncApplier::mayReplace(SyncKind kind, const Record &existing) const
{
    return m_outbox && m_outbox->serverMayReplace(kind, existing.id, m_outbox->currentPayload(existing));
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

void SyncApplier::remember(SyncKind kind, const QJsonObject &record)
{
    // A newer copy of a record that already waits takes its place.
    const QString key = retryKey(kind, record);
    const auto known = m_failedIndex.constFind(key);
    if (known != m_failedIndex.constEnd()) {
        m_failed[*known].record = record;
        return;
    }
    m_failedIndex.insert(key, m_failed.size());
    m_failed.append(FailedRecord{kind, record});
}

void SyncApplier::retryFailed()
{
    // A record may wait for one that itself waited (a child category for its
    // parent, a transaction for its account): repeat while anything applies.
    // Nothing can have become applicable when nothing was written.
    bool progress = m_retryDue || m_writtenKinds != 0;
    m_retryDue = false;
    while (progress && !m_failed.isEmpty()) {
        progress = false;
        const QList<FailedRecord> attempts = std::exchange(m_failed, {});
        m_failedIndex.clear();
        for (const FailedRecord &failed : attempts) {
            if (apply(failed.kind, failed.record) == Outcome::Failed)
                remember(failed.kind, failed.record);
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

QString SyncApplier::retryKey(SyncKind kind, const QJsonObject &record)
{
    const QString serverId = record.value(QLatin1String("id")).toString();
    if (!serverId.isEmpty())
        return SyncStore::pullKey(kind) + QLatin1String("/server/") + serverId;
    return SyncStore::pullKey(kind) + QLatin1String("/client/") +
           record.value(QLatin1String("client_id")).toString();
}
