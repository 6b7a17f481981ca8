#pragma once

#include <QMetaType>
#include <QString>

namespace BrioAccount {

// The library's own claims of an access token ("custom" → "tov").
struct TovClaims
{
    QString groupId; // "group_id"
    QString role;    // "role"

    bool isOwner() const { return role == QLatin1String("owner"); }

    static TovClaims fromToken(const QString &accessToken);
};

} // namespace BrioAccount

Q_DECLARE_METATYPE(BrioAccount::TovClaims)
