#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "SplitLineRepository.h"
#include "TestDatabase.h"
#include "TestRecords.h"
#include "TransactionRepository.h"

#include <QSignalSpy>
#include <QTest>

using namespace TestRecords;

class TestTransactionRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void emptyReferencesAreNull();
    void updateCanClearCategory();
    void foreignKeysRejectUnknownRows();
    void updateKeepsAccountAndCreation();
    void softDelete();
    void orderings();
    void registerRows();
    void registerRowsOfUnknownAccount();
    void payees();
    void fullTextQuery_data();
    void fullTextQuery();
    void search_data();
    void search();
    void searchKeepsNewest200();
    void searchOrderWithoutCategoryPathIndex();
    void softDeleteByAccountAndRestore();
    void restoreByAccountComparesText();
    void syncBookkeeping();

private:
    void seedAccountsAndCategories();
    void seedSearchRows();
    QStringList ids(const QList<RegisterRow> &rows) const;

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<CategoryRepository> m_categories;
    std::unique_ptr<TransactionRepository> m_transactions;
};

void TestTransactionRepository::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_accounts = std::make_unique<AccountRepository>(m_db->database());
    m_categories = std::make_unique<CategoryRepository>(m_db->database());
    m_transactions = std::make_unique<TransactionRepository>(m_db->database());
    seedAccountsAndCategories();
}

void TestTransactionRepository::cleanup()
{
    m_transactions.reset();
    m_categories.reset();
    m_accounts.reset();
    m_db.reset();
}

void TestTransactionRepository::seedAccountsAndCategories()
{
    QVERIFY(m_accounts->insert(account(QStringLiteral("a1"), QStringLiteral("Checking"), 10000)));
    QVERIFY(m_accounts->insert(account(QStringLiteral("a2"), QStringLiteral("Savings"))));
    QVERIFY(m_categories->insert(category(QStringLiteral("food"), QStringLiteral("Food"))));
    QVERIFY(m_categories->insert(
        category(QStringLiteral("groceries"), QStringLiteral("Groceries"), QStringLiteral("food"))));
}

QStringList TestTransactionRepository::ids(const QList<RegisterRow> &rows) const
{
    QStringList list;
    for (const RegisterRow &row : rows)
        list.append(row.transaction.id);
    return list;
}

void TestTransactionRepository::emptyReferencesAreNull()
{
    QVERIFY(m_transactions->insert(
        transaction(QStringLiteral("t1"), QStringLiteral("a1"), QDate(2024, 1, 1), 5)));
    QCOMPARE(TestDatabase::scalar(
                 QStringLiteral("SELECT category_id IS NULL AND transfer_link_id IS NULL AND "
                                "transfer_dest_account_id IS NULL AND recurring_id IS NULL AND "
                                "server_id IS NULL AND payee = '' AND memo = '' FROM transactions"))
                 .toInt(),
             1);
    const Transaction read = *m_transactions->findById(QStringLiteral("t1"));
    QCOMPARE(read.categoryId, QString());
    QCOMPARE(read.transferLinkId, QString());
    QCOMPARE(read.recurringId, QString());
    QCOMPARE(read.serverId, QString());
}

void TestTransactionRepository::updateCanClearCategory()
{
    Transaction t = transaction(QStringLiteral("t1"), QStringLiteral("a1"), QDate(2024, 1, 1), -700);
    t.categoryId = QStringLiteral("food");
    QVERIFY(m_transactions->insert(t));
    t.categoryId.clear();
    QVERIFY(m_transactions->update(t));
    QVERIFY(TestDatabase::scalar(QStringLiteral("SELECT category_id IS NULL FROM transactions")).toBool());
    QCOMPARE(m_transactions->findById(t.id)->categoryId, QString());
}

void TestTransactionRepository::foreignKeysRejectUnknownRows()
{
    QSignalSpy spy(m_transactions.get(), &TransactionRepository::transactionsChanged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                           "^TransactionRepository::insert failed: .*FOREIGN KEY")));
    QVERIFY(!m_transactions->insert(
        transaction(QStringLiteral("t1"), QStringLiteral("nope"), QDate(2024, 1, 1), 1)));

    Transaction t = transaction(QStringLiteral("t2"), QStringLiteral("a1"), QDate(2024, 1, 1), 1);
    t.categoryId = QStringLiteral("no-such-category");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                           "^TransactionRepository::insert failed: .*FOREIGN KEY")));
    QVERIFY(!m_transactions->insert(t));

    t.categoryId.clear();
    QVERIFY(m_transactions->insert(t));
    t.categoryId = QStringLiteral("no-such-category");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                           "^TransactionRepository::update failed: .*FOREIGN KEY")));
    QVERIFY(!m_transactions->update(t));
    QCOMPARE(spy.count(), 1);
}

