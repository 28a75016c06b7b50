#pragma once
// Text from data files and file names is shown literally, never as markup. Labels and
// boxes take it as plain text; a tool tip guesses the format of its text, so such text
// goes into one as rich text with every markup character escaped.
#include <QString>

inline QString ToolTipOfText(const QString &plain)
{
    return QStringLiteral("<p style='white-space:pre'>") + plain.toHtmlEscaped() + QStringLiteral("</p>");
}
