#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class Database;

// Renames payees across every live transaction. A payee is only the text of a
// transaction's payee field, so this rewrites that column directly; the rows
// become pending so that the next sync cycle pushes them. No repository signal
// is emitted: the caller refreshes what shows payees.
class PayeeService : public QObject
{
    Q_OBJECT

public:
    struct Result
    {
        bool ok = false;
        int rowsChanged = 0;
        QString error; // the driver's text when ok is false
    };

    explicit PayeeService(Database *database, QObject *parent = nullptr);

    // Gives every live transaction whose payee is one of `oldNames` (compared
    // exactly, letter case included) the payee `newName`. Names equal to
    // `newName` are left alone. All or nothing: the first failing statement
    // rolls back the whole rewrite.
    Result rewrite(const QStringList &oldNames, const QString &newName);

private:
    Database *m_database;
};
