#include "RecurringRepository.h"
#include "TestDatabase.h"
#include "TestRecords.h"

#include <QSignalSpy>
#include <QTest>

using namespace TestRecords;

class TestRecurringRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void frequencyText_data();
    void frequencyText();
    void endDateStates_data();
    void endDateStates();
    void brokenDueDateIsLoggedAndSaved();
    void updateKeepsAccountAndCreation();
    void findAllOrdered();
    void deleteAndRestoreByAccount();
    void syncBookkeeping();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<RecurringRepository> m_recurring;
};

void TestRecurringRepository::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_recurring = std::make_unique<RecurringRepository>(m_db->database());
}

void TestRecurringRepository::cleanup()
{
    m_recurring.reset();
    m_db.reset();
}

void TestRecurringRepository::frequencyText_data()
{
    QTest::addColumn<int>("frequency");
    QTest::addColumn<QString>("text");
    QTest::newRow("daily") << int(Frequency::Daily) << "daily";
    QTest::newRow("weekly") << int(Frequency::Weekly) << "weekly";
    QTest::newRow("biweekly") << int(Frequency::Biweekly) << "biweekly";
    QTest::newRow("monthly") << int(Frequency::Monthly) << "monthly";
    QTest::newRow("semimonthly") << int(Frequency::Semimonthly) << "semimonthly";
    QTest::newRow("quarterly") << int(Frequency::Quarterly) << "quarterly";
    QTest::newRow("semi_annual") << int(Frequency::SemiAnnual) << "semi_annual";
    QTest::newRow("annual") << int(Frequency::Annual) << "annual";
}

void TestRecurringRepository::frequencyText()
{
    QFETCH(int, frequency);
    QFETCH(QString, text);
    QCOMPARE(RecurringRepository::frequencyToString(Frequency(frequency)), text);
    QCOMPARE(int(RecurringRepository::frequencyFromString(text)), frequency);
    QCOMPARE(RecurringRepository::frequencyFromString(text.toUpper()), Frequency::Monthly);
    QCOMPARE(RecurringRepository::frequencyFromString(QStringLiteral("fortnightly")), Frequency::Monthly);
}

void TestRecurringRepository::endDateStates_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<QDate>("endDate");
    QTest::addColumn<QString>("stored"); // "NULL" for no value
    QTest::newRow("no end date") << false << QDate() << "NULL";
    QTest::newRow("end date") << true << QDate(2026, 2, 28) << "2026-02-28";
    QTest::newRow("end date that is not a date") << true << QDate() << "";
}

void TestRecurringRepository::endDateStates()
{
    QFETCH(bool, set);
    QFETCH(QDate, endDate);
    QFETCH(QString, stored);
    RecurringTransaction r = recurring(QStringLiteral("r1"), QStringLiteral("a"), QDate(2024, 5, 1));
    if (set)
        r.endDate = endDate;
    QVERIFY(m_recurring->insert(r));
    QCOMPARE(
        TestDatabase::scalar(QStringLiteral("SELECT COALESCE(end_date, 'NULL') FROM recurring_transactions"))
            .toString(),
        stored);
    const RecurringTransaction read = *m_recurring->findById(r.id);
    QCOMPARE(read.endDate.has_value(), set);
    if (set)
        QCOMPARE(*read.endDate, endDate);
}

void TestRecurringRepository::brokenDueDateIsLoggedAndSaved()
{
    RecurringTransaction r = recurring(QStringLiteral("r1"), QStringLiteral("a"), QDate(1999, 12, 31));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral(
                             "^RecurringRepository::insert saving recurring with broken nextDueDate: r1")));
    QVERIFY(m_recurring->insert(r));
    r.nextDueDate = QDate();
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral(
                             "^RecurringRepository::update saving recurring with broken nextDueDate: r1")));
    QVERIFY(m_recurring->update(r));
    QVERIFY(!m_recurring->findById(r.id)->nextDueDate.isValid());
}

