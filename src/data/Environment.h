#pragma once

#include <QString>

namespace Environment {

// The variable's value when it is set and not empty, else the fallback: an
// empty variable must not blank out a built-in address or folder.
QString valueOr(const char *name, const QString &fallback);

} // namespace Environment
