#pragma once
// Maximum true airspeed and maximum rate of climb by altitude, at the 100% and MAX
// power settings, from an aircraft's speed file.
#include "catalogue/curves.h"
#include "charts/refresh.h"
#include "presentation/series.h"
#include <QString>

#include <array>

// Fills series first ("100% ") and first + 1 ("MAX ") of both charts with one point
// per speed-file row, altitude on the vertical axis, in file order, up to the first
// bad value, which it then raises. first is 0 for the first aircraft and 2 for the
// second.
void FillAltitudeCharts(TChartSeriesList &speedChart, TChartSeriesList &climbChart,
                        const QString &name, const AltitudeProfiles &profiles, int first);

// The same for one chart: its speed or its climb profiles.
enum class AltitudeChart { Speed, Climb };
void FillAltitudeChart(TChartSeriesList &chart, const QString &name, const AltitudeProfiles &profiles, int first,
                       AltitudeChart which);

// The speed and climb charts' fills, for the comparison's table.
extern const ChartFill SpeedByAltitudeFill, ClimbByAltitudeFill;
