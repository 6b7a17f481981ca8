#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QIODevice;
struct z_stream_s;

// Reads a zip archive from a device (a file or a buffer) through its central
// directory (Zip64 end records and sizes included): the directory is walked
// entry by entry and each entry is read by its position, so that an archive of
// any size costs no more memory than its largest entry. Built for archives
// from anywhere: every offset and size is checked against the archive's size,
// the number of entries is capped before any is visited, and an entry is
// inflated into a buffer of at most its declared size. Entry names are only
// text; nothing here touches the file system.
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
        qint64 position = 0; // of its central header
        qint64 next = 0;     // the central header after it
        bool isDirectory() const { return name.endsWith(QLatin1Char('/')); }
    };

    // `device` is open for reading and outlives the reader.
    ZipReader(QIODevice *device, qint64 maxEntries);
    ~ZipReader();

    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    Status status() const { return m_status; }
    qint64 archiveSize() const { return m_size; }
    // The declared number of entries (also when it was above the cap).
    qint64 declaredEntryCount() const { return m_declaredCount; }

    // The entry whose central header is at `position`; empty when that header
    // is damaged or lies outside the directory.
    std::optional<Entry> entryAt(qint64 position) const;
    // Every entry in directory order, until `visit` returns false. False when
    // the directory does not hold the declared number of readable entries.
    bool forEachEntry(const std::function<bool(const Entry &)> &visit) const;

    // The entry's bytes; empty when its declared size is above maxSize, when
    // it is encrypted, uses another method than stored or deflate, reaches
    // past the archive, inflates to another size or fails its checksum.
    std::optional<QByteArray> read(const Entry &entry, qint64 maxSize) const;

private:
    class Window;

    bool readEnd(qint64 maxEntries);
    std::optional<QByteArray> inflate(qint64 offset, qint64 size, qint64 expectedSize) const;

    qint64 m_size = 0;
    qint64 m_declaredCount = 0;
    qint64 m_directoryStart = 0;
    qint64 m_directoryEnd = 0;
    Status m_status = Status::NotZip;
    // The directory and the entries' data are read through windows of their
    // own, so that walking one does not throw away what was read of the other.
    std::unique_ptr<Window> m_directory;
    std::unique_ptr<Window> m_data;
    std::unique_ptr<z_stream_s> m_stream;
    bool m_streamReady = false;
};
