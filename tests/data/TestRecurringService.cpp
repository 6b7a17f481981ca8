#include "AccountRepository.h"
#include "RecurringRepository.h"
#include "RecurringService.h"
#include "TestDatabase.h"
#include "TestRecords.h"
#include "TransactionRepository.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>
#include <memory>

namespace {

const QString Checking = QStringLiteral("acc-checking");
const QString Savings = QStringLiteral("acc-savings");

QDate today()
{
    return QDate::currentDate();
}

} // namespace

class TestRecurringService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void confirmPostsOccurrenceAndAdvances();
    void confirmPastEndDateDeactivates();
    void confirmMissingOrDeletedRecord();
    void confirmQuarantinesBrokenDate_data();
    void confirmQuarantinesBrokenDate();
    void confirmCountsExistingOccurrenceAsPosted();
    void transferLegs_data();
    void transferLegs();
    void failedScheduleUpdateKeepsNoTransaction();
    void skip();
    void skipMissingOrBroken();
    void pendingCountAndAllRecurring();
    void confirmAllDuePostsOneEach();
    void confirmAllThroughLimits();
    void confirmAllThroughStopsWhenScheduleDoesNotMove();
    void autoPostDueHonoursLeadDays();
    void occurrenceIdsAreNameBased();

private:
    RecurringTransaction stored(const QString &id) const;
    bool insertRecurring(RecurringTransaction record);
    int transactionCount(const QString &recurringId = QString());

    std::unique_ptr<TestDatabase> m_db;
    AccountRepository *m_accounts = nullptr;
    TransactionRepository *m_transactions = nullptr;
    RecurringRepository *m_recurring = nullptr;
    RecurringService *m_service = nullptr;
    std::unique_ptr<QObject> m_owner;
};

void TestRecurringService::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_owner = std::make_unique<QObject>();
    m_accounts = new AccountRepository(m_db->database(), m_owner.get());
    m_transactions = new TransactionRepository(m_db->database(), m_owner.get());
    m_recurring = new RecurringRepository(m_db->database(), m_owner.get());
    m_service =
        new RecurringService(m_db->database(), m_recurring, m_transactions, m_accounts, m_owner.get());
    QVERIFY(m_accounts->insert(TestRecords::account(Checking, QStringLiteral("Checking"))));
    QVERIFY(m_accounts->insert(TestRecords::account(Savings, QStringLiteral("Savings"))));
}

void TestRecurringService::cleanup()
{
    m_owner.reset();
    m_db.reset();
}

RecurringTransaction TestRecurringService::stored(const QString &id) const
{
    return m_recurring->findById(id).value_or(RecurringTransaction());
}

bool TestRecurringService::insertRecurring(RecurringTransaction record)
{
    if (!record.startDate.isValid())
        record.startDate = record.nextDueDate;
    return m_recurring->insert(record);
}

int TestRecurringService::transactionCount(const QString &recurringId)
{
    QSqlQuery query(m_db->database()->database());
    if (recurringId.isEmpty()) {
        query.prepare(QStringLiteral("SELECT COUNT(*) FROM transactions"));
    } else {
        query.prepare(QStringLiteral("SELECT COUNT(*) FROM transactions WHERE recurring_id = ?"));
        query.addBindValue(recurringId);
    }
    if (!query.exec() || !query.next())
        return -1;
    return query.value(0).toInt();
}

