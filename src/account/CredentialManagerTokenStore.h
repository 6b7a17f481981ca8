#pragma once

#include "TokenStore.h"

#include <memory>

namespace BrioAccount {

// The token store on the platform's credential storage: one entry per key under the target
// name "Tallowmere/<service name>/<key>", holding the value's UTF-8 bytes.
class CredentialManagerTokenStore : public TokenStore
{
public:
    static std::unique_ptr<TokenStore> create(const QString &serviceName);

    std::optional<QString> read(const QString &key) override;
    bool write(const QString &key, const QString &value) override;
    bool remove(const QString &key) override;
    void clear() override;

    QString targetName(const QString &key) const;

private:
    explicit CredentialManagerTokenStore(const QString &serviceName);

    QString m_serviceName;
};

} // namespace BrioAccount
