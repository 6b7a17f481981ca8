#pragma once

#include "AuthTypes.h"
#include "TokenStore.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace BrioAccount {

// Holds the access and refresh tokens, persists them through its store, decides from the
// access token itself whether it is still usable, and runs at most one refresh at a time
// however many requests ask for one.
class TokenManager : public QObject
{
    Q_OBJECT

public:
    using RefreshCallback = std::function<void(RefreshResult)>;
    using TokenCallback = std::function<void(RefreshResult, const QString &accessToken)>;
    using SuccessContinuation = std::function<void(const QString &accessToken, const QString &refreshToken)>;
    using FailureContinuation = std::function<void(bool rejected)>;
    using Refresher = std::function<void(const QString &refreshToken, SuccessContinuation onSuccess,
                                         FailureContinuation onFailure)>;
    // Seconds since the epoch.
    using Clock = std::function<qint64()>;

    // A token is given up this many seconds before it expires.
    static constexpr qint64 ExpiryMarginSeconds = 30;

    explicit TokenManager(std::unique_ptr<TokenStore> store, QObject *parent = nullptr);
    ~TokenManager() override;

    void load();
    // A new sign-in: replaces both tokens in memory and in the store. False when the store
    // did not keep them: they work until the program closes, and nothing older is left
    // stored in their place.
    bool setTokens(const QString &accessToken, const QString &refreshToken);
    // A sign-in that must not outlive this run unless confirmed: the tokens are used in
    // memory only, refreshed ones too, and whatever the store held is removed.
    void holdTokens(const QString &accessToken, const QString &refreshToken);
    // Stores the tokens held in memory; false when the store did not keep them.
    bool keepTokens();
    // Sign-out: empties both tokens in memory and in the store.
    void clear();

    // The access token while it is usable, else empty.
    QString accessToken() const;
    QString refreshToken() const { return m_refreshToken; }
    bool needsRefresh() const;

    // Single-flight refresh; the callback (may be empty) receives the result.
    void refresh(RefreshCallback callback);
    // The same refresh for the request that a sign-out sends as it ends the session: the callback
    // also receives the new access token, and still receives it when the tokens were cleared
    // while the refresh ran. Such a late token is handed to this caller only, never stored.
    void refreshForSignOut(TokenCallback callback);
    void setRefreshCallback(Refresher refresher);

    // The "sub" claim of a token, empty when it cannot be decoded.
    QString tokenSubject(const QString &token) const;
    // Whose tokens these are: the "sub" claim of the access token, also of an expired one.
    QString subject() const { return tokenSubject(m_accessToken); }

    // Replaces the clock (tests); an empty clock restores the system clock.
    void setClock(Clock clock);

signals:
    // The service refused the refresh token: the session has ended. Emitted before the
    // waiters of that refresh are answered.
    void refreshRejected();

private:
    struct Flight;

    bool isUsable(const QString &token) const;
    void joinRefresh(TokenCallback callback, bool outlivesSession);
    void finishFlight(const std::shared_ptr<Flight> &flight, bool succeeded, bool rejected,
                      const QString &accessToken, const QString &refreshToken);

    // A new pair in memory; refreshes started before it serve nobody.
    void startSession(const QString &accessToken, const QString &refreshToken, bool persist);
    bool writeStore();

    std::unique_ptr<TokenStore> m_store;
    // False while the tokens are held in memory only.
    bool m_persist = true;
    QString m_accessToken;
    QString m_refreshToken;
    Refresher m_refresher;
    mutable QMutex m_mutex;
    // The running refresh with its waiters; null when none runs.
    std::shared_ptr<Flight> m_flight;
    // Bumped by every sign-in and sign-out, so that a refresh started before one of them
    // cannot write its tokens back afterwards.
    quint64 m_generation = 0;
    Clock m_clock;
};

} // namespace BrioAccount
