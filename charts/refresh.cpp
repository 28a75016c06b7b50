#include "charts/refresh.h"
#include "catalogue/chart_values.h"
#include "charts/altitude.h"
#include "charts/turn_rate.h"
#include "charts/turn_times.h"
#include "core/error.h"

#include <exception>
#include <functional>

namespace {
void ClearAndDeactivate(TChartSeries &series)
{
    series.Clear();
    series.SetActive(false);
    series.SetStopNote({});
    series.SetDataFailed(false);
}

// Where each aircraft's series begin in the altitude charts, the climb chart, the
// turn-time chart and the turn-rate diagram.
struct SeriesBlock {
    int altitude, climb, turnTimes, turnRate;
};
constexpr SeriesBlock kFirstBlock{0, 0, 0, 0};
constexpr SeriesBlock kSecondBlock{2, 1, 4, 4};

// Runs the four fillers of one aircraft, each on its own: a filler that fails keeps the
// points it read before the bad value, and the others still draw. Remembers the first
// failure in `failure`, its line saying where the value stands.
void FillAircraft(ComparisonCharts &charts, const Aircraft *aircraft, const SeriesBlock &block, FlapSet shown,
                  std::exception_ptr &failure)
{
    if (!aircraft)
        return;
    const Aircraft &a = *aircraft;
    // This aircraft's series of each chart: a cut curve's note gets the located message.
    const auto own = [](TChartSeriesList &list, int from, int count) {
        std::vector<TChartSeries *> series;
        for (int i = from; i < from + count; ++i)
            series.push_back(&list[i]);
        return series;
    };
    std::vector<TChartSeries *> all;
    bool failed = false;
    const auto run = [&](const QString &file, std::vector<TChartSeries *> family, const std::function<void()> &fill) {
        all.insert(all.end(), family.begin(), family.end());
        try {
            ReadLocated(a.name, file, fill);
        } catch (const VarnelError &error) {
            failed = true;
            for (TChartSeries *s : family)
                if (!s->StopNote().isEmpty())
                    s->SetStopNote(OneLineErrorText(error.message()));
            if (!failure)
                failure = std::current_exception();
        }
    };
    std::vector<TChartSeries *> altitude = own(charts.TASbyAlt, block.altitude, 2);
    for (TChartSeries *s : own(charts.MaxROCbyAlt, block.altitude, 2))
        altitude.push_back(s);
    run(a.speedFile, altitude, [&] {
        FillAltitudeCharts(charts.TASbyAlt, charts.MaxROCbyAlt, a.name, a.altitude, block.altitude);
    });
    run(a.turnFile, own(charts.ROCatConst, block.climb, 1),
        [&] { FillClimbAtSpeed(charts.ROCatConst, a.name, a.turn.climb, block.climb); });
    run(a.turnFile, own(charts.TurnbySpeed, block.turnTimes, 4),
        [&] { FillTurnTimes(charts.TurnbySpeed, a.name, a.turn, block.turnTimes, shown); });
    run(a.turnFile, own(charts.FunPlot, block.turnRate, 4), [&] {
        FillTurnRateDiagram(charts.FunPlot, a.name, a.turn, block.turnRate, shown, charts.labelColor);
    });
    if (failed)
        for (TChartSeries *s : all)
            s->SetDataFailed(true);
}

void CopyPoints(TChartSeriesList &mirror, const TChartSeriesList &source)
{
    for (int j = 0; j < source.Count(); ++j)
        mirror[j].AssignValues(source[j]);
}
}  // namespace

void RefreshComparison(ComparisonCharts &charts, const Aircraft *first, const Aircraft *second, FlapSet shown)
{
    ClearAndDeactivate(charts.ROCatConst[0]);
    ClearAndDeactivate(charts.ROCatConst[1]);
    for (int i = 0; i < 4; ++i) {
        ClearAndDeactivate(charts.TASbyAlt[i]);
        ClearAndDeactivate(charts.MaxROCbyAlt[i]);
        ClearAndDeactivate(charts.TurnbySpeed[i]);
        ClearAndDeactivate(charts.TurnbySpeed[i + 4]);
    }
    for (int i = 0; i < charts.FunPlot.Count(); ++i)
        ClearAndDeactivate(charts.FunPlot[i]);

    std::exception_ptr failure;
    FillAircraft(charts, first, kFirstBlock, shown, failure);
    FillAircraft(charts, second, kSecondBlock, shown, failure);

    // Only points go to the common page: mirror series keep their titles and activity.
    // They are copied after a failure too, so the common page always shows what the
    // full-size pages show.
    CopyPoints(charts.C1, charts.TASbyAlt);
    CopyPoints(charts.C2, charts.MaxROCbyAlt);
    CopyPoints(charts.C3, charts.ROCatConst);
    CopyPoints(charts.C4, charts.TurnbySpeed);
    // The overview's turn-time legend names the flap settings shown, as the full page's does.
    for (int j = 0; j < charts.C4.Count(); ++j)
        charts.C4[j].SetShowInLegend(shown.Shows(j % 4));
    if (failure)
        std::rethrow_exception(failure);
}
