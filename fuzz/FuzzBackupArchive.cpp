// A backup archive as the restore reads it: the zip directory and entries,
// the manifest and the rows, written into a scratch database and rolled back.
#include "BackupService.h"
#include "FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static BackupService service(FuzzSupport::scratchDatabase());
    if (!FuzzSupport::beginScratch())
        std::abort();
    const RestoreResult result = service.restoreBackup(FuzzSupport::bytes(data, size), RestoreMode(size % 3));
    FuzzSupport::discardScratch();
    // Each row is one entry of the central directory, at least 46 bytes.
    if (result.totalRestored() + result.totalSkipped() > qint64(size) / 46)
        std::abort();
    return 0;
}
