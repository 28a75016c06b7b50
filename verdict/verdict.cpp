#include "verdict/verdict.h"

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

const CurvePoints &CraftCurves::Of(Measure m, int flap) const
{
    if (m == Measure::TurnTime)
        return turnTime[size_t(flap)];
    if (m == Measure::TurnRate)
        return turnRate[size_t(flap)];
    return curves[size_t(m)];
}

CraftCurves CurvesOf(const Aircraft &a, FlapSet shown)
{
    if (const ReadFailure failure = FirstFailure(a, shown))
        throw *failure;
    CraftCurves c;
    for (size_t m = 0; m < 4; ++m)
        c.curves[m] = a.altitude.curves[m];
    c.curves[size_t(Measure::ClimbAtSpeed)] = a.turn.climb.points;
    c.turnTime = ShownTurnTimes(a.turn, shown).curves;
    c.turnRate = ShownTurnRates(a.turn, shown).curves;
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
    if (v.present[0] && v.present[1])
        for (size_t a = 0; a < 2; ++a)
            for (size_t m = 0; m < 4; ++m)
                v.byAltitude[a][m] = c[a]->curves[m];
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
    const auto &c = v.byAltitude;
    if (!v.present[0] || !v.present[1])
        return rows;
    const auto [lo0, hi0] = AltitudeRange(c[0][0]);
    const auto [lo1, hi1] = AltitudeRange(c[1][0]);
    const double lo = std::max(lo0, lo1), hi = std::min(hi0, hi1), step = AltitudeStep(units);
    if (!(lo <= hi))
        return rows;
    for (double shown = std::ceil(ToShown(Quantity::Altitude, lo, units) / step) * step;
         rows.size() < kMaxAltitudeRows; shown += step) {
        const double h = FromShown(Quantity::Altitude, shown, units);
        if (h > hi)
            break;
        AltitudeRow row{h, {}};
        for (size_t m = 0; m < 4; ++m)
            for (size_t a = 0; a < 2; ++a)
                row.values[m][a] = CurveValueAt(c[a][m], h);
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
