#pragma once

#include "RegisterRow.h"
#include "Transaction.h"
#include "TransactionSearchFilter.h"

#include "SyncedRepository.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Database;

class TransactionRepository : public SyncedRepository
{
    Q_OBJECT

public:
    static constexpr int SearchLimit = 200;

    explicit TransactionRepository(Database *database, QObject *parent = nullptr);

    // Soft-deleted or not.
    std::optional<Transaction> findById(const QString &id) const;
    // Live transactions of the account, newest date first, then newest creation.
    QList<Transaction> findByAccount(const QString &accountId) const;
    // Live, not reconciled, oldest date first, then oldest creation.
    QList<Transaction> findUnreconciled(const QString &accountId) const;
    std::optional<Transaction> findByServerId(const QString &serverId) const;
    // Every pending row, soft-deleted ones included.
    QList<Transaction> findPendingSync() const;

    // The register of one account: its live transactions oldest first (date,
    // then creation), each with the balance after it, starting from the
    // account's starting balance, and its category path.
    QList<RegisterRow> registerRows(const QString &accountId) const;
    // The given transactions as register rows with their category paths,
    // soft-deleted ones included; the balance is left 0 for the caller to
    // carry. Empty also when the read fails.
    QList<RegisterRow> registerRowsByIds(const QStringList &ids) const;

    // Distinct non-empty payees of live transactions, in byte order.
    QStringList allPayees() const;
    // The same list; the account is not used, so completion offers payees of
    // every account.
    QStringList payees(const QString &accountId) const;

    // At most SearchLimit live transactions, newest first. Every run of
    // letters and digits in `text` is a prefix term that must match payee,
    // memo or check number; the filter's set fields restrict further.
    QList<RegisterRow> search(const QString &text, const TransactionSearchFilter &filter) const;

    // The account's oldest live row marked as its opening balance, whatever
    // its payee; empty when none is marked.
    std::optional<Transaction> findOpening(const QString &accountId) const;
    // Marks, in each account without a live marked row, the row found by its
    // payee: the oldest live one whose payee is one of `payees` with no
    // category, transfer or split lines. Only the mark changes, so the rows
    // stay as they were to sync.
    bool markOpening(const QStringList &payees);

    bool insert(const Transaction &transaction);
    // Writes everything but id, account_id, is_opening, created_at and deleted_at.
    bool update(const Transaction &transaction);
    // False without writing when there is no such row. Split lines and a
    // transfer's other leg are left alone.
    bool softDelete(const QString &id);

    // The full-text query for a typed text: each term quoted and made a
    // prefix ("run"*), so words like OR or NOT are searched, not parsed.
    // Empty when the text has no letters or digits.
    static QString fullTextQuery(const QString &text);

    // The statements behind registerRows() and allPayees(), for checking
    // their query plans.
    static QString registerRowsSql();
    static QString allPayeesSql();

    // Soft-delete with the account's deletion time, and bring back what was
    // deleted at or after a cutoff (see SyncedRepository).
    using SyncedRepository::restoreByAccount;
    using SyncedRepository::softDeleteByAccount;

signals:
    void transactionsChanged(const QString &accountId);
    // Emitted just before transactionsChanged() when one known transaction was
    // inserted, updated or deleted, so a register can read that row alone.
    void transactionWritten(const QString &accountId, const QString &transactionId);

protected:
    void announceChange(const QString &accountId) override;

private:
    // How many rows each account's register had when last read: room for as
    // many is taken at once, rather than copying a large register's rows
    // each time the list outgrows its room.
    mutable QHash<QString, qsizetype> m_registerSizes;
};
