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

    const auto endField = [&]() {
        current.fields.append(field);
        field.clear();
        fieldStarted = false;
    };
    const auto endRecord = [&](int nextLine, qsizetype position) {
        endField();
        if (!isBlank(current))
            reading = visit(current, position);
        current = CsvRecord();
        current.line = nextLine;
    };

    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size && reading; ++i) {
        const QChar ch = text.at(i);
        if (inQuotes) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < size && text.at(i + 1) == QLatin1Char('"')) {
                    field.append(QLatin1Char('"'));
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (ch == QLatin1Char('\n') ||
                    (ch == QLatin1Char('\r') && (i + 1 >= size || text.at(i + 1) != QLatin1Char('\n'))))
                    ++line;
                field.append(ch);
            }
            continue;
        }
        if (ch == delimiter) {
            endField();
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++line;
            endRecord(line, i + 1);
        } else if (ch == QLatin1Char('"') && !fieldStarted) {
            inQuotes = true;
            fieldStarted = true;
        } else {
            field.append(ch);
            fieldStarted = true;
        }
    }
    if (!reading)
        return;
    if (inQuotes) {
        if (problems)
            problems->append({current.line, tr("a quoted field is not closed"), QString()});
        return;
    }
    if (fieldStarted || !current.fields.isEmpty())
        endRecord(line, size);
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
