// The main window as a user meets it: its controls, the flap buttons, the exit button,
// the error box, the scan started by the window's own message and the tree selection.
#include "pages/application.h"
#include "window/craft_tree.h"
#include "pictures/export.h"
#include "window/flap_button.h"
#include "window/main_window.h"
#include "pages/ranking_page.h"
#include "pages/verdict_page.h"
#include "app_fixture.h"
#include "catalogue/text_file.h"
#include "core/error.h"
#include "presentation/chart.h"
#include "chart_table_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

class AppWindowTest : public QObject {
    Q_OBJECT

    QStringList messages_;
    QTemporaryDir dir_;

    // A window whose scan has run over the data in dir_.
    std::unique_ptr<Tfrm_Main> scannedWindow() { return ScannedWindow(dir_.path()); }

    static void clickItem(QTreeWidget *tree, QTreeWidgetItem *item)
    {
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    }

private slots:
    void init()
    {
        messages_.clear();
        SetErrorBoxHook([this](const QString &text) { messages_ << text; });
    }
    void cleanup() { SetErrorBoxHook(nullptr); }

    void initTestCase()
    {
        WriteFixtureCraft(dir_.path(), QStringLiteral("Alpha"));
        WriteFixtureCraft(dir_.path(), QStringLiteral("Bravo"), 40);
    }

    void scansTheDataFolderGiven()
    {
        // Started elsewhere, the window reads the folder it was given, not the working one.
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        Tfrm_Main w;
        w.SetDataFolder(dir_.path());
        QCoreApplication::sendPostedEvents(&w, WM_LOADFMD);
        QCOMPARE(RootCaptions(w.tree_Crafts_2), (QStringList{"Alpha", "Bravo"}));
        QVERIFY(messages_.isEmpty());
    }

