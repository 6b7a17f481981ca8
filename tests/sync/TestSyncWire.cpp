#include "SyncWire.h"

#include <QJsonDocument>
#include <QTest>

// The change objects as the server parses them, and the tolerant reading of
// pulled records.
class TestSyncWire : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void accountChangeOfDeletedRow();
    void categoryPayload();
    void recurringPayloadWithoutEndDate();
    void transactionPayload_data();
    void transactionPayload();
    void reconciliationPayload();
    void serverIdOnlyWhenKnown();
    void dateTexts_data();
    void dateTexts();

    void parseServerDate_data();
    void parseServerDate();
    void flags_data();
    void flags();
    void money_data();
    void money();
    void enumerations();
    void header();
    void recurringScheduleNumbers();
    void recurringEndDate();
    void splitLines();

private:
    static QJsonObject roundTrip(const QJsonObject &object);
};

namespace {

const QDateTime Created(QDate(2024, 3, 1), QTime(8, 0), Qt::UTC);
const QDateTime Updated(QDate(2024, 3, 2), QTime(9, 30, 15), Qt::UTC);

QJsonObject parse(const char *json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

} // namespace

QJsonObject TestSyncWire::roundTrip(const QJsonObject &object)
{
    // What the server sees: the bytes, parsed again.
    return QJsonDocument::fromJson(QJsonDocument(object).toJson(QJsonDocument::Compact)).object();
}

void TestSyncWire::accountChangeOfDeletedRow()
{
    Account account;
    account.id = QStringLiteral("a-1");
    account.name = QStringLiteral("Checking");
    account.accountType = AccountType::CreditCard;
    account.currency = Currency::JPY;
    account.institution = QStringLiteral("First Bank");
    account.accountNumberLast4 = QStringLiteral("0042");
    account.startingBalance = -123456;
    account.sortOrder = 3;
    account.isShared = true;
    account.version = 4;
    account.createdAt = Created;
    account.updatedAt = Updated;
    account.deletedAt = Updated;

    const QJsonObject change = roundTrip(SyncWire::change(
        QStringLiteral("account"), account.id, true, account.version, SyncWire::accountPayload(account)));
    QCOMPARE(change.value("entity_type").toString(), QStringLiteral("account"));
    QCOMPARE(change.value("entity_id").toString(), QStringLiteral("a-1"));
    QCOMPARE(change.value("action").toString(), QStringLiteral("delete"));
    QCOMPARE(change.value("version").toInt(), 4);

    const QJsonObject expected = parse(R"({
        "client_id": "a-1", "name": "Checking", "account_type": "credit_card", "currency": "JPY",
        "is_shared": 1, "institution": "First Bank", "account_number_last4": "0042",
        "starting_balance": -123456, "sort_order": 3, "version": 4,
        "created_at": "2024-03-01T08:00:00Z", "updated_at": "2024-03-02T09:30:15Z",
        "deleted_at": "2024-03-02T09:30:15Z"})");
    QCOMPARE(change.value("payload").toObject(), expected);
}

void TestSyncWire::categoryPayload()
{
    Category category;
    category.id = QStringLiteral("c-1");
    category.name = QStringLiteral("Groceries");
    category.categoryType = static_cast<CategoryType>(9); // out of range: sent as expense
    category.isTaxRelevant = true;
    category.taxCategory = QStringLiteral("Schedule A");
    category.icon = QStringLiteral("cart");
    category.color = QStringLiteral("#00897B");
    category.createdAt = Created;
    category.updatedAt = Updated;

    const QJsonObject expected = parse(R"({
        "client_id": "c-1", "name": "Groceries", "category_type": "expense", "parent_id": "",
        "is_tax_relevant": 1, "tax_category": "Schedule A", "icon": "cart", "color": "#00897B",
        "is_default": 0, "account_id": "", "version": 1,
        "created_at": "2024-03-01T08:00:00Z", "updated_at": "2024-03-02T09:30:15Z"})");
    QCOMPARE(roundTrip(SyncWire::categoryPayload(category)), expected);
}

