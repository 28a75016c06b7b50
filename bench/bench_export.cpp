// Times the whole `varnel --export` process for two sample aircraft into seven 800x600
// PNG pictures against peers drawing the same nine charts to PNG from the same files:
// gnuplot (../shared/perf/gnuplot_charts.sh, needs gnuplot-nox) and matplotlib
// (../shared/perf/mpl_charts.py, needs python3-matplotlib). Each installed peer runs in
// turn with Varnel, 21 pairs after a warm-up, and the medians and ratios are printed, of
// the time taken and of the processor time used (less swayed by a busy machine), with the
// load; a missing peer is skipped with a line that says so. Then where Varnel's time goes,
// measured in this process: what a process pays once (Qt application, fonts, the first
// layout of the pages, the first replot) and what each picture costs (refresh, drawing,
// encoding, writing).
//   bench_export [FIRST SECOND]     (default: Tarn-5 Skarn-7 of sample-data)
#include "pages/comparison_pages.h"
#include "cli/command_line.h"
#include "pictures/export.h"
#include "pictures/png_writer.h"
#include "catalogue/scan.h"
#include "presentation/chart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {
constexpr int Runs = 15;   // each part, warm
constexpr int Pairs = 21;  // whole processes, Varnel and a peer in turn

double Median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

double MedianMs(const std::function<void()> &run)
{
    run();  // warm-up
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return Median(ms);
}

double Ms(const std::function<void()> &run)
{
    QElapsedTimer t;
    t.start();
    run();
    return t.nsecsElapsed() / 1e6;
}

double RunProgram(const QString &program, const QStringList &args)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s %s failed: %s\n", qPrintable(program), qPrintable(args.join(' ')),
                     p.readAllStandardError().constData());
        std::exit(1);
    }
    return t.nsecsElapsed() / 1e6;
}

// Whether a program runs and ends well, its output unseen.
bool Succeeds(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The processor time (user and system) of the children waited for so far.
double ChildCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double PeakChildMb()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss / 1024.0;
}

QString Load()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2) : QStringLiteral("?");
}

// A program that draws the same charts: how it is run, and why it is not, where missing.
struct Peer {
    const char *name;
    QString program;
    QStringList args;
    double goal;      // Varnel's time over the peer's at most
    QString missing;  // empty where installed
};

// The peers, drawing the charts of FIRST and SECOND of DATA_DIR into folders in `out`.
std::vector<Peer> FindPeers(const QStringList &dataFirstSecond, const QString &out)
{
    const QString perf = QStringLiteral(VARNEL_SOURCE_DIR "/../shared/perf/");
    const QString python = QStringLiteral("/usr/bin/python3");  // the matplotlib script's own
    std::vector<Peer> peers = {
        {"gnuplot_charts.sh", "bash", QStringList{perf + "gnuplot_charts.sh"} + dataFirstSecond + QStringList{out + "/g"}, 0.5, {}},
        {"mpl_charts.py", python, QStringList{perf + "mpl_charts.py"} + dataFirstSecond + QStringList{out + "/m"}, 0.1, {}},
    };
    if (QStandardPaths::findExecutable(QStringLiteral("gnuplot")).isEmpty())
        peers[0].missing = QStringLiteral("gnuplot is not installed (apt-get install gnuplot-nox)");
    if (!Succeeds(python, {"-c", "import matplotlib"}))
        peers[1].missing = QStringLiteral("matplotlib is not installed (apt-get install python3-matplotlib)");
    return peers;
}

// Varnel and each installed peer run in turn, `Pairs` times after a warm-up; prints
// the medians and the ratios against the goals, of the time taken and, less swayed by
// other work on the machine, of the processor time the processes used.
void ComparePeers(const QStringList &varnelArgs, const std::vector<Peer> &peers)
{
    for (const Peer &peer : peers) {
        if (!peer.missing.isEmpty()) {
            std::printf("  %-20s skipped: %s\n", peer.name, qPrintable(peer.missing));
            continue;
        }
        RunProgram(VARNEL_BINARY, varnelArgs);
        RunProgram(peer.program, peer.args);
        std::vector<double> varnelMs, peerMs, varnelCpu, peerCpu;
        for (int r = 0; r < Pairs; ++r) {
            double cpu = ChildCpuMs();
            varnelMs.push_back(RunProgram(VARNEL_BINARY, varnelArgs));
            varnelCpu.push_back(ChildCpuMs() - cpu);
            cpu = ChildCpuMs();
            peerMs.push_back(RunProgram(peer.program, peer.args));
            peerCpu.push_back(ChildCpuMs() - cpu);
        }
        const double whole = Median(varnelMs), other = Median(peerMs);
        std::printf("  varnel --export %7.1f ms  against %-20s %7.1f ms: ratio %.2f (goal <= %.2f)\n", whole, peer.name,
                    other, whole / other, peer.goal);
        const double used = Median(varnelCpu), otherUsed = Median(peerCpu);
        std::printf("    processor time  %7.1f ms  against %-20s %7.1f ms: ratio %.2f\n", used, peer.name, otherUsed,
                    used / otherUsed);
    }
}

