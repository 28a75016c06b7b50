// Times a selection change in the real window on the sample pair (window_selection.h),
// then the comparison refresh for two aircraft: the model work alone, with tables the
// size of the sample data and with a 10,000-row speed file, and the refresh followed by
// the sync and repaint of the charts as the window's event loop does it, with the
// common page shown, without and with the advantage shading. Prints milliseconds per
// refresh.
//   bench_refresh [--window-only] [FIRST SECOND]     (default: Tarn-5 Skarn-7 of sample-data)
#include "bench/bench_files.h"
#include "bench/window_selection.h"
#include "core/error.h"
#include "catalogue/aircraft.h"
#include "charts/refresh.h"
#include "presentation/chart.h"
#include "pages/comparison_table.h"
#include "presentation/chart_defs.h"

#include <deque>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGridLayout>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

// An aircraft with `speedRows` altitude rows and `columns` turn-table columns; `noise`
// added to every other row's speeds and climbs and taken from the rows between, as
// measured data swing about the true curve.
AircraftPtr MakeAircraft(const DataPaths &paths, const QString &name, int speedRows, int columns, double offset,
                         double noise = 0)
{
    QByteArray speed;
    for (int row = 0; row < speedRows; ++row) {
        const double alt = row * 10000.0 / speedRows;
        const double n = row % 2 ? noise : -noise;
        for (double v : {alt, 520 + offset + n + alt * 0.012, 18 + n - alt * 0.0014, 495 + offset + n + alt * 0.011,
                         16 + n - alt * 0.0013})
            speed += Number(v) + '\t';
        speed += "\r\n";
    }
    QByteArray turn;
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < columns; ++col)
            turn += (row == 0 ? Number(150 + col * 12) : Number(18 + offset / 10 + row + (col - 10) * (col - 10) * 0.05))
                    + '\t';
        turn += "\r\n";
    }
    turn += "T_turn: 18.5\r\n";
    WriteFile(paths.speedFile(name), speed);
    WriteFile(paths.turnFile(name), turn);
    return ReadAircraft(paths, name);
}

// The nine series lists alone, without widgets, as the window's tables define them.
struct SeriesLists {
    std::deque<TChartSeriesList> lists;
    ComparisonCharts charts = RefreshedCharts(
        [this](const ChartEntry &entry) {
            BuildSeries(lists.emplace_back(), *entry.def);
            return &lists.back();
        },
        QApplication::palette().color(QPalette::Button));
};

struct Timing {
    double median, mean, worst;
};

Timing Summary(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms)
        sum += v;
    return {ms[ms.size() / 2], sum / double(ms.size()), ms.back()};
}

// This thread's processor time in milliseconds.
double ThreadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