void TestSyncWire::recurringPayloadWithoutEndDate()
{
    RecurringTransaction recurring;
    recurring.id = QStringLiteral("r-1");
    recurring.accountId = QStringLiteral("a-1");
    recurring.payee = QStringLiteral("Rent");
    recurring.amount = -150000;
    recurring.frequency = Frequency::SemiAnnual;
    recurring.intervalCount = 2;
    recurring.semimonthlyDay1 = 0;
    recurring.startDate = QDate(2024, 1, 31);
    recurring.nextDueDate = QDate(2024, 7, 31);
    recurring.autoPost = true;
    recurring.leadDays = 3;
    recurring.version = 6;
    recurring.createdAt = Created;
    recurring.updatedAt = Updated;

    const QJsonObject payload = roundTrip(SyncWire::recurringPayload(recurring));
    const QJsonObject expected = parse(R"({
        "client_id": "r-1", "account_id": "a-1", "payee": "Rent", "memo": "", "amount": -150000,
        "category_id": "", "transfer_dest_account_id": "", "frequency": "semi_annual",
        "start_date": "2024-01-31", "next_due_date": "2024-07-31", "auto_post": 1, "lead_days": 3,
        "interval_count": 2, "semimonthly_day_1": 0, "semimonthly_day_2": 15, "is_active": 1,
        "created_at": "2024-03-01T08:00:00Z", "updated_at": "2024-03-02T09:30:15Z"})");
    QCOMPARE(payload, expected);
    QVERIFY(!payload.contains("end_date"));
    QVERIFY(!payload.contains("version"));

    recurring.endDate = QDate(2025, 1, 31);
    QCOMPARE(SyncWire::recurringPayload(recurring).value("end_date").toString(),
             QStringLiteral("2025-01-31"));
}

void TestSyncWire::transactionPayload_data()
{
    QTest::addColumn<bool>("split");
    QTest::addColumn<int>("lineCount");
    QTest::newRow("unsplit") << false << 0;
    QTest::newRow("split with three lines") << true << 3;
    QTest::newRow("split without lines") << true << 0;
}

void TestSyncWire::transactionPayload()
{
    QFETCH(bool, split);
    QFETCH(int, lineCount);

    Transaction transaction;
    transaction.id = QStringLiteral("t-1");
    transaction.accountId = QStringLiteral("a-1");
    transaction.date = QDate(2024, 3, 5);
    transaction.payee = QStringLiteral("Grocer");
    transaction.memo = QStringLiteral("weekly");
    transaction.amount = -1234;
    transaction.categoryId = QStringLiteral("c-1");
    transaction.checkNumber = QStringLiteral("1001");
    transaction.cleared = true;
    transaction.transferLinkId = QStringLiteral("t-2");
    transaction.transferDestAccountId = QStringLiteral("a-2");
    transaction.isSplit = split;
    transaction.recurringId = QStringLiteral("r-1");
    transaction.createdAt = Created;
    transaction.updatedAt = Updated;

    QList<SplitLine> lines;
    for (int i = 0; i < lineCount; ++i) {
        SplitLine line;
        line.id = QStringLiteral("s-%1").arg(i);
        line.categoryId = QStringLiteral("c-%1").arg(i);
        line.amount = -100 * (i + 1);
        line.memo = QStringLiteral("line %1").arg(i);
        lines.append(line);
    }

    QJsonObject expected = parse(R"({
        "client_id": "t-1", "account_id": "a-1", "date": "2024-03-05", "payee": "Grocer", "memo": "weekly",
        "amount": -1234, "category_id": "c-1", "check_number": "1001", "cleared": 1, "reconciled": 0,
        "transfer_link_id": "t-2", "transfer_dest_account_id": "a-2", "is_split": 0, "recurring_id": "r-1",
        "version": 1, "created_at": "2024-03-01T08:00:00Z", "updated_at": "2024-03-02T09:30:15Z"})");
    if (split) {
        expected.insert("is_split", 1);
        QJsonArray expectedLines;
        for (int i = 0; i < lineCount; ++i)
            expectedLines.append(QJsonObject{{"category_id", QStringLiteral("c-%1").arg(i)},
                                             {"amount", -100 * (i + 1)},
                                             {"memo", QStringLiteral("line %1").arg(i)}});
        expected.insert("split_lines", expectedLines);
    }
    QCOMPARE(roundTrip(SyncWire::transactionPayload(transaction, lines)), expected);
}

