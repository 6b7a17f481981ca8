#pragma once

#include "AccountRecords.h"
#include "AuthTypes.h"
#include "WebAuthHandler.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

namespace BrioAccount {

class ApiClient;
class TokenManager;

// Signs the user in through the web browser and a loopback redirect, restores the sign-in at
// start-up, refreshes the tokens for the whole library, signs out, and offers the operations
// on the signed-in user. Owns the sign-in state.
class AuthClient : public QObject
{
    Q_OBJECT
    Q_PROPERTY(BrioAccount::AuthState state READ state NOTIFY stateChanged)
    Q_PROPERTY(bool isAuthenticated READ isAuthenticated NOTIFY stateChanged)

public:
    AuthClient(const QString &authBaseUrl, const QString &realmSlug, const QString &clientId, ApiClient *api,
               TokenManager *tokenManager, QObject *parent = nullptr);

    void login();
    // Gives up a sign-in that waits for the browser: the loopback listener
    // stops (a redirect arriving later finds no one) and the state is signed out.
    void cancelLogin();
    void initialize();
    void refreshToken(std::function<void(bool)> callback);
    void logout();

    AuthState state() const { return m_state; }
    bool isAuthenticated() const { return m_state == AuthState::SignedIn; }

    // Operations on the signed-in user; every callback may be empty.
    void fetchCurrentUser(std::function<void(User)> callback);
    void updateProfile(const QString &displayName, std::function<void(User)> callback);
    void changePassword(const QString &currentPassword, const QString &newPassword,
                        std::function<void(bool)> callback);
    void listSessions(std::function<void(QList<Session>)> callback);
    // The optional callback learns whether the service agreed.
    void revokeSession(const QString &sessionId, std::function<void(bool)> callback = nullptr);
    // The "sub" claim of the usable access token; empty without one. Sends nothing.
    QString currentUserId() const;
    // The user as last fetched (empty fields before the first fetch). Sends nothing.
    User currentUser() const { return m_currentUser; }
    // False when the tokens of the last browser sign-in could not be stored: that sign-in
    // ends when the program closes.
    bool isSignInKept() const { return m_signInKept; }

    // Asked with the user id of each browser sign-in before anything is stored: true when
    // the user must first agree (confirmSignIn). Until then the sign-in lives in memory only,
    // so that a sign-in nobody agreed to ends with the program.
    void setConfirmationCheck(std::function<bool(const QString &userId)> check);
    bool isConfirmationPending() const { return m_confirmationPending; }
    // Stores the sign-in that waited for the user's word.
    void confirmSignIn();

signals:
    void stateChanged(BrioAccount::AuthState state);
    void loginSucceeded();
    void loginFailed(const QString &error);
    // No browser could be opened on the sign-in page; the sign-in keeps
    // listening, so the user can open the address by hand.
    void browserOpenFailed(const QUrl &address);
    void logoutCompleted();
    // The service refused the refresh token while signed in: the session ended without the
    // user asking (the state is already SignedOut), and anything that syncs has stopped.
    void sessionExpired();
    // The tokens of a browser sign-in could not be stored: it ends when the program closes.
    void signInNotKept();

private:
    void setState(AuthState state);
    void handleCallback(const QUrl &url);
    void setupRefreshCallback();
    // Closes the listener of a sign-in that still waits, if any.
    void stopListening();
    // Signed out here: tokens gone from memory and store, no cached user. Sends nothing.
    void endSession();

    QString m_authBaseUrl;
    QString m_realmSlug;
    QString m_clientId;
    ApiClient *m_api = nullptr;
    TokenManager *m_tokenManager = nullptr;
    AuthState m_state = AuthState::Initial;
    User m_currentUser;
    bool m_signInKept = true;
    std::function<bool(const QString &)> m_confirmationCheck;
    bool m_confirmationPending = false;
    QPointer<WebAuthHandler> m_handler;
};

} // namespace BrioAccount
