#pragma once

#include <QByteArray>
#include <QString>

// Turns the bytes of an imported file into text. A UTF-8 or UTF-16 byte order
// mark decides; without one the bytes are UTF-8 when they are valid UTF-8 and
// Windows-1252 otherwise (what spreadsheet programs write by default).
namespace TextDecoding {

enum class Encoding
{
    Utf8,
    Utf16LE,
    Utf16BE,
    Windows1252
};

Encoding detect(const QByteArray &bytes);

// The text without the byte order mark.
QString decode(const QByteArray &bytes);

QString fromWindows1252(const QByteArray &bytes);

} // namespace TextDecoding
