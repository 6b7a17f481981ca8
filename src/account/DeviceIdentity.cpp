#include "DeviceIdentity.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMessageAuthenticationCode>
#include <QSettings>
#include <QSysInfo>

namespace BrioAccount {

namespace {

bool isValidMachineId(const QByteArray &id)
{
    if (id.size() != 32 || id == QByteArray(32, '0'))
        return false;
    for (char c : id) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

} // namespace

QString deviceName()
{
    return QSysInfo::machineHostName();
}

QString platformName()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("Windows");
#elif defined(Q_OS_LINUX)
    return QStringLiteral("Linux");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("macOS");
#else
    return QSysInfo::kernelType();
#endif
}

QString deviceFingerprint(const QString &applicationId)
{
    return DeviceIdentity::fingerprintFrom(DeviceIdentity::machineGuid(applicationId),
                                           QSysInfo::machineHostName());
}

namespace DeviceIdentity {

QString machineGuid(const QString &applicationId)
{
#if defined(Q_OS_WIN)
    // The registry's text is sent as Windows keeps it.
    Q_UNUSED(applicationId)
    const QSettings registry(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Cryptography"),
                             QSettings::NativeFormat);
    return registry.value(QStringLiteral("MachineGuid")).toString();
#elif defined(Q_OS_LINUX)
    return machineGuidFromIdFiles(defaultMachineIdFiles(), applicationId);
#else
    Q_UNUSED(applicationId)
    return QString();
#endif
}

QStringList defaultMachineIdFiles()
{
    return {QStringLiteral("/etc/machine-id"), QStringLiteral("/var/lib/dbus/machine-id")};
}

QString machineGuidFromIdFiles(const QStringList &paths, const QString &applicationId)
{
    // Keyed per application, so that two programs on one machine cannot be matched by their
    // fingerprints, nor with what other programs derive from the id.
    const QByteArray key = applicationId.toUtf8();
    for (const QString &path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray id = file.read(64).trimmed();
        if (!isValidMachineId(id))
            continue;
        const QByteArray hex =
            QMessageAuthenticationCode::hash(id, key, QCryptographicHash::Sha256).left(16).toHex();
        return QString::fromLatin1(hex.left(8) + '-' + hex.mid(8, 4) + '-' + hex.mid(12, 4) + '-' +
                                   hex.mid(16, 4) + '-' + hex.mid(20, 12));
    }
    return QString();
}

QString fingerprintFrom(const QString &machineGuid, const QString &hostName)
{
    if (!machineGuid.isEmpty())
        return machineGuid;
    const QByteArray digest = QCryptographicHash::hash(hostName.toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(digest.toHex().left(32));
}

} // namespace DeviceIdentity

} // namespace BrioAccount
