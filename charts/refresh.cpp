#include "charts/refresh.h"
#include "catalogue/chart_values.h"
#include "core/error.h"

#include <exception>

namespace {
void ClearAndDeactivate(TChartSeries &series)
{
    series.Clear();
    series.SetActive(false);
    series.SetStopNote({});
    series.SetDataFailed(false);
}

// Runs the fillers of aircraft 1 or 2, each on its own: a filler that fails keeps the
// points it read before the bad value, and the others still draw. Remembers the first
// failure in `failure`, its line saying where the value stands.
void FillAircraft(const ComparisonCharts &charts, const Aircraft *aircraft, int which, const FillContext &context,
                  std::exception_ptr &failure)
{
    if (!aircraft)
        return;
    const Aircraft &a = *aircraft;
    std::vector<TChartSeries *> all;
    bool failed = false;
    for (const RefreshedChart &chart : charts.charts) {
        const QVector<int> own = chart.def->SeriesOf(which);
        if (!chart.fill.fill || own.isEmpty())
            continue;
        std::vector<TChartSeries *> family;  // a cut curve's note gets the located message
        for (int i : own)
            family.push_back(&(*chart.series)[i]);
        all.insert(all.end(), family.begin(), family.end());
        try {
            ReadLocated(a.name, a.*chart.fill.file, [&] { chart.fill.fill(*chart.series, a, own.first(), context); });
        } catch (const VarnelError &error) {
            failed = true;
            for (TChartSeries *s : family)
                if (!s->StopNote().isEmpty())
                    s->SetStopNote(OneLineErrorText(error.message()));
            if (!failure)
                failure = std::current_exception();
        }
    }
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

void RefreshComparison(const ComparisonCharts &charts, const Aircraft *first, const Aircraft *second, FlapSet shown)
{
    for (const RefreshedChart &chart : charts.charts)
        if (chart.fill.fill)
            for (int i = 0; i < chart.series->Count(); ++i)
                ClearAndDeactivate((*chart.series)[i]);

    std::exception_ptr failure;
    const FillContext context{shown, charts.labelColor, charts.units};
    FillAircraft(charts, first, 1, context, failure);
    FillAircraft(charts, second, 2, context, failure);

    // Only points go to a mirror: its series keep their titles and activity. They are
    // copied after a failure too, so the common page always shows what the full-size
    // pages show. A legend of flap settings names only those shown, as the full page's.
    for (const RefreshedChart &mirror : charts.charts)
        for (const RefreshedChart &source : charts.charts)
            if (mirror.def->mirrorOf && source.def == mirror.def->mirrorOf) {
                CopyPoints(*mirror.series, *source.series);
                if (RuleOf(source.def->measure).perFlap)
                    for (int i = 0; i < mirror.series->Count(); ++i)
                        (*mirror.series)[i].SetShowInLegend(shown.Shows(mirror.def->series[i].curveKind));
            }
    if (failure)
        std::rethrow_exception(failure);
}
