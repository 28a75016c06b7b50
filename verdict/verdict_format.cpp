#include "verdict/verdict_format.h"
#include "core/language.h"
#include "core/view.h"
#include "core/units.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QLocale>

#include <algorithm>
#include <array>
#include <utility>
#include <cmath>

namespace {
const char *const kFlapNames[4] = {QT_TRANSLATE_NOOP("Varnel", "без закрылков"), QT_TRANSLATE_NOOP("Varnel", "закрылки 1"),
                                   QT_TRANSLATE_NOOP("Varnel", "закрылки 2"), QT_TRANSLATE_NOOP("Varnel", "закрылки 3")};
const char *const kFlapKeys[4] = {"none", "1", "2", "3"};
// A band's largest difference carries its sign in its name.
const char *const kLargestKey = "largestSecondMinusFirst";

// How a measure is named and written on the page: its label, verb and decimals.
using MeasureText = MeasureRule;
const MeasureText &TextOf(Measure m) { return RuleOf(m); }
QString Str(const char *s) { return QCoreApplication::translate("Varnel", s); }

QString Label(Measure m, int flap)
{
    const QString label = Str(TextOf(m).label);
    return flap < 0 ? label : label + QStringLiteral(", ") + Str(kFlapNames[flap]);
}
// The verdict is computed in metric units; what it says is in the units shown.
double ShownAlong(Measure m, double at, const View &view) { return ToShown(AlongOf(m), at, view.units); }
double ShownValue(Measure m, double value, const View &view) { return ToShown(QuantityOf(m), value, view.units); }
int Decimals(Measure m, const View &view) { return ShownDecimals(QuantityOf(m), TextOf(m).decimals, view.units); }
QString ValueUnit(Measure m, const View &view) { return MeasureUnit(m, view.units); }
QString AxisUnit(Measure m, const View &view) { return UnitName(AlongOf(m), view.units); }
// Where a metric altitude or speed lies, in the units shown.
QString Place(Measure m, double at, const View &view)
{
    const QString shown = VerdictNumber(ShownAlong(m, at, view), 0);
    if (RuleOf(m).byAltitude)
        return at == 0 ? QCoreApplication::translate("Varnel", "у земли") : QCoreApplication::translate("Varnel", "на %1").arg(WithUnit(shown, AxisUnit(m, view)));
    return QCoreApplication::translate("Varnel", "при %1").arg(WithUnit(shown, AxisUnit(m, view)));
}
QString Valued(Measure m, double value, const View &view) { return WithUnit(VerdictNumber(ShownValue(m, value, view), Decimals(m, view)), ValueUnit(m, view)); }

// The heading of a column of differences in `unit` ("Δ, км/ч").
QString DeltaHeading(const QString &unit) { return QCoreApplication::translate("Varnel", "Δ, %1").arg(unit); }

// A text that counts `n` (its form chosen by the count, in every language's way), the
// count written as the page writes numbers: thousands set apart.
QString Counted(const char *text, size_t n)
{
    QString out = QCoreApplication::translate("Varnel", text, nullptr, int(n));
    return n < 1000 ? out : out.replace(QString::number(n), VerdictNumber(double(n), 0));
}

// A number as the data hold it: whole thousandths (what arithmetic adds beyond them
// dropped), "." and no grouping; empty when not finite.
QString Plain(double v) { return NumberText(v, {.style = NumberStyle::Data}); }
// A value rounded to `decimals` places, as a cell shows it.
double AsShown(double v, int decimals) { return WrittenValue(v, decimals); }
// A summary value with its unit; one that is not a number ("unknown") without.
QString SummaryWithUnit(const SummaryValue &s) { return std::isnan(s.value) ? s.text : WithUnit(s.text, Translated(s.unit)); }
VerdictCell Cell(const QString &text, const QString &plain = QString(), int tint = 0)
{
    return {text, plain.isNull() ? text : plain, tint};
}

// What a sentence says of its i-th shown band: who leads it, where, and by how much;
// the first band names the measure's verb, a last band that goes on from the one
// before it at the top of the altitude says "above".
QString Clause(const Verdict &v, const PairVerdict &p, const ShownBands &shown, size_t i, const View &view)
{
    const LeadBand &b = p.bands[shown.bands[i]];
    const bool leads = b.lead == Lead::First || b.lead == Lead::Second;
    const bool only = b.lead == Lead::OnlyFirst || b.lead == Lead::OnlySecond;
    const bool point = b.from == b.to;
    const QString name = v.names[b.lead == Lead::First || b.lead == Lead::OnlyFirst ? 0 : 1];
    const QString range = point ? Place(p.measure, b.from, view)
                                : QCoreApplication::translate("Varnel", "от %1 до %2").arg(VerdictNumber(ShownAlong(p.measure, b.from, view), 0), PairPlace(p, b.to, view));
    const QString advantage = PairAdvantage(p, b, view);
    const QString gain = !leads ? QString()
                         : point ? QStringLiteral(" (%1)").arg(advantage)
                                 : QCoreApplication::translate("Varnel", " (до %1 %2)").arg(advantage, Place(p.measure, b.at, view));
    if (i == 0)
        return leads ? QCoreApplication::translate("Varnel", "%1 %2 %3%4", "the first band: who leads, the measure's verb, where, by how much")
                           .arg(name, Str(TextOf(p.measure).verb), range, gain)
               : only ? QCoreApplication::translate("Varnel", "только %1 %2").arg(name, range)
                      : QCoreApplication::translate("Varnel", "поровну %1").arg(range);
    const bool above = shown.bands[i] + 1 == p.bands.size() && !point && RuleOf(p.measure).byAltitude &&
                       p.bands[shown.bands[i] - 1].to == b.from && shown.bands[i - 1] + 1 == shown.bands[i];
    if (above)
        return leads ? QCoreApplication::translate("Varnel", "выше — %1%2", "who leads above the bands before, by how much").arg(name, gain)
               : only ? QCoreApplication::translate("Varnel", "выше %1 — только %2").arg(PairPlace(p, b.from, view), name)
                      : QCoreApplication::translate("Varnel", "выше — поровну");
    return leads ? QCoreApplication::translate("Varnel", "%1 — %2%3", "where, who leads, by how much").arg(range, name, gain)
           : only ? QCoreApplication::translate("Varnel", "%1 — только %2").arg(range, name)
                  : QCoreApplication::translate("Varnel", "%1 — поровну").arg(range);
}

QString Sentence(const Verdict &v, const PairVerdict &p, size_t most, const View &view)
{
    const ShownBands shown = ShowBands(p.bands, most);
    QStringList parts;
    for (size_t i = 0; i < shown.bands.size(); ++i)
        parts << Clause(v, p, shown, i, view);
    if (shown.left > 0)
        parts << Counted(QT_TRANSLATE_N_NOOP("Varnel", "… и ещё %n полос"), shown.left);
    if (parts.isEmpty())
        parts << QCoreApplication::translate("Varnel", "нет данных");
    return QCoreApplication::translate("Varnel", "%1: %2.", "a pair's sentence: the pair, what its bands say").arg(Label(p.measure, p.flap), parts.join(QStringLiteral("; ")));
}

VerdictTable SummaryTable(const Verdict &v, const View &view)
{
    VerdictTable t{QStringLiteral("summary"), QCoreApplication::translate("Varnel", "Сводка"), {QString(), v.names[0], v.names[1], QStringLiteral("Δ")}, {}};
    for (const SummaryPair &pair : v.summaryPairs) {
        const SummaryValue a = ShownSummary(pair.values[0], view.units), b = ShownSummary(pair.values[1], view.units);
        const double d = b.value - a.value;
        const QString delta = std::isfinite(d) ? NumberText(d, {.decimals = 2, .style = NumberStyle::Page, .sign = true, .trimmed = true}) : QString();
        // The difference names its unit, as the values beside it do.
        const QString deltaText = delta.isEmpty() ? delta : WithUnit(delta, Translated(b.unit));
        t.rows.push_back({Cell(Translated(a.label)), Cell(SummaryWithUnit(a), a.text, pair.winner == 1 ? 1 : 0),
                          Cell(SummaryWithUnit(b), b.text, pair.winner == 2 ? 2 : 0), Cell(deltaText, Plain(d))});
    }
    return t;
}

// The altitude table of one quantity: its key and title.
struct AltitudeTableText {
    Quantity quantity;
    const char *key, *title;
};
const AltitudeTableText kAltitudeTables[] = {
    {Quantity::Speed, "speed", QT_TRANSLATE_NOOP("Varnel", "Скорость по высоте, %1")},
    {Quantity::Climb, "climb", QT_TRANSLATE_NOOP("Varnel", "Скороподъемность по высоте, %1")},
};

// The altitude measures of one quantity (speed or climb) at every 1,000 m: each engine
// power's values side by side with their difference.
VerdictTable AltitudeTable(const Verdict &v, const AltitudeTableText &text, const View &view)
{
    const auto ours = [&](Measure m) { return QuantityOf(m) == text.quantity; };
    std::vector<Measure> measures = AltitudeMeasures();
    measures.erase(std::remove_if(measures.begin(), measures.end(), [&](Measure m) { return !ours(m); }), measures.end());
    if (measures.empty())
        return {};
    VerdictTable t{QString::fromLatin1(text.key), Str(text.title).arg(ValueUnit(measures.front(), view)),
                   {QCoreApplication::translate("Varnel", "Высота, %1").arg(UnitName(Quantity::Altitude, view.units))}, {}};
    for (Measure m : measures) {
        const QString power = QString::fromLatin1(RuleOf(m).power) + QLatin1Char(' ');
        t.header << power + v.names[0] << power + v.names[1] << DeltaHeading(ValueUnit(m, view));
    }
    for (const AltitudeRow &r : AltitudeRows(v, view.units)) {
        const double altitude = ToShown(Quantity::Altitude, r.altitude, view.units);
        std::vector<VerdictCell> row{Cell(VerdictNumber(altitude, 0), Plain(altitude))};
        for (const AltitudeCell &cell : r.cells) {
            if (!ours(cell.measure))
                continue;
            const int dec = Decimals(cell.measure, view);
            const std::array<double, 2> val{ShownValue(cell.measure, cell.values[0], view), ShownValue(cell.measure, cell.values[1], view)};
            row.push_back(Cell(VerdictNumber(val[0], dec), Plain(val[0]), cell.winner == 1 ? 1 : 0));
            row.push_back(Cell(VerdictNumber(val[1], dec), Plain(val[1]), cell.winner == 2 ? 2 : 0));
            // The difference of the values as each format shows them.
            row.push_back(Cell(VerdictNumber(AsShown(val[1], dec) - AsShown(val[0], dec), dec, true),
                               Plain(AsShown(val[1], 3) - AsShown(val[0], 3))));
        }
        t.rows.push_back(row);
    }
    return t;
}

VerdictTable BestTable(const Verdict &v, const View &view)
{
    VerdictTable t{QStringLiteral("best"), QCoreApplication::translate("Varnel", "Лучшие показатели"), {QString(), v.names[0], QString(), v.names[1], QString()}, {}};
    for (size_t i = 0; i < std::min(v.best[0].size(), v.best[1].size()); ++i) {
        std::vector<VerdictCell> row{Cell(Label(v.best[0][i].measure, v.best[0][i].flap))};
        for (int a = 0; a < 2; ++a) {
            const BestFigure &f = v.best[size_t(a)][i];
            const bool has = std::isfinite(f.value);
            row.push_back(Cell(has ? Valued(f.measure, f.value, view) : QStringLiteral("—"), Plain(ShownValue(f.measure, f.value, view)),
                               f.wins ? a + 1 : 0));
            row.push_back(Cell(has ? Place(f.measure, f.at, view) : QString(), Plain(ShownAlong(f.measure, f.at, view))));
        }
        t.rows.push_back(row);
    }
    return t;
}

// A table as aligned text: the first column to the left, the others to the right.
QString Aligned(const VerdictTable &t)
{
    std::vector<qsizetype> width(size_t(t.header.size()), 0);
    const auto measure = [&](size_t c, const QString &s) { width[c] = std::max(width[c], s.size()); };
    for (size_t c = 0; c < width.size(); ++c)
        measure(c, t.header[qsizetype(c)]);
    for (const auto &row : t.rows)
        for (size_t c = 0; c < row.size() && c < width.size(); ++c)
            measure(c, row[c].text);
    const auto line = [&](const QStringList &cells) {
        QStringList out;
        for (size_t c = 0; c < width.size(); ++c) {
            const QString s = qsizetype(c) < cells.size() ? cells[qsizetype(c)] : QString();
            out << (c == 0 ? s.leftJustified(width[c]) : s.rightJustified(width[c]));
        }
        QString text = out.join(QStringLiteral("  "));
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        return text + QLatin1Char('\n');
    };
    QString text = t.title + QLatin1Char('\n') + line(t.header);
    for (const auto &row : t.rows) {
        QStringList cells;
        for (const VerdictCell &c : row)
            cells << c.text;
        text += line(cells);
    }
    return text;
}

QString LeadKey(Lead l)
{
    static const char *const keys[] = {"first", "second", "even", "only-first", "only-second"};
    return QString::fromLatin1(keys[int(l)]);
}
QJsonValue Number(double v) { return std::isfinite(v) ? QJsonValue(AsShown(v, 3)) : QJsonValue(); }
QJsonValue FlapKey(int flap) { return flap < 0 ? QJsonValue() : QJsonValue(QString::fromLatin1(kFlapKeys[flap])); }
}  // namespace