    void controlsCarryTheirNames()
    {
        Tfrm_Main w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Varnel v.4.07m"));
        const char *names[] = {"stat_Main", "pnl_Crafts_1", "tree_Crafts_1", "tree_Crafts_2", "tool_Main",
                               "btn_Turn1", "btn_Turn2", "btn_Turn3", "btn_Turn4", "ToolButton5", "ToolButton6",
                               "Splitter", "pnl_Chart", "pages_Charts", "tab_Common", "ch_C3",
                               "ch_C4", "ch_C1", "ch_C2", "tab_SpeedByAlt", "chrt_TASbyAlt", "tab_ROCByAlt",
                               "chrt_MaxROCbyAlt", "tab_ROCAtTAS", "chrt_ROCatConst", "tab_TurnBySpeed",
                               "chrt_TurnbySpeed", "TabSheet5", "chrt_FunPlot", "panel0", "panel1", "panel2"};
        for (const char *name : names)
            QVERIFY2(w.findChild<QObject *>(QString::fromLatin1(name)), name);

        // Placement: trees in the left panel, charts on their pages, panels in the status bar.
        QCOMPARE(w.tree_Crafts_1->parentWidget(), w.pnl_Crafts_1);
        QCOMPARE(w.tree_Crafts_2->parentWidget(), w.pnl_Crafts_1);
        QCOMPARE(w.pages_Charts->ch_C1->parentWidget(), w.pages_Charts->tab_Common);
        QCOMPARE(w.pages_Charts->chrt_FunPlot->parentWidget(), w.pages_Charts->TabSheet5);
        QCOMPARE(w.panel2->parentWidget(), static_cast<QWidget *>(w.stat_Main));
        QCOMPARE(w.Splitter->widget(0), static_cast<QWidget *>(w.pnl_Crafts_1));
        QCOMPARE(w.Splitter->widget(1), static_cast<QWidget *>(w.pnl_Chart));
        QCOMPARE(w.img_Main.size(), 9);

        const QStringList captions = {"Общая таблица", "Макс. истинная скорость на заданной высоте",
                                      "Макс. скороподъемность на заданной высоте",
                                      "Скороподъемность при постоянной истинной скорости (Высота=0м)",
                                      "Скорость поворота (Высота=1000м)", "Мегаграфик", "Кто лучше", "Рейтинг"};
        QCOMPARE(w.pages_Charts->count(), 8);
        QCOMPARE(w.pages_Charts->widget(6), w.pages_Charts->tab_Verdict);
        QCOMPARE(w.pages_Charts->widget(7), static_cast<QWidget *>(w.tab_Ranking));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(w.pages_Charts->tabText(i), captions[i]);
        QCOMPARE(w.pages_Charts->currentWidget(), w.pages_Charts->tab_Common);
        QCOMPARE(w.tree_Crafts_1->palette().color(QPalette::Text), QColor(0, 0, 128));
        QCOMPARE(w.tree_Crafts_2->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(w.tree_Crafts_1->indentation(), 19);
        QCOMPARE(w.panel0->width(), 200);

        // The toolbar: 29 high, buttons 23 x 22 side by side, an 8-pixel gap before the exit
        // and another before the folder buttons.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.tool_Main->height(), 29);
        const QList<QPair<QWidget *, int>> lefts = {{w.btn_Turn1, 0},  {w.btn_Turn2, 23},   {w.btn_Turn3, 46},
                                                    {w.btn_Turn4, 69}, {w.ToolButton5, 92}, {w.ToolButton6, 100},
                                                    {w.sep_Folder, 123}, {w.btn_OpenFolder, 131}, {w.btn_Reload, 154},
                                                    {w.btn_Advantage, 177}};
        for (const auto &[button, left] : lefts)
            QCOMPARE(button->mapTo(w.tool_Main, QPoint(0, 0)).x(), left);
        QCOMPARE(w.btn_Turn1->size(), QSize(23, 22));
        QCOMPARE(w.ToolButton5->width(), 8);
        QCOMPARE(w.btn_Turn1->toolTip(), QStringLiteral("Без закрылков — показаны (нажмите, чтобы скрыть)"));
        QCOMPARE(w.btn_Reload->toolTip(), QStringLiteral("Перечитать файлы данных (F5)"));
        QCOMPARE(w.act_OpenFolder->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    }

    void toolbarPictures()
    {
        // Bars in columns 3, 6, 9, 12 over rows 3..12; the dotted one only on even rows.
        Tfrm_Main w;
        for (int picture = 0; picture < 4; ++picture) {
            const QImage img = w.img_Main[picture].toImage();
            QCOMPARE(img.size(), QSize(16, 16));
            for (int bar = 0; bar < 4; ++bar) {
                const int x = 3 + 3 * bar;
                QCOMPARE(qAlpha(img.pixel(x, 2)), 0);
                QCOMPARE(qAlpha(img.pixel(x, 13)), 0);
                for (int y = 3; y <= 12; ++y) {
                    const bool set = bar != picture || y % 2 == 0;
                    QCOMPARE(qAlpha(img.pixel(x, y)) != 0, set);
                    if (set)
                        QCOMPARE(QColor(img.pixel(x, y)), QColor(0, 0, 128));
                }
            }
            QCOMPARE(qAlpha(img.pixel(4, 6)), 0);
        }
        QVERIFY(!w.windowIcon().isNull());
    }

    void advantageButtonSwitchesEveryChart()
    {
        Tfrm_Main w;
        QVERIFY(w.btn_Advantage->toolTip().endsWith(QStringLiteral("(Ctrl+D)")));
        QCOMPARE(w.act_Advantage->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
        for (const bool shown : {true, false}) {
            QTest::mouseClick(w.btn_Advantage, Qt::LeftButton);
            QCOMPARE(w.btn_Advantage->Marked(), shown);
            QCOMPARE(w.pages_Charts->AdvantageShown(), shown);
            for (TChart *chart : w.Charts())
                QVERIFY2(chart->Shading().IsShown() == shown, qPrintable(chart->objectName()));
        }
    }

    void flapButtonsStartWithOnlyNoFlapsShown()
    {
        Tfrm_Main w;
        QCOMPARE(w.btn_Turn1->Marked(), false);
        QCOMPARE(w.btn_Turn2->Marked(), true);
        QCOMPARE(w.btn_Turn3->Marked(), true);
        QCOMPARE(w.btn_Turn4->Marked(), true);
        QVERIFY(!w.btn_Turn1->isCheckable());
        QCOMPARE(w.btn_Turn1->property("Marked").toBool(), false);
        // Toggling with nothing selected changes the flag and nothing else.
        QTest::mouseClick(w.btn_Turn3, Qt::LeftButton);
        QCOMPARE(w.btn_Turn3->Marked(), false);
        for (TChart *chart : w.Charts())
            for (int i = 0; i < chart->Series().Count(); ++i)
                QCOMPARE(chart->Series()[i].Count(), 0);
        QVERIFY(messages_.isEmpty());
    }

    void flapButtonTwiceRestoresThePlot()
    {
        auto w = scannedWindow();
        clickItem(w->tree_Crafts_1, w->tree_Crafts_1->topLevelItem(0));
        TChartSeriesList &turn = w->pages_Charts->chrt_TurnbySpeed->Series();
        QCOMPARE(turn[0].Count(), 5);
        QCOMPARE(turn[1].Count(), 0);
        QTest::mouseClick(w->btn_Turn2, Qt::LeftButton);
        QCOMPARE(w->btn_Turn2->Marked(), false);
        QCOMPARE(turn[1].Count(), 3);
        QCOMPARE(w->pages_Charts->ch_C4->Series()[1].Count(), 3);
        QTest::mouseClick(w->btn_Turn2, Qt::LeftButton);
        QCOMPARE(w->btn_Turn2->Marked(), true);
        QCOMPARE(turn[1].Count(), 0);
        QCOMPARE(turn[0].Count(), 5);
        QCOMPARE(w->pages_Charts->ch_C4->Series()[1].Count(), 0);
        QVERIFY(messages_.isEmpty());
    }

    void exitButtonEndsTheEventLoop()
    {
        Tfrm_Main w;
        QTimer::singleShot(0, &w, [&w] { QTest::mouseClick(w.ToolButton6, Qt::LeftButton); });
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(7); });
        QCOMPARE(QApplication::exec(), 0);
    }

    void pageKeysFromAnywhere()
    {
        Tfrm_Main w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.tree_Crafts_1->setFocus();
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int page;
        } steps[] = {
            {Qt::Key_Tab, Qt::ControlModifier, 1},
            {Qt::Key_PageDown, Qt::ControlModifier, 2},
            {Qt::Key_PageUp, Qt::ControlModifier, 1},
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0},
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 7},  // round to the last
            {Qt::Key_Tab, Qt::ControlModifier, 0},                          // and back to the first
            {Qt::Key_4, Qt::ControlModifier, 3},
            {Qt::Key_6, Qt::ControlModifier, 5},
            {Qt::Key_PageDown, Qt::ControlModifier, 6},
            {Qt::Key_PageDown, Qt::ControlModifier, 7},
            {Qt::Key_PageDown, Qt::ControlModifier, 0},
            {Qt::Key_7, Qt::ControlModifier, 6},
            {Qt::Key_8, Qt::ControlModifier, 7},
            {Qt::Key_1, Qt::ControlModifier, 0},
        };
        for (const auto &s : steps) {
            QTest::keyClick(QApplication::focusWidget(), s.key, s.modifiers);
            QCOMPARE(w.pages_Charts->currentIndex(), s.page);
        }
        QVERIFY(w.tree_Crafts_1->hasFocus());
        // Ctrl+Q ends the program as the exit button does.
        QTimer::singleShot(0, &w, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier); });
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(7); });
        QCOMPARE(QApplication::exec(), 0);
    }

    void flapButtonFocusIsAFrame()
    {
        Tfrm_Main w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        MarkButton *b = w.btn_Turn1;
        const QImage plain = b->grab().toImage();
        b->setFocus(Qt::TabFocusReason);
        QVERIFY(b->hasFocus());
        const QImage focused = b->grab().toImage();
        // Only a ring two pixels inside the edge changes: the face is not tinted.
        const QRect inside = b->rect().adjusted(4, 4, -5, -5);
        int ring = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                if (plain.pixel(x, y) != focused.pixel(x, y)) {
                    QVERIFY2(!inside.contains(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                    ++ring;
                }
        QVERIFY(ring > 10);
    }

    void copiedPictureLeavesTheTrackerOut()
    {
        std::unique_ptr<TChart> chart(BuildChart(QStringLiteral("chrt_TASbyAlt"), nullptr));
        chart->resize(500, 400);
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
        chart->Series()[0].AddXY(500, 0);
        chart->Series()[0].AddXY(600, 10000);
        const QImage clean = GrabPicture(chart.get(), 1);
        chart->Tracker().MoveTo(chart->PlotArea().center());
        QVERIFY(chart->Tracker().IsShown());
        QCOMPARE(GrabPicture(chart.get(), 1), clean);
    }

    void errorBoxText_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "File not found" << "File not found.";
        QTest::newRow("full stop kept") << "Done." << "Done.";
        QTest::newRow("quote sorts after") << "'x' is not a valid floating point value"
                                           << "'x' is not a valid floating point value.";
        QTest::newRow("digit") << "List index out of bounds (6)" << "List index out of bounds (6)";
        QTest::newRow("bang sorts before") << "Stop!" << "Stop!";
        QTest::newRow("cyrillic") << "Ошибка" << "Ошибка.";
        QTest::newRow("empty") << "" << "";
    }
    void errorBoxText()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ErrorBoxText(message), shown);
        Guarded([&] { throw VarnelError(message); });
        QCOMPARE(messages_, QStringList{shown});
    }

    void scanStartsFromTheWindowsMessage()
    {
        QDir::setCurrent(dir_.path());
        Tfrm_Main w;
        QCOMPARE(w.tree_Crafts_1->topLevelItemCount(), 0);
        QCoreApplication::sendPostedEvents(&w, WM_LOADFMD);
        QCOMPARE(w.tree_Crafts_1->topLevelItemCount(), 2);
        QCOMPARE(w.tree_Crafts_2->topLevelItemCount(), 2);
        QCOMPARE(w.panel0->text(), QStringLiteral("crafts loaded: 2"));
        QCOMPARE(w.panel1->text(), QString());
        QVERIFY(w.tree_Crafts_1->selectedItems().isEmpty());
        // The message is taken once: a second one starts no second scan.
        QCoreApplication::postEvent(&w, new QEvent(QEvent::Type(WM_LOADFMD)));
        QCoreApplication::sendPostedEvents(&w, WM_LOADFMD);
        QCOMPARE(w.tree_Crafts_1->topLevelItemCount(), 2);
        QVERIFY(messages_.isEmpty());
    }

    void missingDataDirectoryShowsOneBox()
    {
        QTemporaryDir empty;
        QDir::setCurrent(empty.path());
        Tfrm_Main w;
        QCoreApplication::sendPostedEvents(&w, WM_LOADFMD);
        // The box names the folder that is missing; the scan has ended.
        QCOMPARE(messages_, QStringList{"File not found.\nNo folder \"" + QDir::toNativeSeparators(empty.path()) + "/DataSpeed\""});
        QCOMPARE(w.panel0->text(), QStringLiteral("crafts loaded: 0"));
        QCOMPARE(w.tree_Crafts_1->topLevelItemCount(), 0);
    }

    void onlyAircraftCanBeSelected()
    {
        auto w = scannedWindow();
        CraftTree *tree = w->tree_Crafts_2;
        QTreeWidgetItem *bravo = tree->topLevelItem(1);
        clickItem(tree, bravo);
        QCOMPARE(tree->SelectedCraft(), bravo);
        QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[2].Title(), QStringLiteral("100% Bravo"));

        QSignalSpy changed(tree->selectionModel(), &QItemSelectionModel::selectionChanged);
        tree->expandAll();
        QTreeWidgetItem *armament = bravo->child(0);
        QTreeWidgetItem *group = armament->child(0);
        for (QTreeWidgetItem *child : {armament, group, group->child(0), bravo->child(6)}) {
            clickItem(tree, child);
            QCOMPARE(tree->SelectedCraft(), bravo);
        }
        // Arrow keys onto children leave the selection on the aircraft too.
        tree->setFocus();
        tree->setCurrentItem(bravo, 0, QItemSelectionModel::NoUpdate);
        QTest::keyClick(tree, Qt::Key_Down);
        QTest::keyClick(tree, Qt::Key_Down);
        QCOMPARE(tree->SelectedCraft(), bravo);
        QCOMPARE(changed.count(), 0);
        // Expanding and collapsing still work.
        bravo->setExpanded(false);
        QVERIFY(!bravo->isExpanded());
        // Arrow keys between aircraft do move it.
        tree->collapseAll();
        tree->setCurrentItem(tree->topLevelItem(1), 0, QItemSelectionModel::NoUpdate);
        QTest::keyClick(tree, Qt::Key_Up);
        QCOMPARE(tree->SelectedCraft(), tree->topLevelItem(0));
        QCOMPARE(changed.count(), 1);
        QVERIFY(messages_.isEmpty());
    }

    void treesShowTheRecords()
    {
        auto w = scannedWindow();
        for (CraftTree *tree : {w->tree_Crafts_1, w->tree_Crafts_2}) {
            QCOMPARE(RootCaptions(tree), (QStringList{"Alpha", "Bravo"}));
            QTreeWidgetItem *alpha = tree->topLevelItem(0);
            QCOMPARE(ChildCaptions(alpha),
                     (QStringList{"вооружение:", "макс. скор. в пике: 750 км/ч", "взлетный вес: 3000 кг",
                                  "время виража: 19.46 сек", "скорость виража: 300 км/ч", "скороподъемность: 14.2 м/с",
                                  "скорость набора: 250 км/ч"}));
            QCOMPARE(ChildCaptions(alpha->child(0)), (QStringList{"w0:", "bombs:"}));
            QCOMPARE(ChildCaptions(alpha->child(0)->child(0)), (QStringList{"MG A;", "MG B;"}));
            QVERIFY(alpha->flags() & Qt::ItemIsEditable);
            QVERIFY(NodeDataOf(alpha) && !NodeDataOf(alpha->child(1)));
            QCOMPARE(NodeDataOf(alpha)->aircraft->turn.climb.points.x.size(), size_t(5));
        }
        // Each tree holds its own tables.
        QVERIFY(NodeDataOf(w->tree_Crafts_1->topLevelItem(0)) != NodeDataOf(w->tree_Crafts_2->topLevelItem(0)));
    }

    // The item under the mouse is drawn in blue; the others, and the selected one, not.
    void itemUnderTheMouseIsBlue()
    {
        auto w = scannedWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        CraftTree *tree = w->tree_Crafts_1;
        tree->setCurrentItem(tree->topLevelItem(0));
        const auto blueIn = [tree](int row) {
            const QImage img = tree->viewport()->grab(tree->visualItemRect(tree->topLevelItem(row))).toImage();
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (const QColor c = img.pixelColor(x, y); c.blue() >= 220 && c.red() <= 60 && c.green() <= 60)
                        return true;  // pure blue, not the navy of the tree's text
            return false;
        };
        QVERIFY(!blueIn(1));
        QTest::mouseMove(tree->viewport(), tree->visualItemRect(tree->topLevelItem(1)).center());
        QTRY_VERIFY(blueIn(1));
        if (qEnvironmentVariableIsSet("HOVER_SHOT"))
            tree->grab().save(qEnvironmentVariable("HOVER_SHOT"));
        QTest::mouseMove(tree->viewport(), tree->visualItemRect(tree->topLevelItem(0)).center());
        QTRY_VERIFY(!blueIn(1));
        QVERIFY(!blueIn(0));  // selected
    }

    void selectionFilterIsGuarded()
    {
        // An error inside the selection rule shows the box and refuses the change.
        auto w = scannedWindow();
        CraftTree *tree = w->tree_Crafts_1;
        clickItem(tree, tree->topLevelItem(0));
        tree->SetSelectionFilter([](const QTreeWidgetItem *) -> bool { throw VarnelError("List index out of bounds (3)"); });
        clickItem(tree, tree->topLevelItem(1));
        QCOMPARE(messages_, QStringList{"List index out of bounds (3)"});
        QCOMPARE(tree->SelectedCraft(), tree->topLevelItem(0));
    }

    void selectionReadsNoFile()
    {
        // The scan read every file; choosing aircraft and flap settings reads none again.
        auto w = scannedWindow();
        const qint64 before = DataFilesOpened();
        clickItem(w->tree_Crafts_1, w->tree_Crafts_1->topLevelItem(0));
        clickItem(w->tree_Crafts_2, w->tree_Crafts_2->topLevelItem(1));
        QTest::mouseClick(w->btn_Turn2, Qt::LeftButton);
        QVERIFY(w->pages_Charts->chrt_TASbyAlt->Series()[2].Count() > 0);
        QCOMPARE(DataFilesOpened(), before);
    }

    void editedCaptionNamesTheSeries()
    {
        auto w = scannedWindow();
        QTreeWidgetItem *alpha = w->tree_Crafts_1->topLevelItem(0);
        alpha->setText(0, QStringLiteral("Alpha renamed"));
        clickItem(w->tree_Crafts_1, alpha);
        QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[0].Title(), QStringLiteral("100% Alpha renamed"));
        QCOMPARE(w->pages_Charts->chrt_FunPlot->Series()[0].Title(), QStringLiteral("noFlaps Alpha renamed"));
        QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[0].Count(), 5);
    }

    void refreshInsideTheScanSeesCompleteAircraft()
    {
        QDir::setCurrent(dir_.path());
        Tfrm_Main w;
        // A user picking the first listed aircraft while the scan still runs.
        int refreshes = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, &w, [&] {
            if (w.tree_Crafts_2->topLevelItemCount() > 0 && !w.tree_Crafts_2->SelectedCraft()) {
                clickItem(w.tree_Crafts_2, w.tree_Crafts_2->topLevelItem(0));
                ++refreshes;
            }
        });
        timer.start(0);
        // Aircraft that take a while to list, so the scan lets events run between them.
        connect(w.tree_Crafts_2->model(), &QAbstractItemModel::rowsInserted, &w, [] { QThread::msleep(20); });
        QCoreApplication::sendPostedEvents(&w, WM_LOADFMD);
        timer.stop();
        QCOMPARE(refreshes, 1);
        QCOMPARE(w.tree_Crafts_1->topLevelItemCount(), 2);
        QCOMPARE(w.pages_Charts->chrt_TASbyAlt->Series()[2].Title(), QStringLiteral("100% Alpha"));
        QCOMPARE(w.pages_Charts->ch_C1->Series()[2].Count(), 5);
        QVERIFY(messages_.isEmpty());
    }
};

QTEST_MAIN(AppWindowTest)
#include "app_window.moc"
