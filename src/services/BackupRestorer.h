#pragma once

#include "BackupService.h"
#include "BackupTables.h"
#include "RestoreResult.h"
#include "ZipReader.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class Database;
class FlatJsonObject;
class QIODevice;
class SqliteStatement;

// One restore of a backup archive for BackupService. The central directory is
// walked once to check the archive against its bounds, find the manifest and
// count the rows of each table; then each table's rows are read from the file
// in the order of the directory and written, inside one database transaction.
// Nothing of the archive is held but the entry at hand (and the ids of the
// categories, for their order).
class BackupRestorer
{
    Q_DECLARE_TR_FUNCTIONS(BackupService)

public:
    BackupRestorer(Database *database, RestoreMode mode, BackupService::Progress progress);
    ~BackupRestorer();

    void setLimits(qint64 maxEntries, qint64 maxEntrySize);
    RestoreResult run(QIODevice *archive);

    // A column's value as it is written.
    struct Value
    {
        enum Type
        {
            Null,
            Integer,
            Text,
        };
        Type type = Null;
        qint64 integer = 0;
        QByteArrayView text; // UTF-8, valid while the row is written
    };

private:
    struct Category
    {
        QString id;
        QString parentId;
        qint64 position = 0;
    };

    bool scan();
    bool checkManifest();
    bool forEachRow(size_t table, const std::function<bool(const ZipReader::Entry &)> &visit);
    bool restoreTable(size_t table);
    bool restoreCategories();
    bool restoreEntry(size_t table, const ZipReader::Entry &entry);
    std::optional<QByteArray> readEntry(const ZipReader::Entry &entry);
    bool readRow(size_t table, const QByteArray &json);
    void readRow(size_t table, const QJsonObject &object);
    // Every check of a row before it is written (its values in m_values, in
    // the table's column order): false, with the error added, refuses it.
    bool validRow(size_t table, const QString &fileName);
    // Whether the transaction row read keeps its account's sums countable in 64 bits.
    bool keepsSumsInRange();
    // Why the account row read cannot be written: a starting balance beyond
    // what the account form takes or past the account's sums. Empty when it can.
    QString startingBalanceRefusal(const QString &fileName);
    static QString sumsTooLarge(const QString &fileName);
    // The largest an account's starting balance and kept sums are now, and the
    // largest amount stored; false when that cannot be told.
    bool readSumsBound();
    bool writeRow(size_t table, const QString &fileName);
    bool archiveRowIsNewer(size_t table);
    bool runPlain(const char *sql);
    bool advance();
    void addError(const QString &text);

    Database *m_database;
    // What the sums of any account can have reached, while below 2^62 (see keepsSumsInRange).
    bool m_sumsBoundRead = false;
    bool m_askEveryRow = false;
    quint64 m_sumsBound = 0;
    quint64 m_largestStored = 0;
    quint64 m_largestWritten = 0;
    RestoreMode m_mode;
    BackupService::Progress m_progress;
    qint64 m_maxEntries = BackupService::DefaultMaxEntries;
    qint64 m_maxEntrySize = BackupService::DefaultMaxEntrySize;

    std::unique_ptr<ZipReader> m_reader;
    RestoreResult m_result;
    qint64 m_manifest = -1;
    std::array<qint64, BackupTables::Count> m_first{};
    std::array<qint64, BackupTables::Count> m_last{};
    qint64 m_total = 0;
    qint64 m_done = 0;
    bool m_cancelled = false;
    QStringList m_notRows;
    int m_notRowsUnlisted = 0;

    std::array<std::unique_ptr<FlatJsonObject>, BackupTables::Count> m_json;
    std::array<std::unique_ptr<SqliteStatement>, BackupTables::Count> m_upserts;
    std::array<std::unique_ptr<SqliteStatement>, BackupTables::Count> m_stamps;
    QList<Value> m_values;
    QList<QByteArray> m_texts; // text made for the row at hand
};
