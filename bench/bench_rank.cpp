// Times the ranking of a catalogue of 2,000 aircraft: `varnel --rank` against
// `varnel --list` on the same folder (the scan alone), run in turn; and the ranking
// page's refresh for the whole catalogue when the reference or the altitude changes.
//   bench_rank [N]            (default: 2000 aircraft)
//   bench_rank N --write DIR  only writes the catalogue into DIR (to profile a command on it)
#include "bench/bench_aircraft.h"
#include "catalogue/scan.h"
#include "pages/ranking_page.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double Median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

double TimeMs(const std::function<void()> &run)
{
    QElapsedTimer t;
    t.start();
    run();
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(2, atoi(argv[1])) : 2000;
    const bool writeOnly = argc > 3 && qstrcmp(argv[2], "--write") == 0;
    QTemporaryDir temporary;
    const QString folder = writeOnly ? QString::fromLocal8Bit(argv[3]) : temporary.path();
    const DataPaths paths{folder};
    QDir().mkpath(folder);
    for (int i = 0; i < n; ++i)
        WriteBenchAircraft(paths, QStringLiteral("Craft%1").arg(i, 5, 10, QChar('0')), i);
    if (writeOnly)
        return 0;
    QDir dir(folder);

    // The two commands in turn, so that both see the same state of the disk cache.
    std::vector<double> list, rank;
    RunVarnel({"--list", dir.path()});  // warm-up
    for (int run = 0; run < 5; ++run) {
        list.push_back(TimeMs([&] { RunVarnel({"--list", dir.path()}); }));
        rank.push_back(TimeMs([&] { RunVarnel({"--rank", "Craft00000", "--flaps", "0,1,2,3", dir.path()}); }));
    }
    const double listMs = Median(list), rankMs = Median(rank);
    std::printf("%d aircraft: --list %.0f ms, --rank %.0f ms (median of 5): ratio %.2f (goal <= 1.3)\n", n, listMs, rankMs,
                rankMs / listMs);

    // The page: the catalogue scanned once, then refreshed for another reference and
    // another altitude in turn.
    const auto catalogue = std::make_shared<const Catalogue>(ReadCatalogue(paths));
    RankingPage page;
    page.resize(1200, 800);
    page.show();
    page.SetCatalogue(catalogue);
    page.SetReference(QStringLiteral("Craft00000"));
    QApplication::processEvents();
    std::vector<double> refresh;
    for (int run = 0; run < 41; ++run)
        refresh.push_back(TimeMs([&] {
            if (run % 2)
                page.SetPlace(1000.0 + 100 * run, 300);
            else
                page.SetReference(QStringLiteral("Craft%1").arg(run * 7 % n, 5, 10, QChar('0')));
            QApplication::processEvents();
        }));
    std::printf("ranking page refresh, %d aircraft: %.1f ms (median of 41; goal < 50 ms)\n", n, Median(refresh));
    return 0;
}
