#pragma once

#include "RestoreResult.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// The six tables of the backup archive: the folder of each, its columns in a
// fixed order (id first) with the value a missing or mistyped key takes, and
// the restore's counters for it. In dependency order: a row's references are
// written before it.
namespace BackupTables {

enum class Kind
{
    Id,       // NOT NULL text that must be given
    Text,     // NOT NULL text
    Optional, // text, NULL when empty (references, server id, deletion time)
    Integer,  // money, counts and 0/1 flags
};

struct Column
{
    const char *name;
    Kind kind;
    const char *textDefault = "";
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
