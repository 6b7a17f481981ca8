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

void StartupUpdates::offer(const Artifact &artifact)
{
    const QString dismissed = storage.dismissedVersion ? storage.dismissedVersion() : QString();
    if (isDismissed(artifact.version, dismissed) || !mainWindow)
        return;

    auto *dialog = new UpdateDialog(artifact, config.currentVersion, displayName, mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Whatever closed the dialog, this version has been offered once at start-up.
    const QString offered = artifact.version;
    const auto remember = storage.setDismissedVersion;
    connect(dialog, &QDialog::finished, dialog, [remember, offered]() {
        if (remember)
            remember(offered);
    });
    dialog->show();
}

} // namespace BrioUpdate
