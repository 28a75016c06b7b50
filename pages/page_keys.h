#pragma once
// The keys of a desktop plotting program, valid anywhere in the main window: Ctrl+Tab and
// Ctrl+PgDown to the next page, Ctrl+Shift+Tab and Ctrl+PgUp to the previous one (both
// wrap around), Ctrl+1 to Ctrl+8 to a page directly, Ctrl+Q to end the program.
#include <functional>

class QTabWidget;
class QWidget;

void InstallPageKeys(QWidget *window, QTabWidget *pages, const std::function<void()> &quit);
