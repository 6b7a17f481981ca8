// The reply to a push: the per-change results written back to the pending
// rows that were sent (one of each kind in the scratch database). Rolled back
// after every reply.
#include "FuzzSupport.h"
#include "FuzzSyncRig.h"
#include "SyncOutbox.h"

#include <QJsonDocument>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSyncRig &rig = FuzzSyncRig::instance();
    const QJsonDocument document = QJsonDocument::fromJson(FuzzSupport::bytes(data, size));
    // The engine refuses a reply without a results array before reading it.
    if (!document.isObject() || !document.object().value(QLatin1String("results")).isArray())
        return 0;
    if (!FuzzSupport::beginScratch())
        std::abort();
    {
        SyncOutbox outbox(&rig.store);
        const int pending = outbox.collect();
        const QJsonArray batch = outbox.takeBatch(500);
        const SyncOutbox::Outcome outcome = outbox.applyResults(document.object());
        // Every result counts once, as accepted or as an error.
        if (pending != batch.size() || outcome.accepted + outcome.errors !=
                                           document.object().value(QLatin1String("results")).toArray().size())
            std::abort();
    }
    FuzzSupport::discardScratch();
    return 0;
}
