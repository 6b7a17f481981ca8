#include "TokenManager.h"

#include "TokenPayload.h"

#include <QDateTime>
#include <QMutexLocker>
#include <QPointer>

namespace BrioAccount {

struct TokenManager::Flight
{
    struct Waiter
    {
        TokenCallback callback;
        // Served with the new access token even after the session it was asked for has ended.
        bool outlivesSession = false;
    };

    quint64 generation = 0;
    QList<Waiter> waiters;
    bool finished = false;
};

TokenManager::TokenManager(std::unique_ptr<TokenStore> store, QObject *parent)
    : QObject(parent)
    , m_store(std::move(store))
{
}

TokenManager::~TokenManager() = default;

void TokenManager::load()
{
    m_accessToken = m_store->read(QLatin1String(AccessTokenKey)).value_or(QString());
    m_refreshToken = m_store->read(QLatin1String(RefreshTokenKey)).value_or(QString());
}

bool TokenManager::setTokens(const QString &accessToken, const QString &refreshToken)
{
    startSession(accessToken, refreshToken, true);
    return writeStore();
}

void TokenManager::holdTokens(const QString &accessToken, const QString &refreshToken)
{
    startSession(accessToken, refreshToken, false);
    // A pair stored earlier would sign its owner in again at the next start.
    m_store->clear();
}

void TokenManager::startSession(const QString &accessToken, const QString &refreshToken, bool persist)
{
    {
        QMutexLocker lock(&m_mutex);
        ++m_generation;
    }
    m_accessToken = accessToken;
    m_refreshToken = refreshToken;
    m_persist = persist;
}

bool TokenManager::keepTokens()
{
    m_persist = true;
    return writeStore();
}

bool TokenManager::writeStore()
{
    const bool kept = m_store->write(QLatin1String(AccessTokenKey), m_accessToken) &&
                      m_store->write(QLatin1String(RefreshTokenKey), m_refreshToken);
    // Half a pair, or the previous user's pair, must not sign anyone in at the next start.
    if (!kept)
        m_store->clear();
    return kept;
}

void TokenManager::clear()
{
    {
        QMutexLocker lock(&m_mutex);
        ++m_generation;
    }
    m_accessToken.clear();
    m_refreshToken.clear();
    m_persist = true;
    m_store->clear();
}

bool TokenManager::isUsable(const QString &token) const
{
    if (token.isEmpty())
        return false;
    const qint64 expiry = TokenPayload::expiry(TokenPayload::decode(token));
    if (expiry == 0)
        return false;
    const qint64 now = m_clock ? m_clock() : QDateTime::currentSecsSinceEpoch();
    return now < expiry - ExpiryMarginSeconds;
}

QString TokenManager::accessToken() const
{
    return isUsable(m_accessToken) ? m_accessToken : QString();
}

bool TokenManager::needsRefresh() const
{
    if (isUsable(m_accessToken))
        return false;
    return !m_refreshToken.isEmpty();
}

void TokenManager::refresh(RefreshCallback callback)
{
    TokenCallback waiter;
    if (callback)
        waiter = [callback = std::move(callback)](RefreshResult result, const QString &) {
            callback(result);
        };
    joinRefresh(std::move(waiter), false);
}

void TokenManager::refreshForSignOut(TokenCallback callback)
{
    joinRefresh(std::move(callback), true);
}

void TokenManager::joinRefresh(TokenCallback callback, bool outlivesSession)
{
    QMutexLocker lock(&m_mutex);
    // A refresh started before the last sign-in or sign-out serves nobody new.
    if (m_flight && m_flight->generation == m_generation) {
        if (callback)
            m_flight->waiters.append({std::move(callback), outlivesSession});
        return;
    }
    if (m_refreshToken.isEmpty() || !m_refresher) {
        lock.unlock();
        if (callback)
            callback(RefreshResult::Rejected, QString());
        return;
    }
    auto flight = std::make_shared<Flight>();
    flight->generation = m_generation;
    if (callback)
        flight->waiters.append({std::move(callback), outlivesSession});
    m_flight = flight;
    const QString refreshToken = m_refreshToken;
    const Refresher refresher = m_refresher;
    lock.unlock();

    QPointer<TokenManager> self(this);
    refresher(
        refreshToken,
        [self, flight](const QString &access, const QString &refresh) {
            if (self)
                self->finishFlight(flight, true, false, access, refresh);
        },
        [self, flight](bool rejected) {
            if (self)
                self->finishFlight(flight, false, rejected, QString(), QString());
        });
}

void TokenManager::finishFlight(const std::shared_ptr<Flight> &flight, bool succeeded, bool rejected,
                                const QString &accessToken, const QString &refreshToken)
{
    QMutexLocker lock(&m_mutex);
    if (flight->finished)
        return;
    flight->finished = true;
    const bool stale = flight->generation != m_generation;
    lock.unlock();

    RefreshResult result = RefreshResult::TransientFailure;
    if (stale) {
        // Signed out or in again meanwhile: these tokens belong to a session that has ended.
        result = RefreshResult::TransientFailure;
    } else if (succeeded) {
        m_accessToken = accessToken;
        m_refreshToken = refreshToken;
        if (m_persist) {
            m_store->write(QLatin1String(AccessTokenKey), accessToken);
            m_store->write(QLatin1String(RefreshTokenKey), refreshToken);
        }
        result = RefreshResult::Success;
    } else if (rejected) {
        result = RefreshResult::Rejected;
    }

    lock.relock();
    if (m_flight == flight)
        m_flight.reset();
    const QList<Flight::Waiter> waiters = std::move(flight->waiters);
    flight->waiters.clear();
    lock.unlock();

    if (result == RefreshResult::Rejected)
        emit refreshRejected();

    for (const Flight::Waiter &waiter : waiters) {
        if (result == RefreshResult::Success)
            waiter.callback(result, accessToken);
        else if (stale && succeeded && waiter.outlivesSession)
            waiter.callback(RefreshResult::Success, accessToken);
        else
            waiter.callback(result, QString());
    }
}

void TokenManager::setRefreshCallback(Refresher refresher)
{
    QMutexLocker lock(&m_mutex);
    m_refresher = std::move(refresher);
}

QString TokenManager::tokenSubject(const QString &token) const
{
    return TokenPayload::subject(TokenPayload::decode(token));
}

void TokenManager::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

} // namespace BrioAccount
