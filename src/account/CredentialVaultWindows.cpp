// Generic credentials of the Windows Credential Manager, persisted for the local machine.
#include "CredentialVault.h"

#include <windows.h>
// wincred.h uses the types windows.h defines, so it must come second.
#include <wincred.h>

#include <string>

namespace BrioAccount::CredentialVault {

std::optional<QByteArray> read(const QString &target)
{
    const std::wstring name = target.toStdWString();
    PCREDENTIALW credential = nullptr;
    if (!CredReadW(name.c_str(), CRED_TYPE_GENERIC, 0, &credential))
        return std::nullopt;
    const QByteArray value(reinterpret_cast<const char *>(credential->CredentialBlob),
                           qsizetype(credential->CredentialBlobSize));
    CredFree(credential);
    return value;
}

bool write(const QString &target, const QByteArray &secret)
{
    // Both buffers must stay alive until CredWriteW has returned.
    std::wstring name = target.toStdWString();
    QByteArray blob = secret;
    CREDENTIALW credential = {};
    credential.Type = CRED_TYPE_GENERIC;
    credential.TargetName = name.data();
    credential.CredentialBlobSize = DWORD(blob.size());
    credential.CredentialBlob = reinterpret_cast<LPBYTE>(blob.data());
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    return CredWriteW(&credential, 0) != FALSE;
}

bool remove(const QString &target)
{
    const std::wstring name = target.toStdWString();
    return CredDeleteW(name.c_str(), CRED_TYPE_GENERIC, 0) != FALSE;
}

} // namespace BrioAccount::CredentialVault
