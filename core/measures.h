#pragma once
// What two aircraft are compared on: each measure with its key, its unit, the axis it
// runs along, which way is better and the difference under which the two are even. The
// shading, the verdict and the tracker all read this one table.
#include "core/units.h"

#include <QString>

// The first four run along the altitude, the others along the speed.
enum class Measure { Speed100, SpeedMax, Climb100, ClimbMax, ClimbAtSpeed, TurnTime, TurnRate };
constexpr int kMeasures = 7;

struct MeasureRule {
    const char *key;       // English name in tsv and json, e.g. "speed-100"
    const char *unit;      // of the measured value, its Russian source, e.g. "км/ч"
    bool byAltitude;       // along the altitude (m), else along the speed (km/h)
    bool higherIsBetter;   // else the lower value is better (a shorter turn)
    double evenUnder;      // a smaller difference either way is even
};
const MeasureRule &RuleOf(Measure m);
// What a measure's values are, and what the axis it runs along is (altitude or speed).
Quantity QuantityOf(Measure m);
inline Quantity AlongOf(Measure m) { return RuleOf(m).byAltitude ? Quantity::Altitude : Quantity::Speed; }
// The unit of a measure's values as shown, in the language shown.
QString MeasureUnit(Measure m, UnitSystem units);
