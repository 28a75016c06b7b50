// Times start-up the way users start the program: on the X server when there is one
// (DISPLAY set, the xcb platform; run it under `xvfb-run -a -s "-screen 0 1280x1024x24"`),
// else offscreen; it prints the platform it used. The varnel program on the sample data
// until its window is shown with both trees filled and painted (VARNEL_QUIT_WHEN_READY
// makes it quit there), against a peer that shows one QCustomPlot chart in a QMainWindow
// and quits: ../perf-build/bare_chart (built from ../shared/perf/bare_chart.cpp) or the
// program named in $VARNEL_BARE_CHART, else our own startup_reference. Both run on the
// same platform, in turn, after a warm-up each; prints both medians and their ratio. Then
// where varnel's time goes, from a run of this program as the window alone (--phases):
// the Qt application, the window's construction, showing it until the scan has filled
// the trees, its repaint and its teardown; what is left of the whole is the process's
// own start and end (loading the libraries, connecting to the display, exit).
//   bench_startup [RUNS]     (default 11 runs of each)
#include "window/main_window.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
// On the X server when there is one, as users start it; offscreen without a display.
QString Platform()
{
    return qEnvironmentVariableIsEmpty("DISPLAY") ? QStringLiteral("offscreen") : QStringLiteral("xcb");
}

QProcessEnvironment RunEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), Platform());
    return env;
}

// The peer: the shared one-chart program when it is built, else startup_reference.
QString Peer()
{
    const QString named = qEnvironmentVariable("VARNEL_BARE_CHART");
    const QString shared = named.isEmpty() ? QStringLiteral(VARNEL_SOURCE_DIR "/../perf-build/bare_chart") : named;
    if (QFileInfo(shared).isExecutable())
        return QFileInfo(shared).canonicalFilePath();
    if (!named.isEmpty())
        std::fprintf(stderr, "VARNEL_BARE_CHART: no program at %s\n", qPrintable(named));
    return QStringLiteral(STARTUP_REFERENCE);
}

double RunMs(const QString &program, const QStringList &args, bool quitWhenReady)
{
    QProcessEnvironment env = RunEnvironment();
    if (quitWhenReady)
        env.insert(QStringLiteral("VARNEL_QUIT_WHEN_READY"), QStringLiteral("1"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedOutputChannel);  // Qt's notes on stderr are dropped
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        std::fprintf(stderr, "%s did not quit within 60 s%s\n", qPrintable(program),
                     quitWhenReady ? " (does it quit when VARNEL_QUIT_WHEN_READY is set?)" : "");
        std::exit(1);
    }
    const double ms = t.nsecsElapsed() / 1e6;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed, status %d\n", qPrintable(program), p.exitCode());
        std::exit(1);
    }
    return ms;
}

double Median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

constexpr int PhaseCount = 5;
const char *const PhaseNames[PhaseCount] = {"Qt application", "window constructed", "shown, trees filled",
                                            "window repainted", "window destroyed"};

// The window alone, in this process: prints each phase's milliseconds on one line.
int Phases(int argc, char **argv)
{
    QElapsedTimer t;
    t.start();
    double ms[PhaseCount];
    auto lap = [&t](double &out) {
        out = t.nsecsElapsed() / 1e6;
        t.restart();
    };
    QApplication app(argc, argv);
    lap(ms[0]);
    QDir::setCurrent(QStringLiteral(VARNEL_SOURCE_DIR "/sample-data"));
    {
        auto *window = new Tfrm_Main;
        lap(ms[1]);
        bool scanned = false;
        QObject::connect(window, &Tfrm_Main::ScanEnded, window, [&] { scanned = true; });
        window->show();
        const QDeadlineTimer deadline(60000);
        while (!scanned && !deadline.hasExpired())
            QCoreApplication::processEvents();
        if (!scanned)
            return 1;
        lap(ms[2]);
        window->repaint();
        lap(ms[3]);
        delete window;
        lap(ms[4]);
    }
    for (double v : ms)
        std::printf("%.3f ", v);
    std::printf("\n");
    return 0;
}

// The phases of one run, then the rest of its whole time: the process's start and end.
std::vector<double> RunPhases(const QString &self)
{
    QProcess p;
    p.setProcessEnvironment(RunEnvironment());
    QElapsedTimer t;
    t.start();
    p.start(self, {QStringLiteral("--phases")});
    p.waitForFinished(60000);
    double rest = t.nsecsElapsed() / 1e6;
    std::vector<double> ms;
    for (const QByteArray &v : p.readAllStandardOutput().simplified().split(' '))
        ms.push_back(v.toDouble());
    if (p.exitCode() != 0 || ms.size() != PhaseCount) {
        std::fprintf(stderr, "bench_startup --phases failed\n");
        std::exit(1);
    }
    for (double v : ms)
        rest -= v;
    ms.push_back(rest);
    return ms;
}
}  // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--phases") == 0)
        return Phases(argc, argv);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const QString varnel = QStringLiteral(VARNEL_BINARY);
    const QStringList varnelArgs{QStringLiteral(VARNEL_SOURCE_DIR "/sample-data")};
    const QString reference = Peer();
    std::printf("platform %s; peer %s\n", qPrintable(Platform()), qPrintable(reference));

    RunMs(varnel, varnelArgs, true);  // warm-up: the files and libraries in the cache
    RunMs(reference, {}, false);
    std::vector<double> program, yardstick;
    for (int i = 0; i < runs; ++i) {
        program.push_back(RunMs(varnel, varnelArgs, true));
        yardstick.push_back(RunMs(reference, {}, false));
    }
    const double p = Median(program), r = Median(yardstick);
    std::printf("start-up to a shown window with both trees filled, sample-data: median %.1f ms (best %.1f)\n", p,
                *std::min_element(program.begin(), program.end()));
    std::printf("one QCustomPlot chart in a QMainWindow, shown and quit:         median %.1f ms (best %.1f)\n", r,
                *std::min_element(yardstick.begin(), yardstick.end()));
    std::printf("ratio %.2f  (%d runs of each, in turn)\n", p / r, runs);

    std::vector<double> phases[PhaseCount + 1];
    for (int i = 0; i < runs; ++i) {
        const std::vector<double> ms = RunPhases(QCoreApplication::applicationFilePath());
        for (int k = 0; k <= PhaseCount; ++k)
            phases[k].push_back(ms[size_t(k)]);
    }
    std::printf("where varnel's time goes (medians of %d runs of the window alone):\n", runs);
    for (int k = 0; k <= PhaseCount; ++k)
        std::printf("  %-22s %7.1f ms\n", k < PhaseCount ? PhaseNames[k] : "process start and end", Median(phases[k]));
    return 0;
}
