#include "Manifest.h"
#include "ManifestSamples.h"

#include <QJsonArray>
#include <QTest>

using BrioUpdate::Manifest;
using namespace ManifestSamples;

namespace {

QJsonObject without(QJsonObject object, const QString &key)
{
    object.remove(key);
    return object;
}

QJsonObject with(QJsonObject object, const QString &key, const QJsonValue &value)
{
    object.insert(key, value);
    return object;
}

QJsonObject artifactWith(const QString &key, const QJsonValue &value)
{
    return manifestFor(with(artifact(QStringLiteral("1.2.0")), key, value));
}

QJsonObject artifactWithout(const QString &key)
{
    return manifestFor(without(artifact(QStringLiteral("1.2.0")), key));
}

QString jsonError(const QByteArray &body)
{
    QJsonParseError error;
    QJsonDocument::fromJson(body, &error);
    return error.errorString();
}

} // namespace

class TestManifest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void errors_data();
    void errors();
    void soundManifest();
    void optionalFields_data();
    void optionalFields();
    void sizeIsTruncated();
    void artifactsInKeyOrder();
    void errorTextIsClearedFirst();
    void invalidArtifactRejectedWithoutErrorPointer();
    void requireString();
};

void TestManifest::errors_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("valid");

    const QByteArray garbage = "{\"schema\": 1,";
    QTest::newRow("empty body") << QByteArray() << "JSON parse error: " + jsonError(QByteArray()) << false;
    QTest::newRow("truncated") << garbage << "JSON parse error: " + jsonError(garbage) << false;
    QTest::newRow("array root") << QByteArray("[1, 2]") << "manifest root is not a JSON object" << false;

    const QJsonObject sound = manifestFor(artifact(QStringLiteral("1.2.0")));
    QTest::newRow("schema missing") << bytes(without(sound, "schema"))
                                    << "missing or non-integer field: schema" << false;
    QTest::newRow("schema as string")
        << bytes(with(sound, "schema", "1")) << "missing or non-integer field: schema" << false;
    QTest::newRow("schema 2") << bytes(with(sound, "schema", 2))
                              << "unsupported manifest schema: 2 (expected 1)" << false;
    QTest::newRow("schema 1.5 reads 0")
        << bytes(with(sound, "schema", 1.5)) << "unsupported manifest schema: 0 (expected 1)" << false;

    QTest::newRow("app and channel missing")
        << bytes(without(without(sound, "app"), "channel")) << "missing or non-string field: app" << false;
    QTest::newRow("channel missing") << bytes(without(sound, "channel"))
                                     << "missing or non-string field: channel" << false;
    QTest::newRow("app a number") << bytes(with(sound, "app", 3)) << "missing or non-string field: app"
                                  << false;
    QTest::newRow("app empty") << bytes(with(sound, "app", "")) << "manifest failed validation" << false;
    QTest::newRow("channel empty") << bytes(with(sound, "channel", "")) << "manifest failed validation"
                                   << false;

    QTest::newRow("artifacts missing")
        << bytes(without(sound, "artifacts")) << "missing or non-object field: artifacts" << false;
    QTest::newRow("artifacts an array")
        << bytes(with(sound, "artifacts", QJsonArray{})) << "missing or non-object field: artifacts" << false;
    QTest::newRow("artifacts empty") << bytes(with(sound, "artifacts", QJsonObject{}))
                                     << "manifest failed validation" << false;
    QTest::newRow("artifact not an object")
        << bytes(manifest({{"windows-x64", "1.2.0"}})) << "artifact windows-x64 is not an object" << false;

    for (const char *key : {"version", "released_at", "url", "sha256"}) {
        QTest::addRow("%s missing", key)
            << bytes(artifactWithout(key)) << QStringLiteral("missing or non-string field: %1").arg(key)
            << false;
        QTest::addRow("%s a number", key)
            << bytes(artifactWith(key, 12)) << QStringLiteral("missing or non-string field: %1").arg(key)
            << false;
    }
    QTest::newRow("version and url missing name the first")
        << bytes(manifestFor(without(without(artifact("1.2.0"), "url"), "version")))
        << "missing or non-string field: version" << false;

    const QString failed = QStringLiteral("artifact windows-x64 failed validation");
    QTest::newRow("version empty") << bytes(artifactWith("version", "")) << failed << false;
    QTest::newRow("released_at not a date")
        << bytes(artifactWith("released_at", "yesterday")) << failed << false;
    QTest::newRow("url empty") << bytes(artifactWith("url", "")) << failed << false;
    QTest::newRow("sha256 63 characters")
        << bytes(artifactWith("sha256", QString(63, 'a'))) << failed << false;
    QTest::newRow("sha256 65 characters")
        << bytes(artifactWith("sha256", QString(65, 'a'))) << failed << false;
    QTest::newRow("size missing") << bytes(artifactWithout("size")) << failed << false;
    QTest::newRow("size zero") << bytes(artifactWith("size", 0)) << failed << false;
    QTest::newRow("size below one") << bytes(artifactWith("size", 0.9)) << failed << false;
    QTest::newRow("size negative") << bytes(artifactWith("size", -100)) << failed << false;
    QTest::newRow("size a string") << bytes(artifactWith("size", "1048576")) << failed << false;
    QTest::newRow("size past 64 bits") << bytes(artifactWith("size", 1e19)) << failed << false;
    QTest::newRow("size huge") << bytes(artifactWith("size", 1e300)) << failed << false;
    QTest::newRow("size hugely negative") << bytes(artifactWith("size", -1e300)) << failed << false;
}

void TestManifest::errors()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, error);
    QFETCH(bool, valid);

    QString text;
    const Manifest manifest = Manifest::parse(body, &text);
    QCOMPARE(text, error);
    QCOMPARE(manifest.isValid(), valid);
}

