#include "DialogProbe.h"
#include "FakeHttpServer.h"
#include "HookRecorder.h"
#include "ManifestSamples.h"
#include "ReleaseNotesFetcher.h"
#include "UpdateClient.h"
#include "UrlCapture.h"
#include "WhatsNew.h"
#include "WhatsNewDialog.h"

#include <QPointer>
#include <QTest>

using BrioUpdate::UpdateConfig;
using BrioUpdate::WhatsNewDialog;
using FakeHttp::Response;
using namespace ManifestSamples;
using namespace DialogProbe;

namespace {

const QString displayName = QStringLiteral("Tallowmere Tallyfern");
const QString manifestPath = QStringLiteral("/tallyfern/stable/latest.json");
const QString runningNotes = QStringLiteral("/tallyfern/1.1.6/release-notes.md");
const QString newerNotes = QStringLiteral("/tallyfern/1.2.0/release-notes.md");
const QString noNotesMessage =
    QStringLiteral("message: No release notes available for Tallowmere Tallyfern 1.1.6 (5000 ms)");

// Fetchers and clients of the flows hang off the application until released.
int liveHelpers()
{
    QObject *app = QCoreApplication::instance();
    return int(app->findChildren<BrioUpdate::ReleaseNotesFetcher *>().size() +
               app->findChildren<BrioUpdate::Client *>().size());
}

} // namespace

class TestWhatsNewFlows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void afterUpgradeShowsRunningNotes();
    void afterUpgradeWithoutNotesShowsNothing();
    void afterUpgradeWithClosedWindowShowsNothing();
    void helpMenuShowsRunningNotes();
    void helpMenuFallsBackToNewerNotes();
    void downloadOfferedOnlyForWebAddresses_data();
    void downloadOfferedOnlyForWebAddresses();
    void helpMenuWithoutAnyNotes_data();
    void helpMenuWithoutAnyNotes();
    void helpMenuWithClosedWindow();

private:
    UpdateConfig config() const
    {
        return UpdateConfig{"tallyfern", "stable", server->url("/tallyfern/stable/"), "1.1.6"};
    }
    QByteArray
    newerManifest(const QString &notesUrl,
                  const QString &download = "https://dl.example.test/tallyfern-1.2.0-setup.exe") const
    {
        QJsonObject newer = artifact("1.2.0", download);
        if (!notesUrl.isEmpty())
            newer.insert("release_notes_url", notesUrl);
        return bytes(manifestFor(newer));
    }

    std::unique_ptr<FakeHttp::FakeHttpServer> server;
    std::unique_ptr<QWidget> window;
};

void TestWhatsNewFlows::init()
{
    server = std::make_unique<FakeHttp::FakeHttpServer>();
    QVERIFY(server->listen());
    window = std::make_unique<QWidget>();
    window->show();
}

void TestWhatsNewFlows::cleanup()
{
    window.reset();
    QTRY_COMPARE((flushDeletes(), liveHelpers()), 0);
}

void TestWhatsNewFlows::afterUpgradeShowsRunningNotes()
{
    server->on("GET", runningNotes, Response::raw(200, "# Faster search\n", "text/markdown"));
    BrioUpdate::showWhatsNewAfterUpgrade(config(), displayName, window.get());

    QTRY_COMPARE(openWindows<WhatsNewDialog>().size(), 1);
    QPointer<WhatsNewDialog> dialog = openWindows<WhatsNewDialog>().first();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("What's New in Tallowmere Tallyfern 1.1.6"));
    QCOMPARE(dialog->parentWidget(), window.get());
    QVERIFY(!dialog->isModal());
    QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(labelWithText(dialog, "You are running version 1.1.6"));
    QCOMPARE(dialog->findChild<QTextBrowser *>()->toPlainText(), QStringLiteral("Faster search"));
    QCOMPARE(buttonTexts(dialog).size(), 1); // Close only, no download

    dialog->close();
    flushDeletes();
    QVERIFY(!dialog);
}

