// Version texts: the manifest's, and the dismissed and last-shown versions
// kept in the settings. The input is two texts split at the first newline.
#include "FuzzSupport.h"
#include "Version.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace BrioUpdate;
    const QString text = QString::fromUtf8(FuzzSupport::bytes(data, size));
    const qsizetype newline = text.indexOf(QLatin1Char('\n'));
    const QString first = newline < 0 ? text : text.left(newline);
    const QString second = newline < 0 ? QString() : text.mid(newline + 1);
    const Version a = Version::parse(first);
    const Version b = Version::parse(second);
    // The order is a strict weak order: never both a < b and b < a, and
    // equality exactly when neither is below the other.
    if ((a < b && b < a) || ((a == b) != (!(a < b) && !(b < a))))
        std::abort();
    // A version at or below the dismissed one stays dismissed.
    if (isDismissed(second, first) != !(a < b))
        std::abort();
    isWhatsNewDue(first, second);
    return 0;
}
