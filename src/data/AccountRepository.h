#pragma once

#include "Account.h"

#include "SyncedRepository.h"
#include <QHash>

#include <QList>
#include <QString>
#include <optional>

class Database;

// An account as a list of accounts shows it, with its balance.
struct ListedAccount
{
    // The id, name, type, currency, institution and last digits; the rest as
    // a new Account has them.
    Account account;
    // Empty when it could not be read.
    std::optional<qint64> balance;
};

class AccountRepository : public SyncedRepository
{
    Q_OBJECT

public:
    explicit AccountRepository(Database *database, QObject *parent = nullptr);

    // Live accounts by sort order, then name.
    QList<Account> findAll() const;
    // Soft-deleted or not.
    std::optional<Account> findById(const QString &id) const;
    // Soft-deleted accounts by name.
    QList<Account> findDeleted() const;
    std::optional<Account> findByServerId(const QString &serverId) const;
    // Every pending row, soft-deleted ones included.
    QList<Account> findPendingSync() const;

    bool insert(const Account &account);
    // Writes everything but id, created_at and deleted_at.
    bool update(const Account &account);
    // Stamps deleted_at and updated_at with `deletedAt` (now when invalid) and
    // returns the row to pending. Pass the same time to the children's
    // softDeleteByAccount so that restoring the account brings them back.
    bool softDelete(const QString &id, const QDateTime &deletedAt = QDateTime());
    bool restore(const QString &id);

    // The balance of every live account: starting balance plus its live
    // transactions, all of them ("current"), the cleared ones ("cleared") or
    // those dated today or earlier ("asOfToday"). Another mode means "current".
    // An account whose balance cannot be read is left out (ReadFailureWatch
    // tells), the others are still there.
    QHash<QString, qint64> balances(const QString &mode) const;
    // The same for one live account, from the sums kept per account; empty
    // when the account is not live or the read fails.
    std::optional<qint64> balance(const QString &accountId, const QString &mode) const;
    // The live accounts in the order of findAll(), as a list shows them, each
    // with its balance as balances() gives it, in one read. Empty when that
    // read failed, which is not counted for ReadFailureWatch (a balance that
    // could not be read is): the caller reads the list and the balances apart
    // to tell what still reads.
    std::optional<QList<ListedAccount>> listed(const QString &mode) const;
    // The statements behind balances(), balance() and listed(), for checking their
    // query plans and timing them.
    static QString balancesSql(const QString &mode);
    static QString balanceSql(const QString &mode);
    static QString listedSql(const QString &mode);

signals:
    void accountsChanged();

protected:
    void announceChange(const QString &accountId) override;

private:
    std::optional<qint64> summedBalance(const QString &accountId, const QString &mode) const;
};
