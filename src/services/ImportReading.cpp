#include "ImportReading.h"

#include "CategoryLookup.h"
#include "CsvReader.h"
#include "ImportValues.h"
#include "Money.h"
#include "QifReader.h"

#include <QCoreApplication>
#include <QSet>

namespace {

using RowSink = std::function<bool(ImportRow &&row, qsizetype position)>;

bool stopped(const ImportProgress *progress)
{
    return progress && progress->cancelled.load(std::memory_order_relaxed);
}

// Whether every record of the file reads with these settings.
bool readsEveryRow(const ImportFile &file, const CsvSettings &settings, qint64 factor,
                   const ImportProgress *progress)
{
    bool all = true;
    bool header = settings.hasHeader;
    CsvReader::parse(file.text, settings.delimiter, nullptr, [&](const CsvRecord &record, qsizetype) {
        QString reason;
        if (!std::exchange(header, false))
            all = CsvReader::row(record, settings, factor, &reason).has_value();
        return all && !stopped(progress);
    });
    return all && !stopped(progress);
}

// The day-first or month-first order of `format` swapped, or empty for a
// format without such a twin.
QString otherOrder(const QString &format)
{
    const QStringList formats = ImportValues::dateFormats();
    const QString monthFirst = formats.at(0);
    const QString dayFirst = formats.at(1);
    return format == monthFirst ? dayFirst : format == dayFirst ? monthFirst : QString();
}

// Another offered date format and decimal mark that reads every row. Of two
// orders that both read every row neither is proven: the user's is kept when
// it is one of them, and no other order is proposed.
std::optional<CsvSuggestion> suggestionFor(const ImportFile &file, const CsvSettings &settings, qint64 factor,
                                           const ImportProgress *progress)
{
    const auto reads = [&](const QString &format, bool decimalComma) {
        CsvSettings other = settings;
        other.dateFormat = format;
        other.decimalComma = decimalComma;
        return readsEveryRow(file, other, factor, progress);
    };
    for (const QString &format : ImportValues::dateFormats()) {
        for (const bool decimalComma : {false, true}) {
            if ((format == settings.dateFormat && decimalComma == settings.decimalComma) ||
                !reads(format, decimalComma))
                continue;
            const QString twin = otherOrder(format);
            if (twin.isEmpty() || !reads(twin, decimalComma))
                return CsvSuggestion{file.name, format, decimalComma};
            if (twin == settings.dateFormat && decimalComma != settings.decimalComma)
                return CsvSuggestion{file.name, twin, decimalComma};
            if (format != settings.dateFormat)
                continue;
            return CsvSuggestion{file.name, format, decimalComma};
        }
    }
    return std::nullopt;
}

// The rows of a CSV file; when the settings refuse more than half of them,
// settings that read them all are looked for. Returns how the file was read.
ImportFileFormat readCsv(const ImportFile &file, const CsvSettings &settings, qint64 factor,
                         QList<ImportProblem> *problems, const RowSink &sink, ImportPreview *preview,
                         ImportProgress *progress, qint64 base)
{
    bool header = settings.hasHeader;
    qsizetype read = 0;
    qsizetype refused = 0;
    ImportValues::DateOrderEvidence order;
    CsvReader::parse(file.text, settings.delimiter, problems,
                     [&](const CsvRecord &record, qsizetype position) {
                         if (std::exchange(header, false))
                             return true;
                         order.add(record.fields.value(settings.dateColumn));
                         QString reason;
                         std::optional<ImportRow> row = CsvReader::row(record, settings, factor, &reason);
                         if (!row) {
                             ++refused;
                             problems->append({record.line, reason, QString()});
                             if (progress)
                                 progress->done.store(base + position, std::memory_order_relaxed);
                             return !stopped(progress);
                         }
                         ++read;
                         return sink(std::move(*row), position);
                     });
    if (!preview->suggestion && refused > read && !stopped(progress))
        preview->suggestion = suggestionFor(file, settings, factor, progress);

    ImportFileFormat format;
    format.dayFirst = settings.dateFormat == ImportValues::dateFormats().at(1);
    // Only an order with a twin among the offered formats can be the wrong one.
    format.orderAmbiguous =
        !file.csvOrderConfirmed && !otherOrder(settings.dateFormat).isEmpty() && order.ambiguous();
    return format;
}

// The columns the mapping boxes name: those of the first CSV file read.
struct MappedColumns
{
    QString fileName;
    QStringList names;
};

// Whether a CSV file has the columns the mapping names; another file is
// refused rather than read with a mapping that is not its own.
bool fitsMapping(const ImportFile &file, const CsvSettings &settings, MappedColumns *mapped,
                 QList<ImportProblem> *problems)
{
    // The first lines are enough, as for the boxes.
    const QStringList names = CsvReader::columnNames(
        CsvReader::parse(file.text.left(65536), settings.delimiter), settings.hasHeader);
    if (mapped->fileName.isEmpty())
        *mapped = {file.name, names};
    if (names == mapped->names)
        return true;
    problems->append({1,
                      QCoreApplication::translate("ImportService",
                                                  "its columns differ from those of %1; import it on its own")
                          .arg(mapped->fileName),
                      QString()});
    return false;
}

// Why a row's texts are not taken as they are: bytes the file's encoding
// does not have, or control characters no person typed. Empty when they are.
QString unreadableText(const ImportRow &row)
{
    const auto why = [](const QString &text) {
        for (const QChar ch : text) {
            if (ch == QChar::ReplacementCharacter)
                return QCoreApplication::translate("ImportService", "holds bytes that are not valid UTF-8");
            if (ImportValues::isStrayControl(ch))
                return QCoreApplication::translate("ImportService", "holds the control character 0x%1")
                    .arg(QString::number(ch.unicode(), 16).rightJustified(2, QLatin1Char('0')).toUpper());
        }
        return QString();
    };
    for (const QString *text :
         {&row.payee, &row.memo, &row.checkNumber, &row.category, &row.transferAccount, &row.fileAccount}) {
        if (QString reason = why(*text); !reason.isEmpty())
            return reason;
    }
    for (const ImportSplit &split : row.splits) {
        if (QString reason = why(split.category + split.memo); !reason.isEmpty())
            return reason;
    }
    return QString();
}

ImportFileFormat readQif(const ImportFile &file, qint64 factor, QList<ImportProblem> *problems,
                         const RowSink &sink)
{
    const QifReader::Format shown = QifReader::detectFormat(file.text);
    QifReader::Settings settings;
    settings.factor = factor;
    settings.decimalComma = shown.decimalComma;
    settings.markDisputed = shown.markDisputed;
    settings.dayFirst = file.qifDayFirst.value_or(shown.dayFirst);
    QifReader::read(file.text, settings, problems, sink);

    ImportFileFormat format;
    format.qif = true;
    format.dayFirst = settings.dayFirst;
    format.orderAmbiguous = shown.orderAmbiguous && !file.qifDayFirst;
    format.decimalComma = shown.decimalComma;
    format.encoding = file.encoding;
    return format;
}

// Categories, transfer accounts and likely duplicates of the rows read;
// `progress` goes from `from` to its total meanwhile.
void resolve(ImportPreview *preview, const ImportContext &context, ImportProgress *progress, qint64 from)
{
    using ImportReading::foldName;
    const CategoryLookup categories(context.categories);
    QHash<QString, int> existing = context.existing;
    QSet<QString> unknown;
    const auto found = [&](const QString &category) {
        if (category.trimmed().isEmpty() || !categories.find(category).isEmpty())
            return true;
        if (!unknown.contains(foldName(category))) {
            unknown.insert(foldName(category));
            preview->unknownCategories.append(category.trimmed());
        }
        return false;
    };

    // Rows of the files before this one: overlapping statements loaded
    // together hold some rows twice. Within a file, equal rows are all kept.
    QHash<QString, int> earlierFiles;
    QList<QString> thisFile;
    int file = -1;
    const bool severalFiles =
        !preview->rows.isEmpty() && preview->rows.constFirst().file != preview->rows.constLast().file;
    const qint64 span = progress ? progress->total.load() - from : 0;
    const qsizetype count = preview->rows.size();
    for (qsizetype index = 0; index < count; ++index) {
        ImportPreviewRow &p = preview->rows[index];
        if (progress && index % 4096 == 0)
            progress->done.store(from + span * index / count, std::memory_order_relaxed);
        if (p.file != file) {
            for (const QString &key : std::as_const(thisFile))
                ++earlierFiles[key];
            thisFile.clear();
            file = p.file;
        }
        const QString transfer = p.text(ImportPreviewRow::TransferAccount);
        if (!p.splits.isEmpty()) {
            p.categoryFound = true;
            for (const ImportSplit &split : std::as_const(p.splits))
                p.categoryFound = found(split.category) && p.categoryFound;
            if (!transfer.isEmpty())
                p.note = QCoreApplication::translate("ImportService", "Split: the transfer to %1 is not kept")
                             .arg(transfer);
        } else if (!transfer.isEmpty()) {
            p.transferFound = context.accountsByName.contains(foldName(transfer));
            if (!p.transferFound)
                p.note = QCoreApplication::translate("ImportService",
                                                     "No other account named %1 in this currency: imported "
                                                     "without transfer")
                             .arg(transfer);
        } else {
            p.categoryFound = found(p.text(ImportPreviewRow::Category));
        }
        const QString key = ImportReading::duplicateKey(p.date, p.amount, p.text(ImportPreviewRow::Payee));
        if (severalFiles)
            thisFile.append(key);
        for (QHash<QString, int> *known : {&existing, &earlierFiles}) {
            auto it = known->find(key);
            if (!p.duplicate && it != known->end() && it.value() > 0) {
                --it.value();
                p.duplicate = true;
                p.ticked = false;
            }
        }
    }
    preview->categoriesToMake = ImportReading::categoriesToMake(preview->rows, context.categories);
}

} // namespace

