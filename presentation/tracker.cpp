#include "presentation/tracker.h"

#include "core/curve_compare.h"
#include "core/view.h"
#include "core/language.h"
#include "presentation/chart_host.h"
#include "presentation/plot_geometry.h"

#include <qcustomplot.h>

#include <QCoreApplication>
#include <QStaticText>

#include <algorithm>
#include <cmath>

namespace {
const char *const TrackerLayer = "tracker";
constexpr int BoxFontPixels = 10;
constexpr int BoxPadding = 4;
constexpr int CellSpacing = 8;
constexpr int BoxOffset = 14;  // pixels between the cursor and the box
constexpr double MarkerRadius = 3.5;

QString withUnit(const QString &number, const QString &unit)
{
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

QString signedNumber(double v) { return NumberText(v, {.decimals = kByMagnitude, .style = NumberStyle::Tracker, .sign = true}); }

// The radial load as the diagram's reference lines name it, to two decimals: "3.00 g".
QString radialLoadText(double v, bool difference)
{
    QString text = QString::number(v, 'f', 2);
    if (text == QLatin1String("-0.00"))
        text = QStringLiteral("0.00");
    if (difference && v > 0 && text != QLatin1String("0.00"))
        text.prepend(QLatin1Char('+'));
    return text + QStringLiteral(" g");
}

// The cells of one curve on the turn-rate diagram, or of the differences there.
QStringList turnCells(const QString &name, const TurnFigureSet &f, bool difference)
{
    auto num = [difference](double v) { return difference ? signedNumber(v) : TrackerNumber(v); };
    return {name, num(f.rate), num(f.time), num(f.radius), radialLoadText(f.radialLoad, difference),
            num(f.loadFactor)};
}
}  // namespace

std::optional<QPointF> LineCrossing(const TChartSeries &s, Qt::Orientation line, double at, const AxisSpan &within)
{
    const bool vertical = line == Qt::Vertical;
    const QVector<double> &along = vertical ? s.XValues.Value : s.YValues.Value;
    const QVector<double> &across = vertical ? s.YValues.Value : s.XValues.Value;
    const double v = CurveValueAt(along, across, at);
    const double lo = std::min(within.lower, within.upper), hi = std::max(within.lower, within.upper);
    if (!(v >= lo && v <= hi))
        return std::nullopt;
    return vertical ? QPointF(at, v) : QPointF(v, at);
}

QString TrackerNumber(double v) { return NumberText(v, {.decimals = kByMagnitude, .style = NumberStyle::Tracker}); }

namespace {
// The turn figures in the axes' units: the radius in feet where they are not metric.
TurnFigureSet ShownTurn(TurnFigureSet f, UnitSystem units)
{
    f.radius = ToShown(Quantity::Radius, f.radius, units);
    return f;
}

// The box's first line: where the line is, and on the turn-rate diagram the heads of
// the turn figures' columns.
QStringList HeaderCells(const TrackerSetup &setup, const AxisTitle &along, const AxisTitle &read, double at)
{
    QStringList header{AxisReadoutLine(along, TrackerNumber(along.Shown(at)))};
    if (setup.turnFigures)
        header << Translated(read.unit) << QCoreApplication::translate("Varnel", "t, сек")
               << (Converts(Quantity::Radius, read.units) ? QStringLiteral("R, ") + UnitName(Quantity::Radius, read.units)
                                                          : QCoreApplication::translate("Varnel", "R, м"))
               << QStringLiteral("Vω/g") << QCoreApplication::translate("Varnel", "n виража");
    return header;
}

// The value of one kind of curve for each aircraft, for the differences.
struct KindValues {
    int kind;
    QString title;
    std::optional<double> value[2];
};

// A line per crossed curve of either aircraft, in legend order, with its marker; each
// crossing's value kept by its kind.
void ReadCurves(TrackerReading &r, QVector<KindValues> &kinds, const TChartSeriesList &list, const TrackerSetup &setup,
                const QStringList &titles, double at, const AxisSpan &within, const AxisTitle &read)
{
    const bool vertical = setup.line == Qt::Vertical;
    const QString unit = Translated(read.unit);
    for (int i : list.LegendSeries()) {
        const CurveRole role = i < setup.curves.size() ? setup.curves[i] : CurveRole{};
        if (role.aircraft != 1 && role.aircraft != 2)
            continue;
        const TChartSeries &s = list[i];
        const std::optional<QPointF> p = LineCrossing(s, setup.line, at, within);
        if (!p)
            continue;
        const double value = read.Shown(vertical ? p->y() : p->x());
        QString name = Translated(i < titles.size() ? titles[i] : s.Title());
        if (name.isEmpty())
            name = s.Name();
        if (setup.turnFigures)
            r.rows.push_back({turnCells(name, ShownTurn(TurnFigures(p->x(), p->y()), read.units), false), s.SeriesColor()});
        else
            r.rows.push_back({{name, withUnit(TrackerNumber(value), unit)}, s.SeriesColor()});
        r.crossings.push_back(*p);
        r.colors.push_back(s.SeriesColor());

        auto k = std::find_if(kinds.begin(), kinds.end(), [&](const KindValues &x) { return x.kind == role.kind; });
        if (k == kinds.end()) {
            kinds.push_back({role.kind, role.kindTitle, {}});
            k = kinds.end() - 1;
        }
        if (!k->value[role.aircraft - 1])
            k->value[role.aircraft - 1] = value;
    }
}

// A line per kind both aircraft have a curve of: second minus first.
void DifferenceRows(TrackerReading &r, const QVector<KindValues> &kinds, const TrackerSetup &setup, double at,
                    const AxisTitle &read)
{
    const QColor differenceColor(64, 64, 64);
    const UnitSystem units = read.units;
    for (const KindValues &k : kinds) {
        if (!k.value[0] || !k.value[1])
            continue;
        const QString name = QStringLiteral("Δ ") + Translated(k.title);
        if (setup.turnFigures) {
            // The line is at one speed, so both curves are read at the same speed.
            const TurnFigureSet a = ShownTurn(TurnFigures(at, *k.value[0]), units),
                                b = ShownTurn(TurnFigures(at, *k.value[1]), units);
            const TurnFigureSet d{b.rate - a.rate, b.time - a.time, b.radius - a.radius, b.radialLoad - a.radialLoad,
                                 b.loadFactor - a.loadFactor};
            r.rows.push_back({turnCells(name, d, true), differenceColor});
        } else {
            const QString differenceUnit = setup.measure ? MeasureUnit(*setup.measure, units) : Translated(read.unit);
            r.rows.push_back({{name, withUnit(signedNumber(*k.value[1] - *k.value[0]), differenceUnit)}, differenceColor});
        }
    }
}
}  // namespace

TrackerReading ReadAtLine(const TChartSeriesList &list, const TrackerSetup &setup, const QStringList &titles,
                           double at, const AxisSpan &within, const AxisTitle &bottom, const AxisTitle &left)
{
    const bool vertical = setup.line == Qt::Vertical;
    // The line runs along one axis; the values are read on the other.
    const AxisTitle &along = vertical ? bottom : left, &read = vertical ? left : bottom;
    TrackerReading r;
    r.rows.push_back({HeaderCells(setup, along, read, at), Qt::black});
    QVector<KindValues> kinds;
    ReadCurves(r, kinds, list, setup, titles, at, within, read);
    DifferenceRows(r, kinds, setup, at, read);
    // A curve cut short by a bad value says where it stops, wherever the line is.
    for (int i : list.LegendSeries())
        if (!list[i].StopNote().isEmpty())
            r.rows.push_back({{QStringLiteral("\u2715 ") + list[i].StopNote()}, list[i].SeriesColor()});
    return r;
}

QRect PlaceTrackerBox(QSize size, QPoint cursor, const QRect &bounds)
{
    QRect box(cursor + QPoint(BoxOffset, BoxOffset), size);
    if (box.right() > bounds.right())
        box.moveRight(cursor.x() - BoxOffset);
    if (box.bottom() > bounds.bottom())
        box.moveBottom(cursor.y() - BoxOffset);
    box.moveLeft(std::max(bounds.left(), std::min(box.left(), bounds.right() - size.width() + 1)));
    box.moveTop(std::max(bounds.top(), std::min(box.top(), bounds.bottom() - size.height() + 1)));
    return box;
}

namespace {
// The tracker's drawing, alone on its layer.
class TrackerLayerable : public QCPLayerable {
public:
    TrackerLayerable(QCustomPlot *plot, ChartTracker &tracker) : QCPLayerable(plot, QString::fromLatin1(TrackerLayer)), tracker_(tracker) {}

protected:
    void applyDefaultAntialiasingHint(QCPPainter *painter) const override { painter->setAntialiasing(true); }
    void draw(QCPPainter *painter) override
    {
        // Rendered pictures (toPixmap, toPainter, savePdf) paint without caching.
        if (!painter->modes().testFlag(QCPPainter::pmNoCaching))
            tracker_.Paint(painter);
    }

private:
    ChartTracker &tracker_;
};
}  // namespace

ChartTracker::ChartTracker(ChartHost &chart) : QObject(&chart.Plot()), chart_(chart)
{
    // The marks below share the curves' buffer: each paint of the widget then blends two
    // buffers, the chart's and the tracker's.
    chart_.Plot().layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    chart_.Plot().addLayer(QString::fromLatin1(TrackerLayer), chart_.Plot().layer(QStringLiteral("overlay")), QCustomPlot::limAbove);
    layer_ = chart_.Plot().layer(QString::fromLatin1(TrackerLayer));
    layer_->setMode(QCPLayer::lmBuffered);
    new TrackerLayerable(&chart_.Plot(), *this);
}

void ChartTracker::replotLayer()
{
    ++layerReplots_;
    layer_->replot();
}

void ChartTracker::MoveTo(QPoint pos)
{
    if (!chart_.PlotArea().contains(pos)) {
        Hide();
        return;
    }
    if (shown_ && pos == pos_)
        return;
    shown_ = true;
    pos_ = pos;
    replotLayer();
}

void ChartTracker::Hide()
{
    if (!shown_)
        return;
    shown_ = false;
    replotLayer();
}

TrackerReading ChartTracker::Reading() const
{
    if (!shown_)
        return {};
    const bool vertical = setup_.line == Qt::Vertical;
    const double at = vertical ? chart_.Plot().xAxis->pixelToCoord(pos_.x()) : chart_.Plot().yAxis->pixelToCoord(pos_.y());
    const QCPRange other = vertical ? chart_.Plot().yAxis->range() : chart_.Plot().xAxis->range();
    return ReadAtLine(chart_.Series(), setup_, chart_.CurveTitles(), at,
                      {other.lower, other.upper}, chart_.BottomAxis(), chart_.LeftAxis());
}

QString ChartTracker::BoxText() const
{
    QStringList lines;
    for (const TrackerRow &row : Reading().rows)
        lines << row.cells.join(QStringLiteral("  "));
    return lines.join(QLatin1Char('\n'));
}

namespace {
// The box: a table whose first column is left-aligned and the others right-aligned;
// a line of one cell spans the table. Each cell laid out once, for its width and its
// drawing.
struct BoxTable {
    QVector<QVector<QStaticText>> texts;
    QVector<int> widths;  // of each column
    int spanned = 0;      // the widest line of one cell
    QSize size;           // of the whole box, padding included
};

BoxTable LayOutBox(const QVector<TrackerRow> &rows, const QFont &font)
{
    BoxTable t;
    for (const TrackerRow &row : rows) {
        QVector<QStaticText> &cells = t.texts.emplace_back();
        for (const QString &cell : row.cells) {
            cells.push_back(QStaticText(cell));
            cells.back().setTextFormat(Qt::PlainText);
            cells.back().prepare(QTransform(), font);
        }
        if (cells.size() == 1) {
            t.spanned = std::max(t.spanned, int(std::ceil(cells[0].size().width())));
            continue;
        }
        t.widths.resize(std::max(t.widths.size(), cells.size()));
        for (int c = 0; c < cells.size(); ++c)
            t.widths[c] = std::max(t.widths[c], int(std::ceil(cells[c].size().width())));
    }
    int tableWidth = 0;
    for (int w : std::as_const(t.widths))
        tableWidth += w;
    tableWidth += CellSpacing * std::max<int>(0, t.widths.size() - 1);
    t.size = QSize(std::max(tableWidth, t.spanned) + 2 * BoxPadding, QFontMetrics(font).height() * rows.size() + 2 * BoxPadding);
    return t;
}

void PaintBox(QCPPainter *p, const QVector<TrackerRow> &rows, const BoxTable &t, const QRect &box, const QFont &font)
{
    p->setPen(QPen(QColor(128, 128, 128), 1));
    p->setBrush(QColor(255, 255, 255, 235));
    p->setAntialiasing(false);
    p->drawRect(box.adjusted(0, 0, -1, -1));
    p->setFont(font);
    const int lineHeight = QFontMetrics(font).height();
    int y = box.top() + BoxPadding;
    for (int k = 0; k < rows.size(); ++k) {
        p->setPen(rows[k].color);
        const QVector<QStaticText> &cells = t.texts[k];
        int x = box.left() + BoxPadding;
        for (int c = 0; c < cells.size(); ++c) {
            const int w = cells.size() == 1 ? t.spanned : t.widths[c];
            const double indent = c == 0 ? 0 : w - cells[c].size().width();  // numbers to the right
            p->drawStaticText(QPointF(x + indent, y), cells[c]);
            x += w + CellSpacing;
        }
        y += lineHeight;
    }
}
}  // namespace

void ChartTracker::Paint(QCPPainter *p)
{
    if (!shown_)
        return;
    const QRect area = chart_.PlotArea();
    const TrackerReading r = Reading();

    p->setPen(QPen(QColor(90, 90, 90), 1));
    p->setAntialiasing(false);
    if (setup_.line == Qt::Vertical)
        p->drawLine(QPointF(pos_.x() + 0.5, area.top()), QPointF(pos_.x() + 0.5, area.bottom()));
    else
        p->drawLine(QPointF(area.left(), pos_.y() + 0.5), QPointF(area.right(), pos_.y() + 0.5));
    p->setAntialiasing(true);

    for (int k = 0; k < r.curves(); ++k) {
        const QPointF c(chart_.Plot().xAxis->coordToPixel(r.crossings[k].x()), chart_.Plot().yAxis->coordToPixel(r.crossings[k].y()));
        p->setPen(QPen(Qt::white, 1.5));
        p->setBrush(r.colors[k]);
        p->drawEllipse(c, MarkerRadius, MarkerRadius);
    }
    if (r.curves() == 0)
        return;

    QFont font = chart_.Plot().font();
    font.setPixelSize(BoxFontPixels);
    const BoxTable table = LayOutBox(r.rows, font);
    PaintBox(p, r.rows, table, PlaceTrackerBox(table.size, pos_, chart_.Plot().rect().adjusted(4, 4, -4, -4)), font);
}
