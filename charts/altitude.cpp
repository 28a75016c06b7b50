#include "charts/altitude.h"
#include "catalogue/readers.h"
#include "charts/fill_common.h"

void FillAltitudeCharts(TChartSeriesList &speedChart, TChartSeriesList &climbChart,
                        const QString &name, const QStringList &lst_Speed, int first)
{
    const QString full = QStringLiteral("100% ");
    const QString max = QStringLiteral("MAX ");
    TChartSeries &speedFull = speedChart[first];
    TChartSeries &speedMax = speedChart[first + 1];
    TChartSeries &climbFull = climbChart[first];
    TChartSeries &climbMax = climbChart[first + 1];
    TitleAndActivate(speedFull, full, name);
    TitleAndActivate(speedMax, max, name);
    TitleAndActivate(climbFull, full, name);
    TitleAndActivate(climbMax, max, name);

    for (int r = 0; r < lst_Speed.size(); ++r) {
        QString row = lst_Speed.at(r);
        const SpeedRowFields f = SplitSpeedRow(row);
        // Each point reads its horizontal value first, so a bad row reports its values
        // in the order 100% speed, altitude, MAX speed, altitude, 100% climb, ...
        const Cell altitude{f.altitude, r, 0};
        AddReadPoint(speedFull, {f.tas100, r, 3}, altitude);
        AddReadPoint(speedMax, {f.tasMax, r, 1}, altitude);
        AddReadPoint(climbFull, {f.roc100, r, 4}, altitude);
        AddReadPoint(climbMax, {f.rocMax, r, 2}, altitude);
    }
}
