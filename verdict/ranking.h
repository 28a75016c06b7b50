#pragma once
// The ranking: every aircraft of a catalogue against one reference aircraft, at one
// altitude (speed and climb at 100 % and MAX) and at one speed (climb at that speed, turn
// time and turn rate per flap setting). Each value is read from the curves the verdict
// compares (CurvesOf), between rows as the tracker reads them (CurveValueAt), never past
// a curve's end; better, worse and even follow the verdict's rules (RuleOf, IsEven).
// Plus the catalogue's leaders at every step of altitude and speed. Plain data, no
// widgets: the ranking page and the command line write it out.
#include "catalogue/catalogue.h"
#include "verdict/verdict.h"

#include <QString>

#include <memory>
#include <vector>

// One ranked measure: a measure and its flap setting (0 to 3; -1 for the five others).
struct RankColumn {
    Measure measure;
    int flap = -1;
    friend bool operator==(const RankColumn &, const RankColumn &) = default;
};
// The measures ranked at these flap settings, in the verdict's order: the five single
// measures, then turn times and turn rates per shown setting.
std::vector<RankColumn> RankColumns(FlapSet shown);

// An aircraft's curves read once (or why they can't be), for ranking again and again.
struct RankEntry {
    QString name;
    std::shared_ptr<const CraftCurves> curves;  // null when it can't be read
    QString error;                              // the error box's text, located
};
// Every aircraft of the catalogue, in its order, with its curves at these settings.
std::vector<RankEntry> RankEntries(const Catalogue &catalogue, FlapSet shown);

enum class RankResult { Better, Worse, Even, NoData, Error };

// One aircraft's standing in one measure, metric: its value, the difference (its value
// minus the reference's; NaN where either has none) and what that makes it.
struct RankCell {
    double value, difference;
    RankResult result;
};

struct RankRow {
    QString name;
    QString error;               // why it can't be read (its cells then say Error)
    std::vector<RankCell> cells;  // one per column
    int wins = 0;                 // measures in which it is better than the reference
};

// The best aircraft of one measure at one place; an empty name where none has a value.
struct Leader {
    QString name;
    double value;
};
struct LeaderRow {
    double at;                    // metric altitude or speed
    std::vector<Leader> leaders;  // one per leader column
};

// What is asked: all metric. `by` orders the rows: a column's index (best first, then
// those without data, then errors), or -1 for the count of wins (most first); ties keep
// the catalogue's order. The leaders are listed every `altitudeStep` and `speedStep`.
struct RankQuery {
    QString reference;
    double altitude = 1000, speed = 300;
    FlapSet flaps = FlapSet::NoFlaps();
    int by = -1;
    double altitudeStep = 1000, speedStep = 50;
};

struct Ranking {
    QString reference;
    double altitude = 0, speed = 0;
    FlapSet flaps;
    std::vector<RankColumn> columns;
    std::vector<double> referenceValues;  // one per column
    std::vector<RankRow> rows;            // every other aircraft, in the order asked
    std::vector<RankColumn> altitudeLeaders, speedLeaders;  // speed and climb; turn times
    std::vector<LeaderRow> byAltitude, bySpeed;
};

// The ranking of entries against the one named query.reference. Raises the reference's
// own error when it can't be read, and "no aircraft" when it is not among them.
// Without `leaders`, the leaders' fields stay empty: they depend on neither the
// reference nor the place, so a caller that ranks again may keep them (AddLeaders).
Ranking RankAgainst(const std::vector<RankEntry> &entries, const RankQuery &query, bool leaders = true);
// The catalogue's leaders of entries at the query's flap settings and steps, into r.
void AddLeaders(Ranking &r, const std::vector<RankEntry> &entries, const RankQuery &query);
// The same from a catalogue.
Ranking RankCatalogue(const Catalogue &catalogue, const RankQuery &query);

// The column that `key` names: a measure's key ("speed-100"), and for turn time and
// rate optionally ":F" for flap setting F (else the first shown); -1 for "wins"; -2
// when it names no column of these.
int RankColumnNamed(const std::vector<RankColumn> &columns, const QString &key);

// The defaults in a unit system, metric: the altitude and speed ranked (1,000 m and
// 300 km/h, or their nearest round values in other units) and the leaders' steps.
struct RankDefaults {
    double altitude, speed, altitudeStep, speedStep;
};
RankDefaults RankDefaultsFor(UnitSystem units);
