// A whole aircraft end to end. The input is a speed file, then the file mark and a turn
// file (fuzz_support.h); without the mark the same bytes serve as both. Both are read
// into lines and into an aircraft value as the reader does, and every chart filler runs through the comparison
// refresh on the nine charts as the window defines them: the aircraft as the first,
// the second and both selections, under several flap settings. Data errors are
// allowed; crashes, endless loops, points that are not finite and mirrors that
// differ from their charts are not.
#include "charts/refresh.h"
#include "fuzz/fuzz_support.h"
#include "pages/comparison_table.h"

#include <QStringList>

#include <cmath>
#include <memory>

namespace {
struct ChartSet {
    TChartSeriesList TASbyAlt, MaxROCbyAlt, ROCatConst, TurnbySpeed, FunPlot, C1, C2, C3, C4;
    TChartSeriesList *all[9] = {&TASbyAlt, &MaxROCbyAlt, &ROCatConst, &TurnbySpeed, &FunPlot, &C1, &C2, &C3, &C4};
    // The lists as the window's table defines them, in the order of `all`.
    ComparisonCharts charts = RefreshedCharts(
        [this](const ChartEntry &entry) {
            const char *const names[] = {"chrt_TASbyAlt", "chrt_MaxROCbyAlt", "chrt_ROCatConst", "chrt_TurnbySpeed",
                                         "chrt_FunPlot", "ch_C1", "ch_C2", "ch_C3", "ch_C4"};
            int c = 0;
            while (entry.def->name != QLatin1String(names[c]))
                ++c;
            BuildSeries(*all[c], *entry.def);
            return all[c];
        },
        QColor(0xF0, 0xF0, 0xF0));
};

// Fields a turn-file row gives to the speed loop: one per tab, plus a rest without one.
qsizetype SpeedColumns(const QString &row)
{
    return row.count(u'\t') + (row.endsWith(u'\t') || row.isEmpty() ? 0 : 1);
}

void CheckCharts(const ChartSet &set, const QStringList &speedLines, const QStringList &turnLines, bool finished,
                 const QString &what)
{
    const qsizetype speedRows = speedLines.size();
    const qsizetype columns = turnLines.isEmpty() ? 0 : SpeedColumns(turnLines.at(0));
    for (int c = 0; c < 9; ++c) {
        const TChartSeriesList &chart = *set.all[c];
        for (int i = 0; i < chart.Count(); ++i) {
            const TChartSeries &s = chart[i];
            const QString where = what + QStringLiteral(" chart %1 series %2").arg(c).arg(i);
            FUZZ_CHECK(s.XValues.Count() == s.YValues.Count(), where);
            for (int p = 0; p < s.Count(); ++p) {
                FUZZ_CHECK(std::isfinite(s.XValues[p]) && std::isfinite(s.YValues[p]),
                           where + QStringLiteral(" point %1").arg(p));
                if (s.Kind() == SeriesKind::TLineSeries && p > 0)
                    FUZZ_CHECK(s.XValues[p - 1] <= s.XValues[p], where + QStringLiteral(" order at %1").arg(p));
            }
            // Each aircraft adds at most one point per speed-file row or speed column,
            // and two aircraft share the mirrors' and the altitude charts' lists.
            if (c == 0 || c == 1 || c == 5 || c == 6)
                FUZZ_CHECK(s.Count() <= speedRows, where);
            else if (!(c == 4 && i >= 8))
                FUZZ_CHECK(s.Count() <= columns, where);
        }
        for (const AxisRange &r : {chart.AutoRangeX(), chart.AutoRangeY()})
            FUZZ_CHECK(!r.valid || (std::isfinite(r.min) && std::isfinite(r.max) && r.min <= r.max), what);
        FUZZ_CHECK(chart.LegendEntries().size() == chart.LegendSeries().size(), what);
    }
    FUZZ_CHECK(set.FunPlot[8].Count() == 0 && !set.FunPlot[8].Active(), what + QStringLiteral(" 0g line"));
    if (!finished)
        return;
    // A finished refresh leaves each mirror with its chart's points.
    const TChartSeriesList *sources[4] = {&set.TASbyAlt, &set.MaxROCbyAlt, &set.ROCatConst, &set.TurnbySpeed};
    const TChartSeriesList *mirrors[4] = {&set.C1, &set.C2, &set.C3, &set.C4};
    for (int m = 0; m < 4; ++m) {
        FUZZ_CHECK(sources[m]->Count() == mirrors[m]->Count(), what);
        for (int i = 0; i < sources[m]->Count(); ++i)
            FUZZ_CHECK((*sources[m])[i].XValues.Value == (*mirrors[m])[i].XValues.Value &&
                           (*sources[m])[i].YValues.Value == (*mirrors[m])[i].YValues.Value,
                       what + QStringLiteral(" mirror %1 series %2").arg(m).arg(i));
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static ChartSet set;
    const TwoFiles files = SplitAtFileMark(FuzzBytes(data, size));
    const QStringList speedLines = SplitTextLines(files.first);
    const QStringList turnLines = SplitTextLines(files.second.value_or(files.first));
    const AircraftPtr value = AircraftOfTables(QStringLiteral("Fuzz"), speedLines, turnLines);
    const Aircraft *aircraft = value.get();
    // Flap flags from the last byte, besides the state at start, all shown and all hidden.
    const uint8_t last = size > 0 ? data[size - 1] : 0;
    const FlapSet fromInput = FlapSet::FromMarks({bool(last & 1), bool(last & 2), bool(last & 4), bool(last & 8)});
    struct Case {
        const Aircraft *first, *second;
        FlapSet shown;
        const char *what;
    };
    const Case cases[] = {
        {aircraft, nullptr, FlapSet::NoFlaps(), "first, start flaps"},
        {nullptr, aircraft, FlapSet::All(), "second, all flaps"},
        {aircraft, aircraft, fromInput, "both, input flaps"},
        {aircraft, aircraft, FlapSet(), "both, no flaps"},
        {nullptr, nullptr, FlapSet::All(), "none"},
    };
    for (const Case &c : cases) {
        bool finished = true;
        try {
            RefreshComparison(set.charts, c.first, c.second, c.shown);
        } catch (const VarnelError &e) {
            FUZZ_CHECK(IsKnownDataError(e.message()), e.message());
            finished = false;
        }
        CheckCharts(set, speedLines, turnLines, finished, QString::fromLatin1(c.what));
    }
    // With nothing selected every full-size series is empty and inactive.
    for (TChartSeriesList *chart : {&set.TASbyAlt, &set.MaxROCbyAlt, &set.ROCatConst, &set.TurnbySpeed, &set.FunPlot})
        for (int i = 0; i < chart->Count(); ++i)
            FUZZ_CHECK((*chart)[i].Count() == 0 && !(*chart)[i].Active(), QStringLiteral("left after clearing"));
    return 0;
}
