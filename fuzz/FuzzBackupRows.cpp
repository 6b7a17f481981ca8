// The rows of a backup archive. The fuzzer writes the entries as text
// ("== <name>" on a line of its own, then the entry's bytes) and they are
// zipped here, so that their checksums hold and the restore reads them.
#include "BackupService.h"
#include "FuzzSupport.h"
#include "ZipWriter.h"

#include <cstdlib>

namespace {

QByteArray archiveOf(const QByteArray &input)
{
    ZipWriter writer(QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    const QByteArray marker("== ");
    qsizetype start = input.startsWith(marker) ? 0 : input.indexOf("\n" + marker);
    while (start >= 0) {
        if (input.at(start) == '\n')
            ++start;
        const qsizetype nameEnd = input.indexOf('\n', start);
        const QByteArray name =
            input.mid(start + marker.size(), nameEnd < 0 ? -1 : nameEnd - start - marker.size());
        const qsizetype next = nameEnd < 0 ? -1 : input.indexOf("\n" + marker, nameEnd);
        const QByteArray contents =
            nameEnd < 0 ? QByteArray() : input.mid(nameEnd + 1, next < 0 ? -1 : next - nameEnd - 1);
        writer.addFile(QString::fromUtf8(name), contents);
        start = next;
    }
    return writer.finish();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static BackupService service(FuzzSupport::scratchDatabase());
    const QByteArray archive = archiveOf(FuzzSupport::bytes(data, size));
    if (!FuzzSupport::beginScratch())
        std::abort();
    service.restoreBackup(archive, RestoreMode(size % 3));
    FuzzSupport::discardScratch();
    return 0;
}
