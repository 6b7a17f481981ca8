#pragma once

#include <QString>

// The "Transfer:" that starts a transfer's name in the category lists, in
// each language the program speaks. Typed text is read with any of them,
// whatever the language on screen: a name typed in one language and read in
// another is still a transfer, never a category.
namespace TransferPrefix {

// How many characters of `text` a leading transfer prefix takes (with no
// space, a space or a no-break space before its colon, and the spaces after
// it); 0 when the text does not start with one.
qsizetype length(const QString &text);

// True when `text`, trimmed, starts with a transfer prefix.
bool starts(const QString &text);

} // namespace TransferPrefix
