// The window on its screen: kept within the screen's available area.
#include "window/main_window.h"

#include <QScreen>

#include <algorithm>

// The available area of the window's screen less the window's frame: where the window
// itself may lie.
QRect Tfrm_Main::screenRoom() const
{
    const QScreen *s = screen();
    if (!s)
        return QRect(QPoint(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    const QRect outer = frameGeometry(), inner = geometry();
    return s->availableGeometry().marginsRemoved(QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                                          outer.right() - inner.right(), outer.bottom() - inner.bottom()));
}

void Tfrm_Main::FitScreen()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;  // the screen's own size
    const QRect room = screenRoom();
    if (room.isEmpty())
        return;
    setMinimumSize(minimumSize().boundedTo(room.size()));
    QRect fit = geometry();
    fit.setSize(fit.size().boundedTo(room.size()));
    fit.moveLeft(std::clamp(fit.left(), room.left(), room.right() + 1 - fit.width()));
    fit.moveTop(std::clamp(fit.top(), room.top(), room.bottom() + 1 - fit.height()));
    if (fit != geometry())
        setGeometry(fit);
}