void TestRecurringService::confirmPostsOccurrenceAndAdvances()
{
    RecurringTransaction record =
        TestRecords::recurring(QStringLiteral("rec-1"), Checking, today().addDays(-1));
    record.startDate = QDate(2024, 1, 31);
    record.nextDueDate = QDate(2024, 1, 31);
    record.memo = QStringLiteral("January");
    record.categoryId = QString();
    record.syncStatus = SyncStatus::Synced;
    QVERIFY(insertRecurring(record));

    QSignalSpy pending(m_service, &RecurringService::pendingCountChanged);
    QSignalSpy changed(m_transactions, &TransactionRepository::transactionsChanged);
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    QVERIFY(m_service->confirm(record.id));

    const std::optional<Transaction> posted =
        m_transactions->findById(RecurringService::occurrenceId(record.id, QDate(2024, 1, 31)));
    QVERIFY(posted);
    QCOMPARE(posted->accountId, Checking);
    QCOMPARE(posted->date, QDate(2024, 1, 31));
    QCOMPARE(posted->payee, record.payee);
    QCOMPARE(posted->memo, QStringLiteral("January"));
    QCOMPARE(posted->amount, record.amount);
    QCOMPARE(posted->recurringId, record.id);
    QVERIFY(posted->transferLinkId.isEmpty());
    QCOMPARE(posted->syncStatus, SyncStatus::Pending);
    QVERIFY(posted->createdAt >= before);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(transactionCount(), 1);

    const RecurringTransaction after = stored(record.id);
    QCOMPARE(after.nextDueDate, QDate(2024, 2, 29));
    QVERIFY(after.isActive);
    QCOMPARE(after.syncStatus, SyncStatus::Pending);
    QVERIFY(after.updatedAt >= before);

    // Still due (February 2024 lies in the past): the count says so.
    QCOMPARE(pending.count(), 1);
    QCOMPARE(pending.at(0).at(0).toInt(), 1);

    QVERIFY(m_service->confirm(record.id));
    QCOMPARE(stored(record.id).nextDueDate, QDate(2024, 3, 31));
    QCOMPARE(transactionCount(record.id), 2);
}

void TestRecurringService::confirmPastEndDateDeactivates()
{
    RecurringTransaction record =
        TestRecords::recurring(QStringLiteral("rec-end"), Checking, QDate(2024, 5, 10));
    record.endDate = QDate(2024, 6, 1);
    QVERIFY(insertRecurring(record));

    QVERIFY(m_service->confirm(record.id));
    const RecurringTransaction after = stored(record.id);
    QCOMPARE(after.nextDueDate, QDate(2024, 6, 10));
    QVERIFY(!after.isActive);

    // On the end date itself the schedule still runs.
    RecurringTransaction onEnd =
        TestRecords::recurring(QStringLiteral("rec-on"), Checking, QDate(2024, 5, 10));
    onEnd.endDate = QDate(2024, 6, 10);
    QVERIFY(insertRecurring(onEnd));
    QVERIFY(m_service->confirm(onEnd.id));
    QVERIFY(stored(onEnd.id).isActive);
}

void TestRecurringService::confirmMissingOrDeletedRecord()
{
    QVERIFY(!m_service->confirm(QStringLiteral("nope")));
    RecurringTransaction record =
        TestRecords::recurring(QStringLiteral("rec-del"), Checking, QDate(2024, 5, 10));
    QVERIFY(insertRecurring(record));
    QVERIFY(m_recurring->softDelete(record.id));
    QVERIFY(!m_service->confirm(record.id));
    QCOMPARE(transactionCount(), 0);
    QCOMPARE(stored(record.id).nextDueDate, QDate(2024, 5, 10));
}

void TestRecurringService::confirmQuarantinesBrokenDate_data()
{
    QTest::addColumn<QDate>("due");
    QTest::newRow("invalid") << QDate();
    QTest::newRow("before 2000") << QDate(1999, 12, 31);
    QTest::newRow("epoch") << QDate(1970, 1, 1);
}

void TestRecurringService::confirmQuarantinesBrokenDate()
{
    QFETCH(QDate, due);
    RecurringTransaction record = TestRecords::recurring(QStringLiteral("rec-broken"), Checking, due);
    record.startDate = QDate(2024, 1, 1);
    QVERIFY(insertRecurring(record));

    QSignalSpy pending(m_service, &RecurringService::pendingCountChanged);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("RecurringService::confirm refusing record with broken "
                                            "date:.*quarantining \\(deactivating\\)"));
    QVERIFY(!m_service->confirm(record.id));
    QCOMPARE(transactionCount(), 0);
    const RecurringTransaction after = stored(record.id);
    QVERIFY(!after.isActive);
    QCOMPARE(after.syncStatus, SyncStatus::Pending);
    QCOMPARE(pending.count(), 1);
}

