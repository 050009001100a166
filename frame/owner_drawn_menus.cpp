#include "frame/owner_drawn_menus.h"

#include "common/menu_items.h"
#include "frame/main_window.h"

namespace {

bool IsShadingId(UINT id)
{
    return id >= 1100 && id <= 1199;
}

bool IsFillColourId(UINT id)
{
    return (id >= 3101 && id <= 3199) || (id >= 3301 && id <= 3399);
}

} // namespace

void MeasureMenuItem(MEASUREITEMSTRUCT* item)
{
    if (item->CtlType != ODT_MENU)
        return;
    if (IsShadingId(item->itemID))
        MeasureStyleMenuItem(item);
    else if (item->itemID < 3000)
        MeasureBitmapMenuItem(item);
    else
        MeasureSwatchMenuItem(item);
}

void DrawMenuItem(const DRAWITEMSTRUCT* item)
{
    if (item->CtlType != ODT_MENU)
        return;
    if (item->itemID < 3000 && !IsShadingId(item->itemID)) {
        DrawBitmapMenuItem(item);
        return;
    }
    SwatchAsFill = IsFillColourId(item->itemID) ? 1 : 0;
    DrawSwatchMenuItem(item, GetActiveViewPalette());
    SwatchAsFill = 1;
}
