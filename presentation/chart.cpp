#include "presentation/chart.h"

#include "core/guard.h"
#include "core/language.h"
#include "presentation/chart_curve.h"
#include "presentation/contrast.h"
#include "presentation/plot_geometry.h"

#include <QCoreApplication>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>
#include <utility>

namespace {
// Raised inner bevel, lowered outer bevel, 2 pixels of border between them.
constexpr int BevelWidth = 1;
constexpr int BorderWidth = 2;
constexpr int FrameWidth = 2 * BevelWidth + BorderWidth;

constexpr int SmallFontPixels = 9;   // legend and axis titles
constexpr int TickFontPixels = 10;
constexpr int TitleFontPixels = 12;

const char *const MarksLayer = "overlay";  // the marks' layer too
}  // namespace

QFont TChart::pixelFont(const QFont &base, int pixels)
{
    QFont f(base);
    f.setPixelSize(pixels);
    return f;
}

TChart::TChart(QWidget *parent) : QCustomPlot(parent)
{
    // QCustomPlot posts a replot of its own at construction; a chart draws when it is
    // about to be painted (Redraw), so a chart on a hidden page draws nothing at all.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    setAutoAddPlottableToLegend(false);
    styleWidget();

    plotLayout()->setAutoMargins(QCP::msNone);
    plotLayout()->setMargins(QMargins(FrameWidth + 2, FrameWidth + 2, FrameWidth + 2, FrameWidth + 2));
    plotLayout()->setRowSpacing(2);
    makeTitle();
    styleAxes();
    makeBottomTitle();
    makeLegend();

    series_.SetChangeHandler([this] { markDirty(); });
    connect(this, &QCustomPlot::beforeReplot, this, [this] {
        replotQueued_ = false;  // this replot is the one queued
        fitToWidth();
        showMarksInView();
        placeBottomTitle();
    });
    connect(this, &QCustomPlot::afterReplot, this, [this] {
        ++replotCount_;
        stale_ = false;
    });
    navigator_ = new ChartNavigator(*this);
    tracker_ = new ChartTracker(*this);
    shading_ = new ChartShading(*this);
}

// Numbers, antialiasing, ground and mouse as every chart has them.
void TChart::styleWidget()
{
    // Axis numbers as the program writes every number, whatever the user's language.
    QLocale numbers = QLocale::c();
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(numbers);
    // Curves choose for themselves: a dotted line stays crisp.
    setAntialiasedElements(QCP::aeItems | QCP::aeLegendItems | QCP::aeAxes);
    setBufferDevicePixelRatio(devicePixelRatioF());
    // On a dark desktop the chart keeps a light ground of its own (contrast.h).
    if (IsDarkGround(palette().color(QPalette::Window)))
        setPalette(ChartPalette(palette()));
    setBackground(palette().brush(QPalette::Window));
    setMouseTracking(true);  // the tracker follows the mouse
}

// The title, in a row of its own above the plot.
void TChart::makeTitle()
{
    title_ = new QCPTextElement(this, QString());
    QFont tf = pixelFont(font(), TitleFontPixels);
    tf.setBold(true);
    tf.setItalic(true);
    title_->setFont(tf);
    title_->setMargins(QMargins(2, 2, 2, 0));
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, title_);
}

// The axes' fonts and grid, and their ranges while the chart is empty.
void TChart::styleAxes()
{
    axisRect()->setBackground(Qt::NoBrush);  // the window colour shows through
    for (QCPAxis *axis : {xAxis, yAxis}) {
        axis->setTickLabelFont(pixelFont(font(), TickFontPixels));
        axis->setLabelFont(pixelFont(font(), SmallFontPixels));
        axis->setLabelPadding(2);
        axis->grid()->setPen(QPen(QColor(160, 160, 160), 0, Qt::DotLine));
    }
    const ChartView empty = AutoView();
    xAxis->setRange(empty.x.lower, empty.x.upper);
    yAxis->setRange(empty.y.lower, empty.y.upper);
}

// The bottom axis title lives in a lower corner of the plot area, so the bottom axis
// keeps no band for it.
void TChart::makeBottomTitle()
{
    bottomTitleItem_ = new QCPItemText(this);
    bottomTitleItem_->setLayer(MarksLayer);
    bottomTitleItem_->setClipToAxisRect(true);
    bottomTitleItem_->position->setType(QCPItemPosition::ptAxisRectRatio);
    bottomTitleItem_->position->setCoords(1, 1);
    bottomTitleItem_->setPositionAlignment(Qt::AlignRight | Qt::AlignBottom);
    bottomTitleItem_->setFont(pixelFont(font(), SmallFontPixels));
    QColor face = palette().color(QPalette::Window);
    face.setAlpha(200);
    bottomTitleItem_->setBrush(face);
    bottomTitleItem_->setPadding(QMargins(3, 1, 3, 1));
    bottomTitleItem_->setVisible(false);
}

