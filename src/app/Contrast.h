#pragma once

#include <QColor>
#include <QList>

// Contrast between colours as the accessibility guidelines count it: 1 for
// the same colour up to 21 for black on white; 4.5 is the least for text.
namespace Contrast {

double ratio(const QColor &a, const QColor &b);
// The colour moved towards white or black (whichever the backgrounds need)
// just far enough to reach `minimum` against every background; unchanged when it does.
QColor readable(const QColor &color, const QList<QColor> &backgrounds, double minimum = 4.5);

} // namespace Contrast
