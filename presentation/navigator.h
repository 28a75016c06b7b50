#pragma once
// ChartNavigator: what the mouse does to a chart's view. A left drag zooms or restores
// (animated, with a rubber band while dragging), a right drag scrolls, a still right
// click asks for the context menu and the wheel zooms about the cursor (Escape and Home
// are the ChartHolder's); it keeps whether the chart is zoomed, so a model change leaves
// a zoomed view alone. The decisions themselves are the plain functions
// of zoom.h.
#include "presentation/zoom.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

class QRubberBand;
class ChartHost;

class ChartNavigator : public QObject {
    Q_OBJECT
public:
    explicit ChartNavigator(ChartHost &chart);

    bool IsZoomed() const { return zoomed_; }
    bool IsAnimating() const { return animation_.isActive(); }

    // Acts on a finished left drag as the mouse does: zoom, restore or nothing.
    DragAction LeftDrag(QPoint from, QPoint to);
    // Scrolls both axes with a right drag of `delta` pixels.
    void ScrollBy(QPoint delta);
    // Back to the automatic ranges, animated.
    void UndoZoom();

    // The wheel turned by `delta` eighths of a degree with the mouse at `pos`: both axes
    // zoom about the cursor; with Shift only the bottom axis, with Ctrl only the left.
    void Wheel(QPoint pos, int delta, Qt::KeyboardModifiers modifiers);

    // After a model change: an unzoomed, resting chart shows the automatic ranges.
    void FollowModel();

    // The chart's mouse buttons. Press and Release return whether they took the event;
    // a drag begins with a left or right press and ends with the release of that button.
    bool Press(Qt::MouseButton button, QPoint pos);
    void Move(QPoint pos);
    bool Release(Qt::MouseButton button, QPoint pos);
    bool IsDragging() const { return dragButton_ != Qt::NoButton; }

    // A right press and release that stay within this many pixels of each other (and
    // never strayed further) are a still click, not a scroll.
    static constexpr int StillClickReach = 3;

signals:
    // A still right click at pos: the chart's context menu.
    void StillRightClick(QPoint pos);

private:
    void setView(const ChartView &view);
    void animateTo(const ChartView &target);
    void animationStep();

    ChartHost &chart_;
    bool zoomed_ = false;
    QTimer animation_;
    int animationStep_ = 0;
    ChartView animationFrom_, animationTo_;

    Qt::MouseButton dragButton_ = Qt::NoButton;
    QPoint dragStart_, dragLast_;
    bool dragMoved_ = false;  // a right drag went past the still click's reach
    QRubberBand *rubberBand_ = nullptr;
};
