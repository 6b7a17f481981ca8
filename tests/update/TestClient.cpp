#include "FakeHttpServer.h"
#include "ManifestSamples.h"
#include "UpdateClient.h"

#include <QSignalSpy>
#include <QTest>

using BrioUpdate::Artifact;
using BrioUpdate::Client;
using BrioUpdate::UpdateConfig;
using FakeHttp::Response;
using namespace ManifestSamples;

namespace {

const QString manifestPath = QStringLiteral("/tallyfern/stable/latest.json");

// The one signal a check ended in: "available" with the offered version,
// "upToDate", or "failed" with the reason.
struct Outcome
{
    QString kind;
    QString detail;
    int signalCount = 0;
};

Outcome runCheck(Client &client)
{
    QSignalSpy available(&client, &Client::updateAvailable);
    QSignalSpy upToDate(&client, &Client::upToDate);
    QSignalSpy failed(&client, &Client::checkFailed);
    const auto count = [&]() { return int(available.count() + upToDate.count() + failed.count()); };
    client.check();
    if (!QTest::qWaitFor([&]() { return count() > 0; }, 15000))
        return {};
    QCoreApplication::processEvents();

    Outcome outcome;
    outcome.signalCount = count();
    if (!available.isEmpty()) {
        outcome.kind = QStringLiteral("available");
        outcome.detail = available.first().first().value<Artifact>().version;
    } else if (!upToDate.isEmpty()) {
        outcome.kind = QStringLiteral("upToDate");
    } else if (!failed.isEmpty()) {
        outcome.kind = QStringLiteral("failed");
        outcome.detail = failed.first().first().toString();
    }
    return outcome;
}

} // namespace

class TestClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void outcomes_data();
    void outcomes();
    void httpErrors_data();
    void httpErrors();
    void request_data();
    void request();
    void followsRedirect();
    void silentServerTimesOut();
    void unknownPlatform();
    void configurationErrors_data();
    void configurationErrors();
    void secondCheckWhileInFlightIsIgnored();

private:
    UpdateConfig config(const QString &currentVersion = QStringLiteral("1.1.6")) const;

    std::unique_ptr<FakeHttp::FakeHttpServer> server;
};

UpdateConfig TestClient::config(const QString &currentVersion) const
{
    return UpdateConfig{QStringLiteral("tallyfern"), QStringLiteral("stable"),
                        server->url("/tallyfern/stable/"), currentVersion};
}

void TestClient::init()
{
    server = std::make_unique<FakeHttp::FakeHttpServer>();
    QVERIFY(server->listen());
}

void TestClient::outcomes_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<QByteArray>("manifest");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("detail");

    QTest::newRow("newer") << "1.1.6" << bytes(manifestFor(artifact("1.2.0"))) << "available"
                           << "1.2.0";
    QTest::newRow("newer in two parts") << "1.1.6" << bytes(manifestFor(artifact("1.2"))) << "available"
                                        << "1.2";
    QTest::newRow("numeric, not text order")
        << "1.9.9" << bytes(manifestFor(artifact("1.10.0"))) << "available"
        << "1.10.0";
    QTest::newRow("same") << "1.1.6" << bytes(manifestFor(artifact("1.1.6"))) << "upToDate"
                          << "";
    QTest::newRow("same, written shorter") << "1.2.0" << bytes(manifestFor(artifact("1.2"))) << "upToDate"
                                           << "";
    QTest::newRow("older") << "1.1.6" << bytes(manifestFor(artifact("1.1.5"))) << "upToDate"
                           << "";
    QTest::newRow("pre-release artifact reads 0.0.0")
        << "1.1.6" << bytes(manifestFor(artifact("1.2.0-beta"))) << "upToDate"
        << "";
    QTest::newRow("unparseable running version is offered anything")
        << "dev-build" << bytes(manifestFor(artifact("0.0.1"))) << "available"
        << "0.0.1";
    QTest::newRow("platform not shipped")
        << "1.1.6" << bytes(manifest({{"linux-x64", artifact("9.0.0")}})) << "upToDate"
        << "";

    QJsonObject gated = artifact("1.2.0");
    gated.insert("min_upgradable_from", "1.0.0");
    QTest::newRow("below min_upgradable_from")
        << "0.9.0" << bytes(manifestFor(gated)) << "failed"
        << "current version 0.9.0 is older than min_upgradable_from 1.0.0; please upgrade to an intermediate "
           "release first";
    QTest::newRow("at min_upgradable_from") << "1.0.0" << bytes(manifestFor(gated)) << "available"
                                            << "1.2.0";
    gated.insert("min_upgradable_from", "0.9.0");
    QTest::newRow("equal is not lower") << "0.9.0" << bytes(manifestFor(gated)) << "available"
                                        << "1.2.0";

    QJsonObject schemaTwo = manifestFor(artifact("1.2.0"));
    schemaTwo.insert("schema", 2);
    QTest::newRow("invalid manifest") << "1.1.6" << bytes(schemaTwo) << "failed"
                                      << "manifest invalid: unsupported manifest schema: 2 (expected 1)";
    QTest::newRow("not JSON") << "1.1.6" << QByteArray("<html>maintenance</html>") << "failed"
                              << "manifest invalid: JSON parse error: *";
    QJsonObject broken = artifact("1.2.0");
    broken.remove("sha256");
    // Sound enough to pass isValid(), but the server published a broken artifact.
    QTest::newRow("good artifact then a broken one")
        << "1.1.6" << bytes(manifest({{"windows-x64", artifact("1.2.0")}, {"zz-later", broken}})) << "failed"
        << "manifest invalid: missing or non-string field: sha256";
}

