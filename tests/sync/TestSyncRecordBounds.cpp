#include "SyncTestRig.h"

#include "TestRecords.h"

#include "AccountRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SplitLineRepository.h"
#include "SyncEngine.h"
#include "TransactionRepository.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>
#include <limits>

// What a pulled record may hold: amounts no balance can overflow from, a
// bounded number of split lines, and schedule numbers within their range.
class TestSyncRecordBounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void pulledRecordBounds_data();
    void pulledRecordBounds();
    void pulledSumsStayWithin64Bits_data();
    void pulledSumsStayWithin64Bits();

private:
    std::unique_ptr<SyncTestRig> rig;
};

namespace {

constexpr qint64 Bound = 1'000'000'000'000'000; // 10^15 minor units

QJsonArray splitLines(int count, qint64 amount)
{
    QJsonArray lines;
    for (int i = 0; i < count; ++i)
        lines.append(QJsonObject{{"category_id", ""}, {"amount", amount}, {"memo", QString::number(i)}});
    return lines;
}

QJsonObject withFields(QJsonObject record, const QJsonObject &fields)
{
    for (auto it = fields.begin(); it != fields.end(); ++it)
        record.insert(it.key(), it.value());
    return record;
}

} // namespace

void TestSyncRecordBounds::init()
{
    rig = std::make_unique<SyncTestRig>();
    QVERIFY(rig->isValid());
}

void TestSyncRecordBounds::cleanup()
{
    rig.reset();
}

