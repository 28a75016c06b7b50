#include "core/curve_compare.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>
#include <tuple>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A difference counted in thousandths of the data's unit. Wide enough that no
// difference of two finite values overflows, and that whole thousandths of the data
// stay whole.
using Thousandths = long double;

// a - b in thousandths; one within a millionth of a whole thousandth is that thousandth
// (the data hold whole thousandths; reading between rows leaves such hairs).
Thousandths Difference(double a, double b)
{
    const Thousandths d = (Thousandths(a) - Thousandths(b)) * 1000;
    const Thousandths whole = std::round(d);
    return std::abs(d - whole) < 1e-6L ? whole : d;
}

Thousandths Limit(double evenUnder) { return std::round(Thousandths(evenUnder) * 1000); }

// The value at x on the line from (x0, y0) to (x1, y1); NaN where either end is a gap.
double Between(double x0, double y0, double x1, double y1, double x)
{
    if (!std::isfinite(y0) || !std::isfinite(y1))
        return kNaN;
    return x == x0 ? y0 : x == x1 ? y1 : std::lerp(y0, y1, (x - x0) / (x1 - x0));
}

// A curve as a function of x: its places rising, each once, with the value of the first
// point there in point order (not finite: a gap).
struct Function {
    std::vector<double> x, y;
};

// Whether a curve is a function already, its places finite and rising (most are).
bool IsFunction(const CurvePoints &c)
{
    const size_t n = std::min(c.x.size(), c.y.size());
    for (size_t i = 0; i < n; ++i)
        if (!std::isfinite(c.x[i]) || (i > 0 && !(c.x[i - 1] < c.x[i])))
            return false;
    return true;
}

Function AsFunction(const CurvePoints &c)
{
    const size_t n = std::min(c.x.size(), c.y.size());
    if (IsFunction(c))
        return {{c.x.begin(), c.x.begin() + std::ptrdiff_t(n)}, {c.y.begin(), c.y.begin() + std::ptrdiff_t(n)}};
    std::vector<size_t> order;
    for (size_t i = 0; i < n; ++i)
        if (std::isfinite(c.x[i]))
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return c.x[a] < c.x[b]; });
    Function f;
    for (size_t i : order)
        if (f.x.empty() || f.x.back() != c.x[i]) {
            f.x.push_back(c.x[i]);
            f.y.push_back(c.y[i]);
        }
    return f;
}

// The function's values at a rising run of places (NaN where it has none).
std::vector<double> ValuesAt(std::span<const double> x, std::span<const double> y, const std::vector<double> &places)
{
    std::vector<double> out(places.size(), kNaN);
    size_t j = 0;
    for (size_t i = 0; i < places.size(); ++i) {
        const double p = places[i];
        while (j < x.size() && x[j] < p)
            ++j;
        if (j < x.size() && x[j] == p)
            out[i] = std::isfinite(y[j]) ? y[j] : kNaN;
        else if (j > 0 && j < x.size())
            out[i] = Between(x[j - 1], y[j - 1], x[j], y[j], p);
    }
    return out;
}
std::vector<double> ValuesAt(const Function &f, const std::vector<double> &places) { return ValuesAt(f.x, f.y, places); }

// A stretch between two neighbouring places of the axis (or one place, for a lone
// point): who leads there, the difference (first minus second, in thousandths) at both
// ends, and whether each end is a place.
struct Piece {
    double from, to;
    Lead lead;
    Thousandths dFrom, dTo;
    bool fromRow, toRow;
};

// Who leads where the difference is d (in thousandths).
struct Judge {
    double sign;
    Thousandths evenUnder;
    Lead operator()(Thousandths d) const
    {
        return d == 0 || std::abs(d) < evenUnder ? Lead::Even : sign * d > 0 ? Lead::First : Lead::Second;
    }
};

