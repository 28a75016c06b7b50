// The chart fillers on their own: altitude profiles, climb and turn times by speed, and
// the faults of the tables they read.
#include "fillers_fixture.h"

class ChartsTableFillers : public QObject {
    Q_OBJECT
private slots:
    void altitudeExampleRow();
    void altitudeBadValues_data();
    void altitudeBadValues();

    void climbAtSpeed_data();
    void climbAtSpeed();
    void turnTimesHiddenSettings();
    void turnTimesEmptyColumnKeepsAlignment();
    void turnFileErrors_data();
    void turnFileErrors();
    void speedRowWithoutClosingTab();
    void tablesWithoutClosingTabs();
    void badValueNamesItsCell();
};

void ChartsTableFillers::altitudeExampleRow()
{
    ChartSet set;
    FillAltitudeCharts(set.TASbyAlt, set.MaxROCbyAlt, u"Tarn-3"_s,
                       ReadAltitudeProfiles({u"1000\t520\t18.5\t495\t16\t"_s, u"500\t510\t19\t490\t17\t6\t"_s}), 0);
    // Rows are kept in file order, so altitude may run downwards.
    QCOMPARE(Points(set.TASbyAlt[0]), (QList<QPointF>{{495, 1000}, {490, 500}}));
    QCOMPARE(Points(set.TASbyAlt[1]), (QList<QPointF>{{520, 1000}, {510, 500}}));
    QCOMPARE(Points(set.MaxROCbyAlt[0]), (QList<QPointF>{{16, 1000}, {17, 500}}));
    QCOMPARE(Points(set.MaxROCbyAlt[1]), (QList<QPointF>{{18.5, 1000}, {19, 500}}));
    QCOMPARE(set.TASbyAlt[0].Title(), u"100% Tarn-3"_s);
    QCOMPARE(set.TASbyAlt[1].Title(), u"MAX Tarn-3"_s);
    QCOMPARE(set.MaxROCbyAlt[0].Title(), u"100% Tarn-3"_s);
    QCOMPARE(set.MaxROCbyAlt[1].Title(), u"MAX Tarn-3"_s);
}

void ChartsTableFillers::altitudeBadValues_data()
{
    // Values are read field 4, 1, 2, 1, 5, 1, 3, 1: the first bad one in that order is
    // reported, and the points before it stay.
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QList<int>>("counts");  // speed 100%, speed MAX, climb 100%, climb MAX
    QTest::newRow("100% speed before altitude") << u"a\tb\tc\td\te\t"_s << NotANumber(u"d"_s) << QList<int>{0, 0, 0, 0};
    QTest::newRow("altitude") << u"a\t520\tc\t495\te\t"_s << NotANumber(u"a"_s) << QList<int>{0, 0, 0, 0};
    QTest::newRow("MAX speed") << u"1000\tb\tc\t495\te\t"_s << NotANumber(u"b"_s) << QList<int>{1, 0, 0, 0};
    QTest::newRow("100% climb") << u"1000\t520\tc\t495\te\t"_s << NotANumber(u"e"_s) << QList<int>{1, 1, 0, 0};
    QTest::newRow("MAX climb") << u"1000\t520\tc\t495\t16\t"_s << NotANumber(u"c"_s) << QList<int>{1, 1, 1, 0};
    QTest::newRow("third value missing")
        << u"1000\t520\t\t495\t16"_s << NotANumber(QString()) << QList<int>{1, 1, 1, 0};
    QTest::newRow("blank line") << QString() << NotANumber(QString()) << QList<int>{0, 0, 0, 0};
    // A number, but too large for a chart point.
    QTest::newRow("beyond a chart's range")
        << u"1000\t520\t18.5\t1e400\t16\t"_s << u"Floating point overflow"_s << QList<int>{0, 0, 0, 0};
}

