#pragma once
// An aircraft's tables read into curves of plain numbers, once, as the charts draw
// them: every value cut to three decimals, turn times also as turn rates. A bad value
// is not raised here: its curves keep the points read before it and the error it gives
// (with its row and column), and the charts, the verdict and the messages take them
// from here.
#include "core/curve_compare.h"
#include "core/error.h"
#include "core/flap_set.h"

#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// The error a table's reading stopped at; none where every value read.
using ReadFailure = std::optional<VarnelError>;

// The speed file: altitude (x) and value (y) per row, in file order, for speed at 100 %
// and MAX, climb at 100 % and MAX. The values are read row by row, in each row 100 %
// speed, altitude, MAX speed, altitude, 100 % climb, altitude, MAX climb, altitude; the
// points before the first bad one stay.
struct AltitudeProfiles {
    std::array<CurvePoints, 4> curves;  // Speed100, SpeedMax, Climb100, ClimbMax
    ReadFailure failure;
};

// A curve by speed (x) read column by column, up to its first bad value.
struct SpeedCurve {
    CurvePoints points;
    std::vector<int> columns;  // each point's column
    ReadFailure failure;
    int failedColumn = -1;     // where the failure stands; -1: its row is missing
};

// The turn file's table: climb at constant speed (rows 0 and 1), and per flap setting
// the full-turn times and the turn rates by speed (rows 0 and 2 to 5).
struct TurnCurves {
    SpeedCurve climb;
    ReadFailure missingTimeRow;  // the first of rows 0, 2, 3, 4, 5 the file lacks
    std::array<SpeedCurve, 4> times, rates;
};

// The bad values a table holds after the one its reading stopped at, each with its row
// and column, for the data check; the curves themselves are the same with or without.
// At most kMaxLaterFailures are kept; `unlisted` counts the rest.
struct LaterFailures {
    std::vector<VarnelError> errors;
    qsizetype unlisted = 0;
    void Add(const VarnelError &error);
};
constexpr qsizetype kMaxLaterFailures = 1000;

// later: when given, the reading goes on past the first bad value to the table's end,
// and the errors of every other bad value land there.
AltitudeProfiles ReadAltitudeProfiles(const QStringList &speedRows, LaterFailures *later = nullptr);
TurnCurves ReadTurnCurves(const QStringList &turnRows, LaterFailures *later = nullptr);

// The curves of the shown settings as the charts draw them: empty for a setting not
// drawn, and the error the drawing stops at.
struct ShownCurves {
    std::array<CurvePoints, 4> curves;
    FlapSet drawn;  // the settings that get a curve (named in the legend)
    ReadFailure failure;
};
// Turn times are read column by column across the shown settings' rows: the first bad
// value in that order stops them all, and every setting keeps what was read before it.
// Every setting counts as drawn.
ShownCurves ShownTurnTimes(const TurnCurves &turn, FlapSet shown);
// Turn rates are read setting by setting: the first setting whose row is missing or
// whose value is bad keeps what it read, and the settings after it are not drawn.
ShownCurves ShownTurnRates(const TurnCurves &turn, FlapSet shown);