// The legend below the plot area, centred in a row of its own.
void TChart::makeLegend()
{
    auto *legendRow = new QCPLayoutGrid;
    plotLayout()->addElement(2, 0, legendRow);
    legendRow->addElement(0, 0, new QCPLayoutElement(this));
    legendRow->addElement(0, 1, legend);
    legendRow->addElement(0, 2, new QCPLayoutElement(this));
    plotLayout()->setRowStretchFactor(0, 0.001);
    plotLayout()->setRowStretchFactor(2, 0.001);
    legend->setVisible(true);
    legend->setFont(pixelFont(font(), SmallFontPixels));
    legend->setBrush(Qt::NoBrush);
    legend->setBorderPen(QPen(QColor(128, 128, 128)));
    legend->setIconSize(18, 8);
    legend->setIconTextPadding(4);
    legend->setRowSpacing(0);
    legend->setColumnSpacing(4);
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    legend->setMargins(QMargins(4, 2, 4, 2));
}

void TChart::SetChartTitle(const QString &title)
{
    chartTitle_ = title;
    title_->setText(ShownTitle());  // fitted to the width at the next layout
    fittedWidth_ = -1;
    Redraw();
}

void TChart::SetTitleUnits(UnitSystem units)
{
    titleUnits_ = units;
    SetChartTitle(chartTitle_);
}

void TChart::LayOut()
{
    fitToWidth();
    updateLayout();
}

// Title and legend fitted to the width the chart has now, once per width: the layouts
// may resize a chart many times before it is drawn, and each fit measures text.
void TChart::fitToWidth()
{
    if (fittedWidth_ == width())
        return;
    fittedWidth_ = width();
    fitTitle();
    layoutLegend();
}

// The title stays on one line: a narrow chart draws it smaller, down to the legend's
// size, and only then cuts it short.
void TChart::fitTitle()
{
    const int available = width() - 2 * (FrameWidth + 2) - title_->margins().left() - title_->margins().right();
    QFont f = title_->font();
    int pixels = TitleFontPixels;
    for (; pixels > SmallFontPixels; --pixels) {
        f.setPixelSize(pixels);
        if (QFontMetrics(f).horizontalAdvance(ShownTitle()) <= available)
            break;
    }
    f.setPixelSize(pixels);
    title_->setFont(f);
    title_->setText(QFontMetrics(f).elidedText(ShownTitle(), Qt::ElideRight, std::max(available, 0)));
}

void TChart::SetAxisTitles(const AxisTitle &bottom, const AxisTitle &left)
{
    bottom_ = bottom;
    left_ = left;
    bottomTitleItem_->setText(AxisTitleText(bottom));
    bottomTitleItem_->setVisible(!bottom.text.isEmpty());
    yAxis->setLabel(AxisTitleText(left));
    Redraw();
}

// The bottom axis title takes the lower right corner of the plot area, or the lower
// left one when fewer of the drawn lines run through it.
void TChart::placeBottomTitle()
{
    if (!bottomTitleItem_->visible())
        return;
    const QRect area = PlotArea();
    const QMargins pad = bottomTitleItem_->padding();
    const QSize text = QFontMetrics(bottomTitleItem_->font()).size(0, bottomTitleItem_->text());
    const QSizeF box(text.width() + pad.left() + pad.right(), text.height() + pad.top() + pad.bottom());
    const QRectF right(QPointF(area.right() - box.width(), area.bottom() - box.height()), box);
    const QRectF left(QPointF(area.left(), area.bottom() - box.height()), box);
    int onRight = 0, onLeft = 0;
    QVector<QPointF> line;
    for (int i = 0; i < series_.Count(); ++i) {
        const TChartSeries &s = series_[i];
        if (!s.Active())
            continue;
        line.resize(s.Count());
        for (int j = 0; j < s.Count(); ++j)
            line[j] = QPointF(xAxis->coordToPixel(s.XValues[j]), yAxis->coordToPixel(s.YValues[j]));
        onRight += SegmentsCrossing(right, line);
        onLeft += SegmentsCrossing(left, line);
    }
    const bool toLeft = onLeft < onRight;
    bottomTitleItem_->position->setCoords(toLeft ? 0 : 1, 1);
    bottomTitleItem_->setPositionAlignment((toLeft ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom);
}

bool TChart::BottomTitleOnLeft() const
{
    return bottomTitleItem_->positionAlignment().testFlag(Qt::AlignLeft);
}

void TChart::markDirty()
{
    if (dirty_)
        return;
    dirty_ = true;
    // A hidden chart syncs when it is shown; one hidden before the sync runs, too.
    if (isVisible())
        QMetaObject::invokeMethod(this, [this] { Guarded([this] { if (isVisible()) sync(); }); }, Qt::QueuedConnection);
}

void TChart::Redraw()
{
    stale_ = true;
    if (!isVisible() || replotQueued_)
        return;
    replotQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            Guarded([this] {
                if (std::exchange(replotQueued_, false) && isVisible())
                    replot();
            });
        },
        Qt::QueuedConnection);
}

void TChart::SyncNow()
{
    if (dirty_)
        sync();
    // Laid out as it will be drawn, for what reads pixels off it before the replot.
    if (stale_ && isVisible())
        LayOut();
}

