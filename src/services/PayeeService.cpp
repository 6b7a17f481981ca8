#include "PayeeService.h"

#include "Database.h"
#include "DatabaseTransaction.h"
#include "SqlValues.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

PayeeService::PayeeService(Database *database, QObject *parent)
    : QObject(parent)
    , m_database(database)
{
}

PayeeService::Result PayeeService::rewrite(const QStringList &oldNames, const QString &newName)
{
    Result result;
    DatabaseTransaction transaction(m_database, "PayeeService::rewrite");
    // The same stamp form as every other writer, so that time stamps compare
    // as text (the backup keeps the newer row by comparing them).
    const QString now = SqlValues::nowText();
    QSqlQuery query(m_database->database());
    if (!query.prepare(
            QStringLiteral("UPDATE transactions SET payee = ?, updated_at = ?, sync_status = 'pending' "
                           "WHERE payee = ? AND deleted_at IS NULL"))) {
        result.error = query.lastError().text();
        qWarning() << "PayeeService::rewrite failed:" << result.error;
        return result;
    }
    for (const QString &oldName : oldNames) {
        if (oldName == newName)
            continue;
        query.addBindValue(newName);
        query.addBindValue(now);
        query.addBindValue(oldName);
        if (!query.exec()) {
            result.error = query.lastError().text();
            qWarning() << "PayeeService::rewrite failed:" << result.error;
            return result;
        }
        result.rowsChanged += query.numRowsAffected();
    }
    if (!transaction.commit()) {
        result.error = m_database->database().lastError().text();
        result.rowsChanged = 0;
        return result;
    }
    result.ok = true;
    return result;
}
