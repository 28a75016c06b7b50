#include "presentation/navigator.h"

#include "core/guard.h"

#include "presentation/chart_host.h"

#include <qcustomplot.h>

#include <QRubberBand>

#include <cmath>

namespace {
constexpr int AnimationIntervalMs = 15;

bool WithinStillReach(QPoint from, QPoint to)
{
    return qAbs(to.x() - from.x()) <= ChartNavigator::StillClickReach &&
           qAbs(to.y() - from.y()) <= ChartNavigator::StillClickReach;
}
}  // namespace

ChartNavigator::ChartNavigator(ChartHost &chart) : QObject(&chart.Plot()), chart_(chart)
{
    animation_.setInterval(AnimationIntervalMs);
    connect(&animation_, &QTimer::timeout, this, [this] { Guarded([this] { animationStep(); }); });
}

void ChartNavigator::Wheel(QPoint pos, int delta, Qt::KeyboardModifiers modifiers)
{
    if (delta == 0 || IsDragging())
        return;
    chart_.SyncNow();
    const QRect area = chart_.PlotArea();
    const QPointF at(std::clamp(pos.x(), area.left(), area.right()), std::clamp(pos.y(), area.top(), area.bottom()));
    const double factor = std::pow(WheelZoomFactor, delta / 120.0);
    const bool onlyX = modifiers.testFlag(Qt::ShiftModifier), onlyY = modifiers.testFlag(Qt::ControlModifier);
    const double fx = onlyY && !onlyX ? 1.0 : factor;
    const double fy = onlyX && !onlyY ? 1.0 : factor;
    // From where an animation is heading, so quick notches add up.
    const ChartView from = animation_.isActive() && zoomed_ ? animationTo_ : chart_.View();
    animation_.stop();
    zoomed_ = true;
    setView(ZoomAboutPixel(area, from, at, fx, fy));
    // New tick labels may move the plot area's edges: the value stays under the cursor.
    const QPointF wanted(xValueAt(area, from.x, at.x()), yValueAt(area, from.y, at.y()));
    chart_.LayOut();
    const double dx = wanted.x() - chart_.Plot().xAxis->pixelToCoord(at.x());
    const double dy = wanted.y() - chart_.Plot().yAxis->pixelToCoord(at.y());
    const ChartView v = chart_.View();
    setView({{v.x.lower + dx, v.x.upper + dx}, {v.y.lower + dy, v.y.upper + dy}});
    chart_.Redraw();
}

void ChartNavigator::setView(const ChartView &view)
{
    chart_.Plot().xAxis->setRange(view.x.lower, view.x.upper);
    chart_.Plot().yAxis->setRange(view.y.lower, view.y.upper);
}

void ChartNavigator::FollowModel()
{
    if (!zoomed_ && !animation_.isActive())
        setView(chart_.AutoView());
}

void ChartNavigator::animateTo(const ChartView &target)
{
    animationFrom_ = chart_.View();
    animationTo_ = target;
    animationStep_ = 0;
    animation_.start();
}

void ChartNavigator::animationStep()
{
    ++animationStep_;
    if (animationStep_ >= ZoomAnimationSteps) {
        animation_.stop();
        // A restore ends on the ranges the model gives now, even if it changed meanwhile.
        setView(zoomed_ ? animationTo_ : chart_.AutoView());
    } else {
        setView(InterpolateView(animationFrom_, animationTo_, animationStep_, ZoomAnimationSteps));
    }
    chart_.Redraw();
}

DragAction ChartNavigator::LeftDrag(QPoint from, QPoint to)
{
    const DragAction action = LeftDragAction(from, to);
    if (action == DragAction::Zoom) {
        chart_.SyncNow();
        zoomed_ = true;
        animateTo(ZoomToPixelRect(chart_.PlotArea(), chart_.View(), from, to));
    } else if (action == DragAction::Restore) {
        UndoZoom();
    }
    return action;
}

void ChartNavigator::UndoZoom()
{
    chart_.SyncNow();
    zoomed_ = false;
    animateTo(chart_.AutoView());
}

void ChartNavigator::ScrollBy(QPoint delta)
{
    if (delta.isNull())
        return;
    chart_.SyncNow();
    animation_.stop();
    zoomed_ = true;
    setView(ScrollByPixels(chart_.PlotArea(), chart_.View(), delta));
    chart_.Redraw();
}

bool ChartNavigator::Press(Qt::MouseButton button, QPoint pos)
{
    if (dragButton_ != Qt::NoButton || (button != Qt::LeftButton && button != Qt::RightButton))
        return false;
    dragButton_ = button;
    dragStart_ = dragLast_ = pos;
    dragMoved_ = false;
    if (dragButton_ == Qt::LeftButton) {
        if (!rubberBand_)
            rubberBand_ = new QRubberBand(QRubberBand::Rectangle, &chart_.Plot());
        rubberBand_->setGeometry(QRect(dragStart_, QSize()));
        rubberBand_->show();
    }
    return true;
}

void ChartNavigator::Move(QPoint pos)
{
    if (dragButton_ == Qt::LeftButton) {
        rubberBand_->setGeometry(QRect(dragStart_, pos).normalized());
    } else if (dragButton_ == Qt::RightButton) {
        // The view stays put until the mouse leaves the still click's reach, then
        // catches up with the whole way the mouse went.
        if (!dragMoved_ && WithinStillReach(dragStart_, pos))
            return;
        dragMoved_ = true;
        ScrollBy(pos - dragLast_);
        dragLast_ = pos;
    }
}

bool ChartNavigator::Release(Qt::MouseButton button, QPoint pos)
{
    if (button != dragButton_)
        return false;
    dragButton_ = Qt::NoButton;
    if (button == Qt::LeftButton) {
        rubberBand_->hide();
        LeftDrag(dragStart_, pos);
    } else if (!dragMoved_ && WithinStillReach(dragStart_, pos)) {
        emit StillRightClick(pos);
    } else {
        ScrollBy(pos - dragLast_);
    }
    return true;
}
