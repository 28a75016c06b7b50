#pragma once
// Zoom, restore and scroll decisions of a chart as plain functions of pixel rectangles
// and axis ranges, so they can be checked without a mouse or a widget.
#include "presentation/series.h"

#include <QPoint>
#include <QRect>

struct AxisSpan {
    double lower = 0, upper = 1;
    bool operator==(const AxisSpan &) const = default;
};

// What a chart shows: the bottom axis span and the left axis span.
struct ChartView {
    AxisSpan x, y;
    bool operator==(const ChartView &) const = default;
};

enum class DragAction { None, Zoom, Restore };

// Pixels a left drag must exceed both ways before it zooms or restores.
constexpr int ZoomMinimumPixels = 16;
// Steps of the zoom and restore animation.
constexpr int ZoomAnimationSteps = 8;

// A left drag from `from` to `to`: more than 16 pixels both horizontally and vertically
// zooms when it went rightwards and restores when it went leftwards; anything smaller
// does nothing.
DragAction LeftDragAction(QPoint from, QPoint to);

// The view showing the dragged rectangle, clamped to the plot area. A rectangle that
// is empty after clamping leaves the view as it is.
ChartView ZoomToPixelRect(const QRect &plotArea, const ChartView &view, QPoint from, QPoint to);

// The view after the content was dragged by `delta` pixels (a right drag): both axes
// follow the mouse.
ChartView ScrollByPixels(const QRect &plotArea, const ChartView &view, QPoint delta);

// Each notch of the mouse wheel (120 eighths of a degree) away from the user shows this
// share of each zoomed axis; towards the user, its inverse.
constexpr double WheelZoomFactor = 0.8;

// The value at a pixel column (row) of a plot area showing span `s`, as the plot maps it.
double xValueAt(const QRect &plotArea, const AxisSpan &s, double px);
double yValueAt(const QRect &plotArea, const AxisSpan &s, double py);

// The view zoomed about the pixel `at`: each axis span is multiplied by its factor (below
// 1 zooms in) so that the value under `at` stays under it.
ChartView ZoomAboutPixel(const QRect &plotArea, const ChartView &view, QPointF at, double factorX, double factorY);

// Step `step` of `steps` on the way from one view to another; the last step is `to`.
ChartView InterpolateView(const ChartView &from, const ChartView &to, int step, int steps);

// The automatic span of an axis from the model's range: smallest to largest value,
// within +-1e249; a single value gets one unit (or a millionth of itself) either side;
// no value at all shows 0 to 100.
AxisSpan AutoAxisSpan(const AxisRange &range);
