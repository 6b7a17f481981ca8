// A CSV file as the import reads it: decoded, recognised, its delimiter
// detected, split into records and mapped to rows with each of a few column
// mappings the import window offers.
#include "CsvReader.h"
#include "FuzzSupport.h"
#include "ImportService.h"
#include "ImportValues.h"

#include <QStringList>
#include <cstdlib>

namespace {

QList<CsvSettings> mappings()
{
    QList<CsvSettings> list;
    CsvSettings plain; // date, payee, amount with a header
    list << plain;

    CsvSettings split; // no header, payment and deposit columns, day first, decimal comma
    split.hasHeader = false;
    split.dateColumn = 1;
    split.payeeColumn = 0;
    split.memoColumn = 2;
    split.amountColumn = -1;
    split.paymentColumn = 3;
    split.depositColumn = 4;
    split.checkNumberColumn = 5;
    split.categoryColumn = 6;
    split.dateFormat = QStringLiteral("d.M.yyyy");
    split.decimalComma = true;
    list << split;

    CsvSettings iso; // columns past the last field, ISO dates
    iso.dateColumn = 2;
    iso.payeeColumn = 40;
    iso.amountColumn = 0;
    iso.categoryColumn = 1;
    iso.dateFormat = QStringLiteral("yyyy-MM-dd");
    list << iso;
    return list;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QList<CsvSettings> settings = mappings();
    const ImportFile file =
        ImportService::fromBytes(QStringLiteral("input.csv"), FuzzSupport::bytes(data, size));
    if (file.kind != ImportFile::Kind::Csv)
        return 0;
    const QChar delimiter = CsvReader::detectDelimiter(file.text);
    for (const QChar candidate : {delimiter, QChar(u';')}) {
        QList<ImportProblem> problems;
        const QList<CsvRecord> records = CsvReader::parse(file.text, candidate, &problems);
        CsvReader::columnNames(records, true);
        CsvReader::columnNames(records, false);
        for (const CsvSettings &mapping : settings) {
            for (const qint64 factor : {qint64(100), qint64(1), qint64(1000)}) {
                for (const ImportRow &row : CsvReader::rows(records, mapping, factor, &problems)) {
                    // Every row the import offers has a date it keeps.
                    if (!ImportValues::isAcceptedDate(row.date) || row.line < 1)
                        std::abort();
                }
            }
        }
    }
    return 0;
}
