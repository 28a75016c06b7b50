#pragma once
// `varnel --report FILE`: the whole comparison of the named aircraft in one PDF or
// HTML file (by FILE's extension), without a window or a display.
#include "cli/command.h"
#include "cli/export_command.h"

// Reads only the named aircraft from dataDir (empty: the working directory), draws the
// report and writes it whole or not at all; the outcome as export's.
ExportOutcome RunReport(const CommandLine &command);
// Whether a report of that file name is HTML (.html, .htm); else it is PDF.
bool IsHtmlReport(const QString &file);
