#include "pages/application.h"
#include "cli/command_line.h"
#include "window/data_folder.h"
#include "cli/export_command.h"
#include "cli/report_command.h"
#include "window/images.h"
#include "window/main_window.h"
#include "cli/named_crafts.h"
#include "window/session_state.h"
#include "cli/verdict_command.h"
#include "cli/rank_command.h"
#include "cli/check_command.h"
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
// Draws without a window or a display, and writes the pictures or the report.
int Export(const CommandLine &command)
{
    ExportOutcome outcome;
    try {
        CheckCodePage();
        outcome = command.action == CommandLine::Report ? RunReport(command) : RunExport(command.exportOptions, command.dataDir);
    } catch (const VarnelError &error) {
        outcome = {1, {}, QStringLiteral("varnel: ") + error.message()};
    }
    for (const QString &path : outcome.written)
        std::printf("%s\n", ControlsEscaped(path).toLocal8Bit().constData());
    if (!outcome.error.isEmpty())
        PrintError(outcome.error);
    return outcome.exitCode;
}

// Prints the aircraft one a line; what could not be read goes to stderr, with status 1.
int List(const CommandLine &command)
{
    try {
        CheckCodePage();
        const CraftList list = ListCrafts(command.dataDir);
        for (const QString &name : list.names)
            std::printf("%s\n", ControlsEscaped(name).toLocal8Bit().constData());
        if (list.failures.isEmpty())
            return 0;
        PrintError(QStringLiteral("varnel: ") + list.failures);
    } catch (const VarnelError &error) {
        PrintError(QStringLiteral("varnel: ") + error.message());
    }
    return 1;
}
// Prints what a text mode made: its output on stdout, its error on stderr.
template <class Outcome>
int Printed(const Outcome &outcome)
{
    std::fwrite(outcome.output.constData(), 1, size_t(outcome.output.size()), stdout);
    if (!outcome.error.isEmpty())
        PrintError(outcome.error);
    return StdoutChecked(outcome.exitCode);
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
    if (command.action == CommandLine::List)
        return StdoutChecked(List(command));
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
    const bool exporting = command.action == CommandLine::Export || command.action == CommandLine::Report;
    if (exporting) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtFatalMsg || type == QtCriticalMsg)
                std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        });
    }
    // Outside the window the language is the one named, else the default.
    const QString language = command.language.value_or(Languages().constFirst());
    // The verdict, the ranking and the check are text: no GUI object at all, so no display and no
    // platform plugin.
    if (command.action == CommandLine::Check || command.action == CommandLine::Verdict || command.action == CommandLine::Rank) {
        QCoreApplication core(qtArgc, qtArgs.data());
        InstallLanguage(language);
        if (command.action == CommandLine::Rank)
            return Printed(RunRank(command));
        return command.action == CommandLine::Check ? Printed(RunCheck(command)) : Printed(RunVerdict(command));
    }
    QApplication app(qtArgc, qtArgs.data());
    if (exporting) {
        InstallLanguage(language);
        return StdoutChecked(Export(command));
    }
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
    // The language and units chosen in the window last time, unless the command line
    // names them.
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
