// The nine chart definitions against the window's tables, and the chart widget: ranges,
// zoom and scroll, legend, marks, merged repaints and what lands in the picture.
#include "core/error.h"
#include "core/guard.h"
#include "presentation/chart.h"
#include "presentation/chart_defs.h"
#include "presentation/chart_holder.h"
#include "presentation/plot_geometry.h"
#include "presentation/tracker.h"
#include "presentation/zoom.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(DragAction)
Q_DECLARE_METATYPE(ChartView)

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }

bool near(double a, double b, double tolerance = 1e-6) { return std::abs(a - b) <= tolerance; }

bool sameView(const ChartView &a, const ChartView &b, double tolerance = 1e-6)
{
    return near(a.x.lower, b.x.lower, tolerance) && near(a.x.upper, b.x.upper, tolerance)
        && near(a.y.lower, b.y.lower, tolerance) && near(a.y.upper, b.y.upper, tolerance);
}

QByteArray viewText(const ChartView &v)
{
    return QStringLiteral("x %1..%2 y %3..%4").arg(v.x.lower).arg(v.x.upper).arg(v.y.lower).arg(v.y.upper).toUtf8();
}

// A shown chart with two series of known points.
std::unique_ptr<TChart> shownChart()
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
double segmentDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double len2 = QPointF::dotProduct(d, d);
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0.0;
    const QPointF q = a + t * d - p;
    return std::hypot(q.x(), q.y());
}

// How far the vertices of `line` stray from the polyline `through`.
double worstStray(const QVector<QPointF> &line, const QVector<QPointF> &through)
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

int colourDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// Whether a pixel close to `colour` lies within `reach` pixels of `at`.
bool colourNear(const QImage &image, QPointF at, QRgb colour, int reach = 2)
{
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy) {
            const QPoint p(qRound(at.x()) + dx, qRound(at.y()) + dy);
            if (image.rect().contains(p) && colourDistance(image.pixel(p), colour) < 60)
                return true;
        }
    return false;
}
}  // namespace

class ChartsTest : public QObject {
    Q_OBJECT
private slots:
    void seriesAsDrawn();
    void unknownChartName();

    void leftDragDecision_data();
    void leftDragDecision();
    void zoomRectangle_data();
    void zoomRectangle();
    void scrollAndAnimationSteps();
    void axisReadout_data();
    void axisReadout();

    void rangesFollowModel();
    void legendFollowsModel();
    void oneRepaintForManyChanges();
    void mouseZoomAndRestore();
    void smallDragDoesNothing();
    void rightDragScrolls();
    void doubleClickSignals();
    void marksOfReferenceLines();
    void pointReadout();
    void bottomAxisReservesNoBand();
    void axisNumbersWithPointInAnyLocale();
    void renderedLineHasSeriesColour();
    void thinningKeepsShape_data();
    void thinningKeepsShape();
    void nearestPoint();

    void lineCrossing_data();
    void lineCrossing();
    void turnFigures();
    void trackerBox();
    void trackerMoveRedrawsItsLayerOnly();
    void wheelZoomKeepsCursorPoint();
    void advantageShading();
    void shadingSharedWhileTheCurvesAreTheSame();
};

// Every series of every chart as the user sees it: drawn alone, it shows in the picture
// in its own colour and pen; the first aircraft's curves in blue shades, the second's in
// red ones, the reference lines black, the load-factor lines ("1g" ... "6g") dotted; the
// legend lists the aircraft curves and nothing else.
void ChartsTest::seriesAsDrawn()
{
    int drawn = 0;
    for (const ChartDef &def : ChartDefs()) {
        std::unique_ptr<TChart> chart(BuildChart(def.name, nullptr));
        chart->resize(400, 300);
        TChartSeriesList &list = chart->Series();
        QCOMPARE(list.Count(), def.series.size());
        for (int i = 0; i < list.Count(); ++i) {
            for (int k = 0; k < list.Count(); ++k) {
                list[k].Clear();
                list[k].SetActive(k == i);
            }
            // A level line off the grid, with room around it, on whole pixels.
            double level = 10.7;
            for (int pass = 0; pass < 2; ++pass) {
                list[i].Clear();
                for (QPointF p : {QPointF(0, 0), QPointF(0, level), QPointF(100, level), QPointF(100, 20)})
                    list[i].AddXY(p.x(), p.y());
                chart->SyncNow();
                chart->toPixmap(400, 300);  // lays the chart out as the picture will be
                // Pictures draw half a pixel down: an odd width fills a row from a whole pixel.
                const double even = list[i].LinePen().Width % 2 ? 0 : 0.5;
                level = chart->yAxis->pixelToCoord(std::floor(chart->yAxis->coordToPixel(level)) + even);
            }
            const QString where = def.name + QLatin1Char(' ') + list[i].Name();
            QCOMPARE(list.LegendEntries(), list[i].ShowInLegend() ? QStringList{list[i].Title()} : QStringList{});
            const QImage image = chart->toPixmap(400, 300).toImage();
            const int row = int(chart->yAxis->coordToPixel(level) + 0.5);
            auto colourAt = [&](double x) {
                // The darkest pixel across the line at x.
                QRgb best = qRgb(255, 255, 255);
                for (int y = row - 2; y <= row + 2; ++y)
                    if (qGray(image.pixel(qRound(chart->xAxis->coordToPixel(x)), y)) < qGray(best))
                        best = image.pixel(qRound(chart->xAxis->coordToPixel(x)), y);
                return best;
            };
            int on = 0;
            const int from = qRound(chart->xAxis->coordToPixel(30)), to = qRound(chart->xAxis->coordToPixel(70));
            for (int x = from; x < to; ++x)
                on += colourDistance(colourAt(chart->xAxis->pixelToCoord(x)), list[i].SeriesColor().rgb()) < 90;
            const QRgb c = colourAt(50);
            const bool dotted = list[i].Title().endsWith(QLatin1Char('g'));
            const int span = to - from;
            QVERIFY2(dotted ? on > span / 3 && on < span * 2 / 3 : on > span * 9 / 10,
                     qPrintable(where + QStringLiteral(": %1 of %2 pixels set").arg(on).arg(span)));
            const int aircraft = def.series[i].aircraft;
            if (aircraft == 1)
                QVERIFY2(qBlue(c) > qRed(c) + 60 && list[i].ShowInLegend(), qPrintable(where));
            else if (aircraft == 2)
                QVERIFY2(qRed(c) > qBlue(c) + 60 && list[i].ShowInLegend(), qPrintable(where));
            else
                QVERIFY2(qGray(c) < 60 && !list[i].ShowInLegend(), qPrintable(where));
            // Two pixels wide for a curve, one for a reference line: the ink across the
            // line, in pixels of the series' full colour.
            const int column = qRound(chart->xAxis->coordToPixel(50));
            const double paper = qGray(image.pixel(column, row - 12));
            double ink = 0;
            for (int y = row - 4; y <= row + 4; ++y)
                ink += (paper - qGray(image.pixel(column, y))) / (paper - qGray(list[i].SeriesColor().rgb()));
            if (!dotted)
                QVERIFY2(std::abs(ink - (aircraft ? 2 : 1)) < 0.4, qPrintable(where + QLatin1Char(' ') + QString::number(ink)));
            ++drawn;
        }
    }
    QCOMPARE(drawn, 58);
}

void ChartsTest::unknownChartName()
{
    QVERIFY_THROWS_EXCEPTION(VarnelError, BuildChart(QStringLiteral("chrt_Nothing"), nullptr));
}

