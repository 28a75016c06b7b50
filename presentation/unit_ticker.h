#pragma once
// The ticks of an axis whose metric values are shown in other units: round values of
// the shown unit (every 500 ft, every 50 mph), placed at their metric positions and
// labelled in the shown unit. The chart's values, its zoom, tracker and shading stay
// metric; only the ticks and their labels follow the units.
#include "core/units.h"

#include <qcustomplot.h>

class UnitTicker : public QCPAxisTicker {
public:
    UnitTicker(Quantity quantity, UnitSystem units) : quantity_(quantity), units_(units) {}

    void generate(const QCPRange &range, const QLocale &locale, QChar formatChar, int precision,
                  QVector<double> &ticks, QVector<double> *subTicks, QVector<QString> *tickLabels) override;

private:
    Quantity quantity_;
    UnitSystem units_;
};

// The ticker of an axis of `quantity` shown in `units`: the plain ticker where the
// values are shown as they are.
QSharedPointer<QCPAxisTicker> TickerFor(Quantity quantity, UnitSystem units);
