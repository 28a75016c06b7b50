#pragma once
// Test fixtures for the chart fillers: the nine comparison charts built with the
// series kinds, counts and creation titles of the main window, and aircraft tables
// written to a temporary data directory.
#include "catalogue/node_data.h"
#include "charts/refresh.h"
#include "presentation/series.h"
#include <QDir>
#include <QFile>
#include <QList>
#include <QPointF>
#include <QTemporaryDir>
#include <memory>

using namespace Qt::StringLiterals;

inline void AddSeries(TChartSeriesList &chart, TSeriesKind kind, const QStringList &titles)
{
    for (const QString &title : titles) {
        TChartSeries &s = chart.Add(kind, title);
        s.SetTitle(title);
    }
}

struct ChartSet {
    TChartSeriesList TASbyAlt, MaxROCbyAlt, ROCatConst, TurnbySpeed, FunPlot, C1, C2, C3, C4;
    ComparisonCharts charts{TASbyAlt, MaxROCbyAlt, ROCatConst, TurnbySpeed, FunPlot, C1, C2, C3, C4};

    static QStringList powerTitles() { return {u"100%"_s, u"Макс."_s, u"100%"_s, u"Макс."_s}; }
    static QStringList climbTitles() { return {u"Скороподъемность"_s, u"Скороподъемность"_s}; }
    static QStringList flapTitles()
    {
        const QStringList one{u"Без закрылков"_s, u"Закрылки1"_s, u"Закрылки2"_s, u"Закрылки3"_s};
        return one + one;
    }

    ChartSet()
    {
        for (TChartSeriesList *c : {&TASbyAlt, &MaxROCbyAlt, &C1, &C2})
            AddSeries(*c, TSeriesKind::HorizLine, powerTitles());
        for (TChartSeriesList *c : {&ROCatConst, &C3})
            AddSeries(*c, TSeriesKind::HorizLine, climbTitles());
        for (TChartSeriesList *c : {&TurnbySpeed, &C4})
            AddSeries(*c, TSeriesKind::HorizLine, flapTitles());
        AddSeries(FunPlot, TSeriesKind::HorizLine, flapTitles());
        AddSeries(FunPlot, TSeriesKind::Line,
                  {u"0g"_s, u"1g"_s, u"2g"_s, u"3g"_s, u"4g"_s, u"5g"_s, u"6g"_s, u"100м"_s,
                   u"200м"_s, u"300м"_s, u"400м"_s, u"500м"_s, u"600м"_s, u"700m"_s});
        for (int i = 8; i < FunPlot.Count(); ++i) {
            FunPlot[i].SetShowInLegend(false);
            FunPlot[i].SetMarksVisible(i >= 9);
        }
    }
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

// Aircraft tables on disk, loaded through TNodeData as the catalogue scan does.
class AircraftFiles {
public:
    std::unique_ptr<TNodeData> make(const QString &name, const QStringList &speedRows,
                                    const QStringList &turnRows)
    {
        write(QStringLiteral("DataSpeed/") + name + QStringLiteral("_speed.txt"), speedRows);
        write(QStringLiteral("DataTurn/") + name + QStringLiteral("_turn.txt"), turnRows);
        return std::make_unique<TNodeData>(DataPaths{dir_.path()}, name);
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
