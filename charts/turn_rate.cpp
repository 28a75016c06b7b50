#include "charts/turn_rate.h"
#include "charts/fill_common.h"
#include "presentation/chart_defs.h"
#include <cmath>

namespace {
constexpr int kFirstLoadFactorSeries = 9;   // 1 g
constexpr int kLastLoadFactorSeries = 14;   // 6 g
constexpr int kFirstRadiusSeries = 15;      // 100 m
constexpr int kLastRadiusSeries = 21;       // 700 m
constexpr double kMaxSpeed = 700.0;         // radius lines are kept inside this speed
constexpr double kMaxLoadFactorRate = 40.0; // load-factor points at or above are left out

void SetLabel(TChartSeries &series, int index, const QString &text, const QColor &color)
{
    TMarksItem &mark = series.MarkItem(index);
    mark.SetText(text);
    if (!text.isEmpty()) {
        mark.Color = color;
        mark.Transparent = true;
    }
}
}  // namespace

void AddLoadFactorLine(TChartSeries &series, int n, const QColor &labelColor)
{
    series.Clear();
    int added = 0;
    for (int v = 100; v <= 650; v += 50) {
        // Time of a full circle flown at v km/h with a centripetal acceleration of n g.
        const double circle = (v / 3.6) * 6.28 / (n * 9.8);
        const double rate = 360.0 / circle;
        if (rate >= kMaxLoadFactorRate)
            continue;
        const int index = series.AddXY(v, rate);
        ++added;
        SetLabel(series, index, added == 2 ? QStringLiteral("%1-g").arg(n) : QString(), labelColor);
    }
    series.MarksChanged();
}

void AddClampedPoint(TChartSeries &series, double speed, double rate)
{
    // An infinite speed would never come down; only finite points reach a chart.
    if (!std::isfinite(speed) || !std::isfinite(rate))
        return;
    while (speed > kMaxSpeed) {
        speed *= 0.95;
        rate *= 0.95;
    }
    series.AddXY(speed, rate);
}

void AddRadiusLine(TChartSeries &series, int k, const QColor &labelColor, UnitSystem units)
{
    series.Clear();
    series.SetLinePenWidth(1);
    // Three points of a straight line through the origin: the turn rate at which a
    // circle of `hundreds` hundred metres is flown at each speed.
    const int radius = RadiusLineStep(units) * k;
    const double hundreds = units == UnitSystem::Metric ? k : FromShown(Quantity::Radius, radius, units) / 100;
    AddClampedPoint(series, 33.0 * hundreds, 15.91 / 3.0);
    AddClampedPoint(series, 100.0 * hundreds, 15.91);
    AddClampedPoint(series, 200.0 * hundreds, 31.82);
    SetLabel(series, 0, QString(), labelColor);
    SetLabel(series, 1, QString(), labelColor);
    const QString label = units == UnitSystem::Metric ? QStringLiteral("%1m").arg(radius)
                                                      : QString::number(radius) + UnitName(Quantity::Radius, units);
    SetLabel(series, 2, label, labelColor);
    // Named as labelled where the chart's own titles (in metres) would be wrong.
    if (units != UnitSystem::Metric)
        series.SetTitle(label);
    series.MarksChanged();
}

int RadiusLineStep(UnitSystem units) { return units == UnitSystem::Metric ? 100 : 500; }

void ShowRadiusLines(TChartSeriesList &chart, const QColor &labelColor, UnitSystem units)
{
    const ChartDef *def = FindChartDef(QStringLiteral("chrt_FunPlot"));
    for (int i = kFirstRadiusSeries; i <= kLastRadiusSeries && i < chart.Count(); ++i) {
        if (units == UnitSystem::Metric && def && i < def->series.size())
            chart[i].SetTitle(def->series[i].title);
        if (chart[i].Count() > 0)
            AddRadiusLine(chart[i], i - 14, labelColor, units);
    }
}

void FillTurnRateDiagram(TChartSeriesList &chart, const QString &name, const TurnCurves &turn,
                         int first, FlapSet shown, const QColor &labelColor)
{
    for (int i = kFirstLoadFactorSeries; i <= kLastLoadFactorSeries; ++i) {
        AddLoadFactorLine(chart[i], i - 8, labelColor);
        chart[i].SetActive(true);
    }
    for (int i = kFirstRadiusSeries; i <= kLastRadiusSeries; ++i) {
        AddRadiusLine(chart[i], i - 14, labelColor, ShownUnits());
        chart[i].SetActive(true);
    }
    const ShownCurves rates = ShownTurnRates(turn, shown);
    TChartSeries *last = nullptr;  // the settings after a failing one are not drawn
    for (int flap = 0; flap < 4; ++flap) {
        if (!rates.drawn.Shows(flap))
            continue;
        TChartSeries &series = chart[first + flap];
        TitleAndActivate(series, FlapTitlePrefixes()[size_t(flap)], name);
        series.Clear();
        AddPoints(series, rates.curves[size_t(flap)]);
        LabelCurveEnd(series, FlapCurveLabel(flap));
        last = &series;
    }
    if (last)
        RaiseFailure(rates.failure, {last});
    RaiseFailure(rates.failure);
}
