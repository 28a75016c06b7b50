#include "charts/fill_common.h"
#include "core/error.h"
#include "catalogue/readers.h"
#include <cmath>

const QString &FetchRow(const QStringList &rows, int index)
{
    if (index < 0 || index >= rows.size())
        throw ListIndexError(index);
    return rows[index];
}

QString CutSpeedField(QString &row)
{
    if (row.contains(QLatin1Char('\t')))
        return CutField(row);
    QString last = row;
    row.clear();
    return last;
}

double ChartValue(const QString &text)
{
    const double value = double(ReadValue(text));
    if (!std::isfinite(value))
        throw OverflowError();
    return value;
}

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
