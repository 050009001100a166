#include "documents/view_settings.h"

#include "common/io_seam.h"
#include "objects/view_record_word.h"

namespace {

HGLOBAL SettingsHandle(HWND view)
{
    if (!view || !IsWindow(view) || GetClassLongPtrA(view, GCL_CBWNDEXTRA) < kViewWindowBytes)
        return nullptr;
    return reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(view, kViewSettingsWord));
}

} // namespace

ErrorCode InitViewSettings(HWND view, int extentX, int extentY, int zoom, int flags)
{
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(ViewSettings));
    if (!block)
        return kErrNoMemory;
    auto* settings = static_cast<ViewSettings*>(GlobalLock(block));
    if (!settings) {
        GlobalFree(block);
        return kErrNoMemory;
    }
    settings->extentX = extentX;
    settings->extentY = extentY;
    settings->flags = flags;
    settings->zoom = zoom;
    if (zoom < 0) {
        settings->flags |= kViewFitMode;
        settings->zoom = 0;
    }
    GlobalUnlock(block);
    FreeWindowBlock(view, kViewSettingsWord);
    SetWindowLongPtrA(view, kViewSettingsWord, reinterpret_cast<LONG_PTR>(block));
    return kErrNone;
}

void FreeWindowBlock(HWND window, int word)
{
    auto block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(window, word));
    if (block)
        GlobalFree(block);
    SetWindowLongPtrA(window, word, 0);
}

bool ReadViewSettings(HWND view, ViewSettings* settings)
{
    HGLOBAL block = SettingsHandle(view);
    const auto* held = block ? static_cast<const ViewSettings*>(GlobalLock(block)) : nullptr;
    if (!held)
        return false;
    *settings = *held;
    GlobalUnlock(block);
    return true;
}

void WriteViewSettings(HWND view, const ViewSettings& settings)
{
    HGLOBAL block = SettingsHandle(view);
    auto* held = block ? static_cast<ViewSettings*>(GlobalLock(block)) : nullptr;
    if (!held)
        return;
    *held = settings;
    GlobalUnlock(block);
}
