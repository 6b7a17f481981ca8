#pragma once

#include "Transaction.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>

class Database;
class SqliteStatement;

// New transactions written many to a statement, inside the caller's database
// transaction. Each statement that writes the text index opens a savepoint,
// and the index writes out what it holds at every savepoint: one statement
// per row would cost the index a write of its own per row. For records made
// ready to insert that need no other row written with them (no transfer leg,
// no split lines); nothing announces them.
class TransactionBatch
{
public:
    explicit TransactionBatch(Database *database);
    ~TransactionBatch();
    TransactionBatch(const TransactionBatch &) = delete;
    TransactionBatch &operator=(const TransactionBatch &) = delete;

    // Keeps the record and writes what is kept once there are enough; false
    // when that write failed (see failed()).
    bool add(const Transaction &transaction);
    // Writes what is kept.
    bool flush();
    // Records kept and not yet written.
    int pending() const { return int(m_pending.size()); }

    // After a failure: which record of those kept failed (counted from the
    // first one not yet written), and why. The caller rolls its transaction back.
    int failedIndex() const { return m_failedIndex; }
    QString errorText() const { return m_error; }

private:
    bool write(const QList<Transaction> &rows, std::unique_ptr<SqliteStatement> &statement);

    Database *m_database;
    QList<Transaction> m_pending;
    std::unique_ptr<SqliteStatement> m_full; // for a whole batch, kept
    std::unique_ptr<SqliteStatement> m_one;  // to find the row a batch failed on
    QDateTime m_stamp;                       // the last time stamp written, and its text
    QByteArray m_stampText;
    int m_failedIndex = -1;
    QString m_error;
};