void TestRecurringService::confirmCountsExistingOccurrenceAsPosted()
{
    RecurringTransaction record =
        TestRecords::recurring(QStringLiteral("rec-dup"), Checking, QDate(2024, 4, 1));
    QVERIFY(insertRecurring(record));
    // Another device posted this occurrence; its row arrived through sync.
    Transaction elsewhere =
        TestRecords::transaction(RecurringService::occurrenceId(record.id, QDate(2024, 4, 1)), Checking,
                                 QDate(2024, 4, 1), record.amount, record.payee);
    elsewhere.recurringId = record.id;
    QVERIFY(m_transactions->insert(elsewhere));

    QVERIFY(!m_service->confirm(record.id));
    QCOMPARE(transactionCount(record.id), 1);
    QCOMPARE(stored(record.id).nextDueDate, QDate(2024, 5, 1));

    // A soft-deleted occurrence was posted too: the user removed it.
    QVERIFY(m_transactions->softDelete(elsewhere.id));
    RecurringTransaction again = stored(record.id);
    again.nextDueDate = QDate(2024, 4, 1);
    QVERIFY(m_recurring->update(again));
    QVERIFY(!m_service->confirm(record.id));
    QCOMPARE(transactionCount(record.id), 1);
    QCOMPARE(stored(record.id).nextDueDate, QDate(2024, 5, 1));
}

void TestRecurringService::transferLegs_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<bool>("deleteDestination");
    QTest::addColumn<int>("destinationCurrency");
    QTest::addColumn<bool>("twoLegs");
    QTest::addColumn<qint64>("amount");

    QTest::newRow("both legs") << Savings << false << int(Currency::USD) << true << qint64(-25000);
    QTest::newRow("both legs, deposit") << Savings << false << int(Currency::USD) << true << qint64(25000);
    QTest::newRow("missing account") << QStringLiteral("acc-gone") << false << int(Currency::USD) << false
                                     << qint64(-25000);
    QTest::newRow("deleted account") << Savings << true << int(Currency::USD) << false << qint64(-25000);
    QTest::newRow("other currency") << Savings << false << int(Currency::EUR) << false << qint64(-25000);
}

void TestRecurringService::transferLegs()
{
    QFETCH(QString, destination);
    QFETCH(bool, deleteDestination);
    QFETCH(int, destinationCurrency);
    QFETCH(bool, twoLegs);
    QFETCH(qint64, amount);

    QVERIFY(TestDatabase::exec(
        "INSERT INTO categories (id, name, category_type, created_at, updated_at) VALUES ('cat-save', 'Saving', "
        "'transfer', '2024-01-01T00:00:00Z', '2024-01-01T00:00:00Z')"));
    Account savings = *m_accounts->findById(Savings);
    savings.currency = Currency(destinationCurrency);
    QVERIFY(m_accounts->update(savings));
    if (deleteDestination)
        QVERIFY(m_accounts->softDelete(Savings));

    RecurringTransaction record =
        TestRecords::recurring(QStringLiteral("rec-xfer"), Checking, QDate(2024, 7, 15));
    record.payee = QStringLiteral("To savings");
    record.amount = amount;
    record.categoryId = QStringLiteral("cat-save");
    record.transferDestAccountId = destination;
    QVERIFY(insertRecurring(record));

    if (!twoLegs)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("RecurringService: transfer .*"));
    QVERIFY(m_service->confirm(record.id));

    const QString sourceId = RecurringService::occurrenceId(record.id, record.nextDueDate);
    const QString destinationId = RecurringService::transferDestinationId(record.id, record.nextDueDate);
    const std::optional<Transaction> source = m_transactions->findById(sourceId);
    QVERIFY(source);
    QCOMPARE(source->accountId, Checking);
    QCOMPARE(source->amount, amount);
    const std::optional<Transaction> other = m_transactions->findById(destinationId);
    QCOMPARE(other.has_value(), twoLegs);
    QCOMPARE(transactionCount(record.id), twoLegs ? 2 : 1);
    if (twoLegs) {
        QCOMPARE(source->transferLinkId, destinationId);
        QCOMPARE(source->transferDestAccountId, Savings);
        QCOMPARE(other->accountId, Savings);
        QCOMPARE(other->amount, -amount);
        // Only the paying leg carries the category.
        QCOMPARE(source->categoryId, amount < 0 ? QStringLiteral("cat-save") : QString());
        QCOMPARE(other->categoryId, amount < 0 ? QString() : QStringLiteral("cat-save"));
        QCOMPARE(other->date, record.nextDueDate);
        QCOMPARE(other->transferLinkId, sourceId);
        QCOMPARE(other->transferDestAccountId, Checking);
        QCOMPARE(other->recurringId, record.id);
    } else {
        QVERIFY(source->transferLinkId.isEmpty());
        QVERIFY(source->transferDestAccountId.isEmpty());
        QCOMPARE(source->categoryId, QStringLiteral("cat-save"));
    }
    QCOMPARE(stored(record.id).nextDueDate, QDate(2024, 8, 15));
}

