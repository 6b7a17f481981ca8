#include "SyncTestRig.h"

#include "AccountRepository.h"
#include "ApiClient.h"
#include "CategoryRepository.h"
#include "PreferencesRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SplitLineRepository.h"
#include "SyncEngine.h"
#include "SyncWire.h"
#include "TokenManager.h"
#include "TokenStore.h"
#include "TransactionRepository.h"
#include "support/AccountTestSupport.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QHash>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>
#include <functional>

namespace {

class MemoryTokenStore : public BrioAccount::TokenStore
{
public:
    std::optional<QString> read(const QString &key) override
    {
        return m_values.contains(key) ? std::optional<QString>(m_values.value(key)) : std::nullopt;
    }
    bool write(const QString &key, const QString &value) override
    {
        m_values.insert(key, value);
        return true;
    }
    bool remove(const QString &key) override { return m_values.remove(key) > 0; }
    void clear() override { m_values.clear(); }

private:
    QHash<QString, QString> m_values;
};

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QDateTime stamp()
{
    // Whole seconds, as the database keeps them.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return now.addMSecs(-now.time().msec());
}

QStringList idsOf(const QString &table)
{
    QStringList ids;
    QSqlQuery query(QSqlDatabase::database());
    query.exec(QStringLiteral("SELECT id FROM %1 ORDER BY rowid").arg(table));
    while (query.next())
        ids.append(query.value(0).toString());
    return ids;
}

} // namespace

SyncTestRig::SyncTestRig()
    : database(std::make_unique<TestDatabase>())
{
    if (!database->isValid() || !server.listen())
        return;
    Database *db = database->database();
    accounts = new AccountRepository(db, this);
    transactions = new TransactionRepository(db, this);
    categories = new CategoryRepository(db, this);
    recurring = new RecurringRepository(db, this);
    reconciliations = new ReconciliationRepository(db, this);
    splitLines = new SplitLineRepository(db, this);
    preferences = new PreferencesRepository(db, this);

    tokens = new BrioAccount::TokenManager(std::make_unique<MemoryTokenStore>(), this);
    tokens->setTokens(makeToken(3600), QStringLiteral("refresh-1"));
    api = new BrioAccount::ApiClient(tokens, this);
    api->setBaseUrl(server.baseUrl());
    engine = new SyncEngine(api, accounts, transactions, categories, recurring, reconciliations, splitLines,
                            preferences, this);
    m_valid = true;
}

SyncTestRig::~SyncTestRig()
{
    delete engine;
    engine = nullptr;
}

QString SyncTestRig::makeToken(qint64 seconds, const QString &subject)
{
    return AccountTest::tokenExpiringAt(QDateTime::currentSecsSinceEpoch() + seconds,
                                        QJsonObject{{QStringLiteral("sub"), subject}});
}

SyncTestRig::CycleEnd SyncTestRig::runCycle(int timeoutMs)
{
    return waitForCycle(timeoutMs, [this] { engine->syncNow(); });
}

SyncTestRig::CycleEnd SyncTestRig::waitForCycle(int timeoutMs, const std::function<void()> &start)
{
    QSignalSpy completed(engine, &SyncEngine::syncCompleted);
    QSignalSpy failed(engine, &SyncEngine::syncFailed);
    if (start)
        start();
    QDeadlineTimer deadline(timeoutMs);
    while (completed.isEmpty() && failed.isEmpty() && !deadline.hasExpired())
        QTest::qWait(5);
    if (!completed.isEmpty())
        return CycleEnd::Completed;
    return failed.isEmpty() ? CycleEnd::TimedOut : CycleEnd::Failed;
}

Account SyncTestRig::addAccount(const QString &name)
{
    Account account;
    account.id = newId();
    account.name = name;
    account.sortOrder = ++m_rowSerial;
    account.createdAt = stamp();
    account.updatedAt = account.createdAt;
    accounts->insert(account);
    return account;
}

Category SyncTestRig::addCategory(const QString &name, const QString &parentId)
{
    Category category;
    category.id = newId();
    category.name = name;
    category.parentId = parentId;
    category.createdAt = stamp();
    category.updatedAt = category.createdAt;
    categories->insert(category);
    return category;
}

