#include "Database.h"

#include <QDebug>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString &connectionName()
{
    static const QString name = QLatin1String(QSqlDatabase::defaultConnection);
    return name;
}

} // namespace

Database::Database(const QString &dataDirectory, QObject *parent)
    : QObject(parent)
    , m_dataDirectory(dataDirectory)
{
}

Database::~Database()
{
    close();
}

bool Database::open()
{
    if (m_ownsConnection)
        return isOpen();
    if (QSqlDatabase::contains(connectionName())) {
        qWarning() << "Database::open failed: the default connection is already in use";
        return false;
    }
    if (!QDir().mkpath(m_dataDirectory)) {
        qWarning() << "Database::open failed: cannot create" << m_dataDirectory;
        return false;
    }

    m_ownsConnection = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName());
        db.setDatabaseName(filePath());
        if (!db.open()) {
            qWarning() << "Database::open failed:" << db.lastError().text();
        } else {
            QSqlQuery pragma(db);
            // journal_mode both reads and, for a new file, writes: a file that
            // cannot be written fails here rather than at the first edit.
            // A larger page cache than SQLite's 2 MiB default keeps a register
            // of tens of thousands of rows in memory between reloads.
            const bool ok = pragma.exec(QStringLiteral("PRAGMA foreign_keys = ON")) &&
                            pragma.exec(QStringLiteral("PRAGMA cache_size = -32768")) &&
                            pragma.exec(QStringLiteral("PRAGMA journal_mode = WAL")) && pragma.next() &&
                            pragma.exec(QStringLiteral("PRAGMA user_version")) && pragma.next();
            if (ok)
                return true;
            qWarning() << "Database::open failed:" << pragma.lastError().text();
        }
    }
    close();
    return false;
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
