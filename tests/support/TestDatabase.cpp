#include "TestDatabase.h"

#include "MigrationRunner.h"

#include <QDebug>
#include <QSqlQuery>
#include <QSqlRecord>

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

QVariant TestDatabase::scalar(const QString &sql, const QVariantList &values)
{
    QSqlQuery query;
    if (!query.prepare(sql))
        return {};
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec() || !query.next())
        return {};
    return query.value(0);
}

bool TestDatabase::exec(const QString &sql, const QVariantList &values)
{
    QSqlQuery query;
    if (!query.prepare(sql))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec();
}

QStringList TestDatabase::rowLines(const QString &sql)
{
    QSqlQuery query(sql);
    QStringList lines;
    while (query.next()) {
        const QSqlRecord row = query.record();
        for (int i = 0; i < row.count(); ++i)
            lines << row.fieldName(i) + QLatin1Char('=') + valueText(row.value(i));
    }
    return lines;
}

QString TestDatabase::valueText(const QVariant &value)
{
    return value.isNull() ? QStringLiteral("NULL") : value.toString();
}
