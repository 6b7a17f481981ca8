#include "AccountRepository.h"
#include "AppState.h"
#include "DefaultCategories.h"
#include "Money.h"
#include "PreferencesRepository.h"
#include "TestDatabase.h"
#include "support/PreferenceKeyProbe.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestAppState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void freshDirectoryGetsDatabaseWithSeededCategories();
    void secondStartSeedsNothingMore();
    void fontScale_data();
    void fontScale();
    void weekStartDay_data();
    void weekStartDay();
    void accentColor_data();
    void accentColor();
    void autoDecimal_data();
    void autoDecimal();
    void lastAccount_data();
    void lastAccount();
    void setCurrentAccountIdIsKeptForNextStart();
    void damagedDatabaseFileFailsToInitialize();
    void failingMigrationFailsToInitialize();

private:
    // Stores preferences in the fixture's file, then closes it for the AppState.
    void storePreferences(const QList<QPair<QString, QString>> &values);
    bool start();
    int count(const QString &sql);

    std::unique_ptr<TestDatabase> m_fixture;
    std::unique_ptr<AppState> m_state;
};

void TestAppState::init()
{
    m_fixture = std::make_unique<TestDatabase>();
    QVERIFY(m_fixture->isValid());
    AppState::accentColor() = QColor(QStringLiteral("#00897B"));
    AppState::fontScale() = 100;
    Money::setAutoDecimal(false);
}

void TestAppState::cleanup()
{
    m_state.reset();
    m_fixture.reset();
    Money::setAutoDecimal(false);
}

void TestAppState::storePreferences(const QList<QPair<QString, QString>> &values)
{
    {
        QSqlQuery query(m_fixture->database()->database());
        for (const auto &[key, value] : values) {
            query.prepare(QStringLiteral("INSERT INTO preferences (key, value) VALUES (?, ?)"));
            query.addBindValue(key);
            query.addBindValue(value);
            QVERIFY2(query.exec(), qPrintable(key));
        }
    }
    m_fixture->close();
}

bool TestAppState::start()
{
    m_fixture->close();
    m_state = std::make_unique<AppState>();
    return m_state->initialize();
}

int TestAppState::count(const QString &sql)
{
    QSqlQuery query(m_state->database()->database());
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toInt();
}

void TestAppState::freshDirectoryGetsDatabaseWithSeededCategories()
{
    m_fixture.reset();
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString dataDirectory = directory.filePath(QStringLiteral("nested/Tallyfern"));
    qputenv("TALLYFERN_DATA_DIR", dataDirectory.toLocal8Bit());

    m_state = std::make_unique<AppState>();
    QSignalSpy ready(m_state.get(), &AppState::databaseReady);
    QVERIFY(m_state->initialize());
    qunsetenv("TALLYFERN_DATA_DIR");

    QCOMPARE(ready.count(), 1);
    QCOMPARE(m_state->dataDirectory(), dataDirectory);
    QVERIFY(QFileInfo::exists(dataDirectory + QStringLiteral("/tallyfern.db")));
    QVERIFY(m_state->preferences() && m_state->accounts() && m_state->transactions() &&
            m_state->splitLines() && m_state->categories() && m_state->recurring() &&
            m_state->reconciliations() && m_state->categoryService() && m_state->recurringService());

    const QList<Category> defaults = DefaultCategories::build(QDateTime::currentDateTimeUtc());
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM categories")), defaults.size());
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM categories WHERE is_default = 1 AND deleted_at IS NULL")),
        defaults.size());
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM categories WHERE tax_category = 'mortgage_interest'")), 1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'transactions_fts'")), 1);
    QVERIFY(m_state->currentAccountId().isEmpty());
}

void TestAppState::secondStartSeedsNothingMore()
{
    QVERIFY(start());
    const int seeded = count(QStringLiteral("SELECT COUNT(*) FROM categories"));
    QVERIFY(seeded > 0);
    m_state.reset();

    m_state = std::make_unique<AppState>();
    QVERIFY(m_state->initialize());
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM categories")), seeded);
}

void TestAppState::fontScale_data()
{
    QTest::addColumn<QString>("stored"); // empty: not stored
    QTest::addColumn<int>("expected");

    QTest::newRow("not stored") << "" << 100;
    QTest::newRow("plain") << "115" << 115;
    QTest::newRow("too large") << "300" << 160;
    QTest::newRow("too small") << "10" << 70;
    QTest::newRow("negative") << "-5" << 70;
    QTest::newRow("not a number") << "abc" << 100;
    QTest::newRow("decimal text") << "1.5" << 100;
    QTest::newRow("limits kept") << "160" << 160;
}

void TestAppState::fontScale()
{
    QFETCH(QString, stored);
    QFETCH(int, expected);

    AppState::fontScale() = 42;
    if (!stored.isEmpty())
        storePreferences({{QStringLiteral("fontScale"), stored}});
    QVERIFY(start());
    QCOMPARE(AppState::fontScale(), expected);
}

void TestAppState::weekStartDay_data()
{
    const int locale = int(QLocale::system().firstDayOfWeek());
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected");

    QTest::newRow("not stored") << "" << locale;
    QTest::newRow("monday") << "1" << 1;
    QTest::newRow("sunday") << "7" << 7;
    QTest::newRow("wednesday") << "3" << 3;
    QTest::newRow("nine keeps locale") << "9" << locale;
    QTest::newRow("zero keeps locale") << "0" << locale;
    QTest::newRow("text keeps locale") << "monday" << locale;
}

void TestAppState::weekStartDay()
{
    QFETCH(QString, stored);
    QFETCH(int, expected);

    // Whatever an earlier start set must not survive a damaged value.
    AppState::weekStartDay() = expected == 4 ? 5 : 4;
    if (!stored.isEmpty())
        storePreferences({{QStringLiteral("weekStartDay"), stored}});
    QVERIFY(start());
    QCOMPARE(AppState::weekStartDay(), expected);
}

