#pragma once
// What the command line asks for, as its parser (command_line.h) gives it to the mode
// that runs: the mode, its aircraft, formats, files, language and units.
#include "catalogue/readers.h"
#include "pictures/export.h"
#include "core/language.h"
#include "core/units.h"
#include "core/view.h"

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

// The view a mode outside the window prints and draws in: the units and language named
// (--units, --lang), else metric units and the program's first language.
inline View ModeView(const CommandLine &command)
{
    return {command.units.value_or(UnitSystem::Metric), command.language.value_or(Languages().constFirst())};
}
