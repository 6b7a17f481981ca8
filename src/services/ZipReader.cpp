#include "ZipReader.h"

#include "ZipFormat.h"

#include <zlib.h>

using namespace ZipFormat;

ZipReader::ZipReader(const QByteArray &archive, qint64 maxEntries)
    : m_archive(archive)
    , m_stream(std::make_unique<z_stream_s>())
{
    *m_stream = z_stream_s{};
    m_streamReady = inflateInit2(m_stream.get(), -MAX_WBITS) == Z_OK;
    if (m_streamReady && readDirectory(maxEntries))
        m_status = Status::Ok;
}

ZipReader::~ZipReader()
{
    if (m_streamReady)
        inflateEnd(m_stream.get());
}

bool ZipReader::readDirectory(qint64 maxEntries)
{
    const qint64 size = m_archive.size();
    if (size < EndSize)
        return false;
    // The end record sits at the end, before a comment of at most 64 KiB.
    qint64 end = -1;
    for (qint64 pos = size - EndSize; pos >= 0 && pos >= size - EndSize - 0xFFFF; --pos) {
        if (get32(m_archive, pos) == EndSignature && pos + EndSize + get16(m_archive, pos + 20) == size) {
            end = pos;
            break;
        }
    }
    if (end < 0)
        return false;

    quint64 count = get16(m_archive, end + 10);
    quint64 centralSize = get32(m_archive, end + 12);
    quint64 centralOffset = get32(m_archive, end + 16);
    const qint64 locator = end - Zip64LocatorSize;
    if (locator >= 0 && get32(m_archive, locator) == Zip64LocatorSignature) {
        const quint64 zip64End = get64(m_archive, locator + 8);
        if (zip64End > quint64(locator) || quint64(locator) - zip64End < quint64(Zip64EndSize) ||
            get32(m_archive, qint64(zip64End)) != Zip64EndSignature)
            return false;
        count = get64(m_archive, qint64(zip64End) + 32);
        centralSize = get64(m_archive, qint64(zip64End) + 40);
        centralOffset = get64(m_archive, qint64(zip64End) + 48);
    }
    if (centralOffset > quint64(size) || centralSize > quint64(size) - centralOffset)
        return false;
    // Each central header takes at least its fixed part: a count that does
    // not fit the directory is a lie.
    if (count > centralSize / CentralHeaderSize)
        return false;
    m_declaredCount = qint64(count);
    if (m_declaredCount > maxEntries) {
        m_status = Status::TooManyEntries;
        return false;
    }

    m_entries.reserve(m_declaredCount);
    qint64 pos = qint64(centralOffset);
    const qint64 directoryEnd = qint64(centralOffset + centralSize);
    for (quint64 i = 0; i < count; ++i) {
        if (pos + CentralHeaderSize > directoryEnd || get32(m_archive, pos) != CentralHeaderSignature)
            return false;
        const qint64 nameLength = get16(m_archive, pos + 28);
        const qint64 extraLength = get16(m_archive, pos + 30);
        const qint64 commentLength = get16(m_archive, pos + 32);
        const qint64 next = pos + CentralHeaderSize + nameLength + extraLength + commentLength;
        if (next > directoryEnd)
            return false;
        Entry entry;
        entry.flags = get16(m_archive, pos + 8);
        entry.method = get16(m_archive, pos + 10);
        entry.crc = get32(m_archive, pos + 16);
        entry.compressedSize = get32(m_archive, pos + 20);
        entry.size = get32(m_archive, pos + 24);
        entry.localHeaderOffset = get32(m_archive, pos + 42);
        entry.name = QString::fromUtf8(m_archive.constData() + pos + CentralHeaderSize, nameLength);
        m_entries.append(std::move(entry));
        pos = next;
    }
    return true;
}

std::optional<QByteArray> ZipReader::read(const Entry &entry, qint64 maxSize) const
{
    // 0xFFFFFFFF marks a size or offset kept in a Zip64 field: never one of
    // ours, and far beyond any limit.
    if (entry.size > quint64(maxSize) || entry.size == MaxSize32 || entry.compressedSize == MaxSize32 ||
        (entry.flags & FlagEncrypted))
        return std::nullopt;
    const quint64 size = quint64(m_archive.size());
    const quint64 local = entry.localHeaderOffset;
    if (local > size || size - local < quint64(LocalHeaderSize) ||
        get32(m_archive, qint64(local)) != LocalHeaderSignature)
        return std::nullopt;
    const quint64 dataStart =
        local + LocalHeaderSize + get16(m_archive, qint64(local) + 26) + get16(m_archive, qint64(local) + 28);
    if (dataStart > size || size - dataStart < entry.compressedSize)
        return std::nullopt;
    const char *data = m_archive.constData() + dataStart;

    std::optional<QByteArray> bytes;
    if (entry.method == MethodStored) {
        if (entry.compressedSize != entry.size)
            return std::nullopt;
        bytes = QByteArray(data, qsizetype(entry.size));
    } else if (entry.method == MethodDeflated) {
        bytes = inflate(data, qint64(entry.compressedSize), qint64(entry.size));
    }
    if (!bytes)
        return std::nullopt;
    const uLong crc =
        crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(bytes->constData()), uInt(bytes->size()));
    if (quint32(crc) != entry.crc)
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> ZipReader::inflate(const char *data, qint64 size, qint64 expectedSize) const
{
    if (!m_streamReady || inflateReset(m_stream.get()) != Z_OK)
        return std::nullopt;
    // One spare byte shows a stream that would inflate past its declared size.
    QByteArray out(qsizetype(expectedSize + 1), Qt::Uninitialized);
    m_stream->next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
    m_stream->avail_in = uInt(size);
    m_stream->next_out = reinterpret_cast<Bytef *>(out.data());
    m_stream->avail_out = uInt(out.size());
    const int result = ::inflate(m_stream.get(), Z_FINISH);
    if (result != Z_STREAM_END || qint64(m_stream->total_out) != expectedSize)
        return std::nullopt;
    out.truncate(qsizetype(expectedSize));
    return out;
}