void TestTransactionRepository::updateKeepsAccountAndCreation()
{
    Transaction t = transaction(QStringLiteral("t1"), QStringLiteral("a1"), QDate(2024, 1, 1), -700);
    QVERIFY(m_transactions->insert(t));
    t.accountId = QStringLiteral("a2");
    t.createdAt = stamp(25);
    t.updatedAt = stamp(26);
    t.payee = QStringLiteral("Changed");
    t.cleared = true;
    QSignalSpy spy(m_transactions.get(), &TransactionRepository::transactionsChanged);
    QVERIFY(m_transactions->update(t));
    QCOMPARE(spy.count(), 1);

    const Transaction read = *m_transactions->findById(t.id);
    QCOMPARE(read.accountId, QStringLiteral("a1"));
    QCOMPARE(read.createdAt, stamp());
    QCOMPARE(read.updatedAt, stamp(26));
    QCOMPARE(read.payee, QStringLiteral("Changed"));
    QCOMPARE(read.cleared, true);
}

void TestTransactionRepository::softDelete()
{
    SplitLineRepository splits(m_db->database());
    Transaction t = transaction(QStringLiteral("t1"), QStringLiteral("a1"), QDate(2024, 1, 1), -700);
    t.isSplit = true;
    t.syncStatus = SyncStatus::Synced;
    Transaction leg = transaction(QStringLiteral("t2"), QStringLiteral("a2"), QDate(2024, 1, 1), 700);
    QVERIFY(m_transactions->insert(t));
    QVERIFY(m_transactions->insert(leg));
    QVERIFY(splits.insert(splitLine(QStringLiteral("s1"), t.id, -700)));

    QSignalSpy spy(m_transactions.get(), &TransactionRepository::transactionsChanged);
    QVERIFY(!m_transactions->softDelete(QStringLiteral("missing")));
    QCOMPARE(spy.count(), 0);

    QVERIFY(m_transactions->softDelete(t.id));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("a1"));
    const Transaction read = *m_transactions->findById(t.id);
    QVERIFY(read.deletedAt);
    QCOMPARE(read.updatedAt, *read.deletedAt);
    QCOMPARE(read.syncStatus, SyncStatus::Pending);
    QVERIFY(m_transactions->findByAccount(QStringLiteral("a1")).isEmpty());
    QCOMPARE(splits.findByTransaction(t.id).size(), 1);
    QVERIFY(!m_transactions->findById(leg.id)->deletedAt);
}

void TestTransactionRepository::orderings()
{
    Transaction early = transaction(QStringLiteral("early"), QStringLiteral("a1"), QDate(2024, 1, 1), 1);
    Transaction sameDayFirst =
        transaction(QStringLiteral("same1"), QStringLiteral("a1"), QDate(2024, 1, 5), 2);
    sameDayFirst.createdAt = stamp(1, 8);
    Transaction sameDaySecond =
        transaction(QStringLiteral("same2"), QStringLiteral("a1"), QDate(2024, 1, 5), 3);
    sameDaySecond.createdAt = stamp(1, 9);
    sameDaySecond.reconciled = true;
    Transaction late = transaction(QStringLiteral("late"), QStringLiteral("a1"), QDate(2024, 2, 1), 4);
    Transaction other = transaction(QStringLiteral("other"), QStringLiteral("a2"), QDate(2024, 1, 3), 5);
    Transaction deleted = transaction(QStringLiteral("deleted"), QStringLiteral("a1"), QDate(2024, 1, 4), 6);
    for (const Transaction &t : {late, sameDaySecond, early, other, sameDayFirst, deleted})
        QVERIFY(m_transactions->insert(t));
    QVERIFY(m_transactions->softDelete(QStringLiteral("deleted")));

    QStringList found;
    for (const Transaction &t : m_transactions->findByAccount(QStringLiteral("a1")))
        found.append(t.id);
    QCOMPARE(found, (QStringList{"late", "same2", "same1", "early"}));

    found.clear();
    for (const Transaction &t : m_transactions->findUnreconciled(QStringLiteral("a1")))
        found.append(t.id);
    QCOMPARE(found, (QStringList{"early", "same1", "late"}));
}

