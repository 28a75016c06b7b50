#pragma once
// What two aircraft are compared on: each measure with its key, its label and verb,
// what its values are and their unit, the decimals it is written with, the axis it
// runs along, whether it is compared per flap setting, which way is better and the
// difference under which the two are even. The charts, the shading, the verdict and
// the tracker all read this one table.
#include "core/units.h"

#include <QString>

#include <iterator>

enum class Measure { Speed100, SpeedMax, Climb100, ClimbMax, ClimbAtSpeed, TurnTime, TurnRate };
// Every measure, in the order the verdict lists them.
constexpr Measure kAllMeasures[] = {Measure::Speed100, Measure::SpeedMax,     Measure::Climb100, Measure::ClimbMax,
                                    Measure::ClimbAtSpeed, Measure::TurnTime, Measure::TurnRate};
constexpr int kMeasures = int(std::size(kAllMeasures));

struct MeasureRule {
    Measure measure;
    const char *key;       // English name in tsv and json, e.g. "speed-100"
    const char *label;     // how the verdict names it, its Russian source
    const char *verb;      // what the better one does, its Russian source ("быстрее")
    Quantity quantity;     // what its values are
    const char *unit;      // of the measured value, its Russian source, e.g. "км/ч"
    int decimals;          // in metric units
    bool byAltitude;       // along the altitude (m), else along the speed (km/h)
    bool perFlap;          // compared for each flap setting shown
    bool higherIsBetter;   // else the lower value is better (a shorter turn)
    double evenUnder;      // a smaller difference either way is even
    const char *power = nullptr;  // the engine power it is flown at ("100%", "MAX"), where it names one
};
const MeasureRule &RuleOf(Measure m);
// What a measure's values are, and what the axis it runs along is (altitude or speed).
inline Quantity QuantityOf(Measure m) { return RuleOf(m).quantity; }
inline Quantity AlongOf(Measure m) { return RuleOf(m).byAltitude ? Quantity::Altitude : Quantity::Speed; }
// The unit of a measure's values as shown, in the language shown.
QString MeasureUnit(Measure m, UnitSystem units);
