#pragma once
// The application title and the general error box, which the window installs as the
// reporter of the guard (core/guard.h) that every handler runs through.
#include "core/guard.h"

#include <QString>
#include <functional>

inline const QString &ApplicationTitle()
{
    static const QString title = QStringLiteral("Varnel v." VARNEL_VERSION);
    return title;
}

// The error box text: a full stop is added when the last character sorts after "."
// (WithFullStop in core/error.h).
QString ErrorBoxText(const QString &message);

// Shows the error box (caption: the application title, error icon, one OK button).
// Tests replace the box by a hook that records the messages; an empty hook restores it.
using ErrorBoxHook = std::function<void(const QString &text)>;
void SetErrorBoxHook(ErrorBoxHook hook);
void ShowErrorBox(const QString &message);