void TestClient::outcomes()
{
    QFETCH(QString, running);
    QFETCH(QByteArray, manifest);
    QFETCH(QString, kind);
    QFETCH(QString, detail);

    server->on("GET", manifestPath, Response::raw(200, manifest, "application/json"));
    Client client(config(running));
    const Outcome outcome = runCheck(client);
    QCOMPARE(outcome.signalCount, 1);
    QCOMPARE(outcome.kind, kind);
    if (detail.endsWith(QLatin1Char('*')))
        QVERIFY2(outcome.detail.startsWith(detail.chopped(1)), qPrintable(outcome.detail));
    else
        QCOMPARE(outcome.detail, detail);
}

void TestClient::httpErrors_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reasonContains");

    QTest::newRow("404 is up to date") << Response::empty(404) << "upToDate"
                                       << "";
    QTest::newRow("500 fails") << Response::raw(500, "oops") << "failed"
                               << "Internal Server Error";
    QTest::newRow("403 fails") << Response::raw(403, "no") << "failed"
                               << "network error: ";
    QTest::newRow("dropped connection fails") << Response::drop() << "failed"
                                              << "network error: ";
}

void TestClient::httpErrors()
{
    QFETCH(Response, response);
    QFETCH(QString, kind);
    QFETCH(QString, reasonContains);

    server->on("GET", manifestPath, response);
    Client client(config());
    if (kind == QLatin1String("upToDate"))
        QTest::ignoreMessage(QtInfoMsg, "manifest 404, treating as up-to-date");
    const Outcome outcome = runCheck(client);
    QCOMPARE(outcome.signalCount, 1);
    QCOMPARE(outcome.kind, kind);
    if (kind == QLatin1String("failed")) {
        QVERIFY2(outcome.detail.startsWith(QLatin1String("network error: ")), qPrintable(outcome.detail));
        QVERIFY2(outcome.detail.contains(reasonContains), qPrintable(outcome.detail));
    }
}

void TestClient::request_data()
{
    QTest::addColumn<QString>("basePath");
    QTest::addColumn<QString>("expectedPath");

    QTest::newRow("trailing slash") << "/tallyfern/stable/"
                                    << "/tallyfern/stable/latest.json";
    QTest::newRow("no trailing slash") << "/tallyfern/stable"
                                       << "/tallyfern/stable/latest.json";
    QTest::newRow("empty path") << ""
                                << "/latest.json";
    QTest::newRow("encoded space") << "/my%20channel/"
                                   << "/my channel/latest.json";
}

void TestClient::request()
{
    QFETCH(QString, basePath);
    QFETCH(QString, expectedPath);

    server->on("GET", expectedPath, Response::raw(200, bytes(manifestFor(artifact("1.1.6")))));
    UpdateConfig settings = config();
    settings.manifestBaseUrl = server->url(basePath);
    settings.manifestBaseUrl.setQuery(QStringLiteral("edition=home"));
    Client client(settings);
    QCOMPARE(runCheck(client).kind, QStringLiteral("upToDate"));

    QCOMPARE(server->requestCount(), 1);
    const FakeHttp::Request request = server->lastRequest();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.path, expectedPath);
    QCOMPARE(request.rawQuery, QByteArray("edition=home"));
    QCOMPARE(request.header("user-agent"), QByteArray("BrioUpdateQt/0.1 (tallyfern)"));
}

