#pragma once
// The verdict written out: Russian sentences and tables as the verdict page shows them,
// the same as aligned text, tab-separated tables for a spreadsheet, and JSON for a
// script (English field names, numbers as numbers).
#include "core/view.h"
#include "verdict/verdict.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// One cell: its text as shown, its plain form for a spreadsheet (a number with "."
// and no grouping, or the text) and the aircraft it favours (1 or 2; 0: none).
struct VerdictCell {
    QString text, plain;
    int tint = 0;
};
struct VerdictTable {
    QString key;    // English: summary, speed, climb, best
    QString title;  // as shown
    QStringList header;
    std::vector<std::vector<VerdictCell>> rows;
};

// What is missing for a comparison ("Выберите второй самолет (нижний список) ..."),
// naming the page's lists, or the options on the command line; empty when both
// aircraft are there.
QString MissingText(const Verdict &v, bool commandLine = false);

// The bands a page has room for: every band when there are at most `most` of them (or
// `most` is 0), else the `most` widest (the earlier of equal width) in axis order, and
// how many were left out. Linear in the number of bands, however many: curves that swap
// the lead at every row give one band a row.
struct ShownBands {
    std::vector<size_t> bands;  // indexes, rising
    size_t left = 0;
};
ShownBands ShowBands(const std::vector<LeadBand> &bands, size_t most);
// How many bands of a pair the verdict page and its pictures say.
constexpr size_t kPageBands = 8;

// One sentence per compared pair, e.g. "Скорость 100%: Tarn-5 быстрее от 0 до 2 400 м
// (до +31 км/ч у земли); выше — Skarn-7 (до +27 км/ч на 6 000 м)." A gain is the
// leader's value minus the other's. With `most`, each sentence says at most that many
// bands (ShowBands) and counts the rest ("… и ещё 9 812 полос").
QStringList VerdictSentences(const Verdict &v, const View &view, size_t most = 0);
// The summary values side by side with their difference (second minus first, of the
// values as shown), speed and climb at every 1,000 m, and the best figures.
std::vector<VerdictTable> VerdictTables(const Verdict &v, const View &view);

// What the verdict says, top to bottom, as the page, its picture and the reports show
// it: a strip per compared pair, a sentence per pair (at most `most` bands each, as
// VerdictSentences), then each table under its title; with an aircraft missing, only
// the sentence that says what is missing (naming the options when `commandLine`).
struct VerdictBlock {
    enum class Kind { Strip, Sentence, Table };
    Kind kind;
    size_t pair = 0;     // a strip: its pair in the verdict's pairs
    QString text;        // a sentence
    VerdictTable table;  // a table with its title
};
std::vector<VerdictBlock> VerdictBlocks(const Verdict &v, const View &view, size_t most, bool commandLine = false);

// A number as the page shows it: `decimals` places, thousands set apart by a no-break space (U+00A0),
// a minus sign "−", a "+" when `sign` and positive; "—" when not finite.
QString VerdictNumber(double value, int decimals, bool sign = false);

// A pair as its sentence names it ("Время виража, закрылки 2"), where on its axis a
// value stands ("2 400 м", "350 км/ч") and a band's leader's advantage ("+31 км/ч"),
// in the view's units.
QString PairLabel(const PairVerdict &p);
QString PairPlace(const PairVerdict &p, double at, const View &view);
QString PairAdvantage(const PairVerdict &p, const LeadBand &b, const View &view);

// The verdict as the command line writes it, every number in the view's units.
QString VerdictText(const Verdict &v, const View &view);
QString VerdictTsv(const Verdict &v, const View &view);
QByteArray VerdictJson(const Verdict &v, const View &view);

// A measure's label as the verdict and the ranking name it ("Время виража, закрылки 2").
QString MeasureLabel(Measure m, int flap);
// A table as tab-separated text: its key, its header, then its rows, each line ended.
QString TableTsv(const VerdictTable &t);
