#include "presentation/chart.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScreen>
#include <QToolTip>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Raised inner bevel, lowered outer bevel, 2 pixels of border between them.
constexpr int BevelWidth = 1;
constexpr int BorderWidth = 2;
constexpr int FrameWidth = 2 * BevelWidth + BorderWidth;

constexpr int SmallFontPixels = 9;   // legend and axis titles
constexpr int TickFontPixels = 10;
constexpr int TitleFontPixels = 12;
constexpr int MarkFontPixels = 10;
constexpr int MarkArrowLength = 8;   // pixels between a point and its mark
constexpr int ReadoutReach = 40;     // pixels within which a point is read out
constexpr int AnimationIntervalMs = 15;

const char *const MarksLayer = "overlay";

QFont pixelFont(const QFont &base, int pixels)
{
    QFont f(base);
    f.setPixelSize(pixels);
    return f;
}

QString numberText(double v)
{
    QString s = QString::number(v, 'f', 3);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QPen seriesPen(const TChartSeries &s)
{
    QPen pen(s.SeriesColor(), std::max(1, s.LinePen().Width));
    if (s.LinePen().Style == TPenStyle::SmallDots)
        pen.setDashPattern({1, 1});  // one pixel on, one off
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}
// A curve that leaves out, before painting, every vertex closer than one pixel to the
// last one kept: a series of 100,000 points then costs what its pixels cost.
class TChartCurve : public QCPCurve {
public:
    using QCPCurve::QCPCurve;

protected:
    void drawCurveLine(QCPPainter *painter, const QVector<QPointF> &lines) const override
    {
        if (lines.size() < 64) {
            QCPCurve::drawCurveLine(painter, lines);
            return;
        }
        QVector<QPointF> kept;
        kept.reserve(lines.size());
        kept.push_back(lines.front());
        for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
            const QPointF &p = lines[i];
            const QPointF &last = kept.back();
            const double dx = p.x() - last.x(), dy = p.y() - last.y();
            if (dx * dx + dy * dy >= 1.0 || !std::isfinite(dx + dy))
                kept.push_back(p);
        }
        kept.push_back(lines.back());
        // Stroked in pieces: the rasteriser fills many small outlines much faster than
        // one that crosses itself a thousand times.
        constexpr qsizetype Piece = 256;
        for (qsizetype from = 0; from + 1 < kept.size(); from += Piece)
            QCPCurve::drawCurveLine(painter, kept.mid(from, Piece + 1));
    }
};
// How many segments of a polyline touch a rectangle.
int segmentsCrossing(const QRectF &r, const QVector<QPointF> &line)
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
}  // namespace

QString AxisReadout(const QString &axisTitle, double value)
{
    const QString title = axisTitle.trimmed();
    const int open = title.lastIndexOf(QLatin1Char('('));
    if (open >= 0 && title.endsWith(QLatin1Char(')'))) {
        const QString name = title.left(open).trimmed();
        const QString unit = title.mid(open + 1, title.size() - open - 2).trimmed();
        return name.isEmpty() ? numberText(value) + QLatin1Char(' ') + unit
                              : name + QLatin1String(": ") + numberText(value) + QLatin1Char(' ') + unit;
    }
    return title.isEmpty() ? numberText(value) : numberText(value) + QLatin1Char(' ') + title;
}

