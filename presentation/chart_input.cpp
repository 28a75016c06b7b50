// What the mouse does on a chart, handed to its navigator (drag, wheel) and its
// tracker (the read-out line), and the read-out tool tip of the point under it.
#include "presentation/chart.h"

#include "core/guard.h"
#include "core/language.h"
#include "core/literal_text.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

void TChart::showReadout(const QHelpEvent &help)
{
    SyncNow();
    // Where the tracker's box reads the curves, only a point the mouse rests on is named.
    const bool tracked = tracker_->Reading().curves() > 0;
    QString text = ReadoutAt(help.pos(), tracked ? RestingReach : ReadoutReach);
    if (text.isEmpty() && title_->outerRect().contains(help.pos()) && title_->text() != ShownTitle())
        text = ShownTitle();  // cut short on a narrow chart
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help.globalPos(), ToolTipOfText(text), this);
}

bool TChart::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        Guarded([&] { showReadout(*static_cast<QHelpEvent *>(event)); });
        return true;
    }
    return QCustomPlot::event(event);
}

void TChart::mousePressEvent(QMouseEvent *event)
{
    Guarded([&] {
        tracker_->Hide();  // not while dragging
        if (navigator_->Press(event->button(), event->position().toPoint()))
            event->accept();
        else
            QCustomPlot::mousePressEvent(event);
    });
}

void TChart::mouseMoveEvent(QMouseEvent *event)
{
    Guarded([&] {
        const QPoint pos = event->position().toPoint();
        if (navigator_->IsDragging())
            navigator_->Move(pos);
        else
            tracker_->MoveTo(pos);
    });
    event->accept();
}

void TChart::mouseReleaseEvent(QMouseEvent *event)
{
    Guarded([&] {
        if (navigator_->Release(event->button(), event->position().toPoint()))
            event->accept();
        else
            QCustomPlot::mouseReleaseEvent(event);
    });
}

void TChart::wheelEvent(QWheelEvent *event)
{
    Guarded([&] {
        const QPoint steps = event->angleDelta();
        navigator_->Wheel(event->position().toPoint(), steps.y() != 0 ? steps.y() : steps.x(), event->modifiers());
        tracker_->MoveTo(event->position().toPoint());
    });
    event->accept();
}

void TChart::leaveEvent(QEvent *event)
{
    Guarded([this] { tracker_->Hide(); });
    QCustomPlot::leaveEvent(event);
}

void TChart::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        Guarded([this] { emit DoubleClicked(); });
}
