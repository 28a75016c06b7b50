// What the chart widget draws: lines in their series' colours, thinned lines that keep
// their shape, and the advantage shading between the two aircraft's curves.
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

class ChartDrawingTest : public QObject {
    Q_OBJECT
private slots:
    void renderedLineHasSeriesColour();
    void thinningKeepsShape_data();
    void thinningKeepsShape();

    void advantageShading();
    void shadingSharedWhileTheCurvesAreTheSame();
};

void ChartDrawingTest::renderedLineHasSeriesColour()
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

void ChartDrawingTest::thinningKeepsShape_data()
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

void ChartDrawingTest::thinningKeepsShape()
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

// Two speed curves crossing at 5,000 m, between their rows: shaded pale blue below the
// crossing, where the first is faster, pale red above it, nothing outside the two lines
// or where only the first has values; the curves drawn over the fill; the zoomed view
// shaded alike. Off at start, and off again it leaves the picture as it was. Every pair
// of the tables is the first aircraft's curve and the second's of the same kind.
void ChartDrawingTest::advantageShading()
{
    for (const ChartDef *row : ChartDefs()) {
        const ChartDef &def = *row;
        QVERIFY2(!def.shading.pairs.isEmpty(), qPrintable(def.name));
        // The tracker reads across at an altitude where the altitude stands upright.
        std::unique_ptr<TChart> built(BuildChart(def, nullptr));
        QCOMPARE(built->Tracker().Setup().line == Qt::Horizontal, def.left.kind == Quantity::Altitude);
        for (const CurvePair &p : def.shading.pairs) {
            QCOMPARE(def.series[p.first].aircraft, 1);
            QCOMPARE(def.series[p.second].aircraft, 2);
            QCOMPARE(def.series[p.first].curveKind, def.series[p.second].curveKind);
            // Compared along the axis that shows what its measure runs along.
            QCOMPARE((def.readByAltitude ? def.left : def.bottom).kind, AlongOf(p.measure));
        }
    }
    QCOMPARE(ChartDefNamed(QStringLiteral("chrt_MaxROCbyAlt")).shading.pairs[1].measure, Measure::ClimbMax);

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
void ChartDrawingTest::shadingSharedWhileTheCurvesAreTheSame()
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

QTEST_MAIN(ChartDrawingTest)
#include "presentation_drawing.moc"
