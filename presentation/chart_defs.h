#pragma once
// The nine charts of the main window and their 58 series, as data: one row per chart
// and one row per series, in series-list order. BuildChart makes a chart from them.
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
    QString page;  // the page that holds it, e.g. "tab_SpeedByAlt"
    int tag;       // 1 to 4 on the mirror charts, 0 on the full-page charts
    QString title;
    AxisTitle bottom, left;  // with the quantity and unit the read-outs name
    QVector<SeriesDef> series;
    bool readByAltitude;  // the tracker line runs across at an altitude
    bool turnFigures;     // the tracker gives time, radius and load factor of a turn
    QString titleSource;  // the chart whose series titles name this one's curves
    ShadingSetup shading;  // which curves pair up and how they compare
    Measure measure;       // what its curves measure (of the 100 % curves on the altitude charts)
};

// All nine charts in the order of their pages: the four mirror charts, then the five
// full-page charts.
const QVector<ChartDef> &ChartDefs();
// The row of a chart by its component name, or nullptr.
const ChartDef *FindChartDef(const QString &chartName);
// Adds to a series list the series of the chart named `chartName`, as the tables give
// them: component name, kind, title, colour, line, legend and marks. An unknown name
// raises an error.
void BuildSeries(TChartSeriesList &list, const QString &chartName);

// Creates the chart named `chartName` with its objectName, Tag, titles and all its
// series (BuildSeries). An unknown name raises an error.
TChart *BuildChart(const QString &chartName, QWidget *parent);

// Shows the chart's axes in `units`: their titles, and ticks at round values of the
// unit. The values stay metric, so the zoom, the tracker and the shading keep theirs.
void ShowUnits(TChart &chart, UnitSystem units);

// Gives each chart among `charts` whose row names a partner that partner, when it is
// among them too (the tracker names a mirror chart's curves by its partner's titles).
void PairPartners(const QVector<TChart *> &charts);
