#include "CredentialManagerTokenStore.h"

#include "CredentialVault.h"

namespace BrioAccount {

CredentialManagerTokenStore::CredentialManagerTokenStore(const QString &serviceName)
    : m_serviceName(serviceName)
{
}

std::unique_ptr<TokenStore> CredentialManagerTokenStore::create(const QString &serviceName)
{
    return std::unique_ptr<TokenStore>(new CredentialManagerTokenStore(serviceName));
}

QString CredentialManagerTokenStore::targetName(const QString &key) const
{
    return QStringLiteral("Tallowmere/%1/%2").arg(m_serviceName, key);
}

std::optional<QString> CredentialManagerTokenStore::read(const QString &key)
{
    const std::optional<QByteArray> bytes = CredentialVault::read(targetName(key));
    if (!bytes)
        return std::nullopt;
    return QString::fromUtf8(*bytes);
}

bool CredentialManagerTokenStore::write(const QString &key, const QString &value)
{
    return CredentialVault::write(targetName(key), value.toUtf8());
}

bool CredentialManagerTokenStore::remove(const QString &key)
{
    return CredentialVault::remove(targetName(key));
}

void CredentialManagerTokenStore::clear()
{
    remove(QLatin1String(AccessTokenKey));
    remove(QLatin1String(RefreshTokenKey));
}

} // namespace BrioAccount
