// The window's switch of the units every number is shown in.
#include "window/main_window.h"

#include "core/units.h"

void Tfrm_Main::SetUnits(UnitSystem units)
{
    view_.units = units;
    SetShownUnits(units);  // still read by the verdict and the ranking
    tree_Crafts_1->Recaption();
    tree_Crafts_2->Recaption();
    pages_Charts->SetView(view_);
}