Transaction SyncTestRig::addTransaction(const QString &accountId, qint64 amount, const QString &payee,
                                        const QDate &date)
{
    Transaction transaction;
    transaction.id = newId();
    transaction.accountId = accountId;
    transaction.date = date;
    transaction.payee = payee;
    transaction.amount = amount;
    transaction.createdAt = stamp();
    transaction.updatedAt = transaction.createdAt;
    transactions->insert(transaction);
    return transaction;
}

Transaction SyncTestRig::addSplitTransaction(const QString &accountId, const QList<qint64> &lineAmounts,
                                             const QString &categoryId)
{
    qint64 total = 0;
    for (qint64 amount : lineAmounts)
        total += amount;
    Transaction transaction;
    transaction.id = newId();
    transaction.accountId = accountId;
    transaction.date = QDate(2024, 3, 6);
    transaction.payee = QStringLiteral("Split payee");
    transaction.amount = total;
    transaction.isSplit = true;
    transaction.createdAt = stamp();
    transaction.updatedAt = transaction.createdAt;
    transactions->insert(transaction);
    int index = 0;
    for (qint64 amount : lineAmounts) {
        SplitLine line;
        line.id = newId();
        line.transactionId = transaction.id;
        line.categoryId = categoryId;
        line.amount = amount;
        line.memo = QStringLiteral("line %1").arg(++index);
        line.createdAt = transaction.createdAt;
        line.updatedAt = transaction.updatedAt;
        splitLines->insert(line);
    }
    return transaction;
}

RecurringTransaction SyncTestRig::addRecurring(const QString &accountId, const QString &payee)
{
    RecurringTransaction rule;
    rule.id = newId();
    rule.accountId = accountId;
    rule.payee = payee;
    rule.amount = -5000;
    rule.startDate = QDate(2024, 1, 1);
    rule.nextDueDate = QDate(2024, 4, 1);
    rule.createdAt = stamp();
    rule.updatedAt = rule.createdAt;
    recurring->insert(rule);
    return rule;
}

Reconciliation SyncTestRig::addReconciliation(const QString &accountId, const QDate &statementDate)
{
    Reconciliation reconciliation;
    reconciliation.id = newId();
    reconciliation.accountId = accountId;
    reconciliation.statementDate = statementDate;
    reconciliation.statementBalance = 10000;
    reconciliation.reconciledBalance = 10000;
    reconciliation.completedAt = stamp();
    reconciliation.createdAt = reconciliation.completedAt;
    reconciliation.updatedAt = reconciliation.completedAt;
    reconciliations->insert(reconciliation);
    return reconciliation;
}

QJsonObject SyncTestRig::serverAccount(const QString &clientId, const QString &name,
                                       const QJsonObject &fields)
{
    // Over what a device sends of a new account, so that a column added
    // later is there with its default.
    QJsonObject record = SyncWire::accountPayload(Account());
    for (const auto &[key, value] : {std::pair<const char *, QJsonValue>{"client_id", clientId},
                                     {"name", name},
                                     {"account_type", "savings"},
                                     {"currency", "EUR"},
                                     {"institution", "Remote Bank"},
                                     {"account_number_last4", "7788"},
                                     {"starting_balance", 5000},
                                     {"sort_order", 1},
                                     {"is_shared", 0},
                                     {"version", 1},
                                     {"created_at", "2024-01-01T10:00:00Z"},
                                     {"updated_at", "2024-01-02T10:00:00Z"}})
        record.insert(QLatin1String(key), value);
    for (auto it = fields.begin(); it != fields.end(); ++it)
        record.insert(it.key(), it.value());
    return record;
}

QJsonObject SyncTestRig::serverTransaction(const QString &clientId, const QString &accountId,
                                           const QString &payee, const QJsonObject &fields)
{
    QJsonObject record = SyncWire::transactionPayload(Transaction(), {});
    for (const auto &[key, value] : {std::pair<const char *, QJsonValue>{"client_id", clientId},
                                     {"account_id", accountId},
                                     {"date", "2024-02-10"},
                                     {"payee", payee},
                                     {"memo", "from the other device"},
                                     {"amount", -4200},
                                     {"category_id", ""},
                                     {"check_number", ""},
                                     {"cleared", 1},
                                     {"reconciled", 0},
                                     {"transfer_link_id", ""},
                                     {"transfer_dest_account_id", ""},
                                     {"is_split", 0},
                                     {"recurring_id", ""},
                                     {"version", 1},
                                     {"created_at", "2024-02-10T12:00:00Z"},
                                     {"updated_at", "2024-02-10T12:00:00Z"}})
        record.insert(QLatin1String(key), value);
    for (auto it = fields.begin(); it != fields.end(); ++it)
        record.insert(it.key(), it.value());
    return record;
}

