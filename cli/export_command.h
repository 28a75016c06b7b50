#pragma once
// `varnel --export`: the seven pages of the named aircraft written as pictures, without
// a window or a display.
#include "cli/command.h"
#include "cli/terminal_text.h"

#include <QString>
#include <QStringList>

struct ExportOutcome : CommandOutcome {
    QStringList written;
};
// Reads only the named aircraft from dataDir (empty: the working directory), draws
// and writes.
ExportOutcome RunExport(const ExportOptions &options, const FileName &dataDir);
// Prints the files written one a line, and the error on stderr; ends as StdoutChecked.
int PrintedWritten(const ExportOutcome &outcome);
