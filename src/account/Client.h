#pragma once

#include "AuthTypes.h"
#include "ClientConfig.h"
#include "TovClaims.h"

#include <QObject>

namespace BrioAccount {

class AccountClient;
class ApiClient;
class AuthClient;
class TokenManager;

// The one object through which the program uses the account library: builds and owns the
// token store and manager, the three service clients (authentication, account, sync), the
// sign-in client and the account client, and relays the sign-in state.
class Client : public QObject
{
    Q_OBJECT

public:
    explicit Client(const ClientConfig &config, QObject *parent = nullptr);

    void initialize();
    bool isAuthenticated() const;
    // The claims of the usable access token; empty without one.
    TovClaims claims() const;

    AuthClient *authClient() const { return m_authClient; }
    AccountClient *accountClient() const { return m_accountClient; }
    ApiClient *syncApi() const { return m_syncApi; }
    TokenManager *tokenManager() const { return m_tokenManager; }

    // The "X-Platform" text: the override when set, else the running kernel in lower case
    // ("linux", "macos", "windows").
    static QString platformText(const QString &platformOverride);

signals:
    void authStateChanged(BrioAccount::AuthState state);
    void claimsUpdated(const BrioAccount::TovClaims &claims);

private:
    ClientConfig m_config;
    TokenManager *m_tokenManager = nullptr;
    ApiClient *m_authApi = nullptr;
    ApiClient *m_accountApi = nullptr;
    ApiClient *m_syncApi = nullptr;
    AuthClient *m_authClient = nullptr;
    AccountClient *m_accountClient = nullptr;
};

} // namespace BrioAccount