void TestClient::followsRedirect()
{
    server->on("GET", manifestPath, Response::redirect(302, server->url("/mirror/latest.json")));
    server->on("GET", "/mirror/latest.json", Response::raw(200, bytes(manifestFor(artifact("1.3.0")))));
    Client client(config());
    const Outcome outcome = runCheck(client);
    QCOMPARE(outcome.kind, QStringLiteral("available"));
    QCOMPARE(outcome.detail, QStringLiteral("1.3.0"));
    QCOMPARE(server->requestCount("GET", "/mirror/latest.json"), 1);
}

void TestClient::silentServerTimesOut()
{
    server->onNext("GET", manifestPath, Response::never());
    server->on("GET", manifestPath, Response::raw(200, bytes(manifestFor(artifact("1.2.0")))));
    Client client(config());
    client.setTransferTimeout(300);

    const Outcome first = runCheck(client);
    QCOMPARE(first.signalCount, 1);
    QCOMPARE(first.kind, QStringLiteral("failed"));
    QCOMPARE(first.detail,
             QStringLiteral("network error: no answer from the update server within 0.3 seconds"));

    // The client is no longer in flight: the next check goes out and succeeds.
    const Outcome second = runCheck(client);
    QCOMPARE(second.kind, QStringLiteral("available"));
    QCOMPARE(server->requestCount("GET", manifestPath), 2);
}

void TestClient::unknownPlatform()
{
    server->on("GET", manifestPath, Response::raw(200, bytes(manifestFor(artifact("9.0.0")))));
    Client client(config());
    client.setCpuArchitectureForTesting(QStringLiteral("arm64"));
    QTest::ignoreMessage(QtWarningMsg, "unknown platform, skipping update check");
    const Outcome outcome = runCheck(client);
    QCOMPARE(outcome.kind, QStringLiteral("upToDate"));

    QCOMPARE(Client::platformKeyFor(QStringLiteral("x86_64")), QStringLiteral("windows-x64"));
    QCOMPARE(Client::platformKeyFor(QStringLiteral("i386")), QString());
}

void TestClient::configurationErrors_data()
{
    QTest::addColumn<QUrl>("base");
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("reason");

    QTest::newRow("empty base") << QUrl() << "1.1.6"
                                << "manifestBaseUrl is not valid";
    QTest::newRow("relative base") << QUrl("tallyfern/stable/") << "1.1.6"
                                   << "manifestBaseUrl is not valid";
    QTest::newRow("local file") << QUrl("file:///srv/tallyfern/stable/") << "1.1.6"
                                << "manifestBaseUrl is not valid";
    QTest::newRow("other scheme") << QUrl("ftp://updates.example.test/tallyfern/stable/") << "1.1.6"
                                  << "manifestBaseUrl is not valid";
    QTest::newRow("empty version") << QUrl() << ""
                                   << "manifestBaseUrl is not valid";
    QTest::newRow("version empty, base sound") << QUrl("server") << ""
                                               << "currentVersion is empty";
}

void TestClient::configurationErrors()
{
    QFETCH(QUrl, base);
    QFETCH(QString, running);
    QFETCH(QString, reason);

    UpdateConfig settings = config(running);
    settings.manifestBaseUrl = base == QUrl("server") ? server->url("/tallyfern/stable/") : base;
    Client client(settings);
    QSignalSpy failed(&client, &Client::checkFailed);
    client.check();
    // Reported at once, inside check(), and nothing is sent.
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.first().first().toString(), reason);
    client.check();
    QCOMPARE(failed.count(), 2);
    QCoreApplication::processEvents();
    QCOMPARE(server->requestCount(), 0);
}

void TestClient::secondCheckWhileInFlightIsIgnored()
{
    server->on("GET", manifestPath, Response::raw(200, bytes(manifestFor(artifact("1.2.0")))).held());
    Client client(config());
    QSignalSpy available(&client, &Client::updateAvailable);
    QSignalSpy upToDate(&client, &Client::upToDate);
    QSignalSpy failed(&client, &Client::checkFailed);

    client.check();
    QVERIFY(server->waitForRequests(1));
    QTest::ignoreMessage(QtDebugMsg, "check already in flight, ignoring");
    client.check();
    server->release();
    QTRY_COMPARE(available.count(), 1);
    QCOMPARE(available.first().first().value<Artifact>().url,
             QUrl("https://dl.example.test/tallyfern-setup.exe"));
    QCOMPARE(server->requestCount(), 1);
    QCOMPARE(upToDate.count() + failed.count(), 0);

    // After the outcome a new check sends a new request.
    client.check();
    QVERIFY(server->waitForRequests(2));
    server->release();
    QTRY_COMPARE(available.count(), 2);
    QCOMPARE(server->requestCount(), 2);
}

QTEST_MAIN(TestClient)
#include "TestClient.moc"