void TestRecurringService::failedScheduleUpdateKeepsNoTransaction()
{
    RecurringTransaction record =
        TestRecords::recurring(QStringLiteral("rec-fail"), Checking, QDate(2024, 7, 1));
    record.transferDestAccountId = Savings;
    QVERIFY(insertRecurring(record));
    QSqlQuery query(m_db->database()->database());
    QVERIFY(query.exec(QStringLiteral("CREATE TRIGGER fail_update BEFORE UPDATE ON recurring_transactions "
                                      "BEGIN SELECT RAISE(ABORT, 'disk says no'); END")));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("RecurringRepository::update failed:.*"));
    QVERIFY(!m_service->confirm(record.id));
    // The legs and the schedule go together or not at all.
    QCOMPARE(transactionCount(), 0);
    QCOMPARE(stored(record.id).nextDueDate, QDate(2024, 7, 1));
}

void TestRecurringService::skip()
{
    RecurringTransaction record =
        TestRecords::recurring(QStringLiteral("rec-skip"), Checking, QDate(2024, 1, 31));
    record.endDate = QDate(2024, 3, 1);
    record.syncStatus = SyncStatus::Synced;
    QVERIFY(insertRecurring(record));

    QSignalSpy pending(m_service, &RecurringService::pendingCountChanged);
    QVERIFY(m_service->skip(record.id));
    RecurringTransaction after = stored(record.id);
    QCOMPARE(after.nextDueDate, QDate(2024, 2, 29));
    QVERIFY(after.isActive);
    QCOMPARE(after.syncStatus, SyncStatus::Pending);
    QCOMPARE(transactionCount(), 0);
    QCOMPARE(pending.count(), 1);

    QVERIFY(m_service->skip(record.id));
    after = stored(record.id);
    QCOMPARE(after.nextDueDate, QDate(2024, 3, 31));
    QVERIFY(!after.isActive);
}

void TestRecurringService::skipMissingOrBroken()
{
    QVERIFY(!m_service->skip(QStringLiteral("nope")));
    RecurringTransaction record =
        TestRecords::recurring(QStringLiteral("rec-sb"), Checking, QDate(1990, 1, 1));
    QVERIFY(insertRecurring(record));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("RecurringService::skip refusing record.*"));
    QVERIFY(!m_service->skip(record.id));
    QVERIFY(!stored(record.id).isActive);
    QCOMPARE(stored(record.id).nextDueDate, QDate(1990, 1, 1));
}

