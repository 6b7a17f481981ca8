#include "UpdateClient.h"

#include "Logging.h"
#include "Manifest.h"
#include "UpdateRequest.h"
#include "UrlSafety.h"
#include "Version.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSysInfo>
#include <QTimer>

namespace BrioUpdate {

Q_LOGGING_CATEGORY(lcClient, "brioupdate.client")

namespace {

QUrl manifestUrl(const QUrl &base)
{
    QUrl url = base;
    QString path = base.path(QUrl::FullyDecoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    url.setPath(path + QStringLiteral("latest.json"), QUrl::DecodedMode);
    return url;
}

} // namespace

Client::Client(UpdateConfig config, QObject *parent)
    : QObject(parent)
    , config(std::move(config))
    , network(new QNetworkAccessManager(this))
    , transferTimeoutMs(defaultTransferTimeoutMs)
    , cpuArchitecture(QSysInfo::currentCpuArchitecture())
{
    connect(network, &QNetworkAccessManager::finished, this, &Client::onManifestReply);
}

void Client::setTransferTimeout(int milliseconds)
{
    transferTimeoutMs = milliseconds;
}

void Client::setRequestDeadline(int milliseconds)
{
    requestDeadlineMs = milliseconds;
}

void Client::setCpuArchitectureForTesting(const QString &architecture)
{
    cpuArchitecture = architecture;
}

QString Client::platformKeyFor(const QString &cpuArchitecture)
{
    return cpuArchitecture == QLatin1String("x86_64") ? QStringLiteral("windows-x64") : QString();
}

void Client::check()
{
    if (inFlight) {
        qCDebug(lcClient) << "check already in flight, ignoring";
        return;
    }
    // The manifest decides what the browser is later sent to, so it is only
    // fetched from a real web server, never from a file or another scheme.
    if (!isWebUrl(config.manifestBaseUrl)) {
        Q_EMIT checkFailed(QStringLiteral("manifestBaseUrl is not valid"));
        return;
    }
    if (config.currentVersion.isEmpty()) {
        Q_EMIT checkFailed(QStringLiteral("currentVersion is empty"));
        return;
    }

    inFlight = true;
    refusal.clear();
    guardReply(
        network->get(buildRequest(manifestUrl(config.manifestBaseUrl), config.appId, transferTimeoutMs)));
}

void Client::guardReply(QNetworkReply *reply)
{
    auto refuse = [this, reply](const QString &reason) {
        if (!refusal.isEmpty() || reply->isFinished())
            return;
        refusal = reason;
        reply->abort();
    };
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    const int deadlineMs = requestDeadlineMs;
    connect(deadline, &QTimer::timeout, reply, [refuse, deadlineMs] {
        refuse(QStringLiteral("no complete manifest from the update server within %1 seconds")
                   .arg(deadlineMs / 1000.0));
    });
    deadline->start(deadlineMs);

    // Nothing is read before the reply is complete: what is buffered is the whole body so far.
    const QString tooLarge = QStringLiteral("manifest larger than %1 bytes").arg(maxManifestBytes);
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, refuse, tooLarge] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > maxManifestBytes)
            refuse(tooLarge);
    });
    connect(reply, &QNetworkReply::readyRead, reply, [reply, refuse, tooLarge] {
        if (reply->bytesAvailable() > maxManifestBytes)
            refuse(tooLarge);
    });
}

void Client::onManifestReply(QNetworkReply *reply)
{
    reply->deleteLater();
    inFlight = false;

    if (!refusal.isEmpty()) {
        Q_EMIT checkFailed(QStringLiteral("network error: %1").arg(refusal));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() == QNetworkReply::ContentNotFoundError || status == 404) {
            qCInfo(lcClient) << "manifest 404, treating as up-to-date";
            Q_EMIT upToDate();
            return;
        }
        // Our own aborts are answered above, so a cancelled one is the transfer
        // time-out, which Qt only calls "Operation canceled".
        const QString detail = reply->error() == QNetworkReply::OperationCanceledError
                                   ? QStringLiteral("no answer from the update server within %1 seconds")
                                         .arg(transferTimeoutMs / 1000.0)
                                   : reply->errorString();
        Q_EMIT checkFailed(QStringLiteral("network error: %1").arg(detail));
        return;
    }
    evaluate(reply->readAll());
}

void Client::evaluate(const QByteArray &body)
{
    QString error;
    const Manifest manifest = Manifest::parse(body, &error);
    // A manifest that stopped at a broken artifact may still hold others, but
    // the server published something wrong: saying "up to date" would hide it.
    if (!manifest.isValid() || !error.isEmpty()) {
        Q_EMIT checkFailed(QStringLiteral("manifest invalid: %1").arg(error));
        return;
    }

    const QString key = platformKeyFor(cpuArchitecture);
    if (key.isEmpty()) {
        qCWarning(lcClient) << "unknown platform, skipping update check";
        Q_EMIT upToDate();
        return;
    }
    const Artifact *artifact = manifest.artifactFor(key);
    if (!artifact) {
        qCInfo(lcClient) << "platform" << key << "not shipped in current manifest";
        Q_EMIT upToDate();
        return;
    }

    const Version current = Version::parse(config.currentVersion);
    if (!(current < Version::parse(artifact->version))) {
        Q_EMIT upToDate();
        return;
    }
    if (!artifact->minUpgradableFrom.isEmpty() && current < Version::parse(artifact->minUpgradableFrom)) {
        Q_EMIT checkFailed(QStringLiteral("current version %1 is older than min_upgradable_from %2; please "
                                          "upgrade to an intermediate release first")
                               .arg(config.currentVersion, artifact->minUpgradableFrom));
        return;
    }
    Q_EMIT updateAvailable(*artifact);
}

} // namespace BrioUpdate
