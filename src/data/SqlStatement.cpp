#include "SqlStatement.h"

#include "Database.h"
#include "ReadFailureWatch.h"
#include "SqliteStatement.h"

#include <QDebug>
#include <QSqlError>
#include <algorithm>

namespace SqlStatement {

namespace {

void logFailure(const QSqlError &error, const char *context)
{
    Database::noteCorruption(error);
    if (!context)
        return;
    qWarning().noquote() << QLatin1String(context) + QLatin1String(" failed:") << error.text();
}

} // namespace

bool run(QSqlQuery &query, const QString &sql, const QVariantList &values)
{
    if (!query.prepare(sql))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec();
}

std::optional<int> write(Database *database, const QString &sql, const QVariantList &values,
                         const char *context)
{
    QSqlQuery *query = database->reusableQuery(sql);
    if (!query) {
        // Report the driver's reason for the failed prepare.
        QSqlQuery failed(database->database());
        run(failed, sql, values);
        logFailure(failed, context);
        return std::nullopt;
    }
    for (const QVariant &value : values)
        query->addBindValue(value);
    if (!query->exec()) {
        logFailure(*query, context);
        return std::nullopt;
    }
    return query->numRowsAffected();
}

std::optional<int> writeOften(Database *database, const QString &sql, const QVariantList &values,
                              const char *context)
{
    const bool direct = std::all_of(values.cbegin(), values.cend(), SqliteStatement::bindsAsIs);
    if (sqlite3_stmt *kept = direct ? database->keptReadStatement(sql) : nullptr) {
        SqliteStatement statement(kept);
        for (qsizetype i = 0; i < values.size(); ++i)
            statement.bindValue(int(i), values.at(i));
        if (statement.exec())
            return int(statement.changes());
    }
    return write(database, sql, values, context);
}

QString insertSql(const char *table, const QStringList &columns)
{
    QStringList marks;
    marks.fill(QStringLiteral("?"), columns.size());
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(QLatin1String(table), columns.join(QLatin1String(", ")), marks.join(QLatin1String(", ")));
}

QString updateByIdSql(const char *table, const QStringList &columns)
{
    return QStringLiteral("UPDATE %1 SET %2 = ? WHERE id = ?")
        .arg(QLatin1String(table), columns.join(QLatin1String(" = ?, ")));
}

void logFailure(const QSqlQuery &query, const char *context)
{
    logFailure(query.lastError(), context);
}

void readFailed(const QSqlQuery &query, const char *context)
{
    readFailed(query.lastError(), context);
}

void readFailed(const QSqlError &error, const char *context)
{
    ReadFailureWatch::noteFailure();
    logFailure(error, context);
}

bool stoppedOnError(const QSqlQuery &query)
{
    return query.lastError().type() != QSqlError::NoError;
}

} // namespace SqlStatement