void TestSyncWire::reconciliationPayload()
{
    Reconciliation reconciliation;
    reconciliation.id = QStringLiteral("z-1");
    reconciliation.accountId = QStringLiteral("a-1");
    reconciliation.statementDate = QDate(2024, 2, 29);
    reconciliation.statementBalance = 250075;
    reconciliation.reconciledBalance = 250000;
    reconciliation.completedAt = QDateTime(QDate(2024, 3, 1), QTime(12, 0), Qt::UTC);
    reconciliation.version = 2;
    reconciliation.createdAt = Created;
    reconciliation.updatedAt = Updated;

    const QJsonObject expected = parse(R"({
        "client_id": "z-1", "account_id": "a-1", "statement_date": "2024-02-29", "statement_balance": 250075,
        "reconciled_balance": 250000, "completed_at": "2024-03-01T12:00:00Z", "version": 2,
        "created_at": "2024-03-01T08:00:00Z", "updated_at": "2024-03-02T09:30:15Z"})");
    QCOMPARE(roundTrip(SyncWire::reconciliationPayload(reconciliation)), expected);
}

void TestSyncWire::serverIdOnlyWhenKnown()
{
    Account account;
    account.id = QStringLiteral("a-1");
    QVERIFY(!SyncWire::accountPayload(account).contains("server_id"));
    account.serverId = QStringLiteral("srv-9");
    QCOMPARE(SyncWire::accountPayload(account).value("server_id").toString(), QStringLiteral("srv-9"));
}

void TestSyncWire::dateTexts_data()
{
    // Written by hand for speed: the same text as Qt's ISO form, which the
    // server has always received.
    QTest::addColumn<QDateTime>("when");
    const QDate day(2024, 2, 29);
    QTest::newRow("UTC") << QDateTime(day, QTime(9, 5, 7), Qt::UTC);
    QTest::newRow("milliseconds are dropped") << QDateTime(day, QTime(23, 59, 59, 999), Qt::UTC);
    QTest::newRow("first year") << QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC);
    QTest::newRow("last four-digit year") << QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC);
    QTest::newRow("five-digit year") << QDateTime(QDate(10000, 1, 1), QTime(0, 0), Qt::UTC);
    QTest::newRow("year before zero") << QDateTime(QDate(-5, 3, 1), QTime(0, 0), Qt::UTC);
    QTest::newRow("offset") << QDateTime(day, QTime(9, 0), Qt::OffsetFromUTC, 5 * 3600 + 1800);
    QTest::newRow("local time") << QDateTime(day, QTime(9, 0), Qt::LocalTime);
    QTest::newRow("invalid") << QDateTime();
}

void TestSyncWire::dateTexts()
{
    QFETCH(QDateTime, when);
    QCOMPARE(SyncWire::dateTimeText(when), when.toString(Qt::ISODate));
    QCOMPARE(SyncWire::dateText(when.date()), when.date().toString(Qt::ISODate));
    Transaction transaction;
    transaction.date = when.date();
    transaction.createdAt = when;
    const QJsonObject payload = roundTrip(SyncWire::transactionPayload(transaction, {}));
    QCOMPARE(payload.value("date").toString(), when.date().toString(Qt::ISODate));
    QCOMPARE(payload.value("created_at").toString(), when.toString(Qt::ISODate));
}

void TestSyncWire::parseServerDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("ISO date") << "2024-03-05" << QDate(2024, 3, 5);
    QTest::newRow("late UTC date-time keeps its date") << "2024-03-05T23:30:00Z" << QDate(2024, 3, 5);
    QTest::newRow("offset date-time keeps the stated date")
        << "2024-03-05T00:30:00+05:00" << QDate(2024, 3, 5);
    QTest::newRow("month/day/year") << "03/05/2024" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("no such day") << "2023-02-29" << QDate();
}

void TestSyncWire::parseServerDate()
{
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    QCOMPARE(SyncWire::parseServerDate(text), expected);
}

void TestSyncWire::flags_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("expected");
    QTest::newRow("true") << QByteArray(R"({"is_shared": true})") << true;
    QTest::newRow("1") << QByteArray(R"({"is_shared": 1})") << true;
    QTest::newRow("2") << QByteArray(R"({"is_shared": 2})") << true;
    QTest::newRow("false") << QByteArray(R"({"is_shared": false})") << false;
    QTest::newRow("0") << QByteArray(R"({"is_shared": 0})") << false;
    QTest::newRow("null") << QByteArray(R"({"is_shared": null})") << false;
    QTest::newRow("missing") << QByteArray(R"({})") << false;
    QTest::newRow("string 1") << QByteArray(R"({"is_shared": "1"})") << false;
}

