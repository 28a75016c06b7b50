// The chart widget's zoom and scroll: the left drag's decision, the zoom rectangle, the
// scroll and its animation, the mouse wheel and double clicks.
#include "core/error.h"
#include "core/guard.h"
#include "presentation/chart.h"
#include "presentation/chart_defs.h"
#include "presentation/chart_holder.h"
#include "presentation/plot_geometry.h"
#include "presentation/tracker.h"
#include "presentation/zoom.h"
#include "chart_widget_fixture.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(DragAction)
Q_DECLARE_METATYPE(ChartView)

class ChartZoomTest : public QObject {
    Q_OBJECT
private slots:
    void leftDragDecision_data();
    void leftDragDecision();
    void zoomRectangle_data();
    void zoomRectangle();
    void scrollAndAnimationSteps();

    void mouseZoomAndRestore();
    void smallDragDoesNothing();
    void rightDragScrolls();
    void doubleClickSignals();

    void wheelZoomKeepsCursorPoint();
};

void ChartZoomTest::leftDragDecision_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<DragAction>("action");
    QTest::newRow("16 wide is too small") << QPoint(100, 100) << QPoint(116, 200) << DragAction::None;
    QTest::newRow("16 high is too small") << QPoint(100, 100) << QPoint(300, 116) << DragAction::None;
    QTest::newRow("17 by 17 rightwards zooms") << QPoint(100, 100) << QPoint(117, 117) << DragAction::Zoom;
    QTest::newRow("rightwards and upwards zooms") << QPoint(100, 300) << QPoint(200, 100) << DragAction::Zoom;
    QTest::newRow("17 by 17 leftwards restores") << QPoint(117, 117) << QPoint(100, 100) << DragAction::Restore;
    QTest::newRow("leftwards and downwards restores") << QPoint(300, 100) << QPoint(100, 300) << DragAction::Restore;
    QTest::newRow("leftwards but 16 high") << QPoint(300, 100) << QPoint(100, 84) << DragAction::None;
    QTest::newRow("no movement") << QPoint(5, 5) << QPoint(5, 5) << DragAction::None;
}

void ChartZoomTest::leftDragDecision()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(DragAction, action);
    QCOMPARE(LeftDragAction(from, to), action);
}

void ChartZoomTest::zoomRectangle_data()
{
    // Plot area 100 x 100 at (0, 0) showing 0..100 on both axes: pixel row 99 is the
    // bottom edge.
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<ChartView>("expected");
    QTest::newRow("inside") << QPoint(20, 30) << QPoint(60, 80) << ChartView{{20, 60}, {19, 69}};
    QTest::newRow("drawn from the lower right") << QPoint(60, 80) << QPoint(20, 30) << ChartView{{20, 60}, {19, 69}};
    QTest::newRow("clamped to the plot area") << QPoint(-50, 10) << QPoint(50, 200) << ChartView{{0, 50}, {0, 89}};
    QTest::newRow("entirely outside keeps the view") << QPoint(200, 10) << QPoint(300, 50)
                                                     << ChartView{{0, 100}, {0, 100}};
}

void ChartZoomTest::zoomRectangle()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(ChartView, expected);
    const ChartView got = ZoomToPixelRect(QRect(0, 0, 100, 100), ChartView{{0, 100}, {0, 100}}, from, to);
    QVERIFY2(sameView(got, expected), viewText(got));
}

void ChartZoomTest::scrollAndAnimationSteps()
{
    const ChartView view{{0, 100}, {0, 50}};
    // Dragging the content 10 pixels right and 20 down on a 100 x 100 area.
    const ChartView scrolled = ScrollByPixels(QRect(0, 0, 100, 100), view, QPoint(10, 20));
    QVERIFY2(sameView(scrolled, ChartView{{-10, 90}, {10, 60}}), viewText(scrolled));

    const ChartView target{{40, 60}, {10, 20}};
    QVERIFY(sameView(InterpolateView(view, target, 0, ZoomAnimationSteps), view));
    QVERIFY(sameView(InterpolateView(view, target, 4, ZoomAnimationSteps), ChartView{{20, 80}, {5, 35}}));
    QVERIFY(sameView(InterpolateView(view, target, ZoomAnimationSteps, ZoomAnimationSteps), target));

    QCOMPARE(AutoAxisSpan(AxisRange{true, 3, 9}), (AxisSpan{3, 9}));
    const AxisSpan single = AutoAxisSpan(AxisRange{true, 5, 5});
    QVERIFY(single.lower < 5 && single.upper > 5);
    const AxisSpan none = AutoAxisSpan(AxisRange{});
    QVERIFY(none.lower < none.upper);
    // Absurd values still give an axis the drawing engine accepts.
    for (const AxisRange &huge : {AxisRange{true, 1e300, 1e300}, AxisRange{true, -1e308, 5}}) {
        const AxisSpan span = AutoAxisSpan(huge);
        QVERIFY(QCPRange::validRange(span.lower, span.upper));
    }
}

