#pragma once
// Helpers shared by the chart fillers: fetching table rows, cutting the speed row,
// reading chart values and titling series.
#include "core/error.h"
#include "presentation/series.h"
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

// Runs read, which reads a value standing in row `row` of its table (counted from 0);
// an error it raises carries that row, so the refresh can say where the value stands.
template <class Read>
auto ReadInRow(int row, Read &&read) -> decltype(read())
{
    try {
        return read();
    } catch (const VarnelError &e) {
        throw e.InRow(row);
    }
}

// Reads the horizontal value (in row xRow), then the vertical one (in row yRow), and
// adds the point.
int AddReadPoint(TChartSeries &series, const QString &xText, int xRow, const QString &yText, int yRow);

// Gives an aircraft series its title (prefix followed by the aircraft name) and makes
// it active.
void TitleAndActivate(TChartSeries &series, const QString &prefix, const QString &name);
