#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

struct z_stream_s;

// Reads a zip archive held in memory: the central directory (Zip64 end
// records included) and each entry by its index. Built for archives from
// anywhere: every offset and size is checked against the bytes present, the
// number of entries is capped before anything is allocated for them, and an
// entry is inflated into a buffer of at most its declared size, so a damaged
// or hostile archive costs no more memory than the limits allow. Entry names
// are only text; nothing here touches the file system.
class ZipReader
{
public:
    enum class Status
    {
        Ok,
        NotZip,         // no readable end record or central directory
        TooManyEntries, // more than the cap given to the constructor
    };

    struct Entry
    {
        QString name;
        quint16 flags = 0;
        quint16 method = 0;
        quint32 crc = 0;
        quint64 compressedSize = 0;
        quint64 size = 0; // uncompressed, as declared
        quint64 localHeaderOffset = 0;
        bool isDirectory() const { return name.endsWith(QLatin1Char('/')); }
    };

    ZipReader(const QByteArray &archive, qint64 maxEntries);
    ~ZipReader();

    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    Status status() const { return m_status; }
    // The declared number of entries (also when it was above the cap).
    qint64 declaredEntryCount() const { return m_declaredCount; }
    const QList<Entry> &entries() const { return m_entries; }

    // The entry's bytes; empty when its declared size is above maxSize, when
    // it is encrypted, uses another method than stored or deflate, reaches
    // past the archive, inflates to another size or fails its checksum.
    std::optional<QByteArray> read(const Entry &entry, qint64 maxSize) const;

private:
    bool readDirectory(qint64 maxEntries);
    std::optional<QByteArray> inflate(const char *data, qint64 size, qint64 expectedSize) const;

    QByteArray m_archive;
    QList<Entry> m_entries;
    qint64 m_declaredCount = 0;
    Status m_status = Status::NotZip;
    std::unique_ptr<z_stream_s> m_stream;
    bool m_streamReady = false;
};
