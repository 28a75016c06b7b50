// Times an aircraft with a huge armament file (22.5 MB, 2.5 million rows): the read of
// the aircraft for an export, then the scan into the window's two trees (its longest
// stretch without running events is how long the window would freeze); prints the
// process's peak memory after each.
#include "window/craft_tree.h"
#include "cli/named_crafts.h"
#include "bench/bench_files.h"
#include "catalogue/scan.h"
#include "core/error.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>

namespace {
double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

QByteArray SpeedFile()
{
    QByteArray speed;
    for (int alt = 0; alt <= 8000; alt += 500)
        for (double v : {double(alt), 520.0 + alt / 100, 15.0, 490.0 + alt / 100, 12.0})
            speed += Number(v) + (v == 12.0 ? "\t\r\n" : "\t");
    return speed;
}
}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        QTemporaryDir dir;
        const DataPaths paths{dir.path()};
        WriteFile(paths.speedFile("Heavy"), SpeedFile());
        WriteFile(paths.turnFile("Heavy"), "200\t300\t\r\n10\t12\t\r\n20\t22\t\r\n\r\n\r\n\r\nT_turn: 19\r\n");
        const QByteArray row = "gun:MG;\r\n";
        WriteFile(paths.weaponFile("Heavy"), row.repeated(2'500'000));
        std::printf("armament file: %.1f MB; peak before reading: %.0f MB\n", row.size() * 2.5, PeakMegabytes());

        QElapsedTimer total;
        total.start();
        ReadNamedCrafts(dir.path(), QStringLiteral("Heavy"), QString());
        std::printf("read for an export: %lld ms, peak %.0f MB\n", total.elapsed(), PeakMegabytes());

        CraftTree tree1(QStringLiteral("tree_Crafts_1"), QColor(0, 0, 128), nullptr);
        CraftTree tree2(QStringLiteral("tree_Crafts_2"), QColor(255, 0, 0), nullptr);
        for (CraftTree *tree : {&tree1, &tree2}) {
            tree->resize(221, 279);
            tree->show();
        }
        QCoreApplication::processEvents();
        // The trees filled as the window fills them, the longest stretch between two
        // turns of events noted.
        struct Timed : TreesFill {
            using TreesFill::TreesFill;
            QElapsedTimer sincePump;
            qint64 longest = 0;
            void LetEventsRun() override
            {
                if (sincePump.isValid())
                    longest = std::max(longest, sincePump.elapsed());
                TreesFill::LetEventsRun();
                sincePump.start();
            }
        } trees(tree1, tree2);
        ScanHooks hooks;
        hooks.pumpInterval = std::chrono::milliseconds(0);
        hooks.progress = &trees;
        total.start();
        ReadCatalogue(paths, hooks);
        const qint64 longest = trees.longest;
        std::printf("scan into two trees: %lld ms, longest stretch without events %lld ms, peak %.0f MB\n",
                    total.elapsed(), longest, PeakMegabytes());

    } catch (const VarnelError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
