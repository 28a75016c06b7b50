#include "charts/fill_common.h"
#include "core/error.h"
#include "catalogue/readers.h"
#include <cmath>

const QString &FetchRow(const QStringList &rows, int index)
{
    if (index < 0 || index >= rows.size())
        throw ListIndexError(index).InRow(index);
    return rows[index];
}

double ChartValue(const QString &text)
{
    const double value = double(ReadValue(text));
    if (!std::isfinite(value))
        throw OverflowError();
    return value;
}

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
