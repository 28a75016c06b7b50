#pragma once
// The four flap settings in button order: none, 1, 2, 3. A marked button hides its
// setting; the refresh reads the four flags once and hands them to the fillers.
#include <QString>
#include <array>

using FlapMarks = std::array<bool, 4>;

inline const std::array<QString, 4> &FlapTitlePrefixes()
{
    static const std::array<QString, 4> prefixes = {
        QStringLiteral("noFlaps "), QStringLiteral("Flaps-1 "),
        QStringLiteral("Flaps-2 "), QStringLiteral("Flaps-3 ")};
    return prefixes;
}
