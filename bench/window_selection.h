#pragma once
// Times a selection change in the real main window, as its user makes it: the common
// page shown, all four flap settings drawn (no flap button marked), the first tree on
// one aircraft while the second switches between it and the other. Each timed change
// picks the other aircraft in the second tree, so both of the pair are drawn, and runs
// from setCurrentItem until every chart of the shown page has painted and a whole round
// of event processing finds nothing more to do; it also counts the replots of the charts
// in view and of the hidden ones. The window is driven only through its trees, flap
// buttons and pages, so the same code times any version of it.
#include "window/flap_button.h"
#include "window/main_window.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace window_selection {

// Counts every event the program delivers, and which widgets painted.
class EventCount : public QObject {
public:
    qint64 events = 0;
    QSet<const QObject *> painted;

    bool eventFilter(QObject *object, QEvent *event) override
    {
        ++events;
        if (event->type() == QEvent::Paint)
            painted.insert(object);
        return false;
    }
};

[[noreturn]] inline void Fail(const char *what)
{
    std::fprintf(stderr, "window selection bench: %s\n", what);
    std::exit(1);
}

// Runs events until each of `charts` has painted since count.painted was emptied and a
// round of processing delivers no event; false after 10 s without that.
inline bool Settle(EventCount &count, const QList<QCustomPlot *> &charts)
{
    const QDeadlineTimer deadline(10000);
    for (;;) {
        const qint64 before = count.events;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const bool painted = std::all_of(charts.begin(), charts.end(),
                                         [&](const QCustomPlot *c) { return count.painted.contains(c); });
        if (painted && count.events == before)
            return true;
        if (deadline.hasExpired())
            return false;
    }
}

inline QTreeWidgetItem *Aircraft(QTreeWidget *tree, const QString &name)
{
    const QList<QTreeWidgetItem *> found = tree->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        Fail(qPrintable(QStringLiteral("no aircraft %1 in the tree").arg(name)));
    return found.first();
}

// Shows the window, runs events until its scan of the working directory has ended, and
// unmarks every flap button, so all four flap settings are drawn.
inline void ShowScannedWithAllFlaps(Tfrm_Main &window)
{
    bool scanned = false;
    QObject::connect(&window, &Tfrm_Main::ScanEnded, &window, [&] { scanned = true; });
    window.show();
    const QDeadlineTimer deadline(60000);
    while (!scanned && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!scanned)
        Fail("the scan did not end");
    for (MarkButton *b : {window.btn_Turn1, window.btn_Turn2, window.btn_Turn3, window.btn_Turn4})
        if (b->Marked())
            b->click();
    for (MarkButton *b : {window.btn_Turn1, window.btn_Turn2, window.btn_Turn3, window.btn_Turn4})
        if (b->Marked())
            Fail("a flap button stays marked");
}

// The charts of page that are in view.
inline QList<QCustomPlot *> VisibleCharts(const QWidget *page)
{
    QList<QCustomPlot *> charts;
    for (QCustomPlot *c : page->findChildren<QCustomPlot *>())
        if (c->isVisible())
            charts << c;
    return charts;
}

struct Result {
    double median, mean, worst;
    int runs;
    double shownReplots, hiddenReplots;  // per timed change
};

// The window scans `folder` as its working directory; `first` and `second` are names as
// the trees list them.
inline Result TimeSelectionChange(const QString &folder, const QString &first, const QString &second, int runs = 41)
{
    const QString startDir = QDir::currentPath();
    if (!QDir::setCurrent(folder))
        Fail(qPrintable(QStringLiteral("cannot enter %1").arg(folder)));
    Result result{};
    {
        Tfrm_Main window;
        ShowScannedWithAllFlaps(window);
        window.pages_Charts->setCurrentIndex(0);

        QTreeWidgetItem *a = Aircraft(window.tree_Crafts_1, first);
        QTreeWidgetItem *same = Aircraft(window.tree_Crafts_2, first);
        QTreeWidgetItem *b = Aircraft(window.tree_Crafts_2, second);
        EventCount count;
        qApp->installEventFilter(&count);
        const QList<QCustomPlot *> charts = VisibleCharts(window.pages_Charts->currentWidget());
        if (charts.isEmpty())
            Fail("the common page shows no chart");
        // Replots of the charts in view and of the others, during the timed changes.
        int replots[2] = {0, 0};
        bool timing = false;
        for (QCustomPlot *c : window.pages_Charts->findChildren<QCustomPlot *>()) {
            const int hidden = charts.contains(c) ? 0 : 1;
            QObject::connect(c, &QCustomPlot::afterReplot, &window, [&replots, &timing, hidden] {
                if (timing)
                    ++replots[hidden];
            });
        }
        auto select = [&](QTreeWidget *tree, QTreeWidgetItem *item) {
            count.painted.clear();
            tree->setCurrentItem(item);
            if (!Settle(count, charts))
                Fail("the charts did not paint within 10 s");
        };
        select(window.tree_Crafts_1, a);

        std::vector<double> ms;
        QElapsedTimer t;
        for (int i = -3; i < runs; ++i) {  // three rounds to warm up
            select(window.tree_Crafts_2, same);
            timing = i >= 0;
            t.start();
            select(window.tree_Crafts_2, b);
            if (timing)
                ms.push_back(t.nsecsElapsed() / 1e6);
            timing = false;
        }
        qApp->removeEventFilter(&count);
        std::sort(ms.begin(), ms.end());
        double sum = 0;
        for (double v : ms)
            sum += v;
        result = {ms[ms.size() / 2], sum / double(ms.size()), ms.back(), runs, replots[0] / double(runs),
                  replots[1] / double(runs)};
    }
    QDir::setCurrent(startDir);
    return result;
}

inline void PrintSelectionChange(const QString &folder, const QString &first, const QString &second)
{
    const Result r = TimeSelectionChange(folder, first, second);
    std::printf("selection change, common page, 4 flaps: median %.2f ms  (mean %.2f, worst %.2f, %d changes, %s vs %s)\n",
                r.median, r.mean, r.worst, r.runs, qPrintable(first), qPrintable(second));
    std::printf("  replots per change: %.1f of the charts in view, %.1f of the hidden ones\n", r.shownReplots,
                r.hiddenReplots);
    std::fflush(stdout);
}

}  // namespace window_selection
