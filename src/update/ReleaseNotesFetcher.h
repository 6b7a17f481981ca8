#pragma once

#include "UpdateConfig.h"

#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace BrioUpdate {

// Downloads the markdown release notes of one version, trying the translation
// for the system language first ("release-notes.de.md") and the default file
// after it. fetch() ends in exactly one signal, later, from the event loop. The
// fetcher never deletes itself.
class ReleaseNotesFetcher : public QObject
{
    Q_OBJECT

public:
    // Notes of the running version, beside the channel directory on the server.
    ReleaseNotesFetcher(const UpdateConfig &config, QObject *parent = nullptr);
    // Notes at a given address, such as an artifact's release-notes URL.
    ReleaseNotesFetcher(const QUrl &notesUrl, const QString &userAgentTag, QObject *parent = nullptr);

    void fetch();

    void setTransferTimeout(int milliseconds);

    QUrl defaultUrl() const { return notesUrl; }
    // Empty when no translation is to be tried (English or unknown language).
    QUrl localizedUrl() const { return localizedNotesUrl; }

    static QUrl notesUrlFor(const UpdateConfig &config);
    static QUrl localizedUrlFor(const QUrl &notesUrl, const QString &localeName);

Q_SIGNALS:
    void notesReady(QString markdown);
    void notesUnavailable();

private:
    void get(const QUrl &url, void (ReleaseNotesFetcher::*handler)(QNetworkReply *));
    void onLocalizedReply(QNetworkReply *reply);
    void onDefaultReply(QNetworkReply *reply);

    QString userAgentTag;
    QNetworkAccessManager *network = nullptr;
    QUrl notesUrl;
    QUrl localizedNotesUrl;
    int transferTimeoutMs;
};

} // namespace BrioUpdate
