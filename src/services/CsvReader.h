#pragma once

#include "ImportRecords.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// One record of a CSV file: its fields and the line it starts on (from 1).
struct CsvRecord
{
    int line = 0;
    QStringList fields;
};

// Reading CSV text (RFC 4180: quoted fields may hold the delimiter, doubled
// quotes and line breaks) and turning its records into import rows through a
// column mapping.
namespace CsvReader {

// Comma, semicolon or tab: the one that splits the first lines into the same
// number of fields (more than one), the most fields winning; comma otherwise.
QChar detectDelimiter(const QString &text);

// Every non-blank record. A quoted field that runs over line ends and leaves
// its record with another number of fields than the first record, or holds a
// line that reads as a record of its own, is a problem at the line its quote
// opened on, as is a quote left open at the end of the text; that record is
// dropped and the reading goes on with the next line.
QList<CsvRecord> parse(const QString &text, QChar delimiter, QList<ImportProblem> *problems = nullptr);

// The same, record by record: `visit` takes each record with the position in
// the text after it, and stops the reading by returning false.
void parse(const QString &text, QChar delimiter, QList<ImportProblem> *problems,
           const std::function<bool(const CsvRecord &record, qsizetype position)> &visit);

// The names of the columns: the header's fields, or "Column 1" and onwards.
QStringList columnNames(const QList<CsvRecord> &records, bool hasHeader);

// Turns records into rows with the mapping's columns, date format and decimal
// mark; amounts in minor units with the currency's `factor`. A record that
// cannot be read becomes a problem with its line and reason instead.
QList<ImportRow> rows(const QList<CsvRecord> &records, const CsvSettings &settings, qint64 factor,
                      QList<ImportProblem> *problems);

// One record (not the header) as a row; empty with the reason when it cannot be read.
std::optional<ImportRow> row(const CsvRecord &record, const CsvSettings &settings, qint64 factor,
                             QString *reason);

} // namespace CsvReader