void TestRecurringService::pendingCountAndAllRecurring()
{
    auto make = [&](const char *id, const QDate &due, const char *payee, bool active = true) {
        RecurringTransaction record = TestRecords::recurring(QString::fromLatin1(id), Checking, due);
        record.payee = QString::fromLatin1(payee);
        record.isActive = active;
        QVERIFY(insertRecurring(record));
    };
    make("due-today", today(), "beta");
    make("due-past", today().addDays(-10), "Alpha");
    make("due-same-day", today(), "alpha");
    make("future", today().addDays(1), "Gamma");
    make("inactive", today().addDays(-3), "Delta", false);
    make("deleted", today().addDays(-3), "Epsilon");
    QVERIFY(m_recurring->softDelete(QStringLiteral("deleted")));

    QCOMPARE(m_service->pendingCount(), 3);

    QStringList order;
    for (const RecurringTransaction &record : m_service->allRecurring())
        order.append(record.id);
    QCOMPARE(order, (QStringList{"due-past", "due-same-day", "due-today", "future", "inactive"}));

    // Records that can never post are not waiting for the user either.
    make("before-2000", QDate(1999, 12, 31), "Zeta");
    QVERIFY(TestDatabase::exec("UPDATE recurring_transactions SET next_due_date = '' WHERE id = 'future'"));
    QCOMPARE(m_service->pendingCount(), 3);
}

void TestRecurringService::confirmAllDuePostsOneEach()
{
    RecurringTransaction daily =
        TestRecords::recurring(QStringLiteral("daily"), Checking, today().addDays(-5));
    daily.frequency = Frequency::Daily;
    QVERIFY(insertRecurring(daily));
    QVERIFY(insertRecurring(TestRecords::recurring(QStringLiteral("monthly"), Checking, today())));
    QVERIFY(insertRecurring(TestRecords::recurring(QStringLiteral("later"), Checking, today().addDays(2))));

    QSignalSpy pending(m_service, &RecurringService::pendingCountChanged);
    QCOMPARE(m_service->confirmAllDue(), 2);
    QCOMPARE(transactionCount(QStringLiteral("daily")), 1);
    QCOMPARE(transactionCount(QStringLiteral("monthly")), 1);
    QCOMPARE(transactionCount(QStringLiteral("later")), 0);
    QCOMPARE(stored(QStringLiteral("daily")).nextDueDate, today().addDays(-4));
    // One report for the whole batch.
    QCOMPARE(pending.count(), 1);
    QCOMPARE(pending.at(0).at(0).toInt(), 1);
}

void TestRecurringService::confirmAllThroughLimits()
{
    RecurringTransaction runaway =
        TestRecords::recurring(QStringLiteral("runaway"), Checking, QDate(2020, 1, 1));
    runaway.frequency = Frequency::Daily;
    QVERIFY(insertRecurring(runaway));
    RecurringTransaction monthly =
        TestRecords::recurring(QStringLiteral("monthly"), Savings, QDate(2024, 1, 31));
    QVERIFY(insertRecurring(monthly));
    RecurringTransaction ended = TestRecords::recurring(QStringLiteral("ended"), Savings, QDate(2024, 1, 5));
    ended.endDate = QDate(2024, 2, 20);
    QVERIFY(insertRecurring(ended));

    QCOMPARE(m_service->confirmAllThrough(QDate(2024, 4, 30)),
             RecurringService::MaxOccurrencesPerRecord + 4 + 2);
    QCOMPARE(transactionCount(QStringLiteral("runaway")), RecurringService::MaxOccurrencesPerRecord);
    QCOMPARE(stored(QStringLiteral("runaway")).nextDueDate,
             QDate(2020, 1, 1).addDays(RecurringService::MaxOccurrencesPerRecord));
    // 31 January, 29 February, 31 March and 30 April, the limit date itself.
    QCOMPARE(transactionCount(QStringLiteral("monthly")), 4);
    QCOMPARE(stored(QStringLiteral("monthly")).nextDueDate, QDate(2024, 5, 31));
    QCOMPARE(transactionCount(QStringLiteral("ended")), 2);
    QVERIFY(!stored(QStringLiteral("ended")).isActive);
}

