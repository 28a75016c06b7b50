#include "pages/layout.h"

#include <QWidget>

std::array<QRect, 4> CommonGrid(int W, int H)
{
    const int w = Half(W) - 1;
    const int h = Half(H) - 1;
    return {QRect(0, 0, w, h), QRect(Half(W), 0, w, h), QRect(0, Half(H), w, h),
            QRect(Half(W), Half(H), w, h)};
}

FixedRuleLayout::FixedRuleLayout(QWidget *parent) : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

FixedRuleLayout::~FixedRuleLayout() { qDeleteAll(items_); }

void FixedRuleLayout::addItem(QLayoutItem *item) { items_.append(item); }

QLayoutItem *FixedRuleLayout::itemAt(int index) const { return items_.value(index); }

QLayoutItem *FixedRuleLayout::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int FixedRuleLayout::count() const { return int(items_.size()); }

void FixedRuleLayout::place(QLayoutItem *item, const QRect &r)
{
    // A widget gets exactly the rectangle, as its own geometry.
    if (QWidget *w = item->widget())
        w->setGeometry(r);
    else
        item->setGeometry(r);
}

QSize FixedRuleLayout::sizeHint() const { return {0, 0}; }

QSize FixedRuleLayout::minimumSize() const { return {0, 0}; }

QSize TreeSplitLayout::minimumSize() const
{
    // As a column: the widest of the trees, and both heights.
    QSize size;
    for (const QLayoutItem *item : items_) {
        const QSize m = item->minimumSize();
        size = QSize(qMax(size.width(), m.width()), size.height() + m.height());
    }
    return size;
}

void TreeSplitLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    if (items_.size() != 2 || !parentWidget())
        return;
    const int first = FirstTreeHeight(parentWidget()->height());
    place(items_[0], QRect(rect.left(), rect.top(), rect.width(), first));
    place(items_[1], QRect(rect.left(), rect.top() + first, rect.width(), rect.height() - first));
}

void CommonGridLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    if (!parentWidget())
        return;
    const auto cells = CommonGrid(parentWidget()->width(), parentWidget()->height());
    for (int i = 0; i < int(items_.size()) && i < 4; ++i)
        place(items_[i], cells[i]);
}
