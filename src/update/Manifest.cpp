#include "Manifest.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QStringList>
#include <cmath>

namespace BrioUpdate {

namespace {

void setError(QString *error, const QString &text)
{
    if (error && error->isEmpty())
        *error = text;
}

// A JSON number becomes a byte count only when it is finite and fits in 64 bits;
// anything else reads -1, which validation rejects, instead of an undefined cast.
qint64 readSize(const QJsonValue &value)
{
    const double number = value.toDouble(-1.0);
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (!std::isfinite(number) || number >= limit || number < -limit)
        return -1;
    return static_cast<qint64>(std::trunc(number));
}

bool isSoundArtifact(const Artifact &artifact)
{
    return !artifact.version.isEmpty() && artifact.releasedAt.isValid() && artifact.url.isValid() &&
           artifact.size >= 1 && artifact.sha256.size() == 64;
}

} // namespace

QString requireString(const QJsonObject &object, const QString &key, QString *error)
{
    const QJsonValue value = object.value(key);
    if (!value.isString()) {
        setError(error, QStringLiteral("missing or non-string field: %1").arg(key));
        return {};
    }
    return value.toString();
}

Artifact parseArtifact(const QJsonObject &object, const QString &key, QString *error)
{
    // Reading goes through a local error text so that a missing field is told
    // apart from a failed check even when the caller passes no error pointer.
    QString localError;
    Artifact artifact;
    artifact.version = requireString(object, QStringLiteral("version"), &localError);
    artifact.releasedAt =
        QDateTime::fromString(requireString(object, QStringLiteral("released_at"), &localError), Qt::ISODate);
    artifact.url = QUrl(requireString(object, QStringLiteral("url"), &localError), QUrl::TolerantMode);
    artifact.size = readSize(object.value(QStringLiteral("size")));
    artifact.sha256 = requireString(object, QStringLiteral("sha256"), &localError);
    artifact.mandatory = object.value(QStringLiteral("mandatory")).toBool(false);
    artifact.minUpgradableFrom = object.value(QStringLiteral("min_upgradable_from")).toString();
    const QString notes = object.value(QStringLiteral("release_notes_url")).toString();
    if (!notes.isEmpty())
        artifact.releaseNotesUrl = QUrl(notes, QUrl::TolerantMode);

    if (localError.isEmpty() && !isSoundArtifact(artifact))
        localError = QStringLiteral("artifact %1 failed validation").arg(key);
    if (!localError.isEmpty())
        setError(error, localError);
    return artifact;
}

Manifest Manifest::parse(const QByteArray &body, QString *error)
{
    if (error)
        error->clear();
    // The checks below run on a text of our own, so that a caller without an
    // error pointer never gets an unchecked artifact.
    QString failure;
    Manifest manifest;
    const auto finish = [&]() {
        if (error)
            *error = failure;
        return manifest;
    };

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        failure = QStringLiteral("JSON parse error: %1").arg(parseError.errorString());
        return finish();
    }
    if (!document.isObject()) {
        failure = QStringLiteral("manifest root is not a JSON object");
        return finish();
    }
    const QJsonObject root = document.object();

    const QJsonValue schema = root.value(QStringLiteral("schema"));
    if (!schema.isDouble()) {
        failure = QStringLiteral("missing or non-integer field: schema");
        return finish();
    }
    manifest.schema = schema.toInt(0);
    if (manifest.schema != 1) {
        failure = QStringLiteral("unsupported manifest schema: %1 (expected %2)").arg(manifest.schema).arg(1);
        return finish();
    }

    manifest.app = requireString(root, QStringLiteral("app"), &failure);
    manifest.channel = requireString(root, QStringLiteral("channel"), &failure);
    if (!failure.isEmpty())
        return finish();

    const QJsonValue artifacts = root.value(QStringLiteral("artifacts"));
    if (!artifacts.isObject()) {
        failure = QStringLiteral("missing or non-object field: artifacts");
        return finish();
    }
    const QJsonObject artifactObjects = artifacts.toObject();
    const QStringList keys = artifactObjects.keys(); // ascending
    for (const QString &key : keys) {
        const QJsonValue value = artifactObjects.value(key);
        if (!value.isObject()) {
            failure = QStringLiteral("artifact %1 is not an object").arg(key);
            return finish();
        }
        const Artifact artifact = parseArtifact(value.toObject(), key, &failure);
        if (!failure.isEmpty())
            return finish();
        manifest.artifacts.insert(key, artifact);
    }

    if (!manifest.isValid())
        failure = QStringLiteral("manifest failed validation");
    return finish();
}

bool Manifest::isValid() const
{
    return schema == 1 && !app.isEmpty() && !channel.isEmpty() && !artifacts.isEmpty();
}

const Artifact *Manifest::artifactFor(const QString &platformKey) const
{
    const auto it = artifacts.constFind(platformKey);
    return it == artifacts.constEnd() ? nullptr : &it.value();
}

} // namespace BrioUpdate
