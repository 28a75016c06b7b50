#pragma once
// The comparison refresh: rebuilds the five full-size charts from the two selected
// aircraft and the flap flags, then copies four of them onto the common page.
#include "catalogue/node_data.h"
#include "charts/flaps.h"
#include "presentation/series.h"
#include <QColor>
#include <QString>
#include <QStringList>

struct ComparisonCharts {
    TChartSeriesList &TASbyAlt, &MaxROCbyAlt, &ROCatConst, &TurnbySpeed, &FunPlot;
    TChartSeriesList &C1, &C2, &C3, &C4;  // mirrors of the first four, series by series
    QColor labelColor;  // of the turn-rate diagram's line labels: the window's button face
};

// An aircraft chosen in one of the trees: its name, the tables of its root item and
// the summary captions the tree shows under it (the charts do not need them).
struct SelectedAircraft {
    QString name;
    const TNodeData *data;
    QStringList summary = {};
};

// first and second are the aircraft selected in the first and second tree, or null.
// A selection without data (an aircraft whose files did not load) draws nothing.
// Each filler runs on its own: one that raises an error keeps the points it read
// before the bad value, under its own aircraft's name, and every other filler still
// runs. The mirrors are copied in any case; the first error is raised at the end.
void RefreshComparison(ComparisonCharts &charts, const SelectedAircraft *first,
                       const SelectedAircraft *second, const FlapMarks &marked);