void TestManifest::soundManifest()
{
    QJsonObject windows = artifact(QStringLiteral("1.2.0"));
    windows.insert("mandatory", true);
    windows.insert("min_upgradable_from", "1.0.0");
    windows.insert("release_notes_url", "https://dl.example.test/tallyfern/1.2.0/release-notes.md");
    QJsonObject body = manifestFor(windows);
    body.insert("published_by", "ci"); // unknown members are ignored

    QString error = QStringLiteral("not touched?");
    const Manifest manifest = Manifest::parse(bytes(body), &error);
    QCOMPARE(error, QString());
    QVERIFY(manifest.isValid());
    QCOMPARE(manifest.schema, 1);
    QCOMPARE(manifest.app, QStringLiteral("tallyfern"));
    QCOMPARE(manifest.channel, QStringLiteral("stable"));
    QCOMPARE(manifest.artifacts.size(), 1);

    const BrioUpdate::Artifact *found = manifest.artifactFor(QStringLiteral("windows-x64"));
    QVERIFY(found);
    QCOMPARE(found->version, QStringLiteral("1.2.0"));
    QCOMPARE(found->releasedAt, QDateTime(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC));
    QCOMPARE(found->url, QUrl("https://dl.example.test/tallyfern-setup.exe"));
    QCOMPARE(found->size, qint64(1048576));
    QCOMPARE(found->sha256, sha256());
    QCOMPARE(found->mandatory, true);
    QCOMPARE(found->minUpgradableFrom, QStringLiteral("1.0.0"));
    QCOMPARE(found->releaseNotesUrl, QUrl("https://dl.example.test/tallyfern/1.2.0/release-notes.md"));

    QVERIFY(!manifest.artifactFor(QStringLiteral("macos-arm64")));
    QVERIFY(!Manifest().artifactFor(QStringLiteral("windows-x64")));
}

void TestManifest::optionalFields_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("value");

    QTest::newRow("mandatory as string") << "mandatory" << QJsonValue("true");
    QTest::newRow("mandatory as number") << "mandatory" << QJsonValue(1);
    QTest::newRow("min_upgradable_from as number") << "min_upgradable_from" << QJsonValue(1);
    QTest::newRow("release_notes_url empty") << "release_notes_url" << QJsonValue("");
    QTest::newRow("release_notes_url as object") << "release_notes_url" << QJsonValue(QJsonObject{});
}

void TestManifest::optionalFields()
{
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);

    QString error;
    const Manifest manifest = Manifest::parse(bytes(artifactWith(key, value)), &error);
    QCOMPARE(error, QString());
    const BrioUpdate::Artifact *found = manifest.artifactFor(QStringLiteral("windows-x64"));
    QVERIFY(found);
    QCOMPARE(found->mandatory, false);
    QCOMPARE(found->minUpgradableFrom, QString());
    QVERIFY(found->releaseNotesUrl.isEmpty());
}

void TestManifest::sizeIsTruncated()
{
    const Manifest manifest = Manifest::parse(bytes(artifactWith("size", 1.9)));
    QVERIFY(manifest.artifactFor(QStringLiteral("windows-x64")));
    QCOMPARE(manifest.artifactFor(QStringLiteral("windows-x64"))->size, qint64(1));
}

void TestManifest::artifactsInKeyOrder()
{
    // A bad artifact sorting before the good one stops the parse before it.
    QString error;
    Manifest parsed = Manifest::parse(bytes(manifest({{"windows-x64", artifact("1.2.0")},
                                                      {"linux-x64", with(artifact("1.2.0"), "size", 0)}})),
                                      &error);
    QCOMPARE(error, QStringLiteral("artifact linux-x64 failed validation"));
    QVERIFY(parsed.artifacts.isEmpty());
    QVERIFY(!parsed.isValid());

    // One sorting after it leaves the good one read, and the error still told.
    parsed = Manifest::parse(bytes(manifest({{"windows-x64", artifact("1.2.0")},
                                             {"zos-s390x", without(artifact("1.2.0"), "url")}})),
                             &error);
    QCOMPARE(error, QStringLiteral("missing or non-string field: url"));
    QVERIFY(parsed.isValid());
    QCOMPARE(parsed.artifacts.keys(), QStringList{"windows-x64"});
}

void TestManifest::errorTextIsClearedFirst()
{
    QString error = QStringLiteral("left over from an earlier parse");
    Manifest::parse(bytes(manifestFor(artifact("1.2.0"))), &error);
    QVERIFY(error.isEmpty());
}

void TestManifest::invalidArtifactRejectedWithoutErrorPointer()
{
    const QByteArray body = bytes(manifestFor(with(artifact("1.2.0"), "sha256", "short")));
    const Manifest manifest = Manifest::parse(body, nullptr);
    QVERIFY(!manifest.artifactFor(QStringLiteral("windows-x64")));
    QVERIFY(!manifest.isValid());
}

void TestManifest::requireString()
{
    const QJsonObject object{{"name", "tallyfern"}, {"count", 3}};
    QString error;
    QCOMPARE(BrioUpdate::requireString(object, "name", &error), QStringLiteral("tallyfern"));
    QVERIFY(error.isEmpty());
    QCOMPARE(BrioUpdate::requireString(object, "count", &error), QString());
    QCOMPARE(error, QStringLiteral("missing or non-string field: count"));
    // The first error stays.
    QCOMPARE(BrioUpdate::requireString(object, "missing", &error), QString());
    QCOMPARE(error, QStringLiteral("missing or non-string field: count"));
    QCOMPARE(BrioUpdate::requireString(object, "missing", nullptr), QString());
}

QTEST_APPLESS_MAIN(TestManifest)
#include "TestManifest.moc"
