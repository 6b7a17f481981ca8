#pragma once

#include "ApiClient.h"
#include "SyncStore.h"

#include <QDate>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>

class AccountRepository;
class CategoryRepository;
class PreferencesRepository;
class QTimer;
class ReconciliationRepository;
class RecurringRepository;
class SplitLineRepository;
class SyncApplier;
class SyncOutbox;
class TransactionRepository;
class WriteHold;

namespace BrioAccount {
class TokenManager;
} // namespace BrioAccount

// Keeps the local database and the sync service in step for a signed-in user.
// A cycle pushes every pending row in batches, each after the reply to the one
// before, marks what the server accepted, then pulls the server's changes page
// by page from the saved cursor and applies them. Cycles start on a debounce
// after local changes, on the auto-sync timer, and on request; a request that
// comes while a cycle runs is folded into one re-run after it.
class SyncEngine : public QObject
{
    Q_OBJECT
    Q_PROPERTY(SyncEngine::SyncState state READ state NOTIFY stateChanged)

public:
    enum SyncState
    {
        Idle = 0,
        Syncing = 1,
        Error = 2,
        Offline = 3
    };
    Q_ENUM(SyncState)

    static constexpr int DebounceMs = 2000;
    // After a failed cycle a requested one waits this long, twice as long
    // after each further failure, at most the auto-sync interval.
    static constexpr int RetryDelayMs = 30000;
    static constexpr int PushBatchSize = 500;
    static constexpr int PullPageSize = 200;
    static constexpr int MaxPullPages = 50;
    // A pull page larger than this is refused as it arrives.
    static constexpr qint64 MaxReplyBytes = 32 * 1024 * 1024;

    SyncEngine(BrioAccount::ApiClient *api, AccountRepository *accounts, TransactionRepository *transactions,
               CategoryRepository *categories, RecurringRepository *recurring,
               ReconciliationRepository *reconciliations, SplitLineRepository *splitLines,
               PreferencesRepository *preferences, QObject *parent = nullptr);
    ~SyncEngine() override;

    SyncState state() const { return m_state; }
    bool isAutoSyncActive() const;
    // Whether `userId` is the user whose records this device pulled last.
    bool isLastSyncedUser(const QString &userId) const;
    QString lastError() const { return m_lastError; }
    static QString stateToString(SyncState state);
    // How long a sync requested now would wait: the debounce, or the retry
    // delay while the last cycle failed.
    int requestDelayMs() const { return m_retryDelayMs > 0 ? m_retryDelayMs : DebounceMs; }
    // Whether a requested sync is waiting to start.
    bool isSyncRequested() const;

    // Makes `userId` the owner of this device's records. When they were
    // another known user's, their server ids are forgotten, so that they go
    // up as new records of this user; the pull starts over. Sends nothing.
    void adoptRecordsFor(const QString &userId);

    // A cycle starts only while this returns true; unset counts as true.
    void setStartCondition(std::function<bool()> condition);
    // The condition the application uses: signed in, that is, holding a
    // usable access token or a refresh token that can buy one.
    static std::function<bool()> signedInCondition(BrioAccount::TokenManager *tokens);

    // Who is signed in; empty while that is not known. The pull cursor and the
    // records kept for a retry belong to the user who pulled them: when
    // another user is signed in, both are forgotten before the next pull, so
    // that all of that user's records are pulled. Unset: never checked.
    void setUserIdSource(std::function<QString()> source);
    // The source the application uses: the "sub" claim of the usable access token.
    static std::function<QString()> signedInUser(BrioAccount::TokenManager *tokens);

    // Held while a long write keeps a transaction open that its Cancel takes
    // back: meanwhile no cycle starts and no reply is applied. Unset: never waits.
    void setWriteHold(WriteHold *hold);

    // Bounds of the pulled records kept while they wait for records they
    // reference; past them the pull stops in Error rather than drop any.
    void setWaitingBounds(qsizetype maxRecords, qsizetype maxBytes);

    static QDate parseServerDate(const QString &text);

public slots:
    void syncNow();
    void requestSync();
    void startAutoSync(int intervalMs);
    void stopAutoSync();

signals:
    void stateChanged(SyncEngine::SyncState state);
    void syncCompleted();
    void syncFailed(const QString &error);
    void dataChanged();

private:
    void setState(SyncState state);
    void pushChanges();
    void pushNextBatch();
    void onPushReply(const BrioAccount::ApiClient::Reply &reply);
    void startPull();
    void pullChanges(const QString &cursor);
    void onPullReply(const BrioAccount::ApiClient::Reply &reply);
    // Makes the signed-in user the owner of the cursor; true when that
    // forgot a cursor or kept records of someone else.
    bool claimCursor();
    bool claimCursorFor(const QString &user);
    void checkIntegrity(const QJsonObject &integrity);
    void completeCycle();
    // Whether the session the running cycle started in still holds.
    bool cycleMayGoOn() const;
    // Ends the running cycle without a word: nothing failed, the session ended.
    void abandonCycle();
    void failCycle(const QString &error);
    void onAuthenticationRequired();

    BrioAccount::ApiClient *m_api;
    PreferencesRepository *m_preferences;
    CategoryRepository *m_categories;
    SyncStore m_store;
    std::unique_ptr<SyncOutbox> m_outbox;
    SyncApplier *m_applier;

    QTimer *m_autoSyncTimer;
    QTimer *m_debounceTimer;
    SyncState m_state = Idle;
    QString m_lastError;
    int m_pullPageCount = 0;
    bool m_resyncRequested = false;
    // 0 while the last cycle did not fail.
    int m_retryDelayMs = 0;
    // The visible state may be reset while a cycle is still in flight (start
    // condition false); this flag alone keeps cycles from overlapping.
    bool m_cycleRunning = false;
    bool m_pulling = false;
    QSet<QString> m_sentCursors; // in this cycle
    std::function<bool()> m_startCondition;
    QString m_cycleUser; // who the running cycle syncs for, when known at its start
    std::function<QString()> m_userIdSource;
    QPointer<WriteHold> m_writeHold;
};
