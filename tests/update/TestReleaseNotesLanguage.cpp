#include "FakeHttpServer.h"
#include "ReleaseNotesFetcher.h"

#include <QSignalSpy>
#include <QTest>

using BrioUpdate::ReleaseNotesFetcher;
using BrioUpdate::UpdateConfig;
using FakeHttp::Response;

// Runs once under a German and once under an English system locale (see
// CMakeLists.txt): the translation is asked for first only where there is one.
class TestReleaseNotesLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void order_data();
    void order();

private:
    QString language;
    std::unique_ptr<FakeHttp::FakeHttpServer> server;
};

void TestReleaseNotesLanguage::initTestCase()
{
    language = qEnvironmentVariable("EXPECTED_NOTES_LANGUAGE");
    QVERIFY(language == QLatin1String("de") || language == QLatin1String("en"));
    QCOMPARE(QLocale::system().name().left(2), language);
}

void TestReleaseNotesLanguage::init()
{
    server = std::make_unique<FakeHttp::FakeHttpServer>();
    QVERIFY(server->listen());
}

void TestReleaseNotesLanguage::order_data()
{
    QTest::addColumn<Response>("translated");
    QTest::addColumn<Response>("fallback");
    QTest::addColumn<QString>("germanOutcome");
    QTest::addColumn<QString>("englishOutcome");

    const Response german = Response::raw(200, "# Neu in 1.1.6\n", "text/markdown");
    const Response english = Response::raw(200, "# New in 1.1.6\n", "text/markdown");
    QTest::newRow("both exist") << german << english << "# Neu in 1.1.6"
                                << "# New in 1.1.6";
    QTest::newRow("translation missing") << Response::empty(404) << english << "# New in 1.1.6"
                                         << "# New in 1.1.6";
    QTest::newRow("translation blank")
        << Response::raw(200, "\n\n", "text/markdown") << english << "# New in 1.1.6"
        << "# New in 1.1.6";
    QTest::newRow("translation fails") << Response::raw(500, "oops") << english << "# New in 1.1.6"
                                       << "# New in 1.1.6";
    QTest::newRow("only the translation") << german << Response::empty(404) << "# Neu in 1.1.6"
                                          << "";
    QTest::newRow("neither") << Response::empty(404) << Response::empty(404) << ""
                             << "";
}

void TestReleaseNotesLanguage::order()
{
    QFETCH(Response, translated);
    QFETCH(Response, fallback);
    QFETCH(QString, germanOutcome);
    QFETCH(QString, englishOutcome);

    const QString defaultPath = QStringLiteral("/tallyfern/1.1.6/release-notes.md");
    const QString germanPath = QStringLiteral("/tallyfern/1.1.6/release-notes.de.md");
    server->on("GET", germanPath, translated);
    server->on("GET", defaultPath, fallback);

    ReleaseNotesFetcher fetcher(
        UpdateConfig{"tallyfern", "stable", server->url("/tallyfern/stable/"), "1.1.6"});
    QSignalSpy ready(&fetcher, &ReleaseNotesFetcher::notesReady);
    QSignalSpy unavailable(&fetcher, &ReleaseNotesFetcher::notesUnavailable);
    fetcher.fetch();
    QTRY_COMPARE(ready.count() + unavailable.count(), 1);

    const bool german = language == QLatin1String("de");
    const QString expected = german ? germanOutcome : englishOutcome;
    QCOMPARE(ready.isEmpty() ? QString() : ready.first().first().toString(), expected);

    QStringList paths;
    for (const FakeHttp::Request &request : server->requests())
        paths << request.path;
    QStringList expectedPaths;
    if (german)
        expectedPaths << germanPath;
    if (!german || germanOutcome != QLatin1String("# Neu in 1.1.6"))
        expectedPaths << defaultPath;
    QCOMPARE(paths, expectedPaths);
}

QTEST_MAIN(TestReleaseNotesLanguage)
#include "TestReleaseNotesLanguage.moc"
