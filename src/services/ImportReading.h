#pragma once

#include "ImportPreview.h"

#include <QString>

// Turning chosen files into a preview: each file read by its own rules (a QIF
// file by what its dates and amounts show, a CSV file by the CSV settings),
// its rows resolved against a context read from the database beforehand.
// Touches neither the database nor any QObject, so it may run on a thread of
// its own.
namespace ImportReading {

ImportPreview preview(const QList<ImportFile> &files, const CsvSettings &settings,
                      const ImportContext &context, ImportProgress *progress = nullptr);

// Names compared without case and surrounding spaces.
QString foldName(const QString &text);
QString duplicateKey(const QDate &date, qint64 amount, const QString &payee);
// How many categories importing the ticked rows makes, parents included.
int categoriesToMake(const QList<ImportPreviewRow> &rows, const QList<Category> &categories);

} // namespace ImportReading
