#include "window/frames.h"

#include <QMouseEvent>
#include <QPainter>

BevelPanel::BevelPanel(const QString &name, QWidget *parent) : QFrame(parent)
{
    setObjectName(name);
    setContentsMargins(2, 2, 2, 2);
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    auto bevel = [&p](QRect r, const QColor &topLeft, const QColor &bottomRight) {
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    };
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    bevel(outer, light, dark);
    bevel(outer.adjusted(1, 1, -1, -1), dark, light);
}

void EtchedToolBar::paintEvent(QPaintEvent *event)
{
    QToolBar::paintEvent(event);
    QPainter p(this);
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    const int w = width(), h = height();
    for (int y : {0, h - 2}) {
        p.setPen(dark);
        p.drawLine(0, y, w - 1, y);
        p.setPen(light);
        p.drawLine(0, y + 1, w - 1, y + 1);
    }
}

int CollapsingSplitter::LegalPosition(int pos) { return closestLegalPosition(pos <= CollapseWidth ? 0 : pos, 1); }

void CollapsingSplitter::ShowLine(int pos) { setRubberBand(LegalPosition(pos)); }

void CollapsingSplitter::Drop(int pos)
{
    setRubberBand(-1);
    moveSplitter(LegalPosition(pos), 1);
}

namespace {
class CollapsingSplitterHandle : public QSplitterHandle {
public:
    explicit CollapsingSplitterHandle(CollapsingSplitter *parent)
        : QSplitterHandle(parent->orientation(), parent), splitter_(parent)
    {
    }

protected:
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton) {
            offset_ = int(e->position().x());
            dragging_ = true;
        }
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (dragging_)
            splitter_->ShowLine(positionOf(e));
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (dragging_ && e->button() == Qt::LeftButton) {
            dragging_ = false;
            splitter_->Drop(positionOf(e));
        }
    }

private:
    int positionOf(QMouseEvent *e) const
    {
        return splitter_->mapFromGlobal(e->globalPosition().toPoint()).x() - offset_;
    }
    CollapsingSplitter *splitter_;
    int offset_ = 0;
    bool dragging_ = false;
};
}  // namespace

QSplitterHandle *CollapsingSplitter::createHandle() { return new CollapsingSplitterHandle(this); }
