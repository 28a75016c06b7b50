#pragma once
// The command line: `varnel [DATA_DIR]` opens the window on a data folder, `--export`
// writes the seven pages as pictures without a window, `--verdict` prints who is better
// where, `--list` prints the aircraft, `--check` every problem of the data files,
// `--rank` ranks the catalogue, `--report` writes the whole comparison. Each mode is a
// row of one table (command_line.cpp): the options that choose it, the options it
// takes, what it says of the others, and what it runs. Parsing is a pure function of the
// argument list, so every answer (help, version, an error and its exit status) is
// decided before anything is shown.
#include "cli/command.h"

#include <QByteArrayList>
#include <QStringList>

// How a mode runs: alone (no Qt application: --list), as text with a core application
// and no GUI object (--verdict, --rank, --check), drawing offscreen with a GUI
// application and no display (--export, --report), or as the window.
enum class Runs { Alone, Text, Offscreen, Window };
// The mode of an action that is not Exit, as the table has it: how it runs and what;
// run is null for the window, which main opens.
struct ModeRun {
    Runs runs;
    int (*run)(const CommandLine &command);  // the exit status, stdout checked
};
ModeRun RunOf(CommandLine::Action action);

// Parses the arguments as main gets them, the program's name first. Each is read as
// file names show (UTF-8, else Windows-1251); OUT_DIR and DATA_DIR keep the very bytes.
CommandLine ParseArgv(const QByteArrayList &arguments);
// The same for arguments given as text (each its UTF-8).
CommandLine ParseCommandLine(const QStringList &arguments);

// The command with its DATA_DIR checked on the disk: a folder given by bytes that name
// nothing is looked up as LocatedPath does; one that is missing or no directory ends
// with its line on stderr and status 2.
CommandLine CheckedDataFolder(CommandLine command);
