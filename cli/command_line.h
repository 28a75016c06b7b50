#pragma once
// The command line: `varnel [DATA_DIR]` opens the window on a data folder, `--export`
// writes the seven pages as pictures without a window, `--verdict` prints who is better
// where, `--list` prints the aircraft, `--check` every problem of the data files,
// `--rank` ranks the catalogue, `--report` writes the whole comparison. Each mode is a
// row of one table (command_line.cpp): the options that choose it, the options it
// takes, what it says of the others, and what it runs. Parsing is a pure function of the
// argument list, so every answer (help, version, an error and its exit status) is
// decided before anything is shown.
#include "catalogue/readers.h"
#include "pictures/export.h"
#include "core/units.h"

#include <QByteArrayList>
#include <QPageSize>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// What --export draws and where it writes; --verdict reads the aircraft and flap
// settings.
struct ExportOptions : PictureOptions {
    FileName outDir;  // as the file system has it: the bytes given on the command line
    QString first, second;                              // aircraft names; empty: that side stays empty
    FlapSet flaps = FlapSet::NoFlaps();
};

// The formats of the text modes: --verdict and --rank write text, tsv or json, --check
// text or json.
enum class TextFormat { Text, Tsv, Json };

struct CommandLine {
    enum Action { OpenWindow, Export, Verdict, Report, List, Check, Exit, Rank };
    Action action = OpenWindow;
    // For Exit: what to print (on stdout when the status is 0, else on stderr) and the
    // status to end with.
    QString text;
    int exitCode = 0;

    FileName dataDir;   // the bytes given; empty: the working directory
    bool recent = false;
    ExportOptions exportOptions;           // --verdict reads first, second and flaps
    TextFormat textFormat = TextFormat::Text;  // of --verdict, --rank and --check
    FileName reportFile;  // --report: a .pdf or .html file, its bytes as given
    QPageSize::PageSizeId reportPaper = QPageSize::A4;
    std::optional<QString> language;  // --lang: ru or en; none: as the settings have it (ru)
    std::optional<UnitSystem> units;  // --units; none: as the settings have it (metric)
    // --rank: the reference aircraft, the altitude and speed in the units given (none:
    // the defaults of those units) and the order (a column of RankColumns, -1: wins);
    // the flap settings are exportOptions.flaps.
    QString rankName;
    std::optional<double> rankAltitude, rankSpeed;
    int rankBy = -1;
    // What QApplication gets: the program's name and Qt's own options with their values
    // (for export, no -platform: it draws offscreen whatever is named).
    QByteArrayList qtArguments;
};

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
// path itself when it names something; else the path its text names (LocateFileName:
// a name typed in UTF-8 finds its Windows-1251 twin).
FileName LocatedPath(const FileName &path);