void TestSyncWire::flags()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, expected);
    const QJsonObject record = QJsonDocument::fromJson(json).object();
    const Account account = SyncWire::readAccount(record, SyncWire::readHeader(record), QStringLiteral("a"));
    QCOMPARE(account.isShared, expected);
}

void TestSyncWire::money_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("whole") << QByteArray(R"({"starting_balance": 1250})") << qint64(1250);
    QTest::newRow("whole as double") << QByteArray(R"({"starting_balance": 1250.0})") << qint64(1250);
    QTest::newRow("fraction") << QByteArray(R"({"starting_balance": 12.5})") << qint64(0);
    QTest::newRow("negative") << QByteArray(R"({"starting_balance": -99})") << qint64(-99);
    QTest::newRow("beyond 32 bits") << QByteArray(R"({"starting_balance": 9000000000})")
                                    << qint64(9000000000);
    QTest::newRow("text") << QByteArray(R"({"starting_balance": "1250"})") << qint64(0);
}

void TestSyncWire::money()
{
    QFETCH(QByteArray, json);
    QFETCH(qint64, expected);
    const QJsonObject record = QJsonDocument::fromJson(json).object();
    QCOMPARE(SyncWire::readAccount(record, SyncWire::readHeader(record), QStringLiteral("a")).startingBalance,
             expected);
}

void TestSyncWire::enumerations()
{
    auto account = [](const char *json) {
        const QJsonObject record = parse(json);
        return SyncWire::readAccount(record, SyncWire::readHeader(record), QStringLiteral("a"));
    };
    QCOMPARE(account(R"({"account_type": "Checking"})").accountType, AccountType::Other);
    QCOMPARE(account(R"({"account_type": "savings"})").accountType, AccountType::Savings);
    QCOMPARE(account(R"({"account_type": "checking"})").accountType, AccountType::Checking);
    QCOMPARE(account(R"({})").accountType, AccountType::Other);
    QCOMPARE(account(R"({"currency": "usd"})").currency, Currency::USD);
    QCOMPARE(account(R"({"currency": "GBP"})").currency, Currency::GBP);

    auto category = [](const char *json) {
        const QJsonObject record = parse(json);
        return SyncWire::readCategory(record, SyncWire::readHeader(record), QStringLiteral("c"));
    };
    QCOMPARE(category(R"({"category_type": "income"})").categoryType, CategoryType::Income);
    QCOMPARE(category(R"({"category_type": "expense"})").categoryType, CategoryType::Expense);
    QCOMPARE(category(R"({"category_type": ""})").categoryType, CategoryType::Expense);
    QCOMPARE(category(R"({})").categoryType, CategoryType::Expense);

    const QJsonObject recurring = parse(R"({"frequency": "biweekly"})");
    QCOMPARE(SyncWire::readRecurring(recurring, SyncWire::readHeader(recurring), "r", std::nullopt).frequency,
             Frequency::Biweekly);
    const QJsonObject unknown = parse(R"({"frequency": "fortnightly"})");
    QCOMPARE(SyncWire::readRecurring(unknown, SyncWire::readHeader(unknown), "r", std::nullopt).frequency,
             Frequency::Monthly);
}

void TestSyncWire::header()
{
    const QJsonObject record = parse(R"({"id": "srv-1", "client_id": "t-1", "version": 7,
        "created_at": "2024-03-01T08:00:00Z", "updated_at": "2024-03-02T09:30:15Z",
        "deleted_at": "2024-03-03T10:00:00Z"})");
    const SyncWire::RecordHeader header = SyncWire::readHeader(record);
    QCOMPARE(header.serverId, QStringLiteral("srv-1"));
    QCOMPARE(header.clientId, QStringLiteral("t-1"));
    QCOMPARE(header.version, 7);
    QCOMPARE(header.createdAt, Created);
    QCOMPARE(header.updatedAt, Updated);
    QVERIFY(header.deletedAt.has_value());
    QCOMPARE(*header.deletedAt, QDateTime(QDate(2024, 3, 3), QTime(10, 0), Qt::UTC));

    const Transaction transaction = SyncWire::readTransaction(record, header, QStringLiteral("t-1"));
    QCOMPARE(transaction.syncStatus, SyncStatus::Synced);
    QCOMPARE(transaction.serverId, QStringLiteral("srv-1"));

    // Broken or missing time stamps would make the insert fail: they become now.
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    const SyncWire::RecordHeader broken =
        SyncWire::readHeader(parse(R"({"created_at": "yesterday", "deleted_at": ""})"));
    QVERIFY(broken.createdAt.isValid() && broken.createdAt >= before);
    QVERIFY(broken.updatedAt.isValid() && broken.updatedAt >= before);
    QVERIFY(!broken.deletedAt.has_value());
    QCOMPARE(broken.version, 0);
}

