#pragma once
// What a chart computes in pixels, as plain functions: the thinning of a long curve
// before it is stroked, which drawn point the mouse is near, the text of the point
// read-out, and how many lines run through a corner of the plot.
#include "core/units.h"
#include "presentation/series.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>
#include <functional>

// Curves shorter than this are drawn as they are.
constexpr int ThinningMinimumVertices = 64;
// Pixels within which the mouse reads out a drawn point.
constexpr int ReadoutReach = 40;
// Pixels within which the mouse rests on a point: named even where the tracker reads.
constexpr int RestingReach = 5;

// A curve's pixel polyline less every vertex closer than one pixel to the last one
// kept; the first and last vertices always stay, and so does any vertex that is not
// finite. Polylines shorter than ThinningMinimumVertices come back unchanged.
QVector<QPointF> ThinPolyline(const QVector<QPointF> &line);

// How many segments of a polyline touch a rectangle.
int SegmentsCrossing(const QRectF &rect, const QVector<QPointF> &line);

// Where a chart value pair lands in pixels (the chart's axes give it).
using PixelMap = std::function<QPointF(double x, double y)>;

struct PointRef {
    int series = -1, point = -1;
    bool valid() const { return series >= 0; }
};

// The point of an active series drawn nearest to `pos`, if it is no more than `reach`
// pixels away; on equal distances the first in list and point order.
PointRef NearestPoint(const TChartSeriesList &list, const PixelMap &toPixel, QPointF pos, double reach);

// An axis: its title as drawn, and the quantity and unit a read-out names with a value
// ("Скорость (км/ч)" is the quantity "Скорость" in "км/ч"; "Град./сек" a unit alone);
// what its values are and the units they are shown in (the chart's values stay metric).
struct AxisTitle {
    QString text, quantity, unit;
    Quantity kind = Quantity::Time;  // time: shown as it is in every system
    UnitSystem units = UnitSystem::Metric;
    double Shown(double metric) const { return ToShown(kind, metric, units); }
};

// The axis as shown in `units`: the metric title itself in metric units or where the
// unit stays, else the quantity with the unit's name ("Скорость (mph)").
AxisTitle ShownAxisTitle(const AxisTitle &metric, UnitSystem units);

// The axis title as the chosen language shows it: "Speed (mph)" in English.
QString AxisTitleText(const AxisTitle &axis);

// One line of a point read-out of a value as shown (AxisTitle::Shown): "Скорость: 350
// км/ч", or "20.8 Град./сек" for an axis with a unit alone; the number to ChartDecimals.
QString AxisReadout(const AxisTitle &axis, double shown);
// The same line for a number already written.
QString AxisReadoutLine(const AxisTitle &axis, const QString &number);

// The read-out of a point: the series' title (its component name when untitled), then
// one line for each axis.
QString PointReadout(const TChartSeries &series, int point, const AxisTitle &bottom, const AxisTitle &left);

// Decimals of a value as a mark or read-out shows it (NumberStyle::Plain).
constexpr int ChartDecimals = 3;
