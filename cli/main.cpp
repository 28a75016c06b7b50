#include "pages/application.h"
#include "cli/command_line.h"
#include "window/data_folder.h"
#include "window/images.h"
#include "window/main_window.h"
#include "window/session_state.h"
#include "catalogue/readers.h"
#include "core/error.h"
#include "core/language.h"
#include "cli/terminal_text.h"

#include <QApplication>
#include <QDir>

#include <csignal>
#include <cstdio>
#include <vector>

namespace {
// Opens the window, in the language and units the command line names, else as they
// were chosen in it last time; and with --recent its last session.
int OpenWindow(QApplication &app, const CommandLine &command, const QString &language)
{
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
    const ViewChoice saved = SavedViewChoice();
    if (!command.units && saved.units)
        SetShownUnits(*saved.units);
    InstallLanguage(command.language.value_or(saved.language.isEmpty() ? language : saved.language));
    QApplication::setStyle(NewWindowStyle());
    Tfrm_Main window;
    if (!command.dataDir.isEmpty())
        window.SetDataFolder(AbsoluteFileName(command.dataDir));
    else if (command.recent)
        window.SetDataFolder(RecentStartFolder(RecentFolders(), SampleDataFolder()));
    // --recent brings the window back as it was left, and keeps it for the next time.
    if (command.recent)
        RestoreSession(window);
    window.show();
    const int status = app.exec();
    if (command.recent)
        SaveSession(window);
    return status;
}
}  // namespace

int main(int argc, char *argv[])
{
    // Help, version and every error of the command line need no display.
    QByteArrayList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    CommandLine command = CheckedDataFolder(ParseArgv(arguments));
    // The modes that print on stdout report a write that fails; a closed pipe is one
    // of those failures, not a silent end.
    if (command.action != CommandLine::OpenWindow)
        std::signal(SIGPIPE, SIG_IGN);
    if (command.action == CommandLine::Exit) {
        std::fputs(command.text.toLocal8Bit().constData(), command.exitCode == 0 ? stdout : stderr);
        return command.exitCode == 0 ? StdoutChecked(0) : command.exitCode;
    }
    const ModeRun mode = RunOf(command.action);
    if (mode.runs == Runs::Alone)
        return mode.run(command);
    if (command.units)
        SetShownUnits(*command.units);
    std::vector<char *> qtArgs;
    for (QByteArray &a : command.qtArguments)
        qtArgs.push_back(a.data());
    int qtArgc = int(qtArgs.size());
    qtArgs.push_back(nullptr);

    // Export draws offscreen: it needs no display, and a platform without one would
    // abort. Its stderr carries its own failures only, not Qt's notes about the
    // environment (such as a missing XDG_RUNTIME_DIR under env -i).
    if (mode.runs == Runs::Offscreen) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtFatalMsg || type == QtCriticalMsg)
                std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        });
    }
    // Outside the window the language is the one named, else the default.
    const QString language = ModeView(command).language;
    // The text modes have no GUI object at all, so no display and no platform plugin.
    if (mode.runs == Runs::Text) {
        QCoreApplication core(qtArgc, qtArgs.data());
        InstallLanguage(language);
        return mode.run(command);
    }
    QApplication app(qtArgc, qtArgs.data());
    if (mode.runs == Runs::Offscreen) {
        InstallLanguage(language);
        return mode.run(command);
    }
    return OpenWindow(app, command, language);
}
