#pragma once
// The verdict page ("Кто лучше"): a strip per compared pair (the verdict at a glance),
// a few sentences, one per compared pair, then the
// tables of the verdict (summary values, speed and climb every 1,000 m, best figures),
// each winning cell tinted pale in its aircraft's colour. With one aircraft or none
// it says what is missing. The verdict is worked out only when it is seen: when the
// page is shown, or drawn into a picture, or its values are asked for.
#include "core/view.h"
#include "verdict/verdict.h"

#include <QColor>
#include <QScrollArea>

#include <array>
#include <vector>

class QLabel;
class QTableWidget;
class VerdictStrips;
struct VerdictBlock;

class VerdictPage : public QScrollArea {
    Q_OBJECT
public:
    explicit VerdictPage(QWidget *parent = nullptr);
    ~VerdictPage() override;

    // The verdict of the two aircraft (either may be null) at these flap settings, from
    // now on: worked out at once while the page is shown, else when it is shown or asked
    // for. When an aircraft's data fail, the page shows no verdict, only that the data
    // could not be read (the charts' refresh raises the error).
    void SetComparison(const AircraftPtr &first, const AircraftPtr &second, FlapSet shown);
    void ShowVerdict(const Verdict &verdict);
    // The units and language the page writes in from its next verdict or Reshow.
    void SetView(const View &view) { view_ = view; }
    // What the page says, written again in the language and units shown now; a page not
    // yet made, or still to be worked out, is written when it is seen.
    void Reshow();
    // The verdict of the aircraft compared now, worked out first where it is still to
    // do (an empty one while nothing is compared or the data failed).
    const Verdict &Shown();
    // How many verdicts the page has worked out.
    int ComputeCount() const { return computeCount_; }

    // Made ready, once, for a picture of its size as it is now: the verdict worked out,
    // no scroll bars, the content laid out at that width from the top and, where too
    // long, set in columns at the largest text that holds it (not below 7 points); what
    // still does not fit is left out by whole rows, under a line that says so. In
    // columns, the page's tables are the picture's: the page is for that picture only.
    void FitPicture();

    // The pale background of a cell won by aircraft 1 (blue) or 2 (red).
    static QColor Tint(int aircraft);
    // The text colour that reads on a background: black on a light one, white on a dark one.
    static QColor InkOn(const QColor &back);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void build();
    void sayFailure();
    // The widgets filled from blocks_, a table made where there are more than before.
    void showBlocks();

    Verdict verdict_;
    View view_;  // the units and language it is written in
    std::vector<VerdictBlock> blocks_;  // what the page shows of it
    // What the verdict is of, while it is still to be worked out (stale_).
    std::array<AircraftPtr, 2> crafts_;
    FlapSet flaps_;
    bool stale_ = false;
    QString failure_;  // why the data of the aircraft compared failed, if they did
    int computeCount_ = 0;
    // Built once, when first needed, and refilled: making widgets anew costs many times
    // more than filling.
    VerdictStrips *strips_ = nullptr;
    QLabel *said_ = nullptr;
    std::vector<std::pair<QLabel *, QTableWidget *>> tables_;  // each under its title
};