void ChartsTest::leftDragDecision_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<DragAction>("action");
    QTest::newRow("16 wide is too small") << QPoint(100, 100) << QPoint(116, 200) << DragAction::None;
    QTest::newRow("16 high is too small") << QPoint(100, 100) << QPoint(300, 116) << DragAction::None;
    QTest::newRow("17 by 17 rightwards zooms") << QPoint(100, 100) << QPoint(117, 117) << DragAction::Zoom;
    QTest::newRow("rightwards and upwards zooms") << QPoint(100, 300) << QPoint(200, 100) << DragAction::Zoom;
    QTest::newRow("17 by 17 leftwards restores") << QPoint(117, 117) << QPoint(100, 100) << DragAction::Restore;
    QTest::newRow("leftwards and downwards restores") << QPoint(300, 100) << QPoint(100, 300) << DragAction::Restore;
    QTest::newRow("leftwards but 16 high") << QPoint(300, 100) << QPoint(100, 84) << DragAction::None;
    QTest::newRow("no movement") << QPoint(5, 5) << QPoint(5, 5) << DragAction::None;
}

void ChartsTest::leftDragDecision()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(DragAction, action);
    QCOMPARE(LeftDragAction(from, to), action);
}

void ChartsTest::zoomRectangle_data()
{
    // Plot area 100 x 100 at (0, 0) showing 0..100 on both axes: pixel row 99 is the
    // bottom edge.
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<ChartView>("expected");
    QTest::newRow("inside") << QPoint(20, 30) << QPoint(60, 80) << ChartView{{20, 60}, {19, 69}};
    QTest::newRow("drawn from the lower right") << QPoint(60, 80) << QPoint(20, 30) << ChartView{{20, 60}, {19, 69}};
    QTest::newRow("clamped to the plot area") << QPoint(-50, 10) << QPoint(50, 200) << ChartView{{0, 50}, {0, 89}};
    QTest::newRow("entirely outside keeps the view") << QPoint(200, 10) << QPoint(300, 50)
                                                     << ChartView{{0, 100}, {0, 100}};
}

void ChartsTest::zoomRectangle()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(ChartView, expected);
    const ChartView got = ZoomToPixelRect(QRect(0, 0, 100, 100), ChartView{{0, 100}, {0, 100}}, from, to);
    QVERIFY2(sameView(got, expected), viewText(got));
}

void ChartsTest::scrollAndAnimationSteps()
{
    const ChartView view{{0, 100}, {0, 50}};
    // Dragging the content 10 pixels right and 20 down on a 100 x 100 area.
    const ChartView scrolled = ScrollByPixels(QRect(0, 0, 100, 100), view, QPoint(10, 20));
    QVERIFY2(sameView(scrolled, ChartView{{-10, 90}, {10, 60}}), viewText(scrolled));

    const ChartView target{{40, 60}, {10, 20}};
    QVERIFY(sameView(InterpolateView(view, target, 0, ZoomAnimationSteps), view));
    QVERIFY(sameView(InterpolateView(view, target, 4, ZoomAnimationSteps), ChartView{{20, 80}, {5, 35}}));
    QVERIFY(sameView(InterpolateView(view, target, ZoomAnimationSteps, ZoomAnimationSteps), target));

    QCOMPARE(AutoAxisSpan(AxisRange{true, 3, 9}), (AxisSpan{3, 9}));
    const AxisSpan single = AutoAxisSpan(AxisRange{true, 5, 5});
    QVERIFY(single.lower < 5 && single.upper > 5);
    const AxisSpan none = AutoAxisSpan(AxisRange{});
    QVERIFY(none.lower < none.upper);
    // Absurd values still give an axis the drawing engine accepts.
    for (const AxisRange &huge : {AxisRange{true, 1e300, 1e300}, AxisRange{true, -1e308, 5}}) {
        const AxisSpan span = AutoAxisSpan(huge);
        QVERIFY(QCPRange::validRange(span.lower, span.upper));
    }
}

void ChartsTest::axisReadout_data()
{
    // A chart and its axis ('b'ottom or 'l'eft), as the window builds them.
    QTest::addColumn<QString>("chart");
    QTest::addColumn<char>("axis");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("speed") << u("chrt_TASbyAlt") << 'b' << 350.0 << u("Скорость: 350 км/ч");
    QTest::newRow("capital K") << u("ch_C3") << 'b' << 350.0 << u("Скорость: 350 Км/ч");
    QTest::newRow("no space before bracket") << u("ch_C2") << 'l' << 1234.5 << u("Высота: 1234.5 м");
    QTest::newRow("three decimals at most") << u("chrt_ROCatConst") << 'l' << 5.3033333 << u("Скороподъемность: 5.303 м/с");
    QTest::newRow("a unit alone") << u("chrt_FunPlot") << 'l' << 20.809 << u("20.809 Град./сек");
    QTest::newRow("negative") << u("ch_C4") << 'l' << -2.0 << u("Время: -2 сек");
    QTest::newRow("climb along the bottom") << u("chrt_MaxROCbyAlt") << 'b' << 0.0004 << u("Скороподъемность: 0 м/с");
}

void ChartsTest::axisReadout()
{
    QFETCH(QString, chart);
    QFETCH(char, axis);
    QFETCH(double, value);
    QFETCH(QString, text);
    std::unique_ptr<TChart> c(BuildChart(chart, nullptr));
    QCOMPARE(AxisReadout(axis == 'b' ? c->BottomAxis() : c->LeftAxis(), value), text);
}

void ChartsTest::rangesFollowModel()
{
    std::unique_ptr<TChart> chart(BuildChart(QStringLiteral("ch_C1"), nullptr));
    chart->resize(400, 300);
    TChartSeries &a = chart->Series()[0];
    a.AddXY(500, 0);
    a.AddXY(600, 6000);
    a.AddXY(450, 11000);
    QTRY_VERIFY(!chart->IsDirty());
    QVERIFY2(sameView(chart->View(), ChartView{{450, 600}, {0, 11000}}), viewText(chart->View()));

    chart->Series()[1].AddXY(700, -100);
    QTRY_VERIFY(!chart->IsDirty());
    QVERIFY2(sameView(chart->View(), ChartView{{450, 700}, {-100, 11000}}), viewText(chart->View()));

    // Made inactive, its points leave the ranges at once; back, they return.
    chart->Series()[1].SetActive(false);
    QTRY_VERIFY(!chart->IsDirty());
    QVERIFY2(sameView(chart->View(), ChartView{{450, 600}, {0, 11000}}), viewText(chart->View()));
    QVERIFY(!chart->Curve(1)->visible());
    chart->Series()[1].SetActive(true);
    QTRY_VERIFY(!chart->IsDirty());
    QVERIFY2(sameView(chart->View(), ChartView{{450, 700}, {-100, 11000}}), viewText(chart->View()));

    // The curve gets the points in the model's order, back and forth as they are.
    QCPCurve *curve = chart->Curve(0);
    QCOMPARE(curve->dataCount(), 3);
    QCOMPARE(curve->data()->at(2)->key, 450.0);
}