void ChartsTableFillers::altitudeBadValues()
{
    QFETCH(QString, row);
    QFETCH(QString, error);
    QFETCH(QList<int>, counts);
    ChartSet set;
    const QStringList rows{u"0\t500\t20\t480\t18\t"_s, row, u"2000\t530\t15\t500\t13\t"_s};
    QCOMPARE(ErrorOf([&] { FillAltitudeCharts(set.TASbyAlt, set.MaxROCbyAlt, u"Lark-5"_s, ReadAltitudeProfiles(rows), 0); }), error);
    const QList<int> got{set.TASbyAlt[0].Count() - 1, set.TASbyAlt[1].Count() - 1,
                         set.MaxROCbyAlt[0].Count() - 1, set.MaxROCbyAlt[1].Count() - 1};
    QCOMPARE(got, counts);
    QVERIFY(set.MaxROCbyAlt[1].Active());
    QCOMPARE(set.MaxROCbyAlt[1].Title(), u"MAX Lark-5"_s);
}

void ChartsTableFillers::climbAtSpeed_data()
{
    QTest::addColumn<QString>("speeds");
    QTest::addColumn<QString>("climbs");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QString>("error");
    QTest::newRow("paired by column") << u"200\t300\t400\t"_s << u"20\t15.5\t9\t"_s
                                      << QList<QPointF>{{200, 20}, {300, 15.5}, {400, 9}} << kNoError;
    QTest::newRow("climb row shorter") << u"200\t300\t400\t"_s << u"20\t"_s << QList<QPointF>{{200, 20}}
                                       << kNoError;
    QTest::newRow("empty climb value") << u"200\t300\t400\t"_s << u"20\t\t9\t"_s
                                       << QList<QPointF>{{200, 20}, {400, 9}} << kNoError;
    QTest::newRow("last climb without tab") << u"200\t300\t"_s << u"20\t15"_s
                                            << QList<QPointF>{{200, 20}, {300, 15}} << kNoError;
    QTest::newRow("bad climb after good points") << u"200\t300\t"_s << u"20\t2.5.1\t"_s
                                                 << QList<QPointF>{{200, 20}} << NotANumber(u"2.5.1"_s);
    QTest::newRow("bad speed read before climb") << u"2 00\t"_s << u"x\t"_s << QList<QPointF>{}
                                                 << NotANumber(u"2 00"_s);
}

void ChartsTableFillers::climbAtSpeed()
{
    QFETCH(QString, speeds);
    QFETCH(QString, climbs);
    QFETCH(QList<QPointF>, points);
    QFETCH(QString, error);
    ChartSet set;
    QCOMPARE(ErrorOf([&] { FillClimbAtSpeed(set.ROCatConst, u"Ibis-16"_s, ReadTurnCurves({speeds, climbs}).climb, 1); }), error);
    QCOMPARE(Points(set.ROCatConst[1]), points);
    QCOMPARE(set.ROCatConst[1].Title(), u"climb Ibis-16"_s);
    QCOMPARE(set.ROCatConst[0].Count(), 0);
}

void ChartsTableFillers::turnTimesHiddenSettings()
{
    ChartSet set;
    QStringList rows = kTurnRows;
    rows[3] = u"16\tbad\t22\t"_s;  // a hidden setting's values are never read as numbers
    FillTurnTimes(set.TurnbySpeed, u"Tarn-1"_s, ReadTurnCurves(rows), 4, kOnlyNoFlaps);

    QCOMPARE(Points(set.TurnbySpeed[4]), (QList<QPointF>{{200, 17.3}, {300, 20}, {400, 24}}));
    const QStringList prefixes{u"noFlaps "_s, u"Flaps-1 "_s, u"Flaps-2 "_s, u"Flaps-3 "_s};
    // The shown setting's curve names it at its end.
    QCOMPARE(set.TurnbySpeed[4].Title(), prefixes[0] + u"Tarn-1"_s);
    QCOMPARE(Labels(set.TurnbySpeed[4]), (QMap<int, QString>{{2, u"закр. 0"_s}}));
    for (int f = 1; f < 4; ++f)
        QCOMPARE(set.TurnbySpeed[4 + f].Count(), 0);
    QCOMPARE(set.TurnbySpeed[0].Title(), u"Без закрылков"_s);

    rows[3] = kTurnRows[3];
    ChartSet all;
    FillTurnTimes(all.TurnbySpeed, u"Tarn-1"_s, ReadTurnCurves(rows), 0, kAllShown);
    QCOMPARE(Points(all.TurnbySpeed[3]), (QList<QPointF>{{200, 14}, {300, 16}, {400, 20}}));
}

