#pragma once
// The proportions of the main window: the split between the two aircraft trees and the
// 2 x 2 grid of the common page, as arithmetic and as the two layouts that apply it
// whenever their panel or page changes size.
#include <QLayout>
#include <QList>
#include <QRect>
#include <array>

// Halving truncated toward zero.
constexpr int Half(int x) { return x / 2; }

// The first tree gets half the left panel's height.
constexpr int FirstTreeHeight(int panelHeight) { return Half(panelHeight); }

// The four charts of the common page as an even 2 x 2 grid of a W x H page:
// ch_C1 top left, ch_C2 top right, ch_C3 bottom left, ch_C4 bottom right; each cell
// one pixel narrower and lower than half the page.
std::array<QRect, 4> CommonGrid(int width, int height);

// A layout that places its items by a rule of its parent widget's size alone, however
// large they would like to be.
class FixedRuleLayout : public QLayout {
public:
    explicit FixedRuleLayout(QWidget *parent);
    ~FixedRuleLayout() override;
    void addItem(QLayoutItem *item) override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;

protected:
    static void place(QLayoutItem *item, const QRect &r);
    QList<QLayoutItem *> items_;
};

// The left panel: the first tree takes half the panel's outer height (bevels
// included), the second tree the rest of the panel's inside.
class TreeSplitLayout : public FixedRuleLayout {
public:
    using FixedRuleLayout::FixedRuleLayout;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;
};

// The common page: its four charts, added in the order ch_C1 to ch_C4, in the cells of
// CommonGrid for the page's size.
class CommonGridLayout : public FixedRuleLayout {
public:
    using FixedRuleLayout::FixedRuleLayout;
    void setGeometry(const QRect &rect) override;
};
