#pragma once
// What the tests of the chart fillers share: the error texts they expect, the flap sets
// they draw, and a turn file to read.
#include "core/error.h"
#include "catalogue/chart_values.h"
#include "charts/altitude.h"
#include "charts/turn_rate.h"
#include "charts/turn_times.h"
#include "presentation/tracker.h"
#include "charts_fixture.h"
#include "support.h"
#include <QtTest>
#include <limits>

namespace {
const QString kNoError;  // what ErrorOf gives when nothing is raised

inline QString NotANumber(const QString &text)
{
    return u"'%1' is not a valid floating point value"_s.arg(text);
}

const FlapSet kOnlyNoFlaps = FlapSet::NoFlaps();
const FlapSet kAllShown = FlapSet::All();
const FlapSet kAllHidden = FlapSet();

// A turn file: speeds, climb rates, turn times for the four flap settings, a summary row.
const QStringList kTurnRows{u"200\t300\t400\t"_s, u"20\t15.5\t9\t"_s, u"17.3\t20\t24\t"_s,
                            u"16\t18\t22\t"_s, u"15\t17\t21\t"_s, u"14\t16\t20\t"_s,
                            u"T_turn: 17.3"_s};
}  // namespace
