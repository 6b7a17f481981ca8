#pragma once

#include "SplitLine.h"
#include "SyncRetryQueue.h"
#include "SyncStore.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

class PreferencesRepository;
class SyncOutbox;
struct Transaction;
namespace SyncWire {
struct RecordHeader;
}

// Writes the server's records of pull pages into the local database: finds
// the local row by client id, else by server id, decides by version, and
// writes through the repositories. Each page is one database transaction
// with the repositories' per-row signals held back; each written repository
// announces the page once. What the decisions need of the existing rows is
// read for the whole page at once. Records that fail because what they
// reference has not arrived yet are retried after every page and kept for
// the next cycle.
class SyncApplier : public QObject
{
    Q_OBJECT

public:
    SyncApplier(const SyncStore *store, PreferencesRepository *preferences, QObject *parent = nullptr);

    // Starts the pull phase of a cycle; the outbox tells which pending rows
    // the pull may overwrite. Records left over from an earlier cycle are
    // retried with the first page.
    void beginPull(const SyncOutbox *outbox);
    enum class PageResult
    {
        Applied,
        NotSaved,       // its writes could not be committed
        TooManyWaiting, // the records waiting for references would outgrow their bounds
    };
    // Applies one page. Unless it is Applied, nothing of the page is kept, and
    // the records kept before it are as they were.
    PageResult applyPage(const QJsonObject &page);
    // Keeps what still fails for the next cycle.
    void endPull();
    // Forgets the records kept for a retry, here and in the preferences; true
    // when there were any.
    bool forgetWaiting();
    void setWaitingBounds(qsizetype maxRecords, qsizetype maxBytes)
    {
        m_retries.setBounds(maxRecords, maxBytes);
    }

private:
    enum class Outcome
    {
        Written,
        Skipped,
        Failed
    };
    // The existing rows of one kind that the current page may touch.
    struct RowIndex
    {
        QHash<QString, SyncRowState> byId;
        QHash<QString, QString> idByServerId;
    };

    Outcome apply(SyncKind kind, const QJsonObject &record);
    // Logs the record as invalid; it is not applied, nor kept for a retry.
    Outcome refuse(SyncKind kind, const QJsonObject &record, const QString &reason);
    Outcome applyAccount(const QJsonObject &json);
    Outcome applyCategory(const QJsonObject &json);
    Outcome applyRecurring(const QJsonObject &json);
    Outcome applyTransactionChange(const QJsonObject &json);
    Outcome applyReconciliation(const QJsonObject &json);

    void loadRowIndex(const QList<QPair<SyncKind, QJsonArray>> &arrays);
    // The local id of a server record and the state of its existing row.
    std::optional<SyncRowState> resolve(SyncKind kind, const SyncWire::RecordHeader &header,
                                        QString &id) const;
    // The version rule, the protection of local edits, and the writes of one
    // record; `extraWrites` (a move, split lines) runs after the row's own
    // write when `hasExtraWrites` says it will write anything.
    template <typename Record, typename Repository, typename Extra>
    Outcome write(SyncKind kind, Repository *repository, const Record &record,
                  const std::optional<SyncRowState> &existing, bool hasExtraWrites, Extra extraWrites);
    template <typename Repository>
    bool mayReplace(SyncKind kind, Repository *repository, const QString &id) const;
    // Whether the local row already holds exactly what the server sent, so
    // that writing it would change nothing.
    template <typename Record, typename Repository>
    bool unchanged(Repository *repository, const Record &record, const std::optional<SyncRowState> &existing,
                   const QJsonObject &json) const;
    bool writeSplitLines(const Transaction &transaction, const QJsonObject &json, bool hadSplitLines);
    void noteWritten(SyncKind kind, const SyncRowState &state);

    void retryFailed();
    void announce();

    const SyncStore *m_store;
    PreferencesRepository *m_preferences;
    const SyncOutbox *m_outbox = nullptr;
    SyncRetryQueue m_retries;
    bool m_retryDue = false;     // records kept from an earlier cycle wait for a first try
    unsigned m_writtenKinds = 0; // one bit per SyncKind written in the current page
    RowIndex m_rows[5];          // by SyncKind
};
