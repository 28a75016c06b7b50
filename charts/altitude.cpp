#include "charts/altitude.h"
#include "charts/fill_common.h"

void FillAltitudeCharts(TChartSeriesList &speedChart, TChartSeriesList &climbChart,
                        const QString &name, const AltitudeProfiles &profiles, int first)
{
    const QString full = QStringLiteral("100% ");
    const QString max = QStringLiteral("MAX ");
    // In the order of the profiles: speed 100%, speed MAX, climb 100%, climb MAX.
    TChartSeries *series[4] = {&speedChart[first], &speedChart[first + 1], &climbChart[first], &climbChart[first + 1]};
    for (int m = 0; m < 4; ++m) {
        TitleAndActivate(*series[m], m % 2 == 0 ? full : max, name);
        AddPoints(*series[m], profiles.curves[size_t(m)], Axes::Across);
    }
    RaiseFailure(profiles.failure, {series[0], series[1], series[2], series[3]});
}
