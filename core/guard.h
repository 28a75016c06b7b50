#pragma once
// The guard through which every entry from the event loop into program code passes:
// an error raised inside ends the handler and goes to the error reporter, so no
// exception ever unwinds through Qt's own frames. The window installs its error box as
// the reporter; until then errors are written to stderr.
#include <QString>
#include <functional>

using ErrorReporter = std::function<void(const QString &message)>;
void SetErrorReporter(ErrorReporter reporter);

// Runs a handler; any error it raises ends it and is reported.
void Guarded(const std::function<void()> &handler);
