#pragma once
// The keys of a desktop plotting program, valid anywhere in the main window: Ctrl+Tab and
// Ctrl+PgDown to the next page, Ctrl+Shift+Tab and Ctrl+PgUp to the previous one (both
// wrap around), Ctrl+1, Ctrl+2, ... to each page of the comparison's table directly,
// Ctrl+Q to end the program.
#include <QKeySequence>
#include <QList>

#include <functional>

class QTabWidget;
class QWidget;

void InstallPageKeys(QWidget *window, QTabWidget *pages, const std::function<void()> &quit);

// Ctrl+1, Ctrl+2, ...: one key per page, in tab order (at most nine).
QList<QKeySequence> PageNumberKeys();
