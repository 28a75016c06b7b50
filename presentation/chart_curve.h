#pragma once
// How a chart draws one series: its pen; a curve that leaves out, before painting,
// every vertex closer than one pixel to the last one kept, so that a series of 100,000
// points costs what its pixels cost; and its legend entry.
#include "presentation/series.h"

#include <qcustomplot.h>

QPen SeriesPen(const TChartSeries &series);

class ChartCurve : public QCPCurve {
public:
    using QCPCurve::QCPCurve;

protected:
    void drawCurveLine(QCPPainter *painter, const QVector<QPointF> &lines) const override;
};

// A legend entry that measures its text once, not at every pass of the legend's layout
// (the legend is laid out many times as it looks for the columns that fit).
class LegendEntry : public QCPPlottableLegendItem {
public:
    using QCPPlottableLegendItem::QCPPlottableLegendItem;

protected:
    QSize minimumOuterSizeHint() const override;

private:
    struct Measured {
        QString name;
        QFont font;
        QMargins margins;
        QSize icon;
        int padding = 0;
        bool operator==(const Measured &) const = default;
    };
    mutable Measured measured_;
    mutable QSize hint_;
};
