#pragma once
// A toolbar button with a Marked flag, drawn highlighted while the flag is set, and
// with a dotted focus frame (never a highlight) while it has the keyboard focus. It is
// a plain push button: whoever handles the click inverts the flag.
#include <QToolButton>

class QPainter;

class MarkButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(bool Marked READ Marked WRITE SetMarked)
public:
    using QToolButton::QToolButton;
    bool Marked() const { return marked_; }
    void SetMarked(bool marked);
    // A button that shows or hides a setting: its tool tip names the setting and says
    // whether it is shown now, following the flag (Marked: hidden).
    void SetSettingTip(const QString &setting);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintMarked(QPainter &p);

    void showSettingTip();

    bool marked_ = false;
    QString setting_;
};
