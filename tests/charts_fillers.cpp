// The chart fillers on their own: turn rates and the reference lines of the turn-rate
// diagram.
#include "fillers_fixture.h"

class ChartsFillers : public QObject {
    Q_OBJECT
private slots:
    void loadFactorLines_data();
    void loadFactorLines();
    void radiusLines_data();
    void radiusLines();
    void turnTimeToRate_data();
    void turnTimeToRate();

    void turnRateDiagram();
    void turnRateHiddenSettingsUntouched();
    void turnRateZeroTimeKeepsLines();
};

void ChartsFillers::loadFactorLines_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("count");
    QTest::addColumn<QPointF>("firstPoint");
    QTest::addColumn<QPointF>("labelled");
    QTest::newRow("1g") << 1 << 12 << QPointF(100, 20.224) << QPointF(150, 13.483);
    QTest::newRow("2g") << 2 << 11 << QPointF(150, 26.966) << QPointF(200, 20.224);
    QTest::newRow("3g") << 3 << 10 << QPointF(200, 30.336) << QPointF(250, 24.269);
    QTest::newRow("4g") << 4 << 9 << QPointF(250, 32.359) << QPointF(300, 26.966);
    QTest::newRow("5g") << 5 << 8 << QPointF(300, 33.707) << QPointF(350, 28.892);
    QTest::newRow("6g") << 6 << 7 << QPointF(350, 34.670) << QPointF(400, 30.336);
}

void ChartsFillers::loadFactorLines()
{
    QFETCH(int, n);
    QFETCH(int, count);
    QFETCH(QPointF, firstPoint);
    QFETCH(QPointF, labelled);

    TChartSeriesList chart;
    TChartSeries &s = chart.Add(SeriesKind::TLineSeries, u"Series10"_s);
    s.AddXY(1, 1);
    s.MarkItem(4).SetText(u"old"_s);
    AddLoadFactorLine(s, n, TestLabelColor);

    QCOMPARE(s.Count(), count);
    QCOMPARE(s.XValues[count - 1], 650.0);
    QCOMPARE(s.XValues[0], firstPoint.x());
    QVERIFY(qAbs(s.YValues[0] - firstPoint.y()) < 0.0005);
    QCOMPARE(s.XValues[1], labelled.x());
    QVERIFY(qAbs(s.YValues[1] - labelled.y()) < 0.0005);
    for (int i = 0; i < count; ++i)
        QVERIFY(s.YValues[i] < 40);

    QCOMPARE(Labels(s), (QMap<int, QString>{{1, u"%1-g"_s.arg(n)}}));
    // The tracker's box on a curve along the line names the load the label names.
    TrackerSetup setup;
    setup.turnFigures = true;
    setup.curves = {{1, 0, u"line"_s}};
    for (int i = 0; i < count; ++i) {
        const TrackerReading r = ReadAtLine(chart, setup, {u"line"_s}, s.XValues[i], {0, 40}, {}, {});
        QCOMPARE(r.rows.value(1).cells.value(4), u"%1.00 g"_s.arg(n));
    }
    QCOMPARE(s.MarkSlotCount(), count);  // every point has its (mostly empty) mark
    QVERIFY(s.MarkSlot(1)->Transparent);
    QCOMPARE(s.MarkSlot(1)->Color, TestLabelColor);
}

void ChartsFillers::radiusLines_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QString>("label");
    const double low = 15.91 / 3;
    QTest::newRow("100m") << 1 << QList<QPointF>{{33, low}, {100, 15.91}, {200, 31.82}} << u"100m"_s;
    QTest::newRow("300m") << 3 << QList<QPointF>{{99, low}, {300, 15.91}, {600, 31.82}} << u"300m"_s;
    QTest::newRow("400m, 3 reductions")
        << 4 << QList<QPointF>{{132, low}, {400, 15.91}, {685.90, 27.282}} << u"400m"_s;
    QTest::newRow("500m, 7 reductions")
        << 5 << QList<QPointF>{{165, low}, {500, 15.91}, {698.34, 22.221}} << u"500m"_s;
    QTest::newRow("600m, 11 reductions")
        << 6 << QList<QPointF>{{198, low}, {600, 15.91}, {682.56, 18.099}} << u"600m"_s;
    // The reduced third point falls below 700 km/h and sorts second; the label stays
    // on the third point in speed order, the one at 700 km/h, which is not reduced.
    QTest::newRow("700m, reordered")
        << 7 << QList<QPointF>{{231, low}, {682.74, 15.518}, {700, 15.91}} << u"700m"_s;
}

