#include "catalogue/curves.h"

#include "catalogue/chart_values.h"
#include "catalogue/fields.h"

#include <limits>

namespace {
void Add(CurvePoints &c, double x, double y)
{
    c.x.push_back(x);
    c.y.push_back(y);
}

// Reads one value standing at `at`; a bad one is raised with its row and column.
double ReadChartValue(const Cell &at) { return ReadAt(at, [&] { return ChartValue(at.text); }); }
double ReadTurnRate(const Cell &at) { return ReadAt(at, [&] { return TurnTimeToRate(at.text); }); }

// Runs read, keeping the first error it raises in failure.
template <class Read>
bool Keep(ReadFailure &failure, Read &&read)
{
    try {
        read();
        return true;
    } catch (const VarnelError &e) {
        failure = e;
        return false;
    }
}

// The cells of a row, cut at its tabs; `count` of them at least (empty past its end).
QStringList Fields(QString row, qsizetype count = 0)
{
    QStringList out;
    while (!row.isEmpty() || out.size() < count)
        out.append(CutField(row));
    return out;
}

// A row the table lacks: "List index out of bounds (n)", carrying the row so the
// message names the aircraft and file that lack it.
ReadFailure MissingRow(int row) { return ListIndexError(row).InRow(row); }

// A value read once and kept, for a value several points share (a row's altitude, a
// column's speed): the same number, or the same error, every time it is asked for.
class SharedValue {
public:
    explicit SharedValue(Cell at) : at_(at) {}
    double get()
    {
        if (!read_) {
            read_ = true;
            Keep(failure_, [&] { value_ = ReadChartValue(at_); });
        }
        if (failure_)
            throw *failure_;
        return value_;
    }

private:
    Cell at_;
    bool read_ = false;
    double value_ = 0;
    ReadFailure failure_;
};
}  // namespace

AltitudeProfiles ReadAltitudeProfiles(const QStringList &rows)
{
    AltitudeProfiles p;
    Keep(p.failure, [&] {
        for (int r = 0; r < rows.size(); ++r) {
            QString row = rows.at(r);
            const SpeedRowFields f = SplitSpeedRow(row);
            const Cell values[4] = {{f.tas100, r, 3}, {f.tasMax, r, 1}, {f.roc100, r, 4}, {f.rocMax, r, 2}};
            SharedValue altitude({f.altitude, r, 0});
            for (int m = 0; m < 4; ++m) {
                // Each point reads its value first, then its altitude.
                const double value = ReadChartValue(values[m]);
                Add(p.curves[size_t(m)], altitude.get(), value);
            }
        }
    });
    return p;
}

TurnCurves ReadTurnCurves(const QStringList &rows)
{
    TurnCurves t;
    const QStringList speeds = rows.isEmpty() ? QStringList() : Fields(rows.at(0));
    std::vector<SharedValue> speedValues;
    speedValues.reserve(size_t(speeds.size()));
    for (int c = 0; c < speeds.size(); ++c)
        speedValues.emplace_back(Cell{speeds.at(c), 0, c});
    const auto readColumns = [&](SpeedCurve &curve, int row, const auto &readY) {
        const QStringList ys = Fields(rows.at(row), speeds.size());
        for (int c = 0; c < speeds.size(); ++c) {
            if (speeds.at(c).isEmpty() || ys.at(c).isEmpty())
                continue;
            const bool read = Keep(curve.failure, [&] {
                const double x = speedValues[size_t(c)].get();
                Add(curve.points, x, readY(Cell{ys.at(c), row, c}));
                curve.columns.push_back(c);
            });
            if (!read) {
                curve.failedColumn = c;
                return;
            }
        }
    };
    if (rows.size() < 2)
        t.climb.failure = MissingRow(int(rows.size()));
    else
        readColumns(t.climb, 1, ReadChartValue);
    for (int row : {0, 2, 3, 4, 5})
        if (row >= rows.size()) {
            t.missingTimeRow = MissingRow(row);
            break;
        }
    for (int flap = 0; flap < 4; ++flap) {
        const int row = 2 + flap;
        if (row >= rows.size()) {
            t.rates[size_t(flap)].failure = MissingRow(row);
            continue;
        }
        readColumns(t.times[size_t(flap)], row, ReadChartValue);
        readColumns(t.rates[size_t(flap)], row, ReadTurnRate);
    }
    return t;
}

ShownCurves ShownTurnTimes(const TurnCurves &turn, FlapSet shown)
{
    ShownCurves out;
    out.drawn = FlapSet::All();
    if (turn.missingTimeRow) {
        out.failure = turn.missingTimeRow;
        return out;
    }
    // The first failure in reading order: lowest column, then lowest setting.
    int stopColumn = std::numeric_limits<int>::max(), stopFlap = FlapSet::kSettings;
    for (int flap = 0; flap < FlapSet::kSettings; ++flap) {
        const SpeedCurve &c = turn.times[size_t(flap)];
        if (shown.Shows(flap) && c.failure && c.failedColumn < stopColumn) {
            stopColumn = c.failedColumn;
            stopFlap = flap;
            out.failure = c.failure;
        }
    }
    for (int flap = 0; flap < FlapSet::kSettings; ++flap) {
        if (!shown.Shows(flap))
            continue;
        const SpeedCurve &c = turn.times[size_t(flap)];
        for (size_t i = 0; i < c.columns.size(); ++i) {
            if (c.columns[i] > stopColumn || (c.columns[i] == stopColumn && flap > stopFlap))
                break;
            Add(out.curves[size_t(flap)], c.points.x[i], c.points.y[i]);
        }
    }
    return out;
}

ShownCurves ShownTurnRates(const TurnCurves &turn, FlapSet shown)
{
    ShownCurves out;
    for (int flap = 0; flap < FlapSet::kSettings; ++flap) {
        if (!shown.Shows(flap))
            continue;
        const SpeedCurve &c = turn.rates[size_t(flap)];
        if (c.failure && c.failedColumn < 0) {
            out.failure = c.failure;  // its row is missing: not drawn
            break;
        }
        out.drawn = out.drawn.With(flap);
        out.curves[size_t(flap)] = c.points;
        if (c.failure) {
            out.failure = c.failure;
            break;
        }
    }
    return out;
}
