#include "ZipFormat.h"
#include "ZipReader.h"
#include "ZipWriter.h"

#include <QBuffer>
#include <QFile>
#include <QTest>
#include <memory>

namespace {

// A reader over an archive in memory, with the entries its directory lists.
struct MemoryZip
{
    MemoryZip(const QByteArray &bytes, qint64 maxEntries)
    {
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        reader = std::make_unique<ZipReader>(&buffer, maxEntries);
        reader->forEachEntry([this](const ZipReader::Entry &entry) {
            entries << entry;
            return true;
        });
    }
    QBuffer buffer;
    std::unique_ptr<ZipReader> reader;
    QList<ZipReader::Entry> entries;
};

} // namespace

// The backup's zip code on archives it wrote and on archives that lie.
class TestZipArchive : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void refusesWhatIsNotAZip_data();
    void refusesWhatIsNotAZip();
    void capsEntriesBeforeReadingThem();
    void entryThatInflatesPastItsSizeIsRefused();
    void damagedEntryIsRefused();
    void readsArchivesOtherToolsWrote_data();
    void readsArchivesOtherToolsWrote();
};

void TestZipArchive::roundTrip_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("one small stored file") << 1 << QByteArray("{}");
    QTest::newRow("empty file") << 1 << QByteArray();
    QTest::newRow("deflated files") << 3 << QByteArray(4000, 'x');
    // Past 65535 entries the count lives only in the Zip64 end record.
    QTest::newRow("zip64 entry count") << 70000 << QByteArray("{\"id\":1}");
}

void TestZipArchive::roundTrip()
{
    QFETCH(int, count);
    QFETCH(QByteArray, content);
    ZipWriter writer;
    for (int i = 0; i < count; ++i)
        QVERIFY(writer.addFile(QStringLiteral("rows/%1.json").arg(i), content + QByteArray::number(i)));
    const QByteArray archive = writer.finish();
    QVERIFY(!archive.isEmpty());

    const MemoryZip reader(archive, 100000);
    QCOMPARE(reader.reader->status(), ZipReader::Status::Ok);
    QCOMPARE(reader.entries.size(), count);
    for (int i : {0, count / 2, count - 1}) {
        const ZipReader::Entry &entry = reader.entries.at(i);
        QCOMPARE(entry.name, QStringLiteral("rows/%1.json").arg(i));
        QCOMPARE(reader.reader->read(entry, 1 << 20),
                 std::optional<QByteArray>(content + QByteArray::number(i)));
    }
    if (content.size() > 1000)
        QVERIFY(archive.size() < content.size());
}

void TestZipArchive::refusesWhatIsNotAZip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    ZipWriter writer;
    writer.addFile(QStringLiteral("a.json"), QByteArray("{}"));
    const QByteArray valid = writer.finish();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("not a zip file at all, just some words");
    QTest::newRow("cut before its end record") << valid.left(valid.size() - 5);
    QByteArray badOffset = valid;
    // The central directory's offset points past the end.
    qToLittleEndian(quint32(0x7FFFFFF0), badOffset.data() + badOffset.size() - 6);
    QTest::newRow("directory past the end") << badOffset;
}

void TestZipArchive::refusesWhatIsNotAZip()
{
    QFETCH(QByteArray, bytes);
    const MemoryZip reader(bytes, 100);
    QCOMPARE(reader.reader->status(), ZipReader::Status::NotZip);
    QVERIFY(reader.entries.isEmpty());
}

void TestZipArchive::capsEntriesBeforeReadingThem()
{
    ZipWriter writer;
    for (int i = 0; i < 5; ++i)
        writer.addFile(QString::number(i), QByteArray("x"));
    const MemoryZip reader(writer.finish(), 4);
    QCOMPARE(reader.reader->status(), ZipReader::Status::TooManyEntries);
    QCOMPARE(reader.reader->declaredEntryCount(), 5);
    QVERIFY(reader.entries.isEmpty());
}

void TestZipArchive::entryThatInflatesPastItsSizeIsRefused()
{
    ZipWriter writer;
    writer.addFile(QStringLiteral("bomb.json"), QByteArray(100000, '0'));
    QByteArray archive = writer.finish();
    // Declare 10 bytes in both headers: a reader that trusted it and grew its
    // buffer would inflate all 100000.
    const qint64 central = archive.indexOf(QByteArray::fromHex("504b0102"));
    qToLittleEndian(quint32(10), archive.data() + central + 24);
    qToLittleEndian(quint32(10), archive.data() + 22);
    const MemoryZip reader(archive, 10);
    QCOMPARE(reader.reader->status(), ZipReader::Status::Ok);
    QCOMPARE(reader.entries.first().size, quint64(10));
    QVERIFY(!reader.reader->read(reader.entries.first(), 1 << 20));
    // Over the caller's limit it is not even inflated.
    ZipWriter second;
    second.addFile(QStringLiteral("big.json"), QByteArray(5000, '0'));
    const MemoryZip big(second.finish(), 10);
    QVERIFY(!big.reader->read(big.entries.first(), 4999));
    QVERIFY(big.reader->read(big.entries.first(), 5000));
}

void TestZipArchive::damagedEntryIsRefused()
{
    ZipWriter writer;
    writer.addFile(QStringLiteral("row.json"), QByteArray("{\"id\":\"abc\"}"));
    QByteArray archive = writer.finish();
    // Stored: flip one byte of the content, the checksum no longer matches.
    archive[ZipFormat::LocalHeaderSize + 8 + 3] = 'X';
    const MemoryZip reader(archive, 10);
    QCOMPARE(reader.reader->status(), ZipReader::Status::Ok);
    QVERIFY(!reader.reader->read(reader.entries.first(), 1000));
}

void TestZipArchive::readsArchivesOtherToolsWrote_data()
{
    // Each holds the files under fixtures/zip/content; the README there says
    // which tool wrote it and how.
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("names");
    const QString rows =
        "accounts/acct-checking.json categories/cat-groceries.json transactions/txn-0001.json "
        "transactions/txn-0002.json";
    const QString withFolders = "manifest.json accounts/ accounts/acct-checking.json categories/ "
                                "categories/cat-groceries.json transactions/ transactions/txn-0002.json "
                                "transactions/txn-0001.json";
    for (const char *name : {"infozip_with_folders.zip", "infozip_streamed.zip"})
        QTest::newRow(name) << QString::fromLatin1(name) << withFolders;
    for (const char *name :
         {"python_stored_deflated.zip", "python_zip64_local.zip", "python_zip64_central.zip"})
        QTest::newRow(name) << QString::fromLatin1(name) << "manifest.json " + rows;
}

void TestZipArchive::readsArchivesOtherToolsWrote()
{
    QFETCH(QString, archive);
    QFETCH(QString, names);
    const QString fixtures = QFINDTESTDATA("../fixtures/zip/");
    QFile file(fixtures + archive);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const MemoryZip reader(file.readAll(), 100);
    QStringList listed;
    for (const ZipReader::Entry &entry : reader.entries) {
        listed << entry.name;
        QFile content(fixtures + QStringLiteral("content/") + entry.name);
        const QByteArray expected = content.open(QIODevice::ReadOnly) ? content.readAll() : QByteArray();
        QCOMPARE(reader.reader->read(entry, 1 << 20), std::optional<QByteArray>(expected));
    }
    QCOMPARE(listed.join(QLatin1Char(' ')), names);
}

QTEST_GUILESS_MAIN(TestZipArchive)
#include "TestZipArchive.moc"
