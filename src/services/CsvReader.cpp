#include "CsvReader.h"

#include "ImportValues.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

constexpr int kDetectionRecords = 20;

QString tr(const char *text)
{
    return QCoreApplication::translate("CsvReader", text);
}

bool isBlank(const CsvRecord &record)
{
    return record.fields.size() == 1 && record.fields.constFirst().trimmed().isEmpty();
}

// The fields of the physical line starting at `from`, read on their own: a
// quote left open at the line's end counts as closed there.
qsizetype fieldsOnLine(const QString &text, qsizetype from, QChar delimiter)
{
    qsizetype fields = 1;
    bool inQuotes = false;
    bool fieldStarted = false;
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
            break;
        if (ch == QLatin1Char('"') && (inQuotes || !fieldStarted)) {
            inQuotes = !inQuotes;
        } else if (ch == delimiter && !inQuotes) {
            ++fields;
            fieldStarted = false;
            continue;
        }
        fieldStarted = true;
    }
    return fields;
}

} // namespace

namespace CsvReader {

QList<CsvRecord> parse(const QString &text, QChar delimiter, QList<ImportProblem> *problems)
{
    QList<CsvRecord> records;
    parse(text, delimiter, problems, [&records](const CsvRecord &record, qsizetype) {
        records.append(record);
        return true;
    });
    return records;
}

void parse(const QString &text, QChar delimiter, QList<ImportProblem> *problems,
           const std::function<bool(const CsvRecord &record, qsizetype position)> &visit)
{
    bool reading = true;
    CsvRecord current;
    QString field;
    bool inQuotes = false;
    bool fieldStarted = false; // anything read into the field, quotes included
    int line = 1;
    current.line = 1;
    // The first record gives the number of fields every record has.
    qsizetype expectedFields = 0;
    // The last quoted field of the record that ran over a line end: the line
    // its quote opened on, where the line after that begins, and where it closed.
    int quoteLine = 0;
    int spanLine = 0;
    qsizetype resumeAt = 0;
    int spanEndLine = 0;
    bool spansRecords = false; // a line inside it reads as a record of the file

    const auto endField = [&]() {
        current.fields.append(field);
        field.clear();
        fieldStarted = false;
    };
    const auto startRecord = [&](int nextLine) {
        current = CsvRecord();
        current.line = nextLine;
        spanLine = 0;
        spansRecords = false;
    };
    // A stray opening quote takes the lines after it into its field: such a
    // record is refused and the reading goes on after the quote's line.
    // Returns where to read on from.
    const auto endRecord = [&](int nextLine, qsizetype position) -> qsizetype {
        endField();
        if (spanLine > 0 && expectedFields > 0 && (spansRecords || current.fields.size() != expectedFields)) {
            if (problems)
                problems->append(
                    {spanLine, tr("a quoted field runs on to line %1").arg(spanEndLine), QString()});
            line = spanLine + 1;
            startRecord(line);
            return resumeAt;
        }
        if (!isBlank(current)) {
            if (expectedFields == 0)
                expectedFields = current.fields.size();
            reading = visit(current, position);
        }
        startRecord(nextLine);
        return position;
    };

    const qsizetype size = text.size();
    qsizetype i = 0;
    while (reading) {
        if (i >= size) {
            if (inQuotes) {
                if (problems)
                    problems->append({quoteLine, tr("a quoted field is not closed"), QString()});
                if (spanLine != quoteLine)
                    return;
                // Nothing closes it: the lines after its own are records again.
                inQuotes = false;
                field.clear();
                fieldStarted = false;
                line = spanLine + 1;
                i = resumeAt;
                startRecord(line);
                continue;
            }
            if (fieldStarted || !current.fields.isEmpty())
                i = endRecord(line, size);
            if (i >= size)
                return;
            continue;
        }
        const QChar ch = text.at(i);
        if (inQuotes) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < size && text.at(i + 1) == QLatin1Char('"')) {
                    field.append(QLatin1Char('"'));
                    ++i;
                } else {
                    inQuotes = false;
                    if (spanLine == quoteLine)
                        spanEndLine = line;
                }
            } else {
                if (ch == QLatin1Char('\n') ||
                    (ch == QLatin1Char('\r') && (i + 1 >= size || text.at(i + 1) != QLatin1Char('\n')))) {
                    ++line;
                    if (spanLine != quoteLine) {
                        spanLine = quoteLine;
                        resumeAt = i + 1;
                    }
                    spansRecords = spansRecords || (expectedFields > 1 &&
                                                    fieldsOnLine(text, i + 1, delimiter) == expectedFields);
                    field.append(ch);
                } else {
                    // The run of text up to the next quote or line end, at once.
                    qsizetype end = i + 1;
                    while (end < size && text.at(end) != QLatin1Char('"') &&
                           text.at(end) != QLatin1Char('\n') && text.at(end) != QLatin1Char('\r'))
                        ++end;
                    field.append(QStringView(text).sliced(i, end - i));
                    i = end - 1;
                }
            }
            ++i;
            continue;
        }
        if (ch == delimiter) {
            endField();
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++line;
            i = endRecord(line, i + 1);
            continue;
        } else if (ch == QLatin1Char('"') && !fieldStarted) {
            inQuotes = true;
            fieldStarted = true;
            quoteLine = line;
        } else {
            qsizetype end = i + 1;
            while (end < size && text.at(end) != delimiter && text.at(end) != QLatin1Char('"') &&
                   text.at(end) != QLatin1Char('\n') && text.at(end) != QLatin1Char('\r'))
                ++end;
            field.append(QStringView(text).sliced(i, end - i));
            fieldStarted = true;
            i = end;
            continue;
        }
        ++i;
    }
}

