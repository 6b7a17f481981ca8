#include "SyncOutbox.h"

#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SplitLineRepository.h"
#include "SyncWire.h"
#include "TransactionRepository.h"

#include <QDebug>
#include <QSqlDatabase>

SyncOutbox::SyncOutbox(const SyncStore *store)
    : m_store(store)
{
}

SyncOutbox::PendingRows SyncOutbox::readPending() const
{
    PendingRows rows;
    rows.accounts = m_store->accounts()->findPendingSync();
    rows.categories = m_store->categories()->findPendingSync();
    rows.recurring = m_store->recurring()->findPendingSync();
    rows.transactions = m_store->transactions()->findPendingSync();
    if (!rows.transactions.isEmpty())
        rows.splitLines = m_store->splitLines()->findForPendingTransactions();
    rows.reconciliations = m_store->reconciliations()->findPendingSync();
    return rows;
}

int SyncOutbox::collect(const PendingRows &rows)
{
    m_changes.clear();
    for (auto &sent : m_sent)
        sent.clear();
    for (auto &inFlight : m_inFlight)
        inFlight.clear();
    m_next = 0;
    m_changes.reserve(rows.accounts.size() + rows.categories.size() + rows.recurring.size() +
                      rows.transactions.size() + rows.reconciliations.size());

    for (const Account &account : rows.accounts)
        add(SyncKind::Account, account.id, account.deletedAt.has_value(), account.version,
            SyncWire::accountPayload(account));
    for (const Category &category : rows.categories)
        add(SyncKind::Category, category.id, category.deletedAt.has_value(), category.version,
            SyncWire::categoryPayload(category));
    for (const RecurringTransaction &recurring : rows.recurring)
        add(SyncKind::Recurring, recurring.id, recurring.deletedAt.has_value(), recurring.version,
            SyncWire::recurringPayload(recurring));
    for (const Transaction &transaction : rows.transactions)
        add(SyncKind::Transaction, transaction.id, transaction.deletedAt.has_value(), transaction.version,
            SyncWire::transactionPayload(transaction, rows.splitLines.value(transaction.id)));
    for (const Reconciliation &reconciliation : rows.reconciliations)
        add(SyncKind::Reconciliation, reconciliation.id, reconciliation.deletedAt.has_value(),
            reconciliation.version, SyncWire::reconciliationPayload(reconciliation));

    m_writeMark = SyncStore::writeMark();
    return int(m_changes.size());
}

void SyncOutbox::add(SyncKind kind, const QString &id, bool deleted, int version, const QJsonObject &payload)
{
    static const std::array<QString, KindCount> types = {
        SyncStore::entityType(SyncKind::Account), SyncStore::entityType(SyncKind::Category),
        SyncStore::entityType(SyncKind::Recurring), SyncStore::entityType(SyncKind::Transaction),
        SyncStore::entityType(SyncKind::Reconciliation)};
    m_changes.append(Change{kind, id, SyncWire::change(types[int(kind)], id, deleted, version, payload)});
    m_sent[int(kind)].insert(id, payload);
}

QJsonArray SyncOutbox::takeBatch(int maximum)
{
    for (auto &inFlight : m_inFlight)
        inFlight.clear();
    QJsonArray batch;
    const qsizetype end = qMin(m_changes.size(), m_next + maximum);
    for (; m_next < end; ++m_next) {
        const Change &change = m_changes.at(m_next);
        batch.append(change.object);
        m_inFlight[int(change.kind)].insert(change.id);
    }
    return batch;
}

