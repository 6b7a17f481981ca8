#include "SyncEngine.h"

#include "ApiClient.h"
#include "CategoryRepository.h"
#include "PreferencesRepository.h"
#include "SyncApplier.h"
#include "SyncOutbox.h"
#include "SyncWire.h"
#include "TokenManager.h"
#include "WriteHold.h"

#include <QDebug>
#include <QJsonArray>
#include <QPointer>
#include <QTimer>
#include <QUrlQuery>

SyncEngine::SyncEngine(BrioAccount::ApiClient *api, AccountRepository *accounts,
                       TransactionRepository *transactions, CategoryRepository *categories,
                       RecurringRepository *recurring, ReconciliationRepository *reconciliations,
                       SplitLineRepository *splitLines, PreferencesRepository *preferences, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_preferences(preferences)
    , m_categories(categories)
    , m_store(accounts, transactions, categories, recurring, reconciliations, splitLines)
    , m_outbox(std::make_unique<SyncOutbox>(&m_store))
    , m_applier(new SyncApplier(&m_store, preferences, this))
    , m_autoSyncTimer(new QTimer(this))
    , m_debounceTimer(new QTimer(this))
{
    m_debounceTimer->setSingleShot(true);
    m_debounceTimer->setInterval(DebounceMs);
    connect(m_autoSyncTimer, &QTimer::timeout, this, &SyncEngine::syncNow);
    connect(m_debounceTimer, &QTimer::timeout, this, &SyncEngine::syncNow);
    connect(m_api, &BrioAccount::ApiClient::authenticationRequired, this,
            &SyncEngine::onAuthenticationRequired);
    // The client's default bound suits account replies; a pull page may be larger.
    m_api->setMaxReplyBytes(MaxReplyBytes);
}

SyncEngine::~SyncEngine() = default;

QString SyncEngine::stateToString(SyncState state)
{
    switch (state) {
    case Idle:
        return QStringLiteral("Synced");
    case Syncing:
        return QStringLiteral("Syncing...");
    case Error:
        return QStringLiteral("Sync error");
    case Offline:
        return QStringLiteral("Offline");
    }
    return QStringLiteral("Unknown");
}

void SyncEngine::setStartCondition(std::function<bool()> condition)
{
    m_startCondition = std::move(condition);
}

std::function<bool()> SyncEngine::signedInCondition(BrioAccount::TokenManager *tokens)
{
    // An expired access token is no reason to stop: the client refreshes it
    // before the request when a refresh token is stored.
    QPointer<BrioAccount::TokenManager> guard(tokens);
    return [guard] { return guard && (!guard->accessToken().isEmpty() || !guard->refreshToken().isEmpty()); };
}

void SyncEngine::setUserIdSource(std::function<QString()> source)
{
    m_userIdSource = std::move(source);
}

std::function<QString()> SyncEngine::signedInUser(BrioAccount::TokenManager *tokens)
{
    QPointer<BrioAccount::TokenManager> guard(tokens);
    return [guard] {
        if (!guard)
            return QString();
        const QString token = guard->accessToken();
        return token.isEmpty() ? QString() : guard->tokenSubject(token);
    };
}

void SyncEngine::setWriteHold(WriteHold *hold)
{
    m_writeHold = hold;
}

void SyncEngine::setWaitingBounds(qsizetype maxRecords, qsizetype maxBytes)
{
    m_applier->setWaitingBounds(maxRecords, maxBytes);
}

QDate SyncEngine::parseServerDate(const QString &text)
{
    return SyncWire::parseServerDate(text);
}

void SyncEngine::syncNow()
{
    if (m_startCondition && !m_startCondition()) {
        m_resyncRequested = false;
        if (m_state != Idle)
            setState(Idle);
        return;
    }
    if (m_cycleRunning) {
        m_resyncRequested = true;
        return;
    }
    // Rows written under the hold may still be taken back: collect after it
    // (through the debounce, which folds the requests made meanwhile into one).
    if (m_writeHold && m_writeHold->deferWhileHeld(this, [this] { requestSync(); }))
        return;
    m_cycleRunning = true;
    m_resyncRequested = false;
    m_cycleUser = m_userIdSource ? m_userIdSource() : QString();
    if (m_state != Syncing)
        setState(Syncing);
    pushChanges();
}

void SyncEngine::requestSync()
{
    // After a failure the retry is not put off by every further request.
    if (m_retryDelayMs > 0 && m_debounceTimer->isActive())
        return;
    m_debounceTimer->start(requestDelayMs());
}

bool SyncEngine::isSyncRequested() const
{
    return m_debounceTimer->isActive();
}

void SyncEngine::startAutoSync(int intervalMs)
{
    m_autoSyncTimer->start(intervalMs);
    syncNow();
}

bool SyncEngine::isAutoSyncActive() const
{
    return m_autoSyncTimer->isActive();
}

void SyncEngine::stopAutoSync()
{
    m_autoSyncTimer->stop();
}

void SyncEngine::setState(SyncState state)
{
    m_state = state;
    emit stateChanged(state);
}

void SyncEngine::pushChanges()
{
    const int count = m_outbox->collect();
    if (count == 0) {
        startPull();
        return;
    }
    qInfo() << "Pushing" << count << "changes (in batches of" << PushBatchSize << ")";
    pushNextBatch();
}

void SyncEngine::pushNextBatch()
{
    if (m_outbox->remaining() == 0) {
        startPull();
        return;
    }
    const QJsonArray batch = m_outbox->takeBatch(PushBatchSize);
    qInfo() << "Push batch:" << batch.size() << "changes," << m_outbox->remaining() << "remaining";
    QPointer<SyncEngine> self(this);
    m_api->postReply(QStringLiteral("/sync/push"), QJsonObject{{QStringLiteral("changes"), batch}},
                     [self](const BrioAccount::ApiClient::Reply &reply) {
                         if (self)
                             self->onPushReply(reply);
                     });
}

void SyncEngine::onPushReply(const BrioAccount::ApiClient::Reply &reply)
{
    if (m_writeHold && m_writeHold->deferWhileHeld(this, [this, reply] { onPushReply(reply); }))
        return;
    if (!cycleMayGoOn()) {
        abandonCycle();
        return;
    }
    if (!reply.refusal.isEmpty()) {
        failCycle(tr("Push failed: %1").arg(reply.refusal));
        return;
    }
    if (!reply.ok) {
        failCycle(tr("Push failed (HTTP %1)").arg(reply.status));
        return;
    }
    // Without results nothing tells which changes the server took; going on
    // would pull them back as if they were someone else's.
    if (!reply.body.value(QLatin1String("results")).isArray()) {
        failCycle(tr("Push failed: the reply holds no results"));
        return;
    }
    const SyncOutbox::Outcome outcome = m_outbox->applyResults(reply.body);
    if (outcome.errors > 0)
        qWarning() << "Push batch:" << outcome.accepted << "ok," << outcome.errors
                   << "errors — failed records remain pending for next sync";
    pushNextBatch();
}

void SyncEngine::startPull()
{
    m_pullPageCount = 0;
    m_pulling = true;
    m_sentCursors.clear();
    claimCursor();
    m_applier->beginPull(m_outbox.get());
    pullChanges(m_preferences->value(PreferenceKeys::SyncCursor));
}

bool SyncEngine::isLastSyncedUser(const QString &userId) const
{
    return !userId.isEmpty() && userId == m_preferences->value(PreferenceKeys::SyncCursorUser);
}

void SyncEngine::adoptRecordsFor(const QString &userId)
{
    const QString lastUser = m_preferences->value(PreferenceKeys::SyncCursorUser);
    if (userId.isEmpty() || userId == lastUser)
        return;
    // Server ids kept from before the syncing user was noted down are most
    // likely this user's own: sent as new, they would double every record.
    if (!lastUser.isEmpty() && !m_store.forgetServerIds())
        qWarning() << "SyncEngine::adoptRecordsFor: the server ids of the previous user could not be removed";
    claimCursorFor(userId);
}

bool SyncEngine::claimCursor()
{
    return m_userIdSource && claimCursorFor(m_userIdSource());
}

bool SyncEngine::claimCursorFor(const QString &user)
{
    // Not known before a refresh; the reply to the first pull checks again.
    if (user.isEmpty() || isLastSyncedUser(user))
        return false;
    // A cursor kept without its owner may be anyone's: pulling everything again is safe.
    const bool hadCursor = m_preferences->get(PreferenceKeys::SyncCursor).has_value();
    m_preferences->remove(PreferenceKeys::SyncCursor);
    const bool hadWaiting = m_applier->forgetWaiting();
    m_preferences->set(PreferenceKeys::SyncCursorUser, user);
    if (hadCursor || hadWaiting)
        qInfo() << "Sync: the pull position belonged to another user; pulling all records of this one";
    return hadCursor || hadWaiting;
}

void SyncEngine::pullChanges(const QString &cursor)
{
    m_sentCursors.insert(cursor);
    QUrlQuery query;
    if (!cursor.isEmpty()) {
        // A query '+' reads as a space on the server; base64 cursors hold '+'.
        QString encoded = cursor;
        encoded.replace(QLatin1Char('%'), QLatin1String("%25"))
            .replace(QLatin1Char('+'), QLatin1String("%2B"));
        query.addQueryItem(QStringLiteral("cursor"), encoded);
    }
    query.addQueryItem(QStringLiteral("limit"), QString::number(PullPageSize));
    QPointer<SyncEngine> self(this);
    m_api->getReply(
        QStringLiteral("/sync/pull"),
        [self](const BrioAccount::ApiClient::Reply &reply) {
            if (self)
                self->onPullReply(reply);
        },
        query);
}

void SyncEngine::onPullReply(const BrioAccount::ApiClient::Reply &reply)
{
    if (m_writeHold && m_writeHold->deferWhileHeld(this, [this, reply] { onPullReply(reply); }))
        return;
    if (!cycleMayGoOn()) {
        abandonCycle();
        return;
    }
    if (!reply.refusal.isEmpty()) {
        failCycle(tr("Pull failed: %1").arg(reply.refusal));
        return;
    }
    if (!reply.ok) {
        failCycle(tr("Pull failed (HTTP %1)").arg(reply.status));
        return;
    }
    // An empty page is "{}"; anything else that is not an object is a broken reply.
    if (!reply.bodyIsObject) {
        failCycle(tr("Pull failed: the reply is not a JSON object"));
        return;
    }
    ++m_pullPageCount;
    if (claimCursor()) {
        // Another user signed in while the request was out: this page
        // continued someone else's cursor.
        m_sentCursors.clear();
        if (m_pullPageCount < MaxPullPages) {
            pullChanges(QString());
            return;
        }
        completeCycle();
        return;
    }
    const QJsonObject &body = reply.body;
    switch (m_applier->applyPage(body)) {
    case SyncApplier::PageResult::Applied:
        break;
    case SyncApplier::PageResult::NotSaved:
        failCycle(tr("Saving pulled changes failed"));
        return;
    case SyncApplier::PageResult::TooManyWaiting:
        failCycle(tr("Pull stopped: too many pulled records wait for records they refer to"));
        return;
    }

    const QString cursor = body.value(QLatin1String("cursor")).toString();
    if (!cursor.isEmpty() && cursor != m_preferences->value(PreferenceKeys::SyncCursor))
        m_preferences->set(PreferenceKeys::SyncCursor, cursor);
    if (body.contains(QLatin1String("integrity")))
        checkIntegrity(body.value(QLatin1String("integrity")).toObject());

    const bool hasMore = body.value(QLatin1String("has_more")).toBool(false);
    if (hasMore && m_sentCursors.contains(cursor)) {
        qWarning() << "Sync: the server answered with a cursor already sent in this sync; stopping after"
                   << m_pullPageCount << "pages";
        // A fault of the server's: retried later, not straight away.
        failCycle(tr("Pull stopped: the server sent the same position twice"));
        return;
    }
    if (hasMore && m_pullPageCount < MaxPullPages) {
        pullChanges(cursor);
        return;
    }
    completeCycle();
}

void SyncEngine::checkIntegrity(const QJsonObject &integrity)
{
    const int serverCount = integrity.value(QLatin1String("category_count")).toInt(0);
    const int localCount = m_categories->count();
    if (serverCount >= 1 && serverCount != localCount)
        qWarning() << "Category count mismatch: local=" << localCount << "server=" << serverCount
                   << "(informational only — use Force Full Sync if data appears wrong)";
}

void SyncEngine::completeCycle()
{
    m_applier->endPull();
    m_pulling = false;
    m_cycleRunning = false;
    m_retryDelayMs = 0;
    if (m_state != Idle)
        setState(Idle);
    emit syncCompleted();
    emit dataChanged();
    if (m_resyncRequested) {
        m_resyncRequested = false;
        QTimer::singleShot(0, this, &SyncEngine::syncNow);
    }
}

bool SyncEngine::cycleMayGoOn() const
{
    // A reply that comes after a sign-out, or after another user signed in,
    // belongs to a session that has ended: its next batch or page would go
    // out with the new user's tokens, before that user agreed to anything.
    if (m_startCondition && !m_startCondition())
        return false;
    return m_cycleUser.isEmpty() || !m_userIdSource || m_userIdSource() == m_cycleUser;
}

void SyncEngine::abandonCycle()
{
    qInfo() << "Sync: the cycle stopped, its session has ended";
    if (m_pulling) {
        m_applier->endPull();
        m_pulling = false;
    }
    m_cycleRunning = false;
    m_resyncRequested = false;
    if (m_state != Idle)
        setState(Idle);
}

void SyncEngine::failCycle(const QString &error)
{
    if (m_pulling) {
        // Pages already applied moved the cursor past what still waits to be retried.
        m_applier->endPull();
        m_pulling = false;
    }
    m_cycleRunning = false;
    // What this cycle's own writes requested, or a request made while it ran,
    // would only meet the same fault again.
    m_resyncRequested = false;
    m_debounceTimer->stop();
    const int cap = qMax(RetryDelayMs, m_autoSyncTimer->interval());
    m_retryDelayMs = m_retryDelayMs == 0 ? RetryDelayMs : qMin(2 * m_retryDelayMs, cap);
    m_lastError = error;
    if (m_state != Error)
        setState(Error);
    emit syncFailed(m_lastError);
}

void SyncEngine::onAuthenticationRequired()
{
    if (m_state != Error)
        setState(Error);
}
