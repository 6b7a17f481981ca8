#pragma once

#include "AppVersion.h"

// The program's identity, known to every layer from the service container up.
namespace AppInfo {

inline constexpr auto Version = TALLYFERN_VERSION;
// The name the update and what's-new dialogs give the program.
inline constexpr auto DisplayName = "Tallowmere Tallyfern";

} // namespace AppInfo
