#pragma once
// What the command line writes for a terminal or a script: text with its control
// characters shown escaped, errors on one line, and stdout checked once all is written.
#include <QString>

// text with each control character (C0, DEL and C1) written as C writes it: "\t", "\n",
// "\r", else "\x1b" and so on; a name with an ESC or a line break in it stays one
// harmless line.
QString ControlsEscaped(const QString &text);

// An error as stderr gets it: the message (its "varnel: " included) on one line, as
// OneLineMessage puts a box's text, its control characters escaped, and a line break.
QString ErrorLine(const QString &message);
void PrintError(const QString &message);

// Ends a mode that writes on stdout: status when everything written reached stdout;
// else 1, with the system's reason on stderr (a full disk, a closed pipe).
int StdoutChecked(int status);
