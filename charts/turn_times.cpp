#include "charts/turn_times.h"
#include "charts/fill_common.h"

void FillClimbAtSpeed(TChartSeriesList &chart, const QString &name, const SpeedCurve &climb, int index)
{
    TChartSeries &series = chart[index];
    TitleAndActivate(series, QStringLiteral("climb "), name);
    AddPoints(series, climb.points);
    RaiseFailure(climb.failure, {&series});
}

void FillTurnTimes(TChartSeriesList &chart, const QString &name, const TurnCurves &turn, int first, FlapSet shown)
{
    const ShownCurves times = ShownTurnTimes(turn, shown);
    // Only the settings shown are named in the legend; each curve's end names its setting.
    for (int flap = 0; flap < 4; ++flap) {
        if (!shown.Shows(flap))
            continue;
        TitleAndActivate(chart[first + flap], FlapTitlePrefixes()[size_t(flap)], name);
        AddPoints(chart[first + flap], times.curves[size_t(flap)]);
        LabelCurveEnd(chart[first + flap], FlapCurveLabel(flap));
    }
    // Every shown setting's row is read up to the bad value's column.
    if (times.failure)
        for (int flap = 0; flap < 4; ++flap)
            if (shown.Shows(flap))
                chart[first + flap].SetStopNote(times.failure->message());
    RaiseFailure(times.failure);
}

namespace {
void climbAtSpeed(TChartSeriesList &chart, const Aircraft &a, int first, const FillContext &)
{
    FillClimbAtSpeed(chart, a.name, a.turn.climb, first);
}

void turnTimes(TChartSeriesList &chart, const Aircraft &a, int first, const FillContext &context)
{
    FillTurnTimes(chart, a.name, a.turn, first, context.shown);
}
}  // namespace

const ChartFill ClimbAtSpeedFill{&Aircraft::turnFile, climbAtSpeed};
const ChartFill TurnTimesFill{&Aircraft::turnFile, turnTimes};