QString VerdictNumber(double value, int decimals, bool sign)
{
    return NumberText(value, {.decimals = decimals, .style = NumberStyle::Page, .sign = sign});
}

ShownBands ShowBands(const std::vector<LeadBand> &bands, size_t most)
{
    ShownBands out;
    out.bands.resize(bands.size());
    for (size_t i = 0; i < bands.size(); ++i)
        out.bands[i] = i;
    if (most == 0 || bands.size() <= most)
        return out;
    const auto wider = [&](size_t a, size_t b) {
        const double wa = bands[a].to - bands[a].from, wb = bands[b].to - bands[b].from;
        return wa > wb || (wa == wb && a < b);
    };
    std::nth_element(out.bands.begin(), out.bands.begin() + qsizetype(most), out.bands.end(), wider);
    out.bands.resize(most);
    std::sort(out.bands.begin(), out.bands.end());
    out.left = bands.size() - most;
    return out;
}

QString MissingText(const Verdict &v, bool commandLine)
{
    if (v.present[0] && v.present[1])
        return QString();
    if (!v.present[0] && !v.present[1])
        return commandLine ? QCoreApplication::translate("Varnel", "Выберите самолеты (--first и --second): здесь будет сказано, кто лучше и где.")
                           : QCoreApplication::translate("Varnel", "Выберите самолет в каждом списке: здесь будет сказано, кто лучше и где.");
    // The page's lists stand one above the other; the command line names them by option.
    const QString second = commandLine ? QStringLiteral("--second") : QCoreApplication::translate("Varnel", "нижний список");
    const QString first = commandLine ? QStringLiteral("--first") : QCoreApplication::translate("Varnel", "верхний список");
    return v.present[0] ? QCoreApplication::translate("Varnel", "Выберите второй самолет (%1), чтобы сравнить его с %2.").arg(second, v.names[0])
                        : QCoreApplication::translate("Varnel", "Выберите первый самолет (%1), чтобы сравнить его с %2.").arg(first, v.names[1]);
}

