#pragma once
// Helpers shared by the chart fillers: fetching table rows, cutting the speed row,
// reading chart values and titling series.
#include "core/error.h"
#include "presentation/series.h"
#include <QString>
#include <QStringList>

// Row `index` of a table. Raises "List index out of bounds (%d)" with the index when
// the table has no such row; the error carries that row, so the refresh names the
// aircraft and file that lack it.
const QString &FetchRow(const QStringList &rows, int index);

// A chart value read from text with ReadValue; a number that does not fit a chart point
// (not finite as a double) raises "Floating point overflow".
double ChartValue(const QString &text);

// A value's text and where it stands in its table: row and column, counted from 0.
struct Cell {
    const QString &text;
    int row, column;
};

// Runs read, which reads the value standing at `at`; an error it raises carries the
// value's row and column, so the refresh can say where it stands.
template <class Read>
auto ReadAt(const Cell &at, Read &&read) -> decltype(read())
{
    try {
        return read();
    } catch (const VarnelError &e) {
        throw e.InCell(at.row, at.column);
    }
}

// Reads the horizontal value, then the vertical one, and adds the point.
int AddReadPoint(TChartSeries &series, const Cell &x, const Cell &y);

// Gives an aircraft series its title (prefix followed by the aircraft name) and makes
// it active.
void TitleAndActivate(TChartSeries &series, const QString &prefix, const QString &name);
