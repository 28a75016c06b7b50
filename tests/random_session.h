#pragma once
// The random session's own account of the window: what the user chose, the aircraft
// tables as the test reads them, and the checks of the window against that account.
#include "pages/application.h"
#include "window/craft_tree.h"
#include "window/flap_button.h"
#include "window/main_window.h"
#include "catalogue/aircraft.h"
#include "catalogue/scan.h"
#include "charts/refresh.h"
#include "charts_fixture.h"
#include "presentation/chart.h"
#include "support.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>

const QString kSampleDir = QStringLiteral(VARNEL_SOURCE_DIR "/sample-data");

// Names a user may type over an aircraft caption.
const QStringList kNewCaptions = {
    u"Edited"_s, u"Ведомый-2"_s, u"x"_s, u""_s, u"  spaced  name "_s,
    u"A name much too long to fit into the aircraft tree without being cut short"_s,
    u"100% MAX"_s};

// What the user has chosen so far, as the test sees it.
struct Choices {
    std::array<int, 2> selected{-1, -1};      // root row selected in each tree, or -1
    std::array<QStringList, 2> captions;      // captions of the roots of each tree
    std::array<QString, 2> shownName;         // the caption the last refresh used
    std::array<bool, 4> marked{false, true, true, true};  // the flap buttons
    int page = 0;
    std::map<QString, bool> zoomed;           // by chart name
};

