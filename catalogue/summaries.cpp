#include "catalogue/summaries.h"

#include "catalogue/decimal.h"
#include "catalogue/text_file.h"
#include "core/decimal_text.h"
#include "core/error.h"
#include "core/language.h"
#include "core/view.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

enum class Source { Craft, Turn };
struct SummaryRow {
    const char *label;  // Russian, the source of its translation
    Source source;
    const char *key;
    const char16_t *unit;
    Quantity quantity;
    SummaryRule rule;
};
constexpr bool Decides = true, Informs = false, Higher = true, Lower = false;
// The six summary children of an aircraft, in tree order: how each is read, shown and
// compared (dive speed, turn time and climb rate decide; the others only inform).
const SummaryRow kSummaryRows[] = {
    {.label = QT_TRANSLATE_NOOP("Varnel", "макс. скор. в пике"), .source = Source::Craft, .key = "0", .unit = u"км/ч",
     .quantity = Quantity::Speed, .rule = {"dive-speed", Decides, Higher, 1.0}},
    {.label = QT_TRANSLATE_NOOP("Varnel", "взлетный вес"), .source = Source::Turn, .key = "M_takeoff", .unit = u"кг",
     .quantity = Quantity::Weight, .rule = {"takeoff-weight", Informs, Higher, 0}},
    {.label = QT_TRANSLATE_NOOP("Varnel", "время виража"), .source = Source::Turn, .key = "T_turn", .unit = u"сек",
     .quantity = Quantity::Time, .rule = {"turn-time", Decides, Lower, 0.1}},
    {.label = QT_TRANSLATE_NOOP("Varnel", "скорость виража"), .source = Source::Turn, .key = "V_turn", .unit = u"км/ч",
     .quantity = Quantity::Speed, .rule = {"turn-speed", Informs, Higher, 0}},
    {.label = QT_TRANSLATE_NOOP("Varnel", "скороподъемность"), .source = Source::Turn, .key = "Vz_climb", .unit = u"м/с",
     .quantity = Quantity::Climb, .rule = {"climb-rate", Decides, Higher, 0.1}},
    {.label = QT_TRANSLATE_NOOP("Varnel", "скорость набора"), .source = Source::Turn, .key = "V_climb", .unit = u"км/ч",
     .quantity = Quantity::Speed, .rule = {"climb-speed", Informs, Higher, 0}},
};
// The row of a summary value's key; null for none.
const SummaryRow *RowOf(const QString &key)
{
    const auto row = std::find_if(std::begin(kSummaryRows), std::end(kSummaryRows),
                                  [&](const SummaryRow &r) { return key == QLatin1String(r.key); });
    return row == std::end(kSummaryRows) ? nullptr : row;
}
// Decimals of a summary value shown in other units than its file's.
constexpr int kConvertedDecimals = 1;

// The craft file's value for key, as written; none when no row has it.
QString CraftValue(const QStringList &rows, const QString &key)
{
    for (const QString &row : rows) {
        const qsizetype eq = row.indexOf(u'=');
        if (eq >= 0 && QStringView(row).first(eq).compare(key, Qt::CaseInsensitive) == 0)
            return row.mid(eq + 1);
    }
    return QString();
}

// The turn file's value for key; none when no summary row has it. A bad one raises its
// error with its row.
std::optional<long double> TurnValue(const QStringList &rows, const QString &key)
{
    const TurnSummaryText found = FindTurnSummary(rows, key);
    if (found.row < 0)
        return std::nullopt;
    long double x = 0;
    if (!ParseNumber(found.text, x))
        throw InvalidFloatError(found.text).InRow(int(found.row));
    return x;
}

double NumberOf(const QString &text)
{
    long double v = 0;
    return ParseNumber(text, v) && std::isfinite(double(v)) ? double(v) : kNaN;
}

// A row's key, label and unit as strings, made once and shared by every aircraft's values.
struct RowTexts {
    QString key, label, unit;
};
const RowTexts &TextsOf(const SummaryRow &row)
{
    static const std::vector<RowTexts> texts = [] {
        std::vector<RowTexts> made;
        for (const SummaryRow &r : kSummaryRows)
            made.push_back({QString::fromLatin1(r.key), QString::fromUtf8(r.label), QString::fromUtf16(r.unit)});
        return made;
    }();
    return texts[size_t(&row - kSummaryRows)];
}

