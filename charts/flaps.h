#pragma once
// The four flap settings in button order (none, 1, 2, 3) as the charts name them.
#include "core/flap_set.h"

#include <QCoreApplication>
#include <QString>
#include <array>

inline const std::array<QString, 4> &FlapTitlePrefixes()
{
    static const std::array<QString, 4> prefixes = {
        QStringLiteral("noFlaps "), QStringLiteral("Flaps-1 "),
        QStringLiteral("Flaps-2 "), QStringLiteral("Flaps-3 ")};
    return prefixes;
}

// The short name a turn curve carries at its end, per flap setting.
inline QString FlapCurveLabel(int flap)
{
    static const char *const labels[4] = {QT_TRANSLATE_NOOP("Varnel", "закр. 0"), QT_TRANSLATE_NOOP("Varnel", "закр. 1"),
                                          QT_TRANSLATE_NOOP("Varnel", "закр. 2"), QT_TRANSLATE_NOOP("Varnel", "закр. 3")};
    return QString::fromUtf8(labels[flap]);  // in source form, as the marks keep their texts
}
