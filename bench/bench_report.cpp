// Times the whole `varnel --report r.pdf` process against `varnel --export --format pdf`
// of the same pair (seven separate PDF pictures): each run in turn, 9 times after a
// warm-up; their medians and the ratio are printed. The report should take at most
// twice the export's time.
//   bench_report [FIRST SECOND]     (default: Tarn-5 Skarn-7 of sample-data)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
constexpr int Runs = 9;

double RunMs(const QStringList &args)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(QStringLiteral(VARNEL_BINARY), args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        std::fprintf(stderr, "varnel %s failed: %s\n", qPrintable(args.join(' ')), p.readAllStandardError().constData());
        std::exit(1);
    }
    return t.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}
}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList given = app.arguments();
    const QString first = given.value(1, QStringLiteral("Tarn-5")), second = given.value(2, QStringLiteral("Skarn-7"));
    const QString data = QStringLiteral(VARNEL_SOURCE_DIR "/sample-data");
    QTemporaryDir dir;
    const QStringList pair{"--first", first, "--second", second, data};
    const QStringList report = QStringList{"--report", dir.filePath("r.pdf")} + pair;
    const QStringList exportPdf = QStringList{"--export", dir.filePath("out"), "--format", "pdf"} + pair;
    RunMs(report);
    RunMs(exportPdf);
    std::vector<double> r, e;
    for (int i = 0; i < Runs; ++i) {
        r.push_back(RunMs(report));
        e.push_back(RunMs(exportPdf));
    }
    const double rm = Median(r), em = Median(e);
    std::printf("report (pdf):        %7.1f ms\nexport --format pdf: %7.1f ms\nratio:               %7.2f (at most 2)\n",
                rm, em, rm / em);
    return rm <= 2 * em ? 0 : 1;
}
