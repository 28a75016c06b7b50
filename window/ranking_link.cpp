// The ranking page in the window: its tab after the verdict, the reference from the
// first tree (SetDataForChart), a row double-clicked chosen in the second tree with the
// verdict opened, and "take them from the tracker" answered by where the mouse last was
// on a chart.
#include "window/main_window.h"

#include "core/language.h"
#include "pages/ranking_page.h"
#include "pages/verdict_page.h"
#include "presentation/chart.h"
#include "window/tree_state.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace {
// Keeps where the mouse last moved over a chart's plot: the altitude on a chart read at
// an altitude, the speed on one read at a speed (metric, as the axes hold them).
class TrackerWatch : public QObject {
public:
    using QObject::QObject;
    TrackedPlace place;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *chart = qobject_cast<TChart *>(watched);
        if (chart && event->type() == QEvent::MouseMove) {
            const QPointF at = static_cast<QMouseEvent *>(event)->position();
            if (chart->PlotArea().contains(at.toPoint())) {
                if (chart->Tracker().Setup().line == Qt::Horizontal)
                    place.altitude = chart->yAxis->pixelToCoord(at.y());
                else
                    place.speed = chart->xAxis->pixelToCoord(at.x());
            }
        }
        return false;
    }
};
}  // namespace

void Tfrm_Main::buildRanking()
{
    tab_Ranking = pages_Charts->tab_Ranking;
    auto *watch = new TrackerWatch(this);
    for (TChart *chart : Charts())
        chart->installEventFilter(watch);
    tab_Ranking->SetTrackerSource([watch] { return watch->place; });
    connect(tab_Ranking, &RankingPage::CraftChosen, this, [this](const QString &name) {
        if (ChooseCraft(tree_Crafts_2, name))
            pages_Charts->setCurrentWidget(pages_Charts->tab_Verdict);
    });
    connect(this, &Tfrm_Main::CatalogueChanged, this, [this] { tab_Ranking->SetCatalogue(Catalogue()); });
}
