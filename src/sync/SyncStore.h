#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

struct Account;
struct Category;
struct Reconciliation;
struct RecurringTransaction;
struct Transaction;
class AccountRepository;
class CategoryRepository;
class ReconciliationRepository;
class RecurringRepository;
class SplitLineRepository;
class TransactionRepository;

// The five synchronised kinds, in the order a cycle pushes and applies them.
enum class SyncKind
{
    Account,
    Category,
    Recurring,
    Transaction,
    Reconciliation
};

// What the pull needs to know of an existing row to decide about a server
// copy, without reading the whole record.
struct SyncRowState
{
    QString id;
    QString serverId;
    int version = 0;
    bool pending = false;
    bool deleted = false;
    bool isSplit = false; // transactions only
    QString accountId;    // transactions and recurring rules
};

// The repositories a sync cycle reads and writes, and the few statements of
// its own bookkeeping that no repository offers. Not owned.
class SyncStore
{
public:
    SyncStore(AccountRepository *accounts, TransactionRepository *transactions,
              CategoryRepository *categories, RecurringRepository *recurring,
              ReconciliationRepository *reconciliations, SplitLineRepository *splitLines);

    AccountRepository *accounts() const { return m_accounts; }
    TransactionRepository *transactions() const { return m_transactions; }
    CategoryRepository *categories() const { return m_categories; }
    RecurringRepository *recurring() const { return m_recurring; }
    ReconciliationRepository *reconciliations() const { return m_reconciliations; }
    SplitLineRepository *splitLines() const { return m_splitLines; }

    // The payload a push would send for a row as it is now (a split
    // transaction with its stored lines).
    QJsonObject currentPayload(const Account &account) const;
    QJsonObject currentPayload(const Category &category) const;
    QJsonObject currentPayload(const RecurringTransaction &recurring) const;
    QJsonObject currentPayload(const Transaction &transaction) const;
    QJsonObject currentPayload(const Reconciliation &reconciliation) const;

    static QList<SyncKind> kinds();
    static QString entityType(SyncKind kind);
    static std::optional<SyncKind> kindForEntityType(const QString &entityType);
    // The table and the key of the kind's array in a pull page.
    static QString tableName(SyncKind kind);
    static QString pullKey(SyncKind kind);

    // The rows of a kind whose id is one of `ids` or whose server id is one
    // of `serverIds`, read in a few statements through the primary key and
    // the server-id index.
    static QList<SyncRowState> rowStates(SyncKind kind, const QStringList &ids, const QStringList &serverIds);

    // Many rows of one kind (id, server id) in a few statements.
    bool markSynced(SyncKind kind, const QList<std::pair<QString, QString>> &idsAndServerIds) const;
    // Records the server's id of a row that must stay pending.
    static bool storeServerId(SyncKind kind, const QString &id, const QString &serverId);
    // A row whose local edit outranks the server's copy takes the server's
    // version and id and keeps its content and pending state.
    static bool adoptServerIdentity(SyncKind kind, const QString &id, const QString &serverId, int version);
    // A deletion that came from the server: deleted and synced, so it is not
    // sent back as a change of this device.
    static bool markDeletedFromServer(SyncKind kind, const QString &id, const QDateTime &deletedAt);
    // Transactions and recurring rules whose account changed on the server;
    // the repositories' update leaves the account alone.
    static bool moveToAccount(SyncKind kind, const QString &id, const QString &accountId);

    // Forgets the server ids of all five kinds, all or none: the records go up
    // as new ones of whoever syncs next.
    bool forgetServerIds() const;

    // Two marks are equal exactly when nothing was written to the database
    // between them, by this connection or another one.
    static QString writeMark();

private:
    AccountRepository *m_accounts;
    TransactionRepository *m_transactions;
    CategoryRepository *m_categories;
    RecurringRepository *m_recurring;
    ReconciliationRepository *m_reconciliations;
    SplitLineRepository *m_splitLines;
};
