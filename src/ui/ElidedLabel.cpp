#include "ElidedLabel.h"

#include <QEvent>

ElidedLabel::ElidedLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
}

void ElidedLabel::setText(const QString &text)
{
    // The same text again (a header refreshed after an edit) lays nothing out again.
    if (text == m_fullText)
        return;
    m_fullText = text;
    updateGeometry();
    updateShownText();
}

void ElidedLabel::clear()
{
    setText(QString());
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("…")) * 4,
                 QLabel::minimumSizeHint().height());
}

QSize ElidedLabel::sizeHint() const
{
    const int width = fontMetrics().horizontalAdvance(m_fullText) + 2 * margin() + 2;
    return QSize(width, QLabel::sizeHint().height());
}

void ElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    updateShownText();
}

void ElidedLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateShownText();
}

void ElidedLabel::updateShownText()
{
    const QString shown =
        fontMetrics().elidedText(m_fullText, Qt::ElideRight, qMax(0, width() - 2 * margin()));
    if (shown != QLabel::text())
        QLabel::setText(shown);
    setToolTip(shown == m_fullText ? QString() : m_fullText);
}
