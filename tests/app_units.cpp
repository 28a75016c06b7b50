// Numbers in metric, imperial or knots: `varnel --verdict --units` converts every
// number of the metric run, the axes tick at round values of the unit and the tracker
// reads in it, and the window switches units keeping its view, and back to metric as it
// was.
#include "app_fixture.h"
#include "catalogue/summaries.h"
#include "core/decimal_text.h"
#include "core/view.h"
#include "pages/verdict_page.h"
#include "pictures/share.h"
#include "presentation/chart.h"
#include "presentation/chart_defs.h"
#include "presentation/unit_ticker.h"
#include "chart_table_fixture.h"
#include "window/craft_tree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {
QJsonObject VerdictJson(const QStringList &units)
{
    QProcess p;
    p.start(QStringLiteral(VARNEL_BINARY), QStringList{"--verdict", "--first", "Tarn-5", "--second", "Skarn-7", "--flaps",
                                                        "0,1,2,3", "--format", "json", VARNEL_SOURCE_DIR "/sample-data"} +
                                               units);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// The factor from metric of each number of the verdict's json, by where it stands.
struct Factors {
    double altitude, speed, climb, weight;
    double ofMeasure(const QString &key) const
    {
        return key.startsWith(QLatin1String("speed")) ? speed : key.startsWith(QLatin1String("climb")) ? climb : 1;
    }
    double along(const QString &measure) const
    {
        return measure.startsWith(QLatin1String("speed-")) || measure == QLatin1String("climb-100") ||
                       measure == QLatin1String("climb-max")
                   ? altitude
                   : speed;
    }
    double ofSummary(const QString &key) const
    {
        return key.endsWith(QLatin1String("-speed")) ? speed : key == QLatin1String("climb-rate") ? climb
               : key == QLatin1String("takeoff-weight")                                       ? weight
                                                                                               : 1;
    }
};

// Whether `shown` is `metric` times `factor` to the precision both are written with
// (three decimals; a converted summary value to one, a climb in ft/min to none).
bool Converted(double metric, double shown, double factor, double precision = 0.0005)
{
    return std::abs(shown - metric * factor) <= precision + 0.0005 * factor + 1e-9;
}

QStringList LineCells(const TrackerReading &r)
{
    QStringList lines;
    for (const TrackerRow &row : r.rows)
        lines << row.cells.join(QLatin1Char('|'));
    return lines;
}

// Restores metric units however a test ends.
struct MetricAfter {
    ~MetricAfter() { SetShownUnits(UnitSystem::Metric); }
};
}  // namespace

class AppUnits : public QObject {
    Q_OBJECT
private slots:
    void verdictConvertsEveryNumber_data()
    {
        QTest::addColumn<QString>("units");
        QTest::addColumn<double>("speed");
        QTest::addColumn<QString>("speedKey");
        QTest::newRow("imperial") << "imperial" << 0.621371 << "mph";
        QTest::newRow("knots") << "knots" << 0.539957 << "kt";
    }

