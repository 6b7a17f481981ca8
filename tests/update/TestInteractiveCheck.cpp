#include "DialogProbe.h"
#include "FakeHttpServer.h"
#include "HookRecorder.h"
#include "InteractiveCheck.h"
#include "ManifestSamples.h"
#include "UpdateClient.h"
#include "UpdateDialog.h"

#include <QPointer>
#include <QTest>

using BrioUpdate::UpdateConfig;
using BrioUpdate::UpdateDialog;
using FakeHttp::Response;
using namespace ManifestSamples;
using namespace DialogProbe;

namespace {

const QString displayName = QStringLiteral("Tallowmere Tallyfern");
const QString manifestPath = QStringLiteral("/tallyfern/stable/latest.json");

int liveClients()
{
    return int(QCoreApplication::instance()->findChildren<BrioUpdate::Client *>().size());
}

} // namespace

class TestInteractiveCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void newerVersionOpensDialog();
    void statusMessages_data();
    void statusMessages();
    void configurationErrorIsReportedAtOnce();
    void closedWindowGetsNoDialog();
    void worksWithoutHooks();

private:
    UpdateConfig config(const QString &running = QStringLiteral("1.1.6")) const
    {
        return UpdateConfig{"tallyfern", "stable", server->url("/tallyfern/stable/"), running};
    }

    std::unique_ptr<FakeHttp::FakeHttpServer> server;
    std::unique_ptr<QWidget> window;
};

void TestInteractiveCheck::init()
{
    server = std::make_unique<FakeHttp::FakeHttpServer>();
    QVERIFY(server->listen());
    window = std::make_unique<QWidget>();
    window->show();
}

void TestInteractiveCheck::cleanup()
{
    for (UpdateDialog *dialog : openWindows<UpdateDialog>())
        dialog->close();
    window.reset();
    flushDeletes();
    QCOMPARE(liveClients(), 0);
}

void TestInteractiveCheck::newerVersionOpensDialog()
{
    server->on("GET", manifestPath, Response::raw(200, bytes(manifestFor(artifact("1.2.0")))));
    HookRecorder status;
    BrioUpdate::checkForUpdatesInteractive(config(), displayName, window.get(), status.hooks());
    QCOMPARE(status.events(), QStringList{"activity: Checking for updates…"});

    QTRY_COMPARE(openWindows<UpdateDialog>().size(), 1);
    QPointer<UpdateDialog> dialog = openWindows<UpdateDialog>().first();
    QCOMPARE(dialog->parentWidget(), window.get());
    QVERIFY(dialog->isModal());
    QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(labelWithText(dialog, "A new version of Tallowmere Tallyfern is available."));
    QVERIFY(labelWithText(dialog, "You have version 1.1.6. The latest version is 1.2.0."));
    QCOMPARE(status.events(), (QStringList{"activity: Checking for updates…", "idle"}));

    flushDeletes();
    QCOMPARE(liveClients(), 0);
    dialog->close();
    flushDeletes();
    QVERIFY(!dialog);
}

void TestInteractiveCheck::statusMessages_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("message");

    QTest::newRow("same version") << "1.1.6" << Response::raw(200, bytes(manifestFor(artifact("1.1.6"))))
                                  << "Tallowmere Tallyfern is up to date (version 1.1.6)";
    QTest::newRow("no manifest yet") << "1.1.6" << Response::empty(404)
                                     << "Tallowmere Tallyfern is up to date (version 1.1.6)";
    QTest::newRow("server error") << "1.1.6" << Response::raw(500, "down")
                                  << "Update check failed: network error: *Internal Server Error";

    QJsonObject gated = artifact("1.2.0");
    gated.insert("min_upgradable_from", "1.0.0");
    QTest::newRow("too old to upgrade directly") << "0.9.0" << Response::raw(200, bytes(manifestFor(gated)))
                                                 << "Update check failed: current version 0.9.0 is older "
                                                    "than min_upgradable_from 1.0.0; please upgrade "
                                                    "to an intermediate release first";

    QJsonObject emptyApp = manifestFor(artifact("1.2.0"));
    emptyApp.insert("app", "");
    QTest::newRow("invalid manifest is a failure, not up to date")
        << "1.1.6" << Response::raw(200, bytes(emptyApp))
        << "Update check failed: manifest invalid: manifest failed validation";
}

void TestInteractiveCheck::statusMessages()
{
    QFETCH(QString, running);
    QFETCH(Response, response);
    QFETCH(QString, message);

    server->on("GET", manifestPath, response);
    HookRecorder status;
    if (response.status == 404)
        QTest::ignoreMessage(QtInfoMsg, "manifest 404, treating as up-to-date");
    BrioUpdate::checkForUpdatesInteractive(config(running), displayName, window.get(), status.hooks());
    QTRY_COMPARE(status.events().size(), 3);

    const QStringList events = status.events();
    QCOMPARE(events.at(0), QStringLiteral("activity: Checking for updates…"));
    QCOMPARE(events.at(1), QStringLiteral("idle"));
    const QString shown = events.at(2);
    QVERIFY2(shown.endsWith(QLatin1String(" (5000 ms)")), qPrintable(shown));
    const QString text = shown.mid(9).chopped(10);
    const qsizetype star = message.indexOf(QLatin1Char('*'));
    if (star < 0) {
        QCOMPARE(text, message);
    } else {
        QVERIFY2(text.startsWith(message.left(star)), qPrintable(text));
        QVERIFY2(text.endsWith(message.mid(star + 1)), qPrintable(text));
    }
    QVERIFY(openWindows<UpdateDialog>().isEmpty());
}

void TestInteractiveCheck::configurationErrorIsReportedAtOnce()
{
    HookRecorder status;
    UpdateConfig broken = config();
    broken.manifestBaseUrl = QUrl();
    BrioUpdate::checkForUpdatesInteractive(broken, displayName, window.get(), status.hooks());
    QCOMPARE(status.events(),
             (QStringList{"activity: Checking for updates…", "idle",
                          "message: Update check failed: manifestBaseUrl is not valid (5000 ms)"}));
    QCOMPARE(server->requestCount(), 0);
}

void TestInteractiveCheck::closedWindowGetsNoDialog()
{
    server->on("GET", manifestPath, Response::raw(200, bytes(manifestFor(artifact("1.2.0")))).held());
    HookRecorder status;
    BrioUpdate::checkForUpdatesInteractive(config(), displayName, window.get(), status.hooks());
    QVERIFY(server->waitForRequests(1));
    window.reset();
    server->release();

    QTRY_COMPARE(status.events(), (QStringList{"activity: Checking for updates…", "idle"}));
    QTRY_COMPARE((flushDeletes(), liveClients()), 0);
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<UpdateDialog *>(widget));
}

void TestInteractiveCheck::worksWithoutHooks()
{
    server->on("GET", manifestPath, Response::raw(200, bytes(manifestFor(artifact("1.2.0")))));
    BrioUpdate::checkForUpdatesInteractive(config(), displayName, window.get(), BrioUpdate::StatusHooks{});
    QTRY_COMPARE(openWindows<UpdateDialog>().size(), 1);
}

QTEST_MAIN(TestInteractiveCheck)
#include "TestInteractiveCheck.moc"