void ChartsTest::legendFollowsModel()
{
    QWidget page;  // outlives the chart, whatever fails
    std::unique_ptr<TChart> chart(BuildChart(QStringLiteral("chrt_FunPlot"), nullptr));
    chart->resize(800, 600);
    auto legendTexts = [&chart] {
        QStringList out;
        for (int i = 0; i < chart->legend->itemCount(); ++i)
            out << static_cast<QCPPlottableLegendItem *>(chart->legend->item(i))->plottable()->name();
        return out;
    };
    // As a refresh leaves it: all inactive, then the first aircraft and the lines filled.
    for (int i = 0; i < chart->Series().Count(); ++i) {
        chart->Series()[i].Clear();
        chart->Series()[i].SetActive(false);
    }
    QTRY_VERIFY(!chart->IsDirty());
    QCOMPARE(legendTexts(), QStringList());
    QVERIFY(!chart->legend->visible());

    chart->Series()[0].SetTitle(QStringLiteral("noFlaps Tarn-9"));
    chart->Series()[0].SetActive(true);
    chart->Series()[2].SetTitle(QStringLiteral("Flaps-2 Tarn-9"));
    chart->Series()[2].SetActive(true);
    for (int i = 9; i < 22; ++i) {
        chart->Series()[i].AddXY(100, i);
        chart->Series()[i].SetActive(true);
    }
    QTRY_VERIFY(!chart->IsDirty());
    QCOMPARE(legendTexts(), (QStringList{"noFlaps Tarn-9", "Flaps-2 Tarn-9"}));
    QCOMPARE(legendTexts(), chart->Series().LegendEntries());
    QVERIFY(chart->legend->visible());

    chart->Series()[0].SetTitle(QString());
    QTRY_VERIFY(!chart->IsDirty());
    QCOMPARE(legendTexts(), (QStringList{"HorizLineSeries15", "Flaps-2 Tarn-9"}));

    // The legend sits below the plot area.
    chart->replot(QCustomPlot::rpImmediateRefresh);
    QVERIFY(chart->legend->outerRect().top() >= chart->axisRect()->outerRect().bottom());

    // However long the legend, it sets no minimum for the page's layout.
    for (int i = 1; i < 8; ++i)
        chart->Series()[i].SetActive(true);
    chart->SyncNow();
    auto *layout = new QVBoxLayout(&page);
    layout->addWidget(chart.get());
    page.resize(200, 150);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QVERIFY2(chart->width() <= 200, QByteArray::number(chart->width()));
}

void ChartsTest::oneRepaintForManyChanges()
{
    QVector<TChart *> charts;
    for (const ChartDef &def : ChartDefs())
        charts << BuildChart(def.name, nullptr);
    QTest::qWait(20);
    QVector<int> syncs, replots;
    for (TChart *c : charts) {
        syncs << c->SyncCount();
        replots << c->ReplotCount();
    }
    for (TChart *c : charts)
        for (int i = 0; i < c->Series().Count(); ++i) {
            TChartSeries &s = c->Series()[i];
            s.Clear();
            s.SetActive(false);
            s.SetTitle(QStringLiteral("T %1").arg(i));
            s.SetActive(true);
            for (int p = 0; p < 60; ++p)
                s.AddXY(p, p * i);
            if (s.MarksVisible())
                s.MarkItem(1).SetText(QStringLiteral("m"));
        }
    QTRY_VERIFY(std::none_of(charts.begin(), charts.end(), [](TChart *c) { return c->IsDirty(); }));
    QTest::qWait(50);  // anything else queued would have run by now
    for (int k = 0; k < charts.size(); ++k) {
        QCOMPARE(charts[k]->SyncCount() - syncs[k], 1);
        QCOMPARE(charts[k]->ReplotCount() - replots[k], 1);
    }
    qDeleteAll(charts);
}

void ChartsTest::mouseZoomAndRestore()
{
    auto chart = shownChart();
    QVERIFY(chart);
    const QRect area = chart->PlotArea();
    const ChartView before = chart->View();
    QVERIFY(sameView(before, chart->AutoView()));

    const QPoint from = area.topLeft() + QPoint(50, 40);
    const QPoint to = from + QPoint(120, 90);
    const ChartView expected = ZoomToPixelRect(area, before, from, to);
    // The pure mapping agrees with the plot's own.
    QVERIFY(near(expected.x.lower, chart->xAxis->pixelToCoord(from.x()), 1e-6));
    QVERIFY(near(expected.y.upper, chart->yAxis->pixelToCoord(from.y()), 1e-6));

    QTest::mousePress(chart.get(), Qt::LeftButton, {}, from);
    QTest::mouseMove(chart.get(), from + QPoint(60, 45));
    QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, to);
    QVERIFY(chart->IsZoomed());
    QTRY_VERIFY(!chart->Navigator().IsAnimating());
    QVERIFY2(sameView(chart->View(), expected), viewText(chart->View()));

    // A model change keeps the user's view while zoomed.
    chart->Series()[0].AddXY(900, 20000);
    QTRY_VERIFY(!chart->IsDirty());
    QVERIFY2(sameView(chart->View(), expected), viewText(chart->View()));

    // Leftwards restores the automatic ranges, new point included.
    QTest::mousePress(chart.get(), Qt::LeftButton, {}, to);
    QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, from);
    QVERIFY(!chart->IsZoomed());
    QTRY_VERIFY(!chart->Navigator().IsAnimating());
    QVERIFY2(sameView(chart->View(), chart->AutoView()), viewText(chart->View()));
    QCOMPARE(chart->View().x.upper, 900.0);
    QCOMPARE(chart->View().y.upper, 20000.0);
}

void ChartsTest::smallDragDoesNothing()
{
    auto chart = shownChart();
    QVERIFY(chart);
    const QPoint from = chart->PlotArea().center();
    const ChartView before = chart->View();
    for (const QPoint d : {QPoint(16, 100), QPoint(100, 16), QPoint(-16, -100), QPoint(-100, 16)}) {
        QTest::mousePress(chart.get(), Qt::LeftButton, {}, from);
        QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, from + d);
        QVERIFY(!chart->Navigator().IsAnimating());
        QVERIFY(!chart->IsZoomed());
        QVERIFY(sameView(chart->View(), before));
    }
    // Once zoomed, a small leftward drag does not restore either.
    chart->Navigator().LeftDrag(from, from + QPoint(40, 40));
    QTRY_VERIFY(!chart->Navigator().IsAnimating());
    const ChartView zoomed = chart->View();
    QCOMPARE(chart->Navigator().LeftDrag(from + QPoint(40, 40), from + QPoint(30, 0)), DragAction::None);
    QVERIFY(chart->IsZoomed());
    QVERIFY(sameView(chart->View(), zoomed));
}

void ChartsTest::rightDragScrolls()
{
    auto chart = shownChart();
    QVERIFY(chart);
    const QRect area = chart->PlotArea();
    const ChartView before = chart->View();
    const QPoint from = area.center();
    QTest::mousePress(chart.get(), Qt::RightButton, {}, from);
    QTest::mouseMove(chart.get(), from + QPoint(20, 10));
    QTest::mouseRelease(chart.get(), Qt::RightButton, {}, from + QPoint(40, -30));
    const ChartView expected = ScrollByPixels(area, before, QPoint(40, -30));
    QVERIFY2(sameView(chart->View(), expected, 1e-6 * (before.y.upper - before.y.lower)), viewText(chart->View()));
    QVERIFY(chart->View().x.lower < before.x.lower);  // content moved right: smaller values come in
    QVERIFY(chart->View().y.lower < before.y.lower);  // content moved up: smaller values come in
    QVERIFY(chart->IsZoomed());
    chart->Navigator().UndoZoom();
    QTRY_VERIFY(!chart->Navigator().IsAnimating());
    QVERIFY(sameView(chart->View(), chart->AutoView()));
}

