#include "presentation/chart_language.h"

#include "core/language.h"
#include "presentation/chart.h"


void RetranslateChart(TChart &chart)
{
    // The marks keep their texts in source form too: they are laid out again.
    for (int i = 0; i < chart.Series().Count(); ++i)
        if (chart.Series()[i].MarksVisible())
            chart.Series()[i].MarksChanged();
    chart.SyncNow();
    chart.SetChartTitle(chart.ChartTitle());
    const AxisTitle bottom = chart.BottomAxis(), left = chart.LeftAxis();
    chart.SetAxisTitles(bottom, left);
    const QVector<int> shown = chart.Series().LegendSeries();
    const QStringList entries = chart.Series().LegendEntries();
    for (qsizetype k = 0; k < shown.size(); ++k)
        chart.Curve(shown[k])->setName(Translated(entries[k]));
}
