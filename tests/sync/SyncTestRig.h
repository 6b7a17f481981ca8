#pragma once

// One sync setup per test case: a fresh real database with its repositories,
// the fake sync service on 127.0.0.1, the account library's client with a
// usable token, and the engine. Helpers add local rows, run whole cycles and
// compare the local database with the server's store.

#include "Account.h"
#include "Category.h"
#include "FakeSyncServer.h"
#include "Reconciliation.h"
#include "RecurringTransaction.h"
#include "SplitLine.h"
#include "TestDatabase.h"
#include "Transaction.h"

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class AccountRepository;
class CategoryRepository;
class PreferencesRepository;
class ReconciliationRepository;
class RecurringRepository;
class SplitLineRepository;
class SyncEngine;
class TransactionRepository;

namespace BrioAccount {
class ApiClient;
class TokenManager;
} // namespace BrioAccount

class SyncTestRig : public QObject
{
    Q_OBJECT

public:
    enum class CycleEnd
    {
        Completed,
        Failed,
        TimedOut
    };

    SyncTestRig();
    ~SyncTestRig() override;

    // False when the database or the server could not be set up.
    bool isValid() const { return m_valid; }

    // An access token (a JWT without signature) that expires in `seconds`.
    static QString makeToken(qint64 seconds, const QString &subject = QStringLiteral("user-1"));

    // syncNow() and the event loop until the cycle completes or fails.
    CycleEnd runCycle(int timeoutMs = 15000);
    // Runs `start` and the event loop until a cycle completes or fails.
    CycleEnd waitForCycle(int timeoutMs, const std::function<void()> &start);

    // Local rows, inserted through the repositories as pending.
    Account addAccount(const QString &name);
    Category addCategory(const QString &name, const QString &parentId = QString());
    Transaction addTransaction(const QString &accountId, qint64 amount,
                               const QString &payee = QStringLiteral("Payee"),
                               const QDate &date = QDate(2024, 3, 5));
    Transaction addSplitTransaction(const QString &accountId, const QList<qint64> &lineAmounts,
                                    const QString &categoryId);
    RecurringTransaction addRecurring(const QString &accountId, const QString &payee);
    Reconciliation addReconciliation(const QString &accountId, const QDate &statementDate);

    // A server record in pull form for another device's change of a local
    // kind; `fields` override the defaults.
    static QJsonObject serverAccount(const QString &clientId, const QString &name,
                                     const QJsonObject &fields = {});
    static QJsonObject serverTransaction(const QString &clientId, const QString &accountId,
                                         const QString &payee, const QJsonObject &fields = {});

    // Differences between the live and deleted rows of the local database and
    // the server's store, one line each; empty when they agree.
    QStringList differencesFromServer() const;
    // Number of rows of a table with the given sync status.
    static int countWithStatus(const QString &table, const QString &status);
    static int countRows(const QString &table);

    std::unique_ptr<TestDatabase> database;
    FakeSync::FakeSyncServer server;
    AccountRepository *accounts = nullptr;
    TransactionRepository *transactions = nullptr;
    CategoryRepository *categories = nullptr;
    RecurringRepository *recurring = nullptr;
    ReconciliationRepository *reconciliations = nullptr;
    SplitLineRepository *splitLines = nullptr;
    PreferencesRepository *preferences = nullptr;
    BrioAccount::TokenManager *tokens = nullptr;
    BrioAccount::ApiClient *api = nullptr;
    SyncEngine *engine = nullptr;

private:
    QStringList differencesOfKind(const QString &kind) const;

    bool m_valid = false;
    int m_rowSerial = 0;
};
