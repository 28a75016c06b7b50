#include "charts/fill_common.h"

int AddReadPoint(TChartSeries &series, const QString &xText, int xRow, const QString &yText, int yRow)
{
    const double x = ReadInRow(xRow, [&] { return ChartValue(xText); });
    const double y = ReadInRow(yRow, [&] { return ChartValue(yText); });
    return series.AddXY(x, y);
}

void TitleAndActivate(TChartSeries &series, const QString &prefix, const QString &name)
{
    series.SetTitle(prefix + name);
    series.SetActive(true);
}