void TestSyncRecordBounds::pulledRecordBounds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QJsonObject>("fields");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("leadDays");      // recurring rows: as stored
    QTest::addColumn<int>("intervalCount"); // recurring rows: as stored

    const QString tx = "transactions";
    QTest::newRow("amount at the bound") << tx << QJsonObject{{"amount", Bound}} << true << 0 << 0;
    QTest::newRow("amount past the bound") << tx << QJsonObject{{"amount", Bound + 1}} << false << 0 << 0;
    QTest::newRow("payment past the bound") << tx << QJsonObject{{"amount", -Bound - 1}} << false << 0 << 0;
    QTest::newRow("amount past 64 bits") << tx << QJsonObject{{"amount", 1e20}} << false << 0 << 0;
    QTest::newRow("split line past the bound")
        << tx << QJsonObject{{"is_split", 1}, {"split_lines", splitLines(2, Bound + 1)}} << false << 0 << 0;
    QTest::newRow("1000 split lines")
        << tx << QJsonObject{{"is_split", 1}, {"split_lines", splitLines(1000, -5)}} << true << 0 << 0;
    QTest::newRow("1001 split lines")
        << tx << QJsonObject{{"is_split", 1}, {"split_lines", splitLines(1001, -5)}} << false << 0 << 0;
    QTest::newRow("starting balance past the bound")
        << "accounts" << QJsonObject{{"starting_balance", -Bound - 1}} << false << 0 << 0;
    QTest::newRow("yen starting balance past the account form's bound")
        << "accounts" << QJsonObject{{"currency", "JPY"}, {"starting_balance", qint64(10'000'000'000)}}
        << false << 0 << 0;
    QTest::newRow("statement balance past the bound")
        << "reconciliations" << QJsonObject{{"statement_balance", Bound + 1}} << false << 0 << 0;
    QTest::newRow("reconciled balance past the bound")
        << "reconciliations" << QJsonObject{{"reconciled_balance", 9.2e18}} << false << 0 << 0;
    QTest::newRow("balances at the bound")
        << "reconciliations" << QJsonObject{{"statement_balance", -Bound}, {"reconciled_balance", Bound}}
        << true << 0 << 0;

    const QString rule = "recurring_transactions";
    QTest::newRow("recurring amount past the bound")
        << rule << QJsonObject{{"amount", Bound + 1}} << false << 0 << 0;
    QTest::newRow("schedule in range")
        << rule << QJsonObject{{"lead_days", 60}, {"interval_count", 1000}} << true << 60 << 1000;
    QTest::newRow("schedule above range")
        << rule << QJsonObject{{"lead_days", 365}, {"interval_count", 5000}} << true << 60 << 1000;
    QTest::newRow("schedule below range")
        << rule << QJsonObject{{"lead_days", -5}, {"interval_count", 0}} << true << 0 << 1;
}

void TestSyncRecordBounds::pulledRecordBounds()
{
    QFETCH(QString, kind);
    QFETCH(QJsonObject, fields);
    QFETCH(bool, stored);
    QFETCH(int, leadDays);
    QFETCH(int, intervalCount);

    rig->server.put("accounts", SyncTestRig::serverAccount("acc-b", "Bills"));
    QJsonObject record;
    if (kind == "accounts") {
        record = SyncTestRig::serverAccount("rec-1", "Huge", fields);
    } else if (kind == "transactions") {
        record = SyncTestRig::serverTransaction("rec-1", "acc-b", "Huge", fields);
    } else if (kind == "reconciliations") {
        record = withFields(QJsonObject{{"client_id", "rec-1"},
                                        {"account_id", "acc-b"},
                                        {"statement_date", "2024-03-31"},
                                        {"statement_balance", 1000},
                                        {"reconciled_balance", 1000},
                                        {"completed_at", "2024-04-01T09:00:00Z"},
                                        {"version", 1}},
                            fields);
    } else {
        record = withFields(QJsonObject{{"client_id", "rec-1"},
                                        {"account_id", "acc-b"},
                                        {"payee", "Rent"},
                                        {"amount", -120000},
                                        {"frequency", "monthly"},
                                        {"start_date", "2024-01-01"},
                                        {"next_due_date", "2024-04-01"},
                                        {"lead_days", 3},
                                        {"interval_count", 2},
                                        {"is_active", 1},
                                        {"version", 1}},
                            fields);
    }
    rig->server.put(kind, record);
    if (!stored)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Sync: refusing invalid server record:"));
    QCOMPARE(rig->runCycle(), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->engine->state(), SyncEngine::Idle);
    QVERIFY(rig->accounts->findById("acc-b").has_value());

    bool found = false;
    if (kind == "accounts") {
        const auto account = rig->accounts->findById("rec-1");
        found = account.has_value();
        if (found)
            QCOMPARE(account->startingBalance, fields.value("starting_balance").toInteger());
    } else if (kind == "transactions") {
        const auto transaction = rig->transactions->findById("rec-1");
        found = transaction.has_value();
        if (found) {
            QCOMPARE(transaction->amount, record.value("amount").toInteger());
            QCOMPARE(rig->splitLines->findByTransaction("rec-1").size(),
                     record.value("split_lines").toArray().size());
        }
    } else if (kind == "reconciliations") {
        const auto reconciliation = rig->reconciliations->findById("rec-1");
        found = reconciliation.has_value();
        if (found) {
            QCOMPARE(reconciliation->statementBalance, -Bound);
            QCOMPARE(reconciliation->reconciledBalance, Bound);
        }
    } else {
        const auto recurring = rig->recurring->findById("rec-1");
        found = recurring.has_value();
        if (found) {
            QCOMPARE(recurring->leadDays, leadDays);
            QCOMPARE(recurring->intervalCount, intervalCount);
        }
    }
    QCOMPARE(found, stored);
}

void TestSyncRecordBounds::pulledSumsStayWithin64Bits_data()
{
    QTest::addColumn<QJsonArray>("local");   // synced rows of the account, starting balance 5000
    QTest::addColumn<QJsonObject>("pulled"); // a server record of the account, or the account
    QTest::addColumn<int>("repeat");         // copies of the one pulled record
    QTest::addColumn<qint64>("balance");
    QTest::addColumn<qint64>("clearedBalance");

    constexpr qint64 Max = std::numeric_limits<qint64>::max();
    const auto row = [](const char *id, qint64 amount, bool cleared, const QJsonObject &more = {}) {
        return withFields({{"client_id", id}, {"amount", amount}, {"cleared", int(cleared)}}, more);
    };
    QTest::newRow("9300 of 10^15 each")
        << QJsonArray() << row("p", Bound, false) << 9300 << 5000 + 9223 * Bound << qint64(5000);
    QTest::newRow("cleared sum plus starting balance past 64 bits")
        << QJsonArray{row("l1", Max - 5010, true), row("l2", -Bound, false)} << row("p1", 100, true) << 1
        << Max - 10 - Bound << Max - 10;
    QTest::newRow("payments past 64 bits")
        << QJsonArray{row("l1", -Max, false)} << row("p1", -100, false) << 1 << 5000 - Max << qint64(5000);
    QTest::newRow("deletion leaves the rest past 64 bits")
        << QJsonArray{row("l2", -Bound, false), row("l1", Max - 10, false)}
        << row("l2", -Bound, false, {{"version", 2}, {"deleted_at", "2024-03-01T00:00:00Z"}}) << 1
        << Max - 10 - Bound + 5000 << qint64(5000);
    QTest::newRow("up to the last unit")
        << QJsonArray{row("l1", Max - 5100, true)} << row("p1", 100, true) << 1 << Max << Max;
    QTest::newRow("starting balance past 64 bits")
        << QJsonArray{row("l1", Max - 10000, false)}
        << QJsonObject{{"starting_balance", 20000}, {"version", 2}} << 0 << Max - 5000 << qint64(5000);
}

void TestSyncRecordBounds::pulledSumsStayWithin64Bits()
{
    QFETCH(QJsonArray, local);
    QFETCH(QJsonObject, pulled);
    QFETCH(int, repeat);
    QFETCH(qint64, balance);
    QFETCH(qint64, clearedBalance);
    for (const QString id : {"acc-b", "acc-c"}) {
        Account account = TestRecords::account(id, id, 5000);
        account.syncStatus = SyncStatus::Synced;
        QVERIFY(rig->accounts->insert(account));
    }
    for (const QJsonValue &value : local) {
        const QString id = value["client_id"].toString();
        Transaction transaction =
            TestRecords::transaction(id, "acc-b", QDate(2024, 2, 1), value["amount"].toInteger());
        transaction.cleared = value["cleared"].toInt();
        transaction.syncStatus = SyncStatus::Synced;
        QVERIFY(rig->transactions->insert(transaction));
    }
    // The account itself, pulled again.
    if (pulled.contains("starting_balance"))
        rig->server.put("accounts", SyncTestRig::serverAccount("acc-b", "acc-b", pulled));
    for (int i = 0; i < repeat; ++i) {
        const QString id = pulled["client_id"].toString() + (repeat > 1 ? QString::number(i) : QString());
        rig->server.put("transactions", SyncTestRig::serverTransaction(
                                            id, "acc-b", "Huge", withFields(pulled, {{"client_id", id}})));
    }
    // Another account's record in the same pull is applied all the same.
    rig->server.put("transactions", SyncTestRig::serverTransaction("other", "acc-c", "Other"));
    QCOMPARE(rig->runCycle(60000), SyncTestRig::CycleEnd::Completed);
    QCOMPARE(rig->accounts->balance("acc-b", "current"), std::optional<qint64>(balance));
    QCOMPARE(rig->accounts->balance("acc-b", "cleared"), std::optional<qint64>(clearedBalance));
    QCOMPARE(rig->accounts->balance("acc-c", "current"), std::optional<qint64>(5000 - 4200));
    QVERIFY(!rig->transactions->registerRows("acc-b").isEmpty() || local.isEmpty());
}

QTEST_GUILESS_MAIN(TestSyncRecordBounds)
#include "TestSyncRecordBounds.moc"
