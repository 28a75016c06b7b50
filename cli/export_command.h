#pragma once
// `varnel --export`: the seven pages of the named aircraft written as pictures, without
// a window or a display.
#include "cli/command_line.h"

#include <QString>
#include <QStringList>

struct ExportOutcome {
    int exitCode = 0;
    QStringList written;
    QString error;  // the one line for stderr, when exitCode is not 0
};
// Reads only the named aircraft from dataDir (empty: the working directory), draws
// and writes.
ExportOutcome RunExport(const ExportOptions &options, const FileName &dataDir);
