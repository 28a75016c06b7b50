#include "core/measures.h"

#include <QCoreApplication>

namespace {
constexpr bool ByAltitude = true, BySpeed = false, PerFlap = true, Once = false, Higher = true, Lower = false;

const MeasureRule kRules[] = {
    {Measure::Speed100, "speed-100", QT_TRANSLATE_NOOP("Varnel", "Скорость 100%"), QT_TRANSLATE_NOOP("Varnel", "быстрее"),
     Quantity::Speed, QT_TRANSLATE_NOOP("Varnel", "км/ч"), 0, ByAltitude, Once, Higher, 1.0, "100%"},
    {Measure::SpeedMax, "speed-max", QT_TRANSLATE_NOOP("Varnel", "Скорость MAX"), QT_TRANSLATE_NOOP("Varnel", "быстрее"),
     Quantity::Speed, QT_TRANSLATE_NOOP("Varnel", "км/ч"), 0, ByAltitude, Once, Higher, 1.0, "MAX"},
    {Measure::Climb100, "climb-100", QT_TRANSLATE_NOOP("Varnel", "Скороподъемность 100%"),
     QT_TRANSLATE_NOOP("Varnel", "лучше набирает высоту"), Quantity::Climb, QT_TRANSLATE_NOOP("Varnel", "м/с"), 1,
     ByAltitude, Once, Higher, 0.1, "100%"},
    {Measure::ClimbMax, "climb-max", QT_TRANSLATE_NOOP("Varnel", "Скороподъемность MAX"),
     QT_TRANSLATE_NOOP("Varnel", "лучше набирает высоту"), Quantity::Climb, QT_TRANSLATE_NOOP("Varnel", "м/с"), 1,
     ByAltitude, Once, Higher, 0.1, "MAX"},
    {Measure::ClimbAtSpeed, "climb-at-speed", QT_TRANSLATE_NOOP("Varnel", "Скороподъемность при постоянной скорости"),
     QT_TRANSLATE_NOOP("Varnel", "лучше набирает высоту"), Quantity::Climb, QT_TRANSLATE_NOOP("Varnel", "м/с"), 1,
     BySpeed, Once, Higher, 0.1},
    {Measure::TurnTime, "turn-time", QT_TRANSLATE_NOOP("Varnel", "Время виража"),
     QT_TRANSLATE_NOOP("Varnel", "быстрее выполняет вираж"), Quantity::Time, QT_TRANSLATE_NOOP("Varnel", "сек"), 1,
     BySpeed, PerFlap, Lower, 0.1},
    {Measure::TurnRate, "turn-rate", QT_TRANSLATE_NOOP("Varnel", "Угловая скорость виража"),
     QT_TRANSLATE_NOOP("Varnel", "быстрее разворачивается"), Quantity::TurnRate, QT_TRANSLATE_NOOP("Varnel", "град/сек"), 1,
     BySpeed, PerFlap, Higher, 0.1},
};
static_assert(std::size(kRules) == std::size(kAllMeasures), "every measure needs its rule");
}  // namespace

const MeasureRule &RuleOf(Measure m)
{
    for (const MeasureRule &rule : kRules)
        if (rule.measure == m)
            return rule;
    return kRules[0];  // every measure has its row (above)
}

QString MeasureUnit(Measure m, UnitSystem units)
{
    return Converts(QuantityOf(m), units) ? UnitName(QuantityOf(m), units)
                                          : QCoreApplication::translate("Varnel", RuleOf(m).unit);
}