QStringList VerdictSentences(const Verdict &v, const View &view, size_t most)
{
    QStringList out;
    for (const PairVerdict &p : v.pairs)
        out << Sentence(v, p, most, view);
    return out;
}

std::vector<VerdictTable> VerdictTables(const Verdict &v, const View &view)
{
    if (!MissingText(v).isEmpty())
        return {};
    std::vector<VerdictTable> out{SummaryTable(v, view)};
    for (const AltitudeTableText &text : kAltitudeTables)
        out.push_back(AltitudeTable(v, text, view));
    out.push_back(BestTable(v, view));
    return out;
}

std::vector<VerdictBlock> VerdictBlocks(const Verdict &v, const View &view, size_t most, bool commandLine)
{
    const QString missing = MissingText(v, commandLine);
    if (!missing.isEmpty())
        return {{VerdictBlock::Kind::Sentence, 0, missing, {}}};
    std::vector<VerdictBlock> out;
    for (size_t i = 0; i < v.pairs.size(); ++i)
        out.push_back({VerdictBlock::Kind::Strip, i, {}, {}});
    for (const QString &sentence : VerdictSentences(v, view, most))
        out.push_back({VerdictBlock::Kind::Sentence, 0, sentence, {}});
    for (VerdictTable &t : VerdictTables(v, view))
        out.push_back({VerdictBlock::Kind::Table, 0, {}, std::move(t)});
    return out;
}

