#include "pages/verdict_strips.h"

#include "pages/caption.h"
#include "presentation/contrast.h"
#include "verdict/verdict_format.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kBarHeight = 15, kGap = 5;

double StripHeight(const QFontMetricsF &fm) { return fm.height() + 2 + kBarHeight + 2 + fm.height() + kGap; }

QColor EvenGrey() { return QColor(0xDD, 0xDD, 0xDD); }

int LeaderOf(Lead lead)
{
    switch (lead) {
    case Lead::First:
    case Lead::OnlyFirst:
        return 1;
    case Lead::Second:
    case Lead::OnlySecond:
        return 2;
    case Lead::Even:
        break;
    }
    return 0;
}

void PaintBand(QPainter &painter, const StripPlace &s, const PairVerdict &p, const LeadBand &b, const View &view)
{
    const double x0 = s.X(b.from), x1 = std::max(s.X(b.to), x0 + 1.5);  // a lone point stays seen
    const QRectF rect(x0, s.bar.top(), x1 - x0, s.bar.height());
    const int leader = LeaderOf(b.lead);
    if (b.lead == Lead::OnlyFirst || b.lead == Lead::OnlySecond) {
        painter.fillRect(rect, Qt::white);
        painter.fillRect(rect, QBrush(AircraftColor(leader), Qt::BDiagPattern));
        return;
    }
    painter.fillRect(rect, leader ? AircraftColor(leader) : EvenGrey());
    if (!leader)
        return;
    const QString lead = PairAdvantage(p, b, view);
    if (painter.fontMetrics().horizontalAdvance(lead) + 6 > rect.width())
        return;  // no room: the sentence says it
    painter.setPen(Qt::white);
    painter.drawText(rect, Qt::AlignCenter, lead);
}

// The marks where one band gives way to the next, labelled below the bar where the
// label does not run into the one before.
void PaintCrossings(QPainter &painter, const StripPlace &s, const PairVerdict &p, const View &view, const QColor &ink)
{
    const QFontMetricsF fm(painter.font());
    double freeFrom = s.bar.left() - 1e9;
    painter.setPen(QPen(ink, 1));
    for (size_t i = 1; i < p.bands.size(); ++i) {
        const LeadBand &before = p.bands[i - 1], &b = p.bands[i];
        if (before.to != b.from || before.lead == b.lead)
            continue;
        const double x = s.X(b.from);
        painter.drawLine(QPointF(x, s.bar.top() - 2), QPointF(x, s.bar.bottom() + 3));
        const QString text = PairPlace(p, b.from, view);
        const double w = fm.horizontalAdvance(text);
        const double left = std::clamp(x - w / 2, s.bar.left(), s.bar.right() - w);
        if (left < freeFrom)
            continue;
        painter.drawText(QRectF(left, s.bar.bottom() + 2, w + 1, fm.height()), Qt::AlignLeft | Qt::AlignTop, text);
        freeFrom = left + w + fm.horizontalAdvance(QLatin1Char(' ')) * 2;
    }
}
}  // namespace

double StripPlace::X(double at) const
{
    return to > from ? bar.left() + (at - from) / (to - from) * bar.width() : bar.center().x();
}

std::vector<StripPlace> PlaceStrips(const Verdict &v, const QRectF &area, const QFontMetricsF &fm)
{
    std::vector<StripPlace> out;
    double y = area.top();
    for (const PairVerdict &p : v.pairs) {
        StripPlace s;
        s.label = QRectF(area.left(), y, area.width(), fm.height());
        s.bar = QRectF(area.left(), y + fm.height() + 2, area.width(), kBarHeight);
        if (!p.bands.empty()) {
            s.from = p.bands.front().from;
            s.to = p.bands.back().to;
        }
        out.push_back(s);
        y += StripHeight(fm);
    }
    return out;
}

QString StripLabel(const PairVerdict &p, const View &view)
{
    if (p.bands.empty())
        return PairLabel(p);
    return QStringLiteral("%1: %2 … %3").arg(PairLabel(p), PairPlace(p, p.bands.front().from, view), PairPlace(p, p.bands.back().to, view));
}

double StripsHeight(const Verdict &v, const QFontMetricsF &fm) { return double(v.pairs.size()) * StripHeight(fm); }

void PaintVerdictStrips(QPainter &painter, const Verdict &v, const View &view, const QRectF &area, const QColor &ink)
{
    const std::vector<StripPlace> places = PlaceStrips(v, area, QFontMetricsF(painter.font()));
    painter.save();
    for (size_t i = 0; i < places.size(); ++i) {
        const StripPlace &s = places[i];
        const PairVerdict &p = v.pairs[i];
        painter.setPen(ink);
        painter.drawText(s.label, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(StripLabel(p, view), Qt::ElideRight, int(s.label.width())));
        painter.fillRect(s.bar, QColor(0xF4, 0xF4, 0xF4));
        for (const LeadBand &b : p.bands)
            PaintBand(painter, s, p, b, view);
        painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(s.bar);
        PaintCrossings(painter, s, p, view, ink);
    }
    painter.restore();
}

VerdictStrips::VerdictStrips(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("verdict_strips"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void VerdictStrips::SetVerdict(const Verdict &verdict, const View &view)
{
    verdict_ = verdict;
    view_ = view;
    setVisible(!verdict_.pairs.empty());
    updateGeometry();
    update();
}

QSize VerdictStrips::sizeHint() const
{
    return QSize(400, int(std::ceil(StripsHeight(verdict_, QFontMetricsF(font())))));
}

void VerdictStrips::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    // Black on a light page as ever; the page's own text colour on a dark one.
    const QColor ink = IsDarkGround(palette().color(QPalette::Window)) ? palette().color(QPalette::WindowText) : QColor(Qt::black);
    PaintVerdictStrips(painter, verdict_, view_, QRectF(rect()).adjusted(1, 0, -1, 0), ink);
}
