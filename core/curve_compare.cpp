#include "core/curve_compare.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <limits>
#include <queue>
#include <tuple>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool Finite(const CurvePoints &c, size_t i) { return std::isfinite(c.x[i]) && std::isfinite(c.y[i]); }

// The first segment in point order whose ends lie strictly either side of x, or -1.
int SegmentAt(const CurvePoints &c, double x)
{
    const size_t n = std::min(c.x.size(), c.y.size());
    for (size_t i = 0; i + 1 < n; ++i) {
        if (!Finite(c, i) || !Finite(c, i + 1))
            continue;
        const double lo = std::min(c.x[i], c.x[i + 1]), hi = std::max(c.x[i], c.x[i + 1]);
        if (lo < x && x < hi)
            return int(i);
    }
    return -1;
}

// The first segment in point order that spans each of a rising run of places: segments
// enter by their low end and leave for good once a place passes their high end, so a
// whole curve is swept in n log n, however long.
class SegmentSweep {
public:
    explicit SegmentSweep(const CurvePoints &c) : c_(c)
    {
        for (size_t i = 0; i + 1 < std::min(c.x.size(), c.y.size()); ++i)
            if (Finite(c, i) && Finite(c, i + 1) && c.x[i] != c.x[i + 1])
                byLow_.push_back(int(i));
        std::stable_sort(byLow_.begin(), byLow_.end(), [&](int a, int b) { return Low(a) < Low(b); });
    }
    int At(double x)
    {
        while (next_ < byLow_.size() && Low(byLow_[next_]) < x)
            live_.push(byLow_[next_++]);
        while (!live_.empty() && High(live_.top()) <= x)
            live_.pop();
        return live_.empty() ? -1 : live_.top();
    }

private:
    double Low(int i) const { return std::min(c_.x[size_t(i)], c_.x[size_t(i) + 1]); }
    double High(int i) const { return std::max(c_.x[size_t(i)], c_.x[size_t(i) + 1]); }
    const CurvePoints &c_;
    std::vector<int> byLow_;
    size_t next_ = 0;
    std::priority_queue<int, std::vector<int>, std::greater<int>> live_;
};

