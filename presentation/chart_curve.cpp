#include "presentation/chart_curve.h"

#include "presentation/plot_geometry.h"

#include <algorithm>

QPen SeriesPen(const TChartSeries &s)
{
    QPen pen(s.SeriesColor(), std::max(1, s.LinePen().Width));
    if (s.LinePen().Style == PenStyle::SmallDots)
        pen.setDashPattern({1, 1});  // one pixel on, one off
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QSize LegendEntry::minimumOuterSizeHint() const
{
    const Measured now{mPlottable ? mPlottable->name() : QString(), getFont(), mMargins, mParentLegend->iconSize(),
                       mParentLegend->iconTextPadding()};
    if (!hint_.isValid() || !(now == measured_)) {
        hint_ = QCPPlottableLegendItem::minimumOuterSizeHint();
        measured_ = now;
    }
    return hint_;
}

void ChartCurve::drawCurveLine(QCPPainter *painter, const QVector<QPointF> &lines) const
{
    if (lines.size() < ThinningMinimumVertices) {
        QCPCurve::drawCurveLine(painter, lines);
        return;
    }
    const QVector<QPointF> kept = ThinPolyline(lines);
    // Stroked in pieces: the rasteriser fills many small outlines much faster than one
    // that crosses itself a thousand times.
    constexpr qsizetype Piece = 256;
    for (qsizetype from = 0; from + 1 < kept.size(); from += Piece)
        QCPCurve::drawCurveLine(painter, kept.mid(from, Piece + 1));
}
