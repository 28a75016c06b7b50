#include "presentation/unit_ticker.h"

void UnitTicker::generate(const QCPRange &range, const QLocale &locale, QChar formatChar, int precision,
                          QVector<double> &ticks, QVector<double> *subTicks, QVector<QString> *tickLabels)
{
    // Round ticks of the shown range, labelled as they are, then put back where their
    // metric values lie.
    const QCPRange shown(ToShown(quantity_, range.lower, units_), ToShown(quantity_, range.upper, units_));
    QCPAxisTicker::generate(shown, locale, formatChar, precision, ticks, subTicks, tickLabels);
    for (double &t : ticks)
        t = FromShown(quantity_, t, units_);
    if (subTicks)
        for (double &t : *subTicks)
            t = FromShown(quantity_, t, units_);
}

QSharedPointer<QCPAxisTicker> TickerFor(Quantity quantity, UnitSystem units)
{
    if (!Converts(quantity, units))
        return QSharedPointer<QCPAxisTicker>::create();
    return QSharedPointer<UnitTicker>::create(quantity, units);
}