void TestAppState::accentColor_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");

    QTest::newRow("not stored") << ""
                                << "#00897b";
    QTest::newRow("valid") << "#3366cc"
                           << "#3366cc";
    QTest::newRow("named") << "red"
                           << "#ff0000";
    QTest::newRow("invalid keeps default") << "not-a-colour"
                                           << "#00897b";
}

void TestAppState::accentColor()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);

    if (!stored.isEmpty())
        storePreferences({{QStringLiteral("accentColor"), stored}});
    QVERIFY(start());
    QCOMPARE(AppState::accentColor().name(), expected);
}

void TestAppState::autoDecimal_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("expected");

    QTest::newRow("not stored") << "" << false;
    QTest::newRow("one") << "1" << true;
    QTest::newRow("true") << "true" << true;
    QTest::newRow("zero") << "0" << false;
}

void TestAppState::autoDecimal()
{
    QFETCH(QString, stored);
    QFETCH(bool, expected);

    Money::setAutoDecimal(!expected);
    if (!stored.isEmpty())
        storePreferences({{QStringLiteral("amountAutoDecimal"), stored}});
    QVERIFY(start());
    QCOMPARE(Money::autoDecimal(), expected);
    // What the user then types is read accordingly.
    QCOMPARE(Money::parse(QStringLiteral("1234")), std::optional<qint64>(expected ? 1234 : 123400));
}

void TestAppState::lastAccount_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<QString>("expected");

    QTest::newRow("live account restored") << "acc-1" << false << "acc-1";
    QTest::newRow("deleted account not restored") << "acc-1" << true << "";
    QTest::newRow("missing account not restored") << "acc-gone" << false << "";
    QTest::newRow("nothing stored") << "" << false << "";
}

void TestAppState::lastAccount()
{
    QFETCH(QString, stored);
    QFETCH(bool, deleted);
    QFETCH(QString, expected);

    {
        QSqlQuery query(m_fixture->database()->database());
        query.prepare(
            QStringLiteral("INSERT INTO accounts (id, name, account_type, currency, created_at, "
                           "updated_at, deleted_at) VALUES ('acc-1', 'Checking', 'checking', 'USD', "
                           "'2024-01-01T00:00:00Z', '2024-01-01T00:00:00Z', ?)"));
        query.addBindValue(deleted ? QVariant(QStringLiteral("2024-02-01T00:00:00Z")) : QVariant());
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    }
    if (!stored.isEmpty())
        storePreferences({{QStringLiteral("lastAccountId"), stored}});
    QVERIFY(start());
    QCOMPARE(m_state->currentAccountId(), expected);
}

void TestAppState::setCurrentAccountIdIsKeptForNextStart()
{
    {
        QSqlQuery query(m_fixture->database()->database());
        QVERIFY(
            query.exec(QStringLiteral("INSERT INTO accounts (id, name, account_type, currency, created_at, "
                                      "updated_at) VALUES ('acc-2', 'Savings', 'savings', 'USD', "
                                      "'2024-01-01T00:00:00Z', '2024-01-01T00:00:00Z')")));
    }
    QVERIFY(start());
    // Switching writes nothing at once; the last account is saved after a pause
    // in switching, or when the state goes away.
    m_state->setCurrentAccountId(QStringLiteral("acc-2"));
    QCOMPARE(m_state->currentAccountId(), QStringLiteral("acc-2"));
    QVERIFY(!m_state->preferences()->get(preferenceKey("lastAccountId")).has_value());
    m_state->setCurrentAccountId(QStringLiteral("acc-1"));
    QTRY_COMPARE_WITH_TIMEOUT(m_state->preferences()->get(preferenceKey("lastAccountId")),
                              std::optional<QString>("acc-1"), AppState::SaveCurrentAccountDelayMs + 2000);
    m_state->setCurrentAccountId(QStringLiteral("acc-2"));
    m_state.reset();

    m_state = std::make_unique<AppState>();
    QVERIFY(m_state->initialize());
    QCOMPARE(m_state->currentAccountId(), QStringLiteral("acc-2"));
}

void TestAppState::damagedDatabaseFileFailsToInitialize()
{
    const QString path = m_fixture->filePath();
    m_fixture->close();
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(8192, 'x'));
    file.close();

    m_state = std::make_unique<AppState>();
    QSignalSpy ready(m_state.get(), &AppState::databaseReady);
    QVERIFY(!m_state->initialize());
    QCOMPARE(ready.count(), 0);
    QVERIFY(m_state->database() == nullptr);
    QVERIFY(m_state->preferences() == nullptr);
    QCOMPARE(m_state->dataDirectory(), m_fixture->dataDirectory());
}

void TestAppState::failingMigrationFailsToInitialize()
{
    // A table the first script creates is already there: that script fails.
    m_fixture.reset();
    m_fixture = std::make_unique<TestDatabase>(false);
    QVERIFY(m_fixture->isValid());
    {
        QSqlQuery query(m_fixture->database()->database());
        QVERIFY(query.exec(QStringLiteral("CREATE TABLE accounts (id TEXT)")));
    }

    QVERIFY(!start());
    QVERIFY(m_state->database() == nullptr);
    m_state.reset();

    QVERIFY(m_fixture->reopen());
    QSqlQuery query(m_fixture->database()->database());
    QVERIFY(query.exec(QStringLiteral("PRAGMA user_version")) && query.next());
    QCOMPARE(query.value(0).toInt(), 0);
    QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'categories'")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 0);
}

QTEST_MAIN(TestAppState)
#include "TestAppState.moc"
