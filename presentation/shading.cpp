#include "presentation/shading.h"

#include "core/curve_compare.h"
#include "presentation/chart_host.h"

#include <qcustomplot.h>
#include "presentation/plot_geometry.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
const char *const ShadingLayer = "shading";

// Pale, and light enough over each other (four flap settings at once) to show both.
const QColor FirstLeads(0, 0, 255, 40);
const QColor SecondLeads(255, 0, 0, 40);

// A series as the comparison reads it: along the compared axis, its value across.
CurvePoints Along(const TChartSeries &s, bool byLeftAxis)
{
    if (!s.Active())
        return {};
    const QVector<double> &along = byLeftAxis ? s.YValues.Value : s.XValues.Value;
    const QVector<double> &across = byLeftAxis ? s.XValues.Value : s.YValues.Value;
    return {{along.begin(), along.end()}, {across.begin(), across.end()}};
}

// The areas of one pair: for each band where one leads, the first curve's line over the
// band's stretches, then the second's back; a stretch where either has no line (a fold
// or a gap) closes the area and the next one starts after it.
void AddAreas(QVector<AdvantageArea> &out, const CurvePoints &first, const CurvePoints &second, Measure measure,
              const ShadingSetup &setup)
{
    const MeasureRule &rule = RuleOf(measure);
    const std::vector<LeadBand> bands = CompareCurves(first, second, rule.evenUnder, rule.higherIsBetter);
    const std::vector<double> places = CurvePlaces(first, second);
    const std::vector<StretchLine> line1 = CurveOverStretches(first, places), line2 = CurveOverStretches(second, places);
    auto point = [&](double along, double across) {
        return setup.byLeftAxis ? QPointF(across, along) : QPointF(along, across);
    };
    size_t k = 0;
    for (const LeadBand &band : bands) {
        if (band.lead != Lead::First && band.lead != Lead::Second)
            continue;
        QPolygonF one, two;
        auto close = [&] {
            if (one.size() >= 2)
                out.push_back({band.lead == Lead::First, one + QPolygonF(QList<QPointF>(two.rbegin(), two.rend()))});
            one.clear();
            two.clear();
        };
        while (k < line1.size() && places[k + 1] <= band.from)
            ++k;
        for (size_t i = k; i < line1.size() && places[i] < band.to; ++i) {
            const double a = places[i], b = places[i + 1];
            const double from = std::max(a, band.from), to = std::min(b, band.to);
            if (!line1[i].spanned || !line2[i].spanned) {
                close();
                continue;
            }
            auto at = [&](const StretchLine &l, double x) {
                return x == a ? l.from : x == b ? l.to : std::lerp(l.from, l.to, (x - a) / (b - a));
            };
            for (double x : {from, to}) {
                const QPointF p1 = point(x, at(line1[i], x)), p2 = point(x, at(line2[i], x));
                if (one.isEmpty() || one.last() != p1 || two.last() != p2) {
                    one << p1;
                    two << p2;
                }
            }
        }
        close();
    }
}

// The fill, alone on its layer, inside the plot area.
class ShadingLayerable : public QCPLayerable {
public:
    ShadingLayerable(QCustomPlot *plot, ChartShading &shading)
        : QCPLayerable(plot, QString::fromLatin1(ShadingLayer)), shading_(shading)
    {
    }

protected:
    QRect clipRect() const override { return mParentPlot->axisRect()->rect(); }
    void applyDefaultAntialiasingHint(QCPPainter *painter) const override { painter->setAntialiasing(false); }
    void draw(QCPPainter *painter) override { shading_.Paint(painter); }

private:
    ChartShading &shading_;
};
}  // namespace

QVector<AdvantageArea> AdvantageAreas(const TChartSeriesList &list, const ShadingSetup &setup)
{
    QVector<AdvantageArea> out;
    for (const CurvePair &pair : setup.pairs)
        if (pair.first < list.Count() && pair.second < list.Count())
            AddAreas(out, Along(list[pair.first], setup.byLeftAxis), Along(list[pair.second], setup.byLeftAxis),
                     pair.measure, setup);
    return out;
}

// The areas of one pair of curves with what they were worked out from. Comparing two
// long curves costs milliseconds, so the areas are shared by every chart that shows the
// same pair (a common-page chart and its own page's), and kept while the pair is the
// same (the speed charts when only the flaps change).
struct PairShading {
    CurvePoints first, second;
    Measure measure;
    bool byLeftAxis;
    QVector<AdvantageArea> areas;
};

