#include "Contrast.h"

#include <algorithm>
#include <cmath>

namespace Contrast {

namespace {

double channel(double value)
{
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double worst(const QColor &color, const QList<QColor> &backgrounds)
{
    double least = 21.0;
    for (const QColor &background : backgrounds)
        least = std::min(least, ratio(color, background));
    return least;
}

QColor mix(const QColor &from, const QColor &to, double share)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}

} // namespace

double ratio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readable(const QColor &color, const QList<QColor> &backgrounds, double minimum)
{
    if (backgrounds.isEmpty() || worst(color, backgrounds) >= minimum)
        return color;
    double darkest = 1.0;
    for (const QColor &background : backgrounds)
        darkest = std::min(darkest, luminance(background));
    // Dark backgrounds want a lighter colour, light ones a darker.
    const QColor target = darkest < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    // The least share of the target that reaches the minimum, judged on the
    // colour as it will be drawn (eight bits a channel).
    double enough = 1.0;
    double shortOf = 0.0;
    for (int step = 0; step < 10; ++step) {
        const double share = (enough + shortOf) / 2;
        if (worst(QColor(mix(color, target, share).rgb()), backgrounds) >= minimum)
            enough = share;
        else
            shortOf = share;
    }
    return QColor(mix(color, target, enough).rgb());
}

} // namespace Contrast
