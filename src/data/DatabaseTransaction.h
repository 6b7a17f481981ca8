#pragma once

#include <QSqlDatabase>

class Database;

// A write made of several statements: all of them or none. Rolls back unless
// committed. When the connection is already inside a transaction (a caller's),
// this one joins it and leaves commit and rollback to that caller.
class DatabaseTransaction
{
public:
    // `context` names the caller in the log ("RecurringService::confirm").
    DatabaseTransaction(Database *database, const char *context);
    ~DatabaseTransaction();

    DatabaseTransaction(const DatabaseTransaction &) = delete;
    DatabaseTransaction &operator=(const DatabaseTransaction &) = delete;

    bool commit();

private:
    QSqlDatabase m_connection;
    const char *m_context;
    bool m_owned = false;
};
