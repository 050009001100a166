// ExitApplication: runs after the message loop, also after a failed start-up,
// so each step frees only what exists.
#include "common/tool_tip_class.h"
#include "documents/options_file.h"
#include "common/app_globals.h"
#include "frame/app_startup.h"
#include "common/back_buffer.h"
#include "documents/clipboard_store.h"
#include "common/menu_bitmaps.h"
#include "frame/right_menu.h"
#include "frame/shared_gdi_objects.h"
#include "objects/object_kind_table.h"
#include "ole/ole_server.h"
#include "store/record_store.h"
#include "text/font_cache.h"
#include "text/ten_startup.h"

namespace {

typedef BOOL(WINAPI* Ctl3dCall)(HINSTANCE);

void UnregisterCtl3d()
{
    if (!Ctl3dLibrary)
        return;
    auto unregister =
        reinterpret_cast<Ctl3dCall>(reinterpret_cast<void*>(GetProcAddress(Ctl3dLibrary, "Ctl3dUnregister")));
    if (unregister)
        unregister(AppInstance);
    FreeLibrary(Ctl3dLibrary);
    Ctl3dLibrary = nullptr;
}

void FreeBackBuffer()
{
    if (!BackBufferDC)
        return;
    if (BackBufferFirstBitmap)
        SelectObject(BackBufferDC, BackBufferFirstBitmap);
    DeleteDC(BackBufferDC);
    if (BackBufferBitmap)
        DeleteObject(BackBufferBitmap);
    BackBufferDC = nullptr;
    BackBufferBitmap = nullptr;
    BackBufferFirstBitmap = nullptr;
}

} // namespace

void ExitApplication()
{
    UnregisterCtl3d();
    if (OleServerRunning) {
        OleStopServer();
        OleServerRunning = 0;
    }
    ShutdownToolTips();
    DestroyRightMenu();
    CloseClipboardStore();
    SaveAndFreeOptions();
    TermTen();
    DeleteSharedGdiObjects();
    if (ObjectKindsInitialised) {
        TermObjectKinds();
        ObjectKindsInitialised = 0;
    }
    FreeMenuBitmaps();
    if (RecordStoreTableMade) {
        TermRecordStore();
        RecordStoreTableMade = 0;
    }
    DestroyFontCache();
    FreeBackBuffer();
}