TChart::TChart(QWidget *parent) : QCustomPlot(parent)
{
    setAutoAddPlottableToLegend(false);
    setAntialiasedElements(QCP::aePlottables | QCP::aeItems | QCP::aeLegendItems | QCP::aeAxes);
    setBufferDevicePixelRatio(devicePixelRatioF());
    setBackground(palette().brush(QPalette::Window));
    setMouseTracking(false);

    plotLayout()->setAutoMargins(QCP::msNone);
    plotLayout()->setMargins(QMargins(FrameWidth + 2, FrameWidth + 2, FrameWidth + 2, FrameWidth + 2));
    plotLayout()->setRowSpacing(2);

    title_ = new QCPTextElement(this, QString());
    QFont tf = pixelFont(font(), TitleFontPixels);
    tf.setBold(true);
    tf.setItalic(true);
    title_->setFont(tf);
    title_->setMargins(QMargins(2, 2, 2, 0));
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, title_);

    axisRect()->setBackground(Qt::NoBrush);  // the window colour shows through
    for (QCPAxis *axis : {xAxis, yAxis}) {
        axis->setTickLabelFont(pixelFont(font(), TickFontPixels));
        axis->setLabelFont(pixelFont(font(), SmallFontPixels));
        axis->setLabelPadding(2);
        axis->grid()->setPen(QPen(QColor(160, 160, 160), 0, Qt::DotLine));
    }
    const TChartView empty = AutoView();
    xAxis->setRange(empty.x.lower, empty.x.upper);
    yAxis->setRange(empty.y.lower, empty.y.upper);

    // The bottom axis title lives in a lower corner of the plot area, so the bottom
    // axis keeps no band for it.
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

    // Legend below the plot area, centred in a row of its own.
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

    series_.SetChangeHandler([this] { markDirty(); });
    connect(this, &QCustomPlot::beforeReplot, this, [this] {
        showMarksInView();
        placeBottomTitle();
    });
    connect(this, &QCustomPlot::afterReplot, this, [this] { ++replotCount_; });
    animation_.setInterval(AnimationIntervalMs);
    connect(&animation_, &QTimer::timeout, this, &TChart::animationStep);
    layoutLegend();
}

void TChart::SetChartTitle(const QString &title)
{
    chartTitle_ = title;
    fitTitle();
    replot(rpQueuedReplot);
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
        if (QFontMetrics(f).horizontalAdvance(chartTitle_) <= available)
            break;
    }
    f.setPixelSize(pixels);
    title_->setFont(f);
    title_->setText(QFontMetrics(f).elidedText(chartTitle_, Qt::ElideRight, std::max(available, 0)));
}

void TChart::SetAxisTitles(const QString &bottom, const QString &left)
{
    bottomTitle_ = bottom;
    leftTitle_ = left;
    bottomTitleItem_->setText(bottom);
    bottomTitleItem_->setVisible(!bottom.isEmpty());
    yAxis->setLabel(left);
    replot(rpQueuedReplot);
}

// Marks may reach past the plot area's edge, but only points in view have them.
void TChart::showMarksInView()
{
    for (qsizetype k = 0; k < markPoints_.size(); ++k) {
        const QPointF p = markPoints_[k];
        const bool shown = xAxis->range().contains(p.x()) && yAxis->range().contains(p.y());
        marks_[2 * k]->setVisible(shown);
        marks_[2 * k + 1]->setVisible(shown);
    }
}

// The bottom axis title takes the lower right corner of the plot area, or the lower
// left one when fewer of the drawn lines run through it.
void TChart::placeBottomTitle()
{
    if (!bottomTitleItem_->visible())
        return;
    const QRect area = PlotArea();
    const QMargins pad = bottomTitleItem_->padding();
    const QSize text = QFontMetrics(bottomTitleItem_->font()).size(0, bottomTitle_);
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
        onRight += segmentsCrossing(right, line);
        onLeft += segmentsCrossing(left, line);
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
    QMetaObject::invokeMethod(this, &TChart::sync, Qt::QueuedConnection);
}

void TChart::SyncNow()
{
    if (dirty_)
        sync();
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
    if (!zoomed_ && !animation_.isActive())
        setView(AutoView());
    replot(rpQueuedReplot);
}

