#pragma once
// The charts of the comparison's table found by their component names, as tests and
// tools find them (the program itself never looks a chart up by name).
#include "core/error.h"
#include "pages/comparison_table.h"
#include "presentation/chart.h"

#include <QString>

// The row of the chart named `chartName`; an unknown name raises an error.
inline const ChartDef &ChartDefNamed(const QString &chartName)
{
    for (const ChartDef *def : ChartDefs())
        if (def->name == chartName)
            return *def;
    throw VarnelError(QStringLiteral("Component '%1' not found").arg(chartName));
}

// How the chart named `chartName` is filled (none on a mirror).
inline ChartFill ChartFillNamed(const QString &chartName)
{
    for (const PageDef &page : ComparisonTable())
        for (const ChartEntry &entry : page.charts)
            if (entry.def->name == chartName)
                return entry.fill;
    return {};
}

inline TChart *BuildChart(const QString &chartName, QWidget *parent, UnitSystem units = UnitSystem::Metric)
{
    return BuildChart(ChartDefNamed(chartName), parent, units);
}

inline void BuildSeries(TChartSeriesList &list, const QString &chartName) { BuildSeries(list, ChartDefNamed(chartName)); }
