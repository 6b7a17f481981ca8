#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>

struct z_stream_s;

// Builds a zip archive in memory, one deflated file after another. Written by
// hand rather than with Qt's private zip classes because those stop at 65535
// entries (a backup has one file per row) and look files up by name, one scan
// per file. Past 65535 entries the archive ends with the Zip64 end records;
// an archive of 4 GiB or more is refused.
class ZipWriter
{
public:
    // `modified` is the time stamp every entry carries (local time).
    explicit ZipWriter(const QDateTime &modified = QDateTime::currentDateTime());
    ~ZipWriter();

    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    // False once anything failed; nothing more is added then.
    bool addFile(const QString &name, const QByteArray &data);

    // The finished archive; empty when any step failed. The writer is spent.
    QByteArray finish();

    qint64 entryCount() const { return m_entries; }

private:
    QByteArray deflate(const QByteArray &data);

    QByteArray m_archive;
    QByteArray m_central;
    qint64 m_entries = 0;
    quint16 m_dosTime = 0;
    quint16 m_dosDate = 0;
    bool m_failed = false;
    std::unique_ptr<z_stream_s> m_stream;
    bool m_streamReady = false;
};
