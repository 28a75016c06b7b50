// Times a full repaint of all nine charts to offscreen images after a two-aircraft
// comparison has filled them, then one tracker move on the turn-rate diagram against a
// full repaint of that chart, then the same with 100,000 points in one series.
// Usage: bench_charts [directory]  -- also writes every chart as a PNG there, and the
// tracker over three charts.
#include "presentation/chart.h"
#include "pages/comparison_table.h"
#include "presentation/chart_defs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QMouseEvent>
#include <QWindow>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>

namespace {
struct BenchCraft {
    QString name;
    double speed0, climb0, turnBest;  // km/h at sea level, m/s at sea level, s
};

// Speed and climb by altitude, 60 rows from 0 to 11,800 m.
void fillAltitude(TChart &tas, TChart &roc, const BenchCraft &a, int k)
{
    const QString prefixes[] = {QStringLiteral("100% "), QStringLiteral("MAX ")};
    for (int p = 0; p < 2; ++p) {
        tas.Series()[k + p].SetTitle(prefixes[p] + a.name);
        tas.Series()[k + p].SetActive(true);
        roc.Series()[k + p].SetTitle(prefixes[p] + a.name);
        roc.Series()[k + p].SetActive(true);
    }
    for (int i = 0; i < 60; ++i) {
        const double h = i * 200.0;
        const double gain = h < 6000 ? h * 0.014 : 84 - (h - 6000) * 0.02;
        const double v100 = a.speed0 + gain, vMax = v100 + 22;
        const double c100 = std::max(0.0, a.climb0 * (1 - h / 11500)), cMax = c100 + 2.5 * (1 - h / 12000);
        tas.Series()[k].AddXY(v100, h);
        tas.Series()[k + 1].AddXY(vMax, h);
        roc.Series()[k].AddXY(c100, h);
        roc.Series()[k + 1].AddXY(cMax, h);
    }
}

double turnTime(const BenchCraft &a, int flap, double v)
{
    const double best = a.turnBest - flap * 0.8, at = 330 - flap * 25;
    return best + std::pow((v - at) / 70.0, 2) * 2.2;
}

// Climb at constant speed, turn times and turn rates over 60 speeds, 200 to 790 km/h.
void fillSpeedCharts(TChart &climb, TChart &turn, TChart &fun, const BenchCraft &a, int j, int b)
{
    static const char *const flapPrefix[] = {"noFlaps ", "Flaps-1 ", "Flaps-2 ", "Flaps-3 "};
    climb.Series()[j].SetTitle(QStringLiteral("climb ") + a.name);
    climb.Series()[j].SetActive(true);
    for (int f = 0; f < 4; ++f) {
        for (TChart *c : {&turn, &fun}) {
            c->Series()[b + f].SetTitle(QString::fromLatin1(flapPrefix[f]) + a.name);
            c->Series()[b + f].SetActive(true);
        }
    }
    for (int i = 0; i < 60; ++i) {
        const double v = 200 + i * 10.0;
        climb.Series()[j].AddXY(v, a.climb0 + 3 - std::pow((v - 290) / 90.0, 2) * 1.6);
        for (int f = 0; f < 4; ++f) {
            const double t = turnTime(a, f, v);
            turn.Series()[b + f].AddXY(v, t);
            fun.Series()[b + f].AddXY(v, std::trunc(360 / t * 1000) / 1000);
        }
    }
}

void addClamped(TChartSeries &s, double speed, double rate)
{
    while (speed > 700) {
        speed *= 0.95;
        rate *= 0.95;
    }
    s.AddXY(speed, rate);
}

// The labelled load-factor and radius lines of the turn-rate diagram.
void fillReferenceLines(TChart &fun)
{
    for (int n = 1; n <= 6; ++n) {
        TChartSeries &s = fun.Series()[8 + n];
        s.Clear();
        for (int v = 100; v <= 650; v += 50) {
            const double w = 360 / ((v / 3.6) * 6.28 / (n * 9.8));
            if (w >= 40)
                continue;
            const int idx = s.AddXY(v, w);
            TMarksItem &m = s.MarkItem(idx);
            m.SetText(s.Count() == 2 ? QString::number(n) + QStringLiteral("-g") : QString());
            if (s.Count() == 2) {
                m.Color = QApplication::palette().color(QPalette::Button);
                m.Transparent = true;
            }
        }
        s.SetActive(true);
    }
    for (int k = 1; k <= 7; ++k) {
        TChartSeries &s = fun.Series()[14 + k];
        s.Clear();
        s.SetLinePenWidth(1);
        addClamped(s, 33.0 * k, 15.91 / 3);
        addClamped(s, 100.0 * k, 15.91);
        addClamped(s, 200.0 * k, 31.82);
        s.MarkItem(0).SetText(QString());
        s.MarkItem(1).SetText(QString());
        TMarksItem &m = s.MarkItem(2);
        m.SetText(QString::number(100 * k) + QStringLiteral("m"));
        m.Color = QApplication::palette().color(QPalette::Button);
        m.Transparent = true;
        s.SetActive(true);
    }
}

struct Charts {
    std::map<QString, TChart *> byName;
    TChart &operator[](const char *n) { return *byName.at(QString::fromLatin1(n)); }
};

// The full-page charts emptied and deactivated, as every refresh begins.
void clearAll(Charts &c)
{
    for (const char *n : {"chrt_TASbyAlt", "chrt_MaxROCbyAlt", "chrt_ROCatConst", "chrt_TurnbySpeed", "chrt_FunPlot"})
        for (int i = 0; i < c[n].Series().Count(); ++i) {
            c[n].Series()[i].Clear();
            c[n].Series()[i].SetActive(false);
        }
}

// What one refresh does with two aircraft selected and every flap setting shown.
void refresh(Charts &c, const BenchCraft &first, const BenchCraft &second)
{
    clearAll(c);
    int k = 0;
    for (const BenchCraft *a : {&first, &second}) {
        fillAltitude(c["chrt_TASbyAlt"], c["chrt_MaxROCbyAlt"], *a, 2 * k);
        fillReferenceLines(c["chrt_FunPlot"]);
        fillSpeedCharts(c["chrt_ROCatConst"], c["chrt_TurnbySpeed"], c["chrt_FunPlot"], *a, k, 4 * k);
        ++k;
    }
    const char *const mirrors[][2] = {{"ch_C1", "chrt_TASbyAlt"}, {"ch_C2", "chrt_MaxROCbyAlt"},
                                      {"ch_C3", "chrt_ROCatConst"}, {"ch_C4", "chrt_TurnbySpeed"}};
    for (const auto &[m, from] : mirrors) {
        TChart &mirror = c[m];
        TChart &source = c[from];
        for (int j = 0; j < source.Series().Count(); ++j)
            mirror.Series()[j].AssignValues(source.Series()[j]);
    }
}

QSize sizeOf(const TChart &chart)
{
    return chart.Tag() != 0 ? QSize(400, 330) : QSize(1000, 680);
}

// Brings every chart in line and draws it into an image of its window size; returns ms.
double repaintAll(Charts &c, int rounds)
{
    QElapsedTimer t;
    t.start();
    for (int r = 0; r < rounds; ++r)
        for (auto &[name, chart] : c.byName) {
            chart->SyncNow();
            const QSize s = sizeOf(*chart);
            const QPixmap image = chart->toPixmap(s.width(), s.height());
            Q_UNUSED(image);
        }
    return t.nsecsElapsed() / 1e6 / rounds;
}
void savePngs(Charts &c, const QDir &dir, const QString &suffix)
{
    for (auto &[name, chart] : c.byName) {
        chart->SyncNow();
        chart->replot(QCustomPlot::rpImmediateRefresh);
        chart->grab().save(dir.filePath(name + suffix + QStringLiteral(".png")));
    }
}
// Milliseconds of processor time this thread has used: steady while other programs
// load the machine.
double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The mouse moved to `pos` over a shown chart, as the window system reports it.
void moveMouse(TChart &chart, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, chart.mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&chart, &move);
}

