#include "ThemeStyle.h"

#include "Contrast.h"
#include "ThemeManager.h"

#include <QStyleFactory>
#include <QStyleOption>

namespace {

// The colour that Fusion darkens by `factor` percent to draw `outline`.
QColor beforeDarkening(const QColor &outline, int factor)
{
    return QColor::fromHsv(outline.hsvHue(), outline.hsvSaturation(),
                           qMin(255, outline.value() * factor / 100));
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
    const QColor focus =
        Contrast::readable(palette.color(QPalette::Highlight).darker(125),
                           {palette.color(QPalette::Window), palette.color(QPalette::Base)}, 3.2);
    copy.palette.setColor(QPalette::Highlight, beforeDarkening(focus, 125));
    return copy;
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
