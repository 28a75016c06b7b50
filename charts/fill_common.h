#pragma once
// Helpers shared by the chart fillers: fetching table rows, cutting the speed row,
// reading chart values and titling series.
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

// A chart value read from text with ReadValue; values that do not fit a chart point
// (not finite as a double) are refused with the same error as other non-numbers.
double ChartValue(const QString &text);

// Reads the horizontal value, then the vertical one, and adds the point.
int AddReadPoint(TChartSeries &series, const QString &xText, const QString &yText);

// Gives an aircraft series its title (prefix followed by the aircraft name) and makes
// it active.
void TitleAndActivate(TChartSeries &series, const QString &prefix, const QString &name);
