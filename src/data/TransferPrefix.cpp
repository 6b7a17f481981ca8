#include "TransferPrefix.h"

#include <QStringView>

namespace TransferPrefix {

qsizetype length(const QString &text)
{
    // The words the five translations of "Transfer: %1" start with.
    static const QStringView words[] = {u"Transfer", u"Umbuchung", u"Transferencia", u"Virement",
                                        u"\u632F\u66FF"};
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    const QStringView rest = QStringView(text).mid(start);
    for (const QStringView word : words) {
        if (!rest.startsWith(word, Qt::CaseInsensitive))
            continue;
        qsizetype at = start + word.size();
        // French writes a no-break space before the colon; users type a
        // plain space or none.
        while (at < text.size() && text.at(at).isSpace())
            ++at;
        if (at >= text.size() || (text.at(at) != u':' && text.at(at) != u'\uFF1A'))
            continue;
        ++at;
        while (at < text.size() && text.at(at).isSpace())
            ++at;
        return at;
    }
    return 0;
}

bool starts(const QString &text)
{
    return length(text) > 0;
}

} // namespace TransferPrefix
