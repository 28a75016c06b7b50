#include "verdict/ranking.h"

#include "core/error.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Leader rows at most along each axis: absurd altitudes or speeds give a long list,
// never an endless one.
constexpr int kMaxLeaderRows = 200;

// What `value` makes an aircraft against the reference's `reference`.
RankResult ResultOf(const RankColumn &c, double value, double reference)
{
    if (!std::isfinite(value) || !std::isfinite(reference))
        return RankResult::NoData;
    const MeasureRule &rule = RuleOf(c.measure);
    if (IsEven(reference, value, rule.evenUnder))
        return RankResult::Even;
    return (value > reference) == rule.higherIsBetter ? RankResult::Better : RankResult::Worse;
}

// A curve's value where the ranking reads it: at the altitude or at the speed.
double ValueOf(const CraftCurves &curves, const RankColumn &c, double altitude, double speed)
{
    return CurveValueAt(curves.Of(c.measure, c.flap), RuleOf(c.measure).byAltitude ? altitude : speed);
}

RankRow RowOf(const RankEntry &e, const Ranking &r)
{
    RankRow row{e.name, e.error, {}, 0};
    row.cells.reserve(r.columns.size());
    for (size_t i = 0; i < r.columns.size(); ++i) {
        if (!e.curves) {
            row.cells.push_back({kNaN, kNaN, RankResult::Error});
            continue;
        }
        const double value = ValueOf(*e.curves, r.columns[i], r.altitude, r.speed);
        const RankResult result = ResultOf(r.columns[i], value, r.referenceValues[i]);
        const bool compared = result != RankResult::NoData;
        row.cells.push_back({value, compared ? value - r.referenceValues[i] : kNaN, result});
        row.wins += result == RankResult::Better ? 1 : 0;
    }
    return row;
}

// Whether a is better than b where higher values are better or not (a value beats
// none; equal values are not).
bool Ahead(bool higherIsBetter, double a, double b)
{
    if (!std::isfinite(a))
        return false;
    if (!std::isfinite(b))
        return true;
    return higherIsBetter ? a > b : a < b;
}

void Order(std::vector<RankRow> &rows, const std::vector<RankColumn> &columns, int by)
{
    const auto rank = [](const RankRow &r) { return r.error.isEmpty() ? 0 : 1; };
    const bool higher = by >= 0 && size_t(by) < columns.size() && RuleOf(columns[size_t(by)].measure).higherIsBetter;
    std::stable_sort(rows.begin(), rows.end(), [&](const RankRow &a, const RankRow &b) {
        if (rank(a) != rank(b))
            return rank(a) < rank(b);
        if (by < 0 || size_t(by) >= columns.size())
            return a.wins > b.wins;
        return Ahead(higher, a.cells[size_t(by)].value, b.cells[size_t(by)].value);
    });
}

// The lowest and highest place of the curves of these columns over all entries.
std::pair<double, double> Span(const std::vector<RankEntry> &entries, const std::vector<RankColumn> &columns)
{
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const RankEntry &e : entries)
        for (const RankColumn &c : columns)
            if (e.curves)
                for (double x : e.curves->Of(c.measure, c.flap).x)
                    if (std::isfinite(x)) {
                        lo = std::min(lo, x);
                        hi = std::max(hi, x);
                    }
    return {lo, hi};
}

// At every multiple of step within the curves' span: the aircraft with the best value of
// each column (the first in the catalogue's order among equals). One pass over the
// entries a column, each curve read once at every place; the best kept by its index.
std::vector<LeaderRow> Leaders(const std::vector<RankEntry> &entries, const std::vector<RankColumn> &columns, double step)
{
    std::vector<LeaderRow> rows;
    const auto [lo, hi] = Span(entries, columns);
    if (!(step > 0) || !(lo <= hi))
        return rows;
    std::vector<double> places;
    for (double at = std::ceil(lo / step) * step; at <= hi && places.size() < kMaxLeaderRows; at += step)
        places.push_back(at);
    const size_t none = entries.size();
    std::vector<size_t> best(places.size() * columns.size(), none);  // [place][column]
    std::vector<double> value(best.size(), kNaN);
    for (size_t i = 0; i < columns.size(); ++i) {
        const bool higher = RuleOf(columns[i].measure).higherIsBetter;
        for (size_t e = 0; e < entries.size(); ++e) {
            if (!entries[e].curves)
                continue;
            const std::vector<double> values = CurveValuesAt(entries[e].curves->Of(columns[i].measure, columns[i].flap), places);
            for (size_t p = 0, k = i; p < places.size(); ++p, k += columns.size())
                if (Ahead(higher, values[p], value[k])) {
                    value[k] = values[p];
                    best[k] = e;
                }
        }
    }
    rows.reserve(places.size());
    for (size_t p = 0, k = 0; p < places.size(); ++p) {
        rows.push_back({places[p], {}});
        rows.back().leaders.reserve(columns.size());
        for (size_t i = 0; i < columns.size(); ++i, ++k)
            rows.back().leaders.push_back({best[k] == none ? QString() : entries[best[k]].name, value[k]});
    }
    return rows;
}
}  // namespace