void TChart::syncCurves()
{
    while (curves_.size() < series_.Count()) {
        auto *curve = new TChartCurve(xAxis, yAxis);
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
        curve->setPen(seriesPen(s));
        // Dotted lines stay crisp: one pixel on, one pixel off.
        curve->setAntialiased(s.LinePen().Style != TPenStyle::SmallDots);
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
        curve->setName(names[k]);
        curve->addToLegend(legend);
        legend->itemWithPlottable(curve)->setMargins(QMargins(3, 1, 3, 1));
    }
    legend->setVisible(!shown.isEmpty());
    layoutLegend();
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

void TChart::syncMarks()
{
    for (QCPAbstractItem *item : std::as_const(marks_))
        removeItem(item);
    marks_.clear();
    markPoints_.clear();
    markTexts_.clear();
    for (int i = 0; i < series_.Count(); ++i) {
        const TChartSeries &s = series_[i];
        if (!s.Active() || !s.MarksVisible())
            continue;
        const bool beside = s.Kind() == TSeriesKind::THorizLineSeries;
        for (int j = 0; j < s.Count(); ++j) {
            const TMarksItem *slot = s.MarkSlot(j);
            const QString text = slot && slot->TextSet ? slot->DisplayText() : numberText(s.YValues[j]);
            if (text.isEmpty())
                continue;
            const QPointF offset = beside ? QPointF(MarkArrowLength, 0) : QPointF(0, -MarkArrowLength);

            auto *arrow = new QCPItemLine(this);
            arrow->setLayer(MarksLayer);
            arrow->setClipToAxisRect(false);
            arrow->setPen(QPen(Qt::white, 1));
            arrow->start->setCoords(s.XValues[j], s.YValues[j]);
            arrow->end->setParentAnchor(arrow->start);
            arrow->end->setCoords(offset);

            auto *label = new QCPItemText(this);
            label->setLayer(MarksLayer);
            label->setClipToAxisRect(false);
            label->position->setParentAnchor(arrow->start);
            label->position->setCoords(offset);
            label->setPositionAlignment(beside ? (Qt::AlignLeft | Qt::AlignVCenter)
                                               : (Qt::AlignHCenter | Qt::AlignBottom));
            label->setText(text);
            label->setFont(pixelFont(font(), MarkFontPixels));
            label->setColor(Qt::black);
            label->setPadding(QMargins(2, 0, 2, 0));
            const TMarksItem look = slot ? *slot : TMarksItem{};
            if (look.Transparent) {
                label->setPen(Qt::NoPen);
                label->setBrush(Qt::NoBrush);
            } else {
                label->setPen(QPen(Qt::black));
                label->setBrush(look.Color);
            }
            marks_ << arrow << label;
            markPoints_ << QPointF(s.XValues[j], s.YValues[j]);
            markTexts_ << text;
        }
    }
}

QCPCurve *TChart::Curve(int i) const
{
    return i >= 0 && i < curves_.size() ? curves_[i] : nullptr;
}

QStringList TChart::MarkTexts() const { return markTexts_; }

TChartView TChart::View() const
{
    return {{xAxis->range().lower, xAxis->range().upper}, {yAxis->range().lower, yAxis->range().upper}};
}

TChartView TChart::AutoView() const
{
    return {AutoAxisSpan(series_.AutoRangeX()), AutoAxisSpan(series_.AutoRangeY())};
}

QRect TChart::PlotArea() const { return axisRect()->rect(); }

void TChart::setView(const TChartView &view)
{
    xAxis->setRange(view.x.lower, view.x.upper);
    yAxis->setRange(view.y.lower, view.y.upper);
}

void TChart::animateTo(const TChartView &target)
{
    animationFrom_ = View();
    animationTo_ = target;
    animationStep_ = 0;
    animation_.start();
}

void TChart::animationStep()
{
    ++animationStep_;
    if (animationStep_ >= ZoomAnimationSteps) {
        animation_.stop();
        // A restore ends on the ranges the model gives now, even if it changed meanwhile.
        setView(zoomed_ ? animationTo_ : AutoView());
    } else {
        setView(InterpolateView(animationFrom_, animationTo_, animationStep_, ZoomAnimationSteps));
    }
    replot(rpQueuedReplot);
}

TDragAction TChart::LeftDrag(QPoint from, QPoint to)
{
    const TDragAction action = LeftDragAction(from, to);
    if (action == TDragAction::Zoom) {
        SyncNow();
        zoomed_ = true;
        animateTo(ZoomToPixelRect(PlotArea(), View(), from, to));
    } else if (action == TDragAction::Restore) {
        UndoZoom();
    }
    return action;
}

void TChart::UndoZoom()
{
    SyncNow();
    zoomed_ = false;
    animateTo(AutoView());
}

void TChart::ScrollBy(QPoint delta)
{
    if (delta.isNull())
        return;
    SyncNow();
    animation_.stop();
    zoomed_ = true;
    setView(ScrollByPixels(PlotArea(), View(), delta));
    replot(rpQueuedReplot);
}

QString TChart::ReadoutAt(QPoint pos) const
{
    if (!PlotArea().contains(pos))
        return {};
    double best = std::numeric_limits<double>::max();
    int bestSeries = -1, bestPoint = -1;
    for (int i = 0; i < series_.Count(); ++i) {
        const TChartSeries &s = series_[i];
        if (!s.Active())
            continue;
        for (int j = 0; j < s.Count(); ++j) {
            const double px = xAxis->coordToPixel(s.XValues[j]);
            const double py = yAxis->coordToPixel(s.YValues[j]);
            const double d = std::hypot(px - pos.x(), py - pos.y());
            if (d < best) {
                best = d;
                bestSeries = i;
                bestPoint = j;
            }
        }
    }
    if (bestSeries < 0 || best > ReadoutReach)
        return {};
    const TChartSeries &s = series_[bestSeries];
    const QString title = s.Title().isEmpty() ? s.Name() : s.Title();
    return title + QLatin1Char('\n') + AxisReadout(bottomTitle_, s.XValues[bestPoint]) + QLatin1Char('\n')
        + AxisReadout(leftTitle_, s.YValues[bestPoint]);
}

void TChart::paintEvent(QPaintEvent *event)
{
    QCustomPlot::paintEvent(event);
    QPainter p(this);
    const QRect outer = rect();
    qDrawShadePanel(&p, outer, palette(), true, BevelWidth);
    const int in = BevelWidth + BorderWidth;
    qDrawShadePanel(&p, outer.adjusted(in, in, -in, -in), palette(), false, BevelWidth);
}

void TChart::resizeEvent(QResizeEvent *event)
{
    fitTitle();
    layoutLegend();
    QCustomPlot::resizeEvent(event);
}

void TChart::showEvent(QShowEvent *event)
{
    setBufferDevicePixelRatio(devicePixelRatioF());
    QCustomPlot::showEvent(event);
}

bool TChart::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        SyncNow();
        QString text = ReadoutAt(help->pos());
        if (text.isEmpty() && title_->outerRect().contains(help->pos()) && title_->text() != chartTitle_)
            text = chartTitle_;  // cut short on a narrow chart
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QCustomPlot::event(event);
}

