#pragma once

#include "SyncStore.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

class PreferencesRepository;
struct Transaction;
class SyncOutbox;
namespace SyncWire {
struct RecordHeader;
}

// Writes the server's records of pull pages into the local database: finds
// the local row by client id, else by server id, decides by version, and
// writes through the repositories. Each page is one database transaction
// with the repositories' per-row signals held back; each written repository
// announces the page once. Records that fail because what they reference has
// not arrived yet are retried after every page, at the end of the cycle and,
// kept in the preference "syncApplyRetry", in the next cycle.
class SyncApplier : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxKeptRetries = 1000;

    SyncApplier(const SyncStore *store, PreferencesRepository *preferences, QObject *parent = nullptr);

    // Starts the pull phase of a cycle; the outbox tells which pending rows
    // the pull may overwrite. Records left over from an earlier cycle are
    // retried with the first page.
    void beginPull(const SyncOutbox *outbox);
    // Applies one page. False when its writes could not be committed; then
    // nothing of the page is kept.
    bool applyPage(const QJsonObject &page);
    // Retries what failed once more and keeps what still fails for the next cycle.
    void endPull();

private:
    enum class Outcome
    {
        Written,
        Skipped,
        Failed
    };
    struct FailedRecord
    {
        SyncKind kind;
        QJsonObject record;
    };

    Outcome apply(SyncKind kind, const QJsonObject &record);
    Outcome applyAccount(const QJsonObject &json);
    Outcome applyCategory(const QJsonObject &json);
    Outcome applyRecurring(const QJsonObject &json);
    Outcome applyTransactionChange(const QJsonObject &json);
    Outcome applyReconciliation(const QJsonObject &json);

    template <typename Record, typename Repository>
    std::optional<Record> resolve(Repository *repository, const SyncWire::RecordHeader &header,
                                  QString &id) const;
    // The version rule, the protection of local edits, and the writes of one
    // record; `extraWrites` (a move, split lines) runs after the row's own
    // write when `hasExtraWrites` says it will write anything.
    template <typename Record, typename Repository, typename Extra>
    Outcome write(SyncKind kind, Repository *repository, const Record &record,
                  const std::optional<Record> &existing, bool hasExtraWrites, Extra extraWrites);
    template <typename Record> bool mayReplace(SyncKind kind, const Record &existing) const;
    bool writeSplitLines(const Transaction &transaction, const QJsonObject &json, bool hadSplitLines);

    void remember(SyncKind kind, const QJsonObject &record);
    void retryFailed();
    void announce();
    static QString retryKey(SyncKind kind, const QJsonObject &record);

    const SyncStore *m_store;
    PreferencesRepository *m_preferences;
    const SyncOutbox *m_outbox = nullptr;
    QList<FailedRecord> m_failed;
    QHash<QString, qsizetype> m_failedIndex; // retry key -> position in m_failed
    bool m_retryDue = false;                 // records kept from an earlier cycle wait for a first try
    unsigned m_writtenKinds = 0;             // one bit per SyncKind written in the current page
    QString m_storedRetries;
};
