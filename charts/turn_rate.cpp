#include "charts/turn_rate.h"
#include "charts/fill_common.h"
#include "core/turn.h"
#include <cmath>

namespace {
// The reference lines after the eight flap curves and "0g": 1 g to 6 g, then 100 m to
// 700 m (or 500 ft to 3,500 ft).
constexpr int kLoadFactorLines = 6;
constexpr int kRadiusLines = 7;
constexpr int kFirstLoadFactorSeries = 9;
constexpr int kFirstRadiusSeries = kFirstLoadFactorSeries + kLoadFactorLines;
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
        const double rate = LoadLineRate(v, n);
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
    // circle of `radius` is flown at each speed.
    const int radius = RadiusLineStep(units) * k;
    const double metres = units == UnitSystem::Metric ? radius : FromShown(Quantity::Radius, radius, units);
    for (const RadiusLinePoint &p : RadiusLine(metres))
        AddClampedPoint(series, p.speed, p.rate);
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

void ShowRadiusLines(TChartSeriesList &chart, const ChartDef &def, const QColor &labelColor, UnitSystem units)
{
    for (int k = 1; k <= kRadiusLines; ++k) {
        const int i = kFirstRadiusSeries + k - 1;
        if (i >= chart.Count())
            break;
        if (units == UnitSystem::Metric && i < def.series.size())
            chart[i].SetTitle(def.series[i].title);
        if (chart[i].Count() > 0)
            AddRadiusLine(chart[i], k, labelColor, units);
    }
}

void FillTurnRateDiagram(TChartSeriesList &chart, const QString &name, const TurnCurves &turn,
                         int first, FlapSet shown, const QColor &labelColor, UnitSystem units)
{
    for (int n = 1; n <= kLoadFactorLines; ++n) {
        AddLoadFactorLine(chart[kFirstLoadFactorSeries + n - 1], n, labelColor);
        chart[kFirstLoadFactorSeries + n - 1].SetActive(true);
    }
    for (int k = 1; k <= kRadiusLines; ++k) {
        AddRadiusLine(chart[kFirstRadiusSeries + k - 1], k, labelColor, units);
        chart[kFirstRadiusSeries + k - 1].SetActive(true);
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

namespace {
void turnRates(TChartSeriesList &chart, const Aircraft &a, int first, const FillContext &context)
{
    FillTurnRateDiagram(chart, a.name, a.turn, first, context.shown, context.labelColor, context.units);
}
}  // namespace

const ChartFill TurnRateFill{&Aircraft::turnFile, turnRates, ShowRadiusLines};
