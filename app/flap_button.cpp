#include "app/flap_button.h"

#include <QPainter>
#include <QStyleOptionToolButton>

void TMarkButton::SetMarked(bool marked)
{
    if (marked_ == marked)
        return;
    marked_ = marked;
    repaint();  // the toolbar shows the new state at once
}

void TMarkButton::paintEvent(QPaintEvent *event)
{
    if (!marked_) {
        QToolButton::paintEvent(event);
        return;
    }
    // Marked: a sunken, highlight-tinted face with the picture on top.
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    QColor tint = palette().color(QPalette::Highlight);
    tint.setAlpha(90);
    p.fillRect(r, tint);
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    const QPixmap pm = icon().pixmap(iconSize());
    p.drawPixmap((width() - iconSize().width()) / 2 + 1, (height() - iconSize().height()) / 2 + 1, pm);
}