void ChartsTest::doubleClickSignals()
{
    auto chart = shownChart();
    QVERIFY(chart);
    QSignalSpy spy(chart.get(), &TChart::DoubleClicked);
    // QTest's double click leaves the button down: released here, as a real one ends.
    QTest::mouseDClick(chart.get(), Qt::LeftButton, {}, chart->PlotArea().center());
    QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, chart->PlotArea().center());
    QCOMPARE(spy.count(), 1);
    QVERIFY(!chart->IsZoomed());

    // An error raised by what the click starts reaches the reporter, not Qt's frames.
    QStringList reported;
    SetErrorReporter([&reported](const QString &m) { reported << m; });
    connect(chart.get(), &TChart::DoubleClicked, [] { throw VarnelError(QStringLiteral("broken")); });
    QTest::mouseDClick(chart.get(), Qt::LeftButton, {}, chart->PlotArea().center());
    QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, chart->PlotArea().center());
    SetErrorReporter(nullptr);
    QCOMPARE(reported, QStringList{QStringLiteral("broken")});
}

void ChartsTest::marksOfReferenceLines()
{
    std::unique_ptr<TChart> chart(BuildChart(QStringLiteral("chrt_FunPlot"), nullptr));
    chart->resize(800, 600);
    TChartSeries &g = chart->Series()[9];  // "1g": marks visible
    g.AddXY(100, 20.224);
    g.AddXY(150, 13.483);
    g.AddXY(200, 10.112);
    g.MarkItem(0).SetText(QString());
    TMarksItem &label = g.MarkItem(1);
    label.SetText(QStringLiteral("1-g"));
    label.Transparent = true;
    g.MarkItem(2).SetText(QString());
    TChartSeries &r = chart->Series()[15];  // "100м"
    r.AddXY(33, 5.3);
    r.AddXY(100, 15.91);
    r.MarkItem(0).SetText(QString());
    r.MarkItem(1).SetText(QStringLiteral("100m"));  // boxed: not transparent
    const QRgb boxColour = qRgb(0x20, 0xC0, 0x40), unseenColour = qRgb(0xC0, 0x20, 0xA0);
    r.MarkItem(1).Color = boxColour;
    label.Color = unseenColour;
    chart->Series()[8].AddXY(1, 1);  // "0g": marks hidden
    chart->Series()[8].MarkItem(0).SetText(QStringLiteral("hidden"));
    QTRY_VERIFY(!chart->IsDirty());
    chart->replot(QCustomPlot::rpImmediateRefresh);
    QCOMPARE(chart->MarkTexts(), (QStringList{"1-g", "100m"}));

    // Each label sits 8 pixels above its point, joined to it by a white line.
    int found = 0;
    for (int i = 0; i < chart->itemCount(); ++i) {
        auto *text = qobject_cast<QCPItemText *>(chart->item(i));
        if (!text || (text->text() != QLatin1String("1-g") && text->text() != QLatin1String("100m")))
            continue;
        ++found;
        const bool transparent = text->text() == QLatin1String("1-g");
        const QPointF point = transparent ? QPointF(150, 13.483) : QPointF(100, 15.91);
        const QPointF px(chart->xAxis->coordToPixel(point.x()), chart->yAxis->coordToPixel(point.y()));
        QVERIFY(near(text->position->pixelPosition().x(), px.x(), 0.01));
        QVERIFY(near(text->position->pixelPosition().y(), px.y() - 8, 0.01));
        QCOMPARE(text->positionAlignment(), Qt::AlignHCenter | Qt::AlignBottom);
        QCOMPARE(text->brush().style() == Qt::NoBrush, transparent);
        QCOMPARE(text->pen().style() == Qt::NoPen, transparent);
    }
    QCOMPARE(found, 2);

    // As drawn: the boxed label is filled with its colour, the transparent one shows
    // only its text.
    const QImage image = chart->toPixmap(800, 600).toImage();
    const QPointF boxed(chart->xAxis->coordToPixel(100), chart->yAxis->coordToPixel(15.91) - 8);
    int filled = 0, unseen = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (colourDistance(c, boxColour) < 30 && std::abs(x - boxed.x()) < 30 && y < boxed.y() + 1 && y > boxed.y() - 20)
                ++filled;
            unseen += colourDistance(c, unseenColour) < 60;
        }
    QVERIFY2(filled > 40, QByteArray::number(filled));
    QCOMPARE(unseen, 0);

    // Zoomed away from a point, its mark goes; restored, it comes back.
    auto labelShown = [&chart](const QString &t) {
        for (int i = 0; i < chart->itemCount(); ++i)
            if (auto *text = qobject_cast<QCPItemText *>(chart->item(i)); text && text->text() == t)
                return text->visible();
        return false;
    };
    QVERIFY(labelShown(QStringLiteral("100m")));
    chart->xAxis->setRange(120, 200);
    chart->replot(QCustomPlot::rpImmediateRefresh);
    QVERIFY(!labelShown(QStringLiteral("100m")));
    QVERIFY(labelShown(QStringLiteral("1-g")));
    chart->Navigator().UndoZoom();
    QTRY_VERIFY(!chart->Navigator().IsAnimating());
    chart->replot(QCustomPlot::rpImmediateRefresh);
    QVERIFY(labelShown(QStringLiteral("100m")));

    // Cleared, the labels are gone with the points.
    g.Clear();
    r.Clear();
    QTRY_VERIFY(!chart->IsDirty());
    QCOMPARE(chart->MarkTexts(), QStringList());
}

void ChartsTest::pointReadout()
{
    auto chart = shownChart();
    QVERIFY(chart);
    chart->Series()[0].SetTitle(QStringLiteral("100% Tarn-9"));
    chart->SyncNow();
    chart->replot(QCustomPlot::rpImmediateRefresh);
    const QPoint at(qRound(chart->xAxis->coordToPixel(550)), qRound(chart->yAxis->coordToPixel(5000)) + 3);
    QCOMPARE(chart->ReadoutAt(at), u("100% Tarn-9\nСкорость: 550 км/ч\nВысота: 5000 м"));
    QCOMPARE(chart->ReadoutAt(at + QPoint(0, 27)), chart->ReadoutAt(at));
    // Inside the plot area but more than 40 pixels from every drawn point: nothing.
    const QPoint far = chart->PlotArea().topLeft() + QPoint(10, 10);
    for (int i : {0, 2})
        for (int j = 0; j < chart->Series()[i].Count(); ++j) {
            const QPointF p(chart->xAxis->coordToPixel(chart->Series()[i].XValues[j]),
                            chart->yAxis->coordToPixel(chart->Series()[i].YValues[j]));
            QVERIFY(std::hypot(p.x() - far.x(), p.y() - far.y()) > 100);
        }
    QCOMPARE(chart->ReadoutAt(far), QString());
    // An inactive series is not read out, nor is a place far from every point.
    chart->Series()[0].SetActive(false);
    chart->SyncNow();
    QVERIFY(!chart->ReadoutAt(at).startsWith(QLatin1String("100% Tarn-9")));
    QCOMPARE(chart->ReadoutAt(QPoint(-5, -5)), QString());
}