    void verdictConvertsEveryNumber()
    {
        QFETCH(QString, units);
        QFETCH(double, speed);
        QFETCH(QString, speedKey);
        const Factors f{3.28084, speed, 196.850, 2.20462};
        const QJsonObject metric = VerdictJson({}), shown = VerdictJson({"--units", units});
        QVERIFY(!metric.isEmpty() && !shown.isEmpty());
        QCOMPARE(shown["units"].toObject(), (QJsonObject{{"altitude", "ft"}, {"speed", speedKey}, {"climb", "ft/min"},
                                                          {"weight", "lb"}}));
        QCOMPARE(metric["units"].toObject()["speed"].toString(), QStringLiteral("km/h"));

        int checked = 0;
        const auto check = [&](const QJsonValue &m, const QJsonValue &s, double factor, double precision, const QString &where) {
            QCOMPARE(s.isNull(), m.isNull());
            QVERIFY2(m.isNull() || Converted(m.toDouble(), s.toDouble(), factor, precision),
                     qPrintable(QStringLiteral("%1: %2 shown for %3").arg(where).arg(s.toDouble()).arg(m.toDouble())));
            ++checked;
        };
        const QJsonArray mPairs = metric["pairs"].toArray(), sPairs = shown["pairs"].toArray();
        QCOMPARE(sPairs.size(), mPairs.size());
        for (int i = 0; i < mPairs.size(); ++i) {
            const QJsonObject mp = mPairs[i].toObject(), sp = sPairs[i].toObject();
            const QString measure = mp["measure"].toString();
            check(mp["evenUnder"], sp["evenUnder"], f.ofMeasure(measure), 0.0005, measure);
            const QJsonArray mb = mp["bands"].toArray(), sb = sp["bands"].toArray();
            QCOMPARE(sb.size(), mb.size());
            for (int b = 0; b < mb.size(); ++b) {
                for (const char *key : {"from", "to", "at"})
                    check(mb[b][key], sb[b][key], f.along(measure), 0.0005, measure + QLatin1String(key));
                check(mb[b]["largestSecondMinusFirst"], sb[b]["largestSecondMinusFirst"], f.ofMeasure(measure), 0.0005, measure);
            }
        }
        for (const char *side : {"first", "second"}) {
            const QJsonArray mBest = metric[side]["best"].toArray(), sBest = shown[side]["best"].toArray();
            for (int i = 0; i < mBest.size(); ++i) {
                const QString measure = mBest[i]["measure"].toString();
                check(mBest[i]["value"], sBest[i]["value"], f.ofMeasure(measure), 0.0005, measure);
                check(mBest[i]["at"], sBest[i]["at"], f.along(measure), 0.0005, measure);
            }
            const QJsonArray mSum = metric[side]["summary"].toArray(), sSum = shown[side]["summary"].toArray();
            for (int i = 0; i < mSum.size(); ++i) {
                const QString key = mSum[i]["key"].toString();
                const double factor = f.ofSummary(key);
                check(mSum[i]["value"], sSum[i]["value"], factor, factor == 1 ? 0 : factor == f.climb ? 0.5 : 0.05, key);
            }
        }
        // The altitude table steps every 2,000 ft over the range the metric one steps every
        // 1,000 m, and reads the same values where the two meet (at 0).
        const QJsonArray mRows = metric["byAltitude"].toArray(), sRows = shown["byAltitude"].toArray();
        QVERIFY(sRows.size() > mRows.size() && mRows[0]["altitude"].toDouble() == 0);
        for (int r = 0; r < sRows.size(); ++r)
            QCOMPARE(sRows[r]["altitude"].toDouble(), 2000.0 * r);
        QVERIFY(sRows.last()["altitude"].toDouble() <= (mRows.last()["altitude"].toDouble() + 1000) * f.altitude);
        for (const QString key : {"speed-100", "speed-max", "climb-100", "climb-max"})
            for (int a = 0; a < 2; ++a)
                check(mRows[0][key][a], sRows[0][key][a], f.ofMeasure(key), 0.0005, key);
        QVERIFY(checked > 200);
    }

