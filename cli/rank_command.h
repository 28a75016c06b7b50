#pragma once
// `varnel --rank`: every other aircraft of a data folder ranked against the one named,
// at one altitude and one speed, as text, tsv or json, without a window and without any
// GUI object.
#include "cli/command.h"
#include "cli/verdict_command.h"

// Reads the data folder's catalogue and writes the ranking in the command's format and
// units. An unknown or unreadable reference ends with status 1 and one line, as
// --verdict does; an aircraft that can't be read is ranked with its error.
VerdictOutcome RunRank(const CommandLine &command);
