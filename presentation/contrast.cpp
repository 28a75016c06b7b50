#include "presentation/contrast.h"

#include <cmath>

namespace {
double Channel(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor &c)
{
    return 0.2126 * Channel(c.redF()) + 0.7152 * Channel(c.greenF()) + 0.0722 * Channel(c.blueF());
}
}  // namespace

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDarkGround(const QColor &ground) { return ground.lightness() < 128; }

QColor LegibleOn(const QColor &ink, const QColor &ground, double least)
{
    if (!IsDarkGround(ground))
        return ink;
    // Twenty steps toward white: the last is white, which stands out on any dark ground.
    QColor out = ink;
    for (int step = 1; step <= 20 && ContrastRatio(out, ground) < least; ++step) {
        const double t = step / 20.0;
        out = QColor::fromRgbF(float(ink.redF() + (1 - ink.redF()) * t), float(ink.greenF() + (1 - ink.greenF()) * t),
                               float(ink.blueF() + (1 - ink.blueF()) * t), ink.alphaF());
    }
    return out;
}

QPalette ChartPalette(const QPalette &desktop)
{
    if (!IsDarkGround(desktop.color(QPalette::Window)))
        return desktop;
    return QPalette(QColor(0xEF, 0xEF, 0xEF));
}
