#include "SyncTestRig.h"

#include "AccountRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SplitLineRepository.h"
#include "SyncEngine.h"
#include "TransactionRepository.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>

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

QTEST_GUILESS_MAIN(TestSyncRecordBounds)
#include "TestSyncRecordBounds.moc"