// A band: a run of neighbouring pieces [lo, hi) that share a lead. Bands only grow
// into their neighbours, so each stays one run of pieces in axis order.
struct Band {
    Lead lead;
    size_t lo, hi;
    bool held = false;  // the lead is its own at one of its rows
    int prev = -1, next = -1;
    bool alive = true;
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
    BandList(const std::vector<Piece> &pieces, const Judge &judge) : pieces_(pieces), judge_(judge)
    {
        for (size_t k = 0; k < pieces.size(); ++k) {
            const Piece &p = pieces[k];
            if (!bands_.empty() && bands_.back().lead == p.lead && To(bands_.back()) == p.from) {
                Take(int(bands_.size()) - 1, k, k + 1);
                continue;
            }
            Band b{p.lead, k, k + 1};
            b.held = HoldsAtRow(p, p.lead, judge);
            b.prev = int(bands_.size()) - 1;
            if (b.prev >= 0)
                bands_[size_t(b.prev)].next = int(bands_.size());
            bands_.push_back(b);
        }
    }

    // Gives away the unheld bands that have a neighbour, the narrowest first. Each step
    // leaves one band fewer, so this ends.
    void GiveAwayUnheld()
    {
        using Entry = std::pair<double, int>;
        std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
        for (size_t i = 0; i < bands_.size(); ++i)
            queue.push({Width(bands_[i]), int(i)});
        while (!queue.empty()) {
            const auto [width, i] = queue.top();
            queue.pop();
            Band &b = bands_[size_t(i)];
            if (!b.alive || Width(b) != width || b.held || !Compared(b.lead))
                continue;
            const int left = Neighbour(i, b.prev), right = Neighbour(i, b.next);
            if (left < 0 && right < 0)
                continue;
            for (int changed : GiveAway(i, left, right))
                if (bands_[size_t(changed)].alive)
                    queue.push({Width(bands_[size_t(changed)]), changed});
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

    double From(const Band &b) const { return pieces_[b.lo].from; }
    double To(const Band &b) const { return pieces_[b.hi - 1].to; }
    double Width(const Band &b) const { return To(b) - From(b); }

private:
    // The compared band at j that meets band i, or -1.
    int Neighbour(int i, int j) const
    {
        if (j < 0 || !Compared(bands_[size_t(j)].lead))
            return -1;
        const Band &a = bands_[size_t(std::min(i, j))], &b = bands_[size_t(std::max(i, j))];
        return To(a) == From(b) ? j : -1;
    }

    // Band i takes the pieces [lo, hi), which meet it at its end or its front.
    void Take(int i, size_t lo, size_t hi)
    {
        Band &b = bands_[size_t(i)];
        for (size_t k = lo; k < hi; ++k)
            b.held = b.held || HoldsAtRow(pieces_[k], b.lead, judge_);
        b.lo = std::min(b.lo, lo);
        b.hi = std::max(b.hi, hi);
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
        const Band b = bands_[size_t(i)];
        const Lead l = left >= 0 ? bands_[size_t(left)].lead : Lead::Even, r = right >= 0 ? bands_[size_t(right)].lead : Lead::Even;
        Unlink(i);
        if (b.lead == Lead::Even && left >= 0 && right >= 0 && l != r && l != Lead::Even && r != Lead::Even) {
            // Between two leaders: the lead changes where the difference is zero (the
            // pieces are cut there).
            const double toLeft = l == Lead::First ? judge_.sign : -judge_.sign;
            size_t cut = b.lo;
            while (cut < b.hi && toLeft * (pieces_[cut].dFrom + pieces_[cut].dTo) > 0)
                ++cut;
            Take(left, b.lo, cut);
            Take(right, cut, b.hi);
            return {left, right};
        }
        // Otherwise to the neighbour of the same lead on both sides, or to the wider one.
        const bool toLeft = right < 0 || (left >= 0 && (l == r || Width(bands_[size_t(left)]) >= Width(bands_[size_t(right)])));
        Take(toLeft ? left : right, b.lo, b.hi);
        if (left >= 0 && right >= 0 && l == r) {
            // The two neighbours now meet with the same lead: one band.
            Take(left, bands_[size_t(right)].lo, bands_[size_t(right)].hi);
            Unlink(right);
        }
        return {toLeft ? left : right};
    }

    const std::vector<Piece> &pieces_;
    Judge judge_;
    std::vector<Band> bands_;
};

// Splits the stretch [a, b] (difference dA to dB, first minus second) where the
// difference passes the even limits and zero.
void AddCompared(std::vector<Piece> &pieces, double a, double b, Thousandths dA, Thousandths dB, const Judge &judge)
{
    std::vector<double> cuts{a};
    for (Thousandths level : {-judge.evenUnder, Thousandths(0), judge.evenUnder})
        if ((dA < level && level < dB) || (dB < level && level < dA))
            cuts.push_back(double(a + (b - a) * ((level - dA) / (dB - dA))));
    std::sort(cuts.begin() + 1, cuts.end());
    cuts.push_back(b);
    const auto d = [&](double x) { return dA + (dB - dA) * ((Thousandths(x) - a) / (b - a)); };
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double from = cuts[i], to = cuts[i + 1];
        if (!(from < to))
            continue;
        const bool first = i == 0, last = i + 2 == cuts.size();
        pieces.push_back({from, to, judge(d((from + to) / 2)), first ? dA : d(from), last ? dB : d(to), first, last});
    }
}

LeadBand Summarise(const BandList &list, const Band &b, const std::vector<Piece> &pieces, const Judge &judge)
{
    LeadBand out{list.From(b), list.To(b), b.lead, kNaN, kNaN};
    if (!Compared(b.lead))
        return out;
    // The difference is linear between places, so its extremes lie at places or at band
    // ends. Places where the band's lead holds come first, then other places, then ends.
    // Every place of an even band counts as its own: one where the difference reaches
    // the limit exactly is even ground the band took in.
    int bestTier = -1;
    Thousandths bestScore = 0;
    for (size_t k = b.lo; k < b.hi; ++k) {
        const Piece &p = pieces[k];
        for (const auto &[x, d, row] : {std::tuple{p.from, p.dFrom, p.fromRow}, std::tuple{p.to, p.dTo, p.toRow}}) {
            const int tier = row ? (b.lead == Lead::Even || judge(d) == b.lead ? 2 : 1) : 0;
            const Thousandths score = b.lead == Lead::Even ? std::abs(d) : b.lead == Lead::First ? judge.sign * d : -judge.sign * d;
            if (tier > bestTier || (tier == bestTier && score > bestScore)) {
                bestTier = tier;
                bestScore = score;
                out.at = x;
                out.largest = double(-d / 1000);
            }
        }
    }
    return out;
}
}  // namespace