int SyncTestRig::countWithStatus(const QString &table, const QString &status)
{
    return TestDatabase::scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE sync_status = ?").arg(table),
                                {status})
        .toInt();
}

int SyncTestRig::countRows(const QString &table)
{
    return TestDatabase::scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt();
}

QStringList SyncTestRig::differencesFromServer() const
{
    QStringList differences;
    for (const QString &kind : FakeSync::FakeSyncServer::kinds())
        differences += differencesOfKind(kind);
    return differences;
}

QStringList SyncTestRig::differencesOfKind(const QString &kind) const
{
    // The local row of each kind as the device would send it now, with its
    // sync bookkeeping.
    struct Local
    {
        QJsonObject payload;
        QString serverId;
        int version = 0;
        SyncStatus status = SyncStatus::Pending;
    };
    std::function<std::optional<Local>(const QString &)> read;
    auto localOf = [](const auto &record, QJsonObject payload) {
        return std::optional<Local>(Local{payload, record.serverId, record.version, record.syncStatus});
    };
    if (kind == "accounts") {
        read = [this, localOf](const QString &id) -> std::optional<Local> {
            const auto row = accounts->findById(id);
            return row ? localOf(*row, SyncWire::accountPayload(*row)) : std::nullopt;
        };
    } else if (kind == "categories") {
        read = [this, localOf](const QString &id) -> std::optional<Local> {
            const auto row = categories->findById(id);
            return row ? localOf(*row, SyncWire::categoryPayload(*row)) : std::nullopt;
        };
    } else if (kind == "recurring_transactions") {
        read = [this, localOf](const QString &id) -> std::optional<Local> {
            const auto row = recurring->findById(id);
            return row ? localOf(*row, SyncWire::recurringPayload(*row)) : std::nullopt;
        };
    } else if (kind == "transactions") {
        read = [this, localOf](const QString &id) -> std::optional<Local> {
            const auto row = transactions->findById(id);
            return row ? localOf(*row, SyncWire::transactionPayload(*row, splitLines->findByTransaction(id)))
                       : std::nullopt;
        };
    } else {
        read = [this, localOf](const QString &id) -> std::optional<Local> {
            const auto row = reconciliations->findById(id);
            return row ? localOf(*row, SyncWire::reconciliationPayload(*row)) : std::nullopt;
        };
    }

    QStringList differences;
    QHash<QString, QString> localByServerId;
    for (const QString &id : idsOf(kind)) {
        const std::optional<Local> local = read(id);
        if (local->status != SyncStatus::Synced)
            differences
                << QStringLiteral("%1 %2: local row is %3").arg(kind, id, syncStatusToString(local->status));
        if (local->serverId.isEmpty() || server.record(kind, local->serverId).isEmpty())
            differences << QStringLiteral("%1 %2: not on the server").arg(kind, id);
        localByServerId.insert(local->serverId, id);
    }

    const QStringList ignored{"id", "client_id", "server_id", "version"};
    for (const QJsonObject &record : server.records(kind)) {
        const QString serverId = record.value("id").toString();
        const QString localId = localByServerId.value(serverId);
        if (localId.isEmpty()) {
            if (record.value("deleted_at").toString().isEmpty())
                differences << QStringLiteral("%1 %2: missing locally").arg(kind, serverId);
            continue;
        }
        const Local local = *read(localId);
        if (local.version != record.value("version").toInt())
            differences << QStringLiteral("%1 %2: version %3 locally, %4 on the server")
                               .arg(kind, serverId)
                               .arg(local.version)
                               .arg(record.value("version").toInt());
        QStringList keys = record.keys() + local.payload.keys();
        keys.removeDuplicates();
        for (const QString &key : keys) {
            if (ignored.contains(key))
                continue;
            if (record.value(key) != local.payload.value(key))
                differences << QStringLiteral("%1 %2 %3: local %4, server %5")
                                   .arg(kind, serverId, key,
                                        QString::fromUtf8(QJsonDocument(QJsonArray{local.payload.value(key)})
                                                              .toJson(QJsonDocument::Compact)),
                                        QString::fromUtf8(QJsonDocument(QJsonArray{record.value(key)})
                                                              .toJson(QJsonDocument::Compact)));
        }
    }
    return differences;
}