    // The one number function on its edges: each style as its place writes it.
    void numberStyles_data()
    {
        QTest::addColumn<int>("quantity");
        QTest::addColumn<double>("metric");
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("sign");
        QTest::addColumn<QString>("text");
        const int time = int(Quantity::Time), climb = int(Quantity::Climb), metric = int(UnitSystem::Metric),
                  imperial = int(UnitSystem::Imperial), plain = int(NumberStyle::Plain), page = int(NumberStyle::Page),
                  tracker = int(NumberStyle::Tracker), padded = int(NumberStyle::Padded), data = int(NumberStyle::Data);
        const double nan = std::nan(""), inf = HUGE_VAL;
        QTest::newRow("page: negative zero after rounding") << time << -0.04 << metric << 1 << page << true << "0.0";
        QTest::newRow("page: plus") << time << 0.06 << metric << 1 << page << true << "+0.1";
        QTest::newRow("page: groups from 1 000") << time << 1000.0 << metric << 0 << page << false << "1\u00a0000";
        QTest::newRow("page: none under") << time << 999.0 << metric << 0 << page << false << "999";
        QTest::newRow("page: minus, groups") << time << -1234567.26 << metric << 1 << page << false << "−1\u00a0234\u00a0567.3";
        QTest::newRow("page: every digit") << time << 1234.5678 << metric << kEveryDigit << page << false << "1\u00a0234.5678";
        QTest::newRow("page: not finite") << time << nan << metric << 1 << page << true << "—";
        QTest::newRow("page: a half away from zero") << time << -0.125 << metric << 2 << page << false << "−0.13";
        QTest::newRow("page: beyond three places") << time << 0.03125 << metric << 4 << page << false << "0.0313";
        QTest::newRow("data: thousandths, no grouping") << time << -1234.5004 << metric << 1 << data << true << "-1234.5";
        QTest::newRow("data: negative zero") << time << -0.0004 << metric << 1 << data << false << "0";
        QTest::newRow("data: huge") << time << 2e15 << metric << 1 << data << false << "2e+15";
        QTest::newRow("plain: not finite") << time << inf << metric << 1 << plain << false << "";
        QTest::newRow("plain: tie to even") << time << 12.345 << metric << 2 << plain << false << "12.34";
        QTest::newRow("plain: every digit") << time << 0.1 + 0.2 << metric << kEveryDigit << plain << false << "0.3";
        QTest::newRow("plain: negative zero") << time << -0.0004 << metric << 2 << plain << false << "0";
        QTest::newRow("tracker: half away") << time << 12.345 << metric << kByMagnitude << tracker << false << "12.35";
        QTest::newRow("tracker: by magnitude") << time << 999.96 << metric << kByMagnitude << tracker << false << "1000";
        QTest::newRow("tracker: no plus on zero") << time << 0.004 << metric << kByMagnitude << tracker << true << "0";
        QTest::newRow("tracker: not finite") << time << nan << metric << kByMagnitude << tracker << true << "-";
        QTest::newRow("m/s: one decimal") << climb << 12.5 << metric << 1 << padded << false << "12.5";
        QTest::newRow("m/s: padded") << climb << 12.0 << metric << 1 << padded << false << "12.0";
        QTest::newRow("ft/min: two fewer") << climb << 12.5 << imperial << 1 << padded << false << "2461";
        QTest::newRow("ft/min: page") << climb << -10.0 << imperial << 2 << page << true << "−1\u00a0969";
    }
    void numberStyles()
    {
        QFETCH(int, quantity);
        QFETCH(double, metric);
        QFETCH(int, units);
        QFETCH(int, decimals);
        QFETCH(int, style);
        QFETCH(bool, sign);
        QFETCH(QString, text);
        const NumberForm form{.decimals = decimals, .style = NumberStyle(style), .sign = sign, .metricDecimals = true};
        QCOMPARE(ShownNumber(Quantity(quantity), metric, UnitSystem(units), form), text);
    }

    // A chart made in imperial units reads in them while the units kept are metric.
    void axesAndTrackerReadInTheUnit()
    {
        std::unique_ptr<TChart> chart(BuildChart(QStringLiteral("ch_C1"), nullptr, UnitSystem::Imperial));
        QCOMPARE(chart->BottomAxisTitle(), QStringLiteral("Скорость (mph)"));
        QCOMPARE(chart->LeftAxisTitle(), QStringLiteral("Высота (ft)"));
        for (int i : {0, 2}) {
            chart->Series()[i].AddXY(500 + 30 * i / 2.0, 0);
            chart->Series()[i].AddXY(600 + 30 * i / 2.0, 10000);
        }
        const TrackerReading r = ReadAtLine(chart->Series(), chart->Tracker().Setup(), {"Kestrel", "", "Tarn", ""}, 5000,
                                            {0, 1000}, chart->BottomAxis(), chart->LeftAxis());
        // 5,000 m is 16,404 ft; 550 km/h is 341.8 mph, 30 km/h 18.64 mph.
        QCOMPARE(LineCells(r), QStringList({"Высота: 16404 ft", "Kestrel|341.8 mph", "Tarn|360.4 mph", "Δ 100%|+18.64 mph"}));

        // The ticks: round values in feet, at the metric altitudes they stand for.
        chart->resize(500, 400);
        chart->SyncNow();
        chart->replot(QCustomPlot::rpImmediateRefresh);
        const QVector<double> ticks = chart->yAxis->tickVector();
        const QVector<QString> labels = chart->yAxis->tickVectorLabels();
        QVERIFY(ticks.size() >= 3);
        const double step = labels[1].toDouble() - labels[0].toDouble();
        for (int i = 0; i < ticks.size(); ++i) {
            QVERIFY2(std::abs(ticks[i] * 3.28084 - labels[i].toDouble()) < 1e-6, qPrintable(labels[i]));
            QCOMPARE(std::fmod(labels[i].toDouble(), step), 0.0);
        }

        // The sub-ticks too: round steps of the shown unit between the ticks, at the
        // metric places they stand for.
        QVector<double> major, minor;
        QVector<QString> texts;
        TickerFor(Quantity::Altitude, UnitSystem::Imperial)->generate(QCPRange(0, 10000), QLocale::c(), 'g', 6, major, &minor, &texts);
        QVERIFY(major.size() >= 3 && minor.size() > major.size());
        double subStep = texts[1].toDouble() - texts[0].toDouble();
        for (qsizetype i = 1; i < minor.size(); ++i)
            subStep = std::min(subStep, (minor[i] - minor[i - 1]) * 3.28084);
        for (double t : minor) {
            const double feet = t * 3.28084, steps = feet / subStep;
            QVERIFY2(std::abs(steps - std::round(steps)) < 1e-6 && t > major.front() - 1000 && t < major.back() + 1000,
                     qPrintable(QString::number(t)));
        }

        // The turn-rate diagram: the radius in feet, the speed in mph.
        std::unique_ptr<TChart> fun(BuildChart(QStringLiteral("chrt_FunPlot"), nullptr, UnitSystem::Imperial));
        fun->Series()[0].AddXY(200, 18);
        fun->Series()[0].AddXY(400, 18);
        const TrackerReading turn = ReadAtLine(fun->Series(), fun->Tracker().Setup(), {"Kestrel"}, 300, {0, 40},
                                               fun->BottomAxis(), fun->LeftAxis());
        QCOMPARE(LineCells(turn), QStringList({"Скорость: 186.4 mph|Град./сек|t, сек|R, ft|Vω/g|n виража",
                                               "Kestrel|18|20|870.3|2.67 g|2.85"}));

        // Copied data name the units and carry the values in them.
        QCOMPARE(ChartDataText(chart->Series(), chart->BottomAxis(), chart->LeftAxis()).section(u'\n', 0, 1),
                 QStringLiteral("Кривая\tСкорость (mph)\tВысота (ft)\n100%\t310.6855\t0"));
    }