QString PairLabel(const PairVerdict &p) { return Label(p.measure, p.flap); }
QString PairPlace(const PairVerdict &p, double at, const View &view)
{
    return WithUnit(VerdictNumber(ShownAlong(p.measure, at, view), 0), AxisUnit(p.measure, view));
}
QString PairAdvantage(const PairVerdict &p, const LeadBand &b, const View &view)
{
    // The leader's advantage: its value minus the other's.
    const double largest = ShownValue(p.measure, b.lead == Lead::First ? -b.largest : b.largest, view);
    return WithUnit(VerdictNumber(largest, Decimals(p.measure, view), true), ValueUnit(p.measure, view));
}

QString VerdictText(const Verdict &v, const View &view)
{
    const QString missing = MissingText(v, true);
    if (!missing.isEmpty())
        return missing + QLatin1Char('\n');
    QString text = VerdictSentences(v, view).join(QLatin1Char('\n')) + QLatin1Char('\n');
    for (const VerdictTable &t : VerdictTables(v, view))
        text += QLatin1Char('\n') + Aligned(t);
    return text;
}

QString VerdictTsv(const Verdict &v, const View &view)
{
    std::vector<VerdictTable> tables = VerdictTables(v, view);
    VerdictTable bands{QStringLiteral("bands"), QStringLiteral("bands"),
                       {"measure", "flaps", "from", "to", "lead", kLargestKey, "at"}, {}};
    for (const PairVerdict &p : v.pairs)
        for (const LeadBand &b : p.bands)
            bands.rows.push_back({Cell(QString::fromLatin1(RuleOf(p.measure).key)), Cell(FlapKey(p.flap).toString()),
                                  Cell(Plain(ShownAlong(p.measure, b.from, view))), Cell(Plain(ShownAlong(p.measure, b.to, view))),
                                  Cell(LeadKey(b.lead)), Cell(Plain(ShownValue(p.measure, b.largest, view))),
                                  Cell(Plain(ShownAlong(p.measure, b.at, view)))});
    tables.push_back(bands);
    QString text;
    for (const VerdictTable &t : tables)
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + TableTsv(t);
    return text;
}

