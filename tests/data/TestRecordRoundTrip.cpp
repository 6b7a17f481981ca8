#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "ColumnTables.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SplitLineRepository.h"
#include "TestDatabase.h"
#include "TestRecords.h"
#include "TransactionRepository.h"

#include <QFile>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <functional>

using namespace TestRecords;

namespace {

// What writing records through their repository and reading them back gave:
// each record as "column=value" lines of its columns' stored values, as
// TestDatabase::rowLines() gives rows.
struct Outcome
{
    QStringList written;
    QStringList read;
    QStringList changes;  // the account each change signal names, empty for none
    int sharedFields = 0; // columns that hold a field another one holds too
};

using RoundTrip = std::function<Outcome(Database *)>;

template <typename T, typename Records>
void append(QStringList &lines, const T &table, const Records &records)
{
    for (const typename T::RecordType &record : records) {
        RecordColumns::forEach(table.columns, [&](const auto &column) {
            lines << QLatin1String(column.name) + QLatin1Char('=') +
                         TestDatabase::valueText(column.toSql(record));
        });
    }
}

// A field two columns hold is read from one of them only: the field the other
// should hold is then never written nor read, unseen by the comparison.
template <typename T> int sharedFields(const T &table)
{
    typename T::RecordType record;
    QSet<const void *> fields;
    RecordColumns::forEach(table.columns, [&](const auto &column) { fields.insert(&column.field(record)); });
    return T::size - int(fields.size());
}

template <typename Found> auto listOf(const Found &found)
{
    if constexpr (RecordColumns::IsOptional<Found>)
        return found ? QList{*found} : QList<typename Found::value_type>{};
    else
        return found;
}

// Inserts `records`, then reads with `find` for each of `keys`. `changed` is
// null for a repository without a change signal.
template <typename T, typename Repository, typename Found, typename Signal>
RoundTrip writeAndRead(const T &table, const QList<typename T::RecordType> &records, const QStringList &keys,
                       Found (Repository::*find)(const QString &) const, Signal changed)
{
    return [=](Database *database) {
        Outcome outcome;
        outcome.sharedFields = sharedFields(table);
        Repository repository(database);
        std::optional<QSignalSpy> spy;
        if constexpr (!std::is_null_pointer_v<Signal>)
            spy.emplace(&repository, changed);
        append(outcome.written, table, records);
        // A record that fails to go in is missing from what is read.
        for (const auto &record : records)
            repository.insert(record);
        for (const QString &key : keys)
            append(outcome.read, table, listOf((repository.*find)(key)));
        for (qsizetype i = 0; spy && i < spy->size(); ++i)
            outcome.changes << spy->at(i).value(0).toString();
        return outcome;
    };
}

RoundTrip accounts()
{
    Account a = account(QStringLiteral("acc-1"), QStringLiteral("Visa"), -12345);
    a.accountType = AccountType::CreditCard;
    a.currency = Currency::JPY;
    a.institution = QStringLiteral("First Bank");
    a.accountNumberLast4 = QStringLiteral("0042");
    a.sortOrder = 3;
    a.isShared = true;
    a.version = 4;
    a.syncStatus = SyncStatus::Conflict;
    a.serverId = QStringLiteral("srv-9");
    // Defaults survive too: no server id is NULL, texts are empty, not NULL.
    return writeAndRead(ColumnTables::accounts, {a, account(QStringLiteral("acc-2"))},
                        {"acc-1", "acc-2", "missing"}, &AccountRepository::findById,
                        &AccountRepository::accountsChanged);
}

RoundTrip categories()
{
    Category c = category(QStringLiteral("charity"), QStringLiteral("Charity"), QStringLiteral("giving"));
    c.categoryType = CategoryType::Income;
    c.isTaxRelevant = true;
    c.taxCategory = QStringLiteral("charitable_contributions");
    c.icon = QStringLiteral("volunteer_activism");
    c.color = QStringLiteral("#00897B");
    c.isDefault = true;
    c.accountId = QStringLiteral("acc-not-a-foreign-key");
    c.version = 2;
    c.syncStatus = SyncStatus::Synced;
    c.serverId = QStringLiteral("srv-c");
    return writeAndRead(
        ColumnTables::categories, {category(QStringLiteral("giving"), QStringLiteral("Giving")), c},
        {"giving", "charity"}, &CategoryRepository::findById, &CategoryRepository::categoriesChanged);
}

RoundTrip transactions()
{
    Transaction t = transaction(QStringLiteral("t1"), QStringLiteral("a1"), QDate(2024, 2, 29), -123456,
                                QStringLiteral("Hardware Store"));
    t.memo = QStringLiteral("nails; screws");
    t.categoryId = QStringLiteral("groceries");
    t.checkNumber = QStringLiteral("1001");
    t.cleared = true;
    t.reconciled = true;
    t.transferLinkId = QStringLiteral("t2");
    t.transferDestAccountId = QStringLiteral("a2");
    t.isSplit = true;
    t.recurringId = QStringLiteral("r1");
    t.isOpening = true;
    t.version = 3;
    t.syncStatus = SyncStatus::Synced;
    t.serverId = QStringLiteral("srv-1");
    return writeAndRead(ColumnTables::transactions, {t}, {"t1"}, &TransactionRepository::findById,
                        &TransactionRepository::transactionsChanged);
}

// The lines come back in the order they were written, not by id.
RoundTrip splitLines()
{
    SplitLine first = splitLine(QStringLiteral("z-line"), QStringLiteral("t1"), -200, QStringLiteral("c1"));
    first.memo = QStringLiteral("for Ann");
    SplitLine second = splitLine(QStringLiteral("a-line"), QStringLiteral("t1"), -100);
    second.updatedAt = stamp(9);
    return writeAndRead(ColumnTables::splitLines, {first, second}, {"t1", "t2"},
                        &SplitLineRepository::findByTransaction, nullptr);
}

RoundTrip recurringTransactions()
{
    RecurringTransaction r =
        recurring(QStringLiteral("r1"), QStringLiteral("gone-account"), QDate(2024, 1, 31));
    r.memo = QStringLiteral("flat");
    r.categoryId = QStringLiteral("cat-not-a-foreign-key");
    r.frequency = Frequency::Semimonthly;
    r.intervalCount = 2;
    r.semimonthlyDay1 = 10;
    r.semimonthlyDay2 = 0;
    r.startDate = QDate(2023, 12, 31);
    r.endDate = QDate(2025, 12, 31);
    r.autoPost = true;
    r.leadDays = 3;
    r.isActive = false;
    r.transferDestAccountId = QStringLiteral("savings");
    r.version = 5;
    r.syncStatus = SyncStatus::Synced;
    r.serverId = QStringLiteral("srv-r");
    return writeAndRead(ColumnTables::recurring, {r}, {"r1"}, &RecurringRepository::findById,
                        &RecurringRepository::recurringChanged);
}

RoundTrip reconciliations()
{
    Reconciliation r = reconciliation(QStringLiteral("r1"), QStringLiteral("a1"), QDate(2024, 1, 31));
    r.statementBalance = 123456;
    r.reconciledBalance = 123400;
    r.version = 2;
    r.serverId = QStringLiteral("srv");
    return writeAndRead(ColumnTables::reconciliations, {r}, {"r1"}, &ReconciliationRepository::findById,
                        &ReconciliationRepository::reconciliationsChanged);
}

} // namespace

