#include "AccountRepository.h"
#include "TestDatabase.h"
#include "TestRecords.h"
#include "TransactionRepository.h"

#include <QSignalSpy>
#include <QTest>

using namespace TestRecords;

class TestAccountRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void timeStampsStoredAsUtcText();
    void zoneLessTextReadsAsUtc();
    void updateKeepsCreationAndDeletion();
    void findAllOrderAndDeleted();
    void softDeleteAndRestore();
    void restoreEmitsEvenWithoutRow();
    void failedInsertIsLogged();
    void syncBookkeeping();
    void markManySynced_data();
    void markManySynced();
    void markAllPendingForResync();
    void balances_data();
    void balances();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<AccountRepository> m_accounts;
};

void TestAccountRepository::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_accounts = std::make_unique<AccountRepository>(m_db->database());
}

void TestAccountRepository::cleanup()
{
    m_accounts.reset();
    m_db.reset();
}

void TestAccountRepository::timeStampsStoredAsUtcText()
{
    Account a = account(QStringLiteral("acc-1"));
    a.createdAt = QDateTime(QDate(2024, 3, 5), QTime(23, 30, 15, 678), Qt::OffsetFromUTC, -5 * 3600);
    a.updatedAt = QDateTime(QDate(2024, 3, 6), QTime(4, 30, 15), Qt::UTC);
    QVERIFY(m_accounts->insert(a));
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT created_at FROM accounts")).toString(),
             QStringLiteral("2024-03-06T04:30:15Z"));
    QCOMPARE(m_accounts->findById(a.id)->createdAt, a.updatedAt);
    QCOMPARE(m_accounts->findById(a.id)->createdAt.timeSpec(), Qt::UTC);
}

void TestAccountRepository::zoneLessTextReadsAsUtc()
{
    QVERIFY(m_accounts->insert(account(QStringLiteral("acc-1"))));
    // SQLite's datetime('now') form, as the payee screen writes it.
    QVERIFY(TestDatabase::exec(QStringLiteral("UPDATE accounts SET updated_at = '2024-03-05 10:00:00', "
                                              "created_at = '2024-03-05T10:00:00.250'")));
    const Account read = *m_accounts->findById(QStringLiteral("acc-1"));
    QCOMPARE(read.updatedAt, QDateTime(QDate(2024, 3, 5), QTime(10, 0), Qt::UTC));
    QCOMPARE(read.createdAt, QDateTime(QDate(2024, 3, 5), QTime(10, 0, 0, 250), Qt::UTC));
}

void TestAccountRepository::updateKeepsCreationAndDeletion()
{
    QVERIFY(m_accounts->insert(account(QStringLiteral("acc-1"), QStringLiteral("Old"))));
    QVERIFY(m_accounts->softDelete(QStringLiteral("acc-1")));
    const QString deletedText =
        TestDatabase::scalar(QStringLiteral("SELECT deleted_at FROM accounts")).toString();

    Account changed = account(QStringLiteral("acc-1"), QStringLiteral("New"), 500);
    changed.createdAt = stamp(20);
    changed.updatedAt = stamp(21);
    changed.syncStatus = SyncStatus::Synced;
    QSignalSpy spy(m_accounts.get(), &AccountRepository::accountsChanged);
    QVERIFY(m_accounts->update(changed));
    QCOMPARE(spy.count(), 1);

    const Account read = *m_accounts->findById(QStringLiteral("acc-1"));
    QCOMPARE(read.name, QStringLiteral("New"));
    QCOMPARE(read.startingBalance, qint64(500));
    QCOMPARE(read.syncStatus, SyncStatus::Synced);
    QCOMPARE(read.updatedAt, stamp(21));
    QCOMPARE(read.createdAt, stamp());
    QVERIFY(read.deletedAt);
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT deleted_at FROM accounts")).toString(), deletedText);
}

