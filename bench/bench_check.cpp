// Times `varnel --check` against the catalogue scan over the same generated folder of
// 2,000 aircraft (the check reads the same files through the same code, so it should
// take at most twice as long), and checks an aircraft with a 22.5 MB armament file,
// printing the process's peak memory. Exits 1 when either bound is broken.
#include "bench/bench_files.h"
#include "catalogue/data_check.h"
#include "core/error.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>

namespace {
double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// One aircraft's four files, sized like real ones; every tenth has a bad value or two.
void WriteAircraft(const DataPaths &paths, const QString &name, int seed)
{
    QByteArray speed;
    for (int row = 0; row < 100; ++row)
        for (double v : {row * 100.0, 520.0 + seed % 50 + row * 0.8, 15.0 - row * 0.1, 490.0 + row * 0.7, 12.0 - row * 0.09})
            speed += Number(v) + (v == 12.0 - row * 0.09 ? "\t\r\n" : "\t");
    if (seed % 10 == 0)
        speed.replace(speed.indexOf("520"), 3, "5x0");
    QByteArray turn;
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 40; ++col)
            turn += (row == 0 ? Number(150 + col * 10) : Number(30.0 - col * 0.3 + row)) + '\t';
        turn += "\r\n";
    }
    turn += "M_takeoff: " + Number(2800 + seed % 400) + "\r\nT_turn: 18.5\r\nV_turn: 250\r\nVz_climb: 15.5\r\nV_climb: 290\r\n";
    WriteFile(paths.speedFile(name), speed);
    WriteFile(paths.turnFile(name), turn);
    WriteFile(paths.craftFile(name), "0=" + Number(700 + seed % 100) + "\r\ncrew=1\r\n");
    WriteFile(paths.weaponFile(name), "gun:MG 7.62 mm;MG 7.62 mm;\r\nbombs:2 x 50 kg;4 x 25 kg;\r\n");
}

// The fastest of three runs, in milliseconds.
template <class Run>
double Fastest(Run &&run)
{
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}
}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    bool ok = true;
    try {
        {
            QTemporaryDir dir;
            const DataPaths paths{dir.path()};
            WriteAircraft(paths, QStringLiteral("Heavy"), 1);
            WriteFile(paths.weaponFile("Heavy"), QByteArray("gun:MG;\r\n").repeated(2'500'000));
            const DataCheck check = CheckDataFolder(paths);
            const double peak = PeakMegabytes();
            std::printf("22.5 MB armament file: %d problems, peak %.0f MB (bound 200 MB)\n", int(check.problems.size()), peak);
            ok = ok && peak < 200;
        }
        const int n = argc > 1 ? QByteArray(argv[1]).toInt() : 2000;
        QTemporaryDir dir;
        const DataPaths paths{dir.path()};
        for (int i = 0; i < n; ++i)
            WriteAircraft(paths, QStringLiteral("Craft%1").arg(i, 5, 10, QChar('0')), i);
        int listed = 0, problems = 0;
        const double scan = Fastest([&] {
            listed = ReadCatalogue(paths).ReadCount();
        });
        const double checked = Fastest([&] { problems = int(CheckDataFolder(paths).problems.size()); });
        std::printf("N = %d: scan %.1f ms (%d listed), check %.1f ms (%d problems): %.2f x the scan (bound 2)\n", n, scan,
                    listed, checked, problems, checked / scan);
        ok = ok && checked <= 2 * scan;
    } catch (const VarnelError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return ok ? 0 : 1;
}
