#include "WriteScope.h"

#include <QDebug>
#include <QSqlError>

WriteScope::WriteScope(const QSqlDatabase &database)
    : m_database(database)
{
    m_owns = m_database.isOpen() && m_database.transaction();
}

WriteScope::~WriteScope()
{
    if (!m_finished)
        finish(false);
}

bool WriteScope::finish(bool ok)
{
    if (m_finished)
        return ok;
    m_finished = true;
    if (!m_owns)
        return ok;
    if (ok) {
        if (m_database.commit())
            return true;
        qWarning() << "WriteScope::finish commit failed:" << m_database.lastError().text();
    }
    m_database.rollback();
    return false;
}