// The value at x on the line through segment s.
double OnSegment(const CurvePoints &c, int s, double x)
{
    const double x0 = c.x[size_t(s)], x1 = c.x[size_t(s) + 1], y0 = c.y[size_t(s)], y1 = c.y[size_t(s) + 1];
    if (x == x0)
        return y0;
    if (x == x1)
        return y1;
    return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

// A stretch between two neighbouring places of the axis: who leads there, the
// difference (first minus second) at both ends, and whether each end is a row.
struct Piece {
    double from, to;
    Lead lead;
    double dFrom, dTo;
    bool fromRow, toRow;
};

// Who leads where the difference is d.
struct Judge {
    double sign, evenUnder;
    Lead operator()(double d) const
    {
        return IsEven(d, evenUnder) ? Lead::Even : sign * d > 0 ? Lead::First : Lead::Second;
    }
};

struct Band {
    Lead lead;
    std::deque<Piece> pieces;
    bool held = false;  // the lead is its own at one of its rows
    int prev = -1, next = -1;
    bool alive = true;
    double from() const { return pieces.front().from; }
    double to() const { return pieces.back().to; }
    double width() const { return to() - from(); }
};

bool Compared(Lead lead) { return lead == Lead::First || lead == Lead::Second || lead == Lead::Even; }

// Whether the piece holds lead at one of its ends that is a row.
bool HoldsAtRow(const Piece &p, Lead lead, const Judge &judge)
{
    return (p.fromRow && judge(p.dFrom) == lead) || (p.toRow && judge(p.dTo) == lead);
}

// The bands in axis order, linked both ways. A band whose lead holds at none of its
// rows would be finer than the rows it comes from: it goes to its neighbours.
class BandList {
public:
    BandList(const std::vector<Piece> &pieces, const Judge &judge) : judge_(judge)
    {
        bands_.reserve(pieces.size());  // bands are never copied as the list grows
        for (const Piece &p : pieces) {
            if (!bands_.empty() && bands_.back().lead == p.lead && bands_.back().to() == p.from) {
                Band &last = bands_.back();  // one piece more, without a list of one made for it
                last.held = last.held || HoldsAtRow(p, last.lead, judge);
                last.pieces.push_back(p);
                continue;
            }
            Band b{p.lead, {p}};
            b.held = HoldsAtRow(p, p.lead, judge);
            b.prev = int(bands_.size()) - 1;
            if (b.prev >= 0)
                bands_[size_t(b.prev)].next = int(bands_.size());
            bands_.push_back(std::move(b));
        }
    }

    // Gives away the unheld bands that have a neighbour, the narrowest first. Each step
    // leaves one band fewer, so this ends.
    void GiveAwayUnheld()
    {
        using Entry = std::pair<double, int>;
        std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
        for (size_t i = 0; i < bands_.size(); ++i)
            queue.push({bands_[i].width(), int(i)});
        while (!queue.empty()) {
            const auto [width, i] = queue.top();
            queue.pop();
            Band &b = bands_[size_t(i)];
            if (!b.alive || b.width() != width || b.held || !Compared(b.lead))
                continue;
            const int left = Neighbour(i, b.prev), right = Neighbour(i, b.next);
            if (left < 0 && right < 0)
                continue;
            for (int changed : GiveAway(i, left, right))
                if (bands_[size_t(changed)].alive)
                    queue.push({bands_[size_t(changed)].width(), changed});
        }
    }

    std::vector<const Band *> InOrder() const
    {
        std::vector<const Band *> out;
        int first = 0;
        while (first < int(bands_.size()) && !bands_[size_t(first)].alive)
            ++first;
        for (int i = first < int(bands_.size()) ? first : -1; i >= 0; i = bands_[size_t(i)].next)
            out.push_back(&bands_[size_t(i)]);
        return out;
    }

private:
    // The compared band at j that meets band i, or -1.
    int Neighbour(int i, int j) const
    {
        if (j < 0 || !Compared(bands_[size_t(j)].lead))
            return -1;
        const Band &a = bands_[size_t(std::min(i, j))], &b = bands_[size_t(std::max(i, j))];
        return a.to() == b.from() ? j : -1;
    }

    // Band i takes the pieces, at its end or its front.
    void Take(int i, const std::deque<Piece> &pieces, bool front)
    {
        Band &b = bands_[size_t(i)];
        for (const Piece &p : pieces)
            b.held = b.held || HoldsAtRow(p, b.lead, judge_);
        if (front)
            b.pieces.insert(b.pieces.begin(), pieces.begin(), pieces.end());
        else
            b.pieces.insert(b.pieces.end(), pieces.begin(), pieces.end());
    }

    void Unlink(int i)
    {
        Band &b = bands_[size_t(i)];
        b.alive = false;
        if (b.prev >= 0)
            bands_[size_t(b.prev)].next = b.next;
        if (b.next >= 0)
            bands_[size_t(b.next)].prev = b.prev;
    }

    // Band i goes to its neighbours; gives the bands that changed.
    std::vector<int> GiveAway(int i, int left, int right)
    {
        Band &b = bands_[size_t(i)];
        const Lead l = left >= 0 ? bands_[size_t(left)].lead : Lead::Even, r = right >= 0 ? bands_[size_t(right)].lead : Lead::Even;
        if (b.lead == Lead::Even && left >= 0 && right >= 0 && l != r && l != Lead::Even && r != Lead::Even) {
            // Between two leaders: the lead changes where the difference is zero (the
            // pieces are cut there).
            const double toLeft = l == Lead::First ? judge_.sign : -judge_.sign;
            auto cut = b.pieces.begin();
            while (cut != b.pieces.end() && toLeft * (cut->dFrom + cut->dTo) > 0)
                ++cut;
            Take(left, std::deque<Piece>(b.pieces.begin(), cut), false);
            Take(right, std::deque<Piece>(cut, b.pieces.end()), true);
            Unlink(i);
            return {left, right};
        }
        // Otherwise to the neighbour of the same lead on both sides, or to the wider one.
        const bool toLeft = right < 0 || (left >= 0 && (l == r || bands_[size_t(left)].width() >= bands_[size_t(right)].width()));
        Take(toLeft ? left : right, b.pieces, !toLeft);
        Unlink(i);
        if (left >= 0 && right >= 0 && l == r) {
            // The two neighbours now meet with the same lead: one band.
            Take(left, bands_[size_t(right)].pieces, false);
            Unlink(right);
        }
        return {toLeft ? left : right};
    }

    Judge judge_;
    std::vector<Band> bands_;
};

// Splits the stretch [a, b] (difference dA to dB, signed so that positive favours the
// first) where the difference passes the even limits and zero.
void AddCompared(std::vector<Piece> &pieces, double a, double b, double dA, double dB, const Judge &judge)
{
    const double even = judge.evenUnder * (1 - 1e-9);  // where IsEven ends
    std::vector<double> cuts{a};
    const double eA = judge.sign * dA, eB = judge.sign * dB;
    for (double level : {-even, 0.0, even}) {
        if ((eA - level) * (eB - level) < 0)
            cuts.push_back(a + (b - a) * (level - eA) / (eB - eA));
    }
    std::sort(cuts.begin() + 1, cuts.end());
    cuts.push_back(b);
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double from = cuts[i], to = cuts[i + 1];
        if (!(from < to))
            continue;
        const auto d = [&](double x) { return dA + (dB - dA) * (x - a) / (b - a); };
        pieces.push_back({from, to, judge(d((from + to) / 2)), d(from), d(to), i == 0, i + 2 == cuts.size()});
    }
}

