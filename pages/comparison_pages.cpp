#include "pages/comparison_pages.h"

#include "pages/layout.h"
#include "pages/page_tabs.h"
#include "pages/verdict_page.h"
#include "charts/turn_rate.h"
#include "core/error.h"
#include "core/guard.h"
#include "presentation/chart.h"
#include "presentation/chart_defs.h"
#include "presentation/contrast.h"
#include "presentation/chart_language.h"

#include <QCoreApplication>
#include <QApplication>
#include <QHash>
#include <QVBoxLayout>


namespace {
// The chart pages in tab order, with their captions. The four pages that show one chart
// of the common page alone follow it in the order of those charts' Tags (1 to 4), so a
// Tag is the tab index of its chart's own page.
struct PageRow {
    QWidget *ComparisonPages::*page;
    const char *name;
    const char *caption;
};
const PageRow kPages[] = {
    {&ComparisonPages::tab_Common, "tab_Common", QT_TRANSLATE_NOOP("Varnel", "Общая таблица")},
    {&ComparisonPages::tab_SpeedByAlt, "tab_SpeedByAlt", QT_TRANSLATE_NOOP("Varnel", "Макс. истинная скорость на заданной высоте")},
    {&ComparisonPages::tab_ROCByAlt, "tab_ROCByAlt", QT_TRANSLATE_NOOP("Varnel", "Макс. скороподъемность на заданной высоте")},
    {&ComparisonPages::tab_ROCAtTAS, "tab_ROCAtTAS", QT_TRANSLATE_NOOP("Varnel", "Скороподъемность при постоянной истинной скорости (Высота=0м)")},
    {&ComparisonPages::tab_TurnBySpeed, "tab_TurnBySpeed", QT_TRANSLATE_NOOP("Varnel", "Скорость поворота (Высота=1000м)")},
    {&ComparisonPages::TabSheet5, "TabSheet5", QT_TRANSLATE_NOOP("Varnel", "Мегаграфик")},
};

// The members that hold the charts; the charts themselves, their pages and Tags come
// from the chart tables (presentation/chart_defs.h).
struct ChartMember {
    TChart *ComparisonPages::*chart;
    const char *name;
};
const ChartMember kChartMembers[] = {
    {&ComparisonPages::ch_C1, "ch_C1"},
    {&ComparisonPages::ch_C2, "ch_C2"},
    {&ComparisonPages::ch_C3, "ch_C3"},
    {&ComparisonPages::ch_C4, "ch_C4"},
    {&ComparisonPages::chrt_TASbyAlt, "chrt_TASbyAlt"},
    {&ComparisonPages::chrt_MaxROCbyAlt, "chrt_MaxROCbyAlt"},
    {&ComparisonPages::chrt_ROCatConst, "chrt_ROCatConst"},
    {&ComparisonPages::chrt_TurnbySpeed, "chrt_TurnbySpeed"},
    {&ComparisonPages::chrt_FunPlot, "chrt_FunPlot"},
};
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

    QHash<QString, QWidget *> pages;
    for (const PageRow &row : kPages) {
        auto *page = new QWidget(this);
        page->setObjectName(QString::fromLatin1(row.name));
        setTabToolTip(addTab(page, QCoreApplication::translate("Varnel", row.caption)), QCoreApplication::translate("Varnel", row.caption));
        this->*row.page = page;
        pages.insert(page->objectName(), page);
    }
    // The common page lays out its four charts as a grid; every other page is filled by
    // its one chart.
    auto *grid = new CommonGridLayout(tab_Common);
    for (const ChartDef &def : ChartDefs()) {
        QWidget *page = pages.value(def.page);
        TChart *chart = BuildChart(def.name, page);
        if (page == tab_Common) {
            grid->addWidget(chart);
        } else {
            auto *fill = new QVBoxLayout(page);
            fill->setContentsMargins(0, 0, 0, 0);
            fill->addWidget(chart);
        }
    }
    for (const ChartMember &m : kChartMembers)
        this->*m.chart = findChild<TChart *>(QString::fromLatin1(m.name));
    // Who is better, and where: after the turn-rate diagram.
    tab_Verdict = new VerdictPage(this);
    setTabToolTip(addTab(tab_Verdict, QCoreApplication::translate("Varnel", "Кто лучше")), QCoreApplication::translate("Varnel", "Кто лучше"));
    PairPartners(Charts());
    for (TChart *chart : Charts())
        connect(chart, &TChart::DoubleClicked, this, [this, chart] { Guarded([this, chart] { ShowOneChart(chart); }); });
    setCurrentWidget(tab_Common);
}

QVector<TChart *> ComparisonPages::Charts() const
{
    return {ch_C1, ch_C2, ch_C3, ch_C4, chrt_TASbyAlt, chrt_MaxROCbyAlt, chrt_ROCatConst, chrt_TurnbySpeed, chrt_FunPlot};
}

void ComparisonPages::SetComparison(const AircraftPtr &first, const AircraftPtr &second, FlapSet shown)
{
    // The verdict reads the same values as the charts, so a bad one fails both; the
    // charts' refresh raises it, once.
    tab_Verdict->SetComparison(first, second, shown);
    ComparisonCharts charts{chrt_TASbyAlt->Series(), chrt_MaxROCbyAlt->Series(), chrt_ROCatConst->Series(),
                            chrt_TurnbySpeed->Series(), chrt_FunPlot->Series(), ch_C1->Series(),
                            ch_C2->Series(), ch_C3->Series(), ch_C4->Series(),
                            ChartPalette(QApplication::palette()).color(QPalette::Button)};
    RefreshComparison(charts, first.get(), second.get(), shown);
}

void ComparisonPages::ShowUnits()
{
    const UnitSystem units = ShownUnits();
    for (TChart *chart : Charts())
        ::ShowUnits(*chart, units);
    ShowRadiusLines(chrt_FunPlot->Series(), ChartPalette(QApplication::palette()).color(QPalette::Button), units);
    Retranslate();  // the titles that name an altitude
}

void ComparisonPages::SetAdvantageShown(bool shown)
{
    advantageShown_ = shown;
    for (TChart *chart : Charts())
        chart->Shading().SetShown(shown);
}

void ComparisonPages::ShowOneChart(TChart *chart)
{
    // Tags 1 to 4 stand on the common page; each opens its chart's own page.
    const int tag = chart->Tag();
    setCurrentIndex(tag >= 1 && tag <= 4 ? tag : 0);
}

void ComparisonPages::LayOutCommonPage() { tab_Common->layout()->setGeometry(tab_Common->contentsRect()); }

void ComparisonPages::Retranslate()
{
    const auto retitle = [this](QWidget *page, const QString &title) {
        setTabText(indexOf(page), title);
        setTabToolTip(indexOf(page), title);
    };
    for (const PageRow &row : kPages)
        retitle(this->*row.page, AltitudesIn(QCoreApplication::translate("Varnel", row.caption), ShownUnits()));
    retitle(tab_Verdict, QCoreApplication::translate("Varnel", "Кто лучше"));
    for (TChart *chart : Charts())
        RetranslateChart(*chart);
    tab_Verdict->Reshow();
}

void ComparisonPages::resizeEvent(QResizeEvent *event)
{
    QTabWidget::resizeEvent(event);
    static_cast<PageTabBar *>(tabBar())->Reshare();
}
