#pragma once
// The command line: `varnel [DATA_DIR]` opens the window on a data folder, `--export`
// writes the seven pages as pictures without a window, `--verdict` prints who is better
// where, `--list` prints the aircraft. Parsing is a pure function of the
// argument list, so every answer (help, version, an error and its exit status) is
// decided before anything is shown.
#include "catalogue/readers.h"
#include "pictures/export.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <array>

// What --export draws and where it writes; --verdict reads the aircraft and flap
// settings.
struct ExportOptions : PictureOptions {
    FileName outDir;  // as the file system has it: the bytes given on the command line
    QString first, second;                              // aircraft names; empty: that side stays empty
    std::array<bool, 4> flapShown{true, false, false, false};  // no flaps, 1, 2, 3
};

struct CommandLine {
    enum Action { OpenWindow, Export, Verdict, List, Exit };
    Action action = OpenWindow;
    // For Exit: what to print (on stdout when the status is 0, else on stderr) and the
    // status to end with.
    QString text;
    int exitCode = 0;

    QString dataDir;    // empty: the working directory
    bool recent = false;
    ExportOptions exportOptions;           // --verdict reads first, second and flapShown
    QString verdictFormat = QStringLiteral("text");  // text, tsv or json
};

// Parses the arguments (the program name first, as QCoreApplication::arguments gives).
CommandLine ParseCommandLine(const QStringList &arguments);
