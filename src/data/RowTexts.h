#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

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
            return QString(QLatin1String(""));
        if (!m_share || distinct)
            return QString::fromUtf8(utf8);
        // A key that points at the row's text, copied only when it is new.
        const auto found = m_texts.constFind(QByteArray::fromRawData(utf8.data(), utf8.size()));
        if (found != m_texts.cend())
            return *found;
        const QString text = QString::fromUtf8(utf8);
        m_texts.insert(utf8.toByteArray(), text);
        return text;
    }

private:
    bool m_share;
    QHash<QByteArray, QString> m_texts;
};
