#pragma once

#include "Category.h"
#include "ImportRecords.h"
#include "RecordTypes.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>

// A file chosen for import, read into memory and recognised by its content
// (and extension). `error` is set, and nothing else is, when it cannot be read.
struct ImportFile
{
    enum class Kind
    {
        Csv,
        Qif
    };

    QString path;
    QString name; // the file name shown to the user
    Kind kind = Kind::Csv;
    QString text;
    QString error;
    // The date order the user chose for a QIF file; unset, the file's own dates decide.
    std::optional<bool> qifDayFirst;
    // The user has seen the CSV dates in the order of the settings and kept it.
    bool csvOrderConfirmed = false;
    // The encoding the text was read in when it was not UTF-8 ("Windows-1252").
    QString encoding;
};

// One row of the preview. A 50 MB file makes about a million of them, so a
// row is kept small: its texts share one string, its file is an index into
// the preview's file names, and its category and transfer account are found
// by name again when it is written.
struct ImportPreviewRow
{
    enum Text
    {
        Payee,
        Memo,
        CheckNumber,
        Category,
        TransferAccount,
        FileAccount,
        TextCount
    };

    QDate date;
    qint64 amount = 0;
    int line = 0;
    int file = 0; // index into ImportPreview::fileNames
    bool cleared = false;
    bool categoryFound = false; // the category exists (for a split: every line's)
    bool transferFound = false; // another account of the currency has the transfer's name
    bool duplicate = false;     // same date, amount and payee as a live transaction
    bool ticked = true;
    QString note; // why a part of the row is not imported as the file says
    QList<ImportSplit> splits;
    // The texts of Text, each ended by a unit separator, which no text read holds.
    QString texts;

    static ImportPreviewRow from(const ImportRow &row, int file);
    QString text(Text which) const;
    // The row as the file gave it.
    ImportRow row() const;
};
Q_DECLARE_TYPEINFO(ImportPreviewRow, Q_RELOCATABLE_TYPE);

// How one file was read.
struct ImportFileFormat
{
    bool qif = false;
    bool dayFirst = false;       // the date order it was read in
    bool orderAmbiguous = false; // its dates fit both orders and the user has not chosen
    bool decimalComma = false;   // what a QIF file shows of its amounts
    QString encoding;            // as ImportFile::encoding
};

// Settings of the CSV box that read every row of a file most of whose rows
// the current ones refuse.
struct CsvSuggestion
{
    QString fileName;
    QString dateFormat;
    bool decimalComma = false;
};

struct ImportPreview
{
    QList<ImportPreviewRow> rows;
    QList<ImportProblem> problems;   // with their file names
    QStringList fileNames;           // one per file given, readable or not
    QList<ImportFileFormat> formats; // one per file given
    std::optional<CsvSuggestion> suggestion;
    QStringList unknownCategories; // names the rows use that no category has, once each
    int categoriesToMake = 0;      // what making those takes, the parents made with them included
    bool cancelled = false;

    qsizetype tickedCount() const;
};

// What a preview needs of the database, read beforehand on the database's
// thread so that the reading itself may run on another.
struct ImportContext
{
    Currency currency = Currency::USD;
    QHash<QString, QString> accountsByName; // folded name -> id: the other live accounts of the currency
    QList<Category> categories;
    QHash<QString, int> existing; // duplicate keys of the target's live transactions, with their counts
};

// Shared with a reading on another thread: how far it got, and whether to stop.
struct ImportProgress
{
    std::atomic<qint64> done{0}; // characters read
    std::atomic<qint64> total{0};
    std::atomic<bool> cancelled{false};
};
