#include "charts/turn_times.h"
#include "catalogue/readers.h"
#include "charts/fill_common.h"

void FillClimbAtSpeed(TChartSeriesList &chart, const QString &name, const QStringList &lst_Turn,
                      int index)
{
    TChartSeries &series = chart[index];
    TitleAndActivate(series, QStringLiteral("climb "), name);

    QString speeds = FetchRow(lst_Turn, 0);
    QString climbs = FetchRow(lst_Turn, 1);
    for (int column = 0; !speeds.isEmpty(); ++column) {
        const QString speed = CutField(speeds);
        const QString climb = CutField(climbs);
        if (!speed.isEmpty() && !climb.isEmpty())
            AddReadPoint(series, {speed, 0, column}, {climb, 1, column});
    }
}

void FillTurnTimes(TChartSeriesList &chart, const QString &name, const QStringList &lst_Turn,
                   int first, const FlapMarks &marked)
{
    for (int flap = 0; flap < 4; ++flap)
        TitleAndActivate(chart[first + flap], FlapTitlePrefixes()[size_t(flap)], name);

    QString speeds = FetchRow(lst_Turn, 0);
    QString times[4];
    for (int flap = 0; flap < 4; ++flap)
        times[flap] = FetchRow(lst_Turn, 2 + flap);

    for (int column = 0; !speeds.isEmpty(); ++column) {
        const QString speed = CutField(speeds);
        for (int flap = 0; flap < 4; ++flap) {
            // Every time row loses its field, shown or not, so the columns stay aligned.
            const QString time = CutField(times[flap]);
            if (!speed.isEmpty() && !time.isEmpty() && !marked[size_t(flap)])
                AddReadPoint(chart[first + flap], {speed, 0, column}, {time, 2 + flap, column});
        }
    }
}
