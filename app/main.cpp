#include "app/application.h"
#include "app/main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setApplicationDisplayName(ApplicationTitle());
    Tfrm_Main window;
    window.show();
    return app.exec();
}
