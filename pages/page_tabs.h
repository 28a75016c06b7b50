#pragma once
// The pages' tab bar: when the titles do not all fit, the room is shared fairly. A
// title shorter than its share keeps its width; the longer ones split what is left
// equally and are elided to it (the tab's tool tip gives the title whole).
#include <QTabBar>
#include <QVector>

// The widths of tabs whose titles want `natural` widths, within `room`: each gets
// min(natural, share), where share is the same for every tab it cuts and the widths
// fill the room; never below `least`. All as they are when they fit.
QVector<int> FairTabWidths(const QVector<int> &natural, int room, int least);

class PageTabBar : public QTabBar {
public:
    explicit PageTabBar(QWidget *parent) : QTabBar(parent) {}
    // The tab widget changed width: the tabs are shared out again.
    void Reshare();

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void changeEvent(QEvent *event) override;

private:
    // Each title's own size, measured once per text: the bar asks for every tab's hint
    // many times while it lays out, and each hint needs all the titles' widths.
    struct Natural {
        QString text;
        bool current = false;
        QSize size;
    };
    void measure() const;
    mutable QVector<Natural> natural_;
    mutable int least_ = -1;  // the narrowest a cut tab gets: "W…" and its margins
};
