#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QUrl>

namespace BrioUpdate {

// The newest build for one platform, as the manifest lists it. Size and digest
// only take part in validating the manifest: the browser does the download.
struct Artifact
{
    QString version;
    QDateTime releasedAt;
    QUrl url;
    qint64 size = 0;
    QString sha256;
    bool mandatory = false;
    QString minUpgradableFrom;
    QUrl releaseNotesUrl;
};

} // namespace BrioUpdate

Q_DECLARE_METATYPE(BrioUpdate::Artifact)
