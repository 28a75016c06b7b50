#pragma once
// How the program shows numbers and texts to people: in which units and in which
// language. The window and the command line decide it; whatever draws or prints below
// them is handed one and reads no setting of its own, so a report in imperial units can
// be made beside a metric window.
#include "core/units.h"

#include <QString>

struct View {
    UnitSystem units = UnitSystem::Metric;
    QString language = QStringLiteral("ru");  // "ru" or "en": the language the texts are in
};