void TestAccountRepository::findAllOrderAndDeleted()
{
    Account c = account(QStringLiteral("c"), QStringLiteral("Cash"));
    c.sortOrder = 1;
    Account b = account(QStringLiteral("b"), QStringLiteral("Brokerage"));
    b.sortOrder = 2;
    Account a = account(QStringLiteral("a"), QStringLiteral("Savings"));
    a.sortOrder = 1;
    Account z = account(QStringLiteral("z"), QStringLiteral("Zeta"));
    Account y = account(QStringLiteral("y"), QStringLiteral("Alpha"));
    for (const Account &each : {c, b, a, z, y})
        QVERIFY(m_accounts->insert(each));
    QVERIFY(m_accounts->softDelete(QStringLiteral("z")));
    QVERIFY(m_accounts->softDelete(QStringLiteral("y")));

    QStringList names;
    for (const Account &each : m_accounts->findAll())
        names.append(each.name);
    QCOMPARE(names, (QStringList{"Cash", "Savings", "Brokerage"}));

    names.clear();
    for (const Account &each : m_accounts->findDeleted())
        names.append(each.name);
    QCOMPARE(names, (QStringList{"Alpha", "Zeta"}));
}

void TestAccountRepository::softDeleteAndRestore()
{
    Account a = account(QStringLiteral("acc-1"));
    a.syncStatus = SyncStatus::Synced;
    QVERIFY(m_accounts->insert(a));

    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    QSignalSpy spy(m_accounts.get(), &AccountRepository::accountsChanged);
    QVERIFY(m_accounts->softDelete(a.id));
    QCOMPARE(spy.count(), 1);
    Account read = *m_accounts->findById(a.id);
    QVERIFY(read.deletedAt);
    QVERIFY(*read.deletedAt >= before);
    QCOMPARE(read.updatedAt, *read.deletedAt);
    QCOMPARE(read.syncStatus, SyncStatus::Pending);
    QVERIFY(m_accounts->findAll().isEmpty());

    QVERIFY(m_accounts->markSynced(a.id, QStringLiteral("srv")));
    QVERIFY(m_accounts->restore(a.id));
    QCOMPARE(spy.count(), 2);
    read = *m_accounts->findById(a.id);
    QVERIFY(!read.deletedAt);
    QCOMPARE(read.syncStatus, SyncStatus::Pending);
    QVERIFY(read.updatedAt >= before);
    QCOMPARE(m_accounts->findAll().size(), 1);

    // An explicit deletion time is stored as given, for the children to share.
    const QDateTime at(QDate(2024, 5, 1), QTime(8, 0), Qt::UTC);
    QVERIFY(m_accounts->softDelete(a.id, at));
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT deleted_at FROM accounts")).toString(),
             QStringLiteral("2024-05-01T08:00:00Z"));
}

void TestAccountRepository::restoreEmitsEvenWithoutRow()
{
    QSignalSpy spy(m_accounts.get(), &AccountRepository::accountsChanged);
    QVERIFY(m_accounts->restore(QStringLiteral("nobody")));
    QCOMPARE(spy.count(), 1);
}

void TestAccountRepository::failedInsertIsLogged()
{
    QVERIFY(m_accounts->insert(account(QStringLiteral("acc-1"))));
    QSignalSpy spy(m_accounts.get(), &AccountRepository::accountsChanged);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^AccountRepository::insert failed: .*UNIQUE")));
    QVERIFY(!m_accounts->insert(account(QStringLiteral("acc-1"))));
    QCOMPARE(spy.count(), 0);
}

