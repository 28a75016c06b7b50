#pragma once
// The comparison as one table: its pages in tab order; on each page its charts, each
// with its series (whose curve is whose, how they compare: presentation/chart_defs.h)
// and how it is filled (charts/refresh.h); each page's object name, caption and name
// in pictures. The pages widget and its keys, the refresh, the tracker, the shading,
// the help, export and the report are all made from it. A page that shows no chart
// (the verdict) is made, given the comparison and written again by its own functions.
#include "catalogue/aircraft.h"
#include "charts/refresh.h"
#include "core/flap_set.h"
#include "core/view.h"
#include "presentation/chart_defs.h"

#include <QString>
#include <QVector>

#include <functional>

class QWidget;
class TChart;
class VerdictPage;
class RankingPage;

// The pages in tab order and the charts on them, by the names tests and tools find
// them by; the window holds the same pointers.
struct ComparisonPageMembers {
    QWidget *tab_Common;
    TChart *ch_C3, *ch_C4, *ch_C1, *ch_C2;
    QWidget *tab_SpeedByAlt;
    TChart *chrt_TASbyAlt;
    QWidget *tab_ROCByAlt;
    TChart *chrt_MaxROCbyAlt;
    QWidget *tab_ROCAtTAS;
    TChart *chrt_ROCatConst;
    QWidget *tab_TurnBySpeed;
    TChart *chrt_TurnbySpeed;
    QWidget *TabSheet5;
    TChart *chrt_FunPlot;
    VerdictPage *tab_Verdict;
    RankingPage *tab_Ranking;
};

// A chart of a page: the member that holds it, its row and its fill (none on a mirror
// chart, which copies the chart its row names).
struct ChartEntry {
    TChart *ComparisonPageMembers::*member;
    const ChartDef *def;
    ChartFill fill;
};

// A page that is no chart, by its own functions.
struct OwnPage {
    // Makes the page into its member; returns it.
    QWidget *(*make)(ComparisonPageMembers &members, QWidget *parent, const View &view) = nullptr;
    // The comparison from now on (either aircraft may be null).
    void (*compare)(QWidget *page, const AircraftPtr &first, const AircraftPtr &second, FlapSet shown) = nullptr;
    // Written again in `view` (its units; the language installed now).
    void (*reshow)(QWidget *page, const View &view) = nullptr;
};

// The pages of their own (the verdict, the ranking), made, given the comparison and
// written again by the pages widget (comparison_pages.cpp), which knows their widgets.
extern const OwnPage VerdictFunctions, RankingFunctions;

struct PageDef {
    QWidget *ComparisonPageMembers::*member;  // a page of charts; null for an own page
    QString name;     // object name, e.g. "tab_Common"
    const char *caption;  // the tab's text, in source form
    QString slug;     // the page's name in pictures, e.g. "speed-by-altitude"
    QVector<ChartEntry> charts;  // several share the common grid; one fills its page
    OwnPage own = {};
    // Whether export and "save all pages" draw the page (the ranking is no comparison of two).
    bool inPictures = true;
    // Whether the report draws the page among its charts.
    bool InReport() const { return !charts.isEmpty(); }
};

// The pages in tab order.
const QVector<PageDef> &ComparisonTable();
// Every chart's row, page by page.
QVector<const ChartDef *> ChartDefs();

// The table's charts as the refresh reads them, each with the series `seriesOf` gives
// it (a chart's widget, or a list alone where no widget is needed).
ComparisonCharts RefreshedCharts(const std::function<TChartSeriesList *(const ChartEntry &)> &seriesOf,
                                 const QColor &labelColor);
