#pragma once

#include "ImportRecords.h"

#include <QList>
#include <QString>
#include <functional>

// Reading QIF text: the bank, cash and credit card sections ("!Type:Bank",
// "!Type:Cash", "!Type:CCard"), each record ended by "^". Several accounts in
// one file ("!Account" blocks) are read one after another; each row carries
// the name of the account it was listed under. Other sections are skipped
// with one problem at their header.
namespace QifReader {

struct Settings
{
    qint64 factor = 100; // the currency's minor-unit factor
    bool decimalComma = false;
    // The amounts disagree on the decimal mark as often one way as the other:
    // none that shows a mark is read.
    bool markDisputed = false;
    bool dayFirst = false;
};

// What the file itself shows of its number and date formats.
struct Format
{
    // Most amounts that show a decimal mark show a comma ("1.234,56",
    // "-52,50"). An amount showing the other mark is refused as disagreeing.
    bool decimalComma = false;
    bool markDisputed = false; // as many show a comma as a point
    // A date whose first field is above 12.
    bool dayFirst = false;
    // Every date fits both orders, and some read differently in each.
    bool orderAmbiguous = false;
};

// Whether the text starts (after blank lines) with a QIF header line.
bool looksLikeQif(const QString &text);

Format detectFormat(const QString &text);

QList<ImportRow> read(const QString &text, const Settings &settings, QList<ImportProblem> *problems);

// The same, row by row: `sink` takes each row with the position in the text
// after it, and stops the reading by returning false.
void read(const QString &text, const Settings &settings, QList<ImportProblem> *problems,
          const std::function<bool(ImportRow &&row, qsizetype position)> &sink);

} // namespace QifReader
