#pragma once

#include "DateText.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Records of the import: what the readers make of a file, before anything is
// written. Amounts are already in minor units of the target account's currency.

struct ImportSplit
{
    QString category; // "Parent:Child" or a name, as the file has it
    qint64 amount = 0;
    QString memo;
};

struct ImportRow
{
    int line = 0; // where the record starts in its file, from 1
    QDate date;
    QString payee;
    QString memo;
    qint64 amount = 0; // minor units, negative for payments
    QString checkNumber;
    QString category;        // "Parent:Child" or a name; empty when none
    QString transferAccount; // the other account's name for a "[Account]" category
    bool cleared = false;
    QList<ImportSplit> splits;
    QString fileAccount; // the account section of a QIF file it came from; empty for CSV
};

// A record of a file that could not be read, and why.
struct ImportProblem
{
    int line = 0;
    QString reason;
    QString fileName; // set once the problems of several files are listed together
};

// How a CSV file's columns become transactions. A column index of -1 means
// the file has no such column.
struct CsvSettings
{
    QChar delimiter = QLatin1Char(',');
    bool hasHeader = true;
    // The names of the mapped columns when the mapping was made, in the order
    // date, payee, memo, amount, payment, deposit, check number, category: a
    // remembered mapping follows its columns by name into a file that has them.
    QStringList columnNames;
    int dateColumn = 0;
    int payeeColumn = 1;
    int memoColumn = -1;
    int amountColumn = 2; // when -1, the payment and deposit columns are read
    int paymentColumn = -1;
    int depositColumn = -1;
    int checkNumberColumn = -1;
    int categoryColumn = -1;
    QString dateFormat = DateText::registerFormat();
    bool decimalComma = false;
};
