#include "SyncStore.h"

#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SplitLineRepository.h"
#include "SqlStatement.h"
#include "SqlValues.h"
#include "SyncWire.h"
#include "TransactionRepository.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

QSqlDatabase connection()
{
    return QSqlDatabase::database();
}

bool runWrite(const QString &sql, const QVariantList &values, const char *context)
{
    QSqlQuery query(connection());
    if (SqlStatement::run(query, sql, values))
        return true;
    SqlStatement::logFailure(query, context);
    return false;
}

} // namespace

SyncStore::SyncStore(AccountRepository *accounts, TransactionRepository *transactions,
                     CategoryRepository *categories, RecurringRepository *recurring,
                     ReconciliationRepository *reconciliations, SplitLineRepository *splitLines)
    : m_accounts(accounts)
    , m_transactions(transactions)
    , m_categories(categories)
    , m_recurring(recurring)
    , m_reconciliations(reconciliations)
    , m_splitLines(splitLines)
{
}

QList<SyncKind> SyncStore::kinds()
{
    return {SyncKind::Account, SyncKind::Category, SyncKind::Recurring, SyncKind::Transaction,
            SyncKind::Reconciliation};
}

QString SyncStore::entityType(SyncKind kind)
{
    switch (kind) {
    case SyncKind::Account:
        return QStringLiteral("account");
    case SyncKind::Category:
        return QStringLiteral("category");
    case SyncKind::Recurring:
        return QStringLiteral("recurring");
    case SyncKind::Transaction:
        return QStringLiteral("transaction");
    case SyncKind::Reconciliation:
        return QStringLiteral("reconciliation");
    }
    return QString();
}

std::optional<SyncKind> SyncStore::kindForEntityType(const QString &name)
{
    // Called for every result of a push: compared without building lists.
    static const QString names[] = {entityType(SyncKind::Account), entityType(SyncKind::Category),
                                    entityType(SyncKind::Recurring), entityType(SyncKind::Transaction),
                                    entityType(SyncKind::Reconciliation)};
    for (int i = 0; i < 5; ++i) {
        if (names[i] == name)
            return static_cast<SyncKind>(i);
    }
    return std::nullopt;
}

QString SyncStore::tableName(SyncKind kind)
{
    switch (kind) {
    case SyncKind::Account:
        return QStringLiteral("accounts");
    case SyncKind::Category:
        return QStringLiteral("categories");
    case SyncKind::Recurring:
        return QStringLiteral("recurring_transactions");
    case SyncKind::Transaction:
        return QStringLiteral("transactions");
    case SyncKind::Reconciliation:
        return QStringLiteral("reconciliations");
    }
    return QString();
}

QString SyncStore::pullKey(SyncKind kind)
{
    // The pull page names each array after its table.
    return tableName(kind);
}

QList<SyncRowState> SyncStore::rowStates(SyncKind kind, const QStringList &ids, const QStringList &serverIds)
{
    const QString isSplit = kind == SyncKind::Transaction ? QStringLiteral("is_split") : QStringLiteral("0");
    const QString accountId = kind == SyncKind::Transaction || kind == SyncKind::Recurring
                                  ? QStringLiteral("account_id")
                                  : QStringLiteral("''");
    const QString select =
        QStringLiteral("SELECT id, server_id, version, sync_status, deleted_at, %1, %2 FROM %3 ")
            .arg(isSplit, accountId, tableName(kind));
    auto read = [](const QSqlQuery &query) {
        SyncRowState state;
        state.id = query.value(0).toString();
        state.serverId = SqlValues::readText(query.value(1));
        state.version = query.value(2).toInt();
        state.pending = query.value(3).toString() == QLatin1String("pending");
        state.deleted = !query.value(4).isNull();
        state.isSplit = SqlValues::readFlag(query.value(5));
        state.accountId = SqlValues::readText(query.value(6));
        return state;
    };

    // Bound in slices well below SQLite's limit on host parameters.
    constexpr qsizetype Slice = 500;
    QList<SyncRowState> states;
    auto readMatching = [&](const QString &column, const QStringList &values) {
        for (qsizetype first = 0; first < values.size(); first += Slice) {
            const QStringList slice = values.mid(first, Slice);
            QStringList marks;
            marks.fill(QStringLiteral("?"), slice.size());
            QVariantList bound;
            bound.reserve(slice.size());
            for (const QString &value : slice)
                bound.append(value);
            states += SqlStatement::readAll(
                connection(), select + QStringLiteral("WHERE %1 IN (%2)").arg(column, marks.join(',')), bound,
                read, "SyncStore::rowStates");
        }
    };
    readMatching(QStringLiteral("id"), ids);
    readMatching(QStringLiteral("server_id"), serverIds);
    return states;
}

