#pragma once
// Rate of climb at constant true airspeed, and full-turn time by speed for each flap
// setting, from an aircraft's turn file (rows 0 to 5, columns paired by position).
#include "catalogue/curves.h"
#include "charts/flaps.h"
#include "charts/refresh.h"
#include "presentation/series.h"
#include <QString>

// Series index ("climb " + name): one point (speed, rate of climb) per column of
// rows 0 and 1. index is 0 for the first aircraft and 1 for the second.
void FillClimbAtSpeed(TChartSeriesList &chart, const QString &name, const SpeedCurve &climb, int index);

// Series first to first + 3 (flap settings none, 1, 2, 3), all titled and made active;
// only the shown settings get points (speed, turn time). first is 0 for the first
// aircraft and 4 for the second.
void FillTurnTimes(TChartSeriesList &chart, const QString &name, const TurnCurves &turn, int first, FlapSet shown);

// The climb-at-speed and turn-time charts' fills, for the comparison's table.
extern const ChartFill ClimbAtSpeedFill, TurnTimesFill;