void TChart::sync()
{
    if (!dirty_)
        return;  // already brought in line by SyncNow
    dirty_ = false;
    ++syncCount_;
    syncCurves();
    syncLegend();
    syncMarks();
    navigator_->FollowModel();
    shading_->FollowModel();
    Redraw();
}

void TChart::syncCurves()
{
    while (curves_.size() < series_.Count()) {
        auto *curve = new ChartCurve(xAxis, yAxis);
        curve->setLineStyle(QCPCurve::lsLine);
        curve->setScatterStyle(QCPScatterStyle::ssNone);
        curve->setBrush(Qt::NoBrush);
        curve->setSelectable(QCP::stNone);
        curves_.push_back(curve);
    }
    QVector<QCPCurveData> points;
    for (int i = 0; i < series_.Count(); ++i) {
        const TChartSeries &s = series_[i];
        QCPCurve *curve = curves_[i];
        curve->setVisible(s.Active());
        curve->setPen(SeriesPen(s));
        // Dotted lines stay crisp: one pixel on, one pixel off.
        curve->setAntialiased(s.LinePen().Style != PenStyle::SmallDots);
        points.resize(s.Active() ? s.Count() : 0);
        for (int j = 0; j < points.size(); ++j)
            points[j] = QCPCurveData(j, s.XValues[j], s.YValues[j]);
        curve->data()->set(points, true);  // index order, as the model holds them
    }
}

void TChart::syncLegend()
{
    legend->clearItems();
    const QVector<int> shown = series_.LegendSeries();
    const QStringList names = series_.LegendEntries();
    for (int k = 0; k < shown.size(); ++k) {
        QCPCurve *curve = curves_[shown[k]];
        curve->setName(Translated(names[k]));
        auto *entry = new LegendEntry(legend, curve);
        entry->setMargins(QMargins(3, 1, 3, 1));
        legend->addItem(entry);
    }
    legend->setVisible(!shown.isEmpty());
    fittedWidth_ = -1;  // arranged anew at the next layout
}

// As many columns as the chart's width holds, the entries then spread evenly over the
// rows they need; the legend kept no wider than its entries, centred below the plot.
void TChart::layoutLegend()
{
    const int count = legend->itemCount();
    legend->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (count == 0) {
        legend->setMaximumSize(0, 0);
        return;
    }
    const int available = width() - 2 * (FrameWidth + 2);
    auto arrange = [this](int columns) {
        if (legend->wrap() != columns) {
            legend->setWrap(columns);
            legend->setFillOrder(QCPLayoutGrid::foColumnsFirst, true);
        }
        return legend->minimumOuterSizeHint().width();
    };
    int columns = count;
    while (columns > 1 && arrange(columns) > available)
        --columns;
    const int rows = (count + columns - 1) / columns;
    arrange((count + rows - 1) / rows);
    legend->setMaximumSize(legend->minimumOuterSizeHint());
}

QCPCurve *TChart::Curve(int i) const
{
    return i >= 0 && i < curves_.size() ? curves_[i] : nullptr;
}

ChartView TChart::View() const
{
    return {{xAxis->range().lower, xAxis->range().upper}, {yAxis->range().lower, yAxis->range().upper}};
}

ChartView TChart::AutoView() const
{
    return {AutoAxisSpan(series_.AutoRangeX()), AutoAxisSpan(series_.AutoRangeY())};
}

QRect TChart::PlotArea() const { return axisRect()->rect(); }

QStringList TChart::CurveTitles() const
{
    const TChartSeriesList *source = &series_;
    if (partner_ && partner_->Series().Count() == source->Count())
        source = &partner_->Series();
    QStringList out;
    for (int i = 0; i < source->Count(); ++i)
        out << (*source)[i].Title();
    return out;
}

void TChart::DrawFrame(QPainter &p) const
{
    const QRect outer = rect();
    qDrawShadePanel(&p, outer, palette(), true, BevelWidth);
    const int in = BevelWidth + BorderWidth;
    qDrawShadePanel(&p, outer.adjusted(in, in, -in, -in), palette(), false, BevelWidth);
}

void TChart::paintEvent(QPaintEvent *event)
{
    // A paint that comes before the queued replot draws the chart first.
    if (stale_ && !vectorOnly_)
        Guarded([this] { replot(rpQueuedRefresh); });
    QCustomPlot::paintEvent(event);
    QPainter p(this);
    DrawFrame(p);
}

void TChart::resizeEvent(QResizeEvent *event)
{
    Q_UNUSED(event);
    // What QCustomPlot's resize does, but the replot waits for the paint: one however
    // often the layouts resize the chart before then, none while it is hidden; title
    // and legend are fitted by that replot.
    setViewport(rect());
    if (!vectorOnly_)
        Redraw();
}

// Shown on a screen of its own pixel ratio (a later move between screens is the
// ChartHolder's), and brought in line with what changed while it was hidden: drawn
// before its first paint, at the size the layouts give it by then.
void TChart::showEvent(QShowEvent *event)
{
    setBufferDevicePixelRatio(devicePixelRatioF());
    QCustomPlot::showEvent(event);
    Guarded([this] {
        if (dirty_)
            sync();
        if (stale_)
            Redraw();
    });
}
