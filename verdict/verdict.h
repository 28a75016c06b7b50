#pragma once
// The verdict: which of two aircraft is better, and where. Their paired curves, read
// exactly as the charts draw them, compared band by band; their best figures; their
// summary values and their speed and climb at every 1,000 m. Plain data, no widgets:
// the verdict page and the command line write it out.
#include "catalogue/aircraft.h"
#include "core/curve_compare.h"
#include "core/flap_set.h"
#include "core/measures.h"

#include <QString>

#include <array>
#include <vector>

// One aircraft's curves as the charts draw them: the altitude profiles (x altitude,
// y value), climb at constant speed, and per flap setting the full-turn times and turn
// rates by speed (empty for a hidden setting).
struct CraftCurves {
    std::array<CurvePoints, kMeasures> curves;   // by measure, those compared once
    std::array<CurvePoints, 4> turnTime, turnRate;
    const CurvePoints &Of(Measure m, int flap) const;
};
// The aircraft's curves at these flap settings; raises the error the window would show
// for them (the first in the order the charts read), saying where its value stands.
CraftCurves CurvesOf(const Aircraft &aircraft, FlapSet shown);

// One compared pair: its measure, its flap setting (0 to 3; -1 for the others) and
// its bands.
struct PairVerdict {
    Measure measure;
    int flap = -1;
    std::vector<LeadBand> bands;
};

// 1 or 2: the aircraft whose value is better, by the rule given, by more than the even
// limit; 0 where the two are even or either value is missing. Every cell the verdict
// favours is decided here.
int Winner(double first, double second, bool higherIsBetter, double evenUnder);

// An aircraft's best value of a measure and where it is reached (altitude or speed);
// NaN when it has none. Lowest full-turn time, highest of the others; the lowest place
// on equal values (CurveBest). wins: better than the other aircraft's (Winner).
struct BestFigure {
    Measure measure;
    int flap = -1;
    double value, at;
    bool wins = false;
};

// One summary value of both aircraft side by side, and the one it favours (1 or 2; 0
// where the value only informs or the two are even).
struct SummaryPair {
    std::array<SummaryValue, 2> values;
    int winner = 0;
};

// One altitude measure at one altitude: both aircraft's values (NaN where a curve does
// not reach it) and the one it favours.
struct AltitudeCell {
    Measure measure;
    std::array<double, 2> values;
    int winner = 0;
};
struct AltitudeRow {
    double altitude;
    std::vector<AltitudeCell> cells;  // AltitudeMeasures(), in their order
};
// The measures the altitude table reads at every step: those along the altitude that
// are compared once, not per flap setting, in the verdict's order.
std::vector<Measure> AltitudeMeasures();

// One altitude measure's curve of each aircraft.
struct AltitudeCurves {
    Measure measure;
    std::array<CurvePoints, 2> curves;
};

struct Verdict {
    std::array<QString, 2> names;     // empty where no aircraft is chosen
    std::array<bool, 2> present{false, false};
    FlapSet flaps = FlapSet::NoFlaps();
    std::vector<PairVerdict> pairs;   // measures in order, turn settings in flap order
    std::array<std::vector<BestFigure>, 2> best;        // both in the same order
    std::array<std::vector<SummaryValue>, 2> summary;   // the aircraft's own; empty for a missing aircraft
    // The summary values both aircraft have, paired by key, in the first one's order;
    // none unless both are there.
    std::vector<SummaryPair> summaryPairs;
    // The altitude measures' curves, read at the altitudes of the table; none unless
    // both aircraft are there.
    std::vector<AltitudeCurves> byAltitude;
};

// The altitude table's step: the round value of the shown unit nearest 1,000 m (1,000 m,
// 2,000 ft), in that unit.
double AltitudeStep(UnitSystem units);
// The values of the altitude measures at every step of the shown unit over both
// aircraft's common range (none when either is missing), lowest first, each cell
// decided.
std::vector<AltitudeRow> AltitudeRows(const Verdict &v, UnitSystem units);

// The verdict of the two aircraft (either may be null) at these flap settings, from
// their values alone: nothing is read or parsed again.
Verdict ComputeVerdict(const Aircraft *first, const Aircraft *second, FlapSet shown);
// The same from curves already read (names empty where an aircraft is missing).
Verdict CompareCrafts(const std::array<QString, 2> &names, const std::array<const CraftCurves *, 2> &curves,
                      const std::array<std::vector<SummaryValue>, 2> &summaries, FlapSet shown);
