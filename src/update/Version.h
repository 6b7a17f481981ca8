#pragma once

#include <QString>

namespace BrioUpdate {

// A release number major.minor.patch. Text that is not one to three dot-separated
// decimal integers reads as 0.0.0, so an unknown version sorts below every real one.
struct Version
{
    int major = 0;
    int minor = 0;
    int patch = 0;

    static Version parse(const QString &text);
};

// Numeric order, major first; 1.10.0 is above 1.9.9.
bool operator<(const Version &a, const Version &b);
bool operator==(const Version &a, const Version &b);

// The start-up check does not offer again a version at or below the one the user
// last dismissed (an empty or unreadable dismissed version dismisses nothing
// above 0.0.0). The Help menu's check ignores this.
bool isDismissed(const QString &offeredVersion, const QString &dismissedVersion);

// What's new is shown once per installed version: when the last version it was
// shown for is lower than the running one (empty counts as 0.0.0).
bool isWhatsNewDue(const QString &lastShownVersion, const QString &runningVersion);

} // namespace BrioUpdate
