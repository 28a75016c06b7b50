#include "window/flap_button.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

void MarkButton::SetMarked(bool marked)
{
    if (marked_ == marked)
        return;
    marked_ = marked;
    showSettingTip();
    repaint();  // the toolbar shows the new state at once
}

void MarkButton::SetSettingTip(const QString &setting)
{
    setting_ = setting;
    showSettingTip();
}

void MarkButton::showSettingTip()
{
    if (!setting_.isEmpty())
        setToolTip(setting_ + (marked_ ? QCoreApplication::translate("Varnel", " — скрыты (нажмите, чтобы показать)")
                                       : QCoreApplication::translate("Varnel", " — показаны (нажмите, чтобы скрыть)")));
}

void MarkButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    if (!marked_) {
        // The style's own face, without its focus look: some styles show focus as a
        // highlight, which would read as Marked.
        QStyleOptionToolButton option;
        initStyleOption(&option);
        option.state &= ~QStyle::State_HasFocus;
        p.drawComplexControl(QStyle::CC_ToolButton, option);
    } else {
        paintMarked(p);
    }
    // Keyboard focus: a dotted frame inside the edge, on either face.
    if (hasFocus()) {
        QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void MarkButton::paintMarked(QPainter &p)
{
    // A sunken, highlight-tinted face with the picture on top.
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
