#include "TokenPayload.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QStringList>

#include <cmath>

namespace BrioAccount::TokenPayload {

namespace {

// Well past any real expiry; larger values would overflow the arithmetic on seconds.
constexpr double LargestExpiry = 4.0e15;

} // namespace

QJsonObject decode(const QString &token)
{
    const QStringList parts = token.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() < 2)
        return QJsonObject();
    const auto decoded = QByteArray::fromBase64Encoding(
        parts.at(1).toUtf8(), QByteArray::Base64UrlEncoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return QJsonObject();
    const QJsonDocument document = QJsonDocument::fromJson(*decoded);
    return document.isObject() ? document.object() : QJsonObject();
}

qint64 expiry(const QJsonObject &payload)
{
    const QJsonValue value = payload.value(QLatin1String("exp"));
    if (!value.isDouble())
        return 0;
    const double seconds = std::floor(value.toDouble());
    if (!std::isfinite(seconds) || seconds <= 0 || seconds > LargestExpiry)
        return 0;
    return qint64(seconds);
}

QString subject(const QJsonObject &payload)
{
    return payload.value(QLatin1String("sub")).toString();
}

} // namespace BrioAccount::TokenPayload
