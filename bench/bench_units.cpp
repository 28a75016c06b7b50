// Times a switch of the units in the real main window: two aircraft chosen, all four
// flap settings drawn, on the common page, the turn-rate diagram and the verdict page in
// turn, from SetUnits until every chart of the page has painted and a whole round of
// event processing finds nothing more to do; then, as a yardstick, a flap button's
// click on the same pages. Prints milliseconds per change.
//   bench_units [FOLDER FIRST SECOND]     (default: Tarn-5 Skarn-7 of sample-data)
#include "bench/window_selection.h"
#include "core/units.h"
#include "pages/verdict_page.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace window_selection;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString folder = args.size() > 3 ? args[1] : QStringLiteral(VARNEL_SOURCE_DIR "/sample-data");
    const QString first = args.size() > 3 ? args[2] : QStringLiteral("Tarn-5");
    const QString second = args.size() > 3 ? args[3] : QStringLiteral("Skarn-7");
    if (!QDir::setCurrent(folder))
        Fail("cannot enter the data folder");

    Tfrm_Main window;
    window.resize(1280, 800);
    ShowScannedWithAllFlaps(window);
    window.tree_Crafts_1->setCurrentItem(window_selection::Aircraft(window.tree_Crafts_1, first));
    window.tree_Crafts_2->setCurrentItem(window_selection::Aircraft(window.tree_Crafts_2, second));

    EventCount count;
    qApp->installEventFilter(&count);
    const UnitSystem cycle[] = {UnitSystem::Imperial, UnitSystem::Knots, UnitSystem::Metric};
    // Milliseconds per change of `page`, from change() until the page has painted.
    const auto time = [&](QWidget *page, const std::function<void(int)> &change) {
        window.pages_Charts->setCurrentWidget(page);
        const QList<QCustomPlot *> charts = VisibleCharts(page);
        count.painted.clear();
        Settle(count, charts);
        std::vector<double> ms;
        QElapsedTimer t;
        for (int i = -3; i < 30; ++i) {  // three rounds to warm up
            count.painted.clear();
            t.start();
            change(i + 3);
            if (!Settle(count, charts))
                Fail("the page did not paint within 10 s");
            if (i >= 0)
                ms.push_back(t.nsecsElapsed() / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("page %-16s median %.2f ms  (worst %.2f, %zu changes, %s vs %s)\n", qPrintable(page->objectName()),
                    ms[ms.size() / 2], ms.back(), ms.size(), qPrintable(first), qPrintable(second));
    };
    const QList<QWidget *> pages{window.pages_Charts->tab_Common, window.pages_Charts->TabSheet5,
                                 window.pages_Charts->tab_Verdict};
    std::printf("units switch (SetUnits):\n");
    for (QWidget *page : pages)
        time(page, [&](int i) { window.SetUnits(cycle[i % 3]); });
    // For comparison: what a change of the flaps shown costs on the same pages.
    std::printf("flap button, for comparison:\n");
    for (QWidget *page : pages)
        time(page, [&](int) { window.btn_Turn2->click(); });
    qApp->removeEventFilter(&count);
    return 0;
}
