#pragma once
// The physics of a level turn, written once, with one g and one pi: what the tracker
// reads off the turn-rate diagram and what its reference lines stand for.
#include <array>
#include <numbers>

constexpr double kGravity = 9.81;  // m/s²
constexpr double kPi = std::numbers::pi;

// A level turn at `speedKmh` turning `rateDegS` degrees per second: the full-turn time
// (360 / rate, s), the radius (V / omega, m), the radial load V omega / g (in g, what the
// diagram's "3-g" line stands for) and the load factor a level turn needs,
// sqrt(1 + (V omega / g)^2); V in m/s, omega in rad/s. Time and radius are NaN for a
// rate that is not positive.
struct TurnFigureSet {
    double rate, time, radius, radialLoad, loadFactor;
};
TurnFigureSet TurnFigures(double speedKmh, double rateDegS);

// The turn-rate diagram's reference lines, the turn rate (degrees per second) by speed
// (km/h) for a radial load of `g` g and on a circle of `metres`: the figures above, as
// the diagram has always drawn them, with its own rounded figures (2 pi as 6.28, g as
// 9.8 on the load lines; 15.91 degrees per second at 100 km/h on 100 m, the radius
// lines' points at a third (33 %), one and two times the speed). The exact figures
// would move each line by up to half a pixel; the pictures keep them as they are.
double LoadLineRate(double speedKmh, double g);
struct RadiusLinePoint {
    double speed, rate;
};
std::array<RadiusLinePoint, 3> RadiusLine(double metres);
