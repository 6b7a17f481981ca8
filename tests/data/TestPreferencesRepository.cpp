#include "PreferencesRepository.h"
#include "TestDatabase.h"
#include "support/PreferenceKeyProbe.h"

#include <QSignalSpy>
#include <QTest>

class TestPreferencesRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void missingKey();
    void setAndGet();
    void setUpserts();
    void getBool_data();
    void getBool();
    void setBoolAndInt();
    void removeEmitsNothing();
    void nullValueStoredAsEmptyText();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<PreferencesRepository> m_prefs;
};

void TestPreferencesRepository::init()
{
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    m_prefs = std::make_unique<PreferencesRepository>(m_db->database());
}

void TestPreferencesRepository::cleanup()
{
    m_prefs.reset();
    m_db.reset();
}

void TestPreferencesRepository::missingKey()
{
    QVERIFY(!m_prefs->get(preferenceKey("theme")).has_value());
    QCOMPARE(m_prefs->value(preferenceKey("theme"), QStringLiteral("system")), QStringLiteral("system"));
}

void TestPreferencesRepository::setAndGet()
{
    QSignalSpy spy(m_prefs.get(), &PreferencesRepository::changed);
    QVERIFY(m_prefs->set(preferenceKey("theme"), QStringLiteral("dark")));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("theme"));
    QCOMPARE(m_prefs->get(preferenceKey("theme")), std::optional<QString>(QStringLiteral("dark")));
    QCOMPARE(m_prefs->value(preferenceKey("theme"), QStringLiteral("system")), QStringLiteral("dark"));

    // An empty stored value is a value, not an absent key.
    QVERIFY(m_prefs->set(preferenceKey("syncCursor"), QStringLiteral("")));
    QCOMPARE(m_prefs->value(preferenceKey("syncCursor"), QStringLiteral("x")), QString());
}

void TestPreferencesRepository::setUpserts()
{
    QVERIFY(m_prefs->set(preferenceKey("fontScale"), QStringLiteral("100")));
    QVERIFY(m_prefs->set(preferenceKey("fontScale"), QStringLiteral("120")));
    QCOMPARE(m_prefs->value(preferenceKey("fontScale")), QStringLiteral("120"));
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT COUNT(*) FROM preferences")).toInt(), 1);
}

void TestPreferencesRepository::getBool_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("defaultValue");
    QTest::addColumn<bool>("expected");

    QTest::newRow("1") << "1" << false << true;
    QTest::newRow("true") << "true" << false << true;
    QTest::newRow("0") << "0" << true << false;
    QTest::newRow("false") << "false" << true << false;
    QTest::newRow("TRUE is not true") << "TRUE" << true << false;
    QTest::newRow("yes is not true") << "yes" << true << false;
    QTest::newRow("empty is not true") << "" << true << false;
}

void TestPreferencesRepository::getBool()
{
    QFETCH(QString, stored);
    QFETCH(bool, defaultValue);
    QFETCH(bool, expected);
    QCOMPARE(m_prefs->getBool(preferenceKey("flag"), defaultValue), defaultValue);
    QVERIFY(m_prefs->set(preferenceKey("flag"), stored));
    QCOMPARE(m_prefs->getBool(preferenceKey("flag"), defaultValue), expected);
}

void TestPreferencesRepository::setBoolAndInt()
{
    QSignalSpy spy(m_prefs.get(), &PreferencesRepository::changed);
    m_prefs->setBool(preferenceKey("registerTwoLine"), true);
    m_prefs->setInt(preferenceKey("weekStartDay"), 7);
    m_prefs->setInt(preferenceKey("offset"), -3);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(m_prefs->value(preferenceKey("registerTwoLine")), QStringLiteral("1"));
    QCOMPARE(m_prefs->value(preferenceKey("weekStartDay")), QStringLiteral("7"));
    QCOMPARE(m_prefs->value(preferenceKey("offset")), QStringLiteral("-3"));
    m_prefs->setBool(preferenceKey("registerTwoLine"), false);
    QCOMPARE(m_prefs->value(preferenceKey("registerTwoLine")), QStringLiteral("0"));
}

void TestPreferencesRepository::removeEmitsNothing()
{
    QVERIFY(m_prefs->set(preferenceKey("syncCursor"), QStringLiteral("abc")));
    QSignalSpy spy(m_prefs.get(), &PreferencesRepository::changed);
    QVERIFY(m_prefs->remove(preferenceKey("syncCursor")));
    QVERIFY(m_prefs->remove(preferenceKey("never-there")));
    QCOMPARE(spy.count(), 0);
    QVERIFY(!m_prefs->get(preferenceKey("syncCursor")).has_value());
}

void TestPreferencesRepository::nullValueStoredAsEmptyText()
{
    QVERIFY(m_prefs->set(preferenceKey("accentColor"), QString()));
    QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT value IS NULL FROM preferences")).toInt(), 0);
    QVERIFY(m_prefs->get(preferenceKey("accentColor")).has_value());
}

QTEST_GUILESS_MAIN(TestPreferencesRepository)
#include "TestPreferencesRepository.moc"
