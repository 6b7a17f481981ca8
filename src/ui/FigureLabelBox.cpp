#include "FigureLabelBox.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

FigureLabelBox::FigureLabelBox(QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(this))
{
    setSizePolicy(m_label->sizePolicy());
}

QSize FigureLabelBox::sizeHint() const
{
    noteMeasured();
    return m_label->sizeHint();
}

QSize FigureLabelBox::minimumSizeHint() const
{
    noteMeasured();
    return m_label->minimumSizeHint();
}

void FigureLabelBox::noteMeasured() const
{
    m_measuredText = m_label->text();
    m_measuredFont = m_label->font();
    m_measured = true;
}

bool FigureLabelBox::takesMeasuredRoom() const
{
    // Digits come from the label's own font, whatever else may come from a
    // fallback font of other heights.
    const QString text = m_label->text();
    if (!m_measured || m_label->font() != m_measuredFont || text.size() != m_measuredText.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != m_measuredText.at(i) && !(isDigit(text.at(i)) && isDigit(m_measuredText.at(i))))
            return false;
    }
    const QFontMetricsF metrics(m_measuredFont);
    return metrics.horizontalAdvance(text) == metrics.horizontalAdvance(m_measuredText);
}

bool FigureLabelBox::event(QEvent *event)
{
    // The label asks its parent for a new layout after every change of its
    // own, but only while the box is shown: one made while hidden is looked at
    // when it shows again.
    const bool asked = event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show;
    if (asked && !takesMeasuredRoom())
        updateGeometry();
    return QWidget::event(event);
}

void FigureLabelBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_label->setGeometry(rect());
}
