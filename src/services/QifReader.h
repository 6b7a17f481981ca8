#pragma once

#include "ImportRecords.h"

#include <QList>
#include <QString>

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
    bool dayFirst = false;
};

// Whether the text starts (after blank lines) with a QIF header line.
bool looksLikeQif(const QString &text);

QList<ImportRow> read(const QString &text, const Settings &settings, QList<ImportProblem> *problems);

} // namespace QifReader
