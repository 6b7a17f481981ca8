#pragma once

#include "Artifact.h"
#include "UpdateConfig.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

namespace BrioUpdate {

class Client;

// What the program does with updates when it starts: it shows what's new once
// per installed version, and a moment later checks for a newer version, which it
// offers unless the user already dismissed that version (or a later one). Where
// the two versions are kept is the application's business; it passes functions
// that read and write them.
class StartupUpdates : public QObject
{
    Q_OBJECT

public:
    struct Storage
    {
        std::function<QString()> dismissedVersion;
        std::function<void(const QString &)> setDismissedVersion;
        std::function<QString()> lastWhatsNewVersion;
        std::function<void(const QString &)> setLastWhatsNewVersion;
    };

    static constexpr int defaultCheckDelayMs = 1500;

    StartupUpdates(UpdateConfig config, QString displayName, Storage storage, QObject *parent = nullptr);

    // Call once the main window is shown: what's new now, the check after the delay.
    void start(QWidget *mainWindow);

    // Tests do not wait the full delay.
    void setCheckDelay(int milliseconds);

    // The start-up check's client, made when the delay has passed; null before.
    Client *client() const { return checker; }

private:
    void showWhatsNewIfDue();
    void check();
    void offer(const Artifact &artifact);

    UpdateConfig config;
    QString displayName;
    Storage storage;
    QPointer<QWidget> mainWindow;
    Client *checker = nullptr;
    int checkDelayMs = defaultCheckDelayMs;
};

} // namespace BrioUpdate