void TChart::mousePressEvent(QMouseEvent *event)
{
    if (dragButton_ != Qt::NoButton || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) {
        QCustomPlot::mousePressEvent(event);
        return;
    }
    dragButton_ = event->button();
    dragStart_ = dragLast_ = event->position().toPoint();
    if (dragButton_ == Qt::LeftButton) {
        if (!rubberBand_)
            rubberBand_ = new QRubberBand(QRubberBand::Rectangle, this);
        rubberBand_->setGeometry(QRect(dragStart_, QSize()));
        rubberBand_->show();
    }
    event->accept();
}

void TChart::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (dragButton_ == Qt::LeftButton) {
        rubberBand_->setGeometry(QRect(dragStart_, pos).normalized());
    } else if (dragButton_ == Qt::RightButton) {
        ScrollBy(pos - dragLast_);
        dragLast_ = pos;
    }
    event->accept();
}

void TChart::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != dragButton_) {
        QCustomPlot::mouseReleaseEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const Qt::MouseButton button = dragButton_;
    dragButton_ = Qt::NoButton;
    if (button == Qt::LeftButton) {
        rubberBand_->hide();
        LeftDrag(dragStart_, pos);
    } else {
        ScrollBy(pos - dragLast_);
    }
    event->accept();
}

void TChart::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked();
}
