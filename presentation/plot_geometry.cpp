#include "presentation/plot_geometry.h"

#include "core/view.h"
#include "core/language.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <limits>

QVector<QPointF> ThinPolyline(const QVector<QPointF> &line)
{
    if (line.size() < ThinningMinimumVertices)
        return line;
    QVector<QPointF> kept;
    kept.reserve(line.size());
    kept.push_back(line.front());
    for (qsizetype i = 1; i + 1 < line.size(); ++i) {
        const QPointF &p = line[i];
        const QPointF &last = kept.back();
        const double dx = p.x() - last.x(), dy = p.y() - last.y();
        if (dx * dx + dy * dy >= 1.0 || !std::isfinite(dx + dy))
            kept.push_back(p);
    }
    kept.push_back(line.back());
    return kept;
}

int SegmentsCrossing(const QRectF &r, const QVector<QPointF> &line)
{
    int n = 0;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1], b = line[i];
        if (std::max(a.x(), b.x()) < r.left() || std::min(a.x(), b.x()) > r.right()
            || std::max(a.y(), b.y()) < r.top() || std::min(a.y(), b.y()) > r.bottom())
            continue;
        if (r.contains(a) || r.contains(b)) {
            ++n;
            continue;
        }
        const QLineF seg(a, b);
        const QLineF edges[] = {{r.topLeft(), r.topRight()}, {r.topRight(), r.bottomRight()},
                                {r.bottomRight(), r.bottomLeft()}, {r.bottomLeft(), r.topLeft()}};
        for (const QLineF &e : edges)
            if (seg.intersects(e, nullptr) == QLineF::BoundedIntersection) {
                ++n;
                break;
            }
    }
    return n;
}

PointRef NearestPoint(const TChartSeriesList &list, const PixelMap &toPixel, QPointF pos, double reach)
{
    double best = std::numeric_limits<double>::max();
    PointRef found;
    for (int i = 0; i < list.Count(); ++i) {
        const TChartSeries &s = list[i];
        if (!s.Active())
            continue;
        for (int j = 0; j < s.Count(); ++j) {
            const QPointF p = toPixel(s.XValues[j], s.YValues[j]);
            const double d = std::hypot(p.x() - pos.x(), p.y() - pos.y());
            if (d < best) {
                best = d;
                found = {i, j};
            }
        }
    }
    return found.valid() && best <= reach ? found : PointRef{};
}

AxisTitle ShownAxisTitle(const AxisTitle &metric, UnitSystem units)
{
    AxisTitle shown = metric;
    shown.units = units;
    if (!Converts(metric.kind, units))
        return shown;
    shown.unit = UnitName(metric.kind, units);
    shown.text = metric.quantity + QStringLiteral(" (") + shown.unit + QLatin1Char(')');
    return shown;
}

QString AxisTitleText(const AxisTitle &axis)
{
    if (!Converts(axis.kind, axis.units))
        return Translated(axis.text);
    return Translated(axis.quantity) + QStringLiteral(" (") + axis.unit + QLatin1Char(')');
}

QString AxisReadout(const AxisTitle &axis, double shown) { return AxisReadoutLine(axis, NumberText(shown, {ChartDecimals})); }

QString AxisReadoutLine(const AxisTitle &axis, const QString &number)
{
    QString text = number;
    if (!axis.unit.isEmpty())
        text += QLatin1Char(' ') + Translated(axis.unit);
    return axis.quantity.isEmpty() ? text : Translated(axis.quantity) + QLatin1String(": ") + text;
}

QString PointReadout(const TChartSeries &s, int point, const AxisTitle &bottom, const AxisTitle &left)
{
    const QString title = s.Title().isEmpty() ? s.Name() : Translated(s.Title());
    const auto line = [](const AxisTitle &axis, double metric) {
        return AxisReadoutLine(axis, ShownNumber(axis.kind, metric, axis.units, {ChartDecimals}));
    };
    return title + QLatin1Char('\n') + line(bottom, s.XValues[point]) + QLatin1Char('\n') + line(left, s.YValues[point]);
}
