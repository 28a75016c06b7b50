#pragma once
// The frame widgets of the main window: the bevelled panels, the etched toolbar and the
// splitter between the trees and the charts.
#include <QFrame>
#include <QSplitter>
#include <QToolBar>

// A panel with a raised outer and a lowered inner bevel, one pixel each.
class BevelPanel : public QFrame {
public:
    BevelPanel(const QString &name, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The toolbar, with etched lines along its top and bottom edges.
class EtchedToolBar : public QToolBar {
public:
    using QToolBar::QToolBar;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The splitter between the trees and the charts: a line follows the mouse while it is
// dragged, the panes change on release, and a left pane left 30 pixels wide or less
// collapses to nothing (it can be dragged open again from the window's edge).
class CollapsingSplitter : public QSplitter {
public:
    static constexpr int CollapseWidth = 30;
    using QSplitter::QSplitter;
    int LegalPosition(int pos);
    void ShowLine(int pos);
    void Drop(int pos);

protected:
    QSplitterHandle *createHandle() override;
};
