#pragma once
// Advantage shading: between two paired curves of a chart (the first aircraft's and the
// second's curve of the same kind), the area where the first aircraft is better is
// filled pale blue and where the second is pale red, split where the curves cross;
// nothing where they are even or where only one has values. Who is better where is
// CompareCurves' answer (core/curve_compare.h), the verdict's own.
//
// The fill lies on a layer of its own below the grid, so grid, curves, marks and the
// tracker all stay on top; it is drawn into rendered pictures too. Off until switched
// on: a chart without it looks as it always did.
#include "core/measures.h"
#include "presentation/series.h"

#include <QObject>
#include <QPolygonF>
#include <QVector>

#include <memory>
#include <vector>

class QCPLayer;
class QCPLayerable;
class QCPPainter;
class ChartHost;
struct PairShading;

// Two series of a chart by index: the first aircraft's curve and the second's.
// Two curves that compare (the first aircraft's, the second's of the same kind) and the
// measure whose rule (core/measures.h) says when they are even and which is better.
struct CurvePair {
    int first, second;
    Measure measure;
};

// How a chart's curves compare.
struct ShadingSetup {
    QVector<CurvePair> pairs;
    bool byLeftAxis = false;     // compared along the left axis (altitude), else the bottom one
};

// One filled area: where one aircraft leads along one band, bounded by the first
// aircraft's curve from the band's start to its end and by the second's back.
struct AdvantageArea {
    bool firstLeads;
    QPolygonF outline;  // chart coordinates
};

// The areas of every pair whose two series are active, in pair order then axis order.
QVector<AdvantageArea> AdvantageAreas(const TChartSeriesList &list, const ShadingSetup &setup);

class ChartShading : public QObject {
    Q_OBJECT
public:
    explicit ChartShading(ChartHost &chart);

    void Configure(const ShadingSetup &setup);
    const ShadingSetup &Setup() const { return setup_; }

    // Switches the fill on or off and queues a replot.
    void SetShown(bool shown);
    bool IsShown() const { return shown_; }

    // The model changed (the chart's sync calls it): the areas are worked out anew
    // when next drawn.
    void FollowModel() { stale_ = true; }
    // The areas drawn while shown, as the model is now.
    const QVector<AdvantageArea> &Areas();

    QCPLayer *Layer() const { return layer_; }
    // Fills the areas (the layer calls it).
    void Paint(QCPPainter *painter);

private:
    ChartHost &chart_;
    ShadingSetup setup_;
    QCPLayer *layer_ = nullptr;
    QCPLayerable *layerable_ = nullptr;
    bool shown_ = false;
    bool stale_ = true;
    std::vector<std::shared_ptr<const PairShading>> pairs_;  // in pair order
    QVector<AdvantageArea> areas_;                           // theirs, one after another
};
