#include "catalogue/curves.h"

#include "catalogue/chart_values.h"

#include <array>
#include <limits>
#include <optional>
#include <vector>

namespace {
void Add(CurvePoints &c, double x, double y)
{
    c.x.push_back(x);
    c.y.push_back(y);
}

// Room for n points at once, where a table gives at most n: one allocation each, not
// one per doubling.
void Reserve(CurvePoints &c, size_t n)
{
    c.x.reserve(n);
    c.y.reserve(n);
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

// A row's fields cut one by one as CutField cuts them, as views into the row, so a row
// of any length costs one pass and no copies: up to each tab, then a last field
// without one (empty when it is only white space), then empty fields for ever.
class FieldCursor {
public:
    explicit FieldCursor(QStringView row) : rest_(row) {}
    bool AtEnd() const { return rest_.isEmpty(); }
    QStringView Next()
    {
        const qsizetype tab = rest_.indexOf(u'\t');
        QStringView field = tab < 0 ? rest_ : rest_.first(tab);
        if (tab < 0 && field.trimmed().isEmpty())
            field = QStringView();
        rest_ = tab < 0 ? QStringView() : rest_.sliced(tab + 1);
        return field;
    }

private:
    QStringView rest_;
};

// A row the table lacks: "List index out of bounds (n)", carrying the row so the
// message names the aircraft and file that lack it.
ReadFailure MissingRow(int row) { return ListIndexError(row).InRow(row); }

// A value several points share (a row's altitude), read once: the same number every
// time it is asked for, or the same error.
class SharedValue {
public:
    explicit SharedValue(Cell at) : at_(at) {}
    double get()
    {
        if (!read_) {
            value_ = ReadChartValue(at_);  // a bad value raises its error each time
            read_ = true;
        }
        return value_;
    }

    const Cell &at() const { return at_; }

private:
    Cell at_;
    bool read_ = false;
    double value_ = 0;
};

// The fields of a row that several curves share (the turn table's speeds), each read
// once for all of them.
class SharedRow {
public:
    SharedRow(QStringView row, int r)
    {
        int c = 0;
        for (FieldCursor fields(row); !fields.AtEnd(); ++c)
            values_.emplace_back(Cell{fields.Next(), r, c});
    }
    int size() const { return int(values_.size()); }
    bool isEmpty(int c) const { return values_[size_t(c)].at().text.isEmpty(); }
    SharedValue &operator[](int c) { return values_[size_t(c)]; }

private:
    std::vector<SharedValue> values_;
};

// A speed row's five fields, cut as SplitSpeedRow cuts them, as views into the row:
// altitude, TAS at MAX, climb at MAX, TAS at 100 %, climb at 100 %.
std::array<QStringView, 5> SpeedFields(QStringView row)
{
    std::array<QStringView, 5> fields;
    FieldCursor cursor(row);
    for (QStringView &field : fields)
        field = cursor.Next();
    return fields;
}
// Reads the value at `at` only for its error, which goes to later.
void ReadForLater(LaterFailures &later, const Cell &at, double (*read)(const Cell &))
{
    ReadFailure failure;
    if (!Keep(failure, [&] { read(at); }))
        later.Add(*failure);
}
}  // namespace

void LaterFailures::Add(const VarnelError &error)
{
    if (errors.size() < size_t(kMaxLaterFailures))
        errors.push_back(error);
    else
        ++unlisted;
}

AltitudeProfiles ReadAltitudeProfiles(const QStringList &rows, LaterFailures *later)
{
    AltitudeProfiles p;
    for (CurvePoints &curve : p.curves)
        Reserve(curve, size_t(rows.size()));
    int stopRow = -1;
    Keep(p.failure, [&] {
        for (int r = 0; r < rows.size(); ++r) {
            const std::array<QStringView, 5> f = SpeedFields(rows.at(r));
            const Cell values[4] = {{f[3], r, 3}, {f[1], r, 1}, {f[4], r, 4}, {f[2], r, 2}};
            SharedValue altitude({f[0], r, 0});
            stopRow = r;
            for (int m = 0; m < 4; ++m) {
                // Each point reads its value first, then its altitude.
                const double value = ReadChartValue(values[m]);
                Add(p.curves[size_t(m)], altitude.get(), value);
            }
        }
    });
    if (!later || !p.failure)
        return p;
    // Every value from the row the reading stopped in, in the order of the row, but
    // for the one that stopped it.
    for (int r = stopRow; r < rows.size(); ++r) {
        const std::array<QStringView, 5> f = SpeedFields(rows.at(r));
        for (int c = 0; c < 5; ++c)
            if (!(r == p.failure->row() && c == p.failure->column()))
                ReadForLater(*later, {f[size_t(c)], r, c}, ReadChartValue);
    }
    return p;
}

TurnCurves ReadTurnCurves(const QStringList &rows, LaterFailures *later)
{
    TurnCurves t;
    // Column by column along the speeds (row 0) and row `row`, up to the first bad value;
    // for the check, on to the row's end, every bad value's error kept in later.
    // The speeds of row 0 are read once for the nine curves along them.
    std::optional<SharedRow> speeds;
    const auto readColumns = [&](SpeedCurve &curve, int row, double (*readY)(const Cell &)) {
        if (!speeds)
            speeds.emplace(rows.at(0), 0);
        FieldCursor ys(rows.at(row));
        Reserve(curve.points, size_t(speeds->size()));
        curve.columns.reserve(size_t(speeds->size()));
        for (int c = 0; c < speeds->size(); ++c) {
            const QStringView y = ys.Next();
            if (speeds->isEmpty(c) || y.isEmpty())
                continue;
            if (curve.failure) {
                ReadForLater(*later, (*speeds)[c].at(), ReadChartValue);
                ReadForLater(*later, {y, row, c}, readY);
                continue;
            }
            const bool read = Keep(curve.failure, [&] {
                const double x = (*speeds)[c].get();
                Add(curve.points, x, readY(Cell{y, row, c}));
                curve.columns.push_back(c);
            });
            if (!read) {
                curve.failedColumn = c;
                if (!later)
                    return;
                // The value the speed's failure kept the reading from.
                if (curve.failure->row() == 0)
                    ReadForLater(*later, {y, row, c}, readY);
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
        Reserve(out.curves[size_t(flap)], c.columns.size());
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
