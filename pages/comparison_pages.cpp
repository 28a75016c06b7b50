#include "pages/comparison_pages.h"

#include "pages/layout.h"
#include "pages/page_tabs.h"
#include "pages/ranking_page.h"
#include "pages/verdict_page.h"
#include "core/guard.h"
#include "presentation/chart.h"
#include "presentation/contrast.h"
#include "presentation/chart_language.h"

#include <QCoreApplication>
#include <QApplication>
#include <QVBoxLayout>

namespace {
// The turn-rate diagram's line labels are drawn in the button face of the charts' palette.
QColor LabelColor() { return ChartPalette(QApplication::palette()).color(QPalette::Button); }
}  // namespace

// The verdict page, by its own functions.
constinit const OwnPage VerdictFunctions{
    [](ComparisonPageMembers &m, QWidget *parent, const View &view) -> QWidget * {
        m.tab_Verdict = new VerdictPage(parent);
        m.tab_Verdict->SetView(view);
        return m.tab_Verdict;
    },
    [](QWidget *page, const AircraftPtr &first, const AircraftPtr &second, FlapSet shown) {
        static_cast<VerdictPage *>(page)->SetComparison(first, second, shown);
    },
    [](QWidget *page, const View &view) {
        static_cast<VerdictPage *>(page)->SetView(view);
        static_cast<VerdictPage *>(page)->Reshow();
    }};

// The ranking page, by its own functions: the first aircraft is its reference.
constinit const OwnPage RankingFunctions{
    [](ComparisonPageMembers &m, QWidget *parent, const View &view) -> QWidget * { return m.tab_Ranking = new RankingPage(view, parent); },
    [](QWidget *page, const AircraftPtr &first, const AircraftPtr &, FlapSet shown) {
        static_cast<RankingPage *>(page)->SetReference(first ? first->name : QString(), shown);
    },
    [](QWidget *page, const View &view) {
        static_cast<RankingPage *>(page)->SetView(view);
        static_cast<RankingPage *>(page)->Reshow();
    }};

ComparisonPages::ComparisonPages(const View &view, QWidget *parent) : QTabWidget(parent), view_(view)
{
    setObjectName(QStringLiteral("pages_Charts"));
    setFont(PagesFont());
    // Every page's tab stays in view: a title that does not fit is elided, and its tab's
    // tool tip gives it whole.
    setTabBar(new PageTabBar(this));
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideRight);
    setDocumentMode(false);
    for (const PageDef &row : ComparisonTable())
        makePage(row);
    PairPartners(Charts());
    for (TChart *chart : Charts())
        connect(chart, &TChart::DoubleClicked, this, [this, chart] { Guarded([this, chart] { ShowOneChart(chart); }); });
    setCurrentWidget(tab_Common);
}

void ComparisonPages::makePage(const PageDef &row)
{
    QWidget *page = row.own.make ? row.own.make(*this, this, view_) : (this->*row.member = new QWidget(this));
    page->setObjectName(row.name);
    setTabToolTip(addTab(page, caption(row)), caption(row));
    pages_.push_back({&row, page});
    // Several charts share the common grid; one chart fills its page.
    QLayout *grid = row.charts.size() > 1 ? new CommonGridLayout(page) : nullptr;
    for (const ChartEntry &entry : row.charts) {
        TChart *chart = this->*entry.member = BuildChart(*entry.def, page, view_.units);
        if (grid) {
            grid->addWidget(chart);
        } else {
            auto *fill = new QVBoxLayout(page);
            fill->setContentsMargins(0, 0, 0, 0);
            fill->addWidget(chart);
        }
    }
}

// A tab's title names its altitude in the units shown.
QString ComparisonPages::caption(const PageDef &row) const
{
    return AltitudesIn(QCoreApplication::translate("Varnel", row.caption), view_.units);
}

QVector<TChart *> ComparisonPages::Charts() const
{
    QVector<TChart *> charts;
    for (const auto &[row, page] : pages_)
        for (const ChartEntry &entry : row->charts)
            charts.push_back(this->*entry.member);
    return charts;
}

ComparisonCharts ComparisonPages::refreshed() const
{
    ComparisonCharts charts = RefreshedCharts([this](const ChartEntry &entry) { return &(this->*entry.member)->Series(); }, LabelColor());
    charts.units = view_.units;
    return charts;
}

void ComparisonPages::SetComparison(const AircraftPtr &first, const AircraftPtr &second, FlapSet shown)
{
    // The verdict reads the same values as the charts, so a bad one fails both; the
    // charts' refresh raises it, once.
    for (const auto &[row, page] : pages_)
        if (row->own.compare)
            row->own.compare(page, first, second, shown);
    RefreshComparison(refreshed(), first.get(), second.get(), shown);
}

void ComparisonPages::SetView(const View &view)
{
    const bool units = view.units != view_.units;
    view_ = view;
    if (units)
        showUnits();
    Retranslate();  // the titles that name an altitude, and the pages of their own
}

void ComparisonPages::showUnits()
{
    for (TChart *chart : Charts())
        ShowUnits(*chart, view_.units);
    for (const RefreshedChart &chart : refreshed().charts)
        if (chart.fill.units)
            chart.fill.units(*chart.series, *chart.def, LabelColor(), view_.units);
}

void ComparisonPages::SetAdvantageShown(bool shown)
{
    advantageShown_ = shown;
    for (TChart *chart : Charts())
        chart->Shading().SetShown(shown);
}

void ComparisonPages::ShowOneChart(TChart *chart)
{
    // A mirror chart opens the page of the chart it mirrors; any other the first page.
    const TChart *mirrored = chart->Partner();
    setCurrentIndex(mirrored ? indexOf(mirrored->parentWidget()) : 0);
}

void ComparisonPages::LayOutCommonPage() { tab_Common->layout()->setGeometry(tab_Common->contentsRect()); }

void ComparisonPages::Retranslate()
{
    for (const auto &[row, page] : pages_) {
        setTabText(indexOf(page), caption(*row));
        setTabToolTip(indexOf(page), caption(*row));
    }
    for (TChart *chart : Charts())
        RetranslateChart(*chart);
    for (const auto &[row, page] : pages_)
        if (row->own.reshow)
            row->own.reshow(page, view_);
}

void ComparisonPages::resizeEvent(QResizeEvent *event)
{
    QTabWidget::resizeEvent(event);
    static_cast<PageTabBar *>(tabBar())->Reshare();
}
