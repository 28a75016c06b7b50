#pragma once
// Test fixtures for the chart fillers: the series lists of the nine comparison charts
// as the main window creates them, and aircraft tables written to a temporary data
// directory.
#include "catalogue/aircraft.h"
#include "charts/refresh.h"
#include "chart_table_fixture.h"
#include "presentation/series.h"
#include <QDir>
#include <QFile>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QTemporaryDir>
#include <memory>

using namespace Qt::StringLiterals;

// The label colour the fixtures hand the fillers: not a palette colour, so a filler
// that took another colour shows.
inline const QColor TestLabelColor{0x12, 0x34, 0x56};

// The creation title of series i of a chart.
inline QString CreationTitle(const QString &chartName, int i)
{
    return ChartDefNamed(chartName).series[i].title;
}

struct ChartSet {
    TChartSeriesList TASbyAlt, MaxROCbyAlt, ROCatConst, TurnbySpeed, FunPlot, C1, C2, C3, C4;
    // Each list as the main window creates it, from the comparison's table.
    ComparisonCharts charts = RefreshedCharts(
        [this](const ChartEntry &entry) {
            TChartSeriesList *list = ListNamed(entry.def->name);
            BuildSeries(*list, *entry.def);
            return list;
        },
        TestLabelColor);

    TChartSeriesList *ListNamed(const QString &name)
    {
        const std::pair<TChartSeriesList *, QString> named[] = {
            {&TASbyAlt, u"chrt_TASbyAlt"_s}, {&MaxROCbyAlt, u"chrt_MaxROCbyAlt"_s}, {&ROCatConst, u"chrt_ROCatConst"_s},
            {&TurnbySpeed, u"chrt_TurnbySpeed"_s}, {&FunPlot, u"chrt_FunPlot"_s}, {&C1, u"ch_C1"_s}, {&C2, u"ch_C2"_s},
            {&C3, u"ch_C3"_s}, {&C4, u"ch_C4"_s}};
        for (const auto &[list, listName] : named)
            if (listName == name)
                return list;
        throw VarnelError(u"No list for "_s + name);
    }
    ChartSet() = default;
    ChartSet(const ChartSet &) = delete;
    ChartSet &operator=(const ChartSet &) = delete;
};

// The points of a series as (x, y) pairs, in index order.
inline QList<QPointF> Points(const TChartSeries &s)
{
    QList<QPointF> out;
    for (int i = 0; i < s.Count(); ++i)
        out << QPointF(s.XValues[i], s.YValues[i]);
    return out;
}

// The labels of a series' points that have one, by point index.
inline QMap<int, QString> Labels(const TChartSeries &s)
{
    QMap<int, QString> out;
    for (int i = 0; i < s.MarkSlotCount(); ++i)
        if (const TMarksItem *m = s.MarkSlot(i); m && !m->DisplayText().isEmpty())
            out.insert(i, m->DisplayText());
    return out;
}

// Aircraft tables on disk, read into an aircraft value as the catalogue scan does.
class AircraftFiles {
public:
    AircraftPtr make(const QString &name, const QStringList &speedRows, const QStringList &turnRows)
    {
        write(QStringLiteral("DataSpeed/") + name + QStringLiteral("_speed.txt"), speedRows);
        write(QStringLiteral("DataTurn/") + name + QStringLiteral("_turn.txt"), turnRows);
        return ReadAircraft(DataPaths{dir_.path()}, name);
    }

private:
    void write(const QString &relative, const QStringList &rows)
    {
        QDir(dir_.path()).mkpath(QFileInfo(relative).path());
        QFile f(dir_.filePath(relative));
        f.open(QIODevice::WriteOnly);
        f.write(rows.join(QStringLiteral("\r\n")).toLatin1());
        if (!rows.isEmpty())
            f.write("\r\n");
    }
    QTemporaryDir dir_;
};
