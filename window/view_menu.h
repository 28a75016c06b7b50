#pragma once
// The menu behind the toolbar's last button: the language, the units, the keys and the
// mouse (F1) and the about box. It says what was chosen; the window acts on it.
#include "core/units.h"

#include <QMenu>

class QActionGroup;

class ViewMenu : public QMenu {
    Q_OBJECT
public:
    explicit ViewMenu(QWidget *parent);

    // Checks the language ("ru", "en") and the units the window shows now.
    void ShowChoice(const QString &language, UnitSystem units);
    // Names the entries again in the language installed now.
    void Retranslate();
    // Puts the window's own actions (print, save report) after the units, before the help.
    void AddEntries(const QList<QAction *> &actions);

    QAction *act_Help;   // F1: the keys and the mouse
    QAction *act_About;  // the version, the data folder, the settings file

signals:
    void LanguageChosen(const QString &language);
    void UnitsChosen(UnitSystem units);

private:
    QActionGroup *languages_, *units_;
    QAction *afterUnits_;  // the separator after the units
};
