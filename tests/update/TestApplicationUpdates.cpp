#include "AppState.h"
#include "AppVersion.h"
#include "Application.h"
#include "DialogProbe.h"
#include "FakeHttpServer.h"
#include "ManifestSamples.h"
#include "PreferencesRepository.h"
#include "UpdateClient.h"
#include "UpdateDialog.h"
#include "WhatsNewDialog.h"
#include "support/PreferenceKeyProbe.h"

#include <QMainWindow>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using FakeHttp::Response;
using namespace DialogProbe;
using namespace ManifestSamples;

// The program's own start-up with the update server pointed at a local one. Each
// process can start the program once, so ctest runs this twice: once for a
// first start and once for a start after the offered version was dismissed
// (STARTUP_SCENARIO "first" or "dismissed").
class TestApplicationUpdates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void configuration_data();
    void configuration();
    void startUp();

private:
    Application *app() const { return static_cast<Application *>(QCoreApplication::instance()); }
    void firstStart(FakeHttp::FakeHttpServer &server);
    void startAfterDismissal(FakeHttp::FakeHttpServer &server);
    // Holds the manifest answer until the start-up client is there to watch.
    BrioUpdate::Client *waitForStartupCheck(FakeHttp::FakeHttpServer &server);
};

void TestApplicationUpdates::configuration_data()
{
    QTest::addColumn<QByteArray>("updateBase");
    QTest::addColumn<QByteArray>("feedbackBase");
    QTest::addColumn<QUrl>("manifestBase");
    QTest::addColumn<QUrl>("feedback");

    QTest::newRow("built in") << QByteArray() << QByteArray()
                              << QUrl("https://updates.tallowmere.app/tallyfern/stable/")
                              << QUrl("https://feedback.tallowmere.app");
    QTest::newRow("test servers") << QByteArray("http://127.0.0.1:8123")
                                  << QByteArray("http://127.0.0.1:8124")
                                  << QUrl("http://127.0.0.1:8123/tallyfern/stable/")
                                  << QUrl("http://127.0.0.1:8124");
    QTest::newRow("mirror with a path")
        << QByteArray("https://mirror.example.test/pub/") << QByteArray("https://example.test/feedback")
        << QUrl("https://mirror.example.test/pub/tallyfern/stable/") << QUrl("https://example.test/feedback");
}

void TestApplicationUpdates::configuration()
{
    QFETCH(QByteArray, updateBase);
    QFETCH(QByteArray, feedbackBase);
    QFETCH(QUrl, manifestBase);
    QFETCH(QUrl, feedback);

    const QByteArray savedUpdate = qgetenv("UPDATE_BASE_URL");
    const QByteArray savedFeedback = qgetenv("FEEDBACK_BASE_URL");
    qputenv("UPDATE_BASE_URL", updateBase); // empty counts as unset
    qputenv("FEEDBACK_BASE_URL", feedbackBase);
    const BrioUpdate::UpdateConfig update = Application::updateConfig();
    const BrioUpdate::FeedbackConfig feedbackConfig = Application::feedbackConfig();
    qputenv("UPDATE_BASE_URL", savedUpdate);
    qputenv("FEEDBACK_BASE_URL", savedFeedback);

    QCOMPARE(update.appId, QStringLiteral("tallyfern"));
    QCOMPARE(update.channel, QStringLiteral("stable"));
    QCOMPARE(update.manifestBaseUrl, manifestBase);
    QCOMPARE(update.currentVersion, QStringLiteral(TALLYFERN_VERSION));
    QCOMPARE(feedbackConfig.appSlug, QStringLiteral("tallyfern"));
    QCOMPARE(feedbackConfig.baseUrl, feedback);
}

