#pragma once
// The ranking written out in a view's units: its table and the leaders' tables as the
// ranking page shows them, the same as aligned text, tab-separated tables for a
// spreadsheet, and JSON for a script (the measure keys of the verdict's JSON). Each
// writer builds its output in one buffer, every word translated once per table and
// every number written straight into it: a catalogue of thousands has tens of
// thousands of cells.
#include "core/view.h"
#include "verdict/ranking.h"
#include "verdict/verdict_format.h"

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// "better", "worse", "even", "noData", "error".
QString RankResultKey(RankResult result);
// A column as the tsv and --by name it: its measure's key, and ":F" for a flap setting.
QString RankColumnKey(const RankColumn &c);
// A column's heading as shown: the measure's label (with its flap setting) and unit.
QString RankColumnTitle(const RankColumn &c, const View &view);

// What is ranked, e.g. "Tarn-5: 1 000 м, 300 км/ч".
QString RankingHeading(const Ranking &r, const View &view);

// The ranking's table as the page shows it, a cell made when it is asked for: row 0 the
// reference's own values, then one row per other aircraft: its name, its wins, then per
// column its value and difference ("512 (+14)"), tinted 2 where it is better than the
// reference, 1 where the reference is; "нет данных", or "ошибка" with the error in the
// cell's plain form. Reads r, which must outlive it.
class RankingCells {
public:
    RankingCells(const Ranking &r, const View &view);
    QStringList Header() const;
    size_t Rows() const { return r_->rows.size() + 1; }
    VerdictCell Cell(size_t row, size_t column) const;
    // The cell's text alone, appended to out.
    void AppendText(QString &out, size_t row, size_t column) const;

private:
    double shown(size_t column, double metric) const;

    const Ranking *r_;
    View view_;
    QString none_, error_;
    std::vector<std::pair<Quantity, int>> columns_;  // each column's quantity and decimals as shown
};

// The leaders: by altitude (speed and climb) and by speed (turn time per flap setting),
// each cell the leader's name and value.
VerdictTable AltitudeLeadersTable(const Ranking &r, const View &view);
VerdictTable SpeedLeadersTable(const Ranking &r, const View &view);

QString RankingText(const Ranking &r, const View &view);
QString RankingTsv(const Ranking &r, const View &view);
QByteArray RankingJson(const Ranking &r, const View &view);
