// The comparison refresh: which series each selection fills, the mirrors of the
// common page, and what an error in the middle of a refresh leaves behind.
#include "core/error.h"
#include "charts/refresh.h"
#include "charts_fixture.h"
#include <QtTest>

namespace {
const FlapSet kStartMarks = FlapSet::FromMarks({false, true, true, true});
const FlapSet kAllShown = FlapSet::All();

const QStringList kSpeedA{u"0\t520\t20\t500\t18\t"_s, u"1000\t540\t18.5\t515\t16\t"_s};
const QStringList kTurnA{u"200\t300\t400\t"_s, u"20\t15.5\t9\t"_s, u"17.3\t20\t24\t"_s,
                         u"16\t18\t22\t"_s,    u"15\t17\t21\t"_s,   u"14\t16\t20\t"_s};
const QStringList kSpeedB{u"0\t560\t22\t540\t19\t"_s, u"3000\t600\t17\t570\t14\t"_s,
                          u"6000\t630\t11\t590\t8\t"_s};
const QStringList kTurnB{u"250\t350\t"_s, u"18\t12\t"_s, u"19\t22\t"_s, u"18\t21\t"_s,
                         u"17\t20\t"_s,   u"16\t19\t"_s};

QList<TChartSeriesList *> FullSize(ChartSet &s)
{
    return {&s.TASbyAlt, &s.MaxROCbyAlt, &s.ROCatConst, &s.TurnbySpeed, &s.FunPlot};
}

struct MirrorPair {
    TChartSeriesList *mirror, *source;
    QString mirrorName;
};

// Every mirror series holds its source's points and keeps its creation title, active.
void VerifyMirrors(ChartSet &s)
{
    const MirrorPair pairs[] = {{&s.C1, &s.TASbyAlt, u"ch_C1"_s}, {&s.C2, &s.MaxROCbyAlt, u"ch_C2"_s},
                                {&s.C3, &s.ROCatConst, u"ch_C3"_s}, {&s.C4, &s.TurnbySpeed, u"ch_C4"_s}};
    for (const MirrorPair &p : pairs) {
        QCOMPARE(p.mirror->Count(), p.source->Count());
        for (int j = 0; j < p.source->Count(); ++j) {
            QCOMPARE(Points((*p.mirror)[j]), Points((*p.source)[j]));
            QVERIFY((*p.mirror)[j].Active());
            QCOMPARE((*p.mirror)[j].Title(), CreationTitle(p.mirrorName, j));
        }
    }
}

bool Untouched(const TChartSeries &s) { return s.Count() == 0 && !s.Active(); }
}  // namespace

class ChartsRefresh : public QObject {
    Q_OBJECT
private slots:
    void init();
    void nothingSelected_data();
    void nothingSelected();
    void onlySecondSelected();
    void sameAircraftInBothTrees();
    void hiddenFlapSetting();
    void errorInTheMiddle();

private:
    AircraftFiles files_;
    AircraftPtr a_, b_;
};

void ChartsRefresh::init()
{
    a_ = files_.make(u"Tarn-3"_s, kSpeedA, kTurnA);
    b_ = files_.make(u"Kestrel-7"_s, kSpeedB, kTurnB);
}

void ChartsRefresh::nothingSelected_data()
{
    QTest::addColumn<FlapSet>("marks");
    QTest::addColumn<bool>("withoutTables");
    QTest::newRow("at start") << kStartMarks << false;
    QTest::newRow("a flap button toggled") << FlapSet::FromMarks({false, false, true, true}) << false;
    QTest::newRow("aircraft whose files did not load") << kStartMarks << true;
}

void ChartsRefresh::nothingSelected()
{
    QFETCH(FlapSet, marks);
    QFETCH(bool, withoutTables);
    ChartSet set;
    const Aircraft &a = *a_, &b = *b_;
    RefreshComparison(set.charts, &a, &b, kAllShown);  // something to clear away
    // An aircraft whose files did not load has no value: it is selected as none.
    Q_UNUSED(withoutTables);
    const Aircraft *selected = nullptr;
    RefreshComparison(set.charts, selected, selected, marks);

    for (TChartSeriesList *chart : FullSize(set))
        for (int i = 0; i < chart->Count(); ++i)
            QVERIFY2(Untouched((*chart)[i]), qPrintable((*chart)[i].Name()));
    VerifyMirrors(set);
    QCOMPARE(set.C1.LegendEntries(), (QStringList{u"100%"_s, u"Макс."_s, u"100%"_s, u"Макс."_s}));
    QVERIFY(set.TASbyAlt.LegendEntries().isEmpty());
}

