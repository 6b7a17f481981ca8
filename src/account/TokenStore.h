#pragma once

#include <QString>

#include <optional>

namespace BrioAccount {

inline constexpr char AccessTokenKey[] = "tallowmere_access_token";
inline constexpr char RefreshTokenKey[] = "tallowmere_refresh_token";

// Persistent store of named secrets.
class TokenStore
{
public:
    virtual ~TokenStore() = default;
    // The stored value; no value when nothing is stored under the key or the store cannot be read.
    virtual std::optional<QString> read(const QString &key) = 0;
    virtual bool write(const QString &key, const QString &value) = 0;
    // True when something was removed.
    virtual bool remove(const QString &key) = 0;
    // Removes both token keys.
    virtual void clear() = 0;
};

} // namespace BrioAccount
