#pragma once

#include <QProxyStyle>

// Fusion with control edges that show. Fusion outlines fields, combo and spin
// boxes, buttons and check boxes in a shade of the window colour, which nearly
// vanishes on a dark window and is faint beside white fields; this style lets
// Fusion draw as usual but from a window colour whose shade is the palette's
// edge colour (ThemeManager::edgeColor).
class ThemeStyle : public QProxyStyle
{
    Q_OBJECT
public:
    ThemeStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};