SyncOutbox::Outcome SyncOutbox::applyResults(const QJsonObject &reply)
{
    Outcome outcome;
    const QJsonValue results = reply.value(QLatin1String("results"));
    if (!results.isArray()) {
        qWarning() << "Push reply without a results array — the batch stays pending";
        for (auto &inFlight : m_inFlight)
            inFlight.clear();
        return outcome;
    }

    // Only edits made while the batch was away can make a row differ from what
    // was sent; when nothing was written since, the rows need no second read.
    const QString mark = SyncStore::writeMark();
    const bool rowsMayHaveChanged = mark.isEmpty() || mark != m_writeMark;

    // The rows to mark synced, by kind: id -> server id (a repeated result
    // counts as its last one), written at the end in a few statements.
    std::array<QHash<QString, QString>, KindCount> synced;
    QSqlDatabase database = QSqlDatabase::database();
    const bool inTransaction = database.transaction();
    for (const QJsonValue &value : results.toArray()) {
        const QJsonObject item = value.toObject();
        const QString status = item.value(QLatin1String("status")).toString();
        const QString entityId = item.value(QLatin1String("entity_id")).toString();
        const QString entityType = item.value(QLatin1String("entity_type")).toString();
        if (status != QLatin1String("ok")) {
            qWarning() << "Push result not ok — leaving record pending:" << entityType << entityId
                       << "status=" << status
                       << "message=" << item.value(QLatin1String("message")).toString();
            ++outcome.errors;
            continue;
        }
        ++outcome.accepted;
        const std::optional<SyncKind> kind = SyncStore::kindForEntityType(entityType);
        if (!kind)
            continue;
        const int k = int(*kind);
        if (!m_inFlight[k].contains(entityId)) {
            qWarning() << "Push result for a change that was not sent in this batch — ignored:" << entityType
                       << entityId;
            continue;
        }
        const std::optional<QString> serverId =
            acceptResult(*kind, entityId, m_sent[k].value(entityId),
                         item.value(QLatin1String("server_id")).toString(), rowsMayHaveChanged);
        if (serverId)
            synced[k].insert(entityId, *serverId);
    }
    for (int k = 0; k < KindCount; ++k) {
        QList<std::pair<QString, QString>> rows;
        rows.reserve(synced[k].size());
        for (auto it = synced[k].constBegin(); it != synced[k].constEnd(); ++it)
            rows.append({it.key(), it.value()});
        m_store->markSynced(static_cast<SyncKind>(k), rows);
    }
    if (inTransaction && !database.commit()) {
        qWarning() << "SyncOutbox::applyResults: commit failed; the batch stays pending";
        database.rollback();
    }
    for (auto &inFlight : m_inFlight)
        inFlight.clear();
    m_writeMark = SyncStore::writeMark();
    return outcome;
}

std::optional<QString> SyncOutbox::acceptResult(SyncKind kind, const QString &id, const QJsonObject &sent,
                                                const QString &serverId, bool rowsMayHaveChanged)
{
    // An "ok" without an id keeps the one the row already has.
    const QString effectiveServerId =
        serverId.isEmpty() ? sent.value(QLatin1String("server_id")).toString() : serverId;

    if (rowsMayHaveChanged) {
        const std::optional<QJsonObject> current = readPayload(kind, id);
        if (!current)
            return std::nullopt;
        if (!samePayload(*current, sent)) {
            // Edited after it was sent: the newer content still has to go out.
            if (!effectiveServerId.isEmpty())
                SyncStore::storeServerId(kind, id, effectiveServerId);
            return std::nullopt;
        }
    }
    return effectiveServerId;
}

bool SyncOutbox::serverMayReplace(SyncKind kind, const QString &id, const QJsonObject &currentPayload) const
{
    const QHash<QString, QJsonObject> &sentOfKind = m_sent[int(kind)];
    const auto sent = sentOfKind.constFind(id);
    if (sent == sentOfKind.constEnd())
        return false;
    return samePayload(currentPayload, *sent);
}

std::optional<QJsonObject> SyncOutbox::readPayload(SyncKind kind, const QString &id) const
{
    auto payloadOf = [this](const auto &record) -> std::optional<QJsonObject> {
        if (!record)
            return std::nullopt;
        return m_store->currentPayload(*record);
    };
    switch (kind) {
    case SyncKind::Account:
        return payloadOf(m_store->accounts()->findById(id));
    case SyncKind::Category:
        return payloadOf(m_store->categories()->findById(id));
    case SyncKind::Recurring:
        return payloadOf(m_store->recurring()->findById(id));
    case SyncKind::Transaction:
        return payloadOf(m_store->transactions()->findById(id));
    case SyncKind::Reconciliation:
        return payloadOf(m_store->reconciliations()->findById(id));
    }
    return std::nullopt;
}

bool SyncOutbox::samePayload(QJsonObject a, QJsonObject b)
{
    // The server id is bookkeeping the push itself fills in, not content.
    a.remove(QLatin1String("server_id"));
    b.remove(QLatin1String("server_id"));
    return a == b;
}
