#include "presentation/series.h"

#include "core/error.h"

#include <cmath>

namespace {
[[noreturn]] void outOfBounds(int i)
{
    throw ListIndexError(i);
}
}  // namespace

void TMarksItem::SetText(const QString &text)
{
    // Kept as lines, as a text list holds them: a final line break opens no new line
    // and an empty text has no line at all.
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (t.endsWith(QLatin1Char('\n')))
        t.chop(1);
    Text = text.isEmpty() ? QStringList{} : t.split(QLatin1Char('\n'));
    TextSet = true;
}

QString TMarksItem::DisplayText() const
{
    QString s = Text.join(QLatin1Char('\n'));
    if (s.endsWith(QLatin1String("\r\n")))
        s.chop(2);
    else if (s.endsWith(QLatin1Char('\n')) || s.endsWith(QLatin1Char('\r')))
        s.chop(1);
    return s;
}

TChartSeries::TChartSeries(SeriesKind kind, QString componentName)
    : kind_(kind), name_(std::move(componentName))
{
}

void TChartSeries::changed()
{
    if (onChange_)
        onChange_();
}

int TChartSeries::AddXY(double x, double y)
{
    QVector<double> &xs = XValues.Value;
    int pos = int(xs.size());
    if (kind_ == SeriesKind::TLineSeries)
        while (pos > 0 && xs[pos - 1] > x)
            --pos;
    xs.insert(pos, x);
    YValues.Value.insert(pos, y);
    if (active_)
        changed();
    return pos;
}

void TChartSeries::Clear()
{
    XValues.Value.clear();
    YValues.Value.clear();
    marks_.clear();
    if (active_)
        changed();
}

void TChartSeries::SetStopNote(const QString &note)
{
    if (note == stopNote_)
        return;
    stopNote_ = note;
    changed();
}

void TChartSeries::SetDataFailed(bool failed)
{
    if (failed == dataFailed_)
        return;
    dataFailed_ = failed;
    changed();
}

void TChartSeries::AssignValues(const TChartSeries &source)
{
    SetStopNote(source.stopNote_);
    SetDataFailed(source.dataFailed_);
    // Taken first, so that a series copied onto itself keeps its points.
    const QVector<double> xs = source.XValues.Value;
    const QVector<double> ys = source.YValues.Value;
    XValues.Value.clear();
    YValues.Value.clear();
    marks_.clear();
    if (kind_ == SeriesKind::THorizLineSeries) {
        XValues.Value = xs;
        YValues.Value = ys;
    } else {
        XValues.Value.reserve(xs.size());
        YValues.Value.reserve(ys.size());
        const std::function<void()> keep = std::move(onChange_);
        onChange_ = nullptr;
        for (qsizetype i = 0; i < xs.size(); ++i)
            AddXY(xs[i], ys[i]);
        onChange_ = keep;
    }
    changed();
}

void TChartSeries::SetActive(bool active)
{
    if (active_ == active)
        return;
    active_ = active;
    changed();
}

void TChartSeries::SetTitle(const QString &title)
{
    if (title_ == title)
        return;
    title_ = title;
    changed();
}

void TChartSeries::SetShowInLegend(bool show)
{
    if (showInLegend_ == show)
        return;
    showInLegend_ = show;
    changed();
}

void TChartSeries::SetSeriesColor(const QColor &color)
{
    color_ = color;
    changed();
}

void TChartSeries::SetLinePen(const ChartPen &pen)
{
    pen_ = pen;
    changed();
}

void TChartSeries::SetLinePenWidth(int width)
{
    pen_.Width = width;
    changed();
}

void TChartSeries::SetMarksVisible(bool visible)
{
    marksVisible_ = visible;
    changed();
}

TMarksItem &TChartSeries::MarkItem(int i)
{
    if (i < 0)
        outOfBounds(i);
    changed();
    if (i >= int(marks_.size()))
        marks_.resize(size_t(i) + 1);
    auto &slot = marks_[size_t(i)];
    if (!slot)
        slot = std::make_unique<TMarksItem>();
    return *slot;
}

const TMarksItem *TChartSeries::MarkSlot(int i) const
{
    if (i < 0 || i >= int(marks_.size()))
        return nullptr;
    return marks_[size_t(i)].get();
}

TChartSeries &TChartSeriesList::operator[](int i)
{
    if (i < 0 || i >= Count())
        outOfBounds(i);
    return *series_[size_t(i)];
}

const TChartSeries &TChartSeriesList::operator[](int i) const
{
    if (i < 0 || i >= Count())
        outOfBounds(i);
    return *series_[size_t(i)];
}

TChartSeries &TChartSeriesList::Add(SeriesKind kind, const QString &componentName)
{
    series_.push_back(std::make_unique<TChartSeries>(kind, componentName));
    TChartSeries &s = *series_.back();
    s.SetChangeHandler([this] {
        if (onChange_)
            onChange_();
    });
    return s;
}

void TChartSeriesList::SetChangeHandler(std::function<void()> handler)
{
    onChange_ = std::move(handler);
}

namespace {
AxisRange rangeOf(const std::vector<std::unique_ptr<TChartSeries>> &list, bool horizontal)
{
    bool anyActive = false;
    for (const auto &s : list)
        anyActive = anyActive || s->Active();
    AxisRange r;
    for (const auto &s : list) {
        if (s->Active() != anyActive || s->Count() == 0)
            continue;
        const QVector<double> &v = horizontal ? s->XValues.Value : s->YValues.Value;
        for (double d : v) {
            if (!std::isfinite(d))
                continue;
            if (!r.valid) {
                r = {true, d, d};
            } else {
                r.min = std::min(r.min, d);
                r.max = std::max(r.max, d);
            }
        }
    }
    return r;
}
}  // namespace

AxisRange TChartSeriesList::AutoRangeX() const { return rangeOf(series_, true); }
AxisRange TChartSeriesList::AutoRangeY() const { return rangeOf(series_, false); }

QVector<int> TChartSeriesList::LegendSeries() const
{
    QVector<int> out;
    for (int i = 0; i < Count(); ++i)
        if (series_[size_t(i)]->Active() && series_[size_t(i)]->ShowInLegend())
            out.push_back(i);
    return out;
}

QStringList TChartSeriesList::LegendEntries() const
{
    QStringList out;
    for (int i : LegendSeries()) {
        const TChartSeries &s = *series_[size_t(i)];
        QString t = s.Title();
        t.replace(QLatin1String("\r\n"), QLatin1String(" "));
        t.replace(QLatin1Char('\n'), QLatin1Char(' '));
        t.replace(QLatin1Char('\r'), QLatin1Char(' '));
        out << (t.isEmpty() ? s.Name() : t);
    }
    return out;
}
