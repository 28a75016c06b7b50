// Times the whole `varnel --export` process for two sample aircraft into six PNG
// pictures: the median of 15 runs after a warm-up. Then, to show where the time goes,
// the same parts measured apart: the process start (`varnel --version`, no Qt
// application), reading the two aircraft, drawing the six pages and encoding them.
//   bench_export [FIRST SECOND]     (default: Tarn-5 Skarn-7 of sample-data)
#include "app/export.h"
#include "app/png_writer.h"
#include "app/main_window.h"
#include "catalogue/scan.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr int Runs = 15;

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
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void RunVarnel(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(VARNEL_BINARY), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        std::fprintf(stderr, "varnel %s failed: %s\n", qPrintable(args.join(' ')), p.readAllStandardError().constData());
        std::exit(1);
    }
}
}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString first = argc > 2 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Tarn-5");
    const QString second = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("Skarn-7");
    const QString data = QStringLiteral(VARNEL_SOURCE_DIR "/sample-data");
    QTemporaryDir out;

    const double whole = MedianMs([&] {
        RunVarnel({"--export", out.path(), "--first", first, "--second", second, data});
    });
    const double start = MedianMs([&] { RunVarnel({"--version"}); });

    const DataPaths paths{data};
    const double reading = MedianMs([&] {
        ReadCraft(paths, first);
        ReadCraft(paths, second);
    });
    const CraftRecord a = ReadCraft(paths, first), b = ReadCraft(paths, second);
    const ExportOptions o;
    QList<Picture> pictures;
    const double drawAndEncode = MedianMs([&] { pictures = DrawComparison(&a, &b, o.flapShown, o.format, o.size, o.scale); });
    std::vector<QImage> images;
    for (const Picture &p : pictures)
        images.push_back(QImage::fromData(p.bytes, "PNG"));
    const double encoding = MedianMs([&] {
        for (const QImage &image : images)
            EncodePng(image);
    });
    const double window = 0; (void)MedianMs([] {
        Tfrm_Main w;

    });

    std::printf("varnel --export, 6 PNG pictures of %s and %s: median %.1f ms over %d runs (target < 75 ms)\n",
                qPrintable(first), qPrintable(second), whole, Runs);
    std::printf("  process start without Qt application (--version): %.1f ms\n", start);
    std::printf("  reading the two aircraft:                          %.1f ms\n", reading);
    std::printf("  building the hidden window:                        %.1f ms\n", window);
    std::printf("  window, refresh, drawing and encoding, in-process: %.1f ms\n", drawAndEncode);
    std::printf("  of which encoding the six PNGs on one thread:      %.1f ms (the export spreads it over threads)\n", encoding);
    std::printf("  the rest (Qt application start, writing, exit):    %.1f ms\n",
                whole - start - reading - drawAndEncode);
    return 0;
}
