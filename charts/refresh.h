#pragma once
// The comparison refresh: rebuilds the five full-size charts from the two selected
// aircraft and the flap settings shown, then copies four of them onto the common page.
#include "catalogue/aircraft.h"
#include "core/flap_set.h"
#include "presentation/series.h"
#include <QColor>

struct ComparisonCharts {
    TChartSeriesList &TASbyAlt, &MaxROCbyAlt, &ROCatConst, &TurnbySpeed, &FunPlot;
    TChartSeriesList &C1, &C2, &C3, &C4;  // mirrors of the first four, series by series
    QColor labelColor;  // of the turn-rate diagram's line labels: the window's button face
};

// first and second are the aircraft selected in the first and second tree, or null.
// Nothing is read from disk: the curves come from the aircraft values. Each filler runs
// on its own: one whose curve stops at a bad value draws the points read before it,
// under its own aircraft's name, and every other filler still runs. The mirrors are
// copied in any case; the first error is raised at the end, saying where its value
// stands.
void RefreshComparison(ComparisonCharts &charts, const Aircraft *first, const Aircraft *second, FlapSet shown);
