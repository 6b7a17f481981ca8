// Per-user credential files for systems without a credential manager of their own.
#include "CredentialVault.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace BrioAccount::CredentialVault {

namespace {

// Tokens are a few kilobytes; anything far larger is not ours.
constexpr qint64 MaxSecretBytes = 1024 * 1024;

// The folder, checked: a real directory of ours, closed to everyone else. With `create` it is
// made when missing. Empty when it is missing or cannot be trusted.
QString trustedDirectory(bool create)
{
    const QString path = directory();
    const QByteArray native = QFile::encodeName(path);
    struct stat st;
    if (::lstat(native.constData(), &st) != 0) {
        if (errno != ENOENT || !create)
            return QString();
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
            qWarning() << "CredentialVault: cannot create the credential folder";
            return QString();
        }
        if (::lstat(native.constData(), &st) != 0)
            return QString();
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
        qWarning() << "CredentialVault: refusing a credential folder that is not a directory of this user";
        return QString();
    }
    if ((st.st_mode & 0077) != 0 && ::chmod(native.constData(), 0700) != 0) {
        qWarning() << "CredentialVault: cannot close the credential folder to other users";
        return QString();
    }
    return path;
}

} // namespace

QString directory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Tallowmere/credentials");
}

QString fileNameFor(const QString &target)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(target)) + QStringLiteral(".cred");
}

std::optional<QByteArray> read(const QString &target)
{
    const QString dir = trustedDirectory(false);
    if (dir.isEmpty())
        return std::nullopt;
    const QByteArray native = QFile::encodeName(dir + QLatin1Char('/') + fileNameFor(target));
    const int fd = ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ELOOP)
            qWarning() << "CredentialVault: refusing a symbolic link in place of" << fileNameFor(target);
        return std::nullopt;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
        st.st_size > MaxSecretBytes) {
        qWarning() << "CredentialVault: refusing" << fileNameFor(target) << "(not a plain file of this user)";
        ::close(fd);
        return std::nullopt;
    }
    if ((st.st_mode & 0077) != 0)
        ::fchmod(fd, 0600);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    return file.readAll();
}

bool write(const QString &target, const QByteArray &secret)
{
    const QString dir = trustedDirectory(true);
    if (dir.isEmpty())
        return false;
    const QString path = dir + QLatin1Char('/') + fileNameFor(target);
    struct stat st;
    // QSaveFile would follow a link and write wherever it points.
    if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        qWarning() << "CredentialVault: refusing to replace" << fileNameFor(target) << "(not a plain file)";
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "CredentialVault: cannot write" << fileNameFor(target);
        return false;
    }
    // The temporary file is created with the umask's permissions; close it before any byte lands.
    if (::fchmod(file.handle(), 0600) != 0 || file.write(secret) != secret.size()) {
        file.cancelWriting();
        qWarning() << "CredentialVault: cannot write" << fileNameFor(target);
        return false;
    }
    if (!file.commit()) {
        qWarning() << "CredentialVault: cannot commit" << fileNameFor(target);
        return false;
    }
    return true;
}

bool remove(const QString &target)
{
    const QString dir = trustedDirectory(false);
    if (dir.isEmpty())
        return false;
    const QByteArray native = QFile::encodeName(dir + QLatin1Char('/') + fileNameFor(target));
    struct stat st;
    if (::lstat(native.constData(), &st) != 0)
        return false;
    if (!S_ISREG(st.st_mode)) {
        qWarning() << "CredentialVault: refusing to remove" << fileNameFor(target) << "(not a plain file)";
        return false;
    }
    return ::unlink(native.constData()) == 0;
}

} // namespace BrioAccount::CredentialVault
