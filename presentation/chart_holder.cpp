#include "presentation/chart_holder.h"

#include "core/guard.h"
#include "presentation/chart.h"

#include <QAction>
#include <QWindow>

ChartHolder::ChartHolder(QWidget &holder) : QObject(&holder), holder_(holder)
{
    auto *restore = new QAction(&holder);
    restore->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_Home)});
    restore->setShortcutContext(Qt::WindowShortcut);
    holder.addAction(restore);
    connect(restore, &QAction::triggered, this, [this] { Guarded([this] { this->restore(); }); });
    // The window to follow across screens exists once the holder is shown.
    holder.installEventFilter(this);
}

QList<TChart *> ChartHolder::charts() const
{
    QList<TChart *> all = holder_.findChildren<TChart *>();
    if (auto *self = qobject_cast<TChart *>(&holder_))
        all.prepend(self);
    return all;
}

TChart *ChartHolder::ChartUnderMouse() const
{
    for (TChart *chart : charts())
        if (chart->isVisible() && chart->underMouse())
            return chart;
    return nullptr;
}

void ChartHolder::restore()
{
    if (TChart *chart = ChartUnderMouse())
        chart->Navigator().UndoZoom();
}

bool ChartHolder::eventFilter(QObject *watched, QEvent *event)
{
    if (!watchingScreen_ && watched == &holder_ && event->type() == QEvent::Show) {
        if (QWindow *w = holder_.window()->windowHandle()) {
            connect(w, &QWindow::screenChanged, this, [this] { Guarded([this] { screenChanged(); }); });
            watchingScreen_ = true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ChartHolder::screenChanged()
{
    for (TChart *chart : charts()) {
        chart->setBufferDevicePixelRatio(chart->devicePixelRatioF());
        chart->Redraw();
    }
}
