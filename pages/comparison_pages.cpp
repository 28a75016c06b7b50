#include "pages/comparison_pages.h"

#include "pages/layout.h"
#include "pages/page_tabs.h"
#include "pages/verdict_page.h"
#include "core/guard.h"
#include "presentation/chart.h"
#include "presentation/contrast.h"
#include "presentation/chart_language.h"

#include <QCoreApplication>
#include <QApplication>
#include <QVBoxLayout>

namespace {
// A tab's title names its altitude in the units shown.
QString Caption(const PageDef &row) { return AltitudesIn(QCoreApplication::translate("Varnel", row.caption), ShownUnits()); }
// The turn-rate diagram's line labels are drawn in the button face of the charts' palette.
QColor LabelColor() { return ChartPalette(QApplication::palette()).color(QPalette::Button); }
}  // namespace

QFont PagesFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

ComparisonPages::ComparisonPages(QWidget *parent) : QTabWidget(parent)
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
    QWidget *page = row.own.make ? row.own.make(*this, this) : (this->*row.member = new QWidget(this));
    page->setObjectName(row.name);
    setTabToolTip(addTab(page, Caption(row)), Caption(row));
    pages_.push_back({&row, page});
    // Several charts share the common grid; one chart fills its page.
    QLayout *grid = row.charts.size() > 1 ? new CommonGridLayout(page) : nullptr;
    for (const ChartEntry &entry : row.charts) {
        TChart *chart = this->*entry.member = BuildChart(*entry.def, page);
        if (grid) {
            grid->addWidget(chart);
        } else {
            auto *fill = new QVBoxLayout(page);
            fill->setContentsMargins(0, 0, 0, 0);
            fill->addWidget(chart);
        }
    }
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
    return RefreshedCharts([this](const ChartEntry &entry) { return &(this->*entry.member)->Series(); }, LabelColor());
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

void ComparisonPages::ShowUnits()
{
    const UnitSystem units = ShownUnits();
    for (TChart *chart : Charts())
        ::ShowUnits(*chart, units);
    for (const RefreshedChart &chart : refreshed().charts)
        if (chart.fill.units)
            chart.fill.units(*chart.series, *chart.def, LabelColor(), units);
    Retranslate();  // the titles that name an altitude, and the pages of their own
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
    const TChart *mirrored = chart->Tracker().Partner();
    setCurrentIndex(mirrored ? indexOf(mirrored->parentWidget()) : 0);
}

void ComparisonPages::LayOutCommonPage() { tab_Common->layout()->setGeometry(tab_Common->contentsRect()); }

void ComparisonPages::Retranslate()
{
    for (const auto &[row, page] : pages_) {
        setTabText(indexOf(page), Caption(*row));
        setTabToolTip(indexOf(page), Caption(*row));
    }
    for (TChart *chart : Charts())
        RetranslateChart(*chart);
    for (const auto &[row, page] : pages_)
        if (row->own.reshow)
            row->own.reshow(page);
}

void ComparisonPages::resizeEvent(QResizeEvent *event)
{
    QTabWidget::resizeEvent(event);
    static_cast<PageTabBar *>(tabBar())->Reshare();
}
