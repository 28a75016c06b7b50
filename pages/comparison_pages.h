#pragma once
// The chart pages of a comparison of two aircraft, as one widget made from the
// comparison's table (pages/comparison_table.h): the common page with its four charts
// in a 2 x 2 grid, then one page per chart (speed, climb, climb at speed, turn time,
// the turn-rate diagram), then the verdict page (who is better, and where), in the
// window's font and palette, redrawn by SetComparison. The window shows it beside the
// trees; export and "save all pages" build it alone, from the aircraft's records, and
// draw its pages into pictures.
#include "pages/comparison_table.h"
#include "core/view.h"
#include "pages/pages_font.h"

#include <QFont>
#include <QTabWidget>
#include <QVector>

#include <array>
#include <utility>

class TChart;
class VerdictPage;


class ComparisonPages : public QTabWidget, public ComparisonPageMembers {
    Q_OBJECT
public:
    // The pages in `view`'s units (the window's, or those a picture or report is made in).
    explicit ComparisonPages(const View &view, QWidget *parent = nullptr);

    int PageCount() const { return count(); }
    QWidget *Page(int index) const { return widget(index); }
    // Each page with its row of the table, in tab order (kept when a picture lifts a
    // page out of its tab).
    const QVector<std::pair<const PageDef *, QWidget *>> &Pages() const { return pages_; }
    // The charts of every page, page by page: the common page's four, then the full
    // pages' five.
    QVector<TChart *> Charts() const;

    // Redraws every chart and the verdict for first and second (either may be null:
    // that side stays empty) with the flap settings shown (none, 1, 2, 3): each when
    // it is seen. Raises the first error, once.
    void SetComparison(const AircraftPtr &first, const AircraftPtr &second, FlapSet shown);

    // Shows the pages in `view`: the charts' axes, the turn-rate diagram's radius lines
    // and the pages of their own in its units, keeping the page, the curves and every
    // zoom; every text again in the language installed now.
    void SetView(const View &view);
    const View &ShownView() const { return view_; }

    // Switches the advantage shading of every chart on or off (off at start).
    void SetAdvantageShown(bool shown);
    // The tabs, charts and verdict shown again in the language installed now.
    void Retranslate();
    bool AdvantageShown() const { return advantageShown_; }

    // A chart of the common page opens its own page; any other chart the common page.
    void ShowOneChart(TChart *chart);
    // Lays the common page's grid out for the page's size now.
    void LayOutCommonPage();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void makePage(const PageDef &row);
    void showUnits();
    QString caption(const PageDef &row) const;
    ComparisonCharts refreshed() const;

    View view_;

    bool advantageShown_ = false;
    QVector<std::pair<const PageDef *, QWidget *>> pages_;
};
