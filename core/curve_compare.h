#pragma once
// Which of two curves is better where: two curves given as plain points compared along
// their common axis. Plain numbers only, so the verdict, the charts' shading and the
// tracker read the same answer.
//
// A curve is read as a function of its axis value (the altitude or the speed), whatever
// order its rows come in: its points taken in rising x, linear between neighbours. Where
// several points share an x, the first in point order gives the value there. A point
// whose x is not finite has no place and is left out; a point whose y is not finite
// breaks the line at its x (a gap).
#include <span>
#include <vector>

// A curve as its rows give it, in their order.
struct CurvePoints {
    std::vector<double> x, y;
};

// The curve's value at x, read as above: the value of its point at x, else linear
// between its neighbours in x; NaN outside the curve and in a gap. The same over two
// columns of values (the tracker reads a chart's series so).
double CurveValueAt(const CurvePoints &curve, double x);
double CurveValueAt(std::span<const double> x, std::span<const double> y, double at);

// The curve's best value (the highest, or the lowest when higherIsBetter is false) and
// where it is reached: the lowest such place. NaN for both when it has no value.
struct CurvePeak {
    double value, at;
};
CurvePeak CurveBest(const CurvePoints &curve, bool higherIsBetter);

// Every place where either curve has a point (a finite x), rising, each once: where
// CompareCurves looks.
std::vector<double> CurvePlaces(const CurvePoints &first, const CurvePoints &second);

// The curve along one stretch between two neighbouring places: whether it has a line
// there, and its values at the stretch's two ends.
struct StretchLine {
    bool spanned = false;
    double from = 0, to = 0;
};
// The curve along each stretch between neighbouring places of a rising run that holds
// all of the curve's places (one entry fewer than places): the lines CompareCurves
// compares. n log n in the curve's and the run's size.
std::vector<StretchLine> CurveOverStretches(const CurvePoints &curve, const std::vector<double> &places);

// Whether two values are even: their difference under evenUnder either way. The data
// hold whole thousandths, so the difference is counted in thousandths, and one that
// arithmetic left a hair from a whole thousandth counts as that thousandth: 20.2 against
// 20.1 differ by exactly 0.1, which is not under 0.1. Never overflows: 1e306 against 500
// is not even.
bool IsEven(double first, double second, double evenUnder);

enum class Lead { First, Second, Even, OnlyFirst, OnlySecond };

// One stretch of the axis and who leads along it.
struct LeadBand {
    double from = 0, to = 0;  // from < to; from == to only for a curve's lone point
    Lead lead = Lead::Even;
    // The second's value minus the first's (the one sign of every difference the verdict
    // gives), where the leader's advantage is greatest (First or Second), or where the
    // two differ most while even (Even). Only one curve: NaN.
    double largest = 0;
    double at = 0;  // where `largest` is reached (the lowest such place); NaN with it
};

// Compares the curves on the union of their places, each read as a function of x. Where
// both have a value, the difference decides (IsEven): even, else the better one leads
// (higher values better, or lower when higherIsBetter is false). Between places the
// difference is linear, and a band ends where it reaches the even limit (or zero). No
// band is finer than the rows it comes from: a compared band whose lead holds at none of
// the places in it is given to its neighbours (an even band between two leaders split
// where the difference is zero), and a lead that holds at a single place only makes no
// band. A curve's lone point (no line on either side) is compared where it stands, or is
// that curve's alone there: a band of no width. Where only one curve has values the band
// says so. Bands come in axis order; stretches where neither curve has values give none.
std::vector<LeadBand> CompareCurves(const CurvePoints &first, const CurvePoints &second, double evenUnder,
                                    bool higherIsBetter);

// The curve's values at a rising run of places, each as CurveValueAt reads it there: the
// curve is put in order once, then read in one pass (the ranking's leaders read every
// curve at every step of altitude or speed).
std::vector<double> CurveValuesAt(const CurvePoints &curve, const std::vector<double> &places);
