#pragma once
// The turn-rate diagram: each aircraft's turn rate by speed per flap setting, drawn
// over labelled reference lines of constant load factor (1 g to 6 g, series 9 to 14)
// and constant turn radius (100 m to 700 m, or 500 ft to 3,500 ft, series 15 to 21) in
// the units shown. Series 8 is never filled.
#include "catalogue/curves.h"
#include "charts/flaps.h"
#include "charts/refresh.h"
#include "core/units.h"
#include "presentation/chart_defs.h"
#include "presentation/series.h"
#include <QColor>
#include <QString>

// Rebuilds the thirteen reference lines, then fills series first + setting for each
// shown flap setting, setting by setting, up to the first whose row is missing or
// whose value is bad (that one keeps the points read before it; the error is raised
// at the end). first is 0 for the first aircraft and 4 for the second. A setting not
// filled keeps its series untouched. The lines' labels get labelColor (the window's
// button face) and are made transparent; the radius lines are named in `units`.
void FillTurnRateDiagram(TChartSeriesList &chart, const QString &name, const TurnCurves &turn,
                         int first, FlapSet shown, const QColor &labelColor, UnitSystem units = UnitSystem::Metric);

// Rebuilds the line of constant load factor n (1 to 6), labelled "n-g" on its second
// point.
void AddLoadFactorLine(TChartSeries &series, int n, const QColor &labelColor);

// Rebuilds the line of constant turn radius k steps (k from 1 to 7; RadiusLineStep),
// labelled "<100k>m" on its third point in speed order; in feet "<500k>ft", and then
// titled so too.
void AddRadiusLine(TChartSeries &series, int k, const QColor &labelColor, UnitSystem units = UnitSystem::Metric);
// The radius lines' step in the units' radius unit: every 100 m, or every 500 ft.
int RadiusLineStep(UnitSystem units);
// Redraws the radius lines already drawn on the diagram in `units`, titled as the
// chart's row `def` titles them in metric units.
void ShowRadiusLines(TChartSeriesList &chart, const ChartDef &def, const QColor &labelColor, UnitSystem units);

// Adds (speed, rate) after sliding the point toward the origin until its speed is at
// most 700 km/h.
void AddClampedPoint(TChartSeries &series, double speed, double rate);

// The turn-rate diagram's fill, for the comparison's table.
extern const ChartFill TurnRateFill;