void TestSyncWire::recurringScheduleNumbers()
{
    const QJsonObject bare = parse(R"({"next_due_date": "2024-04-01"})");
    const SyncWire::RecordHeader header = SyncWire::readHeader(bare);

    const RecurringTransaction fresh = SyncWire::readRecurring(bare, header, "r", std::nullopt);
    QCOMPARE(fresh.leadDays, 0);
    QCOMPARE(fresh.intervalCount, 1);
    QCOMPARE(fresh.semimonthlyDay1, 1);
    QCOMPARE(fresh.semimonthlyDay2, 15);
    QCOMPARE(fresh.isActive, false);

    RecurringTransaction local;
    local.leadDays = 5;
    local.intervalCount = 3;
    local.semimonthlyDay1 = 10;
    local.semimonthlyDay2 = 0;
    const RecurringTransaction kept = SyncWire::readRecurring(bare, header, "r", local);
    QCOMPARE(kept.leadDays, 5);
    QCOMPARE(kept.intervalCount, 3);
    QCOMPARE(kept.semimonthlyDay1, 10);
    QCOMPARE(kept.semimonthlyDay2, 0);

    const QJsonObject full = parse(R"({"lead_days": 2, "interval_count": 4, "semimonthly_day_1": 5,
        "semimonthly_day_2": 20, "is_active": 1})");
    const RecurringTransaction sent = SyncWire::readRecurring(full, header, "r", local);
    QCOMPARE(sent.leadDays, 2);
    QCOMPARE(sent.intervalCount, 4);
    QCOMPARE(sent.semimonthlyDay1, 5);
    QCOMPARE(sent.semimonthlyDay2, 20);
    QCOMPARE(sent.isActive, true);
}

void TestSyncWire::recurringEndDate()
{
    auto endDate = [](const char *json) {
        const QJsonObject record = parse(json);
        return SyncWire::readRecurring(record, SyncWire::readHeader(record), "r", std::nullopt).endDate;
    };
    QVERIFY(!endDate(R"({})").has_value());
    QVERIFY(!endDate(R"({"end_date": ""})").has_value());
    QCOMPARE(endDate(R"({"end_date": "2025-06-30"})"), std::optional<QDate>(QDate(2025, 6, 30)));
    const std::optional<QDate> garbage = endDate(R"({"end_date": "soon"})");
    QVERIFY(garbage.has_value());
    QVERIFY(!garbage->isValid());
}

void TestSyncWire::splitLines()
{
    const QJsonObject record = parse(R"({"is_split": true, "created_at": "2024-03-01T08:00:00Z",
        "updated_at": "2024-03-02T09:30:15Z", "split_lines": [
            {"category_id": "c-1", "amount": -700, "memo": "food"},
            {"category_id": "c-2", "amount": -534, "memo": "soap"}]})");
    const Transaction transaction = SyncWire::readTransaction(record, SyncWire::readHeader(record), "t-1");
    const QList<SplitLine> lines = SyncWire::readSplitLines(record, transaction);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0).transactionId, QStringLiteral("t-1"));
    QCOMPARE(lines.at(0).categoryId, QStringLiteral("c-1"));
    QCOMPARE(lines.at(0).amount, qint64(-700));
    QCOMPARE(lines.at(1).memo, QStringLiteral("soap"));
    QCOMPARE(lines.at(1).createdAt, Created);
    QCOMPARE(lines.at(1).updatedAt, Updated);
    QVERIFY(!lines.at(0).id.isEmpty());
    QVERIFY(lines.at(0).id != lines.at(1).id);
    QVERIFY(!lines.at(0).id.contains(QLatin1Char('{')));

    Transaction unsplit = transaction;
    unsplit.isSplit = false;
    QVERIFY(SyncWire::readSplitLines(record, unsplit).isEmpty());
}

QTEST_GUILESS_MAIN(TestSyncWire)
#include "TestSyncWire.moc"
