#include "pages/comparison_table.h"

#include "charts/altitude.h"
#include "charts/turn_rate.h"
#include "charts/turn_times.h"
#include "core/error.h"

#include <QCoreApplication>

#include <deque>
#include <span>

using namespace Qt::StringLiterals;

namespace {
// A series row less its component name: what a mirror chart shares with its partner,
// with the aircraft whose curve it is (1 or 2; 0: a reference line). An aircraft's
// curves of one kind stand at the same place in its block.
struct Look {
    int aircraft;
    SeriesKind kind;
    const char *title;
    QRgb color;
    int penWidth;
    PenStyle penStyle;
    Legend legend;
    Marks marks;
};

constexpr int A1 = 1, A2 = 2, None = 0;
constexpr SeriesKind H = SeriesKind::THorizLineSeries;
constexpr SeriesKind L = SeriesKind::TLineSeries;
constexpr PenStyle Solid = PenStyle::Solid;
constexpr PenStyle Dots = PenStyle::SmallDots;
constexpr Legend InLegend = Legend::Shown, NoLegend = Legend::Hidden;
constexpr Marks WithMarks = Marks::Shown, NoMarks = Marks::Hidden;

// Speed by altitude and climb by altitude: 100% and MAX power for each aircraft.
const Look AltitudeRows[] = {
    {A1, H, "100%", 0x0000FF, 2, Solid, InLegend, NoMarks},
    {A1, H, QT_TRANSLATE_NOOP("Varnel", "Макс."), 0x004080, 2, Solid, InLegend, NoMarks},
    {A2, H, "100%", 0xFF0000, 2, Solid, InLegend, NoMarks},
    {A2, H, QT_TRANSLATE_NOOP("Varnel", "Макс."), 0x9D0000, 2, Solid, InLegend, NoMarks},
};

const Look ClimbAtSpeedRows[] = {
    {A1, H, QT_TRANSLATE_NOOP("Varnel", "Скороподъемность"), 0x0000FF, 2, Solid, InLegend, NoMarks},
    {A2, H, QT_TRANSLATE_NOOP("Varnel", "Скороподъемность"), 0xFF0000, 2, Solid, InLegend, NoMarks},
};

// One row per flap setting (none, 1, 2, 3), first aircraft then second.
const Look FlapRows[] = {
    {A1, H, QT_TRANSLATE_NOOP("Varnel", "Без закрылков"), 0x0000FF, 2, Solid, InLegend, NoMarks},
    {A1, H, QT_TRANSLATE_NOOP("Varnel", "Закрылки1"), 0x0000D2, 2, Solid, InLegend, NoMarks},
    {A1, H, QT_TRANSLATE_NOOP("Varnel", "Закрылки2"), 0x0000AF, 2, Solid, InLegend, NoMarks},
    {A1, H, QT_TRANSLATE_NOOP("Varnel", "Закрылки3"), 0x000082, 2, Solid, InLegend, NoMarks},
    {A2, H, QT_TRANSLATE_NOOP("Varnel", "Без закрылков"), 0xFF0000, 2, Solid, InLegend, NoMarks},
    {A2, H, QT_TRANSLATE_NOOP("Varnel", "Закрылки1"), 0xD20000, 2, Solid, InLegend, NoMarks},
    {A2, H, QT_TRANSLATE_NOOP("Varnel", "Закрылки2"), 0xAF0000, 2, Solid, InLegend, NoMarks},
    {A2, H, QT_TRANSLATE_NOOP("Varnel", "Закрылки3"), 0x820000, 2, Solid, InLegend, NoMarks},
};

// The turn-rate diagram's reference lines, after its eight flap curves: "0g" (never
// filled), the six load-factor lines and the seven radius lines.
const Look ReferenceRows[] = {
    {None, L, "0g", 0x000000, 1, Dots, NoLegend, NoMarks},
    {None, L, "1g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {None, L, "2g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {None, L, "3g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {None, L, "4g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {None, L, "5g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {None, L, "6g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {None, L, QT_TRANSLATE_NOOP("Varnel", "100м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {None, L, QT_TRANSLATE_NOOP("Varnel", "200м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {None, L, QT_TRANSLATE_NOOP("Varnel", "300м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {None, L, QT_TRANSLATE_NOOP("Varnel", "400м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {None, L, QT_TRANSLATE_NOOP("Varnel", "500м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {None, L, QT_TRANSLATE_NOOP("Varnel", "600м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {None, L, "700m", 0x000000, 1, Solid, NoLegend, WithMarks},  // Latin m, as the form has it
};

// Component names of each chart's series, in list order.
const char *const C1Names[] = {"HorizLineSeries19", "HorizLineSeries20", "HorizLineSeries21", "HorizLineSeries22"};
const char *const C2Names[] = {"HorizLineSeries23", "HorizLineSeries24", "HorizLineSeries25", "HorizLineSeries26"};
const char *const C3Names[] = {"HorizLineSeries27", "HorizLineSeries28"};
const char *const C4Names[] = {"HorizLineSeries29", "HorizLineSeries30", "HorizLineSeries31", "HorizLineSeries32",
                               "HorizLineSeries33", "HorizLineSeries34", "HorizLineSeries35", "HorizLineSeries36"};
const char *const TASNames[] = {"HorizLineSeries1", "HorizLineSeries2", "HorizLineSeries3", "HorizLineSeries4"};
const char *const MaxROCNames[] = {"HorizLineSeries5", "HorizLineSeries6", "HorizLineSeries7", "HorizLineSeries8"};
const char *const ROCNames[] = {"HorizLineSeries9", "HorizLineSeries11"};
const char *const TurnNames[] = {"Series5", "Series6", "Series7", "Series8", "Series1", "Series2", "Series3", "Series4"};
const char *const FunNames[] = {
    "HorizLineSeries15", "HorizLineSeries16", "HorizLineSeries17", "HorizLineSeries18", "HorizLineSeries10",
    "HorizLineSeries12", "HorizLineSeries13", "HorizLineSeries14", "Series9", "Series10", "Series11",
    "Series12", "Series13", "Series14", "Series15", "Series16", "Series17", "Series18", "Series19",
    "Series20", "Series21", "Series22"};

// The axes: title as drawn in metric units, quantity, unit, what the values are.
struct Axis {
    const char *text, *quantity, *unit;
    Quantity kind;
};
constexpr Axis Speed{QT_TRANSLATE_NOOP("Varnel", "Скорость (км/ч)"), QT_TRANSLATE_NOOP("Varnel", "Скорость"), QT_TRANSLATE_NOOP("Varnel", "км/ч"), Quantity::Speed};
constexpr Axis SpeedK{QT_TRANSLATE_NOOP("Varnel", "Скорость (Км/ч)"), QT_TRANSLATE_NOOP("Varnel", "Скорость"), QT_TRANSLATE_NOOP("Varnel", "Км/ч"), Quantity::Speed};  // capital K, as the form has it
constexpr Axis Altitude{QT_TRANSLATE_NOOP("Varnel", "Высота (м)"), QT_TRANSLATE_NOOP("Varnel", "Высота"), QT_TRANSLATE_NOOP("Varnel", "м"), Quantity::Altitude};
constexpr Axis AltitudeTight{QT_TRANSLATE_NOOP("Varnel", "Высота(м)"), QT_TRANSLATE_NOOP("Varnel", "Высота"), QT_TRANSLATE_NOOP("Varnel", "м"), Quantity::Altitude};  // no space, as the form has it
constexpr Axis Climb{QT_TRANSLATE_NOOP("Varnel", "Скороподъемность (м/с)"), QT_TRANSLATE_NOOP("Varnel", "Скороподъемность"), QT_TRANSLATE_NOOP("Varnel", "м/с"), Quantity::Climb};
constexpr Axis Time{QT_TRANSLATE_NOOP("Varnel", "Время (сек)"), QT_TRANSLATE_NOOP("Varnel", "Время"), QT_TRANSLATE_NOOP("Varnel", "сек"), Quantity::Time};
constexpr Axis Rate{QT_TRANSLATE_NOOP("Varnel", "Град./сек"), "", QT_TRANSLATE_NOOP("Varnel", "Град./сек"), Quantity::TurnRate};

// Which curves compare (the first aircraft's, the second's of the same kind) and the
// measure whose rule (core/measures.h) says when they are even and which is better.
// 100% with 100%, MAX with MAX.
const CurvePair SpeedPairs[] = {{0, 2, Measure::Speed100}, {1, 3, Measure::SpeedMax}};
const CurvePair ClimbPairs[] = {{0, 2, Measure::Climb100}, {1, 3, Measure::ClimbMax}};
const CurvePair ClimbAtSpeedPairs[] = {{0, 1, Measure::ClimbAtSpeed}};
// Per flap setting.
const CurvePair TurnTimePairs[] = {{0, 4, Measure::TurnTime}, {1, 5, Measure::TurnTime}, {2, 6, Measure::TurnTime},
                                   {3, 7, Measure::TurnTime}};
const CurvePair TurnRatePairs[] = {{0, 4, Measure::TurnRate}, {1, 5, Measure::TurnRate}, {2, 6, Measure::TurnRate},
                                   {3, 7, Measure::TurnRate}};

// A chart: its series' looks (`more` follow `looks`) and their component names; which
// curves compare (the tracker reads the chart along their measure's axis: across at an
// altitude, or upright at a speed) and whether the tracker gives the turn figures. A
// mirror chart takes the pairs of the chart it mirrors.
struct ChartRow {
    const char *name;
    int tag;
    const char *title;
    Axis bottom, left;
    std::span<const Look> looks;
    std::span<const char *const> names;
    std::span<const Look> more = {};
    std::span<const CurvePair> pairs = {};
    bool turnFigures = false;
};

const ChartRow TASbyAlt{"chrt_TASbyAlt", 0, QT_TRANSLATE_NOOP("Varnel", "Макс. истинная скорость на заданной высоте"),
                        Speed, Altitude, AltitudeRows, TASNames, {}, SpeedPairs};
const ChartRow MaxROCbyAlt{"chrt_MaxROCbyAlt", 0, QT_TRANSLATE_NOOP("Varnel", "Макс. скороподъемность на заданной высоте"),
                           Climb, Altitude, AltitudeRows, MaxROCNames, {}, ClimbPairs};
const ChartRow ROCatConst{"chrt_ROCatConst", 0, QT_TRANSLATE_NOOP("Varnel", "Скороподъемность при постоянной истинной скорости (Высота=0м)"),
                          Speed, Climb, ClimbAtSpeedRows, ROCNames, {}, ClimbAtSpeedPairs};
const ChartRow TurnbySpeed{"chrt_TurnbySpeed", 0, QT_TRANSLATE_NOOP("Varnel", "Скорость поворота на высоте 1000м"),
                           Speed, Time, FlapRows, TurnNames, {}, TurnTimePairs};
const ChartRow FunPlot{"chrt_FunPlot", 0, QT_TRANSLATE_NOOP("Varnel", "Мегаграфик"), SpeedK, Rate, FlapRows, FunNames,
                       ReferenceRows, TurnRatePairs, true};
const ChartRow C1{"ch_C1", 1, QT_TRANSLATE_NOOP("Varnel", "Макс. истинная скорость на заданной высоте"), Speed,
                  Altitude, AltitudeRows, C1Names};
const ChartRow C2{"ch_C2", 2, QT_TRANSLATE_NOOP("Varnel", "Макс. скороподъемность на заданной высоте"), Climb,
                  AltitudeTight, AltitudeRows, C2Names};
const ChartRow C3{"ch_C3", 3, QT_TRANSLATE_NOOP("Varnel", "Скорость набора высоты при постоянной истинной скорости (Выс=0м)"),
                  SpeedK, Climb, ClimbAtSpeedRows, C3Names};
const ChartRow C4{"ch_C4", 4, QT_TRANSLATE_NOOP("Varnel", "Время поворота на высоте 1000м"), SpeedK, Time, FlapRows,
                  C4Names};

AxisTitle AxisOf(const Axis &a)
{
    return AxisTitle{QString::fromUtf8(a.text), QString::fromUtf8(a.quantity), QString::fromUtf8(a.unit), a.kind};
}

ChartDef MakeDef(const ChartRow &c, const ChartDef *mirrorOf)
{
    if (c.looks.size() + c.more.size() != c.names.size())
        throw VarnelError(QStringLiteral("Every series of %1 needs its component name").arg(QString::fromLatin1(c.name)));
    const ShadingSetup shading =
        mirrorOf ? mirrorOf->shading
                 : ShadingSetup{QVector<CurvePair>(c.pairs.begin(), c.pairs.end()), RuleOf(c.pairs.front().measure).byAltitude};
    ChartDef def{QString::fromUtf8(c.name), c.tag, QString::fromUtf8(c.title), AxisOf(c.bottom), AxisOf(c.left), {},
                 shading.byLeftAxis, c.turnFigures, mirrorOf, shading, shading.pairs.first().measure};
    int kinds[3] = {0, 0, 0};  // curves so far of no aircraft, the first and the second
    for (size_t i = 0; i < c.names.size(); ++i) {
        const Look &r = i < c.looks.size() ? c.looks[i] : c.more[i - c.looks.size()];
        const int kind = r.aircraft == None ? -1 : kinds[r.aircraft]++;
        def.series.push_back({QString::fromUtf8(c.names[i]), r.kind, QString::fromUtf8(r.title), r.color, r.penWidth,
                              r.penStyle, r.legend == Legend::Shown, r.marks == Marks::Shown, r.aircraft, kind});
    }
    return def;
}

QVector<PageDef> MakeTable()
{
    static std::deque<ChartDef> defs;  // where the pages' charts point
    const auto def = [](const ChartRow &row, const ChartDef *mirrorOf = nullptr) {
        return &defs.emplace_back(MakeDef(row, mirrorOf));
    };
    const ChartDef *tas = def(TASbyAlt), *maxRoc = def(MaxROCbyAlt), *roc = def(ROCatConst), *turn = def(TurnbySpeed),
                   *fun = def(FunPlot);
    using M = ComparisonPageMembers;
    // The four pages that show one chart of the common page alone follow it in the
    // order of those charts' Tags (1 to 4).
    return {
        {&M::tab_Common, u"tab_Common"_s, QT_TRANSLATE_NOOP("Varnel", "Общая таблица"), u"overview"_s,
         {{&M::ch_C1, def(C1, tas), {}}, {&M::ch_C2, def(C2, maxRoc), {}}, {&M::ch_C3, def(C3, roc), {}},
          {&M::ch_C4, def(C4, turn), {}}}},
        {&M::tab_SpeedByAlt, u"tab_SpeedByAlt"_s, QT_TRANSLATE_NOOP("Varnel", "Макс. истинная скорость на заданной высоте"),
         u"speed-by-altitude"_s, {{&M::chrt_TASbyAlt, tas, SpeedByAltitudeFill}}},
        {&M::tab_ROCByAlt, u"tab_ROCByAlt"_s, QT_TRANSLATE_NOOP("Varnel", "Макс. скороподъемность на заданной высоте"),
         u"climb-by-altitude"_s, {{&M::chrt_MaxROCbyAlt, maxRoc, ClimbByAltitudeFill}}},
        {&M::tab_ROCAtTAS, u"tab_ROCAtTAS"_s,
         QT_TRANSLATE_NOOP("Varnel", "Скороподъемность при постоянной истинной скорости (Высота=0м)"), u"climb-at-speed"_s,
         {{&M::chrt_ROCatConst, roc, ClimbAtSpeedFill}}},
        {&M::tab_TurnBySpeed, u"tab_TurnBySpeed"_s, QT_TRANSLATE_NOOP("Varnel", "Скорость поворота (Высота=1000м)"),
         u"turn-time"_s, {{&M::chrt_TurnbySpeed, turn, TurnTimesFill}}},
        {&M::TabSheet5, u"TabSheet5"_s, QT_TRANSLATE_NOOP("Varnel", "Мегаграфик"), u"turn-rate"_s,
         {{&M::chrt_FunPlot, fun, TurnRateFill}}},
        // Who is better, and where: after the turn-rate diagram.
        {nullptr, u"tab_Verdict"_s, QT_TRANSLATE_NOOP("Varnel", "Кто лучше"), u"verdict"_s, {}, VerdictFunctions},
        // Every aircraft of the catalogue against the first: after the verdict.
        {nullptr, u"tab_Ranking"_s, QT_TRANSLATE_NOOP("Varnel", "Рейтинг"), u"ranking"_s, {}, RankingFunctions, false},
    };
}
}  // namespace

const QVector<PageDef> &ComparisonTable()
{
    static const QVector<PageDef> table = MakeTable();
    return table;
}

QVector<const ChartDef *> ChartDefs()
{
    QVector<const ChartDef *> defs;
    for (const PageDef &page : ComparisonTable())
        for (const ChartEntry &chart : page.charts)
            defs.push_back(chart.def);
    return defs;
}

ComparisonCharts RefreshedCharts(const std::function<TChartSeriesList *(const ChartEntry &)> &seriesOf,
                                 const QColor &labelColor)
{
    ComparisonCharts charts{{}, labelColor};
    for (const PageDef &page : ComparisonTable())
        for (const ChartEntry &entry : page.charts)
            charts.charts.push_back({entry.def, seriesOf(entry), entry.fill});
    return charts;
}
