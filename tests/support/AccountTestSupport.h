#pragma once

// Small helpers for tests that talk to the account library: tokens made to measure and a
// token store in memory that records what was written.
#include "ClientConfig.h"
#include "TokenStore.h"

#include <QDateTime>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QUrl>

#include <memory>

namespace AccountTest {

// A JSON Web Token with the given payload, unpadded base64url like real issuers send.
inline QString makeJwt(const QJsonObject &payload, bool padded = false)
{
    const QByteArray header = QByteArray(R"({"alg":"HS256","typ":"JWT"})")
                                  .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    QByteArray::Base64Options encoding = QByteArray::Base64UrlEncoding;
    if (!padded)
        encoding |= QByteArray::OmitTrailingEquals;
    const QByteArray body = QJsonDocument(payload).toJson(QJsonDocument::Compact).toBase64(encoding);
    return QString::fromLatin1(header + '.' + body + ".c2lnbmF0dXJl");
}

inline QString tokenExpiringAt(qint64 exp, QJsonObject payload = QJsonObject())
{
    payload.insert(QStringLiteral("exp"), exp);
    if (!payload.contains(QStringLiteral("sub")))
        payload.insert(QStringLiteral("sub"), QStringLiteral("user-1"));
    return makeJwt(payload);
}

// A token valid for an hour from the real clock.
inline QString freshToken(QJsonObject payload = QJsonObject())
{
    return tokenExpiringAt(QDateTime::currentSecsSinceEpoch() + 3600, payload);
}

// A token that expired a minute ago on the real clock.
inline QString expiredToken(QJsonObject payload = QJsonObject())
{
    return tokenExpiringAt(QDateTime::currentSecsSinceEpoch() - 60, payload);
}

// The application's configuration, pointed at fake services.
inline BrioAccount::ClientConfig testConfig(const QUrl &authBase, const QUrl &accountApi)
{
    BrioAccount::ClientConfig config;
    config.authBaseUrl = authBase.toString();
    config.realmSlug = QStringLiteral("tallowmere");
    config.accountApiUrl = accountApi.toString();
    config.clientId = QStringLiteral("client");
    config.applicationId = QStringLiteral("com.tallowmerelabs.tallyfern");
    config.applicationName = QStringLiteral("Tallowmere Tallyfern");
    config.applicationVersion = QStringLiteral("1.1.6");
    config.accountPortalUrl = QStringLiteral("https://portal.example.test");
    return config;
}

class MemoryTokenStore : public BrioAccount::TokenStore
{
public:
    struct Shared
    {
        QHash<QString, QString> values;
        QStringList log; // "write key=value", "remove key", "clear"
    };

    explicit MemoryTokenStore(std::shared_ptr<Shared> shared)
        : m_shared(std::move(shared))
    {
    }

    std::optional<QString> read(const QString &key) override
    {
        if (!m_shared->values.contains(key))
            return std::nullopt;
        return m_shared->values.value(key);
    }
    bool write(const QString &key, const QString &value) override
    {
        m_shared->log.append(QStringLiteral("write %1=%2").arg(key, value));
        m_shared->values.insert(key, value);
        return true;
    }
    bool remove(const QString &key) override
    {
        m_shared->log.append(QStringLiteral("remove ") + key);
        return m_shared->values.remove(key) > 0;
    }
    void clear() override
    {
        m_shared->log.append(QStringLiteral("clear"));
        m_shared->values.remove(QLatin1String(BrioAccount::AccessTokenKey));
        m_shared->values.remove(QLatin1String(BrioAccount::RefreshTokenKey));
    }

private:
    std::shared_ptr<Shared> m_shared;
};

} // namespace AccountTest
