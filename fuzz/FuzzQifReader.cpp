// A QIF file as the import reads it: decoded, recognised and read with each
// combination of date order, decimal mark and currency factor.
#include "FuzzSupport.h"
#include "ImportService.h"
#include "ImportValues.h"
#include "QifReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ImportFile file =
        ImportService::fromBytes(QStringLiteral("input.qif"), FuzzSupport::bytes(data, size));
    if (file.kind != ImportFile::Kind::Qif)
        return 0;
    for (int variant = 0; variant < 6; ++variant) {
        QifReader::Settings settings;
        settings.dayFirst = variant & 1;
        settings.decimalComma = variant & 2;
        settings.factor = variant >= 4 ? 1 : 100;
        QList<ImportProblem> problems;
        for (const ImportRow &row : QifReader::read(file.text, settings, &problems)) {
            if (!ImportValues::isAcceptedDate(row.date) || row.line < 1)
                std::abort();
            // The split lines of a row add up to its amount.
            if (!row.splits.isEmpty()) {
                qint64 total = 0;
                for (const ImportSplit &split : row.splits)
                    total += split.amount;
                if (total != row.amount)
                    std::abort();
            }
        }
    }
    return 0;
}
