#include "verdict/verdict.h"

#include "catalogue/chart_values.h"
#include "catalogue/readers.h"

#include <cmath>
#include <functional>
#include <limits>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Rows of the altitude table at most: a file of absurd altitudes gives a long table,
// never an endless one.
constexpr int kMaxAltitudeRows = 200;

void Add(CurvePoints &c, double x, double y)
{
    c.x.push_back(x);
    c.y.push_back(y);
}

double Read(const Cell &at) { return ReadAt(at, [&] { return ChartValue(at.text); }); }

void ReadAltitudeCurves(CraftCurves &c, const QStringList &rows)
{
    for (int r = 0; r < rows.size(); ++r) {
        QString row = rows.at(r);
        const SpeedRowFields f = SplitSpeedRow(row);
        // The charts read each point's value before its altitude, in this order.
        const Cell values[4] = {{f.tas100, r, 3}, {f.tasMax, r, 1}, {f.roc100, r, 4}, {f.rocMax, r, 2}};
        for (int m = 0; m < 4; ++m) {
            const double value = Read(values[m]);
            Add(c.curves[size_t(m)], Read({f.altitude, r, 0}), value);
        }
    }
}

void ReadTurnCurves(CraftCurves &c, const QStringList &rows, const std::array<bool, 4> &shown)
{
    QString speeds = FetchRow(rows, 0), climbs = FetchRow(rows, 1);
    for (int column = 0; !speeds.isEmpty(); ++column) {
        const QString speed = CutField(speeds), climb = CutField(climbs);
        if (!speed.isEmpty() && !climb.isEmpty()) {
            const double x = Read({speed, 0, column});
            Add(c.curves[size_t(Measure::ClimbAtSpeed)], x, Read({climb, 1, column}));
        }
    }
    // Times first, every setting's row taken column by column; then the rates.
    speeds = FetchRow(rows, 0);
    QString times[4];
    for (int flap = 0; flap < 4; ++flap)
        times[flap] = FetchRow(rows, 2 + flap);
    for (int column = 0; !speeds.isEmpty(); ++column) {
        const QString speed = CutField(speeds);
        for (int flap = 0; flap < 4; ++flap) {
            const QString time = CutField(times[flap]);
            if (!speed.isEmpty() && !time.isEmpty() && shown[size_t(flap)]) {
                const double x = Read({speed, 0, column});
                Add(c.turnTime[size_t(flap)], x, Read({time, 2 + flap, column}));
            }
        }
    }
    for (int flap = 0; flap < 4; ++flap) {
        if (!shown[size_t(flap)])
            continue;
        QString s = FetchRow(rows, 0), t = FetchRow(rows, 2 + flap);
        for (int column = 0; !s.isEmpty(); ++column) {
            const QString speed = CutField(s), time = CutField(t);
            if (speed.isEmpty() || time.isEmpty())
                continue;
            const double x = Read({speed, 0, column});
            Add(c.turnRate[size_t(flap)], x, ReadAt({time, 2 + flap, column}, [&] { return TurnTimeToRate(time); }));
        }
    }
}