bool IsEven(double first, double second, double evenUnder)
{
    const Thousandths d = Difference(first, second);
    return d == 0 || std::abs(d) < Limit(evenUnder);
}

double CurveValueAt(const CurvePoints &curve, double x)
{
    const size_t n = std::min(curve.x.size(), curve.y.size());
    return CurveValueAt(std::span(curve.x.data(), n), std::span(curve.y.data(), n), x);
}

double CurveValueAt(std::span<const double> x, std::span<const double> y, double at)
{
    // The point at `at` (the first there), else its neighbours in x: the nearest below
    // and above, each the first of its place. One pass, no sorting: the tracker reads
    // long curves at every mouse move.
    const size_t n = std::min(x.size(), y.size());
    size_t below = n, above = n;
    for (size_t i = 0; i < n; ++i) {
        if (!std::isfinite(x[i]))
            continue;
        if (x[i] == at)
            return std::isfinite(y[i]) ? y[i] : kNaN;
        if (x[i] < at && (below == n || x[i] > x[below]))
            below = i;
        if (x[i] > at && (above == n || x[i] < x[above]))
            above = i;
    }
    return below == n || above == n ? kNaN : Between(x[below], y[below], x[above], y[above], at);
}

CurvePeak CurveBest(const CurvePoints &curve, bool higherIsBetter)
{
    const Function f = AsFunction(curve);
    CurvePeak best{kNaN, kNaN};
    for (size_t i = 0; i < f.x.size(); ++i)
        if (std::isfinite(f.y[i]) && (std::isnan(best.value) || (higherIsBetter ? f.y[i] > best.value : f.y[i] < best.value)))
            best = {f.y[i], f.x[i]};
    return best;
}