void ChartsTest::bottomAxisReservesNoBand()
{
    std::unique_ptr<TChart> titled(BuildChart(QStringLiteral("chrt_TASbyAlt"), nullptr));
    std::unique_ptr<TChart> untitled(BuildChart(QStringLiteral("chrt_TASbyAlt"), nullptr));
    untitled->SetAxisTitles({}, titled->LeftAxis());
    for (TChart *c : {titled.get(), untitled.get()}) {
        c->resize(600, 400);
        c->replot(QCustomPlot::rpImmediateRefresh);
    }
    QVERIFY(std::abs(titled->axisRect()->rect().bottom() - untitled->axisRect()->rect().bottom()) <= 1);

    // The title sits in the lower right corner of the plot, unless lines run through
    // it there and not in the lower left one.
    TChartSeries &s = titled->Series()[0];
    s.AddXY(0, 0);  // through the lower left corner
    s.AddXY(100, 100);
    titled->SyncNow();
    titled->replot(QCustomPlot::rpImmediateRefresh);
    QVERIFY(!titled->BottomTitleOnLeft());
    s.Clear();
    s.AddXY(0, 100);  // through the lower right corner
    s.AddXY(100, 0);
    titled->SyncNow();
    titled->replot(QCustomPlot::rpImmediateRefresh);
    QVERIFY(titled->BottomTitleOnLeft());
    // The left axis title takes its band, rotated to read upwards.
    QCOMPARE(titled->yAxis->label(), u("Высота (м)"));
    QCOMPARE(titled->yAxis->labelFont().pixelSize(), 9);
    QCOMPARE(titled->legend->font().pixelSize(), 9);
}

void ChartsTest::renderedLineHasSeriesColour()
{
    std::unique_ptr<TChart> chart(BuildChart(QStringLiteral("chrt_FunPlot"), nullptr));
    chart->resize(600, 450);
    for (int i = 0; i < chart->Series().Count(); ++i)
        chart->Series()[i].SetActive(false);
    TChartSeries &red = chart->Series()[4];  // #FF0000, width 2
    red.SetActive(true);
    red.AddXY(100, 10);
    red.AddXY(500, 30);
    red.AddXY(300, 20);  // back: the line runs through this last, in order added
    TChartSeries &hidden = chart->Series()[0];  // #0000FF, inactive
    hidden.AddXY(100, 30);
    hidden.AddXY(500, 10);
    TChartSeries &dots = chart->Series()[10];  // "2g": small dots
    dots.SetActive(true);
    dots.AddXY(100, 23);  // off the grid lines
    dots.AddXY(500, 23);
    chart->SyncNow();
    chart->replot(QCustomPlot::rpImmediateRefresh);
    const QImage image = chart->toPixmap(600, 450).toImage();
    auto px = [&chart](double x, double y) {
        return QPointF(chart->xAxis->coordToPixel(x), chart->yAxis->coordToPixel(y));
    };

    QVERIFY(colourNear(image, px(200, 15), qRgb(255, 0, 0)));  // on the segment 0-1
    QVERIFY(colourNear(image, px(400, 25), qRgb(255, 0, 0)));  // on the segment 1-2
    QVERIFY(!colourNear(image, px(200, 25), qRgb(255, 0, 0), 1));
    // Nothing blue anywhere: the inactive series is not drawn.
    bool blue = false;
    for (int y = 0; y < image.height() && !blue; ++y)
        for (int x = 0; x < image.width() && !blue; ++x)
            blue = colourDistance(image.pixel(x, y), qRgb(0, 0, 255)) < 120;
    QVERIFY(!blue);

    // The dotted line sets every other pixel along its row.
    const int row = qRound(px(100, 23).y() - 0.5);
    int dark = 0, changes = 0;
    bool last = false;
    for (int x = qRound(px(150, 23).x()); x < qRound(px(250, 23).x()); ++x) {
        bool on = false;
        for (int y = row - 1; y <= row + 1; ++y)
            on = on || qGray(image.pixel(x, y)) < 80;
        dark += on;
        changes += x > qRound(px(150, 23).x()) && on != last;
        last = on;
    }
    const int span = qRound(px(250, 23).x()) - qRound(px(150, 23).x());
    QVERIFY2(dark > span / 3 && dark < span * 2 / 3, QByteArray::number(dark) + " of " + QByteArray::number(span));
    QVERIFY2(changes > span * 2 / 3, QByteArray::number(changes));

    // A long curve, thinned before it is drawn, still reaches its peaks and troughs.
    std::unique_ptr<TChart> tall(BuildChart(QStringLiteral("chrt_TASbyAlt"), nullptr));
    tall->resize(600, 450);
    TChartSeries &zigzag = tall->Series()[0];  // #0000FF
    auto triangle = [](int i) { return i % 40 < 20 ? i % 40 : 40 - i % 40; };
    for (int i = 0; i < 200; ++i)
        zigzag.AddXY(i, triangle(i));
    tall->SyncNow();
    tall->replot(QCustomPlot::rpImmediateRefresh);
    const QImage zigzagImage = tall->toPixmap(600, 450).toImage();
    for (int i : {10, 20, 30, 70, 110, 150}) {
        const QPointF at(tall->xAxis->coordToPixel(i), tall->yAxis->coordToPixel(triangle(i)));
        QVERIFY2(colourNear(zigzagImage, at, qRgb(0, 0, 255)), QByteArray::number(i));
    }
}

void ChartsTest::thinningKeepsShape_data()
{
    QTest::addColumn<QVector<QPointF>>("line");
    QTest::addColumn<bool>("thinned");  // whether vertices may go
    QVector<QPointF> dense, backAndForth, steps, shortLine;
    for (int i = 0; i < 5000; ++i)
        dense << QPointF(i * 0.05, 100 + 50 * std::sin(i * 0.01));
    for (int i = 0; i < 3000; ++i)
        backAndForth << QPointF(100 + 80 * std::sin(i * 0.005), i * 0.1);
    for (int i = 0; i < 100; ++i)
        steps << QPointF(i * 10, i % 2 ? 0 : 10);
    for (int i = 0; i < 10; ++i)
        shortLine << QPointF(i * 0.1, 0);
    QTest::newRow("dense wave") << dense << true;
    QTest::newRow("back and forth") << backAndForth << true;
    QTest::newRow("every vertex a pixel apart") << steps << false;
    QTest::newRow("short curve") << shortLine << false;
}

void ChartsTest::thinningKeepsShape()
{
    QFETCH(QVector<QPointF>, line);
    QFETCH(bool, thinned);
    const QVector<QPointF> kept = ThinPolyline(line);
    QCOMPARE(kept.front(), line.front());
    QCOMPARE(kept.back(), line.back());
    if (thinned)
        QVERIFY2(kept.size() < line.size() / 2, QByteArray::number(kept.size()));
    else
        QCOMPARE(kept, line);
    // The shape is kept within a pixel or so, both ways.
    QVERIFY2(worstStray(line, kept) <= 1.5, QByteArray::number(worstStray(line, kept)));
    QVERIFY(worstStray(kept, line) <= 1e-9);
}