    // Two comparisons side by side, each drawn in its own view while the units kept
    // stay metric: the axes, the tabs and the radius lines of each say its own units.
    void twoViewsSideBySide()
    {
        const DataPaths paths{QStringLiteral(VARNEL_SOURCE_DIR "/sample-data")};
        const AircraftPtr a = ReadAircraft(paths, FileName("Tarn-5")), b = ReadAircraft(paths, FileName("Skarn-7"));
        ComparisonPages metric(View{}), imperial(View{UnitSystem::Imperial});
        for (ComparisonPages *pages : {&metric, &imperial})
            pages->SetComparison(a, b, FlapSet::All());
        QCOMPARE(metric.chrt_TASbyAlt->BottomAxisTitle(), QStringLiteral("Скорость (км/ч)"));
        QCOMPARE(imperial.chrt_TASbyAlt->BottomAxisTitle(), QStringLiteral("Скорость (mph)"));
        QVERIFY(metric.tabText(metric.indexOf(metric.tab_TurnBySpeed)).contains(QStringLiteral("1000м")));
        QVERIFY(imperial.tabText(imperial.indexOf(imperial.tab_TurnBySpeed)).contains(QStringLiteral("3281\u00a0ft")));
        QCOMPARE(imperial.chrt_FunPlot->Series()[15].Title(), QStringLiteral("500ft"));
        QVERIFY(metric.chrt_FunPlot->Series()[15].Title() != imperial.chrt_FunPlot->Series()[15].Title());
        // Switched, each takes the other's units.
        metric.SetView({UnitSystem::Imperial});
        imperial.SetView({});
        QCOMPARE(metric.chrt_FunPlot->Series()[15].Title(), QStringLiteral("500ft"));
        QCOMPARE(imperial.chrt_TASbyAlt->BottomAxisTitle(), QStringLiteral("Скорость (км/ч)"));
    }

