#include "verdict/verdict.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Rows of the altitude table at most: a file of absurd altitudes gives a long table,
// never an endless one.
constexpr int kMaxAltitudeRows = 200;

// The compared pairs and best figures, in their order: the measures compared once, then
// those compared per flap setting, for each shown setting.
std::vector<std::pair<Measure, int>> Pairs(FlapSet shown)
{
    std::vector<std::pair<Measure, int>> out;
    for (Measure m : kAllMeasures)
        if (!RuleOf(m).perFlap)
            out.push_back({m, -1});
    for (Measure m : kAllMeasures)
        for (int flap = 0; flap < 4 && RuleOf(m).perFlap; ++flap)
            if (shown.Shows(flap))
                out.push_back({m, flap});
    return out;
}

BestFigure Best(const CurvePoints &c, Measure m, int flap)
{
    const CurvePeak peak = CurveBest(c, RuleOf(m).higherIsBetter);
    return {m, flap, peak.value, peak.at};
}

// Which of both aircraft's figures is the better one.
void DecideBest(std::array<std::vector<BestFigure>, 2> &best)
{
    for (size_t i = 0; i < std::min(best[0].size(), best[1].size()); ++i) {
        BestFigure &a = best[0][i], &b = best[1][i];
        const MeasureRule &rule = RuleOf(a.measure);
        const int win = Winner(a.value, b.value, rule.higherIsBetter, rule.evenUnder);
        a.wins = win == 1;
        b.wins = win == 2;
    }
}

// The summary values of the first aircraft beside the second's of the same key, each
// decided by its rule.
std::vector<SummaryPair> SummaryPairs(const std::array<std::vector<SummaryValue>, 2> &summary)
{
    std::vector<SummaryPair> out;
    for (const SummaryValue &a : summary[0]) {
        const auto b = std::find_if(summary[1].begin(), summary[1].end(), [&](const SummaryValue &s) { return s.key == a.key; });
        if (b == summary[1].end())
            continue;
        const SummaryRule *rule = SummaryRuleOf(a.key);
        out.push_back({{a, *b}, rule && rule->decides ? Winner(a.value, b->value, rule->higherIsBetter, rule->evenUnder) : 0});
    }
    return out;
}

// The altitudes of an aircraft's speed file: lowest and highest.
std::pair<double, double> AltitudeRange(const CurvePoints &c)
{
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (double x : c.x)
        if (std::isfinite(x)) {
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
    return {lo, hi};
}
}  // namespace

int Winner(double first, double second, bool higherIsBetter, double evenUnder)
{
    if (!std::isfinite(first) || !std::isfinite(second) || IsEven(first, second, evenUnder))
        return 0;
    return (first > second) == higherIsBetter ? 1 : 2;
}

std::vector<Measure> AltitudeMeasures()
{
    std::vector<Measure> out;
    for (Measure m : kAllMeasures)
        if (RuleOf(m).byAltitude && !RuleOf(m).perFlap)
            out.push_back(m);
    return out;
}

const CurvePoints &CraftCurves::Of(Measure m, int flap) const
{
    if (m == Measure::TurnTime)
        return turnTime[size_t(flap)];
    if (m == Measure::TurnRate)
        return turnRate[size_t(flap)];
    return curves[size_t(m)];
}

namespace {
// Where a measure compared once has its curve among the aircraft's tables.
const CurvePoints &SourceCurve(const Aircraft &a, Measure m)
{
    switch (m) {
    case Measure::Speed100: return a.altitude.curves[0];
    case Measure::SpeedMax: return a.altitude.curves[1];
    case Measure::Climb100: return a.altitude.curves[2];
    case Measure::ClimbMax: return a.altitude.curves[3];
    case Measure::ClimbAtSpeed: return a.turn.climb.points;
    case Measure::TurnTime:
    case Measure::TurnRate: break;
    }
    static const CurvePoints none;  // per flap setting: no single curve
    return none;
}
}  // namespace

