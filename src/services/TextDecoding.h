#pragma once

#include <QByteArray>
#include <QString>

// Turns the bytes of an imported file into text. A UTF-8 or UTF-16 byte order
// mark decides; without one the bytes are UTF-8 when they are UTF-8 but for a
// few invalid bytes (which become U+FFFD), and Windows-1252 otherwise (what
// spreadsheet programs write by default).
namespace TextDecoding {

enum class Encoding
{
    Utf8,
    Utf16LE,
    Utf16BE,
    Windows1252
};

Encoding detect(const QByteArray &bytes);

// The text without the byte order mark; `used` is told the encoding.
QString decode(const QByteArray &bytes, Encoding *used = nullptr);

// "UTF-8", "UTF-16LE", "UTF-16BE" or "Windows-1252".
QString name(Encoding encoding);

QString fromWindows1252(const QByteArray &bytes);

} // namespace TextDecoding
