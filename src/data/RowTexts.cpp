#include "RowTexts.h"

#include <algorithm>
#include <cstring>

namespace {

// A multiply-and-fold hash over eight bytes at a time: the texts are short
// (payees, ids, category paths) and come from the user's own file.
size_t hashOf(QByteArrayView utf8)
{
    constexpr quint64 Multiplier = 0x9e3779b97f4a7c15ULL;
    const char *p = utf8.data();
    qsizetype left = utf8.size();
    quint64 hash = quint64(left) * Multiplier;
    while (left >= 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        hash = (hash ^ word) * Multiplier;
        hash ^= hash >> 29;
        p += 8;
        left -= 8;
    }
    quint64 tail = 0;
    std::memcpy(&tail, p, size_t(left));
    hash = (hash ^ tail) * Multiplier;
    return size_t(hash ^ (hash >> 32));
}

} // namespace

const QString &RowTexts::empty()
{
    static const QString text(QLatin1String(""));
    return text;
}

QString RowTexts::shared(QByteArrayView utf8)
{
    if ((m_used + 1) * 2 > m_slots.size())
        grow();
    const size_t hash = hashOf(utf8);
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot &slot = m_slots[i];
        if (slot.utf8.isNull()) {
            slot.hash = hash;
            slot.utf8 = utf8.toByteArray();
            slot.text = QString::fromUtf8(utf8);
            ++m_used;
            return slot.text;
        }
        if (slot.hash == hash && slot.utf8.size() == utf8.size() &&
            std::memcmp(slot.utf8.constData(), utf8.data(), size_t(utf8.size())) == 0)
            return slot.text;
    }
}

void RowTexts::grow()
{
    std::vector<Slot> old(std::max<size_t>(64, m_slots.size() * 2));
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (Slot &slot : old) {
        if (slot.utf8.isNull())
            continue;
        size_t i = slot.hash & mask;
        while (!m_slots[i].utf8.isNull())
            i = (i + 1) & mask;
        m_slots[i] = std::move(slot);
    }
}
