#include "DialogProbe.h"
#include "FakeHttpServer.h"
#include "ManifestSamples.h"
#include "ReleaseNotesFetcher.h"
#include "StartupUpdates.h"
#include "UpdateClient.h"
#include "UpdateDialog.h"
#include "UrlCapture.h"
#include "WhatsNewDialog.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using BrioUpdate::StartupUpdates;
using BrioUpdate::UpdateDialog;
using BrioUpdate::WhatsNewDialog;
using FakeHttp::Response;
using namespace DialogProbe;
using namespace ManifestSamples;

namespace {

const QString manifestPath = QStringLiteral("/tallyfern/stable/latest.json");
const QString notesPath = QStringLiteral("/tallyfern/1.1.6/release-notes.md");

// The two stored versions, as the application's preferences and settings would hold them.
struct Stored
{
    QString dismissed;
    QString lastWhatsNew;
    int dismissedWrites = 0;
};

} // namespace

class TestStartupUpdates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void offerUnlessDismissed_data();
    void offerUnlessDismissed();
    void closingTheOfferDismissesIt_data();
    void closingTheOfferDismissesIt();
    void checkWaitsForTheDelay();
    void failedCheckIsOnlyLogged();
    void whatsNewOncePerVersion_data();
    void whatsNewOncePerVersion();
    void whatsNewVersionIsStoredBeforeNotesArrive();

private:
    StartupUpdates *make()
    {
        StartupUpdates::Storage storage{
            [this]() { return stored.dismissed; },
            [this](const QString &version) {
                stored.dismissed = version;
                ++stored.dismissedWrites;
            },
            [this]() { return stored.lastWhatsNew; },
            [this](const QString &version) { stored.lastWhatsNew = version; },
        };
        auto *startup =
            new StartupUpdates({"tallyfern", "stable", server->url("/tallyfern/stable/"), "1.1.6"},
                               "Tallowmere Tallyfern", storage, window.get());
        startup->setCheckDelay(0);
        return startup;
    }

    // Starts, and returns once the start-up check has ended; the manifest
    // answer must be held so that the end can be watched.
    void startAndWaitForCheck(StartupUpdates *startup)
    {
        startup->start(window.get());
        QTRY_VERIFY(startup->client() != nullptr);
        QTRY_VERIFY(server->heldCount() == 1);
        QSignalSpy available(startup->client(), &BrioUpdate::Client::updateAvailable);
        QSignalSpy upToDate(startup->client(), &BrioUpdate::Client::upToDate);
        QSignalSpy failed(startup->client(), &BrioUpdate::Client::checkFailed);
        server->release();
        QTRY_COMPARE(available.count() + upToDate.count() + failed.count(), 1);
    }

    std::unique_ptr<FakeHttp::FakeHttpServer> server;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<UrlCapture> browser;
    Stored stored;
};

void TestStartupUpdates::init()
{
    server = std::make_unique<FakeHttp::FakeHttpServer>();
    QVERIFY(server->listen());
    window = std::make_unique<QWidget>();
    window->show();
    browser.reset();
    browser = std::make_unique<UrlCapture>();
    stored = Stored{};
    stored.lastWhatsNew = QStringLiteral("1.1.6"); // what's new already shown, unless a test says otherwise
}

void TestStartupUpdates::cleanup()
{
    window.reset();
    flushDeletes();
}

void TestStartupUpdates::offerUnlessDismissed_data()
{
    QTest::addColumn<QString>("dismissed");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("storedAfter");

    QTest::newRow("nothing dismissed yet") << ""
                                           << "1.2.0" << true << "";
    QTest::newRow("this version dismissed") << "1.2.0"
                                            << "1.2.0" << false << "1.2.0";
    // A dismissed version above what the server offers was never a release.
    QTest::newRow("a later version dismissed") << "1.3.0"
                                               << "1.2.0" << true << "";
    QTest::newRow("bogus version dismissed") << "2147483647.0.0"
                                             << "1.2.0" << true << "";
    QTest::newRow("an earlier version dismissed") << "1.2.0"
                                                  << "1.2.1" << true << "1.2.0";
    QTest::newRow("numeric order") << "1.9.0"
                                   << "1.10.0" << true << "1.9.0";
}

void TestStartupUpdates::offerUnlessDismissed()
{
    QFETCH(QString, dismissed);
    QFETCH(QString, offered);
    QFETCH(bool, shown);
    QFETCH(QString, storedAfter);

    stored.dismissed = dismissed;
    server->on("GET", manifestPath, Response::raw(200, bytes(manifestFor(artifact(offered)))).held());
    startAndWaitForCheck(make());

    QCOMPARE(openWindows<UpdateDialog>().size(), shown ? 1 : 0);
    if (shown) {
        UpdateDialog *dialog = openWindows<UpdateDialog>().first();
        QCOMPARE(dialog->parentWidget(), window.get());
        QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(labelWithText(
            dialog, QStringLiteral("You have version 1.1.6. The latest version is %1.").arg(offered)));
    }
    QCOMPARE(stored.dismissed, storedAfter);
    QCOMPARE(stored.dismissedWrites, storedAfter == dismissed ? 0 : 1);
}