std::vector<double> CurvePlaces(const CurvePoints &first, const CurvePoints &second)
{
    std::vector<double> xs;
    for (const CurvePoints *c : {&first, &second})
        for (size_t i = 0; i < std::min(c->x.size(), c->y.size()); ++i)
            if (std::isfinite(c->x[i]))
                xs.push_back(c->x[i]);
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    return xs;
}

std::vector<StretchLine> CurveOverStretches(const CurvePoints &curve, const std::vector<double> &places)
{
    // Every place of the curve is one of `places`, so between two neighbouring places it
    // runs along one line, or has none where either end has no value.
    const std::vector<double> v = ValuesAt(AsFunction(curve), places);
    std::vector<StretchLine> out(places.empty() ? 0 : places.size() - 1);
    for (size_t i = 0; i < out.size(); ++i)
        if (std::isfinite(v[i]) && std::isfinite(v[i + 1]))
            out[i] = {true, v[i], v[i + 1]};
    return out;
}

std::vector<LeadBand> CompareCurves(const CurvePoints &first, const CurvePoints &second, double evenUnder,
                                    bool higherIsBetter)
{
    const std::vector<double> xs = CurvePlaces(first, second);
    const Judge judge{higherIsBetter ? 1.0 : -1.0, Limit(evenUnder)};
    const std::vector<double> value[2] = {ValuesAt(AsFunction(first), xs), ValuesAt(AsFunction(second), xs)};
    // Every place of either curve is a place, so a curve has a line between two
    // neighbouring places where it has a value at both.
    const auto spans = [&](int c, size_t stretch) {
        return stretch + 1 < xs.size() && std::isfinite(value[c][stretch]) && std::isfinite(value[c][stretch + 1]);
    };
    std::vector<Piece> pieces;
    for (size_t i = 0; i < xs.size(); ++i) {
        const bool has[2] = {std::isfinite(value[0][i]), std::isfinite(value[1][i])};
        const auto lone = [&](int c) { return has[c] && !spans(c, i) && !(i > 0 && spans(c, i - 1)); };
        // A lone point: compared where it stands, or its curve's alone there.
        if (lone(0) || lone(1)) {
            if (has[0] && has[1]) {
                const Thousandths d = Difference(value[0][i], value[1][i]);
                pieces.push_back({xs[i], xs[i], judge(d), d, d, true, true});
            } else {
                pieces.push_back({xs[i], xs[i], has[0] ? Lead::OnlyFirst : Lead::OnlySecond, 0, 0, true, true});
            }
        }
        if (i + 1 == xs.size())
            break;
        const double a = xs[i], b = xs[i + 1];
        if (spans(0, i) && spans(1, i))
            AddCompared(pieces, a, b, Difference(value[0][i], value[1][i]), Difference(value[0][i + 1], value[1][i + 1]), judge);
        else if (spans(0, i) || spans(1, i))
            pieces.push_back({a, b, spans(0, i) ? Lead::OnlyFirst : Lead::OnlySecond, 0, 0, true, true});
    }

    BandList bands(pieces, judge);
    bands.GiveAwayUnheld();

    std::vector<LeadBand> out;
    for (const Band *b : bands.InOrder())
        out.push_back(Summarise(bands, *b, pieces, judge));
    return out;
}

std::vector<double> CurveValuesAt(const CurvePoints &curve, const std::vector<double> &places)
{
    const size_t n = std::min(curve.x.size(), curve.y.size());
    if (IsFunction(curve))  // read where it lies, not copied
        return ValuesAt(std::span(curve.x.data(), n), std::span(curve.y.data(), n), places);
    return ValuesAt(AsFunction(curve), places);
}
