#include "pages/application.h"
#include "cli/command_line.h"
#include "window/data_folder.h"
#include "cli/export_command.h"
#include "window/main_window.h"
#include "cli/named_crafts.h"
#include "window/session_state.h"
#include "cli/verdict_command.h"
#include "catalogue/readers.h"
#include "core/error.h"

#include <QApplication>
#include <QDir>
#include <QRegularExpression>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
// Qt's own options, which QApplication takes out of the arguments itself.
QStringList WithoutQtOptions(int argc, char **argv)
{
    static const QStringList withValue = {"-platform", "-platformtheme", "-plugin", "-style", "-stylesheet", "-display",
                                          "-geometry", "-qwindowgeometry", "-qwindowtitle", "-qwindowicon", "-session"};
    static const QStringList flags = {"-reverse", "-nograb", "-dograb", "-sync"};
    QStringList args;
    for (int i = 0; i < argc; ++i) {
        // As file names show: a folder named in Windows-1251 bytes keeps its name.
        const QString a = DisplayName(QByteArray(argv[i]));
        const QString option = a.startsWith(QLatin1String("--")) ? a.mid(1) : a;  // --platform is -platform too
        if (i > 0 && withValue.contains(option)) {
            ++i;
            continue;
        }
        if (i > 0 && flags.contains(option))
            continue;
        args << a;
    }
    return args;
}
// The arguments Qt gets: for export, without a platform chosen by -platform, since
// export draws offscreen whatever the command line or the environment names.
std::vector<char *> QtArguments(int argc, char **argv, bool exporting)
{
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        const bool platform = std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0;
        if (exporting && i > 0 && platform) {
            ++i;
            continue;
        }
        args.push_back(argv[i]);
    }
    args.push_back(nullptr);
    return args;
}

// The bytes of the folder given to --export: the parser sees text, in which two
// spellings of a name (UTF-8 and Windows-1251) can look alike; the disk gets the bytes.
FileName ExportFolder(int argc, char **argv, const FileName &parsed)
{
    QByteArray given;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if ((a == "--export" || a == "-export") && i + 1 < argc)
            given = argv[++i];
        else if (a.startsWith("--export=") || a.startsWith("-export="))
            given = a.mid(a.indexOf('=') + 1);
    }
    return DisplayName(given) == QString(parsed) ? FileName::FromBytes(given) : parsed;
}

// Draws without a window or a display, and writes the pictures.
int Export(const CommandLine &command)
{
    ExportOutcome outcome;
    try {
        CheckCodePage();
        outcome = RunExport(command.exportOptions, command.dataDir);
    } catch (const VarnelError &error) {
        outcome = {1, {}, QStringLiteral("varnel: ") + error.message()};
    }
    for (const QString &path : outcome.written)
        std::printf("%s\n", path.toLocal8Bit().constData());
    // One line, whatever line breaks a name or a message holds.
    static const QRegularExpression lineBreaks(QStringLiteral("\r\n|[\r\n]"));
    if (!outcome.error.isEmpty())
        std::fprintf(stderr, "%s\n", QString(outcome.error).replace(lineBreaks, QStringLiteral(" ")).toLocal8Bit().constData());
    return outcome.exitCode;
}

// Prints the aircraft one a line; what could not be read goes to stderr, with status 1.
int List(const CommandLine &command)
{
    try {
        CheckCodePage();
        const CraftList list = ListCrafts(command.dataDir);
        for (const QString &name : list.names)
            std::printf("%s\n", name.toLocal8Bit().constData());
        if (list.failures.isEmpty())
            return 0;
        std::fprintf(stderr, "varnel: %s\n", list.failures.toLocal8Bit().constData());
    } catch (const VarnelError &error) {
        std::fprintf(stderr, "varnel: %s\n", error.message().toLocal8Bit().constData());
    }
    return 1;
}
}  // namespace

int main(int argc, char *argv[])
{
    // Help, version and every error of the command line need no display.
    CommandLine command = ParseCommandLine(WithoutQtOptions(argc, argv));
    if (command.action == CommandLine::Exit) {
        std::fputs(command.text.toLocal8Bit().constData(), command.exitCode == 0 ? stdout : stderr);
        return command.exitCode;
    }
    if (command.action == CommandLine::List)
        return List(command);

    // Export draws offscreen: it needs no display, and a platform without one would
    // abort. Its stderr carries its own failures only, not Qt's notes about the
    // environment (such as a missing XDG_RUNTIME_DIR under env -i).
    const bool exporting = command.action == CommandLine::Export;
    if (exporting) {
        command.exportOptions.outDir = ExportFolder(argc, argv, command.exportOptions.outDir);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtFatalMsg || type == QtCriticalMsg)
                std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        });
    }
    // The verdict is text: no GUI object at all, so no display and no platform plugin.
    if (command.action == CommandLine::Verdict) {
        QCoreApplication core(argc, argv);
        const VerdictOutcome outcome = RunVerdict(command);
        std::fwrite(outcome.output.constData(), 1, size_t(outcome.output.size()), stdout);
        if (!outcome.error.isEmpty())
            std::fprintf(stderr, "%s\n", outcome.error.toLocal8Bit().constData());
        return outcome.exitCode;
    }
    std::vector<char *> qtArgs = QtArguments(argc, argv, exporting);
    int qtArgc = int(qtArgs.size()) - 1;
    QApplication app(qtArgc, qtArgs.data());
    if (command.action == CommandLine::Export)
        return Export(command);
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
        window.SetDataFolder(AbsoluteFileName(LocateFileName(command.dataDir)));
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
