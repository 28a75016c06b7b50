#pragma once
// The summary values the aircraft trees show, looked up in the craft and turn files.
#include "catalogue/file_name.h"
#include "core/units.h"

#include <QStringList>

#include <optional>
#include <vector>

// One summary value of an aircraft.
struct SummaryValue {
    QString key;          // as looked up: "0" in the craft file, "T_turn" and so on in the turn file
    QString label, unit;  // "время виража", "сек"
    QString text;         // as the tree shows it: a craft value as written, a turn value
                          // rounded to two decimals, "unknown" for a missing file, empty
                          // for a missing key
    double value;         // the number the tree shows; NaN where it shows none
};
// How two aircraft's values of a summary value compare, and its name in tsv and json.
struct SummaryRule {
    const char *name;      // English, e.g. "dive-speed"
    bool decides;          // a difference says who is better; else the value only informs
    bool higherIsBetter;   // else the lower value is better (a shorter turn)
    double evenUnder;      // a smaller difference either way is even
};
// The rule of the summary value read under `key`; null for a key of no summary row.
const SummaryRule *SummaryRuleOf(const QString &key);

// The value as shown in `units`: a speed, climb or weight converted (its number to a
// decimal, a climb in ft/min to whole ones; text and value alike) and its unit named;
// the others, and every value in metric units, as they are.
SummaryValue ShownSummary(const SummaryValue &s, UnitSystem units);
// The caption of its node in the tree, in `units`: "время виража: 18.2 сек";
// "время виража: нет данных" for a key the file lacks.
QString SummaryCaption(const SummaryValue &s, UnitSystem units);

// The six summary values in tree order, from the lines of the craft file and of the
// turn file (null where the file is missing). A turn value that is not a number raises
// an error saying where it stands: aircraft `name`, turn file `turnFile`, row.
std::vector<SummaryValue> ReadSummaries(const QStringList *craftRows, const QStringList *turnRows,
                                        const FileName &name, const QString &turnFile);
// The same, its error carrying the row instead of a line that says where.
std::vector<SummaryValue> ReadSummaryValues(const QStringList *craftRows, const QStringList *turnRows);

// Where the turn file holds key's summary value: the first row from kFirstSummaryRow on
// that holds the key anywhere; its value is what follows the key, spaces, and a ":" or
// "=" (spaces or none around it), and in a row without either, what stands two
// characters after the key's length. separator: what stands between key and value.
struct TurnSummaryText {
    qsizetype row = -1;  // -1: no row holds the key
    QString text, separator;
};
TurnSummaryText FindTurnSummary(const QStringList &rows, const QString &key);

// The keys of the turn file's summary rows the trees show, in tree order, and the row
// the summary rows begin at (after the table's six).
QStringList TurnSummaryKeys();
constexpr qsizetype kFirstSummaryRow = 6;

// One summary value's text read from its file: "unknown" for a missing file, empty
// text for a missing key.
QString GetCraftValue(const DataPaths &paths, const FileName &name, const QString &key);
QString GetTurnValue(const DataPaths &paths, const FileName &name, const QString &key);
