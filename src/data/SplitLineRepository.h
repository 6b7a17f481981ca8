#pragma once

#include "SplitLine.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class Database;

// Split lines belong to their transaction: they have no sync state of their
// own and their writes emit no signal (the transaction's write does).
class SplitLineRepository : public QObject
{
    Q_OBJECT

public:
    explicit SplitLineRepository(Database *database, QObject *parent = nullptr);

    // In database order.
    QList<SplitLine> findByTransaction(const QString &transactionId) const;
    // The lines of every pending split transaction by transaction id, each
    // list in the order of findByTransaction(): one query for a whole push.
    QHash<QString, QList<SplitLine>> findForPendingTransactions() const;
    bool deleteByTransaction(const QString &transactionId);
    bool insert(const SplitLine &line);

    // The statement behind findByTransaction(), for checking its query plan.
    static QString findByTransactionSql();

private:
    Database *m_database;
};
