#include "Database.h"

#include "PreferenceKeys.h"
#include "SqliteRows.h"
#include "WriteHold.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace {

const QString &connectionName()
{
    static const QString name = QLatin1String(QSqlDatabase::defaultConnection);
    return name;
}

// A file nobody may write to is read-only to the user also when the process
// could override it (an administrator), and the program must not change it.
bool isReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const QFile::Permissions writable =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !info.isWritable() || !(info.permissions() & writable);
}

} // namespace

Database::Database(const QString &dataDirectory, QObject *parent)
    : QObject(parent)
    , m_dataDirectory(dataDirectory)
    , m_writeHold(new WriteHold(this))
{
}

Database::~Database()
{
    close();
}

bool Database::open()
{
    return open(0);
}

bool Database::open(int newestSchemaVersion)
{
    if (m_ownsConnection)
        return isOpen();
    if (QSqlDatabase::contains(connectionName())) {
        qWarning() << "Database::open failed: the default connection is already in use";
        return false;
    }
    m_problem = Problem::None;
    if (!QDir().mkpath(m_dataDirectory)) {
        qWarning() << "Database::open failed: cannot create" << m_dataDirectory;
        m_problem = Problem::CannotOpen;
        return false;
    }
    if (isReadOnlyFile(filePath())) {
        qWarning() << "Database::open failed: the file is read-only:" << filePath();
        m_problem = Problem::ReadOnly;
        return false;
    }

    m_ownsConnection = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName());
        db.setDatabaseName(filePath());
        if (!db.open()) {
            qWarning() << "Database::open failed:" << db.lastError().text();
            m_problem = isDamage(db.lastError()) ? Problem::Damaged : Problem::CannotOpen;
        } else {
            QSqlQuery pragma(db);
            // The header is read before anything could write: a file that is
            // not a database at all is reported as damaged and left alone.
            // journal_mode both reads and, for a new file, writes: a file that
            // cannot be written fails here rather than at the first edit.
            // A larger page cache than SQLite's 2 MiB default keeps a register
            // of tens of thousands of rows in memory between reloads (20,000
            // rows take about 5 MiB of pages); more would hold pages that
            // reads of the whole file (the sidebar's balances) pass through
            // once, as memory the program never gives back. Temporary storage
            // in memory: a statement that changes many rows of a table with
            // triggers (a push's results marked synced) keeps a statement
            // journal, which SQLite would otherwise write to a temporary file
            // past 64 KiB; this file's temporary needs are small.
            const bool headerRead = pragma.exec(QStringLiteral("PRAGMA user_version")) && pragma.next();
            if (headerRead && newestSchemaVersion > 0 && pragma.value(0).toInt() > newestSchemaVersion) {
                qWarning() << "Database::open refused: schema" << pragma.value(0).toInt() << "is newer than"
                           << newestSchemaVersion;
                m_problem = Problem::MadeByNewerVersion;
                pragma.finish();
                close();
                return false;
            }
            const bool ok = headerRead && pragma.exec(QStringLiteral("PRAGMA foreign_keys = ON")) &&
                            pragma.exec(QStringLiteral("PRAGMA cache_size = -8192")) &&
                            pragma.exec(QStringLiteral("PRAGMA temp_store = MEMORY")) &&
                            pragma.exec(QStringLiteral("PRAGMA journal_mode = WAL")) && pragma.next();
            if (ok)
                return true;
            qWarning() << "Database::open failed:" << pragma.lastError().text();
            const QString code = pragma.lastError().nativeErrorCode();
            m_problem = isDamage(pragma.lastError()) ? Problem::Damaged
                        : code == QLatin1String("8") ? Problem::ReadOnly // SQLITE_READONLY
                                                     : Problem::CannotOpen;
        }
    }
    close();
    return false;
}

bool Database::stopWrites()
{
    m_problem = Problem::Damaged;
    QSqlQuery query(database());
    if (query.exec(QStringLiteral("PRAGMA query_only = ON")))
        return true;
    qWarning() << "Database::stopWrites failed:" << query.lastError().text();
    return false;
}

bool Database::isDamage(const QSqlError &error)
{
    // SQLite's primary result codes, as the driver reports them.
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26"); // SQLITE_CORRUPT, SQLITE_NOTADB
}

void Database::noteCorruption(const QSqlError &error)
{
    if (!isDamage(error))
        return;
    QSqlDatabase db = QSqlDatabase::database(connectionName(), false);
    if (!db.isOpen())
        return;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM preferences WHERE key = ?"));
    query.addBindValue(PreferenceKeys::LastIntegrityCheck.name());
    query.exec();
}

bool Database::isOpen() const
{
    return m_ownsConnection && QSqlDatabase::database(connectionName(), false).isOpen();
}

void Database::close()
{
    if (!m_ownsConnection)
        return;
    m_statements.clear();
    for (const auto &[sql, statement] : m_readStatements)
        sqlite3_finalize(statement);
    m_readStatements.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName(), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName());
    m_ownsConnection = false;
}

QSqlDatabase Database::database() const
{
    return QSqlDatabase::database(connectionName(), false);
}

QString Database::filePath() const
{
    return QDir(m_dataDirectory).filePath(QLatin1String(FileName));
}

QSqlQuery *Database::reusableQuery(const QString &sql)
{
    if (!m_ownsConnection)
        return nullptr;
    auto found = m_statements.find(sql);
    if (found != m_statements.end())
        return found->second.get();
    auto query = std::make_unique<QSqlQuery>(database());
    if (!query->prepare(sql))
        return nullptr;
    return m_statements.emplace(sql, std::move(query)).first->second.get();
}

sqlite3_stmt *Database::keptReadStatement(const QString &sql)
{
    const QSqlDatabase connection = database();
    if (!m_ownsConnection || !connection.isOpen() || !SqliteRows::directReads(connection))
        return nullptr;
    const auto found = m_readStatements.find(sql);
    if (found != m_readStatements.end())
        return found->second;
    const QVariant handle = connection.driver()->handle();
    sqlite3 *db = *static_cast<sqlite3 *const *>(handle.constData());
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v3(db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT, &statement,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    return m_readStatements.emplace(sql, statement).first->second;
}
