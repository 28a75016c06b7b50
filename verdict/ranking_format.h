#pragma once
// The ranking written out in the units shown: its table and the leaders' tables as the
// ranking page shows them, the same as aligned text, tab-separated tables for a
// spreadsheet, and JSON for a script (the measure keys of the verdict's JSON).
#include "verdict/ranking.h"
#include "verdict/verdict_format.h"

#include <QByteArray>
#include <QString>

// "better", "worse", "even", "noData", "error".
QString RankResultKey(RankResult result);
// A column as the tsv and --by name it: its measure's key, and ":F" for a flap setting.
QString RankColumnKey(const RankColumn &c);
// A column's heading as shown: the measure's label (with its flap setting) and unit.
QString RankColumnTitle(const RankColumn &c);

// What is ranked, e.g. "Tarn-5: 1 000 м, 300 км/ч".
QString RankingHeading(const Ranking &r);
// One row per other aircraft: its name, its wins, then per column its value and
// difference ("512 (+14)"), tinted 2 where it is better than the reference, 1 where the
// reference is; "нет данных", or "ошибка" with the error in the cell's plain form. The
// reference's own values come first, in a row of their own.
VerdictTable RankingTable(const Ranking &r);
// The same table's header, and one of its cells (row 0 the reference), made on demand.
QStringList RankingHeader(const Ranking &r);
VerdictCell RankingCell(const Ranking &r, size_t row, size_t column);
// The leaders: by altitude (speed and climb) and by speed (turn time per flap setting),
// each cell the leader's name and value.
VerdictTable AltitudeLeadersTable(const Ranking &r);
VerdictTable SpeedLeadersTable(const Ranking &r);

QString RankingText(const Ranking &r);
QString RankingTsv(const Ranking &r);
QByteArray RankingJson(const Ranking &r);
