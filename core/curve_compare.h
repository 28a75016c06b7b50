#pragma once
// Which of two curves is better where: two curves given as plain points (x, y in the
// order they are drawn) compared along their common axis. Plain numbers only, so the
// verdict and the charts' shading read the same answer.
#include <vector>

// A curve as drawn: points joined in this order. A point whose x or y is not finite
// breaks the line (a gap).
struct CurvePoints {
    std::vector<double> x, y;
};

// The curve's value at x as the tracker reads it: on the first segment in point order
// that spans x, linear between its two points; NaN where no segment spans x.
double CurveValueAt(const CurvePoints &curve, double x);

// Every place where either curve has a point (both coordinates finite), rising, each
// once: where CompareCurves looks.
std::vector<double> CurvePlaces(const CurvePoints &first, const CurvePoints &second);

// The curve along one stretch between two neighbouring places: whether a segment spans
// it, and that segment's values at the stretch's two ends.
struct StretchLine {
    bool spanned = false;
    double from = 0, to = 0;
};
// The curve along each stretch between neighbouring places of a rising run (one entry
// fewer than places), on the first segment in point order that spans the stretch: the
// lines CompareCurves compares. Linear in the curve's and the run's size (n log n).
std::vector<StretchLine> CurveOverStretches(const CurvePoints &curve, const std::vector<double> &places);

// Whether a difference is even: under evenUnder either way. A difference a hair under
// the limit through rounding (20.2 - 20.1 comes out as 0.0999...) counts as the limit.
bool IsEven(double difference, double evenUnder);

enum class Lead { First, Second, Even, OnlyFirst, OnlySecond };

// One stretch of the axis and who leads along it.
struct LeadBand {
    double from = 0, to = 0;  // from < to
    Lead lead = Lead::Even;
    // First or Second: the leader's greatest advantage, its value minus the other's
    // (negative where lower is better). Even: the first's value minus the second's
    // where they differ most. Only one curve: NaN.
    double largest = 0;
    double at = 0;  // where `largest` is reached (the lowest such place); NaN with it
};

// Compares the curves on the union of their points, each read linearly between its
// neighbours. Where both have a value, the difference decides: under evenUnder either
// way is Even, else the better one leads (higher values better, or lower when
// higherIsBetter is false). Band ends where the lead changes are placed where the
// difference reaches evenUnder (or zero), by interpolation. No band is finer than the
// rows it comes from: a compared band whose lead holds at none of the rows in it (the
// even sliver about a crossing) is given to its neighbours, an even band between two
// leaders split where the difference is zero. Where only one curve has values the
// band says so. Bands come in axis order; stretches where neither curve has values
// give none.
std::vector<LeadBand> CompareCurves(const CurvePoints &first, const CurvePoints &second, double evenUnder,
                                    bool higherIsBetter);
