#include "FakeHttpServer.h"
#include "ReleaseNotesFetcher.h"

#include <QSignalSpy>
#include <QTest>

using BrioUpdate::ReleaseNotesFetcher;
using BrioUpdate::UpdateConfig;
using FakeHttp::Response;

namespace {

const QString notesPath = QStringLiteral("/tallyfern/1.1.6/release-notes.md");

// "ready:<text>" or "unavailable", from the one signal a fetch ended in.
QString runFetch(ReleaseNotesFetcher &fetcher, int *signalCount = nullptr)
{
    QSignalSpy ready(&fetcher, &ReleaseNotesFetcher::notesReady);
    QSignalSpy unavailable(&fetcher, &ReleaseNotesFetcher::notesUnavailable);
    fetcher.fetch();
    if (!QTest::qWaitFor([&]() { return !ready.isEmpty() || !unavailable.isEmpty(); }, 15000))
        return QStringLiteral("no answer");
    QCoreApplication::processEvents();
    if (signalCount)
        *signalCount = int(ready.count() + unavailable.count());
    return ready.isEmpty() ? QStringLiteral("unavailable")
                           : QStringLiteral("ready:") + ready.first().first().toString();
}

} // namespace

class TestReleaseNotesFetcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void notesAddress_data();
    void notesAddress();
    void translationAddress_data();
    void translationAddress();
    void answers_data();
    void answers();
    void requestShape();
    void silentServerTimesOut();
    void nonWebAddressIsNotFetched_data();
    void nonWebAddressIsNotFetched();

private:
    std::unique_ptr<FakeHttp::FakeHttpServer> server;
};

void TestReleaseNotesFetcher::initTestCase()
{
    // This test runs in English, where no translation is tried.
    QCOMPARE(QLocale::system().name().left(2), QStringLiteral("en"));
}

void TestReleaseNotesFetcher::init()
{
    server = std::make_unique<FakeHttp::FakeHttpServer>();
    QVERIFY(server->listen());
}

void TestReleaseNotesFetcher::notesAddress_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("expected");

    QTest::newRow("channel directory") << "https://updates.example.test/tallyfern/stable/"
                                       << "1.1.6"
                                       << "https://updates.example.test/tallyfern/1.1.6/release-notes.md";
    QTest::newRow("without trailing slash")
        << "https://updates.example.test/tallyfern/stable"
        << "1.1.6"
        << "https://updates.example.test/tallyfern/1.1.6/release-notes.md";
    QTest::newRow("channel at the root") << "https://updates.example.test/stable/"
                                         << "2.0"
                                         << "https://updates.example.test/2.0/release-notes.md";
    QTest::newRow("port and query stay")
        << "http://127.0.0.1:8123/tallyfern/beta/?edition=home"
        << "1.2.0"
        << "http://127.0.0.1:8123/tallyfern/1.2.0/release-notes.md?edition=home";
}

void TestReleaseNotesFetcher::notesAddress()
{
    QFETCH(QString, base);
    QFETCH(QString, version);
    QFETCH(QString, expected);

    const UpdateConfig config{"tallyfern", "stable", QUrl(base), version};
    QCOMPARE(ReleaseNotesFetcher::notesUrlFor(config), QUrl(expected));
    QCOMPARE(ReleaseNotesFetcher(config).defaultUrl(), QUrl(expected));
}

void TestReleaseNotesFetcher::translationAddress_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    const QString notes = QStringLiteral("https://updates.example.test/tallyfern/1.1.6/release-notes.md");
    QTest::newRow("German") << "de_DE"
                            << "https://updates.example.test/tallyfern/1.1.6/release-notes.de.md";
    QTest::newRow("Japanese") << "ja_JP"
                              << "https://updates.example.test/tallyfern/1.1.6/release-notes.ja.md";
    QTest::newRow("French in Canada") << "fr_CA"
                                      << "https://updates.example.test/tallyfern/1.1.6/release-notes.fr.md";
    QTest::newRow("English") << "en_US"
                             << "";
    QTest::newRow("British English") << "en_GB"
                                     << "";
    QTest::newRow("C locale") << "C"
                              << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestReleaseNotesFetcher::translationAddress()
{
    QFETCH(QString, locale);
    QFETCH(QString, expected);

    const QUrl notes("https://updates.example.test/tallyfern/1.1.6/release-notes.md");
    QCOMPARE(ReleaseNotesFetcher::localizedUrlFor(notes, locale), QUrl(expected));
}

