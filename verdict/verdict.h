#pragma once
// The verdict: which of two aircraft is better, and where. Their paired curves, read
// exactly as the charts draw them, compared band by band; their best figures; their
// summary values and their speed and climb at every 1,000 m. Plain data, no widgets:
// the verdict page and the command line write it out.
#include "catalogue/scan.h"
#include "core/curve_compare.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// What a pair of curves measures. The first four run along the altitude, the others
// along the speed.
enum class Measure { Speed100, SpeedMax, Climb100, ClimbMax, ClimbAtSpeed, TurnTime, TurnRate };
constexpr int kMeasures = 7;

struct MeasureRule {
    const char *key;       // English name in tsv and json, e.g. "speed-100"
    bool byAltitude;       // along the altitude (m), else along the speed (km/h)
    bool higherIsBetter;
    double evenUnder;      // a smaller difference is even
};
const MeasureRule &RuleOf(Measure m);

// One aircraft's curves as the charts draw them: the altitude profiles (x altitude,
// y value), climb at constant speed, and per flap setting the full-turn times and turn
// rates by speed (empty for a hidden setting).
struct CraftCurves {
    std::array<CurvePoints, 5> curves;           // Speed100 ... ClimbAtSpeed
    std::array<CurvePoints, 4> turnTime, turnRate;
    const CurvePoints &Of(Measure m, int flap) const;
};
// Reads them from the aircraft's tables in the order the charts' refresh reads them,
// so a bad value raises the error the window would show, saying where it stands.
CraftCurves ReadCraftCurves(const QString &name, const TNodeData &tables, const std::array<bool, 4> &flapShown);

// One compared pair: its measure, its flap setting (0 to 3; -1 for the others) and
// its bands.
struct PairVerdict {
    Measure measure;
    int flap = -1;
    std::vector<LeadBand> bands;
};

// An aircraft's best value of a measure and where it is reached (altitude or speed);
// NaN when it has none. Lowest full-turn time, highest of the others; the lowest place
// on equal values (CurveBest).
struct BestFigure {
    Measure measure;
    int flap = -1;
    double value, at;
};

// One of the six summary values as the trees show it: its label, its text, its unit
// and its number (NaN when the text is none, e.g. "unknown").
struct SummaryValue {
    QString label, text, unit;
    double value;
};
SummaryValue SplitSummaryCaption(const QString &caption);

// The values of the four altitude measures at one altitude, per aircraft (NaN where a
// curve does not reach it).
struct AltitudeRow {
    double altitude;
    std::array<std::array<double, 2>, 4> values;  // [Speed100 .. ClimbMax][aircraft]
};

struct Verdict {
    std::array<QString, 2> names;     // empty where no aircraft is chosen
    std::array<bool, 2> present{false, false};
    std::array<bool, 4> flapShown{true, false, false, false};
    std::vector<PairVerdict> pairs;   // measures in order, turn settings in flap order
    std::array<std::vector<BestFigure>, 2> best;        // both in the same order
    std::array<std::vector<SummaryValue>, 2> summary;   // empty for a missing aircraft
    std::vector<AltitudeRow> byAltitude;                // every 1,000 m of the common range
};

// The verdict of the two aircraft (either may be null) at these flap settings.
Verdict ComputeVerdict(const CraftRecord *first, const CraftRecord *second, const std::array<bool, 4> &flapShown);
// The same from the aircraft's names, tables (null where an aircraft is missing) and
// summary captions.
Verdict ComputeVerdict(const std::array<QString, 2> &names, const std::array<const TNodeData *, 2> &tables,
                       const std::array<QStringList, 2> &summaries, const std::array<bool, 4> &flapShown);
// The same from curves already read (names empty where an aircraft is missing).
Verdict CompareCrafts(const std::array<QString, 2> &names, const std::array<const CraftCurves *, 2> &curves,
                      const std::array<QStringList, 2> &summaries, const std::array<bool, 4> &flapShown);
