// Times the catalogue scan of N synthetic aircraft into the window's two shown aircraft trees, with
// pending events run as the window runs them, and prints milliseconds per aircraft.
#include "bench/bench_aircraft.h"
#include "core/error.h"
#include "window/craft_tree.h"
#include "catalogue/scan.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double MillisecondsPerAircraft(int n, std::chrono::milliseconds pumpInterval)
{
    QTemporaryDir dir;
    const DataPaths paths{dir.path()};
    for (const char *sub : {"DataSpeed", "DataTurn", "DataCraft", "DataWeapon"})
        QDir(dir.path()).mkdir(sub);
    for (int i = 0; i < n; ++i)
        WriteBenchAircraft(paths, QStringLiteral("Craft%1").arg(i, 5, 10, QChar('0')), i);

    // Two trees as the main window shows them: 221 x 279 and 221 x 278.
    CraftTree tree1(QStringLiteral("tree_Crafts_1"), QColor(0, 0, 128), nullptr);
    CraftTree tree2(QStringLiteral("tree_Crafts_2"), QColor(255, 0, 0), nullptr);
    int height = 279;
    for (CraftTree *tree : {&tree1, &tree2}) {
        tree->resize(221, height--);
        tree->show();
    }
    QCoreApplication::processEvents();

    ScanHooks hooks;
    hooks.setPanel = [](int, const QString &) {};
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    hooks.pumpInterval = pumpInterval;
    hooks.addCraft = [&](const AircraftPtr &craft) {
        tree1.AddCraft(craft);
        tree2.AddCraft(craft);
    };
    QElapsedTimer timer;
    timer.start();
    const int count = ScanCatalogue(paths, hooks);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (count != n)
        throw VarnelError(QStringLiteral("scanned %1 of %2 aircraft").arg(count).arg(n));
    std::printf("N = %5d, pump interval %2d ms: %8.1f ms total, %.3f ms per aircraft\n", n,
                int(pumpInterval.count()), ms, ms / n);
    std::fflush(stdout);
    return ms;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        // The scan as the window runs it, then with pending events run at every point.
        for (const auto interval : {ScanHooks().pumpInterval, std::chrono::milliseconds(0)})
            for (const int n : {200, 2000})
                MillisecondsPerAircraft(n, interval);
    } catch (const VarnelError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