CraftCurves CurvesOf(const Aircraft &a, FlapSet shown)
{
    ShownCurves times = ShownTurnTimes(a.turn, shown), rates = ShownTurnRates(a.turn, shown);
    // A failure is rare: it is then looked for again, located as the window shows it.
    if (a.altitude.failure || a.turn.climb.failure || times.failure || rates.failure)
        if (const ReadFailure failure = FirstFailure(a, shown))
            throw *failure;
    CraftCurves c;
    for (Measure m : kAllMeasures)
        if (!RuleOf(m).perFlap)
            c.curves[size_t(m)] = SourceCurve(a, m);
    c.turnTime = std::move(times.curves);
    c.turnRate = std::move(rates.curves);
    return c;
}

Verdict CompareCrafts(const std::array<QString, 2> &names, const std::array<const CraftCurves *, 2> &curves,
                      const std::array<std::vector<SummaryValue>, 2> &summaries, FlapSet shown)
{
    Verdict v;
    v.names = names;
    v.flaps = shown;
    v.summary = summaries;
    static const CraftCurves none;
    const CraftCurves *c[2] = {curves[0] ? curves[0] : &none, curves[1] ? curves[1] : &none};
    for (int a = 0; a < 2; ++a) {
        v.present[size_t(a)] = curves[size_t(a)] != nullptr;
    }
    for (const auto &[m, flap] : Pairs(shown)) {
        const MeasureRule &rule = RuleOf(m);
        v.pairs.push_back({m, flap, CompareCurves(c[0]->Of(m, flap), c[1]->Of(m, flap), rule.evenUnder, rule.higherIsBetter)});
        for (int a = 0; a < 2; ++a)
            if (v.present[size_t(a)])
                v.best[size_t(a)].push_back(Best(c[a]->Of(m, flap), m, flap));
    }
    if (!v.present[0] || !v.present[1])
        return v;
    DecideBest(v.best);
    v.summaryPairs = SummaryPairs(v.summary);
    for (Measure m : AltitudeMeasures())
        v.byAltitude.push_back({m, {c[0]->Of(m, -1), c[1]->Of(m, -1)}});
    return v;
}

double AltitudeStep(UnitSystem units)
{
    const double metre = ToShown(Quantity::Altitude, 1000, units);
    const double decade = std::pow(10.0, std::floor(std::log10(metre)));
    double best = decade;
    for (double round : {2 * decade, 5 * decade, 10 * decade})
        if (std::abs(round - metre) < std::abs(best - metre))
            best = round;
    return best;
}

std::vector<AltitudeRow> AltitudeRows(const Verdict &v, UnitSystem units)
{
    std::vector<AltitudeRow> rows;
    if (!v.present[0] || !v.present[1] || v.byAltitude.empty())
        return rows;
    // The altitude measures are the columns of one file: their curves share its altitudes.
    const auto [lo0, hi0] = AltitudeRange(v.byAltitude.front().curves[0]);
    const auto [lo1, hi1] = AltitudeRange(v.byAltitude.front().curves[1]);
    const double lo = std::max(lo0, lo1), hi = std::min(hi0, hi1), step = AltitudeStep(units);
    if (!(lo <= hi))
        return rows;
    for (double shown = std::ceil(ToShown(Quantity::Altitude, lo, units) / step) * step;
         rows.size() < kMaxAltitudeRows; shown += step) {
        const double h = FromShown(Quantity::Altitude, shown, units);
        if (h > hi)
            break;
        AltitudeRow row{h, {}};
        for (const AltitudeCurves &c : v.byAltitude) {
            const MeasureRule &rule = RuleOf(c.measure);
            const std::array<double, 2> values{CurveValueAt(c.curves[0], h), CurveValueAt(c.curves[1], h)};
            row.cells.push_back({c.measure, values, Winner(values[0], values[1], rule.higherIsBetter, rule.evenUnder)});
        }
        rows.push_back(row);
    }
    return rows;
}

Verdict ComputeVerdict(const Aircraft *first, const Aircraft *second, FlapSet shown)
{
    const Aircraft *crafts[2] = {first, second};
    std::array<CraftCurves, 2> read;
    std::array<const CraftCurves *, 2> curves{nullptr, nullptr};
    std::array<QString, 2> names;
    std::array<std::vector<SummaryValue>, 2> summaries;
    for (size_t a = 0; a < 2; ++a) {
        if (!crafts[a])
            continue;
        names[a] = crafts[a]->name;
        summaries[a] = crafts[a]->summary;
        read[a] = CurvesOf(*crafts[a], shown);
        curves[a] = &read[a];
    }
    return CompareCrafts(names, curves, summaries, shown);
}
