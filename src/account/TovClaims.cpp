#include "TovClaims.h"

#include "TokenPayload.h"

namespace BrioAccount {

TovClaims TovClaims::fromToken(const QString &accessToken)
{
    TovClaims claims;
    const QJsonObject tov = TokenPayload::decode(accessToken)
                                .value(QLatin1String("custom"))
                                .toObject()
                                .value(QLatin1String("tov"))
                                .toObject();
    if (tov.isEmpty())
        return claims;
    claims.groupId = tov.value(QLatin1String("group_id")).toString();
    claims.role = tov.value(QLatin1String("role")).toString();
    return claims;
}

} // namespace BrioAccount
