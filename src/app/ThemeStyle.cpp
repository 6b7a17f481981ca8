#include "ThemeStyle.h"

#include "Contrast.h"
#include "ThemeManager.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// The colour that Fusion darkens by `factor` percent to draw `outline`.
QColor beforeDarkening(const QColor &outline, int factor)
{
    return QColor::fromHsv(outline.hsvHue(), outline.hsvSaturation(),
                           qMin(255, outline.value() * factor / 100));
}

// The edge of the control with the keyboard focus: the highlight, darkened
// as Fusion darkens it, and readable on the window and on fields.
QColor focusEdge(const QPalette &palette)
{
    return Contrast::readable(palette.color(QPalette::Highlight).darker(125),
                              {palette.color(QPalette::Window), palette.color(QPalette::Base)}, 3.2);
}

// Fusion outlines in the window colour darker by 140 % (check boxes and radio
// buttons a further 110 % lighter), and the control with focus in the
// highlight darker by 125 %: both are handed colours that give edges which
// show. The copy is used for the frame alone, never for the control's text.
template <typename Option> Option withEdge(const QStyleOption *option, bool box)
{
    Option copy;
    if (const auto *typed = qstyleoption_cast<const Option *>(option))
        copy = *typed;
    else
        copy.QStyleOption::operator=(*option);
    const QPalette &palette = option->palette;
    const QColor edge = ThemeManager::edgeColor(palette);
    copy.palette.setColor(QPalette::Window, beforeDarkening(box ? edge.darker(110) : edge, 140));
    copy.palette.setColor(QPalette::Highlight, beforeDarkening(focusEdge(palette), 125));
    return copy;
}

// Fusion's focus frame is a faint tint of the highlight, drawn only after a
// Tab: on a selected row or a flat control it cannot be seen. This edge
// shows on the window, on fields and, in the highlighted text colour, on a
// selected row.
void drawFocusEdge(QPainter *painter, const QRect &rect, const QPalette &palette, bool selected)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(selected ? palette.color(QPalette::HighlightedText) : focusEdge(palette), 1.5));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(rect).adjusted(1.25, 1.25, -1.25, -1.25), 2, 2);
    painter->restore();
}

} // namespace

ThemeStyle::ThemeStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void ThemeStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    switch (element) {
    case PE_PanelMenu: {
        // Fusion outlines a menu in the window colour darker by 160 %: on the
        // dark window nearly the window's own colour.
        QStyleOption edged(*option);
        edged.palette.setColor(QPalette::Window, beforeDarkening(ThemeManager::edgeColor(option->palette), 160));
        QProxyStyle::drawPrimitive(element, &edged, painter, widget);
        return;
    }
    case PE_FrameFocusRect:
        drawFocusEdge(painter, option->rect, option->palette, option->state & State_Selected);
        return;
    case PE_FrameLineEdit: {
        const auto edged = withEdge<QStyleOptionFrame>(option, false);
        QProxyStyle::drawPrimitive(element, &edged, painter, widget);
        return;
    }
    case PE_PanelButtonCommand:
    case PE_IndicatorCheckBox:
    case PE_IndicatorRadioButton: {
        const auto edged = withEdge<QStyleOptionButton>(option, element != PE_PanelButtonCommand);
        QProxyStyle::drawPrimitive(element, &edged, painter, widget);
        return;
    }
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void ThemeStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                    QPainter *painter, const QWidget *widget) const
{
    // Fusion outlines a spin box itself rather than through a frame primitive.
    if (control == CC_SpinBox) {
        const auto edged = withEdge<QStyleOptionSpinBox>(option, false);
        QProxyStyle::drawComplexControl(control, &edged, painter, widget);
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void ThemeStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    // Fusion shows a button's focus on its panel, which a flat button does not
    // draw: the flat button with the keyboard focus gets the focus edge alone.
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (element == CE_PushButtonBevel && button && (button->features & QStyleOptionButton::Flat) &&
        (button->state & State_HasFocus))
        drawFocusEdge(painter, option->rect.adjusted(1, 1, -1, -1), option->palette, false);
}
