#include "AuthClient.h"

#include "ApiClient.h"
#include "TokenManager.h"
#include "WebAuthHandler.h"

#include <QDebug>
#include <QDesktopServices>
#include <QJsonArray>
#include <QPointer>
#include <QUrlQuery>

namespace BrioAccount {

AuthClient::AuthClient(const QString &authBaseUrl, const QString &realmSlug, const QString &clientId,
                       ApiClient *api, TokenManager *tokenManager, QObject *parent)
    : QObject(parent)
    , m_authBaseUrl(authBaseUrl)
    , m_realmSlug(realmSlug)
    , m_clientId(clientId)
    , m_api(api)
    , m_tokenManager(tokenManager)
{
    setupRefreshCallback();
    // However a refresh was started, a refused refresh token ends the session the same way.
    connect(m_tokenManager, &TokenManager::refreshRejected, this, [this] {
        const bool wasSignedIn = m_state == AuthState::SignedIn;
        endSession();
        if (wasSignedIn)
            emit sessionExpired();
    });
}

void AuthClient::setState(AuthState state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void AuthClient::stopListening()
{
    if (!m_handler)
        return;
    m_handler->disconnect(this);
    m_handler->stop();
    m_handler->deleteLater();
    m_handler = nullptr;
}

void AuthClient::login()
{
    // One listener at a time: an earlier one would go on taking redirects nobody waits for.
    stopListening();
    auto *handler = new WebAuthHandler(this);
    const QString redirectUri = handler->start();
    if (redirectUri.isEmpty()) {
        emit loginFailed(QStringLiteral("Failed to start local auth server"));
        handler->deleteLater();
        return;
    }
    m_handler = handler;
    connect(handler, &WebAuthHandler::callbackReceived, this, [this](const QUrl &url) {
        stopListening();
        handleCallback(url);
    });
    connect(handler, &WebAuthHandler::callbackTooLarge, this, [this] {
        stopListening();
        emit loginFailed(QStringLiteral("The sign-in answer was too large"));
    });
    const QString address = QStringLiteral("%1/%2/account/login?client_id=%3&redirect_uri=%4")
                                .arg(m_authBaseUrl, m_realmSlug, m_clientId,
                                     QString::fromLatin1(QUrl::toPercentEncoding(redirectUri)));
    if (!QDesktopServices::openUrl(QUrl(address)))
        emit browserOpenFailed(QUrl(address));
}

void AuthClient::cancelLogin()
{
    const QList<WebAuthHandler *> handlers = findChildren<WebAuthHandler *>(Qt::FindDirectChildrenOnly);
    for (WebAuthHandler *handler : handlers) {
        disconnect(handler, nullptr, this, nullptr);
        delete handler;
    }
    if (m_state != AuthState::SignedIn)
        setState(AuthState::SignedOut);
}

void AuthClient::handleCallback(const QUrl &url)
{
    // Values are read fully decoded, or a "%2B" in a token would be stored as written.
    const QUrlQuery fragment(url.fragment(QUrl::FullyEncoded));
    QString accessToken = fragment.queryItemValue(QStringLiteral("access_token"), QUrl::FullyDecoded);
    QString refreshToken = fragment.queryItemValue(QStringLiteral("refresh_token"), QUrl::FullyDecoded);
    if (accessToken.isEmpty()) {
        const QUrlQuery query(url);
        accessToken = query.queryItemValue(QStringLiteral("access_token"), QUrl::FullyDecoded);
        refreshToken = query.queryItemValue(QStringLiteral("refresh_token"), QUrl::FullyDecoded);
    }
    if (accessToken.isEmpty() || refreshToken.isEmpty()) {
        emit loginFailed(QStringLiteral("No tokens received"));
        return;
    }
    m_confirmationPending =
        m_confirmationCheck && m_confirmationCheck(m_tokenManager->tokenSubject(accessToken));
    if (m_confirmationPending) {
        m_tokenManager->holdTokens(accessToken, refreshToken);
        m_signInKept = true;
    } else {
        m_signInKept = m_tokenManager->setTokens(accessToken, refreshToken);
    }
    if (!m_signInKept)
        emit signInNotKept();
    setState(AuthState::SignedIn);
    emit loginSucceeded();
}

void AuthClient::setConfirmationCheck(std::function<bool(const QString &)> check)
{
    m_confirmationCheck = std::move(check);
}

void AuthClient::confirmSignIn()
{
    if (!m_confirmationPending)
        return;
    m_confirmationPending = false;
    m_signInKept = m_tokenManager->keepTokens();
    if (!m_signInKept)
        emit signInNotKept();
}

void AuthClient::endSession()
{
    m_confirmationPending = false;
    m_tokenManager->clear();
    m_currentUser = User();
    setState(AuthState::SignedOut);
}

void AuthClient::initialize()
{
    m_tokenManager->load();
    if (!m_tokenManager->accessToken().isEmpty()) {
        setState(AuthState::SignedIn);
        return;
    }
    if (m_tokenManager->refreshToken().isEmpty()) {
        setState(AuthState::SignedOut);
        return;
    }
    // Only a refusal signs out: an unreachable server keeps the stored tokens for later.
    QPointer<AuthClient> self(this);
    m_tokenManager->refresh([self](RefreshResult result) {
        // A sign-in or sign-out while this refresh ran has decided the state already.
        if (!self || self->m_state != AuthState::Initial)
            return;
        if (result == RefreshResult::Rejected) {
            self->endSession();
        } else {
            self->setState(AuthState::SignedIn);
        }
    });
}

void AuthClient::refreshToken(std::function<void(bool)> callback)
{
    QPointer<AuthClient> self(this);
    m_tokenManager->refresh([self, callback](RefreshResult result) {
        if (self && result == RefreshResult::Rejected)
            self->endSession();
        if (callback)
            callback(result == RefreshResult::Success);
    });
}

void AuthClient::setupRefreshCallback()
{
    QPointer<ApiClient> api(m_api);
    m_tokenManager->setRefreshCallback([api](const QString &refreshToken,
                                             TokenManager::SuccessContinuation onSuccess,
                                             TokenManager::FailureContinuation onFailure) {
        if (!api) {
            onFailure(false);
            return;
        }
        api->postPublic(QStringLiteral("/auth/token/refresh"),
                        QJsonObject{{QStringLiteral("refresh_token"), refreshToken}},
                        [refreshToken, onSuccess, onFailure](bool ok, int status, const QJsonObject &body) {
                            if (ok) {
                                const QString access = body.value(QLatin1String("access_token")).toString();
                                // A success without a token is no success: keep what we have.
                                if (access.isEmpty()) {
                                    onFailure(false);
                                    return;
                                }
                                QString refresh = body.value(QLatin1String("refresh_token")).toString();
                                if (refresh.isEmpty())
                                    refresh = refreshToken;
                                onSuccess(access, refresh);
                                return;
                            }
                            // Time-outs and rate limits say nothing about the token itself.
                            const bool rejected =
                                status >= 400 && status <= 499 && status != 408 && status != 429;
                            onFailure(rejected);
                        });
    });
}

void AuthClient::logout()
{
    // Sent before the tokens are cleared, so that an expired access token is still refreshed for it.
    m_api->postEndingSession(QStringLiteral("/auth/logout"), QJsonObject(), nullptr);
    endSession();
    emit logoutCompleted();
}

void AuthClient::fetchCurrentUser(std::function<void(User)> callback)
{
    QPointer<AuthClient> self(this);
    m_api->get(QStringLiteral("/users/me"), [self, callback](bool ok, int, const QJsonObject &body) {
        if (!self)
            return;
        if (ok)
            self->m_currentUser = User::fromJson(body);
        if (callback)
            callback(self->m_currentUser);
    });
}

void AuthClient::updateProfile(const QString &displayName, std::function<void(User)> callback)
{
    QPointer<AuthClient> self(this);
    m_api->patch(QStringLiteral("/users/me"), QJsonObject{{QStringLiteral("display_name"), displayName}},
                 [self, callback](bool ok, int, const QJsonObject &body) {
                     if (!self)
                         return;
                     if (!ok) {
                         if (callback)
                             callback(User());
                         return;
                     }
                     self->m_currentUser = User::fromJson(body);
                     if (callback)
                         callback(self->m_currentUser);
                 });
}

void AuthClient::changePassword(const QString &currentPassword, const QString &newPassword,
                                std::function<void(bool)> callback)
{
    m_api->post(QStringLiteral("/users/me/password"),
                QJsonObject{{QStringLiteral("current_password"), currentPassword},
                            {QStringLiteral("new_password"), newPassword}},
                [callback](bool ok, int, const QJsonObject &) {
                    if (callback)
                        callback(ok);
                });
}

void AuthClient::listSessions(std::function<void(QList<Session>)> callback)
{
    m_api->get(QStringLiteral("/users/me/sessions"), [callback](bool ok, int, const QJsonObject &body) {
        if (!callback)
            return;
        callback(ok ? recordsFromJson<Session>(body.value(QLatin1String("sessions"))) : QList<Session>());
    });
}

void AuthClient::revokeSession(const QString &sessionId, std::function<void(bool)> callback)
{
    if (!ApiClient::isSafePathSegment(sessionId)) {
        qWarning() << "AuthClient::revokeSession: refused an unusable session id";
        // Answered from the event loop like a request would be.
        if (callback)
            QMetaObject::invokeMethod(
                this, [callback] { callback(false); }, Qt::QueuedConnection);
        return;
    }
    ApiClient::ResponseCallback answer;
    if (callback)
        answer = [callback](bool ok, int, const QJsonObject &) { callback(ok); };
    m_api->del(QStringLiteral("/users/me/sessions/") + sessionId, answer);
}

QString AuthClient::currentUserId() const
{
    const QString token = m_tokenManager->accessToken();
    return token.isEmpty() ? QString() : m_tokenManager->tokenSubject(token);
}

} // namespace BrioAccount
