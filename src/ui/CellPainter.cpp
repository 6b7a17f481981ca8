#include "CellPainter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QRect>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTextLayout>

void CellPainter::drawBackground(QPainter *painter, const QStyleOptionViewItem &option)
{
    QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    const auto extras = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration;
    if ((option.state & QStyle::State_HasFocus) || (option.features & extras) || !option.text.isEmpty()) {
        style->drawControl(QStyle::CE_ItemViewItem, &option, painter, option.widget);
        return;
    }
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, option.widget);
}

void CellPainter::drawText(QPainter *painter, const QRect &rect, int alignment, const QString &text,
                           const QFontMetrics &metrics, Qt::TextElideMode elide)
{
    if (text.isEmpty() || rect.width() <= 0)
        return;
    const QFont &font = painter->font();
    Key key{text, font, rect.width(), painter->device()->logicalDpiY(), elide};
    auto found = m_entries.constFind(key);
    if (found == m_entries.constEnd()) {
        if (m_entries.size() >= Capacity)
            m_entries.clear();
        Entry entry;
        entry.text.setText(elide == Qt::ElideNone ? text : metrics.elidedText(text, elide, rect.width()));
        entry.text.setTextFormat(Qt::PlainText);
        entry.text.prepare(painter->transform(), font);
        // drawText places a line by its own advance and height, which count
        // the fallback fonts of characters this font lacks.
        QTextLayout layout(entry.text.text(), font, painter->device());
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        if (line.isValid()) {
            entry.advance = line.horizontalAdvance();
            entry.height = line.ascent() + line.descent();
        }
        found = m_entries.insert(std::move(key), std::move(entry));
    }
    const Entry &entry = *found;
    qreal x = rect.left();
    if (alignment & Qt::AlignRight)
        x += rect.width() - entry.advance;
    else if (alignment & Qt::AlignHCenter)
        x += (rect.width() - entry.advance) / 2;
    qreal y = rect.top();
    if (alignment & Qt::AlignBottom)
        y += rect.height() - entry.height;
    else if (alignment & Qt::AlignVCenter)
        y += (rect.height() - entry.height) / 2;
    painter->drawStaticText(QPointF(x, y), entry.text);
}
