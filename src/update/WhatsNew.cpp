#include "WhatsNew.h"

#include "ReleaseNotesFetcher.h"
#include "UpdateClient.h"
#include "UrlSafety.h"
#include "WhatsNewDialog.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace BrioUpdate {

namespace {

void showDialog(const QString &markdown, const QString &notesVersion, const QString &runningVersion,
                const QString &displayName, const QPointer<QWidget> &parent, const QUrl &downloadUrl)
{
    if (!parent)
        return;
    auto *dialog =
        new WhatsNewDialog(markdown, notesVersion, runningVersion, displayName, parent, downloadUrl);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void noNotesText(const StatusHooks &hooks, const QString &displayName, const QString &version)
{
    hooks.idle();
    hooks.message(QObject::tr("No release notes available for %1 %2").arg(displayName, version), 5000);
}

// The Help menu's second try: the notes of a newer version, if a check finds one.
void showNewerVersionNotes(const UpdateConfig &config, const QString &displayName,
                           const QPointer<QWidget> &parent, const StatusHooks &hooks)
{
    auto *client = new Client(config, QCoreApplication::instance());
    const QString currentVersion = config.currentVersion;
    const QString tag = config.appId;

    QObject::connect(client, &Client::updateAvailable, client,
                     [client, currentVersion, tag, displayName, parent, hooks](const Artifact &artifact) {
                         if (!isWebUrl(artifact.releaseNotesUrl)) {
                             noNotesText(hooks, displayName, currentVersion);
                             client->deleteLater();
                             return;
                         }
                         auto *fetcher = new ReleaseNotesFetcher(artifact.releaseNotesUrl, tag,
                                                                 QCoreApplication::instance());
                         QObject::connect(fetcher, &ReleaseNotesFetcher::notesReady, fetcher,
                                          [fetcher, client, artifact, currentVersion, displayName, parent,
                                           hooks](const QString &markdown) {
                                              hooks.idle();
                                              showDialog(markdown, artifact.version, currentVersion,
                                                         displayName, parent, artifact.url);
                                              fetcher->deleteLater();
                                              client->deleteLater();
                                          });
                         QObject::connect(fetcher, &ReleaseNotesFetcher::notesUnavailable, fetcher,
                                          [fetcher, client, currentVersion, displayName, hooks]() {
                                              noNotesText(hooks, displayName, currentVersion);
                                              fetcher->deleteLater();
                                              client->deleteLater();
                                          });
                         fetcher->fetch();
                     });
    // A failed check is not reported as such: the question was about notes.
    const auto nothingNewer = [client, currentVersion, displayName, hooks]() {
        noNotesText(hooks, displayName, currentVersion);
        client->deleteLater();
    };
    QObject::connect(client, &Client::upToDate, client, nothingNewer);
    QObject::connect(client, &Client::checkFailed, client, nothingNewer);
    client->check();
}

} // namespace

void showWhatsNewAfterUpgrade(const UpdateConfig &config, const QString &displayName, QWidget *parent)
{
    auto *fetcher = new ReleaseNotesFetcher(config, QCoreApplication::instance());
    const QPointer<QWidget> guard(parent);
    const QString currentVersion = config.currentVersion;

    QObject::connect(fetcher, &ReleaseNotesFetcher::notesReady, fetcher,
                     [fetcher, guard, currentVersion, displayName](const QString &markdown) {
                         showDialog(markdown, currentVersion, currentVersion, displayName, guard, QUrl());
                         fetcher->deleteLater();
                     });
    QObject::connect(fetcher, &ReleaseNotesFetcher::notesUnavailable, fetcher,
                     [fetcher]() { fetcher->deleteLater(); });
    fetcher->fetch();
}

void showWhatsNew(const UpdateConfig &config, const QString &displayName, QWidget *parent,
                  const StatusHooks &hooks)
{
    const QPointer<QWidget> guard(parent);
    hooks.activity(QObject::tr("Loading release notes…"));

    auto *fetcher = new ReleaseNotesFetcher(config, QCoreApplication::instance());
    const QString currentVersion = config.currentVersion;
    QObject::connect(fetcher, &ReleaseNotesFetcher::notesReady, fetcher,
                     [fetcher, guard, currentVersion, displayName, hooks](const QString &markdown) {
                         hooks.idle();
                         showDialog(markdown, currentVersion, currentVersion, displayName, guard, QUrl());
                         fetcher->deleteLater();
                     });
    QObject::connect(fetcher, &ReleaseNotesFetcher::notesUnavailable, fetcher,
                     [fetcher, config, displayName, guard, hooks]() {
                         fetcher->deleteLater();
                         showNewerVersionNotes(config, displayName, guard, hooks);
                     });
    fetcher->fetch();
}

} // namespace BrioUpdate
