#include "core/curve_compare.h"

#include <algorithm>
#include <cmath>
#include <limits>
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
    std::vector<Piece> pieces;
    double from() const { return pieces.front().from; }
    double to() const { return pieces.back().to; }
    double width() const { return to() - from(); }
    // Whether at one of the rows it holds the lead is its own: a band with none would
    // be finer than the rows it comes from.
    bool Held(const Judge &judge) const
    {
        for (const Piece &p : pieces)
            if ((p.fromRow && judge(p.dFrom) == lead) || (p.toRow && judge(p.dTo) == lead))
                return true;
        return false;
    }
};

bool Compared(Lead lead) { return lead == Lead::First || lead == Lead::Second || lead == Lead::Even; }

// Whether band b and the one after it meet without a gap.
bool Meet(const Band &a, const Band &b) { return a.to() == b.from(); }

// Joins neighbours that meet and have the same lead.
void JoinAlike(std::vector<Band> &bands)
{
    std::vector<Band> out;
    for (Band &b : bands) {
        if (!out.empty() && out.back().lead == b.lead && Meet(out.back(), b))
            out.back().pieces.insert(out.back().pieces.end(), b.pieces.begin(), b.pieces.end());
        else
            out.push_back(std::move(b));
    }
    bands = std::move(out);
}

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

// The compared band that meets band i on the left (side -1) or right (+1), or null.
Band *Neighbour(std::vector<Band> &bands, size_t i, int side)
{
    const size_t j = i + size_t(side);
    if (j >= bands.size() || !Compared(bands[j].lead))
        return nullptr;
    return Meet(side < 0 ? bands[j] : bands[i], side < 0 ? bands[i] : bands[j]) ? &bands[j] : nullptr;
}
bool HasNeighbour(std::vector<Band> &bands, size_t i) { return Neighbour(bands, i, -1) || Neighbour(bands, i, +1); }

// Gives one compared band, which has a neighbour, to its neighbours.
void GiveAway(std::vector<Band> &bands, size_t i, double sign)
{
    Band *left = Neighbour(bands, i, -1);
    Band *right = Neighbour(bands, i, +1);
    Band &b = bands[i];
    if (b.lead == Lead::Even && left && right && left->lead != right->lead && left->lead != Lead::Even &&
        right->lead != Lead::Even) {
        // Between two leaders: the lead changes where the difference is zero (the pieces
        // are cut there).
        const double toLeft = left->lead == Lead::First ? sign : -sign;
        size_t cut = 0;
        while (cut < b.pieces.size() && toLeft * (b.pieces[cut].dFrom + b.pieces[cut].dTo) > 0)
            ++cut;
        left->pieces.insert(left->pieces.end(), b.pieces.begin(), b.pieces.begin() + long(cut));
        right->pieces.insert(right->pieces.begin(), b.pieces.begin() + long(cut), b.pieces.end());
        bands.erase(bands.begin() + long(i));
        return;
    }
    // Otherwise to the neighbour of the same lead on both sides, or to the wider one.
    Band *to = !right || (left && (left->lead == right->lead || left->width() >= right->width())) ? left : right;
    if (to == left)
        left->pieces.insert(left->pieces.end(), b.pieces.begin(), b.pieces.end());
    else
        right->pieces.insert(right->pieces.begin(), b.pieces.begin(), b.pieces.end());
    bands.erase(bands.begin() + long(i));
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

std::vector<LeadBand> CompareCurves(const CurvePoints &first, const CurvePoints &second, double evenUnder,
                                    bool higherIsBetter)
{
    // Every place where either curve has a point.
    std::vector<double> xs;
    for (const CurvePoints *c : {&first, &second})
        for (size_t i = 0; i < std::min(c->x.size(), c->y.size()); ++i)
            if (Finite(*c, i))
                xs.push_back(c->x[i]);
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());

    const double sign = higherIsBetter ? 1 : -1;
    const Judge judge{sign, evenUnder};
    std::vector<Piece> pieces;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        const double a = xs[i], b = xs[i + 1], mid = (a + b) / 2;
        // Between two neighbouring places each curve runs along one segment (or none).
        const int s1 = SegmentAt(first, mid), s2 = SegmentAt(second, mid);
        if (s1 >= 0 && s2 >= 0)
            AddCompared(pieces, a, b, OnSegment(first, s1, a) - OnSegment(second, s2, a),
                        OnSegment(first, s1, b) - OnSegment(second, s2, b), judge);
        else if (s1 >= 0 || s2 >= 0)
            pieces.push_back({a, b, s1 >= 0 ? Lead::OnlyFirst : Lead::OnlySecond, kNaN, kNaN, true, true});
    }

    std::vector<Band> bands;
    for (const Piece &p : pieces)
        bands.push_back({p.lead, {p}});
    JoinAlike(bands);
    // Bands held at no row go to their neighbours, the narrowest first; each step leaves
    // one band fewer, so this ends. One with no neighbour to go to stays.
    for (;;) {
        size_t narrowest = bands.size();
        for (size_t i = 0; i < bands.size(); ++i) {
            const Band &b = bands[i];
            if (Compared(b.lead) && !b.Held(judge) && HasNeighbour(bands, i) &&
                (narrowest == bands.size() || b.width() < bands[narrowest].width()))
                narrowest = i;
        }
        if (narrowest == bands.size())
            break;
        GiveAway(bands, narrowest, sign);
        JoinAlike(bands);
    }

    std::vector<LeadBand> out;
    for (const Band &b : bands)
        out.push_back(Summarise(b, sign));
    return out;
}
