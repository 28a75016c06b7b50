// Times the catalogue scan of N synthetic aircraft into the window's two shown aircraft trees, with
// pending events run as the window runs them, and prints milliseconds per aircraft.
#include "bench/bench_files.h"
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

// One aircraft's four files, sized like real ones.
void WriteAircraft(const DataPaths &paths, const QString &name, int seed)
{
    QByteArray speed;
    for (int row = 0; row < 100; ++row) {
        const double alt = row * 100.0;
        for (double v : {alt, 520.0 + seed % 50 + row * 0.8, 15.0 - row * 0.1, 490.0 + row * 0.7, 12.0 - row * 0.09})
            speed += Number(v) + '\t';
        speed += "\r\n";
    }
    QByteArray turn;
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 40; ++col)
            turn += (row == 0 ? Number(150 + col * 10) : Number(30.0 - col * 0.3 + row)) + '\t';
        turn += "\r\n";
    }
    turn += "M_takeoff: " + Number(2800 + seed % 400) + "\r\nT_turn: " + Number(18.456 + seed % 7) +
            "\r\nV_turn: 250\r\nVz_climb: 15.5\r\nV_climb: 290\r\n";
    WriteFile(paths.speedFile(name), speed);
    WriteFile(paths.turnFile(name), turn);
    WriteFile(paths.craftFile(name), "name=" + name.toLatin1() + "\r\n0=" + Number(700 + seed % 100) + "\r\n");
    WriteFile(paths.weaponFile(name), "gun:MG 7.62 mm;MG 7.62 mm;\r\ngun:cannon 20 mm;\r\nbombs:2 x 50 kg;4 x 25 kg;\r\n"
                                      "rockets:6 x RS-82;\r\nextra:drop tank;\r\n");
}

double MillisecondsPerAircraft(int n, std::chrono::milliseconds pumpInterval)
{
    QTemporaryDir dir;
    const DataPaths paths{dir.path()};
    for (const char *sub : {"DataSpeed", "DataTurn", "DataCraft", "DataWeapon"})
        QDir(dir.path()).mkdir(sub);
    for (int i = 0; i < n; ++i)
        WriteAircraft(paths, QStringLiteral("Craft%1").arg(i, 5, 10, QChar('0')), i);

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
    hooks.addCraft = [&](const CraftRecord &craft) {
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
