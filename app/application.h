#pragma once
// The application title, the general error box and the guard through which every
// entry from the event loop into program code passes.
#include <QString>
#include <functional>

inline const QString &ApplicationTitle()
{
    static const QString title = QStringLiteral("Varnel v.4.07m");
    return title;
}

// The error box text: a full stop is added when the last character sorts after ".".
QString ErrorBoxText(const QString &message);

// Shows the error box (caption: the application title, error icon, one OK button).
// Tests replace the box by a hook that records the messages; an empty hook restores it.
using ErrorBoxHook = std::function<void(const QString &text)>;
void SetErrorBoxHook(ErrorBoxHook hook);
void ShowErrorBox(const QString &message);

// Runs a handler; any error it raises ends it and is shown in the error box, so no
// exception ever unwinds through Qt's own frames.
void Guarded(const std::function<void()> &handler);
