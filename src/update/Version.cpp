#include "Version.h"

#include <QStringList>

namespace BrioUpdate {

Version Version::parse(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.isEmpty() || parts.size() > 3)
        return {};

    int numbers[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        numbers[i] = parts.at(i).toInt(&ok, 10);
        // One bad part ("", "v1", "0-beta", a number past int) spoils the whole
        // version: reading "1.2.0-beta" as 1.2.0 would offer a pre-release as final.
        if (!ok)
            return {};
    }
    return Version{numbers[0], numbers[1], numbers[2]};
}

bool operator<(const Version &a, const Version &b)
{
    if (a.major != b.major)
        return a.major < b.major;
    if (a.minor != b.minor)
        return a.minor < b.minor;
    return a.patch < b.patch;
}

bool operator==(const Version &a, const Version &b)
{
    return a.major == b.major && a.minor == b.minor && a.patch == b.patch;
}

bool isDismissed(const QString &offeredVersion, const QString &dismissedVersion)
{
    return !(Version::parse(dismissedVersion) < Version::parse(offeredVersion));
}

bool isWhatsNewDue(const QString &lastShownVersion, const QString &runningVersion)
{
    return Version::parse(lastShownVersion) < Version::parse(runningVersion);
}

} // namespace BrioUpdate