void ChartsRefresh::onlySecondSelected()
{
    ChartSet set;
    const Aircraft &b = *b_;
    RefreshComparison(set.charts, nullptr, &b, kAllShown);

    for (TChartSeriesList *c : {&set.TASbyAlt, &set.MaxROCbyAlt}) {
        QVERIFY(Untouched((*c)[0]) && Untouched((*c)[1]));
        QCOMPARE((*c)[2].Count(), 3);
        QCOMPARE((*c)[3].Title(), u"MAX Kestrel-7"_s);
    }
    QVERIFY(Untouched(set.ROCatConst[0]));
    QCOMPARE(Points(set.ROCatConst[1]), (QList<QPointF>{{250, 18}, {350, 12}}));
    for (TChartSeriesList *c : {&set.TurnbySpeed, &set.FunPlot}) {
        for (int i = 0; i < 4; ++i) {
            QVERIFY(Untouched((*c)[i]));
            QCOMPARE((*c)[i + 4].Count(), 2);
            QVERIFY((*c)[i + 4].Active());
        }
    }
    QCOMPARE(set.FunPlot[7].Title(), u"Flaps-3 Kestrel-7"_s);
    QVERIFY(Untouched(set.FunPlot[8]));
    for (int i = 9; i <= 21; ++i)
        QVERIFY(set.FunPlot[i].Active() && set.FunPlot[i].Count() > 0);
    QCOMPARE(set.FunPlot.LegendEntries().size(), 4);
    VerifyMirrors(set);
}

void ChartsRefresh::sameAircraftInBothTrees()
{
    ChartSet set;
    const Aircraft &a = *a_;
    RefreshComparison(set.charts, &a, &a, kAllShown);
    const QList<std::pair<int, int>> blocks{{0, 2}, {1, 3}};
    for (auto [i, j] : blocks) {
        QCOMPARE(Points(set.TASbyAlt[i]), Points(set.TASbyAlt[j]));
        QCOMPARE(set.MaxROCbyAlt[i].Title(), set.MaxROCbyAlt[j].Title());
    }
    QCOMPARE(Points(set.ROCatConst[0]), Points(set.ROCatConst[1]));
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(Points(set.TurnbySpeed[i]), Points(set.TurnbySpeed[i + 4]));
        QCOMPARE(Points(set.FunPlot[i]), Points(set.FunPlot[i + 4]));
        QCOMPARE(set.FunPlot[i].Title(), set.FunPlot[i + 4].Title());
    }
    // Built twice, the reference lines come out the same, not doubled.
    QCOMPARE(set.FunPlot[9].Count(), 12);
    QCOMPARE(set.FunPlot[21].Count(), 3);
    // The labels take the colour the caller gave.
    QCOMPARE(set.FunPlot[9].MarkSlot(1)->Color, TestLabelColor);
    QCOMPARE(set.FunPlot[21].MarkSlot(2)->Color, TestLabelColor);
    VerifyMirrors(set);
}

void ChartsRefresh::hiddenFlapSetting()
{
    ChartSet set;
    const Aircraft &a = *a_;
    RefreshComparison(set.charts, &a, nullptr, kStartMarks);
    // Hidden settings are left as the refresh cleared them: not in the legends.
    for (int i = 1; i < 4; ++i) {
        QVERIFY(Untouched(set.TurnbySpeed[i]));
        QVERIFY(Untouched(set.FunPlot[i]));
        QCOMPARE(set.FunPlot[i].Title(), CreationTitle(u"chrt_FunPlot"_s, i));
        QCOMPARE(set.C4[i].Count(), 0);
    }
    QCOMPARE(set.TurnbySpeed.LegendEntries(), QStringList{u"noFlaps Tarn-3"_s});
    QCOMPARE(set.FunPlot.LegendEntries(), QStringList{u"noFlaps Tarn-3"_s});
    QCOMPARE(set.C4[0].Count(), 3);
    // The overview's turn-time legend names the settings shown, of either aircraft.
    QCOMPARE(set.C4.LegendSeries(), (QVector<int>{0, 4}));
    const Aircraft &b = *b_;
    RefreshComparison(set.charts, &a, &b, FlapSet().With(1).With(3));
    QCOMPARE(set.C4.LegendSeries(), set.TurnbySpeed.LegendSeries());
}

namespace {
// Every drawn series of an aircraft's block is titled with that aircraft's name.
void VerifyNames(ChartSet &s, const QString &first, const QString &second)
{
    const QList<std::pair<TChartSeriesList *, int>> blocks{
        {&s.TASbyAlt, 2}, {&s.MaxROCbyAlt, 2}, {&s.ROCatConst, 1}, {&s.TurnbySpeed, 4}, {&s.FunPlot, 4}};
    for (auto [chart, width] : blocks)
        for (int i = 0; i < 2 * width; ++i) {
            const TChartSeries &series = (*chart)[i];
            if (series.Active() || series.Count() > 0)
                QVERIFY2(series.Active() && series.Title().endsWith(u' ' + (i < width ? first : second)),
                         qPrintable(series.Name() + u": "_s + series.Title()));
        }
}
}  // namespace

