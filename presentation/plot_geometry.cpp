#include "presentation/plot_geometry.h"

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

TPointRef NearestPoint(const TChartSeriesList &list, const TPixelMap &toPixel, QPointF pos, double reach)
{
    double best = std::numeric_limits<double>::max();
    TPointRef found;
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
    return found.valid() && best <= reach ? found : TPointRef{};
}

QString ChartNumberText(double v)
{
    QString s = QString::number(v, 'f', 3);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString AxisReadout(const QString &axisTitle, double value)
{
    const QString title = axisTitle.trimmed();
    const int open = title.lastIndexOf(QLatin1Char('('));
    if (open >= 0 && title.endsWith(QLatin1Char(')'))) {
        const QString name = title.left(open).trimmed();
        const QString unit = title.mid(open + 1, title.size() - open - 2).trimmed();
        return name.isEmpty() ? ChartNumberText(value) + QLatin1Char(' ') + unit
                              : name + QLatin1String(": ") + ChartNumberText(value) + QLatin1Char(' ') + unit;
    }
    return title.isEmpty() ? ChartNumberText(value) : ChartNumberText(value) + QLatin1Char(' ') + title;
}

QString PointReadout(const TChartSeries &s, int point, const QString &bottomTitle, const QString &leftTitle)
{
    const QString title = s.Title().isEmpty() ? s.Name() : s.Title();
    return title + QLatin1Char('\n') + AxisReadout(bottomTitle, s.XValues[point]) + QLatin1Char('\n')
        + AxisReadout(leftTitle, s.YValues[point]);
}
