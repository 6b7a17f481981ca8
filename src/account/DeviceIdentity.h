#pragma once

#include <QString>
#include <QStringList>

// How this computer names itself when it registers with the account service. Computed afresh
// at every call; nothing is stored.
namespace BrioAccount {

// The machine's host name.
QString deviceName();
// The operating system: "Windows", "Linux", "macOS"; otherwise the kernel type.
QString platformName();
// The machine GUID when there is one, else 32 lower-case hex digits derived from the host name.
// The application id keys the GUID where it is derived (Linux), so two programs on one machine
// do not give the same fingerprint.
QString deviceFingerprint(const QString &applicationId);

namespace DeviceIdentity {

// The machine's GUID text; empty when the machine has none that can be read. On Windows the
// registry's MachineGuid, unchanged; on Linux a GUID-shaped HMAC-SHA256 of the machine id keyed
// with the application id, since the raw id must not leave the machine.
QString machineGuid(const QString &applicationId);
// The Linux source files, in order of preference.
QStringList defaultMachineIdFiles();
// The GUID from the first of the files that holds a valid machine id (32 lower-case hex
// digits, not all zeros), keyed with the application id; empty when none does.
QString machineGuidFromIdFiles(const QStringList &paths, const QString &applicationId);
// The fingerprint rule: the GUID unchanged when not empty, else the first 32 hex digits of the
// SHA-256 of the UTF-8 host name.
QString fingerprintFrom(const QString &machineGuid, const QString &hostName);

} // namespace DeviceIdentity

} // namespace BrioAccount
