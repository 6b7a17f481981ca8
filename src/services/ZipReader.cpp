#include "ZipReader.h"

#include "ZipFormat.h"

#include <QIODevice>
#include <zlib.h>

using namespace ZipFormat;

namespace {

constexpr qint64 MinReadAhead = 4 * 1024;
constexpr qint64 MaxReadAhead = 1024 * 1024;
// Compressed data is handed to zlib in pieces of this size at most.
constexpr qint64 InflatePiece = 256 * 1024;

// A size or offset too large for its 32-bit field is marked 0xFFFFFFFF there
// and kept in the Zip64 field of the header's extra data, in this order, as
// tools write them for archives past 2 or 4 GiB. A marker without its value
// stays: such an entry is not read.
void readZip64Field(const char *extra, qint64 length, ZipReader::Entry &entry)
{
    for (qint64 at = 0; at + 4 <= length;) {
        const qint64 size = get16(extra + at + 2);
        if (size > length - at - 4)
            return;
        if (get16(extra + at) == Zip64ExtraId) {
            qint64 used = 0;
            for (quint64 *value : {&entry.size, &entry.compressedSize, &entry.localHeaderOffset}) {
                if (*value != MaxSize32)
                    continue;
                if (size - used < 8)
                    return;
                *value = get64(extra + at + 4 + used);
                used += 8;
            }
            return;
        }
        at += 4 + size;
    }
}

} // namespace

// A run of the archive's bytes held in memory. Reads that follow one another
// fetch ever larger runs (up to 1 MiB), so that walking the archive from
// front to back costs few reads; a jump elsewhere starts small again, so that
// an archive whose entries are scattered does not read a megabyte per entry.
class ZipReader::Window
{
public:
    Window(QIODevice *device, qint64 size)
        : m_device(device)
        , m_size(size)
    {
    }

    // `length` bytes at `offset`, valid until the next call; null when they
    // are not all inside the archive or cannot be read.
    const char *bytes(qint64 offset, qint64 length)
    {
        if (offset < 0 || length < 0 || offset > m_size || length > m_size - offset)
            return nullptr;
        if (offset >= m_start && offset + length <= m_start + m_filled)
            return m_buffer.constData() + (offset - m_start);
        const bool following = offset >= m_start && offset <= m_start + m_filled;
        m_readAhead = following ? qMin(m_readAhead * 2, MaxReadAhead) : MinReadAhead;
        const qint64 wanted = qMin(m_size - offset, qMax(length, m_readAhead));
        if (m_buffer.size() < wanted)
            m_buffer.resize(qsizetype(wanted));
        m_start = offset;
        m_filled = 0;
        if (!m_device->seek(offset))
            return nullptr;
        while (m_filled < wanted) {
            const qint64 got = m_device->read(m_buffer.data() + m_filled, wanted - m_filled);
            if (got <= 0)
                break;
            m_filled += got;
        }
        return m_filled >= length ? m_buffer.constData() : nullptr;
    }

private:
    QIODevice *m_device;
    qint64 m_size;
    QByteArray m_buffer;
    qint64 m_start = 0;
    qint64 m_filled = 0;
    qint64 m_readAhead = MinReadAhead;
};

ZipReader::ZipReader(QIODevice *device, qint64 maxEntries)
    : m_size(device->size())
    , m_directory(std::make_unique<Window>(device, m_size))
    , m_data(std::make_unique<Window>(device, m_size))
    , m_stream(std::make_unique<z_stream_s>())
{
    *m_stream = z_stream_s{};
    m_streamReady = inflateInit2(m_stream.get(), -MAX_WBITS) == Z_OK;
    if (m_streamReady && readEnd(maxEntries))
        m_status = Status::Ok;
}

ZipReader::~ZipReader()
{
    if (m_streamReady)
        inflateEnd(m_stream.get());
}

bool ZipReader::readEnd(qint64 maxEntries)
{
    if (m_size < EndSize)
        return false;
    // The end record sits at the end, before a comment of at most 64 KiB,
    // with the Zip64 locator right before it.
    const qint64 tailStart = qMax<qint64>(0, m_size - EndSize - 0xFFFF - Zip64LocatorSize);
    const char *tail = m_directory->bytes(tailStart, m_size - tailStart);
    if (!tail)
        return false;
    qint64 end = -1;
    for (qint64 pos = m_size - EndSize; pos >= tailStart && pos >= m_size - EndSize - 0xFFFF; --pos) {
        const char *at = tail + (pos - tailStart);
        if (get32(at) == EndSignature && pos + EndSize + get16(at + 20) == m_size) {
            end = pos;
            break;
        }
    }
    if (end < 0)
        return false;
    const char *record = tail + (end - tailStart);
    quint64 count = get16(record + 10);
    quint64 centralSize = get32(record + 12);
    quint64 centralOffset = get32(record + 16);
    const qint64 locator = end - Zip64LocatorSize;
    if (locator >= tailStart && get32(tail + (locator - tailStart)) == Zip64LocatorSignature) {
        const quint64 zip64End = get64(tail + (locator - tailStart) + 8);
        if (zip64End > quint64(locator) || quint64(locator) - zip64End < quint64(Zip64EndSize))
            return false;
        const char *zip64 = m_directory->bytes(qint64(zip64End), Zip64EndSize);
        if (!zip64 || get32(zip64) != Zip64EndSignature)
            return false;
        count = get64(zip64 + 32);
        centralSize = get64(zip64 + 40);
        centralOffset = get64(zip64 + 48);
    }
    if (centralOffset > quint64(m_size) || centralSize > quint64(m_size) - centralOffset)
        return false;
    // Each central header takes at least its fixed part: a count that does
    // not fit the directory is a lie.
    if (count > centralSize / CentralHeaderSize)
        return false;
    m_declaredCount = qint64(count);
    m_directoryStart = qint64(centralOffset);
    m_directoryEnd = qint64(centralOffset + centralSize);
    if (m_declaredCount > maxEntries) {
        m_status = Status::TooManyEntries;
        return false;
    }
    return true;
}