void TestTransactionRepository::registerRows()
{
    Transaction x1 = transaction(QStringLiteral("x1"), QStringLiteral("a1"), QDate(2024, 1, 2), -2000);
    x1.categoryId = QStringLiteral("groceries");
    x1.createdAt = stamp(1, 8);
    Transaction x2 = transaction(QStringLiteral("x2"), QStringLiteral("a1"), QDate(2024, 1, 1), 50000);
    x2.createdAt = stamp(1, 10);
    Transaction x3 = transaction(QStringLiteral("x3"), QStringLiteral("a1"), QDate(2024, 1, 2), -500);
    x3.categoryId = QStringLiteral("food");
    x3.createdAt = stamp(1, 9);
    Transaction gone = transaction(QStringLiteral("gone"), QStringLiteral("a1"), QDate(2024, 1, 1), -999);
    Transaction elsewhere =
        transaction(QStringLiteral("elsewhere"), QStringLiteral("a2"), QDate(2024, 1, 1), 42);
    for (const Transaction &t : {x3, gone, x1, elsewhere, x2})
        QVERIFY(m_transactions->insert(t));
    QVERIFY(m_transactions->softDelete(QStringLiteral("gone")));
    // A deleted category counts as none, though its rows keep its id; its
    // subcategory goes by its own name.
    QVERIFY(m_categories->softDelete(QStringLiteral("food")));

    const QList<RegisterRow> rows = m_transactions->registerRows(QStringLiteral("a1"));
    QCOMPARE(ids(rows), (QStringList{"x2", "x1", "x3"}));
    QCOMPARE(rows[0].balance, qint64(60000));
    QCOMPARE(rows[1].balance, qint64(58000));
    QCOMPARE(rows[2].balance, qint64(57500));
    QCOMPARE(rows[0].categoryName, QString());
    QCOMPARE(rows[1].categoryName, QStringLiteral("Groceries"));
    QCOMPARE(rows[2].categoryName, QString());
    QCOMPARE(rows[2].transaction.categoryId, QStringLiteral("food"));
    QCOMPARE(rows[1].transaction.amount, qint64(-2000));
    QCOMPARE(rows[1].transaction.createdAt, stamp(1, 8));

    const QList<RegisterRow> savings = m_transactions->registerRows(QStringLiteral("a2"));
    QCOMPARE(savings.size(), 1);
    QCOMPARE(savings[0].balance, qint64(42));
}

void TestTransactionRepository::registerRowsOfUnknownAccount()
{
    QVERIFY(m_transactions->registerRows(QStringLiteral("nobody")).isEmpty());
}

void TestTransactionRepository::payees()
{
    const QStringList names{"apple store", "Zeta", "Apple Store", "Zeta", "", "Bakery"};
    int n = 0;
    for (const QString &name : names) {
        const QString account = n % 2 ? QStringLiteral("a2") : QStringLiteral("a1");
        QVERIFY(m_transactions->insert(
            transaction(QStringLiteral("p%1").arg(n++), account, QDate(2024, 1, 1), 1, name)));
    }
    QVERIFY(m_transactions->insert(transaction(QStringLiteral("deleted"), QStringLiteral("a1"),
                                               QDate(2024, 1, 1), 1, QStringLiteral("Old"))));
    QVERIFY(m_transactions->softDelete(QStringLiteral("deleted")));

    const QStringList expected{"Apple Store", "Bakery", "Zeta", "apple store"};
    QCOMPARE(m_transactions->allPayees(), expected);
    QCOMPARE(m_transactions->payees(QStringLiteral("a1")), expected);
}

void TestTransactionRepository::fullTextQuery_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one word") << "run"
                              << "\"run\"*";
    QTest::newRow("two words") << "rent 12"
                               << "\"rent\"* \"12\"*";
    QTest::newRow("operator words are terms") << "this OR that"
                                              << "\"this\"* \"OR\"* \"that\"*";
    QTest::newRow("punctuation separates") << "o'brien-smith"
                                           << "\"o\"* \"brien\"* \"smith\"*";
    QTest::newRow("quotes cannot escape") << "\"abc\"*"
                                          << "\"abc\"*";
    QTest::newRow("only punctuation") << "!!! ---"
                                      << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("letters of other scripts") << "café 東京"
                                              << "\"café\"* \"東京\"*";
}

