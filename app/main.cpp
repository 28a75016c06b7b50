#include "app/application.h"
#include "app/main_window.h"
#include "catalogue/readers.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setApplicationDisplayName(ApplicationTitle());
    // Without the data files' code page nothing could be read: say so and stop.
    SetErrorReporter(ShowErrorBox);
    bool readable = false;
    Guarded([&] {
        CheckCodePage();
        readable = true;
    });
    if (!readable)
        return 1;
    Tfrm_Main window;
    window.show();
    return app.exec();
}
