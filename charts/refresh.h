#pragma once
// The comparison refresh: rebuilds the charts that have a filler from the two selected
// aircraft and the flap settings shown, each aircraft's curves in its own series (as
// the chart's row says, presentation/chart_defs.h), then copies each filled chart onto
// the charts that mirror it.
#include "catalogue/aircraft.h"
#include "core/flap_set.h"
#include "presentation/chart_defs.h"
#include "presentation/series.h"
#include <QColor>
#include <QVector>

// What every filler is given besides its chart and aircraft.
struct FillContext {
    FlapSet shown;
    QColor labelColor;  // of the turn-rate diagram's line labels: the window's button face
    UnitSystem units = UnitSystem::Metric;  // of the turn-rate diagram's radius lines
};

// Fills one aircraft's series of a chart, the first of them at `first`, raising the
// error its reading stopped at.
using ChartFiller = void (*)(TChartSeriesList &chart, const Aircraft &aircraft, int first, const FillContext &context);
// Shows a filled chart's lines that depend on the units (none: the axes alone change).
using UnitsRedraw = void (*)(TChartSeriesList &chart, const ChartDef &def, const QColor &labelColor, UnitSystem units);

// How a chart is filled: the aircraft's file its values come from (named by a failure),
// its filler, and what a switch of units redraws.
struct ChartFill {
    QString Aircraft::*file = nullptr;
    ChartFiller fill = nullptr;
    UnitsRedraw units = nullptr;
};

// A chart as the refresh reads it: its row, its series and its fill (none on a mirror).
struct RefreshedChart {
    const ChartDef *def;
    TChartSeriesList *series;
    ChartFill fill;
};

struct ComparisonCharts {
    QVector<RefreshedChart> charts;
    QColor labelColor;
    UnitSystem units = UnitSystem::Metric;  // the units the charts are shown in
};

// first and second are the aircraft selected in the first and second tree, or null.
// Nothing is read from disk: the curves come from the aircraft values. Each filler runs
// on its own: one whose curve stops at a bad value draws the points read before it,
// under its own aircraft's name, and every other filler still runs. The mirrors are
// copied in any case; the first error is raised at the end, saying where its value
// stands.
void RefreshComparison(const ComparisonCharts &charts, const Aircraft *first, const Aircraft *second, FlapSet shown);
