#pragma once
// `varnel --verdict`: the verdict of the two named aircraft as text, tsv or json,
// without a window and without any GUI object.
#include "cli/command.h"
#include "cli/terminal_text.h"

using VerdictOutcome = TextOutcome;
// Reads the aircraft named in the command line from its data folder and writes their
// verdict in its format. An unknown aircraft or data that fail end with status 1 and
// the line export would print.
VerdictOutcome RunVerdict(const CommandLine &command);
