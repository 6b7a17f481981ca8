#pragma once

#include <QString>

namespace DataPaths {

// The folder that holds "tallyfern.db": TALLYFERN_DATA_DIR when set and not
// empty, else the platform's generic data location + "/Tallowmere/Tallyfern".
// The folder is created when missing; whether that worked shows when the
// database opens.
QString dataDirectory();

} // namespace DataPaths
