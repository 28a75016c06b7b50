#pragma once
// Values read from the tables exactly as the charts draw them: the rows fetched, the
// speed columns taken, every number cut to three decimals, turn times as turn rates.
#include "core/error.h"

#include <QString>
#include <QStringList>

// Row `index` of a table. Raises "List index out of bounds (%d)" with the index when
// the table has no such row.
const QString &FetchRow(const QStringList &rows, int index);

// Takes the next speed column off a turn-file speed row (row 0). Like CutField, but a
// rest without its closing tab is taken as the last column, so the row always shrinks
// and the loops over it end.
QString CutSpeedField(QString &row);

// A chart value read from text with ReadValue; a number that does not fit a chart point
// (not finite as a double) raises "Floating point overflow".
double ChartValue(const QString &text);

// A full-turn time in seconds read from text, as a turn rate in degrees per second
// cut toward zero to three decimals. Raises "Floating point division by zero" for a
// time of zero, "Floating point overflow" for a rate too large for a chart.
double TurnTimeToRate(const QString &text);

// Runs read, which reads a value standing in row `row` of its table (counted from 0);
// an error it raises carries that row, so the caller can say where the value stands.
template <class Read>
auto ReadInRow(int row, Read &&read) -> decltype(read())
{
    try {
        return read();
    } catch (const VarnelError &e) {
        throw e.InRow(row);
    }
}