SummaryValue Summary(const SummaryRow &row, const QStringList *craftRows, const QStringList *turnRows)
{
    const RowTexts &texts = TextsOf(row);
    SummaryValue s{texts.key, texts.label, texts.unit, {}, kNaN};
    const QStringList *rows = row.source == Source::Craft ? craftRows : turnRows;
    if (!rows) {
        s.text = QStringLiteral("unknown");
    } else if (row.source == Source::Craft) {
        s.text = CraftValue(*rows, s.key);
        s.value = NumberOf(s.text);
    } else if (const std::optional<long double> x = TurnValue(*rows, s.key)) {
        s.text = FormatSummaryValue(*x);
        const double shown = double(RoundedDecimal(*x, 2));
        s.value = std::isfinite(shown) ? shown : kNaN;
    }
    return s;
}

}  // namespace

const SummaryRule *SummaryRuleOf(const QString &key)
{
    const SummaryRow *row = RowOf(key);
    return row ? &row->rule : nullptr;
}

SummaryValue ShownSummary(const SummaryValue &s, UnitSystem units)
{
    const SummaryRow *row = RowOf(s.key);
    if (!row || !Converts(row->quantity, units))
        return s;
    SummaryValue shown = s;
    shown.unit = UnitName(row->quantity, units);
    if (std::isnan(s.value))
        return shown;  // "unknown" or nothing: no number to convert
    const int decimals = ShownDecimals(row->quantity, kConvertedDecimals, units);
    shown.value = double(RoundedDecimal(ToShown(row->quantity, s.value, units), decimals));
    // Every converted value to the same decimals ("435.0 mph" beside "472.2 mph").
    shown.text = ShownNumber(row->quantity, s.value, units,
                             {.decimals = kConvertedDecimals, .style = NumberStyle::Padded, .metricDecimals = true});
    return shown;
}

QString SummaryCaption(const SummaryValue &value, UnitSystem units)
{
    const SummaryValue s = ShownSummary(value, units);
    if (s.text.isEmpty())  // a key the file lacks: no value, so no unit either
        return Translated(s.label) + QStringLiteral(": ") + QCoreApplication::translate("Varnel", "нет данных");
    return Translated(s.label) + QStringLiteral(": ") + s.text + QLatin1Char(' ') + Translated(s.unit);
}

std::vector<SummaryValue> ReadSummaryValues(const QStringList *craftRows, const QStringList *turnRows)
{
    std::vector<SummaryValue> out;
    for (const SummaryRow &row : kSummaryRows)
        out.push_back(Summary(row, craftRows, turnRows));
    return out;
}

std::vector<SummaryValue> ReadSummaries(const QStringList *craftRows, const QStringList *turnRows,
                                        const FileName &name, const QString &turnFile)
{
    try {
        return ReadSummaryValues(craftRows, turnRows);
    } catch (const VarnelError &error) {
        throw LocatedError(error, name, turnFile, error.row());
    }
}

TurnSummaryText FindTurnSummary(const QStringList &rows, const QString &key)
{
    for (qsizetype r = kFirstSummaryRow; r < rows.size(); ++r) {
        const QString &row = rows.at(r);
        const qsizetype at = row.indexOf(key);
        if (at < 0)
            continue;
        const qsizetype end = at + key.size();
        qsizetype sep = end;
        while (sep < row.size() && row.at(sep) == u' ')
            ++sep;
        if (sep < row.size() && (row.at(sep) == u':' || row.at(sep) == u'=')) {
            qsizetype value = sep + 1;
            while (value < row.size() && row.at(value) == u' ')
                ++value;
            return {r, row.mid(value), row.mid(end, value - end)};
        }
        // No separator: two characters of any kind after the key's length, wherever
        // the key stood, as such rows have always read.
        return {r, row.mid(key.size() + 2), row.mid(end, 2)};
    }
    return {};
}

QStringList TurnSummaryKeys()
{
    QStringList keys;
    for (const SummaryRow &row : kSummaryRows)
        if (row.source == Source::Turn)
            keys << QString::fromLatin1(row.key);
    return keys;
}

QString GetCraftValue(const DataPaths &paths, const FileName &name, const QString &key)
{
    const FileName path = paths.craftFile(name);
    if (!RegularFileExists(path))
        return QStringLiteral("unknown");
    return CraftValue(ReadTextLines(path), key);
}

QString GetTurnValue(const DataPaths &paths, const FileName &name, const QString &key)
{
    const FileName path = paths.turnFile(name);
    if (!RegularFileExists(path))
        return QStringLiteral("unknown");
    try {
        const std::optional<long double> x = TurnValue(ReadTextLines(path), key);
        return x ? FormatSummaryValue(*x) : QString();
    } catch (const VarnelError &error) {
        throw LocatedError(error, name, DisplayName(name.bytes + "_turn.txt"), error.row());
    }
}
