#include "charts/fill_common.h"

int AddReadPoint(TChartSeries &series, const Cell &xAt, const Cell &yAt)
{
    const double x = ReadAt(xAt, [&] { return ChartValue(xAt.text); });
    const double y = ReadAt(yAt, [&] { return ChartValue(yAt.text); });
    return series.AddXY(x, y);
}

void TitleAndActivate(TChartSeries &series, const QString &prefix, const QString &name)
{
    series.SetTitle(prefix + name);
    series.SetActive(true);
}
