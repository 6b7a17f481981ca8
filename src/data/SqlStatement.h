#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

class Database;

// The few shapes every repository statement takes: prepare, bind in order, run,
// and log a failure with the caller's "Class::method" name.
namespace SqlStatement {

// Prepares and runs `sql` with `values` bound in order. Reads should set the
// query forward-only before calling this.
bool run(QSqlQuery &query, const QString &sql, const QVariantList &values);

// A write on the database's reusable statement for `sql`: the number of rows
// changed, or empty after logging "<context> failed:" with the driver's error
// text.
std::optional<int> write(Database *database, const QString &sql, const QVariantList &values,
                         const char *context);

// The same for a write run for every row of a pull or an import: on a
// statement kept with the connection, its values bound through SQLite's own
// interface without the driver's per-value conversions. A failed run is made
// again through write(), which logs why.
std::optional<int> writeOften(Database *database, const QString &sql, const QVariantList &values,
                              const char *context);

// "INSERT INTO <table> (a, b) VALUES (?, ?)" for literal table and column names.
QString insertSql(const char *table, const QStringList &columns);
// "UPDATE <table> SET a = ?, b = ? WHERE id = ?".
QString updateByIdSql(const char *table, const QStringList &columns);

// Logs "<context> failed:" with the query's error text (nothing for a null context).
void logFailure(const QSqlQuery &query, const char *context);
// logFailure for a read, which is also counted for ReadFailureWatch.
void readFailed(const QSqlQuery &query, const char *context);
void readFailed(const QSqlError &error, const char *context);
// True when the rows of a read ended on an error rather than after its last row.
bool stoppedOnError(const QSqlQuery &query);

// Every row of a read turned into a record by `read`; empty when the query
// fails, also part-way through its rows (logged when a context is given).
template <typename Reader>
auto readAll(const QSqlDatabase &database, const QString &sql, const QVariantList &values, Reader read,
             const char *context = nullptr)
{
    using Record = decltype(read(std::declval<const QSqlQuery &>()));
    QList<Record> records;
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!run(query, sql, values)) {
        readFailed(query, context);
        return records;
    }
    while (query.next())
        records.append(read(query));
    // A partial list would pass for the whole one.
    if (stoppedOnError(query)) {
        readFailed(query, context);
        records.clear();
    }
    return records;
}

template <typename Reader>
auto readOne(const QSqlDatabase &database, const QString &sql, const QVariantList &values, Reader read,
             const char *context = nullptr)
{
    using Record = decltype(read(std::declval<const QSqlQuery &>()));
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!run(query, sql, values)) {
        readFailed(query, context);
        return std::optional<Record>();
    }
    if (!query.next()) {
        if (stoppedOnError(query))
            readFailed(query, context);
        return std::optional<Record>();
    }
    return std::optional<Record>(read(query));
}

} // namespace SqlStatement