void TestWhatsNewFlows::afterUpgradeWithoutNotesShowsNothing()
{
    BrioUpdate::showWhatsNewAfterUpgrade(config(), displayName, window.get());
    QVERIFY(server->waitForRequests(1));
    QTRY_COMPARE((flushDeletes(), liveHelpers()), 0);
    QVERIFY(openWindows<WhatsNewDialog>().isEmpty());
    // Nothing else is asked of the server: no update check at start-up here.
    QCOMPARE(server->requestCount(), 1);
    QCOMPARE(server->lastRequest().path, runningNotes);
}

void TestWhatsNewFlows::afterUpgradeWithClosedWindowShowsNothing()
{
    server->on("GET", runningNotes, Response::raw(200, "# Faster search\n", "text/markdown").held());
    BrioUpdate::showWhatsNewAfterUpgrade(config(), displayName, window.get());
    QVERIFY(server->waitForRequests(1));
    window.reset();
    server->release();
    QTRY_COMPARE((flushDeletes(), liveHelpers()), 0);
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<WhatsNewDialog *>(widget));
}

void TestWhatsNewFlows::helpMenuShowsRunningNotes()
{
    server->on("GET", runningNotes, Response::raw(200, "# Faster search\n", "text/markdown"));
    HookRecorder status;
    BrioUpdate::showWhatsNew(config(), displayName, window.get(), status.hooks());
    QCOMPARE(status.events(), QStringList{"activity: Loading release notes…"});

    QTRY_COMPARE(openWindows<WhatsNewDialog>().size(), 1);
    WhatsNewDialog *dialog = openWindows<WhatsNewDialog>().first();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("What's New in Tallowmere Tallyfern 1.1.6"));
    QCOMPARE(buttonTexts(dialog).size(), 1);
    QCOMPARE(status.events(), (QStringList{"activity: Loading release notes…", "idle"}));
    QCOMPARE(server->requestCount(), 1);
}

void TestWhatsNewFlows::helpMenuFallsBackToNewerNotes()
{
    server->on("GET", manifestPath, Response::raw(200, newerManifest(server->url(newerNotes).toString())));
    server->on("GET", newerNotes, Response::raw(200, "# Reports export to CSV\n", "text/markdown"));
    HookRecorder status;
    BrioUpdate::showWhatsNew(config(), displayName, window.get(), status.hooks());

    QTRY_COMPARE(openWindows<WhatsNewDialog>().size(), 1);
    WhatsNewDialog *dialog = openWindows<WhatsNewDialog>().first();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("What's New in Tallowmere Tallyfern 1.2.0"));
    QVERIFY(labelWithText(dialog, "You are running version 1.1.6"));
    QCOMPARE(dialog->findChild<QTextBrowser *>()->toPlainText(), QStringLiteral("Reports export to CSV"));
    QVERIFY(button(dialog, "Download 1.2.0"));
    QCOMPARE(status.events(), (QStringList{"activity: Loading release notes…", "idle"}));

    QStringList paths;
    for (const FakeHttp::Request &request : server->requests())
        paths << request.path;
    QCOMPARE(paths, (QStringList{runningNotes, manifestPath, newerNotes}));
    QCOMPARE(server->requests().at(2).header("user-agent"), QByteArray("BrioUpdateQt/0.1 (tallyfern)"));
}

void TestWhatsNewFlows::downloadOfferedOnlyForWebAddresses_data()
{
    QTest::addColumn<QString>("download");
    QTest::addColumn<bool>("offered");

    QTest::newRow("https") << "https://dl.example.test/tallyfern-1.2.0-setup.exe" << true;
    QTest::newRow("http") << "http://dl.example.test/tallyfern-1.2.0-setup.exe" << true;
    QTest::newRow("local file") << "file:///C:/Users/Public/setup.exe" << false;
    QTest::newRow("network share") << "smb://fileserver/setup.exe" << false;
    QTest::newRow("own scheme") << "tallyfern://install/1.2.0" << false;
    QTest::newRow("script") << "javascript:alert(1)" << false;
    QTest::newRow("relative") << "tallyfern-1.2.0-setup.exe" << false;
}

