#pragma once

#include <QJsonObject>
#include <QString>

// Reading the payload of a JSON Web Token. The signature is not verified: the library only
// needs the expiry to decide when to refresh, and the server checks every token it receives.
namespace BrioAccount::TokenPayload {

// The payload object; empty when the token has fewer than two dot-separated parts, the
// second part is not base64url (padded or not) or it is not a JSON object.
QJsonObject decode(const QString &token);
// "exp" in whole seconds since the epoch, a fraction cut off; 0 when absent, not a number,
// not positive or out of range.
qint64 expiry(const QJsonObject &payload);
// "sub" as text; empty when absent.
QString subject(const QJsonObject &payload);

} // namespace BrioAccount::TokenPayload