void ChartsFillers::radiusLines()
{
    QFETCH(int, k);
    QFETCH(QList<QPointF>, points);
    QFETCH(QString, label);

    TChartSeriesList chart;
    TChartSeries &s = chart.Add(SeriesKind::TLineSeries, u"Series16"_s);
    s.SetLinePenWidth(3);
    AddRadiusLine(s, k, TestLabelColor);
    AddRadiusLine(s, k, TestLabelColor);  // rebuilt, not added to

    QCOMPARE(s.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        QVERIFY2(qAbs(s.XValues[i] - points[i].x()) < 0.01, qPrintable(QString::number(s.XValues[i])));
        QVERIFY2(qAbs(s.YValues[i] - points[i].y()) < 0.001, qPrintable(QString::number(s.YValues[i])));
    }
    QCOMPARE(Labels(s), (QMap<int, QString>{{2, label}}));
    QCOMPARE(s.MarkSlotCount(), 3);
    QVERIFY(s.MarkSlot(0)->TextSet && s.MarkSlot(1)->TextSet);
    QVERIFY(s.MarkSlot(2)->Transparent);
    QCOMPARE(s.MarkSlot(2)->Color, TestLabelColor);
    QCOMPARE(s.LinePen().Width, 1);

    // A point that could never be brought down to 700 km/h is not added, and the
    // reduction ends.
    AddClampedPoint(s, std::numeric_limits<double>::infinity(), 1);
    QCOMPARE(s.Count(), 3);
}

void ChartsFillers::turnTimeToRate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("error");
    QTest::newRow("17.3 s") << u"17.3"_s << 20.809 << kNoError;
    QTest::newRow("20 s") << u"20"_s << 18.0 << kNoError;
    QTest::newRow("not cut to 3 decimals first") << u"17.0009"_s << 21.175 << kNoError;
    QTest::newRow("negative") << u"-17.3"_s << -20.809 << kNoError;
    QTest::newRow("zero") << u"0"_s << 0.0 << u"Floating point division by zero"_s;
    QTest::newRow("zero point zero") << u"0.0"_s << 0.0 << u"Floating point division by zero"_s;
    QTest::newRow("comma") << u"17,3"_s << 0.0 << NotANumber(u"17,3"_s);
    // Numbers whose rates overflow a chart point.
    QTest::newRow("too small for a chart") << u"1e-4900"_s << 0.0 << u"Floating point overflow"_s;
    QTest::newRow("rate just beyond a double") << u"2e-306"_s << 0.0 << u"Floating point overflow"_s;
}

void ChartsFillers::turnTimeToRate()
{
    QFETCH(QString, text);
    QFETCH(double, rate);
    QFETCH(QString, error);
    double got = 0;
    QCOMPARE(ErrorOf([&] { got = TurnTimeToRate(text); }), error);
    if (error == kNoError)
        QCOMPARE(got, rate);
}

