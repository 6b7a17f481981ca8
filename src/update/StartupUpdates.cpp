#include "StartupUpdates.h"

#include "UpdateClient.h"
#include "UpdateDialog.h"
#include "Version.h"
#include "WhatsNew.h"

#include <QDebug>
#include <QTimer>

namespace BrioUpdate {

StartupUpdates::StartupUpdates(UpdateConfig config, QString displayName, Storage storage, QObject *parent)
    : QObject(parent)
    , config(std::move(config))
    , displayName(std::move(displayName))
    , storage(std::move(storage))
{
}

void StartupUpdates::setCheckDelay(int milliseconds)
{
    checkDelayMs = milliseconds;
}

void StartupUpdates::start(QWidget *window)
{
    mainWindow = window;
    showWhatsNewIfDue();
    QTimer::singleShot(checkDelayMs, this, &StartupUpdates::check);
}

void StartupUpdates::showWhatsNewIfDue()
{
    const QString lastShown = storage.lastWhatsNewVersion ? storage.lastWhatsNewVersion() : QString();
    if (!isWhatsNewDue(lastShown, config.currentVersion))
        return;
    // Stored before the notes are asked for: a version without notes on the
    // server is not asked about again at every start.
    if (storage.setLastWhatsNewVersion)
        storage.setLastWhatsNewVersion(config.currentVersion);
    showWhatsNewAfterUpgrade(config, displayName, mainWindow);
}

void StartupUpdates::check()
{
    if (checker)
        return;
    checker = new Client(config, this);
    connect(checker, &Client::updateAvailable, this, &StartupUpdates::offer);
    connect(checker, &Client::checkFailed, this,
            [](const QString &reason) { qWarning() << "update check failed:" << reason; });
    checker->check();
}

namespace {

// Past this no real release goes: a version up there came from a broken or
// hostile manifest, and remembering it would silence every later offer.
bool isPlausibleRelease(const Version &version)
{
    constexpr int Largest = 999;
    return version.major <= Largest && version.minor <= Largest && version.patch <= Largest;
}

} // namespace

void StartupUpdates::offer(const Artifact &artifact)
{
    QString dismissed = storage.dismissedVersion ? storage.dismissedVersion() : QString();
    // The server now offers less than what was dismissed: the stored version
    // was never a real release, so it no longer holds anything back.
    if (!dismissed.isEmpty() && Version::parse(artifact.version) < Version::parse(dismissed)) {
        if (storage.setDismissedVersion)
            storage.setDismissedVersion(QString());
        dismissed.clear();
    }
    if (isDismissed(artifact.version, dismissed) || !mainWindow)
        return;

    auto *dialog = new UpdateDialog(artifact, config.currentVersion, displayName, mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Whatever closed the dialog, this version has been offered once at start-up.
    const QString offered = artifact.version;
    const auto remember = storage.setDismissedVersion;
    const bool plausible = isPlausibleRelease(Version::parse(offered));
    connect(dialog, &QDialog::finished, dialog, [remember, offered, plausible]() {
        if (remember && plausible)
            remember(offered);
    });
    dialog->show();
}

} // namespace BrioUpdate
