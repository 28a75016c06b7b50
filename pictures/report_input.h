#pragma once
// What a report is of: the two aircraft, the flap settings, whether the charts shade
// who is better, the data folder its first page names, its paper and the view its
// numbers and texts are shown in.
#include "catalogue/aircraft.h"
#include "core/flap_set.h"
#include "core/view.h"

#include <QPageSize>
#include <QString>

struct ReportInput {
    AircraftPtr first, second;  // null: that side stays empty
    FlapSet flaps = FlapSet::NoFlaps();
    bool advantage = false;   // the charts' advantage shading
    QString dataFolder;       // as the first page names it
    QPageSize::PageSizeId paper = QPageSize::A4;  // landscape
    View view;                // the units and language of its numbers and texts
};
