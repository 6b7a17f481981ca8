// A pull page applied to the scratch database the way the engine applies it:
// matching by client and server id, the version rule, the protection of
// pending rows, split lines and the retry of records whose references are
// missing. Every page is rolled back afterwards.
#include "FuzzSupport.h"
#include "FuzzSyncRig.h"
#include "SyncApplier.h"
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
    if (!document.isObject())
        return 0;
    if (!FuzzSupport::beginScratch())
        std::abort();
    {
        SyncOutbox outbox(&rig.store);
        outbox.collect();
        outbox.takeBatch(500);
        SyncApplier applier(&rig.store, &rig.preferences);
        applier.beginPull(&outbox);
        applier.applyPage(document.object());
        applier.endPull();
    }
    FuzzSupport::discardScratch();
    return 0;
}
