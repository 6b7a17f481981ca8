#pragma once

#include "Artifact.h"
#include "UpdateConfig.h"

#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

namespace BrioUpdate {

// BrioUpdate::Client (its file is named apart so that it does not shadow the
// account library's Client.h on a shared include path).
// Asks the update server whether a newer build exists for this platform. Every
// check() ends in exactly one of the three signals, later, from the event loop
// (a bad configuration fails at once, inside check()). Shows nothing itself.
class Client : public QObject
{
    Q_OBJECT

public:
    explicit Client(UpdateConfig config, QObject *parent = nullptr);

    void check();

    // The manifest is small; a larger reply is refused as it arrives.
    static constexpr qint64 maxManifestBytes = 1024 * 1024;
    static constexpr int defaultRequestDeadlineMs = 30000;

    // Tests shorten the time a silent server is waited for.
    void setTransferTimeout(int milliseconds);
    // The whole manifest must have arrived within this time, however steadily bytes come.
    void setRequestDeadline(int milliseconds);
    // Tests stand in for another processor; the default is the running one.
    void setCpuArchitectureForTesting(const QString &architecture);

    // The manifest's key for a processor: "windows-x64" for x86_64, else empty.
    static QString platformKeyFor(const QString &cpuArchitecture);

Q_SIGNALS:
    void updateAvailable(BrioUpdate::Artifact artifact);
    void upToDate();
    void checkFailed(QString reason);

private:
    void onManifestReply(QNetworkReply *reply);
    void guardReply(QNetworkReply *reply);
    void evaluate(const QByteArray &body);

    UpdateConfig config;
    QNetworkAccessManager *network = nullptr;
    bool inFlight = false;
    int transferTimeoutMs;
    int requestDeadlineMs = defaultRequestDeadlineMs;
    QString refusal; // why the reply in flight was given up, else empty
    QString cpuArchitecture;
};

} // namespace BrioUpdate
