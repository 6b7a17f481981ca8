#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

// Manifest bodies as the update server would publish them, for the tests.
namespace ManifestSamples {

inline QString sha256()
{
    return QString(64, QLatin1Char('a'));
}

inline QJsonObject
artifact(const QString &version,
         const QString &url = QStringLiteral("https://dl.example.test/tallyfern-setup.exe"))
{
    return QJsonObject{
        {QStringLiteral("version"), version},
        {QStringLiteral("released_at"), QStringLiteral("2026-03-01T12:00:00Z")},
        {QStringLiteral("url"), url},
        {QStringLiteral("size"), 1048576},
        {QStringLiteral("sha256"), sha256()},
    };
}

inline QJsonObject manifest(const QJsonObject &artifacts)
{
    return QJsonObject{
        {QStringLiteral("schema"), 1},
        {QStringLiteral("app"), QStringLiteral("tallyfern")},
        {QStringLiteral("channel"), QStringLiteral("stable")},
        {QStringLiteral("artifacts"), artifacts},
    };
}

inline QJsonObject manifestFor(const QJsonObject &windowsArtifact)
{
    return manifest(QJsonObject{{QStringLiteral("windows-x64"), windowsArtifact}});
}

inline QByteArray bytes(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace ManifestSamples
