#pragma once
// The chart pages of a comparison of two aircraft, as one widget made from the
// comparison's table (pages/comparison_table.h): the common page with its four charts
// in a 2 x 2 grid, then one page per chart (speed, climb, climb at speed, turn time,
// the turn-rate diagram), then the verdict page (who is better, and where), in the
// window's font and palette, redrawn by SetComparison. The window shows it beside the
// trees; export and "save all pages" build it alone, from the aircraft's records, and
// draw its pages into pictures.
#include "pages/comparison_table.h"

#include <QFont>
#include <QTabWidget>
#include <QVector>

#include <array>
#include <utility>

class TChart;
class VerdictPage;

// The font of the window and its pages; the charts measure and draw their text in it.
QFont PagesFont();

class ComparisonPages : public QTabWidget, public ComparisonPageMembers {
    Q_OBJECT
public:
    explicit ComparisonPages(QWidget *parent = nullptr);

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

    // Shows the charts' axes, the turn-rate diagram's radius lines and the verdict in
    // the units shown now (ShownUnits), keeping the page, the curves and every zoom.
    void ShowUnits();

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
    ComparisonCharts refreshed() const;

    bool advantageShown_ = false;
    QVector<std::pair<const PageDef *, QWidget *>> pages_;
};