namespace ImportReading {

QString foldName(const QString &text)
{
    return text.trimmed().toCaseFolded();
}

QString duplicateKey(const QDate &date, qint64 amount, const QString &payee)
{
    return QString::number(date.toJulianDay()) + QLatin1Char('|') + QString::number(amount) +
           QLatin1Char('|') + foldName(payee);
}

ImportPreview preview(const QList<ImportFile> &files, const CsvSettings &settings,
                      const ImportContext &context, ImportProgress *progress)
{
    ImportPreview preview;
    const qint64 factor = Money::minorUnitFactor(context.currency);
    qint64 base = 0;
    MappedColumns mapped;
    if (progress) {
        qint64 total = 0;
        for (const ImportFile &file : files)
            total += file.text.size();
        // Finding categories and duplicates afterwards takes about an eighth
        // of the reading: the bar is not full before they are found.
        progress->total.store(total + total / 8);
    }
    for (int index = 0; index < files.size(); ++index) {
        const ImportFile &file = files.at(index);
        preview.fileNames.append(file.name);
        ImportFileFormat format;
        if (file.error.isEmpty()) {
            QList<ImportProblem> problems;
            const RowSink sink = [&](ImportRow &&row, qsizetype position) {
                if (const QString why = unreadableText(row); why.isEmpty())
                    preview.rows.append(ImportPreviewRow::from(row, index));
                else
                    problems.append({row.line, why, QString()});
                if (progress)
                    progress->done.store(base + position, std::memory_order_relaxed);
                return !stopped(progress);
            };
            if (file.kind == ImportFile::Kind::Qif) {
                format = readQif(file, factor, &problems, sink);
            } else if (fitsMapping(file, settings, &mapped, &problems)) {
                format = readCsv(file, settings, factor, &problems, sink, &preview, progress, base);
                format.encoding = file.encoding;
            }
            for (ImportProblem &problem : problems) {
                problem.fileName = file.name;
                preview.problems.append(std::move(problem));
            }
        }
        preview.formats.append(format);
        base += file.text.size();
        if (stopped(progress)) {
            preview.cancelled = true;
            return preview;
        }
    }
    resolve(&preview, context, progress, base);
    return preview;
}

int categoriesToMake(const QList<ImportPreviewRow> &rows, const QList<Category> &categories)
{
    // Only the ticked rows' categories are made: an unticked likely
    // duplicate naming a new one makes nothing.
    const CategoryLookup lookup(categories);
    QSet<QString> toMake;
    const auto add = [&](const QString &name) {
        if (name.trimmed().isEmpty() || !lookup.find(name).isEmpty())
            return;
        for (const QString &path : lookup.toMake(name))
            toMake.insert(path);
    };
    for (const ImportPreviewRow &p : rows) {
        if (!p.ticked || p.categoryFound)
            continue;
        if (!p.splits.isEmpty()) {
            for (const ImportSplit &split : p.splits)
                add(split.category);
        } else if (p.text(ImportPreviewRow::TransferAccount).isEmpty()) {
            add(p.text(ImportPreviewRow::Category));
        }
    }
    return int(toMake.size());
}

} // namespace ImportReading
