#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The platform's per-user secret storage, one entry per target name holding raw bytes.
// Windows: generic credentials of the Credential Manager. Elsewhere: one file per target in a
// private folder under the generic data location, never inside the application's data folder,
// so that backups and copies of the data do not carry secrets. Secrets are never logged.
namespace BrioAccount::CredentialVault {

std::optional<QByteArray> read(const QString &target);
bool write(const QString &target, const QByteArray &secret);
// True when an entry was removed.
bool remove(const QString &target);

#ifndef Q_OS_WIN
// "<generic data location>/Tallowmere/credentials".
QString directory();
// The percent-encoded target followed by ".cred".
QString fileNameFor(const QString &target);
#endif

} // namespace BrioAccount::CredentialVault
