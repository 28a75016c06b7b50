#pragma once
// Help at hand: every key and mouse gesture of the window with what it does, a few
// lines on what the charts and the turn-rate box's two loads mean (F1), and the about
// box. Texts in the language shown.
#include <QDialog>
#include <QKeySequence>
#include <QList>

// Every key the help names, each once: the window's keys, none more.
QList<QKeySequence> HelpKeys();

class HelpDialog : public QDialog {
    Q_OBJECT
public:
    explicit HelpDialog(QWidget *parent);
    // The help as the dialog shows it (rich text, names escaped).
    static QString HelpText();
};

// The about box's text: version, Qt version, the data folder, the settings file and the
// licence.
QString AboutText(const QString &dataFolder);
void ShowAbout(QWidget *parent, const QString &dataFolder);