void TestAccountRepository::syncBookkeeping()
{
    QVERIFY(m_accounts->insert(account(QStringLiteral("a"))));
    QVERIFY(m_accounts->insert(account(QStringLiteral("b"))));
    QVERIFY(m_accounts->insert(account(QStringLiteral("c"))));
    QVERIFY(m_accounts->softDelete(QStringLiteral("c")));

    QSignalSpy spy(m_accounts.get(), &AccountRepository::accountsChanged);
    QVERIFY(m_accounts->markSynced(QStringLiteral("a"), QStringLiteral("srv-a")));
    QVERIFY(m_accounts->markSynced(QStringLiteral("nobody"), QStringLiteral("srv-x")));
    QCOMPARE(spy.count(), 0);

    const Account a = *m_accounts->findById(QStringLiteral("a"));
    QCOMPARE(a.syncStatus, SyncStatus::Synced);
    QCOMPARE(a.serverId, QStringLiteral("srv-a"));
    QCOMPARE(m_accounts->findByServerId(QStringLiteral("srv-a"))->id, QStringLiteral("a"));
    QVERIFY(!m_accounts->findByServerId(QStringLiteral("srv-x")));
    QVERIFY(!m_accounts->findByServerId(QString()));

    QStringList pending;
    for (const Account &each : m_accounts->findPendingSync())
        pending.append(each.id);
    pending.sort();
    QCOMPARE(pending, (QStringList{"b", "c"}));
}

void TestAccountRepository::markManySynced_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("marked");
    QTest::newRow("none") << 3 << 0;
    QTest::newRow("one") << 3 << 1;
    QTest::newRow("a whole statement") << 201 << 200;
    QTest::newRow("past one statement") << 450 << 401;
}

// The marks of a push reply go out a few hundred to a statement: each row
// takes its own server id, an empty one none, and the rows left out stay pending.
void TestAccountRepository::markManySynced()
{
    QFETCH(int, rows);
    QFETCH(int, marked);
    QVERIFY(TestDatabase::exec(QStringLiteral("BEGIN")));
    for (int i = 0; i < rows; ++i)
        QVERIFY(m_accounts->insert(account(QStringLiteral("acc-%1").arg(i))));
    QVERIFY(TestDatabase::exec(QStringLiteral("COMMIT")));
    QList<std::pair<QString, QString>> results;
    for (int i = marked - 1; i >= 0; --i)
        results.append(
            {QStringLiteral("acc-%1").arg(i), i % 7 == 3 ? QString() : QStringLiteral("srv-%1").arg(i)});
    results.append({QStringLiteral("nobody"), QStringLiteral("srv-x")});

    QSignalSpy spy(m_accounts.get(), &AccountRepository::accountsChanged);
    QVERIFY(m_accounts->markSynced(results));
    QCOMPARE(spy.count(), 0);

    QCOMPARE(
        TestDatabase::scalar(QStringLiteral("SELECT COUNT(*) FROM accounts WHERE sync_status = 'synced'"))
            .toInt(),
        marked);
    QCOMPARE(m_accounts->findPendingSync().size(), rows - marked);
    for (int i = 0; i < rows; ++i) {
        const Account read = *m_accounts->findById(QStringLiteral("acc-%1").arg(i));
        const QString expected = i < marked && i % 7 != 3 ? QStringLiteral("srv-%1").arg(i) : QString();
        QCOMPARE(read.serverId, expected);
        QCOMPARE(read.syncStatus, i < marked ? SyncStatus::Synced : SyncStatus::Pending);
    }
    QCOMPARE(
        TestDatabase::scalar(QStringLiteral("SELECT COUNT(*) FROM accounts WHERE server_id = ''")).toInt(),
        0);
}

void TestAccountRepository::markAllPendingForResync()
{
    for (const QString &id :
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")})
        QVERIFY(m_accounts->insert(account(id)));
    QVERIFY(m_accounts->markSynced(QStringLiteral("a"), QStringLiteral("1")));
    QVERIFY(m_accounts->markSynced(QStringLiteral("b"), QStringLiteral("2")));
    QVERIFY(m_accounts->softDelete(QStringLiteral("c")));
    QVERIFY(m_accounts->markSynced(QStringLiteral("c"), QStringLiteral("3")));

    QSignalSpy spy(m_accounts.get(), &AccountRepository::accountsChanged);
    // a and b are live and synced; c is deleted, d already pending.
    QCOMPARE(m_accounts->markAllPendingForResync(), 2);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_accounts->findById(QStringLiteral("c"))->syncStatus, SyncStatus::Synced);
    QCOMPARE(m_accounts->markAllPendingForResync(), 0);
    QCOMPARE(spy.count(), 1);
}