void ChartsTest::nearestPoint()
{
    TChartSeriesList list;
    TChartSeries &a = list.Add(SeriesKind::TLineSeries, QStringLiteral("A"));
    TChartSeries &b = list.Add(SeriesKind::TLineSeries, QStringLiteral("B"));
    TChartSeries &c = list.Add(SeriesKind::TLineSeries, QStringLiteral("C"));
    a.AddXY(0, 0);
    a.AddXY(10, 0);
    b.AddXY(5, 0);
    b.SetActive(false);
    c.AddXY(10, 0);
    const PixelMap scaled = [](double x, double y) { return QPointF(2 * x, 100 - y); };
    auto at = [&](QPointF pos, double reach) {
        const PointRef r = NearestPoint(list, scaled, pos, reach);
        return QPoint(r.series, r.point);
    };
    QCOMPARE(at({8, 100}, 40), QPoint(0, 0));     // the inactive series' point is nearer
    QCOMPARE(at({20, 97}, 40), QPoint(0, 1));     // a tie goes to the first series
    QCOMPARE(at({60, 100}, 40), QPoint(0, 1));    // 40 pixels away: still read out
    QCOMPARE(at({61, 100}, 40), QPoint(-1, -1));  // 41 pixels: nothing
    QCOMPARE(PointReadout(a, 1, {u("Скорость (км/ч)"), u("Скорость"), u("км/ч")}, {u("Град./сек"), {}, u("Град./сек")}),
             u("A\nСкорость: 10 км/ч\n0 Град./сек"));
}

Q_DECLARE_METATYPE(std::optional<QPointF>)

void ChartsTest::lineCrossing_data()
{
    QTest::addColumn<bool>("horizKind");
    QTest::addColumn<QVector<QPointF>>("points");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<double>("at");
    QTest::addColumn<std::optional<QPointF>>("expected");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const QVector<QPointF> line{{100, 10}, {200, 30}, {400, 20}};
    QTest::newRow("at a point") << false << line << true << 200.0 << std::optional(QPointF(200, 30));
    QTest::newRow("between") << false << line << true << 300.0 << std::optional(QPointF(300, 25));
    QTest::newRow("at the first point") << false << line << true << 100.0 << std::optional(QPointF(100, 10));
    QTest::newRow("before") << false << line << true << 99.0 << std::optional<QPointF>();
    QTest::newRow("after") << false << line << true << 400.5 << std::optional<QPointF>();
    QTest::newRow("out of view") << false << QVector<QPointF>{{100, 10}, {200, 90}} << true << 190.0
                                 << std::optional<QPointF>();
    // Speed by altitude, read across at an altitude; the line runs back and forth.
    const QVector<QPointF> byAltitude{{500, 0}, {560, 4000}, {540, 8000}, {470, 12000}};
    QTest::newRow("altitude between") << true << byAltitude << false << 6000.0 << std::optional(QPointF(550, 6000));
    QTest::newRow("altitude at top") << true << byAltitude << false << 12000.0 << std::optional(QPointF(470, 12000));
    QTest::newRow("altitude above") << true << byAltitude << false << 12001.0 << std::optional<QPointF>();
    // Read as a function of the line's axis, as the verdict reads it: rows in that
    // order, the first row of a place giving its value.
    QTest::newRow("a place twice") << true << QVector<QPointF>{{10, 0}, {10, 50}, {30, 0}} << true << 20.0
                                   << std::optional(QPointF(20, 0));
    QTest::newRow("rows out of order") << true << QVector<QPointF>{{0, 10}, {2000, 20}, {1000, 30}, {3000, 40}} << true
                                       << 1000.0 << std::optional(QPointF(1000, 30));
    // A point that is not a number breaks the line.
    const QVector<QPointF> gap{{100, 10}, {200, nan}, {300, 30}, {400, 40}};
    QTest::newRow("in a gap") << false << gap << true << 250.0 << std::optional<QPointF>();
    QTest::newRow("after a gap") << false << gap << true << 350.0 << std::optional(QPointF(350, 35));
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("towards an endless point") << false << QVector<QPointF>{{100, 10}, {inf, 20}} << true << 150.0
                                               << std::optional<QPointF>();
}

void ChartsTest::lineCrossing()
{
    QFETCH(bool, horizKind);
    QFETCH(QVector<QPointF>, points);
    QFETCH(bool, vertical);
    QFETCH(double, at);
    QFETCH(std::optional<QPointF>, expected);
    TChartSeries s(horizKind ? SeriesKind::THorizLineSeries : SeriesKind::TLineSeries, QStringLiteral("S"));
    for (const QPointF &p : points)
        s.AddXY(p.x(), p.y());
    const AxisSpan within = vertical ? AxisSpan{0, 50} : AxisSpan{0, 1000};
    const std::optional<QPointF> got = LineCrossing(s, vertical ? Qt::Vertical : Qt::Horizontal, at, within);
    QCOMPARE(got.has_value(), expected.has_value());
    if (got)
        QVERIFY2(near(got->x(), expected->x()) && near(got->y(), expected->y()),
                 QByteArray::number(got->x()) + " " + QByteArray::number(got->y()));
}

void ChartsTest::turnFigures()
{
    const TurnFigureSet f = TurnFigures(300, 18);
    QVERIFY(near(f.time, 20));
    QVERIFY(near(f.radius, 265.258, 1e-3));
    QVERIFY(near(f.radialLoad, 2.6687, 1e-3));
    QVERIFY(near(f.loadFactor, 2.8503, 1e-3));
    QCOMPARE(TrackerNumber(f.radius), QStringLiteral("265.3"));
    QCOMPARE(TrackerNumber(f.loadFactor), QStringLiteral("2.85"));
    // No turn: no time and no radius, a load factor of 1.
    const TurnFigureSet none = TurnFigures(300, 0);
    QVERIFY(std::isnan(none.time) && std::isnan(none.radius));
    QVERIFY(near(none.radialLoad, 0) && near(none.loadFactor, 1));
}

void ChartsTest::trackerBox()
{
    // The common page's speed chart beside its partner, as in the window: the box names
    // each curve by the partner's titles, while the legend keeps its own.
    QWidget page;
    std::unique_ptr<TChart> tas(BuildChart(QStringLiteral("chrt_TASbyAlt"), &page));
    std::unique_ptr<TChart> c1(BuildChart(QStringLiteral("ch_C1"), &page));
    const QStringList titles{u("100% Kestrel"), u("MAX Kestrel"), u("100% Tarn"), u("MAX Tarn")};
    const double speeds[] = {500, 520, 530, 0};
    for (int i = 0; i < 3; ++i) {
        tas->Series()[i].SetTitle(titles[i]);
        for (TChart *c : {tas.get(), c1.get()}) {
            c->Series()[i].AddXY(speeds[i], 0);
            c->Series()[i].AddXY(speeds[i] + 100, 10000);
        }
    }
    const TrackerSetup &setup = c1->Tracker().Setup();
    QCOMPARE(setup.line, Qt::Horizontal);
    const QStringList named{titles[0], titles[1], titles[2], titles[3]};
    TrackerReading r = ReadAtLine(c1->Series(), setup, named, 5000, {0, 1000}, c1->BottomAxis(), c1->LeftAxis());
    QStringList lines;
    for (const TrackerRow &row : r.rows)
        lines << row.cells.join(QLatin1Char('|'));
    // Only the 100% curves of both aircraft make a difference: second minus first.
    QCOMPARE(lines, QStringList({u("Высота: 5000 м"), u("100% Kestrel|550 км/ч"), u("MAX Kestrel|570 км/ч"),
                                 u("100% Tarn|580 км/ч"), u("Δ 100%|+30 км/ч")}));
    QCOMPARE(r.rows[3].color, QColor(0xFF0000));
    QCOMPARE(r.curves(), 3);

    // Paired with its partner, the widget takes the partner's titles; the legend keeps "100%".
    PairPartners({tas.get(), c1.get()});
    c1->resize(500, 400);
    c1->SyncNow();
    c1->replot(QCustomPlot::rpImmediateRefresh);
    c1->Tracker().MoveTo(QPoint(c1->PlotArea().center().x(), qRound(c1->yAxis->coordToPixel(5000))));
    QVERIFY2(c1->Tracker().BoxText().contains(u("100% Tarn  ")), qPrintable(c1->Tracker().BoxText()));
    QCOMPARE(c1->Series().LegendEntries().first(), u("100%"));

    // The turn-rate diagram: per curve its rate, time, radius and load factor.
    std::unique_ptr<TChart> fun(BuildChart(QStringLiteral("chrt_FunPlot"), nullptr));
    for (int i : {0, 4}) {
        fun->Series()[i].SetTitle(i == 0 ? u("noFlaps Kestrel") : u("noFlaps Tarn"));
        fun->Series()[i].AddXY(200, i == 0 ? 18 : 20);
        fun->Series()[i].AddXY(400, 18);
    }
    fun->Series()[9].AddXY(100, 5);  // a reference line is not read
    fun->Series()[9].AddXY(500, 30);
    QStringList names;
    for (int i = 0; i < fun->Series().Count(); ++i)
        names << fun->Series()[i].Title();
    r = ReadAtLine(fun->Series(), fun->Tracker().Setup(), names, 300, {0, 40}, fun->BottomAxis(), fun->LeftAxis());
    lines.clear();
    for (const TrackerRow &row : r.rows)
        lines << row.cells.join(QLatin1Char('|'));
    // Radial load as the reference lines name it, then the load factor of a level turn.
    QCOMPARE(lines, QStringList({u("Скорость: 300 Км/ч|Град./сек|t, сек|R, м|Vω/g|n виража"),
                                 u("noFlaps Kestrel|18|20|265.3|2.67 g|2.85"), u("noFlaps Tarn|19|18.95|251.3|2.82 g|2.99"),
                                 u("Δ Без закрылков|+1|-1.05|-13.96|+0.15 g|+0.14")}));
}