std::optional<ZipReader::Entry> ZipReader::entryAt(qint64 position) const
{
    if (m_status != Status::Ok || position < m_directoryStart ||
        position > m_directoryEnd - CentralHeaderSize)
        return std::nullopt;
    const char *header = m_directory->bytes(position, CentralHeaderSize);
    if (!header || get32(header) != CentralHeaderSignature)
        return std::nullopt;
    const qint64 nameLength = get16(header + 28);
    const qint64 extraLength = get16(header + 30);
    const qint64 next = position + CentralHeaderSize + nameLength + extraLength + get16(header + 32);
    if (next > m_directoryEnd)
        return std::nullopt;
    Entry entry;
    entry.flags = get16(header + 8);
    entry.method = get16(header + 10);
    entry.crc = get32(header + 16);
    entry.compressedSize = get32(header + 20);
    entry.size = get32(header + 24);
    entry.localHeaderOffset = get32(header + 42);
    entry.position = position;
    entry.next = next;
    const char *name = m_directory->bytes(position + CentralHeaderSize, nameLength);
    if (!name)
        return std::nullopt;
    entry.name = QString::fromUtf8(name, nameLength);
    if (entry.size == MaxSize32 || entry.compressedSize == MaxSize32 ||
        entry.localHeaderOffset == MaxSize32) {
        const char *extra = m_directory->bytes(position + CentralHeaderSize + nameLength, extraLength);
        if (!extra)
            return std::nullopt;
        readZip64Field(extra, extraLength, entry);
    }
    return entry;
}

bool ZipReader::forEachEntry(const std::function<bool(const Entry &)> &visit) const
{
    qint64 position = m_directoryStart;
    for (qint64 i = 0; i < m_declaredCount; ++i) {
        const std::optional<Entry> entry = entryAt(position);
        if (!entry)
            return false;
        if (!visit(*entry))
            return true;
        position = entry->next;
    }
    return m_status == Status::Ok;
}

std::optional<QByteArray> ZipReader::read(const Entry &entry, qint64 maxSize) const
{
    // 0xFFFFFFFF left is a Zip64 marker without its value, and far beyond
    // any limit.
    if (m_status != Status::Ok || entry.size > quint64(maxSize) || entry.size == MaxSize32 ||
        entry.compressedSize == MaxSize32 || (entry.flags & FlagEncrypted))
        return std::nullopt;
    const qint64 local = qint64(entry.localHeaderOffset);
    const char *header = m_data->bytes(local, LocalHeaderSize);
    if (!header || get32(header) != LocalHeaderSignature)
        return std::nullopt;
    const qint64 dataStart = local + LocalHeaderSize + get16(header + 26) + get16(header + 28);
    if (dataStart > m_size || m_size - dataStart < qint64(entry.compressedSize))
        return std::nullopt;

    std::optional<QByteArray> bytes;
    if (entry.method == MethodStored) {
        if (entry.compressedSize != entry.size)
            return std::nullopt;
        if (const char *data = m_data->bytes(dataStart, qint64(entry.size)))
            bytes = QByteArray(data, qsizetype(entry.size));
    } else if (entry.method == MethodDeflated) {
        bytes = inflate(dataStart, qint64(entry.compressedSize), qint64(entry.size));
    }
    if (!bytes)
        return std::nullopt;
    const uLong crc =
        crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(bytes->constData()), uInt(bytes->size()));
    if (quint32(crc) != entry.crc)
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> ZipReader::inflate(qint64 offset, qint64 size, qint64 expectedSize) const
{
    if (!m_streamReady || inflateReset(m_stream.get()) != Z_OK)
        return std::nullopt;
    // One spare byte shows a stream that would inflate past its declared size.
    QByteArray out(qsizetype(expectedSize + 1), Qt::Uninitialized);
    m_stream->next_out = reinterpret_cast<Bytef *>(out.data());
    m_stream->avail_out = uInt(out.size());
    int result = Z_OK;
    for (qint64 done = 0; done < size && result == Z_OK;) {
        const qint64 piece = qMin(size - done, InflatePiece);
        const char *data = m_data->bytes(offset + done, piece);
        if (!data)
            return std::nullopt;
        m_stream->next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
        m_stream->avail_in = uInt(piece);
        result = ::inflate(m_stream.get(), Z_NO_FLUSH);
        // Input left over with room to spare only happens at the stream's end.
        if (result == Z_OK && m_stream->avail_out == 0)
            return std::nullopt;
        done += piece;
    }
    if (result != Z_STREAM_END || qint64(m_stream->total_out) != expectedSize)
        return std::nullopt;
    out.truncate(qsizetype(expectedSize));
    return out;
}
