#include "BackupTables.h"

#include "ColumnTables.h"
#include "SqlStatement.h"

#include <algorithm>
#include <numeric>

namespace BackupTables {

namespace {

// A missing key takes the value a new record has.
template <typename T> QList<Column> columnsOf(const T &table)
{
    const typename T::RecordType fresh{};
    QList<Column> list;
    RecordColumns::forEach(table.columns, [&](const auto &column) {
        const QVariant value = column.toSql(fresh);
        const Kind kind = column.storage();
        list.append({column.name, kind, kind == Kind::Text ? value.toString().toUtf8() : QByteArray(),
                     kind == Kind::Integer ? value.toLongLong() : 0});
    });
    return list;
}

template <typename T>
Table table(const T &record, const char *folder, int RestoreResult::*restored, int RestoreResult::*skipped)
{
    QList<Column> columns = columnsOf(record);
    QList<int> order(columns.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&columns](int a, int b) { return qstrcmp(columns[a].name, columns[b].name) < 0; });
    return {record.name,     QString::fromLatin1(folder), std::move(columns), restored, skipped,
            std::move(order)};
}

} // namespace

const std::array<Table, Count> &tables()
{
    static const std::array<Table, Count> list{{
        table(ColumnTables::accounts, "accounts/", &RestoreResult::accountsRestored,
              &RestoreResult::accountsSkipped),
        table(ColumnTables::categories, "categories/", &RestoreResult::categoriesRestored,
              &RestoreResult::categoriesSkipped),
        table(ColumnTables::transactions, "transactions/", &RestoreResult::transactionsRestored,
              &RestoreResult::transactionsSkipped),
        table(ColumnTables::splitLines, "split_lines/", &RestoreResult::splitLinesRestored,
              &RestoreResult::splitLinesSkipped),
        table(ColumnTables::recurring, "recurring/", &RestoreResult::recurringRestored,
              &RestoreResult::recurringSkipped),
        table(ColumnTables::reconciliations, "reconciliations/", &RestoreResult::reconciliationsRestored,
              &RestoreResult::reconciliationsSkipped),
    }};
    return list;
}

int tableOf(const QString &name)
{
    for (size_t t = 0; t < Count; ++t) {
        if (name.startsWith(tables()[t].folder))
            return int(t);
    }
    return -1;
}

QStringList columnNames(const Table &table)
{
    QStringList names;
    for (const Column &column : table.columns)
        names << QLatin1String(column.name);
    return names;
}

int columnIndex(const Table &table, const char *name)
{
    for (qsizetype i = 0; i < table.columns.size(); ++i) {
        if (qstrcmp(table.columns[i].name, name) == 0)
            return int(i);
    }
    return -1;
}

QString upsertSql(const Table &table, bool replaceExisting)
{
    // Only literal names go into it.
    const QStringList names = columnNames(table);
    QString sql = SqlStatement::insertSql(table.name, names) + QStringLiteral(" ON CONFLICT(id) ");
    if (!replaceExisting)
        return sql + QStringLiteral("DO NOTHING");
    QStringList assignments;
    for (const QString &name : names.mid(1))
        assignments << QStringLiteral("%1 = excluded.%1").arg(name);
    return sql + QStringLiteral("DO UPDATE SET ") + assignments.join(QLatin1String(", "));
}

} // namespace BackupTables
