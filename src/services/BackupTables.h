#pragma once

#include "RecordColumns.h"
#include "RestoreResult.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// The six tables of the backup archive: the folder of each, its columns (the
// records' own, id first) with the value a missing or mistyped key takes,
// which is a new record's, and the restore's counters for it. In dependency
// order: a row's references are written before it.
namespace BackupTables {

using Kind = RecordColumns::Storage;

struct Column
{
    const char *name;
    Kind kind;
    QByteArray textDefault;
    qint64 integerDefault = 0;
};

struct Table
{
    const char *name;
    QString folder;
    QList<Column> columns;
    int RestoreResult::*restored;
    int RestoreResult::*skipped;
    // Column indices in the order of their names, as a row's JSON lists them.
    QList<int> keyOrder;
};

constexpr size_t Count = 6;
const std::array<Table, Count> &tables();
// The table whose folder holds `name`, or -1.
int tableOf(const QString &name);

QStringList columnNames(const Table &table);
int columnIndex(const Table &table, const char *name);
// The upsert of one row: existing rows are left alone or all their columns
// replaced.
QString upsertSql(const Table &table, bool replaceExisting);

} // namespace BackupTables
