#include "app/application.h"
#include "app/command_line.h"
#include "app/data_folder.h"
#include "app/main_window.h"
#include "catalogue/readers.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {
// Qt's own options, which QApplication takes out of the arguments itself.
QStringList WithoutQtOptions(int argc, char **argv)
{
    static const QStringList withValue = {"-platform", "-platformtheme", "-plugin", "-style", "-stylesheet", "-display",
                                          "-geometry", "-qwindowgeometry", "-qwindowtitle", "-qwindowicon", "-session"};
    static const QStringList flags = {"-reverse", "-nograb", "-dograb", "-sync"};
    QStringList args;
    for (int i = 0; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (i > 0 && withValue.contains(a)) {
            ++i;
            continue;
        }
        if (i > 0 && flags.contains(a))
            continue;
        args << a;
    }
    return args;
}
}  // namespace

int main(int argc, char *argv[])
{
    // Help, version and every error of the command line need no display.
    const CommandLine command = ParseCommandLine(WithoutQtOptions(argc, argv));
    if (command.action == CommandLine::Exit) {
        std::fputs(command.text.toLocal8Bit().constData(), command.exitCode == 0 ? stdout : stderr);
        return command.exitCode;
    }

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
    if (!command.dataDir.isEmpty())
        window.SetDataFolder(QDir(command.dataDir).absolutePath());
    else if (command.recent)
        window.SetDataFolder(RecentStartFolder(RecentFolders(), SampleDataFolder()));
    window.show();
    return app.exec();
}