// One tracker move over the turn-rate diagram (both aircraft, all four flap settings),
// painted on screen, against a full repaint of that chart.
void trackerBench(Charts &c, const QDir *dir)
{
    TChart &fun = c["chrt_FunPlot"];
    fun.show();
    for (int k = 0; k < 100 && !(fun.windowHandle() && fun.windowHandle()->isExposed()); ++k)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    fun.SyncNow();
    fun.replot(QCustomPlot::rpImmediateRefresh);
    const QRect area = fun.PlotArea();
    constexpr int Moves = 400;
    // Across the speeds the curves cover, at heights around the middle.
    auto at = [&](int k) {
        const double speed = 210 + (k * 7) % 570;
        return QPoint(qRound(fun.xAxis->coordToPixel(speed)), area.center().y() + k % 40);
    };
    for (int k = 0; k < 20; ++k) {  // warm-up
        moveMouse(fun, at(k));
        fun.repaint();
    }
    const int replotsBefore = fun.ReplotCount();
    double moveMs = 0, paintMs = 0;
    for (int k = 0; k < Moves; ++k) {
        const double t0 = threadMs();
        moveMouse(fun, at(k));
        const double t1 = threadMs();
        fun.repaint();
        moveMs += threadMs() - t0;
        paintMs += threadMs() - t1;
    }
    moveMs /= Moves;
    paintMs /= Moves;
    int curves = 0;
    for (int k = 0; k < Moves; k += 10) {
        moveMouse(fun, at(k));
        curves = std::max(curves, fun.Tracker().Reading().curves());
    }
    const bool curvesRedrawn = fun.ReplotCount() != replotsBefore;

    constexpr int Repaints = 40;
    const double t0 = threadMs();
    for (int k = 0; k < Repaints; ++k)
        fun.replot(QCustomPlot::rpImmediateRefresh);
    const double fullMs = (threadMs() - t0) / Repaints;
    std::printf("one tracker move on the turn-rate diagram (up to %d curves read, %dx%d, painted): %.3f ms"
                " of processor time (of which the widget's paint %.3f ms)%s\n",
                curves, fun.width(), fun.height(), moveMs, paintMs,
                curvesRedrawn ? " (curves were redrawn!)" : "");
    std::printf("full repaint of the turn-rate diagram (%dx%d, painted): %.3f ms of processor time\n", fun.width(), fun.height(), fullMs);

    if (dir) {
        const std::pair<const char *, QPointF> shots[] = {
            {"chrt_FunPlot", {0.42, 0.35}}, {"chrt_TASbyAlt", {0.55, 0.45}}, {"chrt_TurnbySpeed", {0.3, 0.6}}};
        for (const auto &[name, where] : shots) {
            TChart &chart = c[name];
            chart.show();
            chart.SyncNow();
            chart.replot(QCustomPlot::rpImmediateRefresh);
            const QRect a = chart.PlotArea();
            moveMouse(chart, a.topLeft() + QPoint(int(a.width() * where.x()), int(a.height() * where.y())));
            chart.grab().save(dir->filePath(QString::fromLatin1(name) + QStringLiteral("_tracker.png")));
            chart.Tracker().Hide();
        }
    }
    fun.Tracker().Hide();
}
}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Charts c;
    for (const ChartDef *d : ChartDefs()) {
        TChart *chart = BuildChart(*d, nullptr);
        chart->resize(sizeOf(*chart));
        c.byName[d->name] = chart;
    }
    const BenchCraft first{QStringLiteral("Kestrel-2"), 505, 19.5, 20.5};
    const BenchCraft second{QStringLiteral("Tarn-9U"), 540, 21.0, 19.0};

    QDir dir;
    if (argc > 1) {
        dir.setPath(QString::fromLocal8Bit(argv[1]));
        dir.mkpath(QStringLiteral("."));
        clearAll(c);
        savePngs(c, dir, QStringLiteral("_empty"));
    }

    QElapsedTimer t;
    t.start();
    refresh(c, first, second);
    const double refreshMs = t.nsecsElapsed() / 1e6;
    repaintAll(c, 1);  // warm-up: fonts and caches
    const double allMs = repaintAll(c, 5);
    int points = 0;
    for (auto &[name, chart] : c.byName)
        for (int i = 0; i < chart->Series().Count(); ++i)
            points += chart->Series()[i].Count();
    std::printf("refresh of nine charts (%d points): %.2f ms\n", points, refreshMs);
    std::printf("full repaint of nine charts to images: %.2f ms\n", allMs);

    if (argc > 1) {
        savePngs(c, dir, QString());
        // The turn-rate diagram zoomed to its middle, as a rightward drag leaves it.
        TChart &fun = c["chrt_FunPlot"];
        const QRect area = fun.PlotArea();
        fun.Navigator().LeftDrag(area.topLeft() + QPoint(area.width() / 4, area.height() / 4), area.center());
        while (fun.Navigator().IsAnimating())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        fun.replot(QCustomPlot::rpImmediateRefresh);
        fun.grab().save(dir.filePath(QStringLiteral("chrt_FunPlot_zoomed.png")));
        fun.Navigator().UndoZoom();
        while (fun.Navigator().IsAnimating())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    trackerBench(c, argc > 1 ? &dir : nullptr);

    TChartSeries &big = c["chrt_TASbyAlt"].Series()[0];
    big.Clear();
    for (int i = 0; i < 100000; ++i)
        big.AddXY(500 + 80 * std::sin(i * 0.001), i * 0.1);
    repaintAll(c, 1);
    const double bigMs = repaintAll(c, 5);
    QElapsedTimer one;
    one.start();
    for (int r = 0; r < 5; ++r) {
        c["chrt_TASbyAlt"].Series()[0].SetTitle(QStringLiteral("round %1").arg(r));
        c["chrt_TASbyAlt"].SyncNow();
        const QPixmap image = c["chrt_TASbyAlt"].toPixmap(1000, 680);
        Q_UNUSED(image);
    }
    std::printf("full repaint of nine charts, 100,000 points in one series: %.2f ms\n", bigMs);
    std::printf("sync and repaint of that one chart: %.2f ms\n", one.nsecsElapsed() / 1e6 / 5);
    for (auto &[name, chart] : c.byName)
        delete chart;
    return 0;
}
