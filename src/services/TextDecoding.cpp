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

// The bytes of a UTF-8 sequence its first byte announces; 0 for a byte that
// starts none.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
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
    if (bytes.isValidUtf8())
        return Encoding::Utf8;
    // Windows-1252 text rarely holds a byte sequence that is valid UTF-8
    // beyond ASCII; a UTF-8 file with a damaged byte holds many.
    qsizetype valid = 0;
    qsizetype invalid = 0;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const unsigned char lead = data[i];
        const int length = sequenceLength(lead);
        bool ok = length > 0 && i + length <= size;
        for (int k = 1; ok && k < length; ++k)
            ok = (data[i + k] & 0xC0) == 0x80;
        if (length == 1) {
            ++i;
        } else if (ok && QByteArray::fromRawData(bytes.constData() + i, length).isValidUtf8()) {
            ++valid;
            i += length;
        } else {
            ++invalid;
            ++i;
        }
    }
    return valid > invalid ? Encoding::Utf8 : Encoding::Windows1252;
}

QString name(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::Utf16LE:
        return QStringLiteral("UTF-16LE");
    case Encoding::Utf16BE:
        return QStringLiteral("UTF-16BE");
    case Encoding::Windows1252:
        return QStringLiteral("Windows-1252");
    }
    return QString();
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

QString decode(const QByteArray &bytes, Encoding *used)
{
    const Encoding encoding = detect(bytes);
    if (used)
        *used = encoding;
    switch (encoding) {
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