QString TableTsv(const VerdictTable &t)
{
    QString text = t.key + QLatin1Char('\n') + t.header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const auto &row : t.rows) {
        QStringList cells;
        for (const VerdictCell &c : row)
            cells << c.plain;
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

QByteArray VerdictJson(const Verdict &v, const View &view)
{
    QJsonObject root;
    QJsonArray flaps;
    for (int f = 0; f < 4; ++f)
        if (v.flaps.Shows(f))
            flaps.append(QString::fromLatin1(kFlapKeys[f]));
    root[QStringLiteral("flaps")] = flaps;
    QJsonArray pairs;
    for (const PairVerdict &p : v.pairs) {
        const MeasureRule &rule = RuleOf(p.measure);
        QJsonArray bands;
        const auto along = [&](double at) { return Number(ShownAlong(p.measure, at, view)); };
        for (const LeadBand &b : p.bands)
            bands.append(QJsonObject{{"from", along(b.from)}, {"to", along(b.to)}, {"lead", LeadKey(b.lead)},
                                     {kLargestKey, Number(ShownValue(p.measure, b.largest, view))}, {"at", along(b.at)}});
        pairs.append(QJsonObject{{"measure", QString::fromLatin1(rule.key)}, {"flaps", FlapKey(p.flap)},
                                 {"along", rule.byAltitude ? "altitude" : "speed"}, {"higherIsBetter", rule.higherIsBetter},
                                 {"evenUnder", Number(ShownValue(p.measure, rule.evenUnder, view))}, {"bands", bands}});
    }
    root[QStringLiteral("pairs")] = pairs;
    const char *const sides[2] = {"first", "second"};
    for (int a = 0; a < 2; ++a) {
        if (!v.present[size_t(a)]) {
            root[QString::fromLatin1(sides[a])] = QJsonValue();
            continue;
        }
        QJsonArray best, summary;
        for (const BestFigure &f : v.best[size_t(a)])
            best.append(QJsonObject{{"measure", QString::fromLatin1(RuleOf(f.measure).key)}, {"flaps", FlapKey(f.flap)},
                                    {"value", Number(ShownValue(f.measure, f.value, view))}, {"at", Number(ShownAlong(f.measure, f.at, view))}});
        for (size_t i = 0; i < v.summary[size_t(a)].size(); ++i) {
            const SummaryValue s = ShownSummary(v.summary[size_t(a)][i], view.units);
            const SummaryRule *rule = SummaryRuleOf(s.key);
            summary.append(QJsonObject{{"key", rule ? QString::fromLatin1(rule->name) : s.label}, {"text", s.text},
                                       {"value", Number(s.value)}});
        }
        root[QString::fromLatin1(sides[a])] = QJsonObject{{"name", v.names[size_t(a)]}, {"best", best}, {"summary", summary}};
    }
    QJsonArray rows;
    for (const AltitudeRow &r : AltitudeRows(v, view.units)) {
        QJsonObject row{{"altitude", Number(ToShown(Quantity::Altitude, r.altitude, view.units))}};
        for (const AltitudeCell &cell : r.cells)
            row[QString::fromLatin1(RuleOf(cell.measure).key)] = QJsonArray{Number(ShownValue(cell.measure, cell.values[0], view)),
                                                                            Number(ShownValue(cell.measure, cell.values[1], view))};
        rows.append(row);
    }
    root[QStringLiteral("byAltitude")] = rows;
    // The units of every number above.
    QJsonObject units;
    const std::pair<const char *, Quantity> kinds[] = {
        {"altitude", Quantity::Altitude}, {"speed", Quantity::Speed}, {"climb", Quantity::Climb}, {"weight", Quantity::Weight}};
    for (const auto &[key, quantity] : kinds)
        units[QString::fromLatin1(key)] = UnitKey(quantity, view.units);
    root[QStringLiteral("units")] = units;
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString MeasureLabel(Measure m, int flap) { return Label(m, flap); }