void ChartZoomTest::mouseZoomAndRestore()
{
    auto chart = shownChart();
    QVERIFY(chart);
    const QRect area = chart->PlotArea();
    const ChartView before = chart->View();
    QVERIFY(sameView(before, chart->AutoView()));

    const QPoint from = area.topLeft() + QPoint(50, 40);
    const QPoint to = from + QPoint(120, 90);
    const ChartView expected = ZoomToPixelRect(area, before, from, to);
    // The pure mapping agrees with the plot's own.
    QVERIFY(near(expected.x.lower, chart->xAxis->pixelToCoord(from.x()), 1e-6));
    QVERIFY(near(expected.y.upper, chart->yAxis->pixelToCoord(from.y()), 1e-6));

    QTest::mousePress(chart.get(), Qt::LeftButton, {}, from);
    QTest::mouseMove(chart.get(), from + QPoint(60, 45));
    QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, to);
    QVERIFY(chart->IsZoomed());
    QTRY_VERIFY(!chart->Navigator().IsAnimating());
    QVERIFY2(sameView(chart->View(), expected), viewText(chart->View()));

    // A model change keeps the user's view while zoomed.
    chart->Series()[0].AddXY(900, 20000);
    QTRY_VERIFY(!chart->IsDirty());
    QVERIFY2(sameView(chart->View(), expected), viewText(chart->View()));

    // Leftwards restores the automatic ranges, new point included.
    QTest::mousePress(chart.get(), Qt::LeftButton, {}, to);
    QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, from);
    QVERIFY(!chart->IsZoomed());
    QTRY_VERIFY(!chart->Navigator().IsAnimating());
    QVERIFY2(sameView(chart->View(), chart->AutoView()), viewText(chart->View()));
    QCOMPARE(chart->View().x.upper, 900.0);
    QCOMPARE(chart->View().y.upper, 20000.0);
}

void ChartZoomTest::smallDragDoesNothing()
{
    auto chart = shownChart();
    QVERIFY(chart);
    const QPoint from = chart->PlotArea().center();
    const ChartView before = chart->View();
    for (const QPoint d : {QPoint(16, 100), QPoint(100, 16), QPoint(-16, -100), QPoint(-100, 16)}) {
        QTest::mousePress(chart.get(), Qt::LeftButton, {}, from);
        QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, from + d);
        QVERIFY(!chart->Navigator().IsAnimating());
        QVERIFY(!chart->IsZoomed());
        QVERIFY(sameView(chart->View(), before));
    }
    // Once zoomed, a small leftward drag does not restore either.
    chart->Navigator().LeftDrag(from, from + QPoint(40, 40));
    QTRY_VERIFY(!chart->Navigator().IsAnimating());
    const ChartView zoomed = chart->View();
    QCOMPARE(chart->Navigator().LeftDrag(from + QPoint(40, 40), from + QPoint(30, 0)), DragAction::None);
    QVERIFY(chart->IsZoomed());
    QVERIFY(sameView(chart->View(), zoomed));
}

void ChartZoomTest::rightDragScrolls()
{
    auto chart = shownChart();
    QVERIFY(chart);
    const QRect area = chart->PlotArea();
    const ChartView before = chart->View();
    const QPoint from = area.center();
    QTest::mousePress(chart.get(), Qt::RightButton, {}, from);
    QTest::mouseMove(chart.get(), from + QPoint(20, 10));
    QTest::mouseRelease(chart.get(), Qt::RightButton, {}, from + QPoint(40, -30));
    const ChartView expected = ScrollByPixels(area, before, QPoint(40, -30));
    QVERIFY2(sameView(chart->View(), expected, 1e-6 * (before.y.upper - before.y.lower)), viewText(chart->View()));
    QVERIFY(chart->View().x.lower < before.x.lower);  // content moved right: smaller values come in
    QVERIFY(chart->View().y.lower < before.y.lower);  // content moved up: smaller values come in
    QVERIFY(chart->IsZoomed());
    chart->Navigator().UndoZoom();
    QTRY_VERIFY(!chart->Navigator().IsAnimating());
    QVERIFY(sameView(chart->View(), chart->AutoView()));
}

