#include "TestDatabase.h"

#include "MigrationRunner.h"

#include <QDebug>

TestDatabase::TestDatabase(bool migrate)
    : m_hadDataDir(qEnvironmentVariableIsSet("TALLYFERN_DATA_DIR"))
{
    m_previousDataDir = qgetenv("TALLYFERN_DATA_DIR");
    if (!m_directory.isValid()) {
        qWarning() << "TestDatabase: no temporary directory";
        return;
    }
    qputenv("TALLYFERN_DATA_DIR", m_directory.path().toLocal8Bit());
    if (!reopen())
        return;
    if (migrate) {
        MigrationRunner runner(m_database.get());
        if (!runner.migrate()) {
            qWarning() << "TestDatabase: migration failed:" << runner.lastError();
            m_valid = false;
        }
    }
}

TestDatabase::~TestDatabase()
{
    close();
    if (m_hadDataDir)
        qputenv("TALLYFERN_DATA_DIR", m_previousDataDir);
    else
        qunsetenv("TALLYFERN_DATA_DIR");
}

QString TestDatabase::filePath() const
{
    return m_directory.filePath(QLatin1String(Database::FileName));
}

void TestDatabase::close()
{
    m_database.reset();
    m_valid = false;
}

bool TestDatabase::reopen()
{
    m_database.reset();
    m_database = std::make_unique<Database>(m_directory.path());
    m_valid = m_database->open();
    return m_valid;
}
