#pragma once
// What a chart's navigator, tracker and shading ask of the chart they serve; TChart
// answers. They know the chart by this alone, so the chart can hold them without their
// files and its own including each other.
#include "presentation/plot_geometry.h"
#include "presentation/series.h"
#include "presentation/zoom.h"

#include <QRect>
#include <QStringList>

class QCustomPlot;

class ChartHost {
public:
    // The plot the parts draw on and whose axes they read.
    virtual QCustomPlot &Plot() = 0;
    virtual const QCustomPlot &Plot() const = 0;
    virtual const TChartSeriesList &Series() const = 0;
    // The titles that name the chart's curves: a mirror chart's partner's, which carry
    // the aircraft names; else its own.
    virtual QStringList CurveTitles() const = 0;
    virtual const AxisTitle &BottomAxis() const = 0;
    virtual const AxisTitle &LeftAxis() const = 0;
    virtual ChartView View() const = 0;
    virtual ChartView AutoView() const = 0;
    virtual QRect PlotArea() const = 0;
    virtual void SyncNow() = 0;
    virtual void LayOut() = 0;
    virtual void Redraw() = 0;

protected:
    ~ChartHost() = default;
};