// Types text key by key, letters outside ASCII included.
inline void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80)
            QTest::keyClick(widget, char(ch.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

inline QLineEdit *OpenEditor(const QTreeWidget *tree)
{
    for (QLineEdit *e : tree->viewport()->findChildren<QLineEdit *>())
        if (e->isVisible())
            return e;
    return nullptr;
}

// Differences between the window's series and the expected ones, or empty text.
inline QString CompareSeries(const QString &chart, const TChartSeriesList &got, const TChartSeriesList &want)
{
    if (got.Count() != want.Count())
        return u"%1 has %2 series, expected %3"_s.arg(chart).arg(got.Count()).arg(want.Count());
    for (int i = 0; i < got.Count(); ++i) {
        const TChartSeries &g = got[i];
        const TChartSeries &w = want[i];
        const QString where = u"%1 series %2: "_s.arg(chart).arg(i);
        if (g.Active() != w.Active())
            return where + u"active %1, expected %2"_s.arg(g.Active()).arg(w.Active());
        // An inactive series shows no title anywhere, so only active titles count.
        if (w.Active() && g.Title() != w.Title())
            return where + u"title '%1', expected '%2'"_s.arg(g.Title(), w.Title());
        if (g.Count() != w.Count())
            return where + u"%1 points, expected %2"_s.arg(g.Count()).arg(w.Count());
        for (int j = 0; j < g.Count(); ++j)
            if (g.XValues[j] != w.XValues[j] || g.YValues[j] != w.YValues[j])
                return where + u"point %1 is (%2, %3), expected (%4, %5)"_s.arg(j)
                                   .arg(g.XValues[j]).arg(g.YValues[j]).arg(w.XValues[j]).arg(w.YValues[j]);
    }
    return {};
}

// The speed chart's two curves of one aircraft, read straight from its speed file by
// this test's own reading, not the program's: per row (TAS at 100%, altitude) and (TAS at
// MAX, altitude), each value cut toward zero to three decimals.
struct SpeedProfile {
    QList<QPointF> at100, atMax;
};
inline SpeedProfile ReadSpeedProfile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    const auto cut = [](const QByteArray &text) {
        long double x = 0;
        std::from_chars(text.constData(), text.constData() + text.size(), x);
        return double(std::trunc(x * 1000) / 1000);
    };
    SpeedProfile p;
    for (QByteArray line : file.readAll().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QList<QByteArray> f = line.split('\t');
        p.at100.append({cut(f.value(3)), cut(f.value(0))});
        p.atMax.append({cut(f.value(1)), cut(f.value(0))});
    }
    return p;
}

// Differences between a series and the expected points, or empty text.
inline QString ComparePoints(const QString &where, const TChartSeries &got, const QList<QPointF> &want)
{
    if (got.Count() != want.size())
        return where + u": %1 points, expected %2"_s.arg(got.Count()).arg(want.size());
    for (int j = 0; j < got.Count(); ++j)
        if (std::abs(got.XValues[j] - want[j].x()) > 1e-9 || std::abs(got.YValues[j] - want[j].y()) > 1e-9)
            return where + u": point %1 is (%2, %3), expected (%4, %5)"_s.arg(j).arg(got.XValues[j])
                               .arg(got.YValues[j]).arg(want[j].x()).arg(want[j].y());
    return {};
}

inline TChartSeriesList &ExpectedList(ChartSet &s, const QString &chartName)
{
    const std::pair<const char *, TChartSeriesList *> table[] = {
        {"ch_C1", &s.C1}, {"ch_C2", &s.C2}, {"ch_C3", &s.C3}, {"ch_C4", &s.C4},
        {"chrt_TASbyAlt", &s.TASbyAlt}, {"chrt_MaxROCbyAlt", &s.MaxROCbyAlt},
        {"chrt_ROCatConst", &s.ROCatConst}, {"chrt_TurnbySpeed", &s.TurnbySpeed},
        {"chrt_FunPlot", &s.FunPlot}};
    for (const auto &[name, list] : table)
        if (chartName == QLatin1String(name))
            return *list;
    qFatal("no chart %s", qPrintable(chartName));
}

// What the user chose so far, and the checks of the window against it.
class RandomSessionModel {
protected:
    QStringList messages_;
    std::unique_ptr<Tfrm_Main> w_;
    QRandomGenerator rng_;
    Choices c_;
    std::vector<AircraftPtr> tables_;  // their values, read by the test itself
    std::vector<SpeedProfile> profiles_;              // their speed curves, by the test's own reading
    QStringList recent_;                              // the last actions, for the failure report
    std::map<QString, int> tally_;                    // actions taken, by kind
    int refreshes_ = 0, edits_ = 0;
    QString failure_;  // what an action found wrong, reported after it

    int pick(int n) { return n <= 0 ? 0 : int(rng_.bounded(n)); }
    bool chance(int percent) { return pick(100) < percent; }
    QPoint pointIn(const QRect &r) { return {r.left() + pick(r.width()), r.top() + pick(r.height())}; }

    void note(const QString &action)
    {
        recent_.append(action);
        if (recent_.size() > 12)
            recent_.removeFirst();
    }

    CraftTree *tree(int t) const { return t == 0 ? w_->tree_Crafts_1 : w_->tree_Crafts_2; }
    MarkButton *flapButton(int i) const
    {
        return std::array{w_->btn_Turn1, w_->btn_Turn2, w_->btn_Turn3, w_->btn_Turn4}[size_t(i)];
    }
    QWidget *page(int i) const { return w_->pages_Charts->widget(i); }
    bool treesReachable() const { return w_->pnl_Crafts_1->width() > 60; }

    // The selection of both trees changed or a flap button was clicked: the window
    // refreshes with the captions the selected roots read now.
    void refreshed()
    {
        ++refreshes_;
        for (int t = 0; t < 2; ++t)
            c_.shownName[t] = c_.selected[t] < 0 ? QString() : c_.captions[t][c_.selected[t]];
    }
    void select(int t, int row)
    {
        if (c_.selected[t] == row)
            return;
        c_.selected[t] = row;
        refreshed();
    }

    // Charts the user can see on the current page.
    QVector<TChart *> visibleCharts() const
    {
        if (c_.page == 0)
            return {w_->pages_Charts->ch_C1, w_->pages_Charts->ch_C2, w_->pages_Charts->ch_C3, w_->pages_Charts->ch_C4};
        TChart *chart = page(c_.page)->findChild<TChart *>();
        return chart ? QVector<TChart *>{chart} : QVector<TChart *>{};  // the verdict page has none
    }

    // ---- checks ----

    QString checkCharts()
    {
        ChartSet expected;
        std::shared_ptr<Aircraft> chosen[2];
        for (int t = 0; t < 2; ++t) {
            if (c_.selected[t] < 0)
                continue;
            chosen[t] = std::make_shared<Aircraft>(*tables_[size_t(c_.selected[t])]);
            chosen[t]->name = c_.shownName[t];
        }
        RefreshComparison(expected.charts, chosen[0].get(), chosen[1].get(), FlapSet::FromMarks(c_.marked));
        for (TChart *chart : w_->Charts()) {
            const QString diff = CompareSeries(chart->objectName(), chart->Series(),
                                               ExpectedList(expected, chart->objectName()));
            if (!diff.isEmpty())
                return diff;
        }
        return {};
    }

    // The speed charts against the points the test read from the files itself: a wrong
    // column, a lost row or a wrong cut shows here even where the refresh is consistent.
    QString checkSpeedCurves()
    {
        for (int t = 0; t < 2; ++t) {
            for (TChart *chart : {w_->pages_Charts->chrt_TASbyAlt, w_->pages_Charts->ch_C1}) {
                const TChartSeries &at100 = chart->Series()[2 * t];
                const TChartSeries &atMax = chart->Series()[2 * t + 1];
                const QString where = u"%1 of tree %2"_s.arg(chart->objectName()).arg(t + 1);
                if (c_.selected[t] < 0) {
                    if (at100.Count() != 0 || atMax.Count() != 0)
                        return where + u": points with no aircraft selected"_s;
                    continue;
                }
                const SpeedProfile &p = profiles_[size_t(c_.selected[t])];
                QString diff = ComparePoints(where + u" 100%"_s, at100, p.at100);
                if (diff.isEmpty())
                    diff = ComparePoints(where + u" MAX"_s, atMax, p.atMax);
                if (!diff.isEmpty())
                    return diff;
            }
        }
        return {};
    }

    QString checkTrees()
    {
        for (int t = 0; t < 2; ++t) {
            QTreeWidget *tr = tree(t);
            QTreeWidgetItem *want = c_.selected[t] < 0 ? nullptr : tr->topLevelItem(c_.selected[t]);
            QTreeWidgetItem *got = tree(t)->SelectedCraft();
            if (got != want)
                return u"tree %1 has '%2' selected, expected '%3'"_s.arg(t + 1)
                    .arg(got ? got->text(0) : u"nothing"_s, want ? want->text(0) : u"nothing"_s);
            if (tr->selectedItems().size() > 1)
                return u"tree %1 has several items selected"_s.arg(t + 1);
            for (int row = 0; row < tr->topLevelItemCount(); ++row) {
                QTreeWidgetItem *root = tr->topLevelItem(row);
                if (root->text(0) != c_.captions[t][row])
                    return u"tree %1 root %2 reads '%3', expected '%4'"_s.arg(t + 1).arg(row)
                        .arg(root->text(0), c_.captions[t][row]);
                if (root->childCount() != 7)
                    return u"tree %1 root %2 has %3 children"_s.arg(t + 1).arg(row).arg(root->childCount());
            }
            if (OpenEditor(tr))
                return u"an editor is open in tree %1"_s.arg(t + 1);
            // The loaded tables stay as they were, whatever the caption says now.
            if (want) {
                const TNodeData *data = NodeDataOf(want);
                const Aircraft &mine = *tables_[size_t(c_.selected[t])];
                const auto same = [](const CurvePoints &a, const CurvePoints &b) { return a.x == b.x && a.y == b.y; };
                if (!data || data->aircraft->fileName != mine.fileName ||
                    !same(data->aircraft->altitude.curves[0], mine.altitude.curves[0]) ||
                    !same(data->aircraft->turn.climb.points, mine.turn.climb.points))
                    return u"tree %1: the tables of the selected aircraft changed"_s.arg(t + 1);
            }
        }
        return {};
    }

    QString checkControls()
    {
        for (int i = 0; i < 4; ++i)
            if (flapButton(i)->Marked() != c_.marked[size_t(i)])
                return u"flap button %1 marked %2"_s.arg(i + 1).arg(flapButton(i)->Marked());
        if (w_->pages_Charts->currentIndex() != c_.page)
            return u"page %1 shown, expected %2"_s.arg(w_->pages_Charts->currentIndex()).arg(c_.page);
        for (TChart *chart : w_->Charts())
            if (chart->IsZoomed() != c_.zoomed[chart->objectName()])
                return u"%1 zoomed %2"_s.arg(chart->objectName()).arg(chart->IsZoomed());
        return {};
    }

    QString checkLayout()
    {
        const int W = w_->pages_Charts->tab_Common->width(), H = w_->pages_Charts->tab_Common->height();
        const QRect cells[4] = {{0, 0, W / 2 - 1, H / 2 - 1}, {W / 2, 0, W / 2 - 1, H / 2 - 1},
                                {0, H / 2, W / 2 - 1, H / 2 - 1}, {W / 2, H / 2, W / 2 - 1, H / 2 - 1}};
        const TChart *grid[4] = {w_->pages_Charts->ch_C1, w_->pages_Charts->ch_C2, w_->pages_Charts->ch_C3, w_->pages_Charts->ch_C4};
        for (int i = 0; i < 4; ++i)
            if (grid[i]->geometry() != cells[i])
                return u"%1 at %2,%3 %4x%5 on a %6x%7 page"_s.arg(grid[i]->objectName())
                    .arg(grid[i]->x()).arg(grid[i]->y()).arg(grid[i]->width()).arg(grid[i]->height()).arg(W).arg(H);
        if (w_->tree_Crafts_1->height() != w_->pnl_Crafts_1->height() / 2)
            return u"first tree %1 high in a %2 panel"_s.arg(w_->tree_Crafts_1->height()).arg(w_->pnl_Crafts_1->height());
        const QList<int> sizes = w_->Splitter->sizes();
        if ((sizes[0] != 0 && sizes[0] <= 30) || sizes[1] < 30)
            return u"splitter sizes %1, %2"_s.arg(sizes[0]).arg(sizes[1]);
        return {};
    }

    QString checkAll()
    {
        QCoreApplication::processEvents();
        if (!failure_.isEmpty())
            return failure_;
        if (!messages_.isEmpty())
            return u"error box: "_s + messages_.join(u" | "_s);
        for (const auto &check : {&RandomSessionModel::checkTrees, &RandomSessionModel::checkControls,
                                  &RandomSessionModel::checkCharts, &RandomSessionModel::checkSpeedCurves,
                                  &RandomSessionModel::checkLayout}) {
            const QString problem = (this->*check)();
            if (!problem.isEmpty())
                return problem;
        }
        return {};
    }

    // The window still takes events and paints.
    QString checkAnswers()
    {
        bool ran = false;
        QTimer::singleShot(0, w_.get(), [&ran] { ran = true; });
        if (!QTest::qWaitFor([&ran] { return ran; }, 5000))
            return u"the window no longer answers"_s;
        // It paints what it holds: every chart of the page shown that is not zoomed and
        // holds the first aircraft's first curve shows that curve's colour (each chart's
        // series 0 is drawn in #0000FF).
        for (TChart *chart : visibleCharts()) {
            chart->SyncNow();
            if (c_.zoomed[chart->objectName()] || chart->Series()[0].Count() == 0)
                continue;
            if (PixelsOf(chart->grab().toImage(), qRgb(0, 0, 255)) == 0)
                return u"%1 does not show its first curve"_s.arg(chart->objectName());
        }
        return {};
    }
};