QChar detectDelimiter(const QString &text)
{
    // Only the first lines are looked at; a long file needs no more.
    qsizetype end = 0;
    for (int lines = 0; lines < kDetectionRecords && end >= 0; ++lines)
        end = text.indexOf(QLatin1Char('\n'), end + 1);
    const QString head = end < 0 ? text : text.left(end);

    QChar best = QLatin1Char(',');
    qsizetype bestFields = 1;
    for (const QChar candidate : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')}) {
        const QList<CsvRecord> records = parse(head, candidate);
        if (records.isEmpty())
            continue;
        const qsizetype fields = records.constFirst().fields.size();
        // A last line cut off by the sample may be short; it does not count.
        const bool consistent =
            std::all_of(records.begin(), records.end() - (records.size() > 1 ? 1 : 0),
                        [fields](const CsvRecord &r) { return r.fields.size() == fields; });
        if (consistent && fields > bestFields) {
            best = candidate;
            bestFields = fields;
        }
    }
    return best;
}

QStringList columnNames(const QList<CsvRecord> &records, bool hasHeader)
{
    qsizetype count = 0;
    for (const CsvRecord &record : records)
        count = std::max(count, record.fields.size());
    QStringList names;
    for (qsizetype i = 0; i < count; ++i) {
        QString name;
        if (hasHeader && !records.isEmpty() && i < records.constFirst().fields.size())
            name = records.constFirst().fields.at(i).trimmed();
        names.append(name.isEmpty() ? tr("Column %1").arg(i + 1) : name);
    }
    return names;
}

QList<ImportRow> rows(const QList<CsvRecord> &records, const CsvSettings &settings, qint64 factor,
                      QList<ImportProblem> *problems)
{
    QList<ImportRow> result;
    result.reserve(records.size());
    for (qsizetype index = settings.hasHeader ? 1 : 0; index < records.size(); ++index) {
        QString reason;
        if (std::optional<ImportRow> read = row(records.at(index), settings, factor, &reason))
            result.append(std::move(*read));
        else if (problems)
            problems->append({records.at(index).line, reason, QString()});
    }
    return result;
}

std::optional<ImportRow> row(const CsvRecord &record, const CsvSettings &settings, qint64 factor,
                             QString *reason)
{
    const auto field = [&record](int column) {
        return column >= 0 && column < record.fields.size() ? record.fields.at(column).trimmed() : QString();
    };
    ImportRow row;
    row.line = record.line;

    const std::optional<QDate> date =
        ImportValues::parseDate(field(settings.dateColumn), settings.dateFormat, reason);
    if (!date)
        return std::nullopt;
    row.date = *date;

    if (settings.amountColumn >= 0) {
        const std::optional<qint64> amount =
            ImportValues::parseAmount(field(settings.amountColumn), factor, settings.decimalComma, reason);
        if (!amount)
            return std::nullopt;
        row.amount = *amount;
    } else {
        const QString payment = field(settings.paymentColumn);
        const QString deposit = field(settings.depositColumn);
        if (payment.isEmpty() && deposit.isEmpty()) {
            *reason = tr("no amount");
            return std::nullopt;
        }
        std::optional<qint64> out =
            payment.isEmpty() ? std::optional<qint64>(0)
                              : ImportValues::parseAmount(payment, factor, settings.decimalComma, reason);
        std::optional<qint64> in =
            deposit.isEmpty() ? std::optional<qint64>(0)
                              : ImportValues::parseAmount(deposit, factor, settings.decimalComma, reason);
        if (!out || !in)
            return std::nullopt;
        // Either column may carry a sign; what the column means decides.
        row.amount = std::abs(*in) - std::abs(*out);
    }

    row.payee = field(settings.payeeColumn);
    row.memo = field(settings.memoColumn);
    row.checkNumber = field(settings.checkNumberColumn);
    row.category = field(settings.categoryColumn);
    return row;
}

} // namespace CsvReader
