#include "core/turn.h"

#include <cmath>
#include <limits>

namespace {
constexpr double MetresPerSecond(double kmh) { return kmh / 3.6; }
}  // namespace

TurnFigureSet TurnFigures(double speedKmh, double rateDegS)
{
    const double v = MetresPerSecond(speedKmh);
    const double omega = rateDegS * kPi / 180;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const bool turning = rateDegS > 0;
    const double radial = v * omega / kGravity;
    return {rateDegS, turning ? 360 / rateDegS : nan, turning ? v / omega : nan, radial,
            std::sqrt(1 + radial * radial)};
}

double LoadLineRate(double speedKmh, double g)
{
    const double circle = MetresPerSecond(speedKmh) * 6.28 / (g * 9.8);  // seconds a full turn takes
    return 360.0 / circle;
}

std::array<RadiusLinePoint, 3> RadiusLine(double metres)
{
    const double hundreds = metres / 100;
    return {{{33.0 * hundreds, 15.91 / 3.0}, {100.0 * hundreds, 15.91}, {200.0 * hundreds, 31.82}}};
}