    void windowSwitchesAndComesBack()
    {
        MetricAfter restore;
        auto w = ScannedWindow(QStringLiteral(VARNEL_SOURCE_DIR "/sample-data"));
        w->resize(1000, 700);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTreeWidgetItem *tarn = FindRoot(w->tree_Crafts_1, "Tarn-5");
        QVERIFY(tarn);
        w->tree_Crafts_1->setCurrentItem(tarn);
        w->tree_Crafts_2->setCurrentItem(FindRoot(w->tree_Crafts_2, "Skarn-7"));
        ComparisonPages &pages = *w->pages_Charts;
        pages.setCurrentWidget(pages.tab_SpeedByAlt);
        TChart *tas = pages.chrt_TASbyAlt;
        QTest::qWait(50);
        const QRect area = tas->PlotArea();
        tas->Navigator().LeftDrag(area.topLeft() + QPoint(30, 30), area.center());
        QTRY_VERIFY(!tas->Navigator().IsAnimating());
        const ChartView zoomed = tas->View();
        const QStringList captions = ChildCaptions(tarn);
        pages.tab_Verdict->Shown();
        const auto *said = pages.tab_Verdict->findChild<QLabel *>(QStringLiteral("lbl_Verdict"));
        const QString verdict = said->text();
        const QString radius = pages.chrt_FunPlot->Series()[15].Title();

        w->SetUnits(UnitSystem::Knots);
        pages.tab_Verdict->Shown();
        QCOMPARE(tas->View(), zoomed);
        QCOMPARE(pages.currentWidget(), pages.tab_SpeedByAlt);
        QCOMPARE(w->tree_Crafts_1->SelectedCraft(), tarn);
        QCOMPARE(tas->BottomAxisTitle(), QStringLiteral("Скорость (kt)"));
        // Every chart, in view or not, names the new units on its axes and ticks in them.
        const auto unitsOfAxes = [&](bool metric) {
            for (TChart *chart : pages.Charts()) {
                const QString titles = chart->BottomAxisTitle() + chart->LeftAxisTitle();
                const bool metricTitle = titles.contains(QStringLiteral("км/ч")) || titles.contains(QStringLiteral("(м)")) ||
                                         titles.contains(QStringLiteral("м/с)"));
                const bool otherTitle = titles.contains(QStringLiteral("kt")) || titles.contains(QStringLiteral("ft"));
                QVERIFY2(metric ? !otherTitle : !metricTitle, qPrintable(chart->objectName() + titles));
                QCOMPARE(chart->xAxis->ticker().dynamicCast<UnitTicker>().isNull(), metric);
            }
        };
        unitsOfAxes(false);
        // Titles that name an altitude name it in feet: the tab, the chart.
        const QString turnTab = pages.tabText(pages.indexOf(pages.tab_TurnBySpeed));
        QVERIFY2(turnTab.contains(QStringLiteral("3281\u00a0ft")) && !turnTab.contains(QStringLiteral("1000")), qPrintable(turnTab));
        QVERIFY2(pages.chrt_TurnbySpeed->ShownTitle().endsWith(QStringLiteral("3281\u00a0ft")), qPrintable(pages.chrt_TurnbySpeed->ShownTitle()));
        QVERIFY(pages.chrt_ROCatConst->ShownTitle().contains(QStringLiteral("=0\u00a0ft)")));
        // The dive speed as the tree wrote it, in knots to one decimal, a whole one too.
        const double dive = captions[1].section(u' ', -2, -2).toDouble();
        QCOMPARE(ChildCaptions(tarn)[1], QStringLiteral("макс. скор. в пике: %1 kt").arg(dive * 0.539957, 0, 'f', 1));
        SummaryValue whole{"0", "макс. скор. в пике", "км/ч", "700", 700};
        QCOMPARE(ShownSummary(whole, UnitSystem::Imperial).text, QStringLiteral("435.0"));
        QCOMPARE(pages.chrt_FunPlot->Series()[15].Title(), QStringLiteral("500ft"));
        QVERIFY2(said->text().contains(QStringLiteral(" ft ")) && said->text().contains(QStringLiteral(" kt")),
                 qPrintable(said->text()));

        w->SetUnits(UnitSystem::Metric);
        pages.tab_Verdict->Shown();
        QCOMPARE(tas->BottomAxisTitle(), QStringLiteral("Скорость (км/ч)"));
        unitsOfAxes(true);
        QVERIFY(pages.tabText(pages.indexOf(pages.tab_TurnBySpeed)).contains(QStringLiteral("1000м")));
        QCOMPARE(ChildCaptions(tarn), captions);
        QCOMPARE(said->text(), verdict);
        QCOMPARE(pages.chrt_FunPlot->Series()[15].Title(), radius);
        QCOMPARE(tas->View(), zoomed);
    }
};

QTEST_MAIN(AppUnits)
#include "app_units.moc"
