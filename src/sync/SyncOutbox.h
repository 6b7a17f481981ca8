#pragma once

#include "Account.h"
#include "Category.h"
#include "Reconciliation.h"
#include "RecurringTransaction.h"
#include "SplitLine.h"
#include "SyncStore.h"
#include "Transaction.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QString>
#include <array>
#include <optional>

// The push side of one sync cycle: the pending rows collected as change
// objects, handed out in batches, and the server's per-change results written
// back. It remembers what was sent for each row, so that a row edited while its
// change was on the way is not marked synced with the earlier content, and so
// that the pull can tell such rows from the ones it may overwrite.
class SyncOutbox
{
public:
    struct Outcome
    {
        int accepted = 0;
        int errors = 0;
    };

    // Every pending row of the five kinds, soft-deleted ones included, with
    // the split lines of the pending split transactions.
    struct PendingRows
    {
        QList<Account> accounts;
        QList<Category> categories;
        QList<RecurringTransaction> recurring;
        QList<Transaction> transactions;
        QHash<QString, QList<SplitLine>> splitLines;
        QList<Reconciliation> reconciliations;
    };

    explicit SyncOutbox(const SyncStore *store);

    // Reads and collects the pending rows, dropping whatever an earlier cycle
    // left. Returns the number of changes.
    int collect() { return collect(readPending()); }
    PendingRows readPending() const;
    // Turns the rows into change objects in push order.
    int collect(const PendingRows &rows);
    int remaining() const { return int(m_changes.size()) - m_next; }

    // The next changes in order, at most `maximum`; they stay in flight until
    // their results are applied.
    QJsonArray takeBatch(int maximum);

    // Applies the "results" of a push reply to the batch in flight, in one
    // database transaction.
    Outcome applyResults(const QJsonObject &reply);

    // Whether the pull may overwrite this pending row with the server's copy:
    // false when the row became pending or was edited after the collection.
    bool serverMayReplace(SyncKind kind, const QString &id, const QJsonObject &currentPayload) const;

private:
    struct Change
    {
        SyncKind kind = SyncKind::Account;
        QString id;
        QJsonObject object;
    };
    static constexpr int KindCount = 5;

    static bool samePayload(QJsonObject a, QJsonObject b);
    void add(SyncKind kind, const QString &id, bool deleted, int version, const QJsonObject &payload);
    std::optional<QJsonObject> readPayload(SyncKind kind, const QString &id) const;
    // The server id to mark the row synced with, or none when it must stay
    // pending.
    std::optional<QString> acceptResult(SyncKind kind, const QString &id, const QJsonObject &sent,
                                        const QString &serverId, bool rowsMayHaveChanged);

    const SyncStore *m_store;
    QList<Change> m_changes;
    qsizetype m_next = 0;
    // By kind: id -> payload as collected, and the ids of the batch in flight.
    std::array<QHash<QString, QJsonObject>, KindCount> m_sent;
    std::array<QSet<QString>, KindCount> m_inFlight;
    QString m_writeMark; // the database as the collection or our last marking left it
};