void TestRecurringRepository::updateKeepsAccountAndCreation()
{
    RecurringTransaction r = recurring(QStringLiteral("r1"), QStringLiteral("a"), QDate(2024, 5, 1));
    QVERIFY(m_recurring->insert(r));
    r.accountId = QStringLiteral("b");
    r.createdAt = stamp(20);
    r.updatedAt = stamp(21);
    r.nextDueDate = QDate(2024, 6, 1);
    r.categoryId = QString();
    QVERIFY(m_recurring->update(r));
    const RecurringTransaction read = *m_recurring->findById(r.id);
    QCOMPARE(read.accountId, QStringLiteral("a"));
    QCOMPARE(read.createdAt, stamp());
    QCOMPARE(read.updatedAt, stamp(21));
    QCOMPARE(read.nextDueDate, QDate(2024, 6, 1));
}

void TestRecurringRepository::findAllOrdered()
{
    auto make = [](const char *id, const char *payee, QDate due, bool active) {
        RecurringTransaction r = recurring(QLatin1String(id), QStringLiteral("a"), due);
        r.payee = QLatin1String(payee);
        r.isActive = active;
        return r;
    };
    for (const RecurringTransaction &r :
         {make("late", "Gym", QDate(2024, 9, 1), true), make("inactive", "Alpha", QDate(2024, 1, 1), false),
          make("soon-b", "bakery", QDate(2024, 2, 1), true),
          make("soon-a", "Apartment", QDate(2024, 2, 1), true),
          make("deleted", "Zed", QDate(2024, 1, 1), true)})
        QVERIFY(m_recurring->insert(r));
    QVERIFY(m_recurring->softDelete(QStringLiteral("deleted")));

    QStringList ids;
    for (const RecurringTransaction &r : m_recurring->findAllOrdered())
        ids.append(r.id);
    QCOMPARE(ids, (QStringList{"soon-a", "soon-b", "late", "inactive"}));
}

void TestRecurringRepository::deleteAndRestoreByAccount()
{
    QVERIFY(m_recurring->insert(recurring(QStringLiteral("r1"), QStringLiteral("a"), QDate(2024, 5, 1))));
    QVERIFY(m_recurring->insert(recurring(QStringLiteral("r2"), QStringLiteral("b"), QDate(2024, 5, 1))));
    const QDateTime at(QDate(2024, 6, 1), QTime(9, 30), Qt::UTC);
    QSignalSpy spy(m_recurring.get(), &RecurringRepository::recurringChanged);
    QVERIFY(m_recurring->softDeleteByAccount(QStringLiteral("a"), at));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_recurring->findById(QStringLiteral("r1"))->deletedAt, std::optional<QDateTime>(at));
    QVERIFY(!m_recurring->findById(QStringLiteral("r2"))->deletedAt);

    QCOMPARE(m_recurring->restoreByAccount(QStringLiteral("a"), QStringLiteral("2024-06-01T09:30:01Z")), 0);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_recurring->restoreByAccount(QStringLiteral("a"), QStringLiteral("2024-06-01T09:29:50Z")), 1);
    QCOMPARE(spy.count(), 2);
    QVERIFY(!m_recurring->findById(QStringLiteral("r1"))->deletedAt);
}

void TestRecurringRepository::syncBookkeeping()
{
    QVERIFY(m_recurring->insert(recurring(QStringLiteral("r1"), QStringLiteral("a"), QDate(2024, 5, 1))));
    QVERIFY(m_recurring->insert(recurring(QStringLiteral("r2"), QStringLiteral("a"), QDate(2024, 5, 1))));
    QVERIFY(m_recurring->markSynced(QStringLiteral("r1"), QStringLiteral("srv-1")));
    QVERIFY(m_recurring->markSynced(QStringLiteral("r2"), QStringLiteral("srv-2")));
    QVERIFY(m_recurring->softDelete(QStringLiteral("r2")));
    QCOMPARE(m_recurring->findPendingSync().size(), 1);
    QCOMPARE(m_recurring->findPendingSync().first().id, QStringLiteral("r2"));
    QCOMPARE(m_recurring->findByServerId(QStringLiteral("srv-1"))->id, QStringLiteral("r1"));
    QSignalSpy spy(m_recurring.get(), &RecurringRepository::recurringChanged);
    QCOMPARE(m_recurring->markAllPendingForResync(), 1);
    QCOMPARE(spy.count(), 1);
}

QTEST_GUILESS_MAIN(TestRecurringRepository)
#include "TestRecurringRepository.moc"
