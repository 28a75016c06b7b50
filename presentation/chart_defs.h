#pragma once
// A chart and its series as data: one row per chart and one row per series, in
// series-list order. The comparison's table (pages/comparison_table) holds the rows of
// the window's charts; BuildChart makes a chart from one.
#include "presentation/plot_geometry.h"
#include "presentation/series.h"
#include "core/measures.h"
#include "presentation/shading.h"

#include <QRgb>
#include <QString>
#include <QVector>

class QWidget;
class TChart;

// Whether a series is listed in the legend while active, and whether its marks show.
enum class Legend { Shown, Hidden };
enum class Marks { Shown, Hidden };

struct SeriesDef {
    QString name;  // component name, e.g. "HorizLineSeries1"
    SeriesKind kind;
    QString title;  // title at creation
    QRgb color;
    int penWidth;
    PenStyle penStyle;
    bool legend;  // shown in the legend while active
    bool marks;   // marks visible
    int aircraft;  // 1 or 2 for the curves of the first or second aircraft, else 0
    int curveKind;  // the curve's place in its aircraft's block (same kind, same place)
};

struct ChartDef {
    QString name;  // component name, e.g. "chrt_TASbyAlt"
    int tag;       // 1 to 4 on the mirror charts, 0 on the full-page charts
    QString title;
    AxisTitle bottom, left;  // with the quantity and unit the read-outs name
    QVector<SeriesDef> series;
    bool readByAltitude;  // the tracker line runs across at an altitude
    bool turnFigures;     // the tracker gives time, radius and load factor of a turn
    const ChartDef *mirrorOf;  // the chart a mirror chart copies, whose series titles name its curves
    ShadingSetup shading;  // which curves pair up and how they compare
    Measure measure;       // what its curves measure (of the 100 % curves on the altitude charts)

    // The series of aircraft 1 or 2, in list order.
    QVector<int> SeriesOf(int aircraft) const;
};

// Adds to a series list the series of a chart as its row gives them: component name,
// kind, title, colour, line, legend and marks.
void BuildSeries(TChartSeriesList &list, const ChartDef &def);

// Creates a chart from its row, keeping a reference to it: objectName, Tag, titles and
// all its series (BuildSeries), the tracker's and the shading's setup; its axes in `units`.
TChart *BuildChart(const ChartDef &def, QWidget *parent, UnitSystem units = UnitSystem::Metric);

// Shows the chart's axes in `units`: their titles, and ticks at round values of the
// unit. The values stay metric, so the zoom, the tracker and the shading keep theirs.
void ShowUnits(TChart &chart, UnitSystem units);

// Gives each mirror chart among `charts` the chart it mirrors, when that is among them
// too (the tracker names a mirror chart's curves by its partner's titles).
void PairPartners(const QVector<TChart *> &charts);
