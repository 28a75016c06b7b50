#pragma once
// Maximum true airspeed and maximum rate of climb by altitude, at the 100% and MAX
// power settings, from an aircraft's speed file.
#include "presentation/series.h"
#include <QString>
#include <QStringList>

// Fills series first ("100% ") and first + 1 ("MAX ") of both charts with one point
// per speed-file row, altitude on the vertical axis, in file order. first is 0 for the
// first aircraft and 2 for the second.
void FillAltitudeCharts(TChartSeriesList &speedChart, TChartSeriesList &climbChart,
                        const QString &name, const QStringList &lst_Speed, int first);