// Each record's columns written through its repository, read back through it
// and as stored in the database file.
class TestRecordRoundTrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
};

// One row per table, named after it.
void TestRecordRoundTrip::roundTrip_data()
{
    QTest::addColumn<RoundTrip>("roundTrip");
    QTest::addColumn<QStringList>("given"); // rows the records refer to
    QTest::addColumn<QStringList>("changes");

    const QString a1 = QStringLiteral("INSERT INTO accounts (id) VALUES ('a1')");
    QTest::newRow("accounts") << accounts() << QStringList{} << QStringList{"", ""};
    QTest::newRow("categories") << categories() << QStringList{} << QStringList{"", ""};
    QTest::newRow("transactions") << transactions()
                                  << QStringList{a1, "INSERT INTO categories (id) VALUES ('groceries')"}
                                  << QStringList{"a1"};
    QTest::newRow("split_lines")
        << splitLines() << QStringList{a1, "INSERT INTO transactions (id, account_id) VALUES ('t1', 'a1')"}
        << QStringList{};
    QTest::newRow("recurring_transactions") << recurringTransactions() << QStringList{} << QStringList{""};
    QTest::newRow("reconciliations") << reconciliations() << QStringList{a1} << QStringList{""};
}

// Read back, every column holds the value written; in the file, the rows are
// the fixture named after the case, which shows a column stored under another
// column's name or as the wrong kind.
void TestRecordRoundTrip::roundTrip()
{
    QFETCH(RoundTrip, roundTrip);
    QFETCH(QStringList, given);
    QFETCH(QStringList, changes);

    TestDatabase db;
    QVERIFY(db.isValid());
    for (const QString &sql : given)
        QVERIFY2(TestDatabase::exec(sql), qPrintable(sql));
    const Outcome outcome = roundTrip(db.database());
    QCOMPARE(outcome.changes, changes);
    QCOMPARE(outcome.sharedFields, 0);
    QCOMPARE(outcome.read, outcome.written);
    const QString table = QLatin1String(QTest::currentDataTag());
    QFile fixture(QFINDTESTDATA(QStringLiteral("../fixtures/data/roundtrip_%1.txt").arg(table)));
    QVERIFY(fixture.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(TestDatabase::rowLines(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table)),
             QString::fromUtf8(fixture.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts));
}

QTEST_GUILESS_MAIN(TestRecordRoundTrip)
#include "TestRecordRoundTrip.moc"
