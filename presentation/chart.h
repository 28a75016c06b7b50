#pragma once
// TChart: the widget that draws a TChartSeriesList with QCustomPlot. The model is the
// truth; a change to it only marks the chart dirty, and one queued sync followed by one
// queued replot brings the picture in line, however many changes came before. A chart
// that is not shown does neither: it is brought in line when it is shown, or when it is
// drawn into a picture.
// The chart styles the plot, syncs the model into it (its marks in chart_marks.cpp),
// lays out title and legend and draws its frame (mouse and tool tip in chart_input.cpp);
// what the mouse does to the view is its ChartNavigator's, the read-out line that
// follows the mouse is its ChartTracker's (on a buffered layer of its own), the fill
// showing who is better where its ChartShading's, Escape, Home and screen changes are
// its ChartHolder's, and the pixel arithmetic lives in plot_geometry.h.
#include "core/language.h"
#include "core/units.h"
#include "presentation/chart_host.h"
#include "presentation/navigator.h"
#include "presentation/plot_geometry.h"
#include "presentation/series.h"
#include "presentation/shading.h"
#include "presentation/tracker.h"
#include "presentation/zoom.h"

#include <qcustomplot.h>

#include <QPoint>
#include <QPointer>
#include <QVector>

class QHelpEvent;
class QPainter;
struct ChartDef;

class TChart : public QCustomPlot, public ChartHost {
    Q_OBJECT
public:
    explicit TChart(QWidget *parent = nullptr);

    TChartSeriesList &Series() { return series_; }
    const TChartSeriesList &Series() const override { return series_; }
    QCustomPlot &Plot() override { return *this; }
    const QCustomPlot &Plot() const override { return *this; }

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    // The row of the comparison's table the chart was made from (BuildChart), or null.
    const ChartDef *Definition() const { return definition_; }
    void SetDefinition(const ChartDef *definition) { definition_ = definition; }

    void SetChartTitle(const QString &title);
    QString ChartTitle() const { return chartTitle_; }
    // The title as shown: translated, an altitude in it in the units the axes show.
    QString ShownTitle() const { return AltitudesIn(Translated(chartTitle_), titleUnits_); }
    void SetTitleUnits(UnitSystem units);
    // Bottom and left axes, with the quantity and unit read-outs name. The left title
    // reads upwards; the bottom one sits in a lower corner of the plot area, so the
    // bottom axis reserves no band.
    void SetAxisTitles(const AxisTitle &bottom, const AxisTitle &left);
    const AxisTitle &BottomAxis() const override { return bottom_; }
    const AxisTitle &LeftAxis() const override { return left_; }
    QString BottomAxisTitle() const { return bottom_.text; }
    QString LeftAxisTitle() const { return left_.text; }
    // Whether the bottom axis title moved to the lower left corner, off the lines.
    bool BottomTitleOnLeft() const;

    // Applies pending model changes at once (also done by the queued sync, and on show),
    // e.g. before rendering to an image; a shown chart is laid out for them too.
    void SyncNow() override;
    // Asks for a replot: queued, so that many changes draw once, and done at the latest
    // when the chart is next painted; a hidden chart draws nothing until it is shown.
    void Redraw() override;
    bool IsDirty() const { return dirty_; }
    int SyncCount() const { return syncCount_; }
    int ReplotCount() const { return replotCount_; }

    // What the axes show now, and what they show when not zoomed.
    ChartView View() const override;
    ChartView AutoView() const override;
    QRect PlotArea() const override;
    // Lays out title, plot area and legend for the ranges set now (the next replot would).
    void LayOut() override;
    // Lays out, and places the marks and the bottom title, as a replot does before it
    // draws: then toPainter draws the chart as a replot would, without drawing it into
    // the pixel buffers first (a vector picture of any size needs none).
    void PrepareToPaint()
    {
        SyncNow();
        LayOut();
        showMarksInView();
        placeBottomTitle();
    }
    // From now on drawn only into vector pictures (through toPainter): a resize lays the
    // chart out without drawing it into pixel buffers of its size, which a picture of
    // 8192 x 8192 would make hundreds of megabytes.
    void SetVectorOnly() { vectorOnly_ = true; }
    // Draws the chart's bevelled frame at its current size (also onto a picture).
    void DrawFrame(QPainter &painter) const;

    // Zoom, scroll and their animation.
    ChartNavigator &Navigator() { return *navigator_; }
    const ChartNavigator &Navigator() const { return *navigator_; }
    bool IsZoomed() const { return navigator_->IsZoomed(); }

    // The line, markers and box that follow the mouse over the plot area. Before
    // grabbing the widget into a picture, Tracker().Hide() (rendering through toPixmap,
    // toPainter or savePdf leaves it out by itself).
    ChartTracker &Tracker() { return *tracker_; }
    const ChartTracker &Tracker() const { return *tracker_; }

    // The chart whose series titles name this chart's curves (a mirror chart's
    // full-page partner, which carries the aircraft names); none: its own titles.
    void SetPartner(const TChart *partner) { partner_ = partner; }
    const TChart *Partner() const { return partner_.data(); }
    QStringList CurveTitles() const override;

    // The fill between paired curves showing who is better where; off at start.
    ChartShading &Shading() { return *shading_; }
    const ChartShading &Shading() const { return *shading_; }

    // The read-out of the drawn point nearest to `pos`, or an empty text when no drawn
    // point lies within `reach` pixels.
    QString ReadoutAt(QPoint pos, int reach = ReadoutReach) const;

    // The drawing of series i (tests look at it).
    QCPCurve *Curve(int i) const;
    // Texts of the marks placed by the last sync.
    QStringList MarkTexts() const;

    // A chart squeezes to any size its page gives it: the legend and title adapt, so
    // they set no minimum for the window's layouts.
    QSize minimumSizeHint() const override { return {30, 30}; }
    QSize sizeHint() const override { return {400, 300}; }

signals:
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void styleWidget();
    void makeTitle();
    void styleAxes();
    void makeBottomTitle();
    void makeLegend();
    void markDirty();
    void sync();
    void syncCurves();
    void syncLegend();
    void syncMarks();
    void syncStopMarks();
    void fitToWidth();
    void layoutLegend();
    void fitTitle();
    void placeBottomTitle();
    void showMarksInView();
    void showReadout(const QHelpEvent &help);
    static QFont pixelFont(const QFont &base, int pixels);

    TChartSeriesList series_;
    int tag_ = 0;
    const ChartDef *definition_ = nullptr;
    QString chartTitle_;
    UnitSystem titleUnits_ = UnitSystem::Metric;
    AxisTitle bottom_, left_;
    QCPTextElement *title_ = nullptr;
    QCPItemText *bottomTitleItem_ = nullptr;
    QVector<QCPCurve *> curves_;
    QVector<QCPAbstractItem *> marks_;  // line and text of each mark, in pairs
    QVector<QPointF> markPoints_;
    QStringList markTexts_;

    bool dirty_ = false;
    int fittedWidth_ = -1;       // the width title and legend were fitted to (-1: to fit again)
    bool stale_ = true;          // the buffers lag behind the chart: replotted before its next paint
    bool replotQueued_ = false;  // a replot is posted
    bool vectorOnly_ = false;
    int syncCount_ = 0;
    int replotCount_ = 0;

    ChartNavigator *navigator_ = nullptr;
    ChartTracker *tracker_ = nullptr;
    ChartShading *shading_ = nullptr;
    QPointer<const TChart> partner_;
};
