#include "view/palette_slots.h"

#include <cstdint>
#include <cstring>

#include "objects/app_options.h"

bool ReadPaletteSlot(int slot, PaletteSlot* out)
{
    if (!AppOptions || slot < 0 || slot >= kToolbarSlotCount || !out)
        return false;
    int32_t words[5];
    std::memcpy(words, AppOptions + kOptionsToolbarSlots + kToolbarSlotSize * slot, sizeof(words));
    out->width = words[0];
    out->height = words[1];
    out->kind = words[2];
    out->shapeType = words[3];
    out->sizingFlag = words[4];
    return true;
}
