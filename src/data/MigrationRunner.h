#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class Database;

// Brings the schema up to date. Each script runs inside one database
// transaction together with the bump of the schema version (PRAGMA
// user_version), so a script that fails leaves the file as it was.
class MigrationRunner : public QObject
{
    Q_OBJECT

public:
    struct Script
    {
        int version = 0; // the NNN of "NNN_name.sql"
        QString name;
        QString sql;
    };

    explicit MigrationRunner(Database *database, QObject *parent = nullptr);

    // The compiled-in scripts ":/sql/sql/migrations/NNN_name.sql", in order.
    static QList<Script> builtInScripts();

    // Applies every built-in script newer than the schema version.
    bool migrate();
    // Applies, in version order, every given script newer than the schema
    // version; stops at the first failure and returns false.
    bool migrate(QList<Script> scripts);

    int schemaVersion() const;
    QString lastError() const { return m_lastError; }

    // Splits a script into statements on the ';' that end them. A ';' inside a
    // string, a quoted name, a comment or a trigger body (CREATE TRIGGER ...
    // BEGIN ...; ...; END;) does not end a statement. Statements holding only
    // white space and comments are dropped.
    static QStringList splitStatements(const QString &sql);

private:
    bool apply(const Script &script);

    Database *m_database;
    QString m_lastError;
};