namespace {
bool SameValues(const std::vector<double> &a, const std::vector<double> &b)
{
    // memcmp may not be handed the null data of an empty vector.
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

bool SamePair(const PairShading &p, const CurvePoints &first, const CurvePoints &second, Measure measure,
              const ShadingSetup &setup)
{
    return p.measure == measure && p.byLeftAxis == setup.byLeftAxis
        && SameValues(p.first.x, first.x) && SameValues(p.first.y, first.y) && SameValues(p.second.x, second.x)
        && SameValues(p.second.y, second.y);
}

// The areas of the pair as some chart holds them already, or worked out now.
std::shared_ptr<const PairShading> ShadingOfPair(CurvePoints first, CurvePoints second, Measure measure,
                                                 const ShadingSetup &setup)
{
    static std::vector<std::weak_ptr<const PairShading>> held;  // by the charts' shadings
    std::erase_if(held, [](const std::weak_ptr<const PairShading> &p) { return p.expired(); });
    for (const std::weak_ptr<const PairShading> &weak : held)
        if (std::shared_ptr<const PairShading> p = weak.lock(); p && SamePair(*p, first, second, measure, setup))
            return p;
    auto made = std::make_shared<PairShading>();
    AddAreas(made->areas, first, second, measure, setup);
    made->first = std::move(first);
    made->second = std::move(second);
    made->measure = measure;
    made->byLeftAxis = setup.byLeftAxis;
    held.push_back(made);
    return made;
}
}  // namespace

ChartShading::ChartShading(ChartHost &chart) : QObject(&chart.Plot()), chart_(chart)
{
    chart_.Plot().addLayer(QString::fromLatin1(ShadingLayer), chart_.Plot().layer(QStringLiteral("grid")), QCustomPlot::limBelow);
    layer_ = chart_.Plot().layer(QString::fromLatin1(ShadingLayer));
    layerable_ = new ShadingLayerable(&chart_.Plot(), *this);
    layerable_->setVisible(false);
}

void ChartShading::Configure(const ShadingSetup &setup)
{
    setup_ = setup;
    stale_ = true;
}

void ChartShading::SetShown(bool shown)
{
    if (shown == shown_)
        return;
    shown_ = shown;
    layerable_->setVisible(shown);
    chart_.Redraw();
}

const QVector<AdvantageArea> &ChartShading::Areas()
{
    if (stale_) {
        const TChartSeriesList &list = chart_.Series();
        std::vector<std::shared_ptr<const PairShading>> pairs;  // those held until now stay found meanwhile
        for (const CurvePair &pair : setup_.pairs)
            // Nothing is shaded from an aircraft whose data failed: its curves may stop
            // anywhere.
            if (pair.first < list.Count() && pair.second < list.Count() && !list[pair.first].DataFailed() &&
                !list[pair.second].DataFailed())
                pairs.push_back(ShadingOfPair(Along(list[pair.first], setup_.byLeftAxis),
                                              Along(list[pair.second], setup_.byLeftAxis), pair.measure, setup_));
        pairs_ = std::move(pairs);
        areas_.clear();
        for (const auto &pair : pairs_)
            areas_ += pair->areas;
        stale_ = false;
    }
    return areas_;
}

void ChartShading::Paint(QCPPainter *painter)
{
    if (!shown_)
        return;
    Areas();
    painter->setPen(Qt::NoPen);
    QPolygonF pixels;
    // The areas of one pair where one aircraft leads never overlap: filled as one path,
    // however many bands curves that swap the lead at every row give.
    for (const auto &pair : pairs_) {
        for (const bool firstLeads : {true, false}) {
            QPainterPath path;
            path.setFillRule(Qt::WindingFill);
            for (const AdvantageArea &area : pair->areas) {
                if (area.firstLeads != firstLeads)
                    continue;
                pixels.resize(area.outline.size());
                for (qsizetype i = 0; i < pixels.size(); ++i)
                    pixels[i] = QPointF(chart_.Plot().xAxis->coordToPixel(area.outline[i].x()),
                                        chart_.Plot().yAxis->coordToPixel(area.outline[i].y()));
                // A long curve's outline filled at what its pixels cost, as its line is drawn.
                path.addPolygon(ThinPolyline(pixels));
                path.closeSubpath();
            }
            if (!path.isEmpty())
                painter->fillPath(path, firstLeads ? FirstLeads : SecondLeads);
        }
    }
}
