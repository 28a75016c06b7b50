#pragma once
// Helpers shared by the chart fillers: adding read points and titling series (the
// values themselves are read as catalogue/chart_values.h reads them).
#include "catalogue/chart_values.h"
#include "presentation/series.h"
#include <QString>
#include <QStringList>

// Reads the horizontal value, then the vertical one, and adds the point.
int AddReadPoint(TChartSeries &series, const Cell &x, const Cell &y);

// Gives an aircraft series its title (prefix followed by the aircraft name) and makes
// it active.
void TitleAndActivate(TChartSeries &series, const QString &prefix, const QString &name);
