#include "ZipWriter.h"

#include "ZipFormat.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QTemporaryFile>
#include <zlib.h>

using namespace ZipFormat;

namespace {

// What is gathered before it goes to the device, and the directory kept in
// memory before it moves to the spill file.
constexpr qsizetype WriteChunk = 1024 * 1024;
constexpr qsizetype DirectoryInMemory = 4 * 1024 * 1024;

} // namespace

ZipWriter::ZipWriter(QIODevice *device, const QString &spillDirectory, const QDateTime &modified)
    : m_device(device)
    , m_spillDirectory(spillDirectory)
    , m_stream(std::make_unique<z_stream_s>())
{
    const QDate date = modified.date();
    const QTime time = modified.time();
    if (date.year() >= 1980) {
        m_dosDate = quint16(((date.year() - 1980) << 9) | (date.month() << 5) | date.day());
        m_dosTime = quint16((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2));
    } else {
        m_dosDate = quint16((1 << 5) | 1);
    }
    *m_stream = z_stream_s{};
    // Raw deflate (negative window bits): zip entries carry no zlib header.
    m_streamReady = deflateInit2(m_stream.get(), Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                                 Z_DEFAULT_STRATEGY) == Z_OK;
    m_failed = !m_streamReady || !m_device;
}

ZipWriter::ZipWriter(const QDateTime &modified)
    : ZipWriter(nullptr, QString(), modified)
{
    m_memory = std::make_unique<QBuffer>();
    m_memory->open(QIODevice::WriteOnly);
    m_device = m_memory.get();
    m_failed = !m_streamReady;
}

ZipWriter::~ZipWriter()
{
    if (m_streamReady)
        deflateEnd(m_stream.get());
}

bool ZipWriter::deflate(QByteArrayView data)
{
    if (deflateReset(m_stream.get()) != Z_OK)
        return false;
    const qsizetype bound = qsizetype(deflateBound(m_stream.get(), uLong(data.size())));
    if (m_packed.size() < bound)
        m_packed.resize(bound);
    m_stream->next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    m_stream->avail_in = uInt(data.size());
    m_stream->next_out = reinterpret_cast<Bytef *>(m_packed.data());
    m_stream->avail_out = uInt(m_packed.size());
    return ::deflate(m_stream.get(), Z_FINISH) == Z_STREAM_END;
}

bool ZipWriter::write(QByteArrayView bytes)
{
    m_pending.append(bytes);
    return m_pending.size() < WriteChunk || flush();
}

bool ZipWriter::flush()
{
    if (!m_pending.isEmpty() && m_device->write(m_pending) != m_pending.size()) {
        qWarning() << "ZipWriter: write failed:" << m_device->errorString();
        m_failed = true;
        return false;
    }
    m_pending.clear();
    return true;
}

bool ZipWriter::addFile(const QString &name, const QByteArray &data)
{
    return addFile(QByteArrayView(name.toUtf8()), QByteArrayView(data));
}

bool ZipWriter::addFile(QByteArrayView fileName, QByteArrayView data)
{
    if (m_failed)
        return false;
    // Entries stay far below 4 GiB; larger ones would need Zip64 sizes.
    if (fileName.isEmpty() || fileName.size() > 0xFFFF || data.size() >= qsizetype(MaxSize32)) {
        m_failed = true;
        return false;
    }
    // Deflating never gives empty output, not even for an empty file.
    if (!deflate(data)) {
        qWarning() << "ZipWriter::addFile failed: deflate error for" << fileName.toByteArray();
        m_failed = true;
        return false;
    }
    const qsizetype packedSize = qsizetype(m_stream->total_out);
    const bool stored = packedSize >= data.size();
    const QByteArrayView payload = stored ? data : QByteArrayView(m_packed.constData(), packedSize);
    const quint16 method = stored ? MethodStored : MethodDeflated;
    const quint32 crc =
        quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(data.data()), uInt(data.size())));
    const qint64 offset = m_offset;
    if (offset + LocalHeaderSize + fileName.size() + payload.size() >= qint64(MaxSize32)) {
        qWarning() << "ZipWriter::addFile failed: the archive would reach 4 GiB";
        m_failed = true;
        return false;
    }

    put32(m_pending, LocalHeaderSignature);
    put16(m_pending, VersionNeeded);
    put16(m_pending, FlagUtf8Names);
    put16(m_pending, method);
    put16(m_pending, m_dosTime);
    put16(m_pending, m_dosDate);
    put32(m_pending, crc);
    put32(m_pending, quint32(payload.size()));
    put32(m_pending, quint32(data.size()));
    put16(m_pending, quint16(fileName.size()));
    put16(m_pending, 0);
    m_pending.append(fileName);
    if (!write(payload))
        return false;
    m_offset += LocalHeaderSize + fileName.size() + payload.size();

    put32(m_central, CentralHeaderSignature);
    put16(m_central, VersionNeeded);
    put16(m_central, VersionNeeded);
    put16(m_central, FlagUtf8Names);
    put16(m_central, method);
    put16(m_central, m_dosTime);
    put16(m_central, m_dosDate);
    put32(m_central, crc);
    put32(m_central, quint32(payload.size()));
    put32(m_central, quint32(data.size()));
    put16(m_central, quint16(fileName.size()));
    put16(m_central, 0); // extra field
    put16(m_central, 0); // comment
    put16(m_central, 0); // disk
    put16(m_central, 0); // internal attributes
    put32(m_central, 0); // external attributes
    put32(m_central, quint32(offset));
    m_central.append(fileName);
    m_centralSize += CentralHeaderSize + fileName.size();
    ++m_entries;
    return m_central.size() < DirectoryInMemory || m_spillDirectory.isEmpty() || spillDirectory();
}

