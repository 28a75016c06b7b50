#include "charts/altitude.h"
#include "charts/fill_common.h"

namespace {
// Fills series first ("100% ") and first + 1 ("MAX ") of one chart; returns them.
std::array<TChartSeries *, 2> AddProfiles(TChartSeriesList &chart, const QString &name,
                                          const AltitudeProfiles &profiles, int first, AltitudeChart which)
{
    // In the order of the profiles: speed 100%, speed MAX, climb 100%, climb MAX.
    const int from = which == AltitudeChart::Speed ? 0 : 2;
    std::array<TChartSeries *, 2> series = {&chart[first], &chart[first + 1]};
    for (int m = 0; m < 2; ++m) {
        TitleAndActivate(*series[size_t(m)], m == 0 ? QStringLiteral("100% ") : QStringLiteral("MAX "), name);
        AddPoints(*series[size_t(m)], profiles.curves[size_t(from + m)], Axes::Across);
    }
    return series;
}
}  // namespace

void FillAltitudeChart(TChartSeriesList &chart, const QString &name, const AltitudeProfiles &profiles, int first,
                       AltitudeChart which)
{
    const auto series = AddProfiles(chart, name, profiles, first, which);
    RaiseFailure(profiles.failure, {series[0], series[1]});
}

void FillAltitudeCharts(TChartSeriesList &speedChart, TChartSeriesList &climbChart,
                        const QString &name, const AltitudeProfiles &profiles, int first)
{
    const auto speed = AddProfiles(speedChart, name, profiles, first, AltitudeChart::Speed);
    const auto climb = AddProfiles(climbChart, name, profiles, first, AltitudeChart::Climb);
    RaiseFailure(profiles.failure, {speed[0], speed[1], climb[0], climb[1]});
}

namespace {
void speedByAltitude(TChartSeriesList &chart, const Aircraft &a, int first, const FillContext &)
{
    FillAltitudeChart(chart, a.name, a.altitude, first, AltitudeChart::Speed);
}

void climbByAltitude(TChartSeriesList &chart, const Aircraft &a, int first, const FillContext &)
{
    FillAltitudeChart(chart, a.name, a.altitude, first, AltitudeChart::Climb);
}
}  // namespace

const ChartFill SpeedByAltitudeFill{&Aircraft::speedFile, speedByAltitude};
const ChartFill ClimbByAltitudeFill{&Aircraft::speedFile, climbByAltitude};