void TestTransactionRepository::fullTextQuery()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(TransactionRepository::fullTextQuery(text), expected);
}

void TestTransactionRepository::seedSearchRows()
{
    auto make = [&](const char *id, const char *account, QDate date, const char *payee, const char *memo,
                    const char *category, bool cleared, int createdDay) {
        Transaction t =
            transaction(QLatin1String(id), QLatin1String(account), date, -100, QLatin1String(payee));
        t.memo = QLatin1String(memo);
        t.categoryId = QLatin1String(category);
        t.cleared = cleared;
        t.createdAt = stamp(createdDay);
        return t;
    };
    QList<Transaction> rows{
        make("s1", "a1", QDate(2024, 1, 5), "Corner Grocer", "milk and eggs", "groceries", true, 1),
        make("s2", "a1", QDate(2024, 1, 10), "Grocery Outlet", "", "food", false, 1),
        make("s3", "a2", QDate(2024, 2, 1), "Rent", "OR apartment", "", false, 1),
        make("s4", "a1", QDate(2024, 2, 15), "Power OR Light", "", "", true, 1),
        make("s5", "a2", QDate(2024, 3, 1), "Groceries Direct", "", "", false, 1),
        make("s6", "a1", QDate(2024, 1, 10), "Bakery", "rent share", "", false, 2),
    };
    rows[2].checkNumber = QStringLiteral("1042");
    for (const Transaction &t : rows)
        QVERIFY(m_transactions->insert(t));
    QVERIFY(m_transactions->softDelete(QStringLiteral("s5")));
}

void TestTransactionRepository::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("accountId");
    QTest::addColumn<QString>("categoryId");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<int>("cleared"); // -1 unset, 0 false, 1 true
    QTest::addColumn<QStringList>("expected");

    const QDate none;
    QTest::newRow("prefix") << "groc"
                            << ""
                            << "" << none << none << -1 << QStringList{"s2", "s1"};
    QTest::newRow("prefix, deleted row's account") << "groc"
                                                   << "a2"
                                                   << "" << none << none << -1 << QStringList{};
    QTest::newRow("no text: all live, newest first")
        << ""
        << ""
        << "" << none << none << -1 << QStringList{"s4", "s3", "s6", "s2", "s1"};
    QTest::newRow("only punctuation is no condition")
        << "!?"
        << ""
        << "" << none << none << -1 << QStringList{"s4", "s3", "s6", "s2", "s1"};
    QTest::newRow("OR typed by the user") << "OR"
                                          << ""
                                          << "" << none << none << -1 << QStringList{"s4", "s3"};
    QTest::newRow("every term must match") << "rent 10"
                                           << ""
                                           << "" << none << none << -1 << QStringList{"s3"};
    QTest::newRow("payee or memo") << "rent"
                                   << ""
                                   << "" << none << none << -1 << QStringList{"s3", "s6"};
    QTest::newRow("check number") << "104"
                                  << ""
                                  << "" << none << none << -1 << QStringList{"s3"};
    QTest::newRow("case-insensitive") << "BAKE"
                                      << ""
                                      << "" << none << none << -1 << QStringList{"s6"};
    QTest::newRow("account") << ""
                             << "a2"
                             << "" << none << none << -1 << QStringList{"s3"};
    QTest::newRow("category is exact") << ""
                                       << ""
                                       << "food" << none << none << -1 << QStringList{"s2"};
    QTest::newRow("subcategory") << ""
                                 << ""
                                 << "groceries" << none << none << -1 << QStringList{"s1"};
    QTest::newRow("date range inclusive")
        << ""
        << ""
        << "" << QDate(2024, 1, 10) << QDate(2024, 2, 1) << -1 << QStringList{"s3", "s6", "s2"};
    QTest::newRow("from after to") << ""
                                   << ""
                                   << "" << QDate(2024, 2, 1) << QDate(2024, 1, 10) << -1 << QStringList{};
    QTest::newRow("cleared") << ""
                             << ""
                             << "" << none << none << 1 << QStringList{"s4", "s1"};
    QTest::newRow("not cleared") << ""
                                 << ""
                                 << "" << none << none << 0 << QStringList{"s3", "s6", "s2"};
    QTest::newRow("all together") << "milk"
                                  << "a1"
                                  << "groceries" << QDate(2024, 1, 1) << QDate(2024, 1, 31) << 1
                                  << QStringList{"s1"};
}

