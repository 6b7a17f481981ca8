#pragma once

#include "RestoreResult.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class Database;
class QIODevice;
class ZipWriter;

// The backup archive: "manifest.json" ({"version": 1, ...}) and one JSON file
// per row, keyed by column name, under "accounts/", "categories/",
// "transactions/", "split_lines/", "recurring/" and "reconciliations/".
// Export and restore go entry by entry between the database and the file, so
// that a book of a million rows costs no more memory than a small one.
// Restore writes with its own SQL (a fixed column list per table, values
// bound) and emits no repository signal: whoever restores reloads afterwards.
class BackupService : public QObject
{
    Q_OBJECT

public:
    // Bounds for archives from elsewhere, on what costs memory and time: a
    // larger entry is reported and left out; more entries, or entries that
    // would inflate to more than MaxExpansion times the archive's size or
    // MaxTotalBytes, refuse the archive, as does one larger than the free
    // disk space where the database lives. An archive this program writes
    // stays far inside them: a row is a few hundred bytes, a file of rows
    // inflates to about twice its size, and the writer stops at 4 GiB.
    static constexpr qint64 DefaultMaxEntries = 50000000;
    static constexpr qint64 DefaultMaxEntrySize = 1024 * 1024;
    static constexpr qint64 MaxExpansion = 64;
    static constexpr qint64 MaxTotalBytes = 8LL * 1024 * 1024 * 1024;

    // Told the rows done of the rows in all, now and then; returning false
    // cancels the work.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    enum class ExportResult
    {
        Written,
        Cancelled, // nothing was written to the file
        Failed,
    };

    explicit BackupService(Database *database, QObject *parent = nullptr);

    // Writes the archive to `path`, read from one consistent snapshot. The
    // file appears only when it is complete: a failed or cancelled export
    // leaves whatever was at the path before. When the file could not be
    // written, `problem` is told why (a full disk, no permission).
    ExportResult exportBackup(const QString &path, const Progress &progress = {},
                              QString *problem = nullptr) const;
    // The whole archive in memory, for small books; empty on failure.
    QByteArray createBackup() const;

    // Writes every row of the archive in dependency order (accounts,
    // categories parents first, transactions, split lines, recurring,
    // reconciliations) inside one database transaction, each row succeeding
    // or failing alone. Local rows that are not in the archive stay. Archive
    // problems, failed rows and entries that are not rows are error texts;
    // when the archive itself is unusable, or the restore is cancelled,
    // nothing is written. `archive` is open for reading.
    RestoreResult restoreBackup(QIODevice *archive, RestoreMode mode, const Progress &progress = {}) const;
    RestoreResult restoreBackup(const QByteArray &archive, RestoreMode mode) const;

    void setLimits(qint64 maxEntries, qint64 maxEntrySize);

private:
    ExportResult writeArchive(ZipWriter &writer, const Progress &progress) const;
    ExportResult writeRows(ZipWriter &writer, const Progress &progress) const;

    Database *m_database;
    qint64 m_maxEntries = DefaultMaxEntries;
    qint64 m_maxEntrySize = DefaultMaxEntrySize;
};
