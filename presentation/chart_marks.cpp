// The marks of a chart: a short white arrow from a point to a label with its value (or
// the text the model gives it), beside the point on a horizontal-line series, above it
// on the others.
#include "presentation/chart.h"

#include "core/decimal_text.h"
#include "core/language.h"
#include "presentation/plot_geometry.h"

namespace {
constexpr int MarkFontPixels = 10;
constexpr int MarkArrowLength = 8;  // pixels between a point and its mark
constexpr int StopMarkPixels = 14;
const char *const MarksLayer = "overlay";

// The short arrow to a label beside its point: where the label would run out of the
// chart's right edge (a curve ending at the axis's end), the label stands above the
// point, ending where it does, so it is read whole and clear of the labels beside
// other curves' ends. Drawn before its label, it places both.
class BesideArrow : public QCPItemLine {
public:
    using QCPItemLine::QCPItemLine;
    QCPItemText *label = nullptr;

protected:
    void draw(QCPPainter *painter) override
    {
        const QMargins pad = label->padding();
        const double width = QFontMetricsF(label->font()).horizontalAdvance(label->text()) + pad.left() + pad.right();
        const double x = start->pixelPosition().x();
        const bool above = x + MarkArrowLength + width > mParentPlot->viewport().right() && x - width >= 0;
        const QPointF offset = above ? QPointF(0, -MarkArrowLength) : QPointF(MarkArrowLength, 0);
        end->setCoords(offset);
        label->position->setCoords(offset);
        label->setPositionAlignment(above ? Qt::AlignRight | Qt::AlignBottom : Qt::AlignLeft | Qt::AlignVCenter);
        QCPItemLine::draw(painter);
    }
};
}  // namespace

// Marks may reach past the plot area's edge, but only points in view have them.
void TChart::showMarksInView()
{
    for (qsizetype k = 0; k < markPoints_.size(); ++k) {
        const QPointF p = markPoints_[k];
        const bool shown = xAxis->range().contains(p.x()) && yAxis->range().contains(p.y());
        marks_[2 * k]->setVisible(shown);
        marks_[2 * k + 1]->setVisible(shown);
    }
}

void TChart::syncMarks()
{
    for (QCPAbstractItem *item : std::as_const(marks_))
        removeItem(item);
    marks_.clear();
    markPoints_.clear();
    markTexts_.clear();
    for (int i = 0; i < series_.Count(); ++i) {
        const TChartSeries &s = series_[i];
        if (!s.Active() || !s.MarksVisible())
            continue;
        const bool beside = s.Kind() == SeriesKind::THorizLineSeries;
        for (int j = 0; j < s.Count(); ++j) {
            const TMarksItem *slot = s.MarkSlot(j);
            const QString text = slot && slot->TextSet ? Translated(slot->DisplayText()) : DecimalText(s.YValues[j], ChartDecimals);
            if (text.isEmpty())
                continue;
            const QPointF offset = beside ? QPointF(MarkArrowLength, 0) : QPointF(0, -MarkArrowLength);

            auto *arrow = beside ? new BesideArrow(this) : new QCPItemLine(this);
            arrow->setLayer(MarksLayer);
            arrow->setClipToAxisRect(false);
            arrow->setPen(QPen(Qt::white, 1));
            arrow->start->setCoords(s.XValues[j], s.YValues[j]);
            arrow->end->setParentAnchor(arrow->start);
            arrow->end->setCoords(offset);

            auto *label = new QCPItemText(this);
            if (beside)
                static_cast<BesideArrow *>(arrow)->label = label;
            label->setLayer(MarksLayer);
            label->setClipToAxisRect(false);
            label->position->setParentAnchor(arrow->start);
            label->position->setCoords(offset);
            label->setPositionAlignment(beside ? (Qt::AlignLeft | Qt::AlignVCenter)
                                               : (Qt::AlignHCenter | Qt::AlignBottom));
            label->setText(text);
            label->setFont(pixelFont(font(), MarkFontPixels));
            label->setColor(Qt::black);
            label->setPadding(QMargins(2, 0, 2, 0));
            const TMarksItem look = slot ? *slot : TMarksItem{};
            if (look.Transparent) {
                label->setPen(Qt::NoPen);
                label->setBrush(Qt::NoBrush);
            } else {
                label->setPen(QPen(Qt::black));
                label->setBrush(look.Color);
            }
            marks_ << arrow << label;
            markPoints_ << QPointF(s.XValues[j], s.YValues[j]);
            markTexts_ << text;
        }
    }
    syncStopMarks();
}

// A curve cut short by a bad value ends in a cross of its own colour, so that it does
// not pass for data that end there; its tool tip says where the value stands.
void TChart::syncStopMarks()
{
    for (int i = 0; i < series_.Count(); ++i) {
        const TChartSeries &s = series_[i];
        if (!s.Active() || s.StopNote().isEmpty() || s.Count() == 0)
            continue;
        auto *cross = new QCPItemText(this);
        cross->setLayer(MarksLayer);
        cross->setClipToAxisRect(true);
        cross->position->setCoords(s.XValues[s.Count() - 1], s.YValues[s.Count() - 1]);
        cross->setPositionAlignment(Qt::AlignCenter);
        cross->setText(QStringLiteral("\u2715"));
        QFont font = pixelFont(this->font(), StopMarkPixels);
        font.setBold(true);
        cross->setFont(font);
        cross->setColor(s.SeriesColor());
        marks_ << cross;
    }
}

QStringList TChart::MarkTexts() const { return markTexts_; }

// The point the mouse rests on, named; the last point of a cut curve says where it stops.
QString TChart::ReadoutAt(QPoint pos, int reach) const
{
    if (!PlotArea().contains(pos))
        return {};
    const PixelMap toPixel = [this](double x, double y) {
        return QPointF(xAxis->coordToPixel(x), yAxis->coordToPixel(y));
    };
    const PointRef nearest = NearestPoint(series_, toPixel, pos, reach);
    if (!nearest.valid())
        return {};
    const TChartSeries &s = series_[nearest.series];
    QString text = PointReadout(s, nearest.point, bottom_, left_);
    if (!s.StopNote().isEmpty() && nearest.point == s.Count() - 1)
        text += QLatin1Char('\n') + s.StopNote();
    return text;
}

