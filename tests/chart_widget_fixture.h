#pragma once
// Helpers shared by the chart widget tests: a shown chart with two curves of known
// points, comparing views, and finding lines and colours in a picture.
#include "presentation/chart.h"
#include "chart_table_fixture.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

inline QString u(const char *s) { return QString::fromUtf8(s); }

inline bool near(double a, double b, double tolerance = 1e-6) { return std::abs(a - b) <= tolerance; }

inline bool sameView(const ChartView &a, const ChartView &b, double tolerance = 1e-6)
{
    return near(a.x.lower, b.x.lower, tolerance) && near(a.x.upper, b.x.upper, tolerance)
        && near(a.y.lower, b.y.lower, tolerance) && near(a.y.upper, b.y.upper, tolerance);
}

inline QByteArray viewText(const ChartView &v)
{
    return QStringLiteral("x %1..%2 y %3..%4").arg(v.x.lower).arg(v.x.upper).arg(v.y.lower).arg(v.y.upper).toUtf8();
}

// A shown chart with two series of known points.
inline std::unique_ptr<TChart> shownChart()
{
    auto chart = std::unique_ptr<TChart>(BuildChart(QStringLiteral("chrt_TASbyAlt"), nullptr));
    chart->resize(640, 480);
    chart->show();
    if (!QTest::qWaitForWindowExposed(chart.get()))
        return nullptr;
    TChartSeries &a = chart->Series()[0];
    TChartSeries &b = chart->Series()[2];
    for (int h = 0; h <= 10000; h += 1000) {
        a.AddXY(500 + h / 100.0, h);
        b.AddXY(550 + h / 200.0, h);
    }
    chart->Series()[1].SetActive(false);
    chart->Series()[3].SetActive(false);
    chart->SyncNow();
    chart->replot(QCustomPlot::rpImmediateRefresh);
    return chart;
}

// Distance from p to the segment a-b, in pixels.
inline double segmentDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double len2 = QPointF::dotProduct(d, d);
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0.0;
    const QPointF q = a + t * d - p;
    return std::hypot(q.x(), q.y());
}

// How far the vertices of `line` stray from the polyline `through`.
inline double worstStray(const QVector<QPointF> &line, const QVector<QPointF> &through)
{
    double worst = 0;
    for (const QPointF &p : line) {
        double best = std::numeric_limits<double>::max();
        for (qsizetype i = 1; i < through.size(); ++i)
            best = std::min(best, segmentDistance(p, through[i - 1], through[i]));
        worst = std::max(worst, best);
    }
    return worst;
}

inline int colourDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// Whether a pixel close to `colour` lies within `reach` pixels of `at`.
inline bool colourNear(const QImage &image, QPointF at, QRgb colour, int reach = 2)
{
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy) {
            const QPoint p(qRound(at.x()) + dx, qRound(at.y()) + dy);
            if (image.rect().contains(p) && colourDistance(image.pixel(p), colour) < 60)
                return true;
        }
    return false;
}