// The compared pairs and best figures, in their order: the five single measures, then
// turn times and turn rates per shown setting.
std::vector<std::pair<Measure, int>> Pairs(const std::array<bool, 4> &shown)
{
    std::vector<std::pair<Measure, int>> out;
    for (int m = 0; m < 5; ++m)
        out.push_back({Measure(m), -1});
    for (Measure m : {Measure::TurnTime, Measure::TurnRate})
        for (int flap = 0; flap < 4; ++flap)
            if (shown[size_t(flap)])
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

const MeasureRule &RuleOf(Measure m)
{
    static const MeasureRule rules[kMeasures] = {
        {"speed-100", true, true, 1.0},  {"speed-max", true, true, 1.0},       {"climb-100", true, true, 0.1},
        {"climb-max", true, true, 0.1},  {"climb-at-speed", false, true, 0.1}, {"turn-time", false, false, 0.1},
        {"turn-rate", false, true, 0.1},
    };
    return rules[int(m)];
}

const CurvePoints &CraftCurves::Of(Measure m, int flap) const
{
    if (m == Measure::TurnTime)
        return turnTime[size_t(flap)];
    if (m == Measure::TurnRate)
        return turnRate[size_t(flap)];
    return curves[size_t(m)];
}

CraftCurves ReadCraftCurves(const QString &name, const TNodeData &tables, const std::array<bool, 4> &flapShown)
{
    CraftCurves c;
    ReadLocated(name, tables.speedFileName, [&] { ReadAltitudeCurves(c, tables.lst_Speed); });
    ReadLocated(name, tables.turnFileName, [&] { ReadTurnCurves(c, tables.lst_Turn, flapShown); });
    return c;
}

SummaryValue SplitSummaryCaption(const QString &caption)
{
    // "время виража: 18.2 сек": label, value, unit.
    const qsizetype colon = caption.indexOf(QStringLiteral(": "));
    const qsizetype space = caption.lastIndexOf(QLatin1Char(' '));
    SummaryValue s{caption, QString(), QString(), kNaN};
    if (colon < 0 || space < colon + 1)
        return s;
    s.label = caption.left(colon);
    s.text = caption.mid(colon + 2, space - colon - 2);
    s.unit = caption.mid(space + 1);
    long double v = 0;
    if (ParseNumber(s.text, v) && std::isfinite(double(v)))
        s.value = double(v);
    return s;
}

Verdict CompareCrafts(const std::array<QString, 2> &names, const std::array<const CraftCurves *, 2> &curves,
                      const std::array<QStringList, 2> &summaries, const std::array<bool, 4> &flapShown)
{
    Verdict v;
    v.names = names;
    v.flapShown = flapShown;
    static const CraftCurves none;
    const CraftCurves *c[2] = {curves[0] ? curves[0] : &none, curves[1] ? curves[1] : &none};
    for (int a = 0; a < 2; ++a) {
        v.present[size_t(a)] = curves[size_t(a)] != nullptr;
        for (const QString &caption : summaries[size_t(a)])
            v.summary[size_t(a)].push_back(SplitSummaryCaption(caption));
    }
    for (const auto &[m, flap] : Pairs(flapShown)) {
        const MeasureRule &rule = RuleOf(m);
        v.pairs.push_back({m, flap, CompareCurves(c[0]->Of(m, flap), c[1]->Of(m, flap), rule.evenUnder, rule.higherIsBetter)});
        for (int a = 0; a < 2; ++a)
            if (v.present[size_t(a)])
                v.best[size_t(a)].push_back(Best(c[a]->Of(m, flap), m, flap));
    }
    if (v.present[0] && v.present[1]) {
        const auto [lo0, hi0] = AltitudeRange(c[0]->curves[0]);
        const auto [lo1, hi1] = AltitudeRange(c[1]->curves[0]);
        const double lo = std::max(lo0, lo1), hi = std::min(hi0, hi1);
        if (lo <= hi) {
            for (double h = std::ceil(lo / 1000) * 1000; h <= hi && v.byAltitude.size() < kMaxAltitudeRows; h += 1000) {
                AltitudeRow row{h, {}};
                for (int m = 0; m < 4; ++m)
                    for (int a = 0; a < 2; ++a)
                        row.values[size_t(m)][size_t(a)] = CurveValueAt(c[a]->curves[size_t(m)], h);
                v.byAltitude.push_back(row);
            }
        }
    }
    return v;
}

Verdict ComputeVerdict(const CraftRecord *first, const CraftRecord *second, const std::array<bool, 4> &flapShown)
{
    const CraftRecord *crafts[2] = {first, second};
    std::array<QString, 2> names;
    std::array<const TNodeData *, 2> tables{nullptr, nullptr};
    std::array<QStringList, 2> summaries;
    for (size_t a = 0; a < 2; ++a)
        if (crafts[a]) {
            names[a] = crafts[a]->name;
            tables[a] = &crafts[a]->tables;
            summaries[a] = crafts[a]->summary;
        }
    return ComputeVerdict(names, tables, summaries, flapShown);
}

Verdict ComputeVerdict(const std::array<QString, 2> &names, const std::array<const TNodeData *, 2> &tables,
                       const std::array<QStringList, 2> &summaries, const std::array<bool, 4> &flapShown)
{
    std::array<CraftCurves, 2> read;
    std::array<const CraftCurves *, 2> curves{nullptr, nullptr};
    std::array<QString, 2> shown;
    for (size_t a = 0; a < 2; ++a) {
        if (!tables[a])
            continue;
        shown[a] = names[a];
        read[a] = ReadCraftCurves(names[a], *tables[a], flapShown);
        curves[a] = &read[a];
    }
    return CompareCrafts(shown, curves, summaries, flapShown);
}
