#pragma once
// ChartHolder: what the widget holding a set of charts does for all of them at once.
// Escape and Home, wherever the keyboard focus is in its window, restore the chart under
// the mouse: one window-level shortcut, so an open menu or a box (other windows) keeps
// the keys, and so does a text being edited: an editor that uses the key (Home in a text
// field, Escape in a tree's caption editor) takes it first, as Qt's shortcut override
// lets it. A move of the window to a screen of another pixel ratio redraws every chart.
#include <QList>
#include <QObject>

class QWidget;
class TChart;

class ChartHolder : public QObject {
    Q_OBJECT
public:
    // Serves the charts inside `holder`, for as long as it lives.
    explicit ChartHolder(QWidget &holder);

    // The visible chart the mouse is over, or nullptr.
    TChart *ChartUnderMouse() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<TChart *> charts() const;  // the holder's, and the holder itself if a chart
    void restore();
    void screenChanged();

    QWidget &holder_;
    bool watchingScreen_ = false;
};