bool ZipWriter::spillDirectory()
{
    if (!m_spill) {
        m_spill = std::make_unique<QTemporaryFile>(
            QDir(m_spillDirectory).filePath(QStringLiteral("tallyfern-directory-XXXXXX.tmp")));
        if (!m_spill->open()) {
            qWarning() << "ZipWriter: no temporary file for the directory:" << m_spill->errorString();
            m_failed = true;
            return false;
        }
    }
    if (m_spill->write(m_central) != m_central.size()) {
        qWarning() << "ZipWriter: directory write failed:" << m_spill->errorString();
        m_failed = true;
        return false;
    }
    m_central.clear();
    return true;
}

bool ZipWriter::writeDirectory()
{
    if (m_spill) {
        if (!spillDirectory() || !m_spill->seek(0))
            return false;
        for (qint64 copied = 0; copied < m_centralSize;) {
            m_central = m_spill->read(qMin<qint64>(WriteChunk, m_centralSize - copied));
            if (m_central.isEmpty() || !write(m_central))
                return false;
            copied += m_central.size();
        }
        m_central.clear();
        m_spill.reset();
        return true;
    }
    const bool written = write(m_central);
    m_central.clear();
    return written;
}

bool ZipWriter::close()
{
    if (m_failed)
        return false;
    const qint64 centralOffset = m_offset;
    const qint64 centralSize = m_centralSize;
    if (centralOffset + centralSize >= qint64(MaxSize32)) {
        qWarning() << "ZipWriter::close failed: the archive would reach 4 GiB";
        m_failed = true;
        return false;
    }
    if (!writeDirectory())
        return false;
    writeEndRecords(centralOffset, centralSize);
    const bool flushed = flush();
    m_failed = true; // spent
    return flushed;
}

void ZipWriter::writeEndRecords(qint64 centralOffset, qint64 centralSize)
{
    const bool zip64 = m_entries >= 0xFFFF;
    if (zip64) {
        const qint64 zip64EndOffset = centralOffset + centralSize;
        put32(m_pending, Zip64EndSignature);
        put64(m_pending, Zip64EndSize - 12);
        put16(m_pending, VersionZip64);
        put16(m_pending, VersionZip64);
        put32(m_pending, 0);
        put32(m_pending, 0);
        put64(m_pending, quint64(m_entries));
        put64(m_pending, quint64(m_entries));
        put64(m_pending, quint64(centralSize));
        put64(m_pending, quint64(centralOffset));
        put32(m_pending, Zip64LocatorSignature);
        put32(m_pending, 0);
        put64(m_pending, quint64(zip64EndOffset));
        put32(m_pending, 1);
    }
    const quint16 count16 = zip64 ? quint16(0xFFFF) : quint16(m_entries);
    put32(m_pending, EndSignature);
    put16(m_pending, 0);
    put16(m_pending, 0);
    put16(m_pending, count16);
    put16(m_pending, count16);
    put32(m_pending, quint32(centralSize));
    put32(m_pending, quint32(centralOffset));
    put16(m_pending, 0);
}

QByteArray ZipWriter::finish()
{
    if (!m_memory || !close())
        return {};
    return std::exchange(m_memory->buffer(), QByteArray());
}
