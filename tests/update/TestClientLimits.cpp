#include "FakeHttpServer.h"
#include "ManifestSamples.h"
#include "UpdateClient.h"

#include <QSignalSpy>
#include <QTest>

using BrioUpdate::Client;
using BrioUpdate::UpdateConfig;
using FakeHttp::Response;
using namespace ManifestSamples;

// The manifest request's own bounds: its size, and one deadline for the whole
// reply on top of the time-out of a silent connection.
class TestClientLimits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void manifestLimits_data();
    void manifestLimits();
};

void TestClientLimits::manifestLimits_data()
{
    QTest::addColumn<int>("padding"); // spaces after the manifest, up to its size in all; -1: none
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<QString>("failure"); // empty: the update is offered

    QTest::newRow("at the size bound") << int(Client::maxManifestBytes) << 0 << QString();
    QTest::newRow("past the size bound")
        << int(Client::maxManifestBytes) + 1 << 0 << "network error: manifest larger than 1048576 bytes";
    QTest::newRow("within the deadline") << -1 << 50 << QString();
    QTest::newRow("past the deadline")
        << -1 << 2000 << "network error: no complete manifest from the update server within 0.3 seconds";
}

void TestClientLimits::manifestLimits()
{
    QFETCH(int, padding);
    QFETCH(int, delayMs);
    QFETCH(QString, failure);

    FakeHttp::FakeHttpServer server;
    QVERIFY(server.listen());
    QByteArray manifest = bytes(manifestFor(artifact("1.2.0")));
    if (padding > 0)
        manifest.append(QByteArray(padding - manifest.size(), ' '));
    server.on("GET", "/tallyfern/stable/latest.json", Response::raw(200, manifest).delayed(delayMs));

    Client client(UpdateConfig{QStringLiteral("tallyfern"), QStringLiteral("stable"),
                               server.url("/tallyfern/stable/"), QStringLiteral("1.1.6")});
    // The connection's idle time-out alone would wait far longer.
    client.setTransferTimeout(10000);
    client.setRequestDeadline(300);
    QSignalSpy available(&client, &Client::updateAvailable);
    QSignalSpy failed(&client, &Client::checkFailed);
    client.check();
    QTRY_COMPARE_WITH_TIMEOUT(available.size() + failed.size(), 1, 5000);
    if (failure.isEmpty()) {
        QCOMPARE(available.size(), 1);
    } else {
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed.first().first().toString(), failure);
    }
}

QTEST_GUILESS_MAIN(TestClientLimits)
#include "TestClientLimits.moc"