void ChartsTest::trackerMoveRedrawsItsLayerOnly()
{
    auto chart = shownChart();
    QVERIFY(chart);
    QCoreApplication::processEvents();  // replots already queued
    const QImage clean = chart->grab().toImage();
    const QImage cleanRendered = chart->toPixmap(400, 300).toImage();
    const int replots = chart->ReplotCount();
    const int layerReplots = chart->Tracker().LayerReplotCount();
    const QRect area = chart->PlotArea();
    for (int k = 1; k <= 5; ++k)
        QTest::mouseMove(chart.get(), area.topLeft() + QPoint(40 * k, area.height() / 2));
    QVERIFY(chart->Tracker().IsShown());
    QCOMPARE(chart->Tracker().Reading().curves(), 2);
    QCOMPARE(chart->Tracker().LayerReplotCount(), layerReplots + 5);
    QCoreApplication::processEvents();
    QCOMPARE(chart->ReplotCount(), replots);  // the curves were not drawn again
    QVERIFY(chart->grab().toImage() != clean);
    // Never in a rendered picture; hidden for a grab.
    QCOMPARE(chart->toPixmap(400, 300).toImage(), cleanRendered);
    chart->Tracker().Hide();
    QCOMPARE(chart->grab().toImage(), clean);

    // Gone off the plot area, and while a drag goes on.
    QTest::mouseMove(chart.get(), area.center());
    QVERIFY(chart->Tracker().IsShown());
    QTest::mouseMove(chart.get(), QPoint(area.left() - 3, area.center().y()));
    QVERIFY(!chart->Tracker().IsShown());
    QTest::mouseMove(chart.get(), area.center());
    QTest::mousePress(chart.get(), Qt::RightButton, {}, area.center());
    QVERIFY(!chart->Tracker().IsShown());
    QTest::mouseMove(chart.get(), area.center() + QPoint(10, 10));
    QVERIFY(!chart->Tracker().IsShown());
    QTest::mouseRelease(chart.get(), Qt::RightButton, {}, area.center() + QPoint(10, 10));
}

void ChartsTest::wheelZoomKeepsCursorPoint()
{
    auto chart = shownChart();
    QVERIFY(chart);
    const QRect area = chart->PlotArea();
    const QPoint at = area.topLeft() + QPoint(area.width() / 3, area.height() / 4);
    auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent e(at, chart->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(chart.get(), &e);
    };
    const QPointF value(chart->xAxis->pixelToCoord(at.x()), chart->yAxis->pixelToCoord(at.y()));
    const ChartView before = chart->View();
    wheel(120, Qt::NoModifier);
    QVERIFY(chart->IsZoomed());
    chart->replot(QCustomPlot::rpImmediateRefresh);  // new tick labels, maybe a new plot area
    const ChartView in = chart->View();
    QVERIFY(near(chart->xAxis->pixelToCoord(at.x()), value.x(), 1e-6));
    QVERIFY(near(chart->yAxis->pixelToCoord(at.y()), value.y(), 1e-6));
    QVERIFY(near(in.x.upper - in.x.lower, (before.x.upper - before.x.lower) * WheelZoomFactor));
    QVERIFY(near(in.y.upper - in.y.lower, (before.y.upper - before.y.lower) * WheelZoomFactor));
    // Shift: only the bottom axis; Ctrl: only the left one; towards the user: out again.
    wheel(-120, Qt::ShiftModifier);
    QVERIFY(near(chart->View().x.upper - chart->View().x.lower, before.x.upper - before.x.lower));
    QCOMPARE(chart->View().y, in.y);
    wheel(-120, Qt::ControlModifier);
    QVERIFY(sameView(chart->View(), before));

    // Escape restores the chart under the mouse, wherever the keyboard focus is in the
    // window that holds it.
    new ChartHolder(*chart);
    chart->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(chart.get()));
    wheel(240, Qt::NoModifier);
    QTest::mouseMove(chart.get(), at);
    QVERIFY(chart->underMouse());
    QTest::keyClick(chart.get(), Qt::Key_Escape);
    QVERIFY(!chart->IsZoomed());
    QTRY_VERIFY(!chart->Navigator().IsAnimating());
    QVERIFY(sameView(chart->View(), chart->AutoView()));

    // ...also while an item view, such as an aircraft tree on an editable aircraft, has
    // the focus; but an open caption editor and a text field keep their keys.
    auto *tree = new QTreeWidget(chart.get());
    tree->setGeometry(0, 0, 80, 60);
    auto *craft = new QTreeWidgetItem(tree, {QStringLiteral("Alpha")});
    craft->setFlags(craft->flags() | Qt::ItemIsEditable);
    tree->setCurrentItem(craft);
    tree->show();
    tree->setFocus();
    QVERIFY(QApplication::focusWidget() == tree);
    wheel(240, Qt::NoModifier);
    QTest::mouseMove(chart.get(), at);
    QVERIFY(chart->underMouse());
    QTest::keyClick(tree, Qt::Key_Home);
    QVERIFY(!chart->IsZoomed());

    wheel(240, Qt::NoModifier);
    tree->editItem(craft);
    auto *editor = tree->findChild<QLineEdit *>();
    QVERIFY(editor && editor->hasFocus());
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!tree->findChild<QLineEdit *>() || !tree->findChild<QLineEdit *>()->isVisible());
    QVERIFY(chart->IsZoomed());
    auto *field = new QLineEdit(QStringLiteral("Tarn"), chart.get());
    field->show();
    field->setFocus();
    field->setCursorPosition(3);
    QTest::keyClick(field, Qt::Key_Home);
    QCOMPARE(field->cursorPosition(), 0);
    QVERIFY(chart->IsZoomed());
}

