// Times the catalogue scan. First the whole program against the floor: a catalogue of
// 2,000 aircraft (copies of sample-data's aircraft under new names), varnel started on it
// until its window shows both trees filled (VARNEL_QUIT_WHEN_READY), against tree_floor
// (../shared/perf/tree_floor.cpp: reads every file whole and fills two trees), run in
// turn after a warm-up each; prints both medians and their ratio. Under an X server
// (DISPLAY set) both run on it, else offscreen. Then the scan alone, in this process,
// into two shown trees, in milliseconds per aircraft.
//   bench_scan [RUNS]     (default 7 runs of each)
// The floor program is taken from $VARNEL_TREE_FLOOR, else /tmp/peers/tree_floor.
#include "bench/bench_aircraft.h"
#include "core/error.h"
#include "window/craft_tree.h"
#include "catalogue/scan.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// N aircraft in dir: sample-data's, one after another, each copy named "C0001-NAME".
void CopySampleAircraft(const QString &dir, int n)
{
    const QDir sample(QStringLiteral(VARNEL_SOURCE_DIR "/sample-data"));
    QStringList names = QDir(sample.filePath(QStringLiteral("DataSpeed"))).entryList({QStringLiteral("*_speed.txt")}, QDir::Files);
    if (names.isEmpty())
        throw VarnelError("no aircraft in " + sample.path());
    for (QString &name : names)
        name.chop(int(qstrlen("_speed.txt")));
    const char *const folders[] = {"DataSpeed", "DataTurn", "DataCraft", "DataWeapon"};
    const char *const ends[] = {"_speed.txt", "_turn.txt", ".txt", ".txt"};
    for (const char *folder : folders)
        QDir(dir).mkpath(QLatin1String(folder));
    for (int i = 0; i < n; ++i) {
        const QString &from = names[i % names.size()];
        const QString to = QStringLiteral("C%1-%2").arg(i, 4, 10, QChar('0')).arg(from);
        for (int k = 0; k < 4; ++k) {
            const QString source = sample.filePath(QLatin1String(folders[k]) + '/' + from + QLatin1String(ends[k]));
            if (QFile::exists(source) && !QFile::copy(source, dir + '/' + folders[k] + '/' + to + QLatin1String(ends[k])))
                throw VarnelError("cannot copy " + source);
        }
    }
}

// Milliseconds from start to exit of program, run in workDir.
double RunMs(const QString &program, const QStringList &args, const QString &workDir, bool quitWhenReady)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (quitWhenReady)
        env.insert(QStringLiteral("VARNEL_QUIT_WHEN_READY"), QStringLiteral("1"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed or did not quit within 120 s\n", qPrintable(program));
        std::exit(1);
    }
    return t.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// The whole program against the floor program on 2,000 aircraft, in turn.
void AgainstTheFloor(int runs)
{
    QTemporaryDir dir;
    CopySampleAircraft(dir.path(), 2000);
    const QString varnel = QStringLiteral(VARNEL_BINARY);
    const QStringList args{dir.path()};
    const QString floor = qEnvironmentVariableIsEmpty("VARNEL_TREE_FLOOR") ? QStringLiteral("/tmp/peers/tree_floor")
                                                                            : qEnvironmentVariable("VARNEL_TREE_FLOOR");
    const bool haveFloor = QFileInfo(floor).isExecutable();
    std::printf("2,000 aircraft (copies of sample-data), platform %s\n", qgetenv("QT_QPA_PLATFORM").constData());
    if (!haveFloor)
        std::printf("no floor program at %s; build it with\n"
                    "  echo 'find_package(Qt6 REQUIRED COMPONENTS PrintSupport)' > /tmp/peers.cmake\n"
                    "  cmake -S ../shared/perf -B /tmp/peers -DCMAKE_PROJECT_INCLUDE=/tmp/peers.cmake\n"
                    "  cmake --build /tmp/peers --target tree_floor\n"
                    "(or name it in VARNEL_TREE_FLOOR); timing varnel alone\n",
                    qPrintable(floor));
    RunMs(varnel, args, dir.path(), true);  // warm-up: the files and libraries in the cache
    if (haveFloor)
        RunMs(floor, {}, dir.path(), false);
    std::vector<double> program, peer;
    for (int i = 0; i < runs; ++i) {
        program.push_back(RunMs(varnel, args, dir.path(), true));
        if (haveFloor)
            peer.push_back(RunMs(floor, {}, dir.path(), false));
    }
    const double p = Median(program);
    std::printf("varnel, start to both trees filled and shown: median %.1f ms (best %.1f)\n", p,
                *std::min_element(program.begin(), program.end()));
    if (!haveFloor)
        return;
    const double f = Median(peer);
    std::printf("tree_floor, the same trees filled:            median %.1f ms (best %.1f)\n", f,
                *std::min_element(peer.begin(), peer.end()));
    std::printf("ratio %.2f  (%d runs of each, in turn)\n", p / f, runs);
    std::fflush(stdout);
}

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

    TreesFill trees(tree1, tree2);
    ScanHooks hooks;
    hooks.progress = &trees;
    hooks.pumpInterval = pumpInterval;
    QElapsedTimer timer;
    timer.start();
    const int count = ReadCatalogue(paths, hooks).ReadCount();
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
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    QApplication app(argc, argv);
    try {
        AgainstTheFloor(argc > 1 ? std::max(1, std::atoi(argv[1])) : 7);
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
