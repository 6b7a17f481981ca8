#pragma once

#include <QString>

class QFileDevice;

// Why a file could not be written, in words the user can act on and in the
// user's language: the disk is full, there is no permission, the disk is
// read-only. Only another cause is told in the system's own words.
namespace WriteFailure {

// `file` is the device that failed, `systemError` the errno read right after
// the failure (0 when not known).
QString reason(const QFileDevice &file, int systemError);

} // namespace WriteFailure
