#include "core/measures.h"

const MeasureRule &RuleOf(Measure m)
{
    static const MeasureRule rules[kMeasures] = {
        {.key = "speed-100", .unit = u"км/ч", .byAltitude = true, .higherIsBetter = true, .evenUnder = 1.0},
        {.key = "speed-max", .unit = u"км/ч", .byAltitude = true, .higherIsBetter = true, .evenUnder = 1.0},
        {.key = "climb-100", .unit = u"м/с", .byAltitude = true, .higherIsBetter = true, .evenUnder = 0.1},
        {.key = "climb-max", .unit = u"м/с", .byAltitude = true, .higherIsBetter = true, .evenUnder = 0.1},
        {.key = "climb-at-speed", .unit = u"м/с", .byAltitude = false, .higherIsBetter = true, .evenUnder = 0.1},
        {.key = "turn-time", .unit = u"сек", .byAltitude = false, .higherIsBetter = false, .evenUnder = 0.1},
        {.key = "turn-rate", .unit = u"град/сек", .byAltitude = false, .higherIsBetter = true, .evenUnder = 0.1},
    };
    return rules[int(m)];
}

Quantity QuantityOf(Measure m)
{
    switch (m) {
    case Measure::Speed100:
    case Measure::SpeedMax:
        return Quantity::Speed;
    case Measure::Climb100:
    case Measure::ClimbMax:
    case Measure::ClimbAtSpeed:
        return Quantity::Climb;
    case Measure::TurnTime:
        return Quantity::Time;
    case Measure::TurnRate:
        return Quantity::TurnRate;
    }
    return Quantity::Speed;
}

QString MeasureUnit(Measure m, UnitSystem units)
{
    return Converts(QuantityOf(m), units) ? UnitName(QuantityOf(m), units) : UnitOf(m);
}
