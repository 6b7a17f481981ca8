#pragma once

#include <QByteArray>
#include <QtEndian>

// The record layouts of the zip format that ZipWriter and ZipReader share:
// signatures, fixed header sizes and little-endian field helpers.
namespace ZipFormat {

inline constexpr quint32 LocalHeaderSignature = 0x04034b50;
inline constexpr quint32 CentralHeaderSignature = 0x02014b50;
inline constexpr quint32 EndSignature = 0x06054b50;
inline constexpr quint32 Zip64EndSignature = 0x06064b50;
inline constexpr quint32 Zip64LocatorSignature = 0x07064b50;

inline constexpr qsizetype LocalHeaderSize = 30;
inline constexpr qsizetype CentralHeaderSize = 46;
inline constexpr qsizetype EndSize = 22;
inline constexpr qsizetype Zip64EndSize = 56;
inline constexpr qsizetype Zip64LocatorSize = 20;

inline constexpr quint16 VersionNeeded = 20;
inline constexpr quint16 VersionZip64 = 45;
inline constexpr quint16 FlagEncrypted = 0x0001;
inline constexpr quint16 FlagUtf8Names = 0x0800;
inline constexpr quint16 MethodStored = 0;
inline constexpr quint16 MethodDeflated = 8;
inline constexpr quint32 MaxSize32 = 0xFFFFFFFFu;
inline constexpr quint16 Zip64ExtraId = 0x0001;

inline void put16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

inline void put32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

inline void put64(QByteArray &out, quint64 value)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    out.append(bytes, 8);
}

// Reads at a pointer into bytes the caller has checked.
inline quint16 get16(const char *data)
{
    return qFromLittleEndian<quint16>(data);
}

inline quint32 get32(const char *data)
{
    return qFromLittleEndian<quint32>(data);
}

inline quint64 get64(const char *data)
{
    return qFromLittleEndian<quint64>(data);
}

} // namespace ZipFormat