void TestReleaseNotesFetcher::answers_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("outcome");

    QTest::newRow("notes") << Response::raw(200, "# 1.1.6\n\n- Faster search\n", "text/markdown")
                           << "ready:# 1.1.6\n\n- Faster search";
    QTest::newRow("blank lines around are trimmed")
        << Response::raw(200, "\n\n  \n# 1.1.6\n\n- Faster search\n\n\n", "text/markdown")
        << "ready:# 1.1.6\n\n- Faster search";
    QTest::newRow("UTF-8") << Response::raw(200, "Überweisungen – schneller ✓", "text/markdown")
                           << QStringLiteral("ready:Überweisungen – schneller ✓");
    QTest::newRow("only blank lines") << Response::raw(200, "\n \n\t\n", "text/markdown") << "unavailable";
    QTest::newRow("empty") << Response::raw(200, "", "text/markdown") << "unavailable";
    QTest::newRow("404") << Response::empty(404) << "unavailable";
    QTest::newRow("500 with a body") << Response::raw(500, "# error page") << "unavailable";
    QTest::newRow("dropped") << Response::drop() << "unavailable";
}

void TestReleaseNotesFetcher::answers()
{
    QFETCH(Response, response);
    QFETCH(QString, outcome);

    server->on("GET", notesPath, response);
    ReleaseNotesFetcher fetcher(
        UpdateConfig{"tallyfern", "stable", server->url("/tallyfern/stable/"), "1.1.6"});
    int signalCount = 0;
    QCOMPARE(runFetch(fetcher, &signalCount), outcome);
    QCOMPARE(signalCount, 1);
}

void TestReleaseNotesFetcher::requestShape()
{
    server->on("GET", "/elsewhere/notes-1.2.0.md", Response::raw(200, "notes"));
    ReleaseNotesFetcher fetcher(server->url("/elsewhere/notes-1.2.0.md"), QStringLiteral("update-dialog"));
    QCOMPARE(runFetch(fetcher), QStringLiteral("ready:notes"));
    QCOMPARE(server->requestCount(), 1);
    QCOMPARE(server->lastRequest().method, QByteArray("GET"));
    QCOMPARE(server->lastRequest().header("user-agent"), QByteArray("BrioUpdateQt/0.1 (update-dialog)"));

    // A fetcher can be asked again; each fetch ends in its own signal.
    QCOMPARE(runFetch(fetcher), QStringLiteral("ready:notes"));
    QCOMPARE(server->requestCount(), 2);
}

void TestReleaseNotesFetcher::silentServerTimesOut()
{
    server->on("GET", notesPath, Response::never());
    ReleaseNotesFetcher fetcher(
        UpdateConfig{"tallyfern", "stable", server->url("/tallyfern/stable/"), "1.1.6"});
    fetcher.setTransferTimeout(300);
    QCOMPARE(runFetch(fetcher), QStringLiteral("unavailable"));
}

void TestReleaseNotesFetcher::nonWebAddressIsNotFetched_data()
{
    QTest::addColumn<QUrl>("url");

    QTest::newRow("local file") << QUrl("file:///etc/hostname");
    QTest::newRow("relative") << QUrl("release-notes.md");
    QTest::newRow("empty") << QUrl();
}

void TestReleaseNotesFetcher::nonWebAddressIsNotFetched()
{
    QFETCH(QUrl, url);

    ReleaseNotesFetcher fetcher(url, QStringLiteral("tallyfern"));
    QSignalSpy unavailable(&fetcher, &ReleaseNotesFetcher::notesUnavailable);
    fetcher.fetch();
    QCOMPARE(unavailable.count(), 0); // never inside fetch(): callers connect after creating
    QTRY_COMPARE(unavailable.count(), 1);
}

QTEST_MAIN(TestReleaseNotesFetcher)
#include "TestReleaseNotesFetcher.moc"