QTEST_MAIN(ChartsTest)
#include "presentation_charts.moc"

// Two speed curves crossing at 5,000 m, between their rows: shaded pale blue below the
// crossing, where the first is faster, pale red above it, nothing outside the two lines
// or where only the first has values; the curves drawn over the fill; the zoomed view
// shaded alike. Off at start, and off again it leaves the picture as it was. Every pair
// of the tables is the first aircraft's curve and the second's of the same kind.
// The axes write numbers as every other number of the program is written, with a
// point and no group separator, also where the user's language writes a comma.
void ChartsTest::axisNumbersWithPointInAnyLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    std::unique_ptr<TChart> chart(BuildChart(QStringLiteral("chrt_MaxROCbyAlt"), nullptr));
    QLocale::setDefault(before);
    chart->resize(600, 450);
    chart->xAxis->setRange(10.05, 10.25);  // zoomed in: tenths
    chart->yAxis->setRange(0, 12000);      // thousands
    chart->replot(QCustomPlot::rpImmediateRefresh);
    const QStringList x = chart->xAxis->tickVectorLabels().toList(), y = chart->yAxis->tickVectorLabels().toList();
    QVERIFY2(x.contains(QStringLiteral("10.1")) && x.contains(QStringLiteral("10.2")), qPrintable(x.join(u' ')));
    QVERIFY2(y.contains(QStringLiteral("10000")), qPrintable(y.join(u' ')));
}

void ChartsTest::advantageShading()
{
    for (const ChartDef &def : ChartDefs()) {
        QVERIFY2(!def.shading.pairs.isEmpty() && def.shading.evenUnder > 0, qPrintable(def.name));
        QCOMPARE(def.shading.byLeftAxis, def.readByAltitude);
        for (const CurvePair &p : def.shading.pairs) {
            QCOMPARE(def.series[p.first].aircraft, 1);
            QCOMPARE(def.series[p.second].aircraft, 2);
            QCOMPARE(def.series[p.first].curveKind, def.series[p.second].curveKind);
        }
    }
    QCOMPARE(FindChartDef(QStringLiteral("chrt_TurnbySpeed"))->shading.higherIsBetter, false);

    std::unique_ptr<TChart> chart(BuildChart(QStringLiteral("chrt_TASbyAlt"), nullptr));
    chart->resize(600, 450);
    TChartSeries &first = chart->Series()[0], &second = chart->Series()[2];
    first.AddXY(600, 0);
    first.AddXY(600, 10000);
    first.AddXY(600, 12000);  // the second has no value up there
    second.AddXY(500, 0);
    second.AddXY(700, 10000);
    TChartSeries &lone = chart->Series()[1];  // #004080, upright through the blue area
    lone.AddXY(570, 0);
    lone.AddXY(570, 3000);
    chart->SyncNow();
    QVERIFY(!chart->Shading().IsShown());
    const QImage off = chart->toPixmap(600, 450).toImage();
    chart->Shading().SetShown(true);
    const QImage on = chart->toPixmap(600, 450).toImage();
    auto pixel = [&chart](const QImage &image, double speed, double altitude) {
        return image.pixel(qRound(chart->xAxis->coordToPixel(speed)), qRound(chart->yAxis->coordToPixel(altitude)));
    };
    auto blue = [](QRgb c) { return qBlue(c) > qRed(c) + 20; };
    auto red = [](QRgb c) { return qRed(c) > qBlue(c) + 20; };
    // Midway between the two lines (the second's speed is 500 + h / 50).
    for (double h : {1000.0, 4500.0})
        QVERIFY2(blue(pixel(on, 600 - (100 - h / 50) / 2, h)), qPrintable(QString::number(h)));
    for (double h : {5500.0, 9000.0})
        QVERIFY2(red(pixel(on, 600 + (h / 50 - 100) / 2, h)), qPrintable(QString::number(h)));
    for (QPointF outside : {QPointF(650, 2000), QPointF(560, 8000), QPointF(580, 11000)})
        QCOMPARE(pixel(on, outside.x(), outside.y()), pixel(off, outside.x(), outside.y()));
    // The curve over the fill keeps its own colour.
    bool inked = false;
    for (int dx = -1; dx <= 1; ++dx)
        inked = inked || pixel(on, chart->xAxis->pixelToCoord(chart->xAxis->coordToPixel(570) + dx), 1500) == qRgb(0, 0x40, 0x80);
    QVERIFY(inked);

    const ChartView whole = chart->View();
    chart->xAxis->setRange(580, 620);
    chart->yAxis->setRange(4000, 6000);
    const QImage zoomed = chart->toPixmap(600, 450).toImage();
    QVERIFY(blue(pixel(zoomed, 599, 4800)));
    QVERIFY(red(pixel(zoomed, 601, 5200)));

    chart->xAxis->setRange(whole.x.lower, whole.x.upper);
    chart->yAxis->setRange(whole.y.lower, whole.y.upper);
    chart->Shading().SetShown(false);
    QCOMPARE(chart->toPixmap(600, 450).toImage(), off);
}

// Two long curves are compared once for the charts that show them both (a common-page
// chart and its own page's); a chart whose curves change, even by one value, is shaded
// for its new curves, and the other keeps its own.
void ChartsTest::shadingSharedWhileTheCurvesAreTheSame()
{
    std::unique_ptr<TChart> charts[2] = {std::unique_ptr<TChart>(BuildChart(QStringLiteral("chrt_TASbyAlt"), nullptr)),
                                         std::unique_ptr<TChart>(BuildChart(QStringLiteral("ch_C1"), nullptr))};
    for (auto &chart : charts) {
        for (int h = 0; h <= 10000; h += 10) {
            chart->Series()[0].AddXY(600 + (h % 20 ? 3 : -3), h);  // the lead swaps at every row
            chart->Series()[2].AddXY(600, h);
        }
        chart->SyncNow();
        chart->Shading().SetShown(true);
    }
    auto same = [](const QVector<AdvantageArea> &a, const QVector<AdvantageArea> &b) {
        bool equal = a.size() == b.size();
        for (qsizetype i = 0; equal && i < a.size(); ++i)
            equal = a[i].firstLeads == b[i].firstLeads && a[i].outline == b[i].outline;
        return equal;
    };
    const QVector<AdvantageArea> &first = charts[0]->Shading().Areas();
    QVERIFY(first.size() > 1000);
    QVERIFY(same(first, AdvantageAreas(charts[0]->Series(), charts[0]->Shading().Setup())));
    QVERIFY(charts[1]->Shading().Areas()[500].outline.isSharedWith(first[500].outline));

    TChartSeries &changed = charts[1]->Series()[2];
    changed.Clear();
    for (int h = 0; h <= 10000; h += 10)
        changed.AddXY(h == 5000 ? 620 : 600, h);
    charts[1]->SyncNow();
    const QVector<AdvantageArea> &second = charts[1]->Shading().Areas();
    QVERIFY(!same(second, first));
    QVERIFY(same(second, AdvantageAreas(charts[1]->Series(), charts[1]->Shading().Setup())));
    QVERIFY(same(charts[0]->Shading().Areas(), AdvantageAreas(charts[0]->Series(), charts[0]->Shading().Setup())));

    // Nothing is shaded from an aircraft whose data failed.
    charts[0]->Series()[2].SetDataFailed(true);
    charts[0]->SyncNow();
    QVERIFY(charts[0]->Shading().Areas().isEmpty());
}
