#pragma once

// The least work for the backup's archive, on SQLite's C API, zlib and stdio:
// the floors the program's export and restore are measured against.

#include <QString>

namespace BackupFloor {

// Writes the same entries as the program's export (same names, same JSON,
// same compression) from the database at `databasePath` into `archivePath`,
// keeping the central directory in memory. False on any failure.
bool exportArchive(const QString &databasePath, const QString &archivePath);

// Reads every row entry of the archive from front to back, inflates it,
// reads its flat JSON and inserts it with one prepared statement per table,
// all in one transaction, into the database at `databasePath` (its schema,
// triggers and settings as the program has them). False on any failure.
bool restoreArchive(const QString &archivePath, const QString &databasePath);

// A digest of every entry but the manifest (name, checksum, size) from the
// archive's central directory: equal digests mean the same entries. -1 when
// the archive cannot be read.
qint64 entriesDigest(const QString &archivePath);

} // namespace BackupFloor