void ChartsFillers::turnRateDiagram()
{
    ChartSet set;
    set.FunPlot[8].SetActive(false);
    FillTurnRateDiagram(set.FunPlot, u"Tarn-9"_s, ReadTurnCurves(kTurnRows), 4, FlapSet::FromMarks({false, true, false, true}), TestLabelColor);

    QCOMPARE(Points(set.FunPlot[4]), (QList<QPointF>{{200, 20.809}, {300, 18}, {400, 15}}));
    QCOMPARE(set.FunPlot[4].Title(), u"noFlaps Tarn-9"_s);
    QCOMPARE(set.FunPlot[6].Title(), u"Flaps-2 Tarn-9"_s);
    QCOMPARE(set.FunPlot[6].Count(), 3);
    QCOMPARE(Labels(set.FunPlot[6]), (QMap<int, QString>{{2, u"закр. 2"_s}}));  // at the curve's end
    QCOMPARE(set.FunPlot[8].Count(), 0);
    QVERIFY(!set.FunPlot[8].Active());
    for (int i = 9; i <= 14; ++i) {
        QVERIFY(set.FunPlot[i].Active());
        QCOMPARE(Labels(set.FunPlot[i]).value(1), u"%1-g"_s.arg(i - 8));
        QCOMPARE(set.FunPlot[i].Title(), u"%1g"_s.arg(i - 8));
    }
    for (int i = 15; i <= 21; ++i) {
        QVERIFY(set.FunPlot[i].Active());
        QCOMPARE(set.FunPlot[i].Count(), 3);
        QCOMPARE(Labels(set.FunPlot[i]).value(2), u"%1m"_s.arg(100 * (i - 14)));
    }
    QCOMPARE(set.FunPlot[21].Title(), u"700m"_s);
}

void ChartsFillers::turnRateHiddenSettingsUntouched()
{
    // A hidden setting's series keeps what the refresh left: empty, inactive, form
    // title. Its rows are not even fetched, so a short turn file is no error here.
    ChartSet set;
    for (int i = 0; i < set.FunPlot.Count(); ++i)
        set.FunPlot[i].SetActive(false);
    QStringList rows = kTurnRows.mid(0, 3);
    FillTurnRateDiagram(set.FunPlot, u"Pe-2"_s, ReadTurnCurves(rows), 0, kOnlyNoFlaps, TestLabelColor);
    QCOMPARE(set.FunPlot[0].Count(), 3);
    for (int i = 1; i < 4; ++i) {
        QVERIFY(!set.FunPlot[i].Active());
        QCOMPARE(set.FunPlot[i].Count(), 0);
    }
    QCOMPARE(set.FunPlot[1].Title(), u"Закрылки1"_s);

    ChartSet hidden;
    FillTurnRateDiagram(hidden.FunPlot, u"Pe-2"_s, ReadTurnCurves({}), 0, kAllHidden, TestLabelColor);
    QCOMPARE(hidden.FunPlot[9].Count(), 12);
    QCOMPARE(hidden.FunPlot[0].Count(), 0);
}

void ChartsFillers::turnRateZeroTimeKeepsLines()
{
    ChartSet set;
    QStringList rows = kTurnRows;
    rows[3] = u"16\t0.0\t22\t"_s;
    for (int i = 0; i < 8; ++i)
        set.FunPlot[i].SetActive(false);
    QCOMPARE(ErrorOf([&] { FillTurnRateDiagram(set.FunPlot, u"Arn"_s, ReadTurnCurves(rows), 0, kAllShown, TestLabelColor); }),
             u"Floating point division by zero"_s);
    QCOMPARE(set.FunPlot[0].Count(), 3);
    QVERIFY(set.FunPlot[0].Active());
    // The faulty curve keeps its first point, drawn under its aircraft's name.
    QCOMPARE(Points(set.FunPlot[1]), (QList<QPointF>{{200, 22.5}}));
    QVERIFY(set.FunPlot[1].Active());
    QCOMPARE(set.FunPlot[1].Title(), u"Flaps-1 Arn"_s);
    QCOMPARE(set.FunPlot[2].Count(), 0);
    QCOMPARE(set.FunPlot[21].Count(), 3);

    const auto rateOf = [&](const QString &speeds, const QString &times) {
        FillTurnRateDiagram(set.FunPlot, u"Arn"_s, ReadTurnCurves({speeds, QString(), times}), 0, kOnlyNoFlaps, TestLabelColor);
    };
    QCOMPARE(ErrorOf([&] { rateOf(u"200\t"_s, u"x\t"_s); }), NotANumber(u"x"_s));
    QCOMPARE(ErrorOf([&] { rateOf(u"y\t"_s, u"x\t"_s); }), NotANumber(u"y"_s));
}

QTEST_MAIN(ChartsFillers)
#include "charts_fillers.moc"