void ChartZoomTest::doubleClickSignals()
{
    auto chart = shownChart();
    QVERIFY(chart);
    QSignalSpy spy(chart.get(), &TChart::DoubleClicked);
    // QTest's double click leaves the button down: released here, as a real one ends.
    QTest::mouseDClick(chart.get(), Qt::LeftButton, {}, chart->PlotArea().center());
    QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, chart->PlotArea().center());
    QCOMPARE(spy.count(), 1);
    QVERIFY(!chart->IsZoomed());

    // An error raised by what the click starts reaches the reporter, not Qt's frames.
    QStringList reported;
    SetErrorReporter([&reported](const QString &m) { reported << m; });
    connect(chart.get(), &TChart::DoubleClicked, [] { throw VarnelError(QStringLiteral("broken")); });
    QTest::mouseDClick(chart.get(), Qt::LeftButton, {}, chart->PlotArea().center());
    QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, chart->PlotArea().center());
    SetErrorReporter(nullptr);
    QCOMPARE(reported, QStringList{QStringLiteral("broken")});
}

void ChartZoomTest::wheelZoomKeepsCursorPoint()
{
    auto chart = shownChart();
    QVERIFY(chart);
    const QRect area = chart->PlotArea();
    const QPoint at = area.topLeft() + QPoint(area.width() / 3, area.height() / 4);
    auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent e(at, chart->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(chart.get(), &e);
    };
    const QPointF value(chart->xAxis->pixelToCoord(at.x()), chart->yAxis->pixelToCoord(at.y()));
    const ChartView before = chart->View();
    wheel(120, Qt::NoModifier);
    QVERIFY(chart->IsZoomed());
    chart->replot(QCustomPlot::rpImmediateRefresh);  // new tick labels, maybe a new plot area
    const ChartView in = chart->View();
    QVERIFY(near(chart->xAxis->pixelToCoord(at.x()), value.x(), 1e-6));
    QVERIFY(near(chart->yAxis->pixelToCoord(at.y()), value.y(), 1e-6));
    QVERIFY(near(in.x.upper - in.x.lower, (before.x.upper - before.x.lower) * WheelZoomFactor));
    QVERIFY(near(in.y.upper - in.y.lower, (before.y.upper - before.y.lower) * WheelZoomFactor));
    // Shift: only the bottom axis; Ctrl: only the left one; towards the user: out again.
    wheel(-120, Qt::ShiftModifier);
    QVERIFY(near(chart->View().x.upper - chart->View().x.lower, before.x.upper - before.x.lower));
    QCOMPARE(chart->View().y, in.y);
    wheel(-120, Qt::ControlModifier);
    QVERIFY(sameView(chart->View(), before));

    // Escape restores the chart under the mouse, wherever the keyboard focus is in the
    // window that holds it.
    new ChartHolder(*chart);
    chart->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(chart.get()));
    wheel(240, Qt::NoModifier);
    QTest::mouseMove(chart.get(), at);
    QVERIFY(chart->underMouse());
    QTest::keyClick(chart.get(), Qt::Key_Escape);
    QVERIFY(!chart->IsZoomed());
    QTRY_VERIFY(!chart->Navigator().IsAnimating());
    QVERIFY(sameView(chart->View(), chart->AutoView()));

    // ...also while an item view, such as an aircraft tree on an editable aircraft, has
    // the focus; but an open caption editor and a text field keep their keys.
    auto *tree = new QTreeWidget(chart.get());
    tree->setGeometry(0, 0, 80, 60);
    auto *craft = new QTreeWidgetItem(tree, {QStringLiteral("Alpha")});
    craft->setFlags(craft->flags() | Qt::ItemIsEditable);
    tree->setCurrentItem(craft);
    tree->show();
    tree->setFocus();
    QVERIFY(QApplication::focusWidget() == tree);
    wheel(240, Qt::NoModifier);
    QTest::mouseMove(chart.get(), at);
    QVERIFY(chart->underMouse());
    QTest::keyClick(tree, Qt::Key_Home);
    QVERIFY(!chart->IsZoomed());

    wheel(240, Qt::NoModifier);
    tree->editItem(craft);
    auto *editor = tree->findChild<QLineEdit *>();
    QVERIFY(editor && editor->hasFocus());
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!tree->findChild<QLineEdit *>() || !tree->findChild<QLineEdit *>()->isVisible());
    QVERIFY(chart->IsZoomed());
    auto *field = new QLineEdit(QStringLiteral("Tarn"), chart.get());
    field->show();
    field->setFocus();
    field->setCursorPosition(3);
    QTest::keyClick(field, Qt::Key_Home);
    QCOMPARE(field->cursorPosition(), 0);
    QVERIFY(chart->IsZoomed());
}

QTEST_MAIN(ChartZoomTest)
#include "presentation_zoom.moc"