void TestTransactionRepository::search()
{
    QFETCH(QString, text);
    QFETCH(QString, accountId);
    QFETCH(QString, categoryId);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(int, cleared);
    QFETCH(QStringList, expected);

    seedSearchRows();
    TransactionSearchFilter filter;
    filter.accountId = accountId;
    filter.categoryId = categoryId;
    filter.dateFrom = from;
    filter.dateTo = to;
    if (cleared >= 0)
        filter.cleared = cleared == 1;
    const QList<RegisterRow> rows = m_transactions->search(text, filter);
    QCOMPARE(ids(rows), expected);
    for (const RegisterRow &row : rows) {
        QCOMPARE(row.balance, qint64(0));
        if (row.transaction.id == QLatin1String("s1"))
            QCOMPARE(row.categoryName, QStringLiteral("Food > Groceries"));
    }
}

void TestTransactionRepository::searchKeepsNewest200()
{
    QVERIFY(m_db->database()->database().transaction());
    const QDate first(2023, 1, 1);
    for (int i = 0; i < 250; ++i) {
        QVERIFY(
            m_transactions->insert(transaction(QStringLiteral("t%1").arg(i), QStringLiteral("a1"),
                                               first.addDays(i), -1, QStringLiteral("Coffee %1").arg(i))));
    }
    QVERIFY(m_db->database()->database().commit());
    const QList<RegisterRow> rows = m_transactions->search(QStringLiteral("coff"), {});
    QCOMPARE(rows.size(), TransactionRepository::SearchLimit);
    QCOMPARE(rows.first().transaction.id, QStringLiteral("t249"));
    QCOMPARE(rows.last().transaction.id, QStringLiteral("t50"));
}

void TestTransactionRepository::searchOrderWithoutCategoryPathIndex()
{
    // Ties on date, some on creation time too, over live, deleted and no categories.
    QVERIFY(m_categories->insert(
        category(QStringLiteral("gone"), QStringLiteral("Gone"), QStringLiteral("food"))));
    QVERIFY(TestDatabase::exec(QStringLiteral("UPDATE categories SET deleted_at = '2024-01-01T00:00:00Z' "
                                              "WHERE id = 'gone'")));
    const QStringList categories{"groceries", "food", "", "gone"};
    for (int i = 0; i < 40; ++i) {
        Transaction t = transaction(QStringLiteral("d%1").arg(i), QStringLiteral("a1"),
                                    QDate(2024, 1, 1 + i % 3), -i, QStringLiteral("Grocer %1").arg(i % 5));
        t.categoryId = categories.at(i % categories.size());
        t.createdAt = stamp(i % 4);
        QVERIFY(m_transactions->insert(t));
    }
    const auto shown = [&] {
        QStringList list;
        for (const RegisterRow &row : m_transactions->search(QStringLiteral("gro"), {}))
            list.append(row.transaction.id + QLatin1Char('=') + row.categoryName);
        return list;
    };
    const QStringList indexed = shown();
    QCOMPARE(indexed.size(), 40);
    QVERIFY(TestDatabase::exec(QStringLiteral("DROP INDEX idx_categories_path")));
    QCOMPARE(indexed, shown());
}

