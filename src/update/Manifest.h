#pragma once

#include "Artifact.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QString>

namespace BrioUpdate {

// "latest.json" of one product and channel (schema 1): the newest artifact per
// platform key such as "windows-x64".
struct Manifest
{
    int schema = 0;
    QString app;
    QString channel;
    QHash<QString, Artifact> artifacts;

    // Reads as far as the first error, whose text goes to *error (cleared first;
    // the pointer may be null). Returns what was read up to there.
    static Manifest parse(const QByteArray &body, QString *error = nullptr);

    bool isValid() const;

    // Null when the manifest has nothing for that platform.
    const Artifact *artifactFor(const QString &platformKey) const;
};

// Reads one artifact object and returns it whatever it holds; the first missing
// field or failed check is written to *error (when given and still empty).
Artifact parseArtifact(const QJsonObject &object, const QString &key, QString *error);

// The member's text when it is a JSON string; otherwise empty, with the error
// "missing or non-string field: <key>" when error is given and still empty.
QString requireString(const QJsonObject &object, const QString &key, QString *error);

} // namespace BrioUpdate
