#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "ReadFailureWatch.h"
#include "SplitLineRepository.h"
#include "SqliteRows.h"
#include "TestDatabase.h"
#include "TestRecords.h"
#include "TransactionRepository.h"

#include <QSqlQuery>
#include <QTest>

using namespace TestRecords;

// The reads of many rows through SQLite's own interface give what the
// records hold, through it and through QSqlQuery alike: every field of a
// register row, text beyond ASCII, NULL against empty, and a read that fails
// part-way told from one that ended. The push's reads of every pending row
// give what the one-row reads through QSqlQuery give.
class TestSqliteRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void registerRowsKeepEveryField_data() { bothReadPaths(); }
    void registerRowsKeepEveryField();
    void failurePartWayIsReported_data() { bothReadPaths(); }
    void failurePartWayIsReported();
    void pendingRowsMatchSingleReads_data();
    void pendingRowsMatchSingleReads();

private:
    static void bothReadPaths();

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<TransactionRepository> m_transactions;
};

void TestSqliteRows::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_transactions = std::make_unique<TransactionRepository>(m_db->database());
    AccountRepository accounts(m_db->database());
    QVERIFY(accounts.insert(account(QStringLiteral("a1"), QStringLiteral("Checking"), 1000)));
    QVERIFY(accounts.insert(account(QStringLiteral("a2"), QStringLiteral("Savings"))));
    CategoryRepository categories(m_db->database());
    QVERIFY(categories.insert(category(QStringLiteral("food"), QStringLiteral("Essen & Trinken"))));
    QVERIFY(
        categories.insert(category(QStringLiteral("cafe"), QStringLiteral("Café"), QStringLiteral("food"))));
}

void TestSqliteRows::cleanup()
{
    SqliteRows::setDirectReadsAllowed(true);
    m_transactions.reset();
    m_db.reset();
}

void TestSqliteRows::bothReadPaths()
{
    QTest::addColumn<bool>("direct");
    QTest::newRow("SQLite's interface") << true;
    QTest::newRow("QSqlQuery") << false;
}

void TestSqliteRows::registerRowsKeepEveryField()
{
    QFETCH(bool, direct);
    SqliteRows::setDirectReadsAllowed(direct);
    QCOMPARE(SqliteRows::directReads(m_db->database()->database()), direct);

    Transaction full = transaction(QStringLiteral("t1"), QStringLiteral("a1"), QDate(2024, 2, 29), -1234,
                                   QStringLiteral("Bäckerei Ōsaka 東京 🍞"));
    full.memo = QStringLiteral("naïve memo");
    full.categoryId = QStringLiteral("cafe");
    full.checkNumber = QStringLiteral("1001");
    full.cleared = true;
    full.reconciled = true;
    full.transferLinkId = QStringLiteral("leg-9");
    full.transferDestAccountId = QStringLiteral("a2");
    full.isSplit = true;
    full.version = 7;
    full.syncStatus = SyncStatus::Conflict;
    full.serverId = QStringLiteral("srv-1");
    full.createdAt = stamp(2, 8);
    full.updatedAt = stamp(3, 9);
    // The same payee and category again: shared texts must not mix rows up.
    Transaction plain =
        transaction(QStringLiteral("t2"), QStringLiteral("a1"), QDate(2024, 3, 1), 500, full.payee);
    plain.categoryId = QStringLiteral("food");
    QVERIFY(m_transactions->insert(full));
    QVERIFY(m_transactions->insert(plain));

    const ReadFailureWatch watch;
    const QList<RegisterRow> rows = m_transactions->registerRows(QStringLiteral("a1"));
    QVERIFY(!watch.failed());
    QCOMPARE(rows.size(), 2);
    const Transaction &t = rows[0].transaction;
    QCOMPARE(t.id, full.id);
    QCOMPARE(t.accountId, full.accountId);
    QCOMPARE(t.date, full.date);
    QCOMPARE(t.payee, full.payee);
    QCOMPARE(t.memo, full.memo);
    QCOMPARE(t.amount, full.amount);
    QCOMPARE(t.categoryId, full.categoryId);
    QCOMPARE(t.checkNumber, full.checkNumber);
    QVERIFY(t.cleared && t.reconciled && t.isSplit);
    QCOMPARE(t.transferLinkId, full.transferLinkId);
    QCOMPARE(t.transferDestAccountId, full.transferDestAccountId);
    QCOMPARE(t.version, 7);
    QCOMPARE(t.syncStatus, SyncStatus::Conflict);
    QCOMPARE(t.serverId, full.serverId);
    QCOMPARE(t.createdAt, full.createdAt);
    QCOMPARE(t.updatedAt, full.updatedAt);
    QVERIFY(!t.deletedAt);
    QCOMPARE(rows[0].categoryName, QStringLiteral("Essen & Trinken > Café"));
    QCOMPARE(rows[0].balance, qint64(1000 - 1234));

    const Transaction &p = rows[1].transaction;
    QCOMPARE(p.payee, full.payee);
    QCOMPARE(rows[1].categoryName, QStringLiteral("Essen & Trinken"));
    // NULL references read as empty, never as a stale value of the row before.
    QVERIFY(p.transferLinkId.isEmpty() && p.transferDestAccountId.isEmpty() && p.serverId.isEmpty());
    QVERIFY(!p.cleared && !p.reconciled && !p.isSplit);
    QCOMPARE(p.syncStatus, SyncStatus::Pending);
    QCOMPARE(rows[1].balance, qint64(1000 - 1234 + 500));

    // A deleted row read by its id keeps its deletion time.
    QVERIFY(m_transactions->softDelete(QStringLiteral("t2")));
    const QList<RegisterRow> byId = m_transactions->registerRowsByIds({QStringLiteral("t2")});
    QCOMPARE(byId.size(), 1);
    QVERIFY(byId[0].transaction.deletedAt && byId[0].transaction.deletedAt->isValid());
    QCOMPARE(m_transactions->allPayees(), QStringList{full.payee});
}

