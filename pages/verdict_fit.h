#pragma once
// The verdict page fitted into a picture of its size. Where the page as it stands is
// too long, copies of its blocks (each strip, each sentence, each table under its
// title) flow into one to three columns on a sheet over it, at the largest text, not
// below 7 points, that holds everything; where nothing does, whole rows are left out
// and the page ends with a line saying the rest is in the report. The page itself, as
// the window scrolls it, stays as it is.
#include "verdict/verdict_format.h"

#include <QColor>
#include <QSize>

#include <vector>

class QTableWidget;
class QWidget;

// The room above a table's title on the page.
constexpr int kTableSpacing = 8;

// The pale background of a cell won by aircraft 1 (blue) or 2 (red).
QColor VerdictTint(int aircraft);
// The text colour that reads on a background: black on a light one, white on a dark one.
QColor InkOnTint(const QColor &back);
// The header and the rows [first, end) of a verdict's table, as the page shows them:
// the first column to the left, the others to the right, each winning cell tinted.
void FillVerdictRows(QTableWidget *table, const VerdictTable &t, int first, int end);

// content: the page's content, laid out as the page shows `blocks` (VerdictBlocks of
// `v` in `view`, or what the page says instead): the strips, the sentences, each table under its
// title, one under the other; tables: the page's tables of the blocks' tables, in their
// order, filled, which move into the columns where the page goes into columns (they
// are not made again); size: the picture's.
void FitVerdictContent(QWidget *content, const Verdict &v, const View &view, const std::vector<VerdictBlock> &blocks,
                       const std::vector<QTableWidget *> &tables, QSize size);
