#pragma once
// `varnel --check`: every problem of a data folder's files, one a line or as json,
// without a window and without any GUI object.
#include "catalogue/data_check.h"
#include "cli/command_line.h"

#include <QByteArray>
#include <QString>

struct CheckOutcome {
    int exitCode = 0;    // 0: no errors (warnings allowed); 1: errors; 2: no DataSpeed
    QByteArray output;   // for stdout, UTF-8
    QString error;       // one line for stderr, when the folder can't be checked
};
// Checks the data folder of the command line and writes its problems in its format.
CheckOutcome RunCheck(const CommandLine &command);

// The problems one a line ("DataTurn/A_turn.txt:12:3: error: ..."; the line and column
// left out where a problem has none), control characters escaped, then the summary.
QString CheckReportText(const DataCheck &check);
QByteArray CheckJson(const DataCheck &check);
