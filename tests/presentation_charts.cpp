// The nine chart definitions against the window's tables, and the chart widget: ranges,
// legend, marks, merged repaints and the axes.
#include "core/error.h"
#include "core/guard.h"
#include "presentation/chart.h"
#include "chart_table_fixture.h"
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

Q_DECLARE_METATYPE(DragAction)
Q_DECLARE_METATYPE(ChartView)

class ChartsTest : public QObject {
    Q_OBJECT
private slots:
    void seriesAsDrawn();
    void chartKeepsItsRow();

    void axisReadout_data();
    void axisReadout();

    void rangesFollowModel();
    void legendFollowsModel();
    void oneRepaintForManyChanges();
    void marksOfReferenceLines();
    void bottomAxisReservesNoBand();
    void axisNumbersWithPointInAnyLocale();
};

// Every series of every chart as the user sees it: drawn alone, it shows in the picture
// in its own colour and pen; the first aircraft's curves in blue shades, the second's in
// red ones, the reference lines black, the load-factor lines ("1g" ... "6g") dotted; the
// legend lists the aircraft curves and nothing else.
void ChartsTest::seriesAsDrawn()
{
    int drawn = 0;
    for (const ChartDef *row : ChartDefs()) {
        const ChartDef &def = *row;
        std::unique_ptr<TChart> chart(BuildChart(def, nullptr));
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

// A chart keeps the row it was made from; a bare chart, made from none, keeps its axes
// through a switch of units instead of failing.
void ChartsTest::chartKeepsItsRow()
{
    const ChartDef &def = ChartDefNamed(QStringLiteral("ch_C2"));
    std::unique_ptr<TChart> chart(BuildChart(def, nullptr));
    QCOMPARE(chart->Definition(), &def);
    QCOMPARE(chart->objectName(), QStringLiteral("ch_C2"));
    QCOMPARE(chart->Tag(), 2);
    TChart bare;
    bare.SetAxisTitles({QStringLiteral("x"), {}, {}}, {QStringLiteral("y"), {}, {}});
    ShowUnits(bare, UnitSystem::Imperial);
    QCOMPARE(bare.BottomAxisTitle(), QStringLiteral("x"));
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
    chart->show();  // a hidden chart waits until it is shown
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
    chart->show();
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
    for (const ChartDef *row : ChartDefs()) {
        const ChartDef &def = *row;
        charts << BuildChart(def, nullptr);
        charts.back()->show();
    }
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

void ChartsTest::marksOfReferenceLines()
{
    std::unique_ptr<TChart> chart(BuildChart(QStringLiteral("chrt_FunPlot"), nullptr));
    chart->resize(800, 600);
    chart->show();
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

QTEST_MAIN(ChartsTest)
#include "presentation_charts.moc"
