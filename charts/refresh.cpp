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
    const auto run = [&](const QString &file, const std::function<void()> &fill) {
        try {
            ReadLocated(a.name, file, fill);
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    run(a.speedFile, [&] { FillAltitudeCharts(charts.TASbyAlt, charts.MaxROCbyAlt, a.name, a.altitude, block.altitude); });
    run(a.turnFile, [&] { FillClimbAtSpeed(charts.ROCatConst, a.name, a.turn.climb, block.climb); });
    run(a.turnFile, [&] { FillTurnTimes(charts.TurnbySpeed, a.name, a.turn, block.turnTimes, shown); });
    run(a.turnFile, [&] { FillTurnRateDiagram(charts.FunPlot, a.name, a.turn, block.turnRate, shown, charts.labelColor); });
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
    if (failure)
        std::rethrow_exception(failure);
}
