#include "presentation/zoom.h"
#include <cmath>

#include <algorithm>
#include <cstdlib>

DragAction LeftDragAction(QPoint from, QPoint to)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (std::abs(dx) <= ZoomMinimumPixels || std::abs(dy) <= ZoomMinimumPixels)
        return DragAction::None;
    return dx > 0 ? DragAction::Zoom : DragAction::Restore;
}

// The same mapping as the plot uses: the lower value at the left (bottom) edge, the
// upper value one width (height) further on.
double xValueAt(const QRect &area, const AxisSpan &s, double px)
{
    return s.lower + (px - area.left()) / area.width() * (s.upper - s.lower);
}

double yValueAt(const QRect &area, const AxisSpan &s, double py)
{
    return s.lower + (area.bottom() - py) / area.height() * (s.upper - s.lower);
}


ChartView ZoomToPixelRect(const QRect &plotArea, const ChartView &view, QPoint from, QPoint to)
{
    if (plotArea.width() <= 0 || plotArea.height() <= 0)
        return view;
    const int x0 = std::clamp(std::min(from.x(), to.x()), plotArea.left(), plotArea.right());
    const int x1 = std::clamp(std::max(from.x(), to.x()), plotArea.left(), plotArea.right());
    const int y0 = std::clamp(std::min(from.y(), to.y()), plotArea.top(), plotArea.bottom());
    const int y1 = std::clamp(std::max(from.y(), to.y()), plotArea.top(), plotArea.bottom());
    if (x0 == x1 || y0 == y1)
        return view;
    ChartView out;
    out.x = {xValueAt(plotArea, view.x, x0), xValueAt(plotArea, view.x, x1)};
    out.y = {yValueAt(plotArea, view.y, y1), yValueAt(plotArea, view.y, y0)};
    return out;
}

ChartView ScrollByPixels(const QRect &plotArea, const ChartView &view, QPoint delta)
{
    if (plotArea.width() <= 0 || plotArea.height() <= 0)
        return view;
    const double dx = -delta.x() * (view.x.upper - view.x.lower) / plotArea.width();
    const double dy = delta.y() * (view.y.upper - view.y.lower) / plotArea.height();
    return {{view.x.lower + dx, view.x.upper + dx}, {view.y.lower + dy, view.y.upper + dy}};
}

ChartView ZoomAboutPixel(const QRect &plotArea, const ChartView &view, QPointF at, double factorX, double factorY)
{
    if (plotArea.width() <= 0 || plotArea.height() <= 0)
        return view;
    auto scale = [](const AxisSpan &s, double fixed, double factor) -> AxisSpan {
        return {fixed + (s.lower - fixed) * factor, fixed + (s.upper - fixed) * factor};
    };
    return {scale(view.x, xValueAt(plotArea, view.x, at.x()), factorX), scale(view.y, yValueAt(plotArea, view.y, at.y()), factorY)};
}

ChartView InterpolateView(const ChartView &from, const ChartView &to, int step, int steps)
{
    if (steps <= 0 || step >= steps)
        return to;
    const double t = double(std::max(step, 0)) / steps;
    auto mix = [t](double a, double b) { return a + (b - a) * t; };
    return {{mix(from.x.lower, to.x.lower), mix(from.x.upper, to.x.upper)},
            {mix(from.y.lower, to.y.lower), mix(from.y.upper, to.y.upper)}};
}

AxisSpan AutoAxisSpan(const AxisRange &range)
{
    if (!range.valid)
        return {0, 100};
    // The drawing engine takes no axis beyond about 1e250 either way: absurd values
    // are shown at that edge rather than leaving the axis where it was.
    constexpr double limit = 1e249;
    const double lo = std::clamp(range.min, -limit, limit);
    const double hi = std::clamp(range.max, -limit, limit);
    if (lo == hi) {
        const double pad = std::max(1.0, std::abs(lo) * 1e-6);
        return {lo - pad, hi + pad};
    }
    return {lo, hi};
}
