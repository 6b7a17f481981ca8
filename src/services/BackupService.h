#pragma once

#include "RestoreResult.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <cstddef>
#include <optional>

class Database;
class ZipReader;

// The backup archive: "manifest.json" ({"version": 1, ...}) and one JSON file
// per row, keyed by column name, under "accounts/", "categories/",
// "transactions/", "split_lines/", "recurring/" and "reconciliations/".
// Restore writes with its own SQL (a fixed column list per table, values
// bound) and emits no repository signal: whoever restores reloads afterwards.
class BackupService : public QObject
{
    Q_OBJECT

public:
    // Far above any real book (a row is a few hundred bytes), low enough that
    // an archive from elsewhere cannot exhaust memory.
    static constexpr qint64 DefaultMaxEntries = 1000000;
    static constexpr qint64 DefaultMaxEntrySize = 1024 * 1024;

    explicit BackupService(Database *database, QObject *parent = nullptr);

    // The whole archive, read from one consistent snapshot; empty on failure.
    QByteArray createBackup() const;

    // Writes every row of the archive in dependency order (accounts,
    // categories parents first, transactions, split lines, recurring,
    // reconciliations) inside one database transaction, each row on its own
    // savepoint so that it succeeds or fails alone. Local rows that are not in
    // the archive stay. Archive problems and failed rows are error texts; when
    // the archive itself is unusable nothing is written.
    RestoreResult restoreBackup(const QByteArray &archive, RestoreMode mode) const;

    // Limits for archives from elsewhere: more entries refuse the archive, a
    // larger entry is reported and left out.
    void setLimits(qint64 maxEntries, qint64 maxEntrySize);

private:
    struct Row
    {
        QString fileName;
        QJsonObject object;
        int index = -1; // the entry, for a row read again when it is written
    };

    std::optional<QJsonObject> readObject(const ZipReader &reader, int index, RestoreResult &result) const;
    bool restoreRow(size_t table, const Row &row, RestoreMode mode, RestoreResult &result) const;
    bool runStatement(const QString &sql) const;
    static QList<Row> parentsFirst(QList<Row> categories);

    Database *m_database;
    qint64 m_maxEntries = DefaultMaxEntries;
    qint64 m_maxEntrySize = DefaultMaxEntrySize;
};