void ChartsTableFillers::turnTimesEmptyColumnKeepsAlignment()
{
    ChartSet set;
    QStringList rows = kTurnRows;
    rows[0] = u"200\t\t400\t"_s;
    rows[2] = u"17.3\t20\t\t"_s;
    FillTurnTimes(set.TurnbySpeed, u"P-39"_s, ReadTurnCurves(rows), 0, kAllShown);
    QCOMPARE(Points(set.TurnbySpeed[0]), (QList<QPointF>{{200, 17.3}}));
    QCOMPARE(Points(set.TurnbySpeed[1]), (QList<QPointF>{{200, 16}, {400, 22}}));
    QCOMPARE(Points(set.TurnbySpeed[3]), (QList<QPointF>{{200, 14}, {400, 20}}));
}

void ChartsTableFillers::turnFileErrors_data()
{
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<QString>("filler");
    QTest::addColumn<QString>("error");
    const QString oob = u"List index out of bounds (%1)"_s;
    QTest::newRow("climb, empty file") << 0 << u"climb"_s << oob.arg(0);
    QTest::newRow("climb, one row") << 1 << u"climb"_s << oob.arg(1);
    QTest::newRow("climb, two rows") << 2 << u"climb"_s << kNoError;
    QTest::newRow("turn times, two rows") << 2 << u"times"_s << oob.arg(2);
    QTest::newRow("turn times, five rows") << 5 << u"times"_s << oob.arg(5);
    QTest::newRow("turn rate, two rows") << 2 << u"rate"_s << oob.arg(2);
}

void ChartsTableFillers::turnFileErrors()
{
    QFETCH(int, rowCount);
    QFETCH(QString, filler);
    QFETCH(QString, error);
    ChartSet set;
    const QStringList rows = kTurnRows.mid(0, rowCount);
    QString got;
    if (filler == u"climb"_s) {
        got = ErrorOf([&] { FillClimbAtSpeed(set.ROCatConst, u"Merl-3"_s, ReadTurnCurves(rows).climb, 0); });
        QCOMPARE(set.ROCatConst[0].Title(), u"climb Merl-3"_s);
    } else if (filler == u"times"_s) {
        got = ErrorOf([&] { FillTurnTimes(set.TurnbySpeed, u"Merl-3"_s, ReadTurnCurves(rows), 0, kOnlyNoFlaps); });
        // The shown setting's series is titled and active before the rows are fetched.
        QCOMPARE(set.TurnbySpeed[0].Title(), u"noFlaps Merl-3"_s);
        QVERIFY(set.TurnbySpeed[0].Active());
    } else {
        got = ErrorOf([&] { FillTurnRateDiagram(set.FunPlot, u"Merl-3"_s, ReadTurnCurves(rows), 0, kOnlyNoFlaps, TestLabelColor); });
    }
    QCOMPARE(got, error);
}

