#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <memory>

class QSqlQuery;
struct sqlite3_stmt;

// One statement prepared once and run many times with new values (a restore
// writes a row per run), through SQLite's own interface on the connection's
// handle where the driver shares this program's library (see SqliteRows):
// QSqlQuery's values as QVariants and its UTF-16 text cost about as much as
// SQLite's own work per row. Elsewhere it runs through QSqlQuery, with the
// same effects.
class SqliteStatement
{
public:
    SqliteStatement(const QSqlDatabase &database, const QString &sql);
    // Runs a statement the connection keeps (Database::keptReadStatement),
    // which is left reset and without values instead of finalised.
    explicit SqliteStatement(sqlite3_stmt *kept);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    // Values by position, from 0, for the next run.
    void bindNull(int index);
    void bindInteger(int index, qint64 value);
    void bindText(int index, QByteArrayView utf8);
    // A null, a text or an integer (a flag counts as one).
    void bindValue(int index, const QVariant &value);
    static bool bindsAsIs(const QVariant &value);

    // Runs the statement; false on an error (errorText()). A statement that
    // gives rows stops at its first, which utf8() reads until the next run.
    bool exec();
    bool hasRow() const { return m_hasRow; }
    QByteArrayView utf8(int column) const;
    // Rows the last run inserted, updated or deleted itself.
    qint64 changes() const { return m_changes; }
    QString errorText() const { return m_error; }

private:
    void reset();

    QSqlDatabase m_database;
    sqlite3_stmt *m_statement = nullptr;
    bool m_kept = false;
    std::unique_ptr<QSqlQuery> m_query; // when not direct
    mutable QByteArray m_text;          // the row's text, when not direct
    bool m_stepped = false;
    bool m_hasRow = false;
    qint64 m_changes = 0;
    QString m_error;
};