std::vector<RankColumn> RankColumns(FlapSet shown)
{
    std::vector<RankColumn> out;
    for (Measure m : kAllMeasures)
        if (!RuleOf(m).perFlap)
            out.push_back({m, -1});
    for (Measure m : kAllMeasures)
        for (int flap = 0; flap < FlapSet::kSettings && RuleOf(m).perFlap; ++flap)
            if (shown.Shows(flap))
                out.push_back({m, flap});
    return out;
}

std::vector<RankEntry> RankEntries(const Catalogue &catalogue, FlapSet shown)
{
    std::vector<RankEntry> out;
    out.reserve(size_t(catalogue.Entries().size()));
    for (const CatalogueEntry &e : catalogue.Entries()) {
        RankEntry entry{e.name, nullptr, e.failure};
        if (e.aircraft) {
            try {
                entry.curves = std::make_shared<const CraftCurves>(CurvesOf(*e.aircraft, shown));
            } catch (const VarnelError &error) {
                entry.error = error.message();
            }
        } else if (entry.error.isEmpty()) {
            entry.error = QStringLiteral("%1: not read").arg(e.name);
        }
        out.push_back(std::move(entry));
    }
    return out;
}

Ranking RankAgainst(const std::vector<RankEntry> &entries, const RankQuery &q, bool leaders)
{
    const auto ref = std::find_if(entries.begin(), entries.end(), [&](const RankEntry &e) { return e.name == q.reference; });
    if (ref == entries.end())
        throw VarnelError(QStringLiteral("no aircraft \"%1\"").arg(q.reference));
    if (!ref->curves)
        throw VarnelError(ref->error);
    Ranking r;
    r.reference = q.reference;
    r.altitude = q.altitude;
    r.speed = q.speed;
    r.flaps = q.flaps;
    r.columns = RankColumns(q.flaps);
    for (const RankColumn &c : r.columns)
        r.referenceValues.push_back(ValueOf(*ref->curves, c, q.altitude, q.speed));
    r.rows.reserve(entries.size());
    for (auto e = entries.begin(); e != entries.end(); ++e)
        if (e != ref)
            r.rows.push_back(RowOf(*e, r));
    Order(r.rows, r.columns, q.by);
    if (leaders)
        AddLeaders(r, entries, q);
    return r;
}

void AddLeaders(Ranking &r, const std::vector<RankEntry> &entries, const RankQuery &q)
{
    r.altitudeLeaders.clear();
    r.speedLeaders.clear();
    for (Measure m : AltitudeMeasures())
        r.altitudeLeaders.push_back({m, -1});
    for (const RankColumn &c : RankColumns(q.flaps))
        if (c.measure == Measure::TurnTime)
            r.speedLeaders.push_back(c);
    r.byAltitude = Leaders(entries, r.altitudeLeaders, q.altitudeStep);
    r.bySpeed = Leaders(entries, r.speedLeaders, q.speedStep);
}

Ranking RankCatalogue(const Catalogue &catalogue, const RankQuery &query)
{
    return RankAgainst(RankEntries(catalogue, query.flaps), query);
}

int RankColumnNamed(const std::vector<RankColumn> &columns, const QString &key)
{
    if (key == QLatin1String("wins"))
        return -1;
    const QString measure = key.section(QLatin1Char(':'), 0, 0);
    const QString flap = key.section(QLatin1Char(':'), 1);
    for (size_t i = 0; i < columns.size(); ++i) {
        if (measure != QLatin1String(RuleOf(columns[i].measure).key))
            continue;
        if (flap.isEmpty() || (columns[i].flap >= 0 && flap == QString::number(columns[i].flap)))
            return int(i);
    }
    return -2;
}

RankDefaults RankDefaultsFor(UnitSystem units)
{
    // Round values in the units shown: 1,000 m is about 3,000 ft, 300 km/h about
    // 190 mph or 160 kt; a step of 50 km/h about 30 mph or 25 kt.
    struct Shown {
        double altitude, speed, altitudeStep, speedStep;
    };
    const Shown shown = units == UnitSystem::Metric     ? Shown{1000, 300, 1000, 50}
                        : units == UnitSystem::Imperial ? Shown{3000, 190, 3000, 30}
                                                        : Shown{3000, 160, 3000, 25};
    return {FromShown(Quantity::Altitude, shown.altitude, units), FromShown(Quantity::Speed, shown.speed, units),
            FromShown(Quantity::Altitude, shown.altitudeStep, units), FromShown(Quantity::Speed, shown.speedStep, units)};
}