void TestSqliteRows::failurePartWayIsReported()
{
    QFETCH(bool, direct);
    SqliteRows::setDirectReadsAllowed(direct);
    // Rows 1 and 2, then one that cannot be computed (abs of the lowest integer).
    SqliteRows rows(
        m_db->database()->database(),
        QStringLiteral("WITH RECURSIVE n(x) AS (SELECT ? UNION ALL SELECT x + 1 FROM n WHERE x < 5) "
                       "SELECT abs(CASE WHEN x = 3 THEN -9223372036854775807 - 1 ELSE x END), ? FROM n"),
        {1, QVariant(QMetaType::fromType<QString>())});
    QList<qint64> read;
    while (rows.next()) {
        QVERIFY(rows.isNull(1));
        read.append(rows.integer(0));
    }
    QCOMPARE(read, (QList<qint64>{1, 2}));
    QVERIFY(rows.failed());
    QVERIFY(!rows.next());

    SqliteRows broken(m_db->database()->database(), QStringLiteral("SELECT id FROM no_such_table"), {});
    QVERIFY(broken.failed());
    QVERIFY(!broken.next());
}

namespace {

QStringList fields(const Transaction &t)
{
    auto when = [](const QDateTime &d) {
        return d.toString(Qt::ISODateWithMs) + QString::number(d.timeSpec());
    };
    return {t.id,
            t.accountId,
            t.date.toString(Qt::ISODate),
            t.payee,
            t.memo,
            QString::number(t.amount),
            t.categoryId,
            t.checkNumber,
            QString::number(t.cleared),
            QString::number(t.reconciled),
            t.transferLinkId,
            t.transferDestAccountId,
            QString::number(t.isSplit),
            t.recurringId,
            QString::number(t.version),
            syncStatusToString(t.syncStatus),
            t.serverId,
            when(t.createdAt),
            when(t.updatedAt),
            t.deletedAt ? when(*t.deletedAt) : QStringLiteral("live")};
}

QStringList fields(const QList<SplitLine> &lines)
{
    QStringList list;
    for (const SplitLine &l : lines)
        list << l.id << l.transactionId << l.categoryId << QString::number(l.amount) << l.memo
             << l.createdAt.toString(Qt::ISODate) << l.updatedAt.toString(Qt::ISODate);
    return list;
}

} // namespace

void TestSqliteRows::pendingRowsMatchSingleReads_data()
{
    const QVariant null(QMetaType::fromType<QString>());
    // payee, memo, category_id, server_id, created_at, deleted_at, is_split
    QTest::addColumn<QVariantList>("row");
    QTest::newRow("every text filled")
        << QVariantList{"Bäckerei 東京", "naïve", "food", "srv-1", "2024-02-01T08:00:00Z", null, 0};
    QTest::newRow("nulls and empty texts") << QVariantList{"", "", null, null, "", null, 0};
    QTest::newRow("stamp without zone, deleted")
        << QVariantList{"Rent", "", "food", null, "2024-02-01 08:00:00", "2024-03-01T09:00:00Z", 0};
    QTest::newRow("split") << QVariantList{"Market", "weekly", null, null, "2024-02-01T08:00:00Z", null, 1};
}

void TestSqliteRows::pendingRowsMatchSingleReads()
{
    QFETCH(QVariantList, row);
    QVERIFY(SqliteRows::directReads(m_db->database()->database()));
    QSqlQuery insert(m_db->database()->database());
    // The case's row pending, and a copy synced that neither read may return.
    for (const char *id : {"t1", "t2"}) {
        QVERIFY(insert.prepare("INSERT INTO transactions (id, account_id, date, amount, payee, memo, "
                               "category_id, server_id, created_at, deleted_at, is_split, updated_at, "
                               "sync_status) VALUES (?, 'a1', '2024-02-29', -1234, ?, ?, ?, ?, ?, ?, ?, "
                               "'2024-02-02T09:00:00Z', ?)"));
        insert.addBindValue(QString::fromLatin1(id));
        for (const QVariant &value : row)
            insert.addBindValue(value);
        insert.addBindValue(qstrcmp(id, "t1") == 0 ? "pending" : "synced");
        QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
    }
    const QVariant null(QMetaType::fromType<QString>());
    for (const QVariantList &line :
         {QVariantList{"s1", "t1", null, ""}, QVariantList{"s2", "t1", "cafe", "für"},
          QVariantList{"s3", "t2", "food", "x"}}) {
        QVERIFY(
            insert.prepare("INSERT INTO split_lines (id, transaction_id, category_id, amount, memo, "
                           "created_at, updated_at) VALUES (?, ?, ?, -617, ?, '2024-02-01T08:00:00Z', '')"));
        for (const QVariant &value : line)
            insert.addBindValue(value);
        QVERIFY(insert.exec());
    }

    const QList<Transaction> pending = m_transactions->findPendingSync();
    QCOMPARE(pending.size(), 1);
    QCOMPARE(fields(pending[0]), fields(*m_transactions->findById(QStringLiteral("t1"))));
    SplitLineRepository splitLines(m_db->database());
    const QHash<QString, QList<SplitLine>> lines = splitLines.findForPendingTransactions();
    QCOMPARE(lines.keys(), row[6].toInt() ? QStringList{"t1"} : QStringList());
    QCOMPARE(fields(lines.value("t1")),
             fields(row[6].toInt() ? splitLines.findByTransaction("t1") : QList<SplitLine>()));
}

QTEST_GUILESS_MAIN(TestSqliteRows)
#include "TestSqliteRows.moc"
