#pragma once
// What the command line writes for a terminal or a script: text with its control
// characters shown escaped, errors on one line, and stdout checked once all is written.
#include "core/error.h"

#include <QByteArray>
#include <QString>

// text with each control character (C0, DEL and C1) written as C writes it: "\t", "\n",
// "\r", else "\x1b" and so on; a name with an ESC or a line break in it stays one
// harmless line.
QString ControlsEscaped(const QString &text);

// The program's error: "varnel: " and the reason, the one place that names the program
// before an error.
QString ProgramError(const QString &reason);

// How a mode without a window ends: its status and, when that is not 0, its error as
// ProgramError writes it, for one line of stderr.
struct CommandOutcome {
    int exitCode = 0;
    QString error;
    void fail(int status, const QString &reason)
    {
        exitCode = status;
        error = ProgramError(reason);
    }
};

// What a text mode made: its output for stdout (UTF-8) beside its status and error.
struct TextOutcome : CommandOutcome {
    QByteArray output;
};

// An outcome made by body; a VarnelError it raises ends the outcome with status 1 and
// that error.
template <class Outcome, class Body>
Outcome Attempted(Body body)
{
    Outcome outcome;
    try {
        body(outcome);
    } catch (const VarnelError &error) {
        outcome.fail(1, error.message());
    }
    return outcome;
}

// An error as stderr gets it: the message (its "varnel: " included) on one line, as
// OneLineMessage puts a box's text, its control characters escaped, and a line break.
QString ErrorLine(const QString &message);
void PrintError(const QString &message);

// Writes what a text mode made, its output on stdout and its error on stderr, and ends
// as StdoutChecked does.
int Printed(const TextOutcome &outcome);

// Ends a mode that writes on stdout: status when everything written reached stdout;
// else 1, with the system's reason on stderr (a full disk, a closed pipe).
int StdoutChecked(int status);
