#pragma once

#include "AccountRecords.h"
#include "AuthTypes.h"

#include <QList>
#include <QObject>
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

signals:
    void stateChanged(BrioAccount::AuthState state);
    void loginSucceeded();
    void loginFailed(const QString &error);
    // No browser could be opened on the sign-in page; the sign-in keeps
    // listening, so the user can open the address by hand.
    void browserOpenFailed(const QUrl &address);
    void logoutCompleted();

private:
    void setState(AuthState state);
    void handleCallback(const QUrl &url);
    void setupRefreshCallback();

    QString m_authBaseUrl;
    QString m_realmSlug;
    QString m_clientId;
    ApiClient *m_api = nullptr;
    TokenManager *m_tokenManager = nullptr;
    AuthState m_state = AuthState::Initial;
    User m_currentUser;
    bool m_signInKept = true;
};

} // namespace BrioAccount
