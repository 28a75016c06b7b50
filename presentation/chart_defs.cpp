#include "presentation/chart_defs.h"

#include "presentation/chart.h"
#include "presentation/tracker.h"
#include "presentation/unit_ticker.h"

QVector<int> ChartDef::SeriesOf(int aircraft) const
{
    QVector<int> out;
    for (int i = 0; i < series.size(); ++i)
        if (series[i].aircraft == aircraft)
            out.push_back(i);
    return out;
}

void BuildSeries(TChartSeriesList &list, const ChartDef &def)
{
    for (const SeriesDef &row : def.series) {
        TChartSeries &s = list.Add(row.kind, row.name);
        s.SetTitle(row.title);
        s.SetSeriesColor(QColor::fromRgb(row.color));
        s.SetLinePen({row.penWidth, row.penStyle});
        s.SetShowInLegend(row.legend);
        s.SetMarksVisible(row.marks);
    }
}

TChart *BuildChart(const ChartDef &def, QWidget *parent, UnitSystem units)
{
    auto *chart = new TChart(parent);
    chart->setObjectName(def.name);
    chart->SetDefinition(&def);
    chart->SetTag(def.tag);
    chart->SetChartTitle(def.title);
    ShowUnits(*chart, units);
    BuildSeries(chart->Series(), def);
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
    const ChartDef *def = chart.Definition();
    if (!def)
        return;
    chart.SetAxisTitles(ShownAxisTitle(def->bottom, units), ShownAxisTitle(def->left, units));
    chart.SetTitleUnits(units);
    chart.xAxis->setTicker(TickerFor(def->bottom.kind, units));
    chart.yAxis->setTicker(TickerFor(def->left.kind, units));
}

void PairPartners(const QVector<TChart *> &charts)
{
    for (TChart *chart : charts) {
        if (!chart->Definition() || !chart->Definition()->mirrorOf)
            continue;
        for (const TChart *other : charts)
            if (other->Definition() == chart->Definition()->mirrorOf)
                chart->SetPartner(other);
    }
}
