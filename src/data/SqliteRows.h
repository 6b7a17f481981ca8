#pragma once

#include "SqlStatement.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class Database;
struct sqlite3_stmt;

// The rows of one read through SQLite's own interface, on the connection's
// handle, for the reads that turn many rows into records (a register of tens
// of thousands of rows): QSqlQuery hands every column over as a QVariant of
// UTF-16 text, which costs about as much as SQLite's own work, while here the
// caller reads the UTF-8 text in place and makes a QString only where it keeps
// one. Where the QSQLITE driver does not share this program's SQLite library
// (a build with its own copy), the rows come through QSqlQuery, with the same
// answers.
class SqliteRows
{
public:
    // Prepares `sql` and binds `values` (text, integers or null) in order.
    SqliteRows(const QSqlDatabase &database, const QString &sql, const QVariantList &values);
    // The same on the database's kept statement for `sql` (see
    // Database::keptReadStatement), for small reads made often.
    SqliteRows(Database *database, const QString &sql, const QVariantList &values);
    ~SqliteRows();
    SqliteRows(const SqliteRows &) = delete;
    SqliteRows &operator=(const SqliteRows &) = delete;

    // The next row; false after the last one, and on an error (see failed()).
    bool next();
    // True when the statement could not run, or its rows ended on an error
    // rather than after the last one.
    bool failed() const { return m_error.type() != QSqlError::NoError; }
    QSqlError lastError() const { return m_error; }

    // The current row's columns.
    bool isNull(int column) const;
    qint64 integer(int column) const;
    // The text, valid until the next call of next().
    QByteArrayView utf8(int column) const;
    QString text(int column) const { return QString::fromUtf8(utf8(column)); }
    // The integer, or empty when the value is of another type (a sum past
    // 64 bits turns to floating point).
    std::optional<qint64> exactInteger(int column) const;

    // Every row of `sql` as a record made by `read` (called with these rows);
    // empty when the read fails part-way, since a partial list would pass for
    // the whole one. `context` names the caller in the warning.
    template <typename Record, typename Read, typename Connection>
    static QList<Record> readAll(const Connection &database, const QString &sql, const QVariantList &values,
                                 Read read, const char *context)
    {
        QList<Record> list;
        SqliteRows rows(database, sql, values);
        while (rows.next())
            list.append(read(rows));
        if (rows.failed()) {
            SqlStatement::readFailed(rows.lastError(), context);
            return {};
        }
        return list;
    }

    // Whether reads take SQLite's interface; tests turn it off to check the
    // QSqlQuery path gives the same answers.
    static bool directReads(const QSqlDatabase &database);
    static void setDirectReadsAllowed(bool allowed);

private:
    void prepare(const QSqlDatabase &database, const QString &sql);
    void bind(const QVariantList &values);
    // Done with the statement: a kept one is reset for its next use.
    void release();

    sqlite3_stmt *m_statement = nullptr;
    bool m_kept = false;
    std::unique_ptr<QSqlQuery> m_query; // when not direct
    QList<QByteArray> m_texts;          // the current row's text, when not direct
    QSqlError m_error;
};
