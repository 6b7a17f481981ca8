#include "ZipWriter.h"

#include "ZipFormat.h"

#include <QDebug>
#include <zlib.h>

using namespace ZipFormat;

ZipWriter::ZipWriter(const QDateTime &modified)
    : m_stream(std::make_unique<z_stream_s>())
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
    m_failed = !m_streamReady;
}

ZipWriter::~ZipWriter()
{
    if (m_streamReady)
        deflateEnd(m_stream.get());
}

QByteArray ZipWriter::deflate(const QByteArray &data)
{
    if (deflateReset(m_stream.get()) != Z_OK)
        return {};
    QByteArray out;
    out.resize(qsizetype(deflateBound(m_stream.get(), uLong(data.size()))));
    m_stream->next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    m_stream->avail_in = uInt(data.size());
    m_stream->next_out = reinterpret_cast<Bytef *>(out.data());
    m_stream->avail_out = uInt(out.size());
    if (::deflate(m_stream.get(), Z_FINISH) != Z_STREAM_END)
        return {};
    out.resize(qsizetype(m_stream->total_out));
    return out;
}

bool ZipWriter::addFile(const QString &name, const QByteArray &data)
{
    if (m_failed)
        return false;
    const QByteArray fileName = name.toUtf8();
    // Entries stay far below 4 GiB; larger ones would need Zip64 sizes.
    if (fileName.isEmpty() || fileName.size() > 0xFFFF || data.size() >= qsizetype(MaxSize32)) {
        m_failed = true;
        return false;
    }
    // Deflating never gives empty output, not even for an empty file.
    const QByteArray packed = deflate(data);
    if (packed.isEmpty()) {
        qWarning() << "ZipWriter::addFile failed: deflate error for" << name;
        m_failed = true;
        return false;
    }
    const bool stored = packed.size() >= data.size();
    const QByteArray &payload = stored ? data : packed;
    const quint16 method = stored ? MethodStored : MethodDeflated;
    const quint32 crc = quint32(
        crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())));
    const qint64 offset = m_archive.size();
    if (offset + LocalHeaderSize + fileName.size() + payload.size() >= qint64(MaxSize32)) {
        qWarning() << "ZipWriter::addFile failed: the archive would reach 4 GiB";
        m_failed = true;
        return false;
    }

    put32(m_archive, LocalHeaderSignature);
    put16(m_archive, VersionNeeded);
    put16(m_archive, FlagUtf8Names);
    put16(m_archive, method);
    put16(m_archive, m_dosTime);
    put16(m_archive, m_dosDate);
    put32(m_archive, crc);
    put32(m_archive, quint32(payload.size()));
    put32(m_archive, quint32(data.size()));
    put16(m_archive, quint16(fileName.size()));
    put16(m_archive, 0);
    m_archive.append(fileName);
    m_archive.append(payload);

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
    ++m_entries;
    return true;
}

QByteArray ZipWriter::finish()
{
    if (m_failed)
        return {};
    const qint64 centralOffset = m_archive.size();
    const qint64 centralSize = m_central.size();
    if (centralOffset + centralSize >= qint64(MaxSize32)) {
        qWarning() << "ZipWriter::finish failed: the archive would reach 4 GiB";
        m_failed = true;
        return {};
    }
    m_archive.append(m_central);
    m_central.clear();

    const bool zip64 = m_entries >= 0xFFFF;
    if (zip64) {
        const qint64 zip64EndOffset = m_archive.size();
        put32(m_archive, Zip64EndSignature);
        put64(m_archive, Zip64EndSize - 12);
        put16(m_archive, VersionZip64);
        put16(m_archive, VersionZip64);
        put32(m_archive, 0);
        put32(m_archive, 0);
        put64(m_archive, quint64(m_entries));
        put64(m_archive, quint64(m_entries));
        put64(m_archive, quint64(centralSize));
        put64(m_archive, quint64(centralOffset));
        put32(m_archive, Zip64LocatorSignature);
        put32(m_archive, 0);
        put64(m_archive, quint64(zip64EndOffset));
        put32(m_archive, 1);
    }
    const quint16 count16 = zip64 ? quint16(0xFFFF) : quint16(m_entries);
    put32(m_archive, EndSignature);
    put16(m_archive, 0);
    put16(m_archive, 0);
    put16(m_archive, count16);
    put16(m_archive, count16);
    put32(m_archive, quint32(centralSize));
    put32(m_archive, quint32(centralOffset));
    put16(m_archive, 0);
    m_failed = true; // spent
    return std::exchange(m_archive, QByteArray());
}
