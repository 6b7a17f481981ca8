#pragma once

#include <QString>

// Dates as the register shows them and reads them when typed: month, day and
// a four-digit year without leading zeros ("3/5/2026"). Defined once here, at
// the bottom, for the register, its filter and the import's first date format.
namespace DateText {

inline QString registerFormat()
{
    return QStringLiteral("M/d/yyyy");
}

} // namespace DateText
