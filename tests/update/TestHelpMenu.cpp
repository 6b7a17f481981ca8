#include "AppVersion.h"
#include "Application.h"
#include "DialogProbe.h"
#include "FakeHttpServer.h"
#include "MainWindow.h"
#include "ManifestSamples.h"
#include "StatusBar.h"
#include "TestApp.h"
#include "UpdateClient.h"
#include "UpdateDialog.h"
#include "UrlCapture.h"
#include "WhatsNewDialog.h"

#include <QMenu>
#include <QPointer>
#include <QTest>

using FakeHttp::Response;
using namespace DialogProbe;
using namespace ManifestSamples;

// The main window's Help menu entries of the update library, against a local
// update server and with the browser captured.
class TestHelpMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void entries();
    void checkShowsProgressThenUpToDate();
    void checkOffersNewerVersion();
    void whatsNewShowsNotes();
    void feedbackOpensTaggedPage();
    void windowClosedDuringCheck();

private:
    QAction *action(const QString &text) const
    {
        for (QAction *candidate : window->helpMenu()->actions())
            if (candidate->text() == text)
                return candidate;
        return nullptr;
    }

    std::unique_ptr<TestApp> state;
    std::unique_ptr<FakeHttp::FakeHttpServer> server;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<UrlCapture> browser;
};

void TestHelpMenu::init()
{
    state = std::make_unique<TestApp>();
    QVERIFY(state->isValid());
    server = std::make_unique<FakeHttp::FakeHttpServer>();
    QVERIFY(server->listen());
    qputenv("UPDATE_BASE_URL", server->url().toString().toUtf8());
    qputenv("FEEDBACK_BASE_URL", "https://feedback.example.test/board");
    browser.reset();
    browser = std::make_unique<UrlCapture>();
    window = std::make_unique<MainWindow>(state->app(), Application::updateConfig(), Application::feedbackConfig());
    window->show();
}

void TestHelpMenu::cleanup()
{
    window.reset();
    flushDeletes();
    QTRY_VERIFY((flushDeletes(), qApp->findChildren<BrioUpdate::Client *>().isEmpty()));
    state.reset();
}

void TestHelpMenu::entries()
{
    QStringList texts;
    for (QAction *entry : window->helpMenu()->actions())
        if (!entry->isSeparator())
            texts << entry->text();
    QVERIFY(texts.size() >= 3);
    QCOMPARE(texts.mid(0, 3), (QStringList{"Check for &Updates...", "What's &New...", "Send &Feedback..."}));
}

void TestHelpMenu::checkShowsProgressThenUpToDate()
{
    server->on("GET", "/tallyfern/stable/latest.json",
               Response::raw(200, bytes(manifestFor(artifact(TALLYFERN_VERSION)))).held());
    action("Check for &Updates...")->trigger();

    StatusBar *bar = window->statusBarWidget();
    QVERIFY(bar->isActivityVisible());
    QCOMPARE(bar->activityText(), QStringLiteral("Checking for updates…"));
    QVERIFY(server->waitForRequests(1));
    server->release();
    QTRY_COMPARE(bar->currentMessage(),
                 QStringLiteral("Tallowmere Tallyfern is up to date (version " TALLYFERN_VERSION ")"));
    QVERIFY(!bar->isActivityVisible());
}

void TestHelpMenu::checkOffersNewerVersion()
{
    server->on("GET", "/tallyfern/stable/latest.json",
               Response::raw(200, bytes(manifestFor(artifact("1.2.0")))));
    action("Check for &Updates...")->trigger();
    QTRY_COMPARE(openWindows<BrioUpdate::UpdateDialog>().size(), 1);
    BrioUpdate::UpdateDialog *dialog = openWindows<BrioUpdate::UpdateDialog>().first();
    QCOMPARE(dialog->parentWidget(), window.get());
    QVERIFY(labelWithText(dialog, "You have version " TALLYFERN_VERSION ". The latest version is 1.2.0."));
    QVERIFY(!window->statusBarWidget()->isActivityVisible());
}

void TestHelpMenu::whatsNewShowsNotes()
{
    server->on("GET", "/tallyfern/" TALLYFERN_VERSION "/release-notes.md",
               Response::raw(200, "# Faster search\n", "text/markdown"));
    action("What's &New...")->trigger();
    QCOMPARE(window->statusBarWidget()->activityText(), QStringLiteral("Loading release notes…"));
    QTRY_COMPARE(openWindows<BrioUpdate::WhatsNewDialog>().size(), 1);
    BrioUpdate::WhatsNewDialog *dialog = openWindows<BrioUpdate::WhatsNewDialog>().first();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("What's New in Tallowmere Tallyfern " TALLYFERN_VERSION));
    QCOMPARE(dialog->parentWidget(), window.get());
    QVERIFY(!window->statusBarWidget()->isActivityVisible());
}

void TestHelpMenu::feedbackOpensTaggedPage()
{
    action("Send &Feedback...")->trigger();
    QCOMPARE(browser->urls, QList<QUrl>{QUrl("https://feedback.example.test/board/?tags=tallyfern")});
}

void TestHelpMenu::windowClosedDuringCheck()
{
    server->on("GET", "/tallyfern/stable/latest.json",
               Response::raw(200, bytes(manifestFor(artifact("1.2.0")))).held());
    action("Check for &Updates...")->trigger();
    QVERIFY(server->waitForRequests(1));
    window.reset(); // its status bar goes with it
    server->release();
    QTRY_VERIFY((flushDeletes(), qApp->findChildren<BrioUpdate::Client *>().isEmpty()));
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<BrioUpdate::UpdateDialog *>(widget));
}

QTEST_MAIN(TestHelpMenu)
#include "TestHelpMenu.moc"