void TestApplicationUpdates::startUp()
{
    const QByteArray scenario = qgetenv("STARTUP_SCENARIO");
    QVERIFY(scenario == "first" || scenario == "dismissed");

    QTemporaryDir data;
    QVERIFY(data.isValid());
    qputenv("TALLYFERN_DATA_DIR", data.path().toLocal8Bit());
    FakeHttp::FakeHttpServer server;
    QVERIFY(server.listen());
    qputenv("UPDATE_BASE_URL", server.url().toString().toUtf8());
    server.on("GET", "/tallyfern/" TALLYFERN_VERSION "/release-notes.md",
              Response::raw(200, "# Faster search\n", "text/markdown"));
    server.on("GET", "/tallyfern/stable/latest.json",
              Response::raw(200, bytes(manifestFor(artifact("1.2.0")))).held());
    // The test's home outlives a run: start from what each scenario needs.
    if (scenario == "dismissed")
        QSettings().setValue("whatsNew/lastShownVersion", TALLYFERN_VERSION);
    else
        QSettings().remove("whatsNew/lastShownVersion");

    QTimer::singleShot(0, app(), [&]() {
        if (scenario == "first")
            firstStart(server);
        else
            startAfterDismissal(server);
        QCoreApplication::quit();
    });
    QCOMPARE(app()->run(), 0);
}

BrioUpdate::Client *TestApplicationUpdates::waitForStartupCheck(FakeHttp::FakeHttpServer &server)
{
    if (!QTest::qWaitFor([&]() { return server.heldCount() == 1; }, 10000))
        return nullptr;
    const auto clients = app()->findChildren<BrioUpdate::Client *>();
    return clients.size() == 1 ? clients.first() : nullptr;
}

void TestApplicationUpdates::firstStart(FakeHttp::FakeHttpServer &server)
{
    // What's new: stored at once, shown when the notes arrive.
    QCOMPARE(QSettings().value("whatsNew/lastShownVersion").toString(), QStringLiteral(TALLYFERN_VERSION));
    QTRY_COMPARE(openWindows<BrioUpdate::WhatsNewDialog>().size(), 1);
    BrioUpdate::WhatsNewDialog *whatsNew = openWindows<BrioUpdate::WhatsNewDialog>().first();
    QCOMPARE(whatsNew->windowTitle(),
             QStringLiteral("What's New in Tallowmere Tallyfern " TALLYFERN_VERSION));
    QCOMPARE(whatsNew->parentWidget(), app()->mainWindow());
    whatsNew->close();

    // The update check, a moment later, offers the newer version.
    BrioUpdate::Client *client = waitForStartupCheck(server);
    QVERIFY(client);
    server.release();
    QTRY_COMPARE(openWindows<BrioUpdate::UpdateDialog>().size(), 1);
    BrioUpdate::UpdateDialog *offer = openWindows<BrioUpdate::UpdateDialog>().first();
    QCOMPARE(offer->parentWidget(), app()->mainWindow());
    QVERIFY(labelWithText(offer, "A new version of Tallowmere Tallyfern is available."));
    QVERIFY(labelWithText(offer, "You have version " TALLYFERN_VERSION ". The latest version is 1.2.0."));
    QCOMPARE(app()->appState()->preferences()->value(preferenceKey("update_dismissed_version")), QString());

    QTest::mouseClick(button(offer, "Later"), Qt::LeftButton);
    QCOMPARE(app()->appState()->preferences()->value(preferenceKey("update_dismissed_version")),
             QStringLiteral("1.2.0"));
}

void TestApplicationUpdates::startAfterDismissal(FakeHttp::FakeHttpServer &server)
{
    app()->appState()->preferences()->set(preferenceKey("update_dismissed_version"), "1.2.0");

    BrioUpdate::Client *client = waitForStartupCheck(server);
    QVERIFY(client);
    QSignalSpy available(client, &BrioUpdate::Client::updateAvailable);
    server.release();
    QTRY_COMPARE(available.count(), 1);
    QCoreApplication::processEvents();
    QVERIFY(openWindows<BrioUpdate::UpdateDialog>().isEmpty());
    // What's new was shown for this version before: not shown, notes not asked for.
    QVERIFY(openWindows<BrioUpdate::WhatsNewDialog>().isEmpty());
    QCOMPARE(server.requestCount("GET", "/tallyfern/" TALLYFERN_VERSION "/release-notes.md"), 0);
}

int main(int argc, char *argv[])
{
    qputenv("LC_ALL", "en_US.UTF-8");
    qputenv("LANG", "en_US.UTF-8");
    Application application(argc, argv);
    TestApplicationUpdates test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestApplicationUpdates.moc"