void TestStartupUpdates::closingTheOfferDismissesIt_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<bool>("remembered");

    QTest::newRow("Later") << "Later" << "1.2.0" << true;
    QTest::newRow("Download") << "Download" << "1.2.0" << true;
    QTest::newRow("window closed") << "close" << "1.2.0" << true;
    QTest::newRow("implausible version") << "Later" << "1000.0.0" << false;
}

void TestStartupUpdates::closingTheOfferDismissesIt()
{
    QFETCH(QString, how);
    QFETCH(QString, offered);
    QFETCH(bool, remembered);

    server->on("GET", manifestPath, Response::raw(200, bytes(manifestFor(artifact(offered)))).held());
    startAndWaitForCheck(make());
    QCOMPARE(openWindows<UpdateDialog>().size(), 1);
    UpdateDialog *dialog = openWindows<UpdateDialog>().first();
    if (how == QLatin1String("close"))
        dialog->close();
    else
        QTest::mouseClick(button(dialog, how), Qt::LeftButton);

    QCOMPARE(stored.dismissed, remembered ? offered : QString());
    QCOMPARE(stored.dismissedWrites, remembered ? 1 : 0);
    QCOMPARE(browser->urls.size(), how == QLatin1String("Download") ? 1 : 0);
}

void TestStartupUpdates::checkWaitsForTheDelay()
{
    StartupUpdates *startup = make();
    startup->setCheckDelay(StartupUpdates::defaultCheckDelayMs);
    QCOMPARE(StartupUpdates::defaultCheckDelayMs, 1500);
    startup->start(window.get());
    QCoreApplication::processEvents();
    QVERIFY(!startup->client());
    QCOMPARE(server->requestCount("GET", manifestPath), 0);
}

void TestStartupUpdates::failedCheckIsOnlyLogged()
{
    server->on("GET", manifestPath, Response::raw(500, "down").held());
    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression("^update check failed: \"network error: .*Internal Server Error\"$"));
    startAndWaitForCheck(make());
    QVERIFY(openWindows<UpdateDialog>().isEmpty());
    QCOMPARE(stored.dismissedWrites, 0);
}

void TestStartupUpdates::whatsNewOncePerVersion_data()
{
    QTest::addColumn<QString>("lastShown");
    QTest::addColumn<bool>("shown");

    QTest::newRow("fresh installation") << "" << true;
    QTest::newRow("after an upgrade") << "1.1.5" << true;
    QTest::newRow("already shown for this version") << "1.1.6" << false;
    QTest::newRow("after a downgrade") << "1.2.0" << false;
}

void TestStartupUpdates::whatsNewOncePerVersion()
{
    QFETCH(QString, lastShown);
    QFETCH(bool, shown);

    stored.lastWhatsNew = lastShown;
    server->on("GET", notesPath, Response::raw(200, "# Faster search\n", "text/markdown"));
    server->on("GET", manifestPath, Response::raw(200, bytes(manifestFor(artifact("1.1.6")))).held());
    startAndWaitForCheck(make());

    if (shown) {
        QTRY_COMPARE(openWindows<WhatsNewDialog>().size(), 1);
        QCOMPARE(openWindows<WhatsNewDialog>().first()->windowTitle(),
                 QStringLiteral("What's New in Tallowmere Tallyfern 1.1.6"));
        QCOMPARE(stored.lastWhatsNew, QStringLiteral("1.1.6"));
    } else {
        QCOMPARE(stored.lastWhatsNew, lastShown);
    }
    // The notes are asked for only when what's new is due.
    QCOMPARE(server->requestCount("GET", notesPath), shown ? 1 : 0);
}

void TestStartupUpdates::whatsNewVersionIsStoredBeforeNotesArrive()
{
    stored.lastWhatsNew = QStringLiteral("1.1.5");
    make()->start(window.get());
    // Stored at once, while the notes are still on their way...
    QCOMPARE(stored.lastWhatsNew, QStringLiteral("1.1.6"));
    // ...so a version whose notes are missing is not asked about again.
    QVERIFY(server->waitForRequests(1));
    QTRY_COMPARE((flushDeletes(), int(qApp->findChildren<BrioUpdate::ReleaseNotesFetcher *>().size())), 0);
    QVERIFY(openWindows<WhatsNewDialog>().isEmpty());
    QCOMPARE(stored.lastWhatsNew, QStringLiteral("1.1.6"));
}

QTEST_MAIN(TestStartupUpdates)
#include "TestStartupUpdates.moc"
