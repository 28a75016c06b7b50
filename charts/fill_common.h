#pragma once
// Helpers shared by the chart fillers: titling series, adding an aircraft's curve and
// raising the error its reading stopped at.
#include "catalogue/curves.h"
#include "presentation/series.h"
#include <QString>

// Gives an aircraft series its title (prefix followed by the aircraft name) and makes
// it active.
void TitleAndActivate(TChartSeries &series, const QString &prefix, const QString &name);

// Adds the curve's points in their order: (x, y), or (y, x) where `across` (an altitude
// profile, its altitude on the vertical axis).
enum class Axes { AsRead, Across };
void AddPoints(TChartSeries &series, const CurvePoints &curve, Axes axes = Axes::AsRead);

// Marks the curve's last point with `text` (no box, as the reference lines' labels) and
// every other point with nothing; the marks show.
void LabelCurveEnd(TChartSeries &series, const QString &text);

// Raises the error a reading stopped at, if any; the curves it cut short are given its
// message as their stop note (the refresh then says where the value stands).
void RaiseFailure(const ReadFailure &failure, std::initializer_list<TChartSeries *> cut = {});