LeadBand Summarise(const Band &b, double sign)
{
    LeadBand out{b.from(), b.to(), b.lead, kNaN, kNaN};
    if (!Compared(b.lead))
        return out;
    // The difference is linear between places, so its extremes lie at rows or at band
    // ends, where it is only the even limit: the rows decide (the ends when no row).
    bool rows = false;
    for (const Piece &p : b.pieces)
        rows = rows || p.fromRow || p.toRow;
    double best = -std::numeric_limits<double>::infinity();
    for (const Piece &p : b.pieces) {
        for (const auto &[x, d, row] : {std::tuple{p.from, p.dFrom, p.fromRow}, std::tuple{p.to, p.dTo, p.toRow}}) {
            if (rows && !row)
                continue;
            const double score = b.lead == Lead::Even ? std::abs(d) : b.lead == Lead::First ? sign * d : -sign * d;
            if (score > best) {
                best = score;
                out.at = x;
                out.largest = b.lead == Lead::Second ? -d : d;
            }
        }
    }
    return out;
}
}  // namespace

bool IsEven(double difference, double evenUnder) { return std::abs(difference) < evenUnder * (1 - 1e-9); }

double CurveValueAt(const CurvePoints &curve, double x)
{
    const int s = SegmentAt(curve, x);
    if (s >= 0)
        return OnSegment(curve, s, x);
    // On a point itself: the first finite point there (a segment's end or a lone point).
    const size_t n = std::min(curve.x.size(), curve.y.size());
    for (size_t i = 0; i < n; ++i)
        if (Finite(curve, i) && curve.x[i] == x)
            return curve.y[i];
    return kNaN;
}

std::vector<double> CurvePlaces(const CurvePoints &first, const CurvePoints &second)
{
    std::vector<double> xs;
    for (const CurvePoints *c : {&first, &second})
        for (size_t i = 0; i < std::min(c->x.size(), c->y.size()); ++i)
            if (Finite(*c, i))
                xs.push_back(c->x[i]);
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    return xs;
}

std::vector<StretchLine> CurveOverStretches(const CurvePoints &curve, const std::vector<double> &places)
{
    std::vector<StretchLine> out(places.empty() ? 0 : places.size() - 1);
    SegmentSweep sweep(curve);
    for (size_t i = 0; i < out.size(); ++i) {
        // Between two neighbouring places the curve runs along one segment (or none).
        const int s = sweep.At((places[i] + places[i + 1]) / 2);
        if (s >= 0)
            out[i] = {true, OnSegment(curve, s, places[i]), OnSegment(curve, s, places[i + 1])};
    }
    return out;
}

std::vector<LeadBand> CompareCurves(const CurvePoints &first, const CurvePoints &second, double evenUnder,
                                    bool higherIsBetter)
{
    const std::vector<double> xs = CurvePlaces(first, second);
    const double sign = higherIsBetter ? 1 : -1;
    const Judge judge{sign, evenUnder};
    std::vector<Piece> pieces;
    const std::vector<StretchLine> line1 = CurveOverStretches(first, xs), line2 = CurveOverStretches(second, xs);
    for (size_t i = 0; i < line1.size(); ++i) {
        const double a = xs[i], b = xs[i + 1];
        const StretchLine &l1 = line1[i], &l2 = line2[i];
        if (l1.spanned && l2.spanned)
            AddCompared(pieces, a, b, l1.from - l2.from, l1.to - l2.to, judge);
        else if (l1.spanned || l2.spanned)
            pieces.push_back({a, b, l1.spanned ? Lead::OnlyFirst : Lead::OnlySecond, kNaN, kNaN, true, true});
    }

    BandList bands(pieces, judge);
    bands.GiveAwayUnheld();

    std::vector<LeadBand> out;
    for (const Band *b : bands.InOrder())
        out.push_back(Summarise(*b, sign));
    return out;
}
