#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

// The texts of rows read from SQLite's UTF-8. Empty and NULL text read as an
// empty (not null) string. A sharing reader keeps one QString per distinct
// text of the read: payees, categories and account ids repeat across a
// register's rows and are then held once.
class RowTexts
{
public:
    explicit RowTexts(bool share = false)
        : m_share(share)
    {
    }

    // `distinct` marks text each row has its own of (ids), never worth sharing.
    QString operator()(QByteArrayView utf8, bool distinct = false)
    {
        if (utf8.isEmpty())
            return empty();
        if (!m_share || distinct)
            return QString::fromUtf8(utf8);
        return shared(utf8);
    }

private:
    // One text met before, with its UTF-8 bytes and their hash.
    struct Slot
    {
        size_t hash = 0;
        QByteArray utf8;
        QString text;
    };

    static const QString &empty();
    QString shared(QByteArrayView utf8);
    void grow();

    bool m_share;
    // Open addressing over a power-of-two table, at most half full: a register
    // asks this for every text of every row, and Qt's general hash (a keyed
    // hash built to resist chosen keys) cost a quarter of the read.
    std::vector<Slot> m_slots;
    size_t m_used = 0;
};