bool SyncStore::markSynced(SyncKind kind, const QList<std::pair<QString, QString>> &idsAndServerIds) const
{
    if (idsAndServerIds.isEmpty())
        return true;
    switch (kind) {
    case SyncKind::Account:
        return m_accounts->markSynced(idsAndServerIds);
    case SyncKind::Category:
        return m_categories->markSynced(idsAndServerIds);
    case SyncKind::Recurring:
        return m_recurring->markSynced(idsAndServerIds);
    case SyncKind::Transaction:
        return m_transactions->markSynced(idsAndServerIds);
    case SyncKind::Reconciliation:
        return m_reconciliations->markSynced(idsAndServerIds);
    }
    return false;
}

bool SyncStore::storeServerId(SyncKind kind, const QString &id, const QString &serverId)
{
    return runWrite(QStringLiteral("UPDATE %1 SET server_id = ? WHERE id = ?").arg(tableName(kind)),
                    {SqlValues::reference(serverId), id}, "SyncStore::storeServerId");
}

bool SyncStore::adoptServerIdentity(SyncKind kind, const QString &id, const QString &serverId, int version)
{
    return runWrite(
        QStringLiteral("UPDATE %1 SET server_id = ?, version = ? WHERE id = ?").arg(tableName(kind)),
        {SqlValues::reference(serverId), version, id}, "SyncStore::adoptServerIdentity");
}

bool SyncStore::markDeletedFromServer(SyncKind kind, const QString &id, const QDateTime &deletedAt)
{
    const QDateTime when = deletedAt.isValid() ? deletedAt : QDateTime::currentDateTimeUtc();
    return runWrite(QStringLiteral("UPDATE %1 SET deleted_at = ?, sync_status = 'synced' WHERE id = ?")
                        .arg(tableName(kind)),
                    {SqlValues::timestamp(when), id}, "SyncStore::markDeletedFromServer");
}

bool SyncStore::moveToAccount(SyncKind kind, const QString &id, const QString &accountId)
{
    if (kind != SyncKind::Transaction && kind != SyncKind::Recurring)
        return false;
    return runWrite(QStringLiteral("UPDATE %1 SET account_id = ? WHERE id = ?").arg(tableName(kind)),
                    {SqlValues::text(accountId), id}, "SyncStore::moveToAccount");
}

bool SyncStore::forgetServerIds() const
{
    QSqlDatabase database = connection();
    const bool inTransaction = database.transaction();
    const bool ok = m_accounts->forgetServerIds() && m_categories->forgetServerIds() &&
                    m_recurring->forgetServerIds() && m_transactions->forgetServerIds() &&
                    m_reconciliations->forgetServerIds();
    if (!inTransaction)
        return ok;
    if (ok && database.commit())
        return true;
    database.rollback();
    return false;
}

QString SyncStore::writeMark()
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    // total_changes() counts this connection's writes, data_version moves
    // when another connection commits.
    if (!query.exec(QStringLiteral("SELECT total_changes()")) || !query.next())
        return QString();
    const QString own = query.value(0).toString();
    if (!query.exec(QStringLiteral("PRAGMA data_version")) || !query.next())
        return QString();
    return own + QLatin1Char('/') + query.value(0).toString();
}

QJsonObject SyncStore::currentPayload(const Account &account) const
{
    return SyncWire::accountPayload(account);
}

QJsonObject SyncStore::currentPayload(const Category &category) const
{
    return SyncWire::categoryPayload(category);
}

QJsonObject SyncStore::currentPayload(const RecurringTransaction &recurring) const
{
    return SyncWire::recurringPayload(recurring);
}

QJsonObject SyncStore::currentPayload(const Transaction &transaction) const
{
    QList<SplitLine> lines;
    if (transaction.isSplit)
        lines = m_splitLines->findByTransaction(transaction.id);
    return SyncWire::transactionPayload(transaction, lines);
}

QJsonObject SyncStore::currentPayload(const Reconciliation &reconciliation) const
{
    return SyncWire::reconciliationPayload(reconciliation);
}