// A page drawn as export draws it: lifted out of the page control, at 800 x 600.
QWidget *LiftOut(ComparisonPages &pages, int index)
{
    QWidget *page = pages.Page(index);
    page->setParent(&pages);
    page->setGeometry(0, 0, 800, 600);
    if (page->layout())  // the verdict page lays itself out
        page->layout()->setGeometry(QRect(0, 0, 800, 600));
    return page;
}
struct PictureCosts {
    double drawing, encoding, writing;
};

// The seven pages drawn, encoded and written as export does, warm.
PictureCosts TimePictures(ComparisonPages &pages, const QString &dir)
{
    QList<QWidget *> lifted;
    for (int i = 0; i < pages.PageCount(); ++i)
        lifted.append(LiftOut(pages, i));
    std::vector<QImage> images(lifted.size());
    const double drawing = MedianMs([&] {
        for (int i = 0; i < lifted.size(); ++i)
            images[i] = GrabPicture(lifted[i], 1);
    });
    QList<Picture> pictures;
    const double encoding = MedianMs([&] {
        pictures.clear();
        for (int i = 0; i < lifted.size(); ++i)
            pictures.append({PageSlugs()[i] + ".png", EncodePng(images[i])});
    });
    const double writing = MedianMs([&] { WritePictures(dir, pictures); });
    return {drawing, encoding, writing};
}
}  // namespace

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double qtStart = sinceStart.nsecsElapsed() / 1e6;
    const double fonts = Ms([] { QFontMetrics(PagesFont()).horizontalAdvance(QStringLiteral("Скорость 100%")); });

    const QString first = argc > 2 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Tarn-5");
    const QString second = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("Skarn-7");
    const QString data = QStringLiteral(VARNEL_SOURCE_DIR "/sample-data");
    QTemporaryDir out;
    const QStringList varnelArgs = {"--export", out.path() + "/v", "--first", first, "--second", second, data};
    const std::vector<Peer> peers = FindPeers({data, first, second}, out.path());

    // What this process pays once: the pages widget, its first refresh and replot.
    const DataPaths paths{data};
    QElapsedTimer readTimer;
    readTimer.start();
    const AircraftPtr a = ReadAircraft(paths, first), b = ReadAircraft(paths, second);
    const double reading = readTimer.nsecsElapsed() / 1e6;
    const FlapSet flaps = ExportOptions().flaps;
    std::unique_ptr<ComparisonPages> pages;
    const double firstBuild = Ms([&] { pages = std::make_unique<ComparisonPages>(View{}); });
    const double firstRefresh = Ms([&] { pages->SetComparison(a, b, flaps); });
    QWidget *speedPage = LiftOut(*pages, 1);
    const double firstReplot = Ms([&] { GrabPicture(speedPage, 1); });

    const double varnelRss = (RunProgram(VARNEL_BINARY, varnelArgs), PeakChildMb());
    const double processStart = MedianMs([] { RunProgram(VARNEL_BINARY, {"--version"}); });

    // Each part again, warm.
    const double pagesBuild = MedianMs([] { ComparisonPages p(View{}); });
    const double refresh = MedianMs([&] { pages->SetComparison(a, b, flaps); });
    const PictureCosts costs = TimePictures(*pages, out.path() + "/w");

    std::printf("the 800x600 PNG pictures of %s and %s (the peers: the nine charts; varnel: the six chart pages and the verdict page), whole processes, median of %d runs taken in turn; load before: %s\n",
                qPrintable(first), qPrintable(second), Pairs, qPrintable(Load()));
    ComparePeers(varnelArgs, peers);
    std::printf("  peak RSS of varnel --export: %.0f MB; load after: %s\n", varnelRss, qPrintable(Load()));
    std::printf("where varnel's time goes:\n");
    std::printf("  process start without Qt application (--version): %6.1f ms\n", processStart);
    std::printf("  Qt application start (in this process):            %6.1f ms\n", qtStart);
    std::printf("  font set-up and first text layout:                 %6.1f ms\n", fonts);
    std::printf("  reading the two aircraft:                          %6.1f ms\n", reading);
    std::printf("  building the pages widget, first / again:          %6.1f / %.1f ms\n", firstBuild, pagesBuild);
    std::printf("  refresh, first / again:                            %6.1f / %.1f ms\n", firstRefresh, refresh);
    std::printf("  first replot and picture of one page:              %6.1f ms\n", firstReplot);
    std::printf("  drawing the seven pages (warm):                      %6.1f ms\n", costs.drawing);
    std::printf("  encoding the seven PNGs on one thread:               %6.1f ms\n", costs.encoding);
    std::printf("  writing the seven files:                           %6.1f ms\n", costs.writing);
    return 0;
}
