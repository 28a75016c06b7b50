#pragma once
// `varnel --check`: every problem of a data folder's files, one a line or as json,
// without a window and without any GUI object.
#include "catalogue/data_check.h"
#include "cli/command.h"
#include "cli/terminal_text.h"

#include <QByteArray>
#include <QString>

using CheckOutcome = TextOutcome;
// Checks the data folder of the command line and writes its problems in its format;
// the status 0 without errors (warnings allowed), 1 with errors, 2 without DataSpeed.
CheckOutcome RunCheck(const CommandLine &command);

// The problems one a line ("DataTurn/A_turn.txt:12:3: error: ..."; the line and column
// left out where a problem has none), control characters escaped, then the summary.
QString CheckReportText(const DataCheck &check);
QByteArray CheckJson(const DataCheck &check);
