// Times the verdict: computed for two sample aircraft with all four flap settings (from
// their tables in memory: reading the values as the charts do, comparing, best figures),
// the verdict page refreshed and painted, and the whole `varnel --verdict` process against `varnel --export` for the same pair.
//   bench_verdict [FIRST SECOND]     (default: Tarn-5 Skarn-7 of sample-data)
#include "bench/bench_files.h"
#include "pages/verdict_page.h"
#include "verdict/verdict.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double MedianMs(int runs, const std::function<void()> &run)
{
    run();  // warm-up
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString first = argc > 2 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Tarn-5");
    const QString second = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("Skarn-7");
    const QString data = QStringLiteral(VARNEL_SOURCE_DIR "/sample-data");
    const DataPaths paths{data};
    const AircraftPtr a = ReadAircraft(paths, first), b = ReadAircraft(paths, second);

    const FlapSet all = FlapSet::All();
    const double verdict = MedianMs(201, [&] { ComputeVerdict(a.get(), b.get(), all); });
    std::printf("verdict of %s and %s, four flap settings: %.3f ms (goal < 1 ms)\n", qPrintable(first), qPrintable(second), verdict);
    const double reading = MedianMs(201, [&] {
        CurvesOf(*a, all);
        CurvesOf(*b, all);
    });
    const CraftCurves ca = CurvesOf(*a, all), cb = CurvesOf(*b, all);
    const double comparing = MedianMs(201, [&] { CompareCrafts({a->name, b->name}, {&ca, &cb}, {a->summary, b->summary}, all); });
    std::printf("  of which taking the curves from the aircraft values %.3f ms, comparing %.3f ms\n", reading, comparing);

    VerdictPage page;
    page.resize(1000, 800);
    page.show();
    const double refresh = MedianMs(51, [&] {
        page.SetComparison(a, b, all);
        page.grab();
    });
    const double rebuilt = MedianMs(51, [&] { page.SetComparison(a, b, all); });
    std::printf("verdict page refreshed and painted: %.2f ms (goal < 16 ms), of which the refresh %.2f ms\n", refresh, rebuilt);

    // Bad data must not stall it: two curves of 100,000 columns crossing at every one.
    CurvePoints zig, zag;
    for (int i = 0; i < 100000; ++i) {
        zig.x.push_back(i);
        zig.y.push_back(i % 2 ? 10 : -10);
        zag.x.push_back(i);
        zag.y.push_back(i % 3 ? 0.5 : -0.5);
    }
    const double zigzag = MedianMs(3, [&] { CompareCurves(zig, zag, 1.0, true); });
    std::printf("two curves of 100,000 columns crossing at every one: %.1f ms\n", zigzag);

    QTemporaryDir out;
    const QStringList pair{"--first", first, "--second", second, "--flaps", "0,1,2,3"};
    const double judged = MedianMs(11, [&] { RunVarnel(QStringList{"--verdict"} + pair + QStringList{data}, 60000); });
    const double exported = MedianMs(11, [&] { RunVarnel(QStringList{"--export", out.path()} + pair + QStringList{data}, 60000); });
    std::printf("varnel --verdict: %.1f ms, varnel --export: %.1f ms, ratio %.3f (goal < 0.25)\n", judged, exported,
                judged / exported);
    return 0;
}
