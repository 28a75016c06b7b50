// Proportions of the main window: the 2 x 2 grid of the common page, the split between
// the trees, the splitter, and the navigation between pages by double-click.
#include "pages/application.h"
#include "pages/layout.h"
#include "window/main_window.h"
#include "presentation/chart.h"

#include <QApplication>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

class AppLayoutTest : public QObject {
    Q_OBJECT

    // The grid the common page must show for its current size.
    static void verifyGrid(Tfrm_Main &w)
    {
        const QSize page = w.pages_Charts->tab_Common->size();
        const auto cells = CommonGrid(page.width(), page.height());
        QCOMPARE(w.pages_Charts->ch_C1->geometry(), cells[0]);
        QCOMPARE(w.pages_Charts->ch_C2->geometry(), cells[1]);
        QCOMPARE(w.pages_Charts->ch_C3->geometry(), cells[2]);
        QCOMPARE(w.pages_Charts->ch_C4->geometry(), cells[3]);
    }

private slots:
    void initTestCase()
    {
        // No data here: the scan's error is recorded instead of opening a box.
        SetErrorBoxHook([](const QString &) {});
    }

    void gridCells_data()
    {
        QTest::addColumn<QSize>("page");
        QTest::addColumn<QRect>("c1");
        QTest::addColumn<QRect>("c4");
        QTest::newRow("designed 591x531") << QSize(591, 531) << QRect(0, 0, 294, 264) << QRect(295, 265, 294, 264);
        QTest::newRow("600x400") << QSize(600, 400) << QRect(0, 0, 299, 199) << QRect(300, 200, 299, 199);
        QTest::newRow("tiny") << QSize(3, 3) << QRect(0, 0, 0, 0) << QRect(1, 1, 0, 0);
    }
    void gridCells()
    {
        QFETCH(QSize, page);
        QFETCH(QRect, c1);
        QFETCH(QRect, c4);
        const auto cells = CommonGrid(page.width(), page.height());
        QCOMPARE(cells[0], c1);
        QCOMPARE(cells[1], QRect(c4.left(), 0, c1.width(), c1.height()));
        QCOMPARE(cells[2], QRect(0, c4.top(), c1.width(), c1.height()));
        QCOMPARE(cells[3], c4);
        // One free pixel column right of each column of cells, one free row below each row.
        QCOMPARE(cells[1].left() - cells[0].right(), 2);
        QVERIFY(cells[1].right() <= page.width() - 2);
    }

    // The first window fits the available area of a screen smaller than its designed
    // 831 x 611 (the offscreen screen is 800 x 600, as a 1600 x 1200 one at double scale).
    void firstWindowFitsTheScreen()
    {
        Tfrm_Main w;
        const QRect area = w.screen()->availableGeometry();
        QVERIFY(area.width() < 831 + 20 || area.height() < 611 + 40);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY2(area.contains(w.frameGeometry()), qPrintable(QStringLiteral("%1 x %2 at %3, %4")
                                                                   .arg(w.frameGeometry().width()).arg(w.frameGeometry().height())
                                                                   .arg(w.frameGeometry().x()).arg(w.frameGeometry().y())));
    }

    // Shown, the window draws each chart of the common page once, at the size its grid
    // gives it, and no chart of a hidden page; the grid is laid out for that draw.
    void firstShowDrawsEachShownChartOnce()
    {
        Tfrm_Main w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        for (const TChart *chart : w.Charts())
            QCOMPARE(chart->ReplotCount(), chart->Tag() >= 1 ? 1 : 0);
        verifyGrid(w);
    }

    void treeSplitIsHalfThePanel()
    {
        QCOMPARE(FirstTreeHeight(563), 281);
        QCOMPARE(563 - 4 - FirstTreeHeight(563), 278);
        Tfrm_Main w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(900, 700);
        QTRY_COMPARE(w.tree_Crafts_1->height(), Half(w.pnl_Crafts_1->height()));
        QCOMPARE(w.tree_Crafts_2->height(), w.pnl_Crafts_1->height() - 4 - Half(w.pnl_Crafts_1->height()));
        verifyGrid(w);
    }

