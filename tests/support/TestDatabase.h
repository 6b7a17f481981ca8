#pragma once

#include "Database.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

// A fresh data directory with a real, opened and migrated "tallyfern.db" on
// Qt's default connection. Create one per test case (init) and destroy it in
// cleanup; destroy every QSqlQuery first. While it lives, TALLYFERN_DATA_DIR
// points at its directory so code that resolves the data directory itself
// finds the same one.
class TestDatabase
{
public:
    // migrate = false leaves the file empty at schema version 0.
    explicit TestDatabase(bool migrate = true);
    ~TestDatabase();

    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    bool isValid() const { return m_valid; }
    Database *database() const { return m_database.get(); }
    QString dataDirectory() const { return m_directory.path(); }
    QString filePath() const;

    // The first column of the first row of a statement on the default
    // connection; an invalid QVariant when it fails or yields no row. The
    // query is gone when this returns.
    static QVariant scalar(const QString &sql, const QVariantList &values = {});

    // Runs a statement on the default connection; false when it fails.
    static bool exec(const QString &sql, const QVariantList &values = {});

    // Every row of a statement as "column=value" lines, one after the other;
    // empty when it fails.
    static QStringList rowLines(const QString &sql);
    // A value as rowLines() spells it: NULL spelled out.
    static QString valueText(const QVariant &value);

    // Closes the connection (checkpointing the journal into the file).
    void close();
    // Opens the same file again on a new Database.
    bool reopen();

private:
    QTemporaryDir m_directory;
    std::unique_ptr<Database> m_database;
    QByteArray m_previousDataDir;
    bool m_hadDataDir = false;
    bool m_valid = false;
};
