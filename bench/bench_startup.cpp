// Times start-up: the varnel program on the sample data until its window is shown with
// both trees filled and painted (VARNEL_QUIT_WHEN_READY makes it quit there), against
// startup_reference, which shows one QCustomPlot chart in a QMainWindow, paints it and
// quits. Both run offscreen, in turn, after a warm-up each; prints both medians and
// their ratio.
//   bench_startup [RUNS]     (default 11 runs of each)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
double RunMs(const QString &program, const QStringList &args, bool quitWhenReady)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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
}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const QString varnel = QStringLiteral(VARNEL_BINARY);
    const QStringList varnelArgs{QStringLiteral(VARNEL_SOURCE_DIR "/sample-data")};
    const QString reference = QStringLiteral(STARTUP_REFERENCE);

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
    return 0;
}
