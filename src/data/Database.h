#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <memory>
#include <unordered_map>

class WriteHold;
struct sqlite3_stmt;

// The program's one SQLite connection, on Qt's default connection name so that
// code which prepares its own QSqlQuery finds it. Repositories ask for it per
// call and keep no copy, so the destructor can close and remove it.
class Database : public QObject
{
    Q_OBJECT

public:
    static constexpr auto FileName = "tallyfern.db";

    // Why the file could not be used, for the user: each asks for a different
    // remedy, and none of them may be met by writing to the file.
    enum class Problem
    {
        None,
        CannotOpen,
        ReadOnly,
        Damaged,
        MadeByNewerVersion,
    };

    explicit Database(const QString &dataDirectory, QObject *parent = nullptr);
    ~Database() override;

    // Opens (creating when missing) "tallyfern.db" in the data directory with
    // foreign keys on and the WAL journal. False, logged, when the file cannot
    // be opened or written, or when another Database holds the connection.
    bool open();
    // The same, refusing before anything is written a file whose schema is
    // newer than `newestSchemaVersion`.
    bool open(int newestSchemaVersion);
    bool isOpen() const;
    void close();
    Problem problem() const { return m_problem; }

    // Damage was found in the file: from now on every write on this
    // connection fails, whoever asks, and the problem is Damaged.
    bool stopWrites();

    // The error is SQLite's report of a damaged file or one that is no database.
    static bool isDamage(const QSqlError &error);

    // A statement met damage while the program ran: the next start checks the
    // whole file again instead of trusting the day's earlier check.
    static void noteCorruption(const QSqlError &error);

    QSqlDatabase database() const;

    // A prepared statement kept with the connection, for writes that run many
    // times in a row (imports, postings, pulled changes): preparing an insert
    // into transactions also compiles its full-text triggers. Null when the
    // statement does not prepare. The caller binds and runs it at once and
    // keeps no pointer beyond that.
    QSqlQuery *reusableQuery(const QString &sql);
    // A read statement kept with the connection for SqliteRows, for reads made
    // after every edit (balances, the account list), or a write run through
    // SqliteStatement many times a cycle (a push's results): compiled once.
    // Null when it does not prepare or the driver does not share this
    // program's SQLite library. SqliteRows resets it after the read.
    sqlite3_stmt *keptReadStatement(const QString &sql);
    QString dataDirectory() const { return m_dataDirectory; }
    QString filePath() const;

    // Held while a long write keeps a transaction open and lets events through.
    WriteHold *writeHold() const { return m_writeHold; }

private:
    QString m_dataDirectory;
    // Destroyed before the connection is removed.
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_statements;
    std::unordered_map<QString, sqlite3_stmt *> m_readStatements;
    bool m_ownsConnection = false;
    Problem m_problem = Problem::None;
    WriteHold *m_writeHold = nullptr;
};
