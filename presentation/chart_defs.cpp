#include "presentation/chart_defs.h"

#include "core/error.h"
#include "core/measures.h"
#include "presentation/chart.h"
#include "presentation/tracker.h"
#include "presentation/unit_ticker.h"

#include <QtGlobal>

#include <iterator>


namespace {
// A series row less its component name: what a mirror chart shares with its partner.
struct Look {
    SeriesKind kind;
    const char *title;
    QRgb color;
    int penWidth;
    PenStyle penStyle;
    Legend legend;
    Marks marks;
};

constexpr SeriesKind H = SeriesKind::THorizLineSeries;
constexpr SeriesKind L = SeriesKind::TLineSeries;
constexpr PenStyle Solid = PenStyle::Solid;
constexpr PenStyle Dots = PenStyle::SmallDots;
constexpr Legend InLegend = Legend::Shown, NoLegend = Legend::Hidden;
constexpr Marks WithMarks = Marks::Shown, NoMarks = Marks::Hidden;

// Speed by altitude and climb by altitude: 100% and MAX power for each aircraft.
const Look AltitudeRows[] = {
    {H, "100%", 0x0000FF, 2, Solid, InLegend, NoMarks},
    {H, QT_TRANSLATE_NOOP("Varnel", "Макс."), 0x004080, 2, Solid, InLegend, NoMarks},
    {H, "100%", 0xFF0000, 2, Solid, InLegend, NoMarks},
    {H, QT_TRANSLATE_NOOP("Varnel", "Макс."), 0x9D0000, 2, Solid, InLegend, NoMarks},
};

const Look ClimbAtSpeedRows[] = {
    {H, QT_TRANSLATE_NOOP("Varnel", "Скороподъемность"), 0x0000FF, 2, Solid, InLegend, NoMarks},
    {H, QT_TRANSLATE_NOOP("Varnel", "Скороподъемность"), 0xFF0000, 2, Solid, InLegend, NoMarks},
};

// One row per flap setting (none, 1, 2, 3), first aircraft then second.
const Look FlapRows[] = {
    {H, QT_TRANSLATE_NOOP("Varnel", "Без закрылков"), 0x0000FF, 2, Solid, InLegend, NoMarks},
    {H, QT_TRANSLATE_NOOP("Varnel", "Закрылки1"), 0x0000D2, 2, Solid, InLegend, NoMarks},
    {H, QT_TRANSLATE_NOOP("Varnel", "Закрылки2"), 0x0000AF, 2, Solid, InLegend, NoMarks},
    {H, QT_TRANSLATE_NOOP("Varnel", "Закрылки3"), 0x000082, 2, Solid, InLegend, NoMarks},
    {H, QT_TRANSLATE_NOOP("Varnel", "Без закрылков"), 0xFF0000, 2, Solid, InLegend, NoMarks},
    {H, QT_TRANSLATE_NOOP("Varnel", "Закрылки1"), 0xD20000, 2, Solid, InLegend, NoMarks},
    {H, QT_TRANSLATE_NOOP("Varnel", "Закрылки2"), 0xAF0000, 2, Solid, InLegend, NoMarks},
    {H, QT_TRANSLATE_NOOP("Varnel", "Закрылки3"), 0x820000, 2, Solid, InLegend, NoMarks},
};

// The turn-rate diagram's reference lines, after its eight flap curves: "0g" (never
// filled), the six load-factor lines and the seven radius lines.
const Look ReferenceRows[] = {
    {L, "0g", 0x000000, 1, Dots, NoLegend, NoMarks},
    {L, "1g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {L, "2g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {L, "3g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {L, "4g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {L, "5g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {L, "6g", 0x000000, 1, Dots, NoLegend, WithMarks},
    {L, QT_TRANSLATE_NOOP("Varnel", "100м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {L, QT_TRANSLATE_NOOP("Varnel", "200м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {L, QT_TRANSLATE_NOOP("Varnel", "300м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {L, QT_TRANSLATE_NOOP("Varnel", "400м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {L, QT_TRANSLATE_NOOP("Varnel", "500м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {L, QT_TRANSLATE_NOOP("Varnel", "600м"), 0x000000, 1, Solid, NoLegend, WithMarks},
    {L, "700m", 0x000000, 1, Solid, NoLegend, WithMarks},  // Latin m, as the form has it
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

struct ChartRow {
    const char *name;
    const char *page;
    int tag;
    const char *title;
    Axis bottom, left;
    const Look *rows;
    const char *const *names;
    int count;
    const Look *more = nullptr;  // rows that follow `rows` in the same chart
    int moreCount = 0;
};

// How the tracker reads a chart: along which axis, the block of each aircraft's
// curves (the first aircraft's from 0, the second's from `secondFrom`, all aircraft
// curves before `aircraftSeries`), the turn figures, and the chart whose series titles
// name this chart's curves (a mirror's partner).
struct TrackRow {
    const char *chart;
    bool byAltitude;
    int secondFrom;
    int aircraftSeries;
    bool turnFigures = false;
    const char *titleSource = "";
};

const TrackRow TrackRows[] = {
    {.chart = "ch_C1", .byAltitude = true, .secondFrom = 2, .aircraftSeries = 4, .titleSource = "chrt_TASbyAlt"},
    {.chart = "ch_C2", .byAltitude = true, .secondFrom = 2, .aircraftSeries = 4, .titleSource = "chrt_MaxROCbyAlt"},
    {.chart = "ch_C3", .byAltitude = false, .secondFrom = 1, .aircraftSeries = 2, .titleSource = "chrt_ROCatConst"},
    {.chart = "ch_C4", .byAltitude = false, .secondFrom = 4, .aircraftSeries = 8, .titleSource = "chrt_TurnbySpeed"},
    {.chart = "chrt_TASbyAlt", .byAltitude = true, .secondFrom = 2, .aircraftSeries = 4},
    {.chart = "chrt_MaxROCbyAlt", .byAltitude = true, .secondFrom = 2, .aircraftSeries = 4},
    {.chart = "chrt_ROCatConst", .byAltitude = false, .secondFrom = 1, .aircraftSeries = 2},
    {.chart = "chrt_TurnbySpeed", .byAltitude = false, .secondFrom = 4, .aircraftSeries = 8},
    {.chart = "chrt_FunPlot", .byAltitude = false, .secondFrom = 4, .aircraftSeries = 8, .turnFigures = true},
};

// Which curves compare, on each full-page chart (a mirror chart compares as its partner
// does): pairs of series (the first aircraft's curve, the second's of the same kind) and
// the measure whose rule (core/measures.h) says when they are even and which is better.
// 100% with 100%, MAX with MAX.
const CurvePair SpeedPairs[] = {{0, 2, Measure::Speed100}, {1, 3, Measure::SpeedMax}};
const CurvePair ClimbPairs[] = {{0, 2, Measure::Climb100}, {1, 3, Measure::ClimbMax}};
const CurvePair ClimbAtSpeedPairs[] = {{0, 1, Measure::ClimbAtSpeed}};
// Per flap setting.
const CurvePair TurnTimePairs[] = {{0, 4, Measure::TurnTime}, {1, 5, Measure::TurnTime}, {2, 6, Measure::TurnTime},
                                   {3, 7, Measure::TurnTime}};
const CurvePair TurnRatePairs[] = {{0, 4, Measure::TurnRate}, {1, 5, Measure::TurnRate}, {2, 6, Measure::TurnRate},
                                   {3, 7, Measure::TurnRate}};

struct CompareRow {
    const char *chart;
    const CurvePair *pairs;
    int count;
};

#define PAIRS(list) .pairs = list, .count = int(std::size(list))
const CompareRow CompareRows[] = {
    {.chart = "chrt_TASbyAlt", PAIRS(SpeedPairs)},
    {.chart = "chrt_MaxROCbyAlt", PAIRS(ClimbPairs)},
    {.chart = "chrt_ROCatConst", PAIRS(ClimbAtSpeedPairs)},
    {.chart = "chrt_TurnbySpeed", PAIRS(TurnTimePairs)},
    {.chart = "chrt_FunPlot", PAIRS(TurnRatePairs)},
};
#undef PAIRS

// The compare row of a chart, or of its partner for a mirror chart.
const CompareRow &CompareRowOf(const char *chart, const char *partner)
{
    for (const CompareRow &row : CompareRows)
        if (qstrcmp(row.chart, chart) == 0 || qstrcmp(row.chart, partner) == 0)
            return row;
    throw VarnelError(QStringLiteral("No comparison for the chart %1").arg(QString::fromLatin1(chart)));
}

ShadingSetup ShadingOf(const CompareRow &row, bool byAltitude)
{
    return {QVector<CurvePair>(row.pairs, row.pairs + row.count), byAltitude};
}

// One name per row, checked when compiling.
template <size_t N, size_t M>
constexpr int pair(const Look (&)[N], const char *const (&)[M])
{
    static_assert(N == M, "every series row needs its component name");
    return int(N);
}

template <size_t N, size_t K, size_t M>
constexpr int pair(const Look (&)[N], const Look (&)[K], const char *const (&)[M])
{
    static_assert(N + K == M, "every series row needs its component name");
    return int(N);
}

#define SERIES(rows, names) rows, names, pair(rows, names)
#define SERIES_THEN(rows, more, names) rows, names, pair(rows, more, names), more, int(std::size(more))

const ChartRow ChartRows[] = {
    {"ch_C1", "tab_Common", 1, QT_TRANSLATE_NOOP("Varnel", "Макс. истинная скорость на заданной высоте"), Speed,
     Altitude, SERIES(AltitudeRows, C1Names)},
    {"ch_C2", "tab_Common", 2, QT_TRANSLATE_NOOP("Varnel", "Макс. скороподъемность на заданной высоте"), Climb,
     AltitudeTight, SERIES(AltitudeRows, C2Names)},
    {"ch_C3", "tab_Common", 3, QT_TRANSLATE_NOOP("Varnel", "Скорость набора высоты при постоянной истинной скорости (Выс=0м)"),
     SpeedK, Climb, SERIES(ClimbAtSpeedRows, C3Names)},
    {"ch_C4", "tab_Common", 4, QT_TRANSLATE_NOOP("Varnel", "Время поворота на высоте 1000м"), SpeedK, Time,
     SERIES(FlapRows, C4Names)},
    {"chrt_TASbyAlt", "tab_SpeedByAlt", 0, QT_TRANSLATE_NOOP("Varnel", "Макс. истинная скорость на заданной высоте"),
     Speed, Altitude, SERIES(AltitudeRows, TASNames)},
    {"chrt_MaxROCbyAlt", "tab_ROCByAlt", 0, QT_TRANSLATE_NOOP("Varnel", "Макс. скороподъемность на заданной высоте"),
     Climb, Altitude, SERIES(AltitudeRows, MaxROCNames)},
    {"chrt_ROCatConst", "tab_ROCAtTAS", 0, QT_TRANSLATE_NOOP("Varnel", "Скороподъемность при постоянной истинной скорости (Высота=0м)"),
     Speed, Climb, SERIES(ClimbAtSpeedRows, ROCNames)},
    {"chrt_TurnbySpeed", "tab_TurnBySpeed", 0, QT_TRANSLATE_NOOP("Varnel", "Скорость поворота на высоте 1000м"), Speed,
     Time, SERIES(FlapRows, TurnNames)},
    {"chrt_FunPlot", "TabSheet5", 0, QT_TRANSLATE_NOOP("Varnel", "Мегаграфик"), SpeedK, Rate,
     SERIES_THEN(FlapRows, ReferenceRows, FunNames)},
};

#undef SERIES
#undef SERIES_THEN

static_assert(std::size(TrackRows) == std::size(ChartRows), "every chart needs its tracker row");

QVector<ChartDef> makeDefs()
{
    QVector<ChartDef> defs;
    for (size_t k = 0; k < std::size(ChartRows); ++k) {
        const ChartRow &c = ChartRows[k];
        const TrackRow &t = TrackRows[k];
        Q_ASSERT(qstrcmp(c.name, t.chart) == 0);
        auto axis = [](const Axis &a) {
            return AxisTitle{QString::fromUtf8(a.text), QString::fromUtf8(a.quantity), QString::fromUtf8(a.unit), a.kind};
        };
        ChartDef def{QString::fromUtf8(c.name), QString::fromUtf8(c.page), c.tag, QString::fromUtf8(c.title),
                      axis(c.bottom), axis(c.left), {},
                      t.byAltitude, t.turnFigures, QString::fromUtf8(t.titleSource),
                      ShadingOf(CompareRowOf(c.name, t.titleSource), t.byAltitude),
                      CompareRowOf(c.name, t.titleSource).pairs[0].measure};
        for (int i = 0; i < c.count + c.moreCount; ++i) {
            const Look &r = i < c.count ? c.rows[i] : c.more[i - c.count];
            const int aircraft = i < t.secondFrom ? 1 : i < t.aircraftSeries ? 2 : 0;
            const int kind = aircraft == 1 ? i : aircraft == 2 ? i - t.secondFrom : -1;
            def.series.push_back({QString::fromUtf8(c.names[i]), r.kind, QString::fromUtf8(r.title), r.color,
                                  r.penWidth, r.penStyle, r.legend == Legend::Shown, r.marks == Marks::Shown, aircraft,
                                  kind});
        }
        defs.push_back(def);
    }
    return defs;
}
}  // namespace

const QVector<ChartDef> &ChartDefs()
{
    static const QVector<ChartDef> defs = makeDefs();
    return defs;
}

const ChartDef *FindChartDef(const QString &chartName)
{
    for (const ChartDef &d : ChartDefs())
        if (d.name == chartName)
            return &d;
    return nullptr;
}

namespace {
const ChartDef &definition(const QString &chartName)
{
    const ChartDef *def = FindChartDef(chartName);
    if (!def)
        throw VarnelError(QStringLiteral("Component '%1' not found").arg(chartName));
    return *def;
}
}  // namespace

void BuildSeries(TChartSeriesList &list, const QString &chartName)
{
    for (const SeriesDef &row : definition(chartName).series) {
        TChartSeries &s = list.Add(row.kind, row.name);
        s.SetTitle(row.title);
        s.SetSeriesColor(QColor::fromRgb(row.color));
        s.SetLinePen({row.penWidth, row.penStyle});
        s.SetShowInLegend(row.legend);
        s.SetMarksVisible(row.marks);
    }
}

TChart *BuildChart(const QString &chartName, QWidget *parent)
{
    const ChartDef &def = definition(chartName);
    auto *chart = new TChart(parent);
    chart->setObjectName(def.name);
    chart->SetTag(def.tag);
    chart->SetChartTitle(def.title);
    ShowUnits(*chart, ShownUnits());
    BuildSeries(chart->Series(), chartName);
    TrackerSetup track;
    track.measure = def.measure;
    track.line = def.readByAltitude ? Qt::Horizontal : Qt::Vertical;
    track.turnFigures = def.turnFigures;
    for (const SeriesDef &row : def.series)
        track.curves.push_back({row.aircraft, row.curveKind, row.title});
    chart->Tracker().Configure(track);
    chart->Shading().Configure(def.shading);
    chart->SyncNow();
    return chart;
}

void ShowUnits(TChart &chart, UnitSystem units)
{
    const ChartDef &def = definition(chart.objectName());
    chart.SetAxisTitles(ShownAxisTitle(def.bottom, units), ShownAxisTitle(def.left, units));
    chart.SetTitleUnits(units);
    chart.xAxis->setTicker(TickerFor(def.bottom.kind, units));
    chart.yAxis->setTicker(TickerFor(def.left.kind, units));
}

void PairPartners(const QVector<TChart *> &charts)
{
    auto named = [&](const QString &name) -> const TChart * {
        for (const TChart *c : charts)
            if (c->objectName() == name)
                return c;
        return nullptr;
    };
    for (TChart *chart : charts)
        if (const ChartDef *def = FindChartDef(chart->objectName()); def && !def->titleSource.isEmpty())
            chart->Tracker().SetPartner(named(def->titleSource));
}
