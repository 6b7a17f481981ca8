#include "WriteFailure.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>

namespace WriteFailure {

QString reason(const QFileDevice &file, int systemError)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("WriteFailure", text); };
    // Qt reports a full disk as a resource error; errno may have moved on by
    // the time the failure comes back, so the place itself is asked too.
    const QFileInfo target(file.fileName());
    const QStorageInfo volume(target.absolutePath());
    // (A volume of no size is a system one, /proc and the like: it is never full.)
    const bool noRoomLeft = volume.isValid() && volume.bytesTotal() > 0 && volume.bytesAvailable() < 4096;
#ifdef EDQUOT
    // Over the user's quota is a full disk to them.
    if (systemError == EDQUOT)
        systemError = ENOSPC;
#endif
    if (file.error() == QFileDevice::ResourceError || systemError == ENOSPC || noRoomLeft)
        return tr("The disk is full.");
    if (systemError == EROFS || (volume.isValid() && volume.isReadOnly()))
        return tr("The disk is read-only.");
    if (systemError == EACCES || systemError == EPERM || !QFileInfo(target.absolutePath()).isWritable() ||
        (target.exists() && !target.isWritable()))
        return tr("You do not have permission to write there.");
    return file.errorString().isEmpty() ? tr("The file could not be written.") : file.errorString();
}

} // namespace WriteFailure
