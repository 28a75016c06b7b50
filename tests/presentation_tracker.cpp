// The chart widget's tracker: the point readout, the nearest point, where a line crosses
// the tracker, the turn figures and the tracker box.
#include "core/error.h"
#include "core/guard.h"
#include "presentation/chart.h"
#include "presentation/chart_defs.h"
#include "presentation/chart_holder.h"
#include "presentation/plot_geometry.h"
#include "presentation/tracker.h"
#include "presentation/zoom.h"
#include "chart_widget_fixture.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

class ChartTrackerTest : public QObject {
    Q_OBJECT
private slots:
    void pointReadout();
    void nearestPoint();

    void lineCrossing_data();
    void lineCrossing();
    void turnFigures();
    void trackerBox();
    void trackerMoveRedrawsItsLayerOnly();
};

void ChartTrackerTest::pointReadout()
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

void ChartTrackerTest::nearestPoint()
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

void ChartTrackerTest::lineCrossing_data()
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

void ChartTrackerTest::lineCrossing()
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

void ChartTrackerTest::turnFigures()
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

void ChartTrackerTest::trackerBox()
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

void ChartTrackerTest::trackerMoveRedrawsItsLayerOnly()
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

QTEST_MAIN(ChartTrackerTest)
#include "presentation_tracker.moc"
