#include "common/menu_bitmaps.h"

#include "common/io_seam.h"

MenuBitmapTable MenuBitmaps = {nullptr, 0, 0};

namespace {

const int kGrowBy = 25;

bool GrowTable()
{
    if (!MenuBitmaps.block) {
        MenuBitmaps.block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kGrowBy * sizeof(HBITMAP));
        if (!MenuBitmaps.block)
            return false;
        MenuBitmaps.capacity = kGrowBy;
        return true;
    }
    if (MenuBitmaps.count < MenuBitmaps.capacity)
        return true;
    HGLOBAL grown = SeamGlobalReAlloc(MenuBitmaps.block, (MenuBitmaps.count + kGrowBy) * sizeof(HBITMAP),
                                      GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown)
        return false;
    MenuBitmaps.block = grown;
    MenuBitmaps.capacity += kGrowBy;
    return true;
}

} // namespace

HBITMAP AddMenuBitmap(HINSTANCE instance, int bitmapId, int* index)
{
    *index = -1;
    if (!GrowTable())
        return nullptr;
    HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(bitmapId));
    if (!bitmap)
        return nullptr;
    auto* entries = static_cast<HBITMAP*>(GlobalLock(MenuBitmaps.block));
    entries[MenuBitmaps.count] = bitmap;
    GlobalUnlock(MenuBitmaps.block);
    *index = MenuBitmaps.count++;
    return bitmap;
}

HBITMAP GetMenuBitmap(int index)
{
    if (index < 1 || index >= MenuBitmaps.count || !MenuBitmaps.block)
        return nullptr;
    auto* entries = static_cast<HBITMAP*>(GlobalLock(MenuBitmaps.block));
    HBITMAP bitmap = entries[index];
    GlobalUnlock(MenuBitmaps.block);
    return bitmap;
}

void FreeMenuBitmaps()
{
    if (MenuBitmaps.block) {
        auto* entries = static_cast<HBITMAP*>(GlobalLock(MenuBitmaps.block));
        for (int i = 0; i < MenuBitmaps.count; ++i)
            if (entries[i])
                DeleteObject(entries[i]);
        GlobalUnlock(MenuBitmaps.block);
        GlobalFree(MenuBitmaps.block);
    }
    MenuBitmaps = {nullptr, 0, 0};
}
