// Times a language switch of the real main window on the sample pair, the common page
// and then the verdict page shown, with all four flap settings drawn: from SetLanguage until the window has
// repainted and the event loop finds nothing more to do. Prints milliseconds per switch.
//   bench_language [DATA_DIR]     (default: sample-data of the source tree)
#include "pages/comparison_pages.h"
#include "pages/verdict_page.h"
#include "window/flap_button.h"
#include "window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTreeWidget>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString data = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VARNEL_SOURCE_DIR "/sample-data");
    QDir::setCurrent(data);
    Tfrm_Main w;
    w.show();
    while (w.Scanning())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    for (QTreeWidget *tree : {static_cast<QTreeWidget *>(w.tree_Crafts_1), static_cast<QTreeWidget *>(w.tree_Crafts_2)})
        if (tree->topLevelItemCount() > 1)
            tree->topLevelItem(tree == w.tree_Crafts_1 ? 0 : 1)->setSelected(true);
    for (MarkButton *b : {w.btn_Turn2, w.btn_Turn3, w.btn_Turn4})
        b->click();
    QCoreApplication::processEvents();
    // Wall time, and the process's CPU time (what the switch costs on a busy machine).
    const auto cpuMs = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    };
    // The common page and the verdict page (the one with the most text to say again).
    for (QWidget *page : {w.pages_Charts->tab_Common, static_cast<QWidget *>(w.pages_Charts->tab_Verdict)}) {
        w.pages_Charts->setCurrentWidget(page);
        QCoreApplication::processEvents();
        std::vector<double> ms, cpu;
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer timer;
            timer.start();
            const double cpuStart = cpuMs();
            if (!qEnvironmentVariableIsSet("BENCH_REPAINT_ONLY"))
                w.SetLanguage(i % 2 == 0 ? QStringLiteral("en") : QStringLiteral("ru"));
            w.repaint();
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            ms.push_back(timer.nsecsElapsed() / 1e6);
            cpu.push_back(cpuMs() - cpuStart);
        }
        std::sort(ms.begin(), ms.end());
        std::sort(cpu.begin(), cpu.end());
        std::printf("language switch, %s: median %.1f ms (CPU %.1f ms), slowest %.1f ms (CPU %.1f ms), %zu switches\n",
                    qPrintable(page->objectName()), ms[ms.size() / 2], cpu[cpu.size() / 2], ms.back(), cpu.back(),
                    ms.size());
    }
    return 0;
}
