#pragma once

#include <QSqlDatabase>

// Runs a group of repository writes as one database transaction: finish(true)
// commits, finish(false) or leaving the scope unfinished rolls back. Inside an
// enclosing transaction it leaves commit and rollback to the outer owner.
class WriteScope
{
public:
    explicit WriteScope(const QSqlDatabase &database);
    ~WriteScope();
    WriteScope(const WriteScope &) = delete;
    WriteScope &operator=(const WriteScope &) = delete;

    // Returns whether the writes are kept.
    bool finish(bool ok);

private:
    QSqlDatabase m_database;
    bool m_owns = false;
    bool m_finished = false;
};