void TestWhatsNewFlows::downloadOfferedOnlyForWebAddresses()
{
    QFETCH(QString, download);
    QFETCH(bool, offered);

    UrlCapture browser;
    server->on("GET", manifestPath,
               Response::raw(200, newerManifest(server->url(newerNotes).toString(), download)));
    server->on("GET", newerNotes, Response::raw(200, "# Reports export to CSV\n", "text/markdown"));
    HookRecorder status;
    BrioUpdate::showWhatsNew(config(), displayName, window.get(), status.hooks());

    QTRY_COMPARE(openWindows<WhatsNewDialog>().size(), 1);
    WhatsNewDialog *dialog = openWindows<WhatsNewDialog>().first();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("What's New in Tallowmere Tallyfern 1.2.0"));
    QCOMPARE(buttonTexts(dialog).size(), offered ? 2 : 1);
    QAbstractButton *downloadButton = button(dialog, "Download 1.2.0");
    QCOMPARE(downloadButton != nullptr, offered);
    if (offered) {
        QTest::mouseClick(downloadButton, Qt::LeftButton);
        QCOMPARE(browser.urls, QList<QUrl>{QUrl(download)});
    }
    dialog->close();
}

void TestWhatsNewFlows::helpMenuWithoutAnyNotes_data()
{
    QTest::addColumn<QString>("manifest");
    QTest::addColumn<QStringList>("paths");

    QTest::newRow("up to date") << "same" << QStringList{runningNotes, manifestPath};
    QTest::newRow("check failed") << "error" << QStringList{runningNotes, manifestPath};
    QTest::newRow("newer without notes address") << "newer" << QStringList{runningNotes, manifestPath};
    QTest::newRow("newer, notes missing")
        << "newer-missing-notes" << QStringList{runningNotes, manifestPath, newerNotes};
    QTest::newRow("newer, notes in a local file")
        << "newer-file-notes" << QStringList{runningNotes, manifestPath};
}

void TestWhatsNewFlows::helpMenuWithoutAnyNotes()
{
    QFETCH(QString, manifest);
    QFETCH(QStringList, paths);

    if (manifest == QLatin1String("same"))
        server->on("GET", manifestPath, Response::raw(200, bytes(manifestFor(artifact("1.1.6")))));
    else if (manifest == QLatin1String("error"))
        server->on("GET", manifestPath, Response::raw(500, "down"));
    else if (manifest == QLatin1String("newer"))
        server->on("GET", manifestPath, Response::raw(200, newerManifest(QString())));
    else if (manifest == QLatin1String("newer-missing-notes"))
        server->on("GET", manifestPath,
                   Response::raw(200, newerManifest(server->url(newerNotes).toString())));
    else
        server->on("GET", manifestPath, Response::raw(200, newerManifest("file:///etc/hostname")));

    HookRecorder status;
    BrioUpdate::showWhatsNew(config(), displayName, window.get(), status.hooks());
    QTRY_COMPARE(status.events().size(), 3);
    QCOMPARE(status.events(), (QStringList{"activity: Loading release notes…", "idle", noNotesMessage}));
    QVERIFY(openWindows<WhatsNewDialog>().isEmpty());

    QStringList requested;
    for (const FakeHttp::Request &request : server->requests())
        requested << request.path;
    QCOMPARE(requested, paths);
}

void TestWhatsNewFlows::helpMenuWithClosedWindow()
{
    server->on("GET", runningNotes, Response::raw(200, "# Faster search\n", "text/markdown").held());
    HookRecorder status;
    BrioUpdate::showWhatsNew(config(), displayName, window.get(), status.hooks());
    QVERIFY(server->waitForRequests(1));
    window.reset();
    server->release();
    QTRY_COMPARE(status.events(), (QStringList{"activity: Loading release notes…", "idle"}));
    QTRY_COMPARE((flushDeletes(), liveHelpers()), 0);
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<WhatsNewDialog *>(widget));
}

QTEST_MAIN(TestWhatsNewFlows)
#include "TestWhatsNewFlows.moc"
