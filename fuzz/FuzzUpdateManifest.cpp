// "latest.json" from the update server, and what the update check does with
// the artifact it picks: compare versions and check the addresses.
#include "FuzzSupport.h"
#include "Manifest.h"
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
    QString error;
    const Manifest manifest = Manifest::parse(FuzzSupport::bytes(data, size), &error);
    // A manifest without an error is usable and each of its artifacts sound; one
    // with an error is what was read up to it, which the update check refuses.
    if (error.isEmpty() && !manifest.isValid())
        std::abort();
    for (const QString &key : manifest.artifacts.keys()) {
        const Artifact *artifact = manifest.artifactFor(key);
        if (!artifact)
            std::abort();
        if (error.isEmpty() &&
            (artifact->size < 1 || artifact->sha256.size() != 64 || !artifact->url.isValid() ||
             !artifact->releasedAt.isValid() || artifact->version.isEmpty()))
            std::abort();
        const Version current = Version::parse(QStringLiteral("1.1.6"));
        (void)(current < Version::parse(artifact->version));
        (void)(current < Version::parse(artifact->minUpgradableFrom));
        isDismissed(artifact->version, artifact->minUpgradableFrom);
        (void)artifact->url.toString();
        (void)artifact->releaseNotesUrl.toString();
    }
    return 0;
}