void TestTransactionRepository::softDeleteByAccountAndRestore()
{
    for (const char *id : {"k1", "k2", "k3"})
        QVERIFY(m_transactions->insert(
            transaction(QLatin1String(id), QStringLiteral("a1"), QDate(2024, 1, 1), 1)));
    QVERIFY(m_transactions->insert(
        transaction(QStringLiteral("o1"), QStringLiteral("a2"), QDate(2024, 1, 1), 1)));
    // Deleted long before the account went.
    QVERIFY(TestDatabase::exec(QStringLiteral("UPDATE transactions SET deleted_at = '2024-01-01T00:00:00Z' "
                                              "WHERE id = 'k3'")));

    const QDateTime accountDeletedAt(QDate(2024, 6, 1), QTime(9, 30, 0), Qt::UTC);
    QSignalSpy spy(m_transactions.get(), &TransactionRepository::transactionsChanged);
    QVERIFY(m_transactions->softDeleteByAccount(QStringLiteral("a1"), accountDeletedAt));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT group_concat(id || '=' || deleted_at, ',') FROM "
                                                 "(SELECT id, deleted_at FROM transactions ORDER BY id)"))
                 .toString(),
             QStringLiteral("k1=2024-06-01T09:30:00Z,k2=2024-06-01T09:30:00Z,k3=2024-01-01T00:00:00Z"));
    QVERIFY(!m_transactions->findById(QStringLiteral("o1"))->deletedAt);

    // The restore of the account uses its deletion time minus 10 seconds.
    const QString cutoff = accountDeletedAt.addSecs(-10).toString(Qt::ISODate);
    spy.clear();
    QCOMPARE(m_transactions->restoreByAccount(QStringLiteral("a1"), cutoff), 2);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("a1"));
    QVERIFY(!m_transactions->findById(QStringLiteral("k1"))->deletedAt);
    QCOMPARE(m_transactions->findById(QStringLiteral("k1"))->syncStatus, SyncStatus::Pending);
    QVERIFY(m_transactions->findById(QStringLiteral("k3"))->deletedAt);

    spy.clear();
    QCOMPARE(m_transactions->restoreByAccount(QStringLiteral("a1"), cutoff), 0);
    QCOMPARE(spy.count(), 0);
}

void TestTransactionRepository::restoreByAccountComparesText()
{
    QVERIFY(
        m_transactions->insert(transaction(QStringLiteral("z"), QStringLiteral("a1"), QDate(2024, 1, 1), 1)));
    QVERIFY(
        m_transactions->insert(transaction(QStringLiteral("s"), QStringLiteral("a1"), QDate(2024, 1, 1), 1)));
    // The same instant in two spellings: the comparison is on the text, so the
    // space form (which sorts before "T") is older than the cutoff.
    QVERIFY(TestDatabase::exec(QStringLiteral("UPDATE transactions SET deleted_at = '2024-06-01T09:29:50Z' "
                                              "WHERE id = 'z'")));
    QVERIFY(TestDatabase::exec(QStringLiteral("UPDATE transactions SET deleted_at = '2024-06-01 09:29:55' "
                                              "WHERE id = 's'")));
    QCOMPARE(m_transactions->restoreByAccount(QStringLiteral("a1"), QStringLiteral("2024-06-01T09:29:50Z")),
             1);
    QVERIFY(!m_transactions->findById(QStringLiteral("z"))->deletedAt);
    QVERIFY(m_transactions->findById(QStringLiteral("s"))->deletedAt);
}

void TestTransactionRepository::syncBookkeeping()
{
    for (const char *id : {"p1", "p2", "p3"})
        QVERIFY(m_transactions->insert(
            transaction(QLatin1String(id), QStringLiteral("a1"), QDate(2024, 1, 1), 1)));
    QVERIFY(m_transactions->markSynced(QStringLiteral("p1"), QStringLiteral("srv-1")));
    QVERIFY(m_transactions->markSynced(QStringLiteral("p2"), QStringLiteral("srv-2")));
    QVERIFY(m_transactions->softDelete(QStringLiteral("p2")));

    QStringList pending;
    for (const Transaction &t : m_transactions->findPendingSync())
        pending.append(t.id);
    pending.sort();
    QCOMPARE(pending, (QStringList{"p2", "p3"}));
    QCOMPARE(m_transactions->findByServerId(QStringLiteral("srv-1"))->id, QStringLiteral("p1"));
    QCOMPARE(m_transactions->findByServerId(QStringLiteral("srv-2"))->id, QStringLiteral("p2"));

    QVERIFY(m_transactions->markSynced(QStringLiteral("p3"), QStringLiteral("srv-3")));
    QSignalSpy spy(m_transactions.get(), &TransactionRepository::transactionsChanged);
    QCOMPARE(m_transactions->markAllPendingForResync(), 2);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QString());
    QCOMPARE(m_transactions->findById(QStringLiteral("p1"))->syncStatus, SyncStatus::Pending);
}

QTEST_GUILESS_MAIN(TestTransactionRepository)
#include "TestTransactionRepository.moc"