Timing TimeRuns(int runs, const std::function<void()> &step)
{
    std::vector<double> ms;
    QElapsedTimer t;
    for (int i = 0; i < runs; ++i) {
        t.start();
        step();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return Summary(std::move(ms));
}

void Print(const char *what, const Timing &t)
{
    std::printf("%-58s median %8.3f ms  mean %8.3f ms  worst %8.3f ms\n", what, t.median, t.mean, t.worst);
}

// The nine charts as the window lays them out: the four mirrors in a 2 x 2 grid on the
// first, shown page of a tab widget, each full-size chart on a page of its own.
struct Window {
    QTabWidget pages;
    std::vector<TChart *> mirrors, full;
    std::unique_ptr<ComparisonCharts> charts;

    Window()
    {
        // Made from the comparison's table: a page of several charts holds the mirrors.
        charts.reset(new ComparisonCharts(RefreshedCharts(
            [this](const ChartEntry &entry) { return addChart(entry); },
            QApplication::palette().color(QPalette::Button))));
        pages.resize(1000, 720);
        pages.show();
        Settle();
    }

    // The chart of `entry` on its page: the mirrors in a 2 x 2 grid on the first page,
    // each full-size chart on a page of its own.
    TChartSeriesList *addChart(const ChartEntry &entry)
    {
        const bool mirror = entry.def->mirrorOf;
        if (!mirror || mirrors.empty()) {
            auto *page = new QWidget;
            auto *grid = new QGridLayout(page);
            if (mirror) {
                grid->setContentsMargins(0, 0, 0, 0);
                grid->setSpacing(0);
            }
            pages.addTab(page, entry.def->name);
        }
        QWidget *page = pages.widget(pages.count() - 1);
        std::vector<TChart *> &group = mirror ? mirrors : full;
        TChart *c = BuildChart(*entry.def, page);
        static_cast<QGridLayout *>(page->layout())->addWidget(c, mirror ? int(mirrors.size()) / 2 : 0,
                                                             mirror ? int(mirrors.size()) % 2 : 0);
        group.push_back(c);
        return &c->Series();
    }

    // Lets the queued syncs, replots and paints run, as the event loop does after a
    // handler returns.
    void Settle()
    {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }
};
}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool windowOnly = args.removeAll(QStringLiteral("--window-only")) > 0;
    window_selection::PrintSelectionChange(QStringLiteral(VARNEL_SOURCE_DIR "/sample-data"),
                                           args.size() == 2 ? args[0] : QStringLiteral("Tarn-5"),
                                           args.size() == 2 ? args[1] : QStringLiteral("Skarn-7"));
    if (windowOnly)
        return 0;

    QTemporaryDir dir;
    const DataPaths paths{dir.path()};
    QDir(dir.path()).mkdir(QStringLiteral("DataSpeed"));
    QDir(dir.path()).mkdir(QStringLiteral("DataTurn"));

    const auto a = MakeAircraft(paths, QStringLiteral("Alpha"), 40, 30, 0);
    const auto b = MakeAircraft(paths, QStringLiteral("Bravo"), 40, 30, 25);
    const auto big = MakeAircraft(paths, QStringLiteral("Big"), 10000, 30, 10);
    // Two long files whose curves swap the lead at every row.
    const auto noisy1 = MakeAircraft(paths, QStringLiteral("Noisy1"), 10000, 30, 0, 3);
    const auto noisy2 = MakeAircraft(paths, QStringLiteral("Noisy2"), 10000, 30, 0, -3);
    const Aircraft &first = *a, &second = *b, &large = *big, &swing1 = *noisy1, &swing2 = *noisy2;
    const FlapSet start = FlapSet::NoFlaps();
    const FlapSet allShown = FlapSet::All();

    std::printf("two aircraft, speed file 40 rows, turn file 30 columns; large: speed file 10000 rows;\n"
                "two 10000-row files whose speeds and climbs swing 3 either way, in turn\n");
    {
        SeriesLists w;
        Print("refresh, sample-sized, no flaps shown only",
              TimeRuns(2000, [&] { RefreshComparison(w.charts, &first, &second, start); }));
        Print("refresh, sample-sized, all four flap settings",
              TimeRuns(2000, [&] { RefreshComparison(w.charts, &first, &second, allShown); }));
        Print("refresh, 10000-row speed file + sample aircraft",
              TimeRuns(50, [&] { RefreshComparison(w.charts, &large, &second, allShown); }));
    }
    {
        Window w;
        bool flip = false;
        // Alternate the flap state, and the order of a long pair, so that every run really
        // changes what is drawn and compared; then the same with the advantage shading on
        // every chart.
        auto refresh = [&](const Aircraft &one, const Aircraft &two) {
            flip = !flip;
            RefreshComparison(*w.charts, flip ? &one : &two, flip ? &two : &one, flip ? start : allShown);
            w.Settle();
        };
        auto shade = [&](bool shown) {
            for (std::vector<TChart *> *charts : {&w.mirrors, &w.full})
                for (TChart *c : *charts)
                    c->Shading().SetShown(shown);
        };
        for (const bool shaded : {false, true}) {
            shade(shaded);
            Print(shaded ? "... with advantage shading" : "refresh + sync + repaint, common page shown",
                  TimeRuns(200, [&] {
                      flip = !flip;
                      RefreshComparison(*w.charts, &first, &second, flip ? start : allShown);
                      w.Settle();
                  }));
            Print(shaded ? "... with advantage shading, 10000-row speed file" : "refresh + sync + repaint, 10000-row speed file",
                  TimeRuns(20, [&] { refresh(large, second); }));
            Print(shaded ? "... with advantage shading, two 10000-row files, lead swaps"
                         : "refresh + sync + repaint, two 10000-row files, lead swaps",
                  TimeRuns(10, [&] { refresh(swing1, swing2); }));
        }
        // The shading's own work after a refresh: every chart's areas worked out for the
        // new curves and filled; also in this thread's processor time, which other
        // programs on the machine do not stretch.
        for (const auto &[what, one, two] : {std::tuple{"shading alone, every chart, 10000-row speed file", &large, &second},
                                             std::tuple{"shading alone, every chart, two 10000-row files, lead swaps", &swing1, &swing2}}) {
            std::vector<double> wall, cpu;
            for (int run = 0; run < 10; ++run) {
                shade(false);
                refresh(*one, *two);
                shade(true);
                const double cpuStart = ThreadMs();
                wall.push_back(TimeRuns(1, [&] {
                                   for (std::vector<TChart *> *charts : {&w.mirrors, &w.full})
                                       for (TChart *c : *charts) {
                                           QImage image(c->size(), QImage::Format_ARGB32_Premultiplied);
                                           QCPPainter painter(&image);
                                           c->Shading().Paint(&painter);
                                       }
                               }).median);
                cpu.push_back(ThreadMs() - cpuStart);
            }
            Print(what, Summary(wall));
            Print("... processor time", Summary(cpu));
        }
        int replots = 0;
        for (TChart *c : w.mirrors)
            replots += c->ReplotCount();
        std::printf("mirror chart replots counted: %d\n", replots);
    }
    return 0;
}