void ChartsRefresh::errorInTheMiddle()
{
    ChartSet set;
    const Aircraft &a = *a_;
    RefreshComparison(set.charts, &a, nullptr, kAllShown);
    QCOMPARE(set.C1[0].Count(), 2);

    // A bad turn time on the second aircraft's flaps-1 row, second column.
    QStringList turn = kTurnB;
    turn[3] = u"18\tn/a\t"_s;
    const auto bad = files_.make(u"Broken"_s, kSpeedA, turn);
    const Aircraft &broken = *bad, &b = *b_;
    const auto refresh = [&](const Aircraft *first, const Aircraft *second) {
        try {
            RefreshComparison(set.charts, first, second, kAllShown);
        } catch (const VarnelError &e) {
            return e.message();
        }
        return QString();
    };
    QCOMPARE(refresh(&b, &broken), u"'n/a' is not a valid floating point value.\nBroken: Broken_turn.txt, строка 4, столбец 2"_s);
    // The curves cut short say where: every shown setting's turn times, the failing
    // setting's turn rate; the failing aircraft's other curves are marked as failed data
    // (no shading from them), the other aircraft's are not.
    const QString where = u"'n/a' is not a valid floating point value. (Broken: Broken_turn.txt, строка 4, столбец 2.)"_s;
    for (int i = 4; i < 8; ++i)
        QCOMPARE(set.TurnbySpeed[i].StopNote(), where);
    QCOMPARE(set.C4[5].StopNote(), where);
    QCOMPARE(set.FunPlot[5].StopNote(), where);
    QVERIFY(set.FunPlot[4].StopNote().isEmpty() && set.TASbyAlt[2].StopNote().isEmpty());
    QVERIFY(set.TASbyAlt[2].DataFailed() && set.C1[2].DataFailed() && !set.TASbyAlt[0].DataFailed());

    // The first aircraft in full; the second one's other fillers too; each failing
    // filler up to the bad value, under the failing aircraft's name.
    QCOMPARE(set.TASbyAlt[0].Title(), u"100% Kestrel-7"_s);
    QCOMPARE(set.TASbyAlt[2].Count(), 2);
    QCOMPARE(set.ROCatConst[1].Count(), 2);
    QCOMPARE(Points(set.TurnbySpeed[4]), (QList<QPointF>{{250, 19}, {350, 22}}));
    QCOMPARE(Points(set.TurnbySpeed[5]), (QList<QPointF>{{250, 18}}));
    QCOMPARE(set.TurnbySpeed[7].Count(), 1);
    QCOMPARE(set.FunPlot[4].Count(), 2);
    QCOMPARE(set.FunPlot[5].Count(), 1);
    QCOMPARE(set.FunPlot[5].Title(), u"Flaps-1 Broken"_s);
    QCOMPARE(set.FunPlot[0].Title(), u"noFlaps Kestrel-7"_s);
    QCOMPARE(set.FunPlot[3].Count(), 2);
    VerifyNames(set, u"Kestrel-7"_s, u"Broken"_s);
    // The common page shows exactly what the full-size pages show.
    VerifyMirrors(set);

    // A bad speed on the first aircraft as well: its first failure is the one raised,
    // its turn charts and the other aircraft are still drawn.
    QStringList speed = kSpeedA;
    speed[1] = u"1000\tfast\t18.5\t515\t16\t"_s;
    const auto worse = files_.make(u"Worse"_s, speed, turn);
    const Aircraft &w = *worse;
    QCOMPARE(refresh(&w, &b), u"'fast' is not a valid floating point value.\nWorse: Worse_speed.txt, строка 2, столбец 2"_s);
    QCOMPARE(Points(set.TASbyAlt[1]), (QList<QPointF>{{520, 0}}));
    for (TChartSeriesList *c : {&set.TASbyAlt, &set.MaxROCbyAlt})
        QVERIFY((*c)[0].StopNote().contains(u"Worse_speed.txt, строка 2, столбец 2"_s) && (*c)[1].DataFailed());
    QCOMPARE(set.MaxROCbyAlt[0].Count(), 1);
    QCOMPARE(set.ROCatConst[0].Count(), 2);
    QCOMPARE(set.TASbyAlt[2].Count(), 3);
    QCOMPARE(set.TurnbySpeed[7].Count(), 2);
    VerifyNames(set, u"Worse"_s, u"Kestrel-7"_s);
    VerifyMirrors(set);

    // The next refresh starts clean.
    RefreshComparison(set.charts, &b, nullptr, kAllShown);
    for (TChartSeriesList *c : {&set.TASbyAlt, &set.MaxROCbyAlt})
        QVERIFY(Untouched((*c)[2]) && Untouched((*c)[3]));
    QVERIFY(Untouched(set.ROCatConst[1]));
    for (TChartSeriesList *c : {&set.TASbyAlt, &set.TurnbySpeed, &set.FunPlot, &set.C4})
        for (int i = 0; i < c->Count(); ++i)
            QVERIFY((*c)[i].StopNote().isEmpty() && !(*c)[i].DataFailed());
    for (int i = 4; i < 8; ++i)
        QVERIFY(Untouched(set.TurnbySpeed[i]) && Untouched(set.FunPlot[i]));
    VerifyMirrors(set);
}

QTEST_MAIN(ChartsRefresh)
#include "charts_refresh.moc"
