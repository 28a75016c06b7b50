#pragma once
// The four flap settings in button order (none, 1, 2, 3) as the charts name them.
#include "core/flap_set.h"

#include <QString>
#include <array>

inline const std::array<QString, 4> &FlapTitlePrefixes()
{
    static const std::array<QString, 4> prefixes = {
        QStringLiteral("noFlaps "), QStringLiteral("Flaps-1 "),
        QStringLiteral("Flaps-2 "), QStringLiteral("Flaps-3 ")};
    return prefixes;
}
