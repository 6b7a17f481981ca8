#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <memory>

class QBuffer;
class QIODevice;
class QTemporaryFile;
struct z_stream_s;

// Writes a zip archive one deflated file after another, straight into a
// device. Written by hand rather than with Qt's private zip classes because
// those stop at 65535 entries (a backup has one file per row) and look files
// up by name, one scan per file. Past 65535 entries the archive ends with the
// Zip64 end records; an archive of 4 GiB or more is refused. The central
// directory grows with the entries (about a hundred bytes each): past a few
// megabytes it moves to a temporary file in the spill directory, so that a
// million rows cost no more memory than a thousand.
class ZipWriter
{
public:
    // Into `device`, open for writing; `modified` is the time stamp every
    // entry carries (local time). Without a spill directory the directory
    // stays in memory.
    ZipWriter(QIODevice *device, const QString &spillDirectory,
              const QDateTime &modified = QDateTime::currentDateTime());
    // Into memory, for finish().
    explicit ZipWriter(const QDateTime &modified = QDateTime::currentDateTime());
    ~ZipWriter();

    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    // False once anything failed; nothing more is added then.
    bool addFile(const QString &name, const QByteArray &data);
    bool addFile(QByteArrayView utf8Name, QByteArrayView data);

    // Writes the directory and the end records into the device; false when
    // any step failed. The writer is spent.
    bool close();
    // The finished archive written into memory; empty when any step failed.
    QByteArray finish();

    qint64 entryCount() const { return m_entries; }

private:
    bool deflate(QByteArrayView data);
    bool write(QByteArrayView bytes);
    bool flush();
    bool spillDirectory();
    bool writeDirectory();
    void writeEndRecords(qint64 centralOffset, qint64 centralSize);

    std::unique_ptr<QBuffer> m_memory;
    QIODevice *m_device = nullptr;
    QString m_spillDirectory;
    std::unique_ptr<QTemporaryFile> m_spill;
    QByteArray m_pending; // bytes not yet handed to the device
    QByteArray m_central; // directory entries not yet spilled
    QByteArray m_packed;  // the deflated form of the current file
    qint64 m_offset = 0;  // of the next local header
    qint64 m_centralSize = 0;
    qint64 m_entries = 0;
    quint16 m_dosTime = 0;
    quint16 m_dosDate = 0;
    bool m_failed = false;
    std::unique_ptr<z_stream_s> m_stream;
    bool m_streamReady = false;
};
