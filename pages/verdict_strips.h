#pragma once
// The verdict at a glance: one strip per compared pair, its altitude or speed range as
// a bar, each band in its leader's colour (pale grey where even, hatched where only one
// aircraft has data), the places where the lead changes marked and labelled below the
// bar, and the largest lead written in each band that has room. Drawn from the
// verdict's own bands; the page, its pictures and the report all draw it here.
#include "core/view.h"
#include "verdict/verdict.h"

#include <QRectF>
#include <QWidget>

#include <vector>

class QPainter;

// Where one pair's strip stands: its name above, its bar, and the axis range the bar
// spans (from the first band's start to the last band's end).
struct StripPlace {
    QRectF label, bar;
    double from = 0, to = 0;
    // The x of an altitude or speed on the bar.
    double X(double at) const;
};
// The strips of every pair of the verdict, one under the other from the top of `area`,
// in the painter's font (fm: its metrics); none without pairs.
std::vector<StripPlace> PlaceStrips(const Verdict &v, const QRectF &area, const QFontMetricsF &fm);
// The line above a pair's bar: its name and the range the bar spans.
QString StripLabel(const PairVerdict &p, const View &view);
// The height the strips take at that font.
double StripsHeight(const Verdict &v, const QFontMetricsF &fm);
// Draws the strips into `area` with the painter's font, their labels and marks in `ink`,
// their numbers in the view's units.
void PaintVerdictStrips(QPainter &painter, const Verdict &v, const View &view, const QRectF &area,
                        const QColor &ink = Qt::black);

// The strips as a widget, as high as they need at its width.
class VerdictStrips : public QWidget {
    Q_OBJECT
public:
    explicit VerdictStrips(QWidget *parent = nullptr);
    void SetVerdict(const Verdict &verdict, const View &view);
    const Verdict &Drawn() const { return verdict_; }
    const View &DrawnView() const { return view_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Verdict verdict_;
    View view_;
};
