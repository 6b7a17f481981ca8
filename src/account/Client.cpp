#include "Client.h"

#include "AccountClient.h"
#include "ApiClient.h"
#include "AuthClient.h"
#include "CredentialManagerTokenStore.h"
#include "TokenManager.h"

#include <QSysInfo>

namespace BrioAccount {

Client::Client(const ClientConfig &config, QObject *parent)
    : QObject(parent)
    , m_config(config)
{
    const QString platform = platformText(config.platform);

    m_tokenManager = new TokenManager(CredentialManagerTokenStore::create(config.applicationId), this);

    m_authApi = new ApiClient(m_tokenManager, this);
    m_authApi->setBaseUrl(
        QUrl(QStringLiteral("%1/api/v1/realms/%2").arg(config.authBaseUrl, config.realmSlug)));
    m_authApi->setClientInfo(config.applicationId, config.applicationVersion, platform);

    m_accountApi = new ApiClient(m_tokenManager, this);
    m_accountApi->setBaseUrl(QUrl(config.accountApiUrl));
    m_accountApi->setClientInfo(config.applicationId, config.applicationVersion, platform);

    m_syncApi = new ApiClient(m_tokenManager, this);
    m_syncApi->setClientInfo(config.applicationId, config.applicationVersion, platform);

    m_authClient = new AuthClient(config.authBaseUrl, config.realmSlug, config.clientId, m_authApi,
                                  m_tokenManager, this);
    connect(m_authClient, &AuthClient::stateChanged, this, [this](AuthState state) {
        emit authStateChanged(state);
        if (state == AuthState::SignedIn)
            emit claimsUpdated(claims());
    });

    m_accountClient = new AccountClient(m_accountApi, m_authClient, config, this);
}

QString Client::platformText(const QString &platformOverride)
{
    if (!platformOverride.isEmpty())
        return platformOverride;
    const QString kernel = QSysInfo::kernelType().toLower();
    if (kernel == QLatin1String("darwin"))
        return QStringLiteral("macos");
    if (kernel == QLatin1String("winnt"))
        return QStringLiteral("windows");
    return kernel;
}

void Client::initialize()
{
    m_authClient->initialize();
}

bool Client::isAuthenticated() const
{
    return m_authClient->state() == AuthState::SignedIn;
}

TovClaims Client::claims() const
{
    const QString token = m_tokenManager->accessToken();
    return token.isEmpty() ? TovClaims() : TovClaims::fromToken(token);
}

} // namespace BrioAccount
