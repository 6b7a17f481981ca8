#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

class QFontMetrics;
class QPainter;
class QRect;
class QStyleOptionViewItem;

// Draws table cells for much less than the style's item drawing and
// QPainter::drawText, with the same pixels. A register repaints the same
// dates, payees and amounts at every scroll and edit: shaping their text
// costs more than drawing its glyphs, so each text is laid out once per font,
// width and screen resolution, with the elision already applied.
class CellPainter
{
public:
    // The cell's background and selection as the style draws an item without
    // text; only a cell with the focus, an icon or a check box takes the
    // style's whole item layout.
    static void drawBackground(QPainter *painter, const QStyleOptionViewItem &option);

    // As QPainter::drawText(rect, alignment, text) in the painter's font and
    // pen, with the text elided to the rect's width unless told otherwise.
    void drawText(QPainter *painter, const QRect &rect, int alignment, const QString &text,
                  const QFontMetrics &metrics, Qt::TextElideMode elide = Qt::ElideRight);

private:
    struct Key
    {
        QString text;
        QFont font;
        int width = 0;
        int dpi = 0;
        Qt::TextElideMode elide = Qt::ElideRight;
        friend bool operator==(const Key &, const Key &) = default;
        friend size_t qHash(const Key &key, size_t seed = 0) noexcept
        {
            return qHashMulti(seed, key.text, key.font, key.width, key.dpi, int(key.elide));
        }
    };
    struct Entry
    {
        QStaticText text;
        qreal advance = 0;
        qreal height = 0;
    };

    // More than a few screens of cells: a long scroll starts over rather than
    // growing without bound.
    static constexpr qsizetype Capacity = 4096;
    QHash<Key, Entry> m_entries;
};
