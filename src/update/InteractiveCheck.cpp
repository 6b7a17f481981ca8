#include "InteractiveCheck.h"

#include "UpdateClient.h"
#include "UpdateDialog.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace BrioUpdate {

void checkForUpdatesInteractive(const UpdateConfig &config, const QString &displayName, QWidget *parent,
                                const StatusHooks &hooks)
{
    // The client and the lambdas outlive this call and possibly the window:
    // they hold copies of the configuration and hooks and a guarded parent.
    auto *client = new Client(config, QCoreApplication::instance());
    const QPointer<QWidget> guard(parent);
    const QString currentVersion = config.currentVersion;

    hooks.activity(QObject::tr("Checking for updates…"));

    QObject::connect(client, &Client::updateAvailable, client,
                     [client, guard, currentVersion, displayName, hooks](const Artifact &artifact) {
                         hooks.idle();
                         if (guard) {
                             auto *dialog = new UpdateDialog(artifact, currentVersion, displayName, guard);
                             dialog->setAttribute(Qt::WA_DeleteOnClose);
                             dialog->show();
                         }
                         client->deleteLater();
                     });
    QObject::connect(client, &Client::upToDate, client, [client, currentVersion, displayName, hooks]() {
        hooks.idle();
        hooks.message(QObject::tr("%1 is up to date (version %2)").arg(displayName, currentVersion), 5000);
        client->deleteLater();
    });
    QObject::connect(client, &Client::checkFailed, client, [client, hooks](const QString &reason) {
        hooks.idle();
        hooks.message(QObject::tr("Update check failed: %1").arg(reason), 5000);
        client->deleteLater();
    });

    client->check();
}

} // namespace BrioUpdate
