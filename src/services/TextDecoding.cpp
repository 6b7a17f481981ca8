#include "TextDecoding.h"

#include <QStringDecoder>

namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes, which keep
// their Latin-1 value.
constexpr char16_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool startsWith(const QByteArray &bytes, const char *mark, int size)
{
    return bytes.size() >= size && bytes.startsWith(QByteArray::fromRawData(mark, size));
}

} // namespace

namespace TextDecoding {

Encoding detect(const QByteArray &bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF", 3))
        return Encoding::Utf8;
    if (startsWith(bytes, "\xFF\xFE", 2))
        return Encoding::Utf16LE;
    if (startsWith(bytes, "\xFE\xFF", 2))
        return Encoding::Utf16BE;
    return bytes.isValidUtf8() ? Encoding::Utf8 : Encoding::Windows1252;
}

QString fromWindows1252(const QByteArray &bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        char16_t unit = byte;
        if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0)
            unit = kHighControls[byte - 0x80];
        *out++ = QChar(unit);
    }
    return text;
}

QString decode(const QByteArray &bytes)
{
    switch (detect(bytes)) {
    case Encoding::Utf8: {
        const int skip = startsWith(bytes, "\xEF\xBB\xBF", 3) ? 3 : 0;
        return QString::fromUtf8(bytes.constData() + skip, bytes.size() - skip);
    }
    case Encoding::Utf16LE: {
        QStringDecoder decoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        return decoder.decode(bytes.mid(2));
    }
    case Encoding::Utf16BE: {
        QStringDecoder decoder(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless);
        return decoder.decode(bytes.mid(2));
    }
    case Encoding::Windows1252:
        return fromWindows1252(bytes);
    }
    return QString();
}

} // namespace TextDecoding
