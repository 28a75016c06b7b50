#include "charts/fill_common.h"

void TitleAndActivate(TChartSeries &series, const QString &prefix, const QString &name)
{
    series.SetTitle(prefix + name);
    series.SetActive(true);
}

void AddPoints(TChartSeries &series, const CurvePoints &curve, Axes axes)
{
    for (size_t i = 0; i < curve.x.size(); ++i) {
        if (axes == Axes::Across)
            series.AddXY(curve.y[i], curve.x[i]);
        else
            series.AddXY(curve.x[i], curve.y[i]);
    }
}

void LabelCurveEnd(TChartSeries &series, const QString &text)
{
    for (int j = 0; j < series.Count(); ++j) {
        TMarksItem &mark = series.MarkItem(j);
        mark.SetText(j + 1 == series.Count() ? text : QString());
        mark.Transparent = true;
    }
    series.SetMarksVisible(true);
    series.MarksChanged();
}

void RaiseFailure(const ReadFailure &failure, std::initializer_list<TChartSeries *> cut)
{
    if (!failure)
        return;
    for (TChartSeries *series : cut)
        series->SetStopNote(failure->message());
    throw *failure;
}
