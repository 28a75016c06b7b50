#pragma once
// ChartTracker: while the mouse is over a chart's plot area, a thin line crosses the
// plot at the cursor (across at an altitude on the altitude charts, upright at a speed
// on the others), a small marker sits where it crosses each aircraft curve, and one box
// beside the cursor reads every crossed curve in legend order, with the difference
// between the two aircraft where both have a curve of the same kind. The turn-rate
// diagram's box also gives the full-turn time, the radius, the radial load and the
// load factor of a level turn.
//
// It draws on a buffered layer of its own, so a mouse move repaints that layer alone,
// never the curves. It never draws into a rendered picture (toPixmap, toPainter,
// savePdf), and its layer is empty whenever the mouse is not over the plot; a grab of
// the widget while the mouse is there calls Hide() first.
//
// What the box says comes from the plain functions below.
#include "core/measures.h"
#include "core/turn.h"
#include "presentation/plot_geometry.h"
#include "presentation/series.h"
#include "presentation/zoom.h"

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QVector>

#include <optional>

class QCPLayer;
class QCPPainter;
class ChartHost;

// What the tracker knows of one series of its chart.
struct CurveRole {
    int aircraft = 0;   // 1 or 2: a curve of the first or second aircraft; 0: not read
    int kind = -1;      // the curve's place in its aircraft's block: same place, same kind
    QString kindTitle;  // names the difference of that kind, e.g. "100%"
};

struct TrackerSetup {
    Qt::Orientation line = Qt::Vertical;  // Vertical: read at a speed; Horizontal: at an altitude
    bool turnFigures = false;             // time, radius and loads of a level turn
    QVector<CurveRole> curves;           // by series index
    // What the curves measure: the differences are written in its unit. None: in the
    // unit of the axis the values are read on.
    std::optional<Measure> measure;
};

// Where a series meets the tracker line at `at` (a bottom-axis value for a vertical
// line, a left-axis value for a horizontal one): the series read as a function of the
// line's axis, whatever order its points come in, as the verdict reads it
// (CurveValueAt), if that value lies within `within`. A point that is not finite breaks
// the line (a gap). Returns the crossing in chart coordinates.
std::optional<QPointF> LineCrossing(const TChartSeries &series, Qt::Orientation line, double at,
                                    const AxisSpan &within);


// A value as the box shows it (NumberStyle::Tracker): no decimals from 1000 up, one
// from 100, else two; trailing zeros dropped; "-" when not finite.
QString TrackerNumber(double value);

// One line of the box: its cells (a line of one cell spans the box) and its colour.
struct TrackerRow {
    QStringList cells;
    QColor color;
};

// Everything the tracker shows for its line at `at`: the box (its first line says
// where the line is; one line per crossed curve; then the differences, second aircraft
// minus first) and a marker at each crossing.
struct TrackerReading {
    QVector<TrackerRow> rows;
    QVector<QPointF> crossings;  // chart coordinates
    QVector<QColor> colors;      // of each crossing's curve
    int curves() const { return int(crossings.size()); }
};
// `titles` names each series (the curve's full name with its aircraft).
TrackerReading ReadAtLine(const TChartSeriesList &list, const TrackerSetup &setup, const QStringList &titles,
                           double at, const AxisSpan &within, const AxisTitle &bottom, const AxisTitle &left);

// Where a box of `size` goes beside the cursor: below right of it, flipped left or up
// where it would leave `bounds`, and kept inside them.
QRect PlaceTrackerBox(QSize size, QPoint cursor, const QRect &bounds);

class ChartTracker : public QObject {
    Q_OBJECT
public:
    explicit ChartTracker(ChartHost &chart);

    void Configure(const TrackerSetup &setup) { setup_ = setup; }
    const TrackerSetup &Setup() const { return setup_; }

    // The mouse is at `pos`: the tracker follows it inside the plot area and is hidden
    // elsewhere. Only the tracker's layer is redrawn.
    void MoveTo(QPoint pos);
    // Empties the tracker's layer until the next MoveTo: the mouse left, a drag began, or
    // a picture of the widget is about to be taken.
    void Hide();
    bool IsShown() const { return shown_; }
    QPoint Position() const { return pos_; }

    // What the tracker shows now (nothing while hidden).
    TrackerReading Reading() const;
    // The box's lines as text, cells joined by two spaces (tests and tool tips).
    QString BoxText() const;

    QCPLayer *Layer() const { return layer_; }
    // How often the tracker redrew its layer alone.
    int LayerReplotCount() const { return layerReplots_; }

    // Draws line, markers and box (the layer calls it).
    void Paint(QCPPainter *painter);

private:
    void replotLayer();

    ChartHost &chart_;
    TrackerSetup setup_;
    QCPLayer *layer_ = nullptr;
    bool shown_ = false;
    QPoint pos_;
    int layerReplots_ = 0;
};
