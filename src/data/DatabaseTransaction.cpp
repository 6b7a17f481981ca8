#include "DatabaseTransaction.h"

#include "Database.h"

#include <QDebug>
#include <QSqlError>

DatabaseTransaction::DatabaseTransaction(Database *database, const char *context)
    : m_connection(database->database())
    , m_context(context)
    , m_owned(m_connection.transaction())
{
}

DatabaseTransaction::~DatabaseTransaction()
{
    if (m_owned)
        m_connection.rollback();
}

bool DatabaseTransaction::commit()
{
    if (!m_owned)
        return true;
    m_owned = false;
    if (m_connection.commit())
        return true;
    qWarning().nospace() << m_context << " failed: " << m_connection.lastError().text();
    m_connection.rollback();
    return false;
}