void ChartsTableFillers::speedRowWithoutClosingTab()
{
    // A row's last value without its tab is read as if it had one.
    ChartSet set;
    const QStringList rows{u"200\t300\t400"_s, u"20\t15.5\t9\t"_s, u"17.3\t20\t24"_s,
                           u"16\t18\t22\t"_s, u"\t"_s, u""_s};
    const TurnCurves turn = ReadTurnCurves(rows);
    FillClimbAtSpeed(set.ROCatConst, u"Ostrel-2"_s, turn.climb, 0);
    FillTurnTimes(set.TurnbySpeed, u"Ostrel-2"_s, turn, 0, kAllShown);
    FillTurnRateDiagram(set.FunPlot, u"Ostrel-2"_s, turn, 0, kAllShown, TestLabelColor);
    QCOMPARE(Points(set.ROCatConst[0]), (QList<QPointF>{{200, 20}, {300, 15.5}, {400, 9}}));
    QCOMPARE(Points(set.TurnbySpeed[0]), (QList<QPointF>{{200, 17.3}, {300, 20}, {400, 24}}));
    QCOMPARE(Points(set.TurnbySpeed[1]), (QList<QPointF>{{200, 16}, {300, 18}, {400, 22}}));
    QCOMPARE(set.TurnbySpeed[2].Count(), 0);
    QCOMPARE(set.FunPlot[0].Count(), 3);
    QCOMPARE(set.FunPlot[1].Count(), 3);

    ChartSet single;
    FillClimbAtSpeed(single.ROCatConst, u"Ostrel-2"_s, ReadTurnCurves({u"250"_s, u"12\t"_s}).climb, 0);
    QCOMPARE(Points(single.ROCatConst[0]), (QList<QPointF>{{250, 12}}));
}

void ChartsTableFillers::tablesWithoutClosingTabs()
{
    // As a spreadsheet saves them: no tab after a row's last value, or spaces instead.
    const auto strip = [](QStringList rows, const QString &end) {
        for (QString &r : rows)
            if (r.endsWith(u'\t'))
                r = r.chopped(1) + end;
        return rows;
    };
    const QStringList speedRows{u"0\t500\t20\t480\t18\t"_s, u"1000\t520\t18.5\t495\t16\t"_s};
    for (const QString &end : {QString(), u"  "_s}) {
        ChartSet tabs, bare;
        FillAltitudeCharts(tabs.TASbyAlt, tabs.MaxROCbyAlt, u"A"_s, ReadAltitudeProfiles(speedRows), 0);
        FillAltitudeCharts(bare.TASbyAlt, bare.MaxROCbyAlt, u"A"_s, ReadAltitudeProfiles(strip(speedRows, end)), 0);
        QCOMPARE(Points(bare.MaxROCbyAlt[0]), Points(tabs.MaxROCbyAlt[0]));
        FillTurnTimes(tabs.TurnbySpeed, u"A"_s, ReadTurnCurves(kTurnRows), 0, kAllShown);
        FillTurnTimes(bare.TurnbySpeed, u"A"_s, ReadTurnCurves(strip(kTurnRows, end)), 0, kAllShown);
        for (int f = 0; f < 4; ++f)
            QCOMPARE(Points(bare.TurnbySpeed[f]), Points(tabs.TurnbySpeed[f]));
        QCOMPARE(bare.TurnbySpeed[0].Count(), 3);
    }
}

void ChartsTableFillers::badValueNamesItsCell()
{
    // Row and column, counted from 0: the refresh names them in the box's second line.
    const auto cellOf = [](const std::function<void()> &fill) {
        try {
            fill();
        } catch (const VarnelError &e) {
            return QPoint(e.column(), e.row());
        }
        return QPoint(-1, -1);
    };
    ChartSet set;
    const QStringList speed{u"0\t500\t20\t480\t18\t"_s, u"1000\t520\t\t495\t16\t"_s};
    QCOMPARE(cellOf([&] { FillAltitudeCharts(set.TASbyAlt, set.MaxROCbyAlt, u"A"_s, ReadAltitudeProfiles(speed), 0); }), QPoint(2, 1));
    QStringList turn = kTurnRows;
    turn[3] = u"16\t18\tx\t"_s;
    QCOMPARE(cellOf([&] { FillTurnTimes(set.TurnbySpeed, u"A"_s, ReadTurnCurves(turn), 0, kAllShown); }), QPoint(2, 3));
    QCOMPARE(cellOf([&] { FillTurnTimes(set.TurnbySpeed, u"A"_s, ReadTurnCurves(kTurnRows.mid(0, 4)), 0, kAllShown); }), QPoint(-1, 4));
}

QTEST_MAIN(ChartsTableFillers)
#include "charts_table_fillers.moc"
