#pragma once
// The chart model: series with their points, titles, activity, colours, lines and
// per-point marks, and a chart's series list with the axis-range and legend rules.
// No widget code here; TChart (chart.h) draws this model.
#include <QColor>
#include <algorithm>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

struct TChartValueList {
    QVector<double> Value;
    int Count() const { return int(Value.size()); }
    double operator[](int i) const { return Value[i]; }
};

enum class PenStyle { Solid, SmallDots };  // small dots set every other pixel

// A series' line: its colour is the series colour.
struct ChartPen {
    int Width = 1;
    PenStyle Style = PenStyle::Solid;
};

// One per-point label. Its text counts as set once assigned, even to empty text; an
// empty text draws no mark.
struct TMarksItem {
    QStringList Text;
    bool TextSet = false;
    QColor Color = Qt::white;
    bool Transparent = false;
    void SetText(const QString &text);  // replaces Text by the text's lines, marks it set
    QString DisplayText() const;        // lines joined, less a final line break
};

// A series' per-point mark items; an empty slot holds nullptr.
using TMarksItems = std::vector<std::unique_ptr<TMarksItem>>;

// TLineSeries keeps its points sorted by X; THorizLineSeries keeps them in the order added.
enum class SeriesKind { TLineSeries, THorizLineSeries };

class TChartSeries {
public:
    TChartSeries(SeriesKind kind, QString componentName);

    SeriesKind Kind() const { return kind_; }
    const QString &Name() const { return name_; }  // component name, e.g. "Series5"

    TChartValueList XValues;
    TChartValueList YValues;
    int Count() const { return XValues.Count(); }

    // A TLineSeries inserts in ascending X, after all points with an equal X; a
    // THorizLineSeries appends. Mark slots never move. Returns the new point's index.
    int AddXY(double x, double y);
    // Removes every point and every mark item.
    void Clear();
    // Replaces this series' points by copies of source's, added by this series' own
    // rule. Title, Active, colour, pen and marks settings stay.
    void AssignValues(const TChartSeries &source);

    bool Active() const { return active_; }
    void SetActive(bool active);
    const QString &Title() const { return title_; }
    void SetTitle(const QString &title);
    bool ShowInLegend() const { return showInLegend_; }
    void SetShowInLegend(bool show);
    QColor SeriesColor() const { return color_; }
    void SetSeriesColor(const QColor &color);
    const ChartPen &LinePen() const { return pen_; }
    void SetLinePen(const ChartPen &pen);
    void SetLinePenWidth(int width);

    bool MarksVisible() const { return marksVisible_; }
    void SetMarksVisible(bool visible);
    // The mark item of slot i, created with any empty slots before it. Marks the chart
    // for redrawing, since the caller is about to change the item. A negative index
    // raises "List index out of bounds (i)".
    TMarksItem &MarkItem(int i);
    // The item in slot i, or nullptr for an empty or missing slot.
    const TMarksItem *MarkSlot(int i) const;
    int MarkSlotCount() const { return int(marks_.size()); }
    // Call after changing a mark item's text, colour or flag.
    void MarksChanged() { changed(); }

    // Where the curve stops short because its data hold a bad value there (file, row,
    // column and what is wrong, on one line); empty for a whole curve. The chart marks
    // its last point and names the place in that point's tool tip.
    const QString &StopNote() const { return stopNote_; }
    void SetStopNote(const QString &note);
    // Whether the data of the aircraft this curve belongs to failed somewhere: no
    // advantage shading is drawn from it.
    bool DataFailed() const { return dataFailed_; }
    void SetDataFailed(bool failed);

    // Called on every change that needs a redraw; set by the owning chart.
    void SetChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }

private:
    void changed();

    SeriesKind kind_;
    QString name_;
    QString title_;
    bool active_ = true;
    bool showInLegend_ = true;
    QColor color_ = Qt::black;
    ChartPen pen_;
    bool marksVisible_ = false;
    TMarksItems marks_;
    QString stopNote_;
    bool dataFailed_ = false;
    std::function<void()> onChange_;
};

struct AxisRange {
    bool valid = false;  // false when no counting series holds a point
    double min = 0, max = 0;
};

// A chart's ordered series list. Indexes never change once built.
class TChartSeriesList {
public:
    TChartSeriesList() = default;
    // The series report to this list by its address: a list never copies or moves.
    TChartSeriesList(const TChartSeriesList &) = delete;
    TChartSeriesList &operator=(const TChartSeriesList &) = delete;

    // An index outside 0 to Count() - 1 raises "List index out of bounds (i)".
    TChartSeries &operator[](int i);
    const TChartSeries &operator[](int i) const;
    int Count() const { return int(series_.size()); }
    TChartSeries &Add(SeriesKind kind, const QString &componentName);

    // Active series with points count; only when none is active do the inactive
    // series with points count instead. Infinite and NaN values are left out.
    AxisRange AutoRangeX() const;
    AxisRange AutoRangeY() const;
    // One entry per active series shown in the legend, in list order: its title with
    // line breaks as spaces, or its component name when the title is empty.
    QStringList LegendEntries() const;
    // Indexes of the series LegendEntries lists, in the same order.
    QVector<int> LegendSeries() const;

    // Called on every change of any series of the list.
    void SetChangeHandler(std::function<void()> handler);

private:
    std::vector<std::unique_ptr<TChartSeries>> series_;
    std::function<void()> onChange_;
};