    void gridFollowsEveryResize()
    {
        Tfrm_Main w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        verifyGrid(w);
        for (QSize size : {QSize(1000, 800), QSize(781, 601), QSize(1201, 777)}) {
            w.resize(size);
            QCoreApplication::processEvents();
            verifyGrid(w);
        }
        QVERIFY(w.minimumSize().width() <= 780 && w.minimumSize().width() > 700);
        w.resize(300, 200);
        QVERIFY(w.width() >= w.minimumWidth());
    }

    void resizeWhileAnotherPageIsShown()
    {
        Tfrm_Main w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.pages_Charts->setCurrentWidget(w.pages_Charts->TabSheet5);
        w.resize(1100, 850);
        QCoreApplication::processEvents();
        // Right as soon as it is opened, before any event has run.
        w.pages_Charts->setCurrentWidget(w.pages_Charts->tab_Common);
        QCOMPARE(w.pages_Charts->tab_Common->size(), w.pages_Charts->TabSheet5->size());
        verifyGrid(w);
        QVERIFY(w.pages_Charts->ch_C4->geometry().right() > 1100 / 2);
    }

    void splitterCollapsesAndReopens()
    {
        Tfrm_Main w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.Splitter->handleWidth(), 3);
        QVERIFY(!w.Splitter->opaqueResize());
        const int wideGrid = w.pages_Charts->ch_C1->width();
        // Dragged to 30 pixels or less, the left panel collapses to nothing.
        QSplitterHandle *handle = w.Splitter->handle(1);
        auto drag = [&](int x) {
            const QPoint from = handle->rect().center();
            QTest::mousePress(handle, Qt::LeftButton, {}, from);
            QMouseEvent move(QEvent::MouseMove, QPointF(from.x() + x - w.Splitter->sizes()[0], from.y()),
                             handle->mapToGlobal(QPointF(from.x() + x - w.Splitter->sizes()[0], from.y())),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(handle, &move);
            QTest::mouseRelease(handle, Qt::LeftButton, {}, move.position().toPoint());
            QCoreApplication::processEvents();
        };
        drag(20);
        QCOMPARE(w.Splitter->sizes()[0], 0);
        QVERIFY(w.pages_Charts->ch_C1->width() > wideGrid);
        verifyGrid(w);
        drag(200);
        QVERIFY(w.Splitter->sizes()[0] > 150);
        verifyGrid(w);
        // The chart side always keeps at least 30 pixels.
        drag(w.Splitter->width());
        QVERIFY(w.Splitter->sizes()[1] >= 30);
        verifyGrid(w);
    }

    void doubleClickNavigation()
    {
        Tfrm_Main w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QList<QPair<TChart *, QWidget *>> table = {
            {w.pages_Charts->ch_C1, w.pages_Charts->tab_SpeedByAlt}, {w.pages_Charts->ch_C2, w.pages_Charts->tab_ROCByAlt}, {w.pages_Charts->ch_C3, w.pages_Charts->tab_ROCAtTAS},
            {w.pages_Charts->ch_C4, w.pages_Charts->tab_TurnBySpeed}};
        for (const auto &[chart, page] : table) {
            w.pages_Charts->setCurrentWidget(w.pages_Charts->tab_Common);
            QTest::mouseDClick(chart, Qt::LeftButton, {}, chart->rect().center());
            QCOMPARE(w.pages_Charts->currentWidget(), page);
            TChart *full = page->findChild<TChart *>();
            QTest::mouseDClick(full, Qt::LeftButton, {}, full->rect().center());
            QCOMPARE(w.pages_Charts->currentWidget(), w.pages_Charts->tab_Common);
        }
        w.pages_Charts->setCurrentWidget(w.pages_Charts->TabSheet5);
        w.ShowOneChart(w.pages_Charts->chrt_FunPlot);
        QCOMPARE(w.pages_Charts->currentWidget(), w.pages_Charts->tab_Common);
    }
};

QTEST_MAIN(AppLayoutTest)
#include "app_layout.moc"