void TestAccountRepository::balances_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<qint64>("expected");

    // Starting balance 1000; 100 cleared yesterday, -50 open today, 200
    // cleared tomorrow, -30 reconciled (hence cleared, though its flag
    // arrived clear) two days ago, and a deleted 500 that never counts.
    QTest::newRow("current") << "current" << qint64(1220);
    QTest::newRow("cleared") << "cleared" << qint64(1270);
    QTest::newRow("asOfToday") << "asOfToday" << qint64(1020);
    QTest::newRow("unknown mode is current") << "whatever" << qint64(1220);
}

void TestAccountRepository::balances()
{
    QFETCH(QString, mode);
    QFETCH(qint64, expected);

    TransactionRepository transactions(m_db->database());
    Account main = account(QStringLiteral("main"), QStringLiteral("Main"), 1000);
    main.accountType = AccountType::Savings;
    main.currency = Currency::EUR;
    main.institution = QStringLiteral("First Bank");
    main.accountNumberLast4 = QStringLiteral("0042");
    QVERIFY(m_accounts->insert(main));
    QVERIFY(m_accounts->insert(account(QStringLiteral("empty"), QStringLiteral("Empty"), -25)));
    QVERIFY(m_accounts->insert(account(QStringLiteral("gone"), QStringLiteral("Gone"), 7)));
    QVERIFY(m_accounts->softDelete(QStringLiteral("gone")));

    const QDate today = QDate::currentDate();
    Transaction t1 = transaction(QStringLiteral("t1"), QStringLiteral("main"), today.addDays(-1), 100);
    t1.cleared = true;
    Transaction t2 = transaction(QStringLiteral("t2"), QStringLiteral("main"), today, -50);
    Transaction t3 = transaction(QStringLiteral("t3"), QStringLiteral("main"), today.addDays(1), 200);
    t3.cleared = true;
    Transaction t4 = transaction(QStringLiteral("t4"), QStringLiteral("main"), today, 500);
    t4.cleared = true;
    Transaction t5 = transaction(QStringLiteral("t5"), QStringLiteral("main"), today.addDays(-2), -30);
    t5.reconciled = true;
    for (const Transaction &t : {t1, t2, t3, t4, t5})
        QVERIFY(transactions.insert(t));
    QVERIFY(transactions.softDelete(QStringLiteral("t4")));

    const QHash<QString, qint64> balances = m_accounts->balances(mode);
    QCOMPARE(balances.size(), 2);
    QCOMPARE(balances.value(QStringLiteral("main")), expected);
    QCOMPARE(balances.value(QStringLiteral("empty")), qint64(-25));
    QVERIFY(!balances.contains(QStringLiteral("gone")));

    // The list with its balances in one read: what findAll() and balances() give.
    const QList<Account> all = m_accounts->findAll();
    const std::optional<QList<ListedAccount>> listed = m_accounts->listed(mode);
    QVERIFY(listed && listed->size() == all.size());
    for (qsizetype i = 0; i < all.size(); ++i) {
        const Account &shown = listed->at(i).account;
        QCOMPARE(shown.id, all[i].id);
        QCOMPARE(shown.name, all[i].name);
        QCOMPARE(shown.accountType, all[i].accountType);
        QCOMPARE(shown.currency, all[i].currency);
        QCOMPARE(shown.institution, all[i].institution);
        QCOMPARE(shown.accountNumberLast4, all[i].accountNumberLast4);
        QCOMPARE(listed->at(i).balance, std::optional<qint64>(balances.value(all[i].id)));
    }
}

QTEST_GUILESS_MAIN(TestAccountRepository)
#include "TestAccountRepository.moc"