void TestRecurringService::confirmAllThroughStopsWhenScheduleDoesNotMove()
{
    RecurringTransaction record =
        TestRecords::recurring(QStringLiteral("stuck"), Checking, QDate(2024, 1, 1));
    record.frequency = Frequency::Daily;
    QVERIFY(insertRecurring(record));
    QSqlQuery query(m_db->database()->database());
    QVERIFY(query.exec(QStringLiteral("CREATE TRIGGER fail_update BEFORE UPDATE ON recurring_transactions "
                                      "BEGIN SELECT RAISE(ABORT, 'disk says no'); END")));

    QSignalSpy attempts(m_transactions, &TransactionRepository::transactionsChanged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("RecurringRepository::update failed:.*"));
    QCOMPARE(m_service->confirmAllThrough(QDate(2024, 12, 31)), 0);
    // One attempt, not one per pass until the limit.
    QCOMPARE(attempts.count(), 1);
    QCOMPARE(transactionCount(), 0);
}

void TestRecurringService::autoPostDueHonoursLeadDays()
{
    RecurringTransaction early =
        TestRecords::recurring(QStringLiteral("early"), Checking, today().addDays(3));
    early.autoPost = true;
    early.leadDays = 5;
    QVERIFY(insertRecurring(early));

    RecurringTransaction notYet =
        TestRecords::recurring(QStringLiteral("not-yet"), Checking, today().addDays(1));
    notYet.autoPost = true;
    QVERIFY(insertRecurring(notYet));

    RecurringTransaction manual = TestRecords::recurring(QStringLiteral("manual"), Checking, today());
    QVERIFY(insertRecurring(manual));

    RecurringTransaction catchUp =
        TestRecords::recurring(QStringLiteral("catch-up"), Checking, today().addDays(-2));
    catchUp.frequency = Frequency::Daily;
    catchUp.autoPost = true;
    QVERIFY(insertRecurring(catchUp));

    RecurringTransaction inactive = TestRecords::recurring(QStringLiteral("inactive"), Checking, today());
    inactive.autoPost = true;
    inactive.isActive = false;
    QVERIFY(insertRecurring(inactive));

    // A lead stored before leads were bounded: today and the 60 days after it.
    RecurringTransaction farAhead = TestRecords::recurring(QStringLiteral("far-ahead"), Checking, today());
    farAhead.frequency = Frequency::Daily;
    farAhead.autoPost = true;
    farAhead.leadDays = 365;
    QVERIFY(insertRecurring(farAhead));

    QCOMPARE(m_service->autoPostDue(), 1 + 3 + 61);
    QCOMPARE(transactionCount(QStringLiteral("far-ahead")), 61);
    QCOMPARE(transactionCount(QStringLiteral("early")), 1);
    QCOMPARE(m_transactions->findById(RecurringService::occurrenceId(early.id, early.nextDueDate))->date,
             today().addDays(3));
    QCOMPARE(transactionCount(QStringLiteral("not-yet")), 0);
    QCOMPARE(transactionCount(QStringLiteral("manual")), 0);
    QCOMPARE(transactionCount(QStringLiteral("catch-up")), 3);
    QCOMPARE(stored(QStringLiteral("catch-up")).nextDueDate, today().addDays(1));
    QCOMPARE(transactionCount(QStringLiteral("inactive")), 0);

    // The next run finds nothing more to post.
    QCOMPARE(m_service->autoPostDue(), 0);
}

void TestRecurringService::occurrenceIdsAreNameBased()
{
    const QString id = RecurringService::occurrenceId(QStringLiteral("rec"), QDate(2024, 1, 1));
    QCOMPARE(id, RecurringService::occurrenceId(QStringLiteral("rec"), QDate(2024, 1, 1)));
    QCOMPARE(QUuid(id).version(), QUuid::Sha1);
    QVERIFY(!id.startsWith(QLatin1Char('{')));
    QVERIFY(id != RecurringService::occurrenceId(QStringLiteral("rec"), QDate(2024, 1, 2)));
    QVERIFY(id != RecurringService::occurrenceId(QStringLiteral("rec2"), QDate(2024, 1, 1)));
    QVERIFY(id != RecurringService::transferDestinationId(QStringLiteral("rec"), QDate(2024, 1, 1)));
}

QTEST_GUILESS_MAIN(TestRecurringService)
#include "TestRecurringService.moc"
