#include "core/measures.h"

#include <QCoreApplication>

const MeasureRule &RuleOf(Measure m)
{
    static const MeasureRule rules[kMeasures] = {
        {.key = "speed-100", .unit = QT_TRANSLATE_NOOP("Varnel", "км/ч"), .byAltitude = true, .higherIsBetter = true, .evenUnder = 1.0},
        {.key = "speed-max", .unit = QT_TRANSLATE_NOOP("Varnel", "км/ч"), .byAltitude = true, .higherIsBetter = true, .evenUnder = 1.0},
        {.key = "climb-100", .unit = QT_TRANSLATE_NOOP("Varnel", "м/с"), .byAltitude = true, .higherIsBetter = true, .evenUnder = 0.1},
        {.key = "climb-max", .unit = QT_TRANSLATE_NOOP("Varnel", "м/с"), .byAltitude = true, .higherIsBetter = true, .evenUnder = 0.1},
        {.key = "climb-at-speed", .unit = QT_TRANSLATE_NOOP("Varnel", "м/с"), .byAltitude = false, .higherIsBetter = true, .evenUnder = 0.1},
        {.key = "turn-time", .unit = QT_TRANSLATE_NOOP("Varnel", "сек"), .byAltitude = false, .higherIsBetter = false, .evenUnder = 0.1},
        {.key = "turn-rate", .unit = QT_TRANSLATE_NOOP("Varnel", "град/сек"), .byAltitude = false, .higherIsBetter = true, .evenUnder = 0.1},
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
    return Converts(QuantityOf(m), units) ? UnitName(QuantityOf(m), units)
                                          : QCoreApplication::translate("Varnel", RuleOf(m).unit);
}
