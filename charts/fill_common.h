#pragma once
// Helpers shared by the chart fillers: adding read points and titling series (the
// values themselves are read as catalogue/chart_values.h reads them).
#include "catalogue/chart_values.h"
#include "presentation/series.h"
#include <QString>
#include <QStringList>

// Reads the horizontal value (in row xRow), then the vertical one (in row yRow), and
// adds the point.
int AddReadPoint(TChartSeries &series, const QString &xText, int xRow, const QString &yText, int yRow);

// Gives an aircraft series its title (prefix followed by the aircraft name) and makes
// it active.
void TitleAndActivate(TChartSeries &series, const QString &prefix, const QString &name);
