#include "DeviceIdentity.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMessageAuthenticationCode>
#include <QSettings>
#include <QSysInfo>

namespace BrioAccount {

namespace {

// Keys the machine-id hash to this library, so the id cannot be matched with what other
// programs derive from it.
constexpr char MachineIdKey[] = "Tallowmere account device fingerprint";

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

QString deviceFingerprint()
{
    return DeviceIdentity::fingerprintFrom(DeviceIdentity::machineGuid(), QSysInfo::machineHostName());
}

namespace DeviceIdentity {

QString machineGuid()
{
#if defined(Q_OS_WIN)
    const QSettings registry(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Cryptography"),
                             QSettings::NativeFormat);
    return registry.value(QStringLiteral("MachineGuid")).toString();
#elif defined(Q_OS_LINUX)
    return machineGuidFromIdFiles(defaultMachineIdFiles());
#else
    return QString();
#endif
}

QStringList defaultMachineIdFiles()
{
    return {QStringLiteral("/etc/machine-id"), QStringLiteral("/var/lib/dbus/machine-id")};
}

QString machineGuidFromIdFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray id = file.read(64).trimmed();
        if (!isValidMachineId(id))
            continue;
        const QByteArray hex =
            QMessageAuthenticationCode::hash(id, QByteArray(MachineIdKey), QCryptographicHash::Sha256)
                .left(16)
                .toHex();
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
